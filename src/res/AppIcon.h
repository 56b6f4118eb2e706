#pragma once

#include <QIcon>

namespace drawbook {

// The application icon (icon group 128).
QIcon AppIcon();

} // namespace drawbook
