#pragma once

namespace drawbook {

// Whether a window system is there to show windows on.
bool HasDisplay();

} // namespace drawbook
