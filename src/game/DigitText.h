#pragma once

#include <optional>
#include <string_view>

namespace drawbook {

// The digit a field holds when its whole text is one digit: half-width 0-9, or
// full-width ０-９ as a Japanese input method types it. Nothing otherwise.
std::optional<int> ReadDigit(std::string_view text);

} // namespace drawbook
