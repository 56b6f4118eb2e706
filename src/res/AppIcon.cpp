#include "res/AppIcon.h"

#include <QImageReader>

namespace drawbook {

QIcon AppIcon() {
    // Where Qt cannot read SVG (no plugin in the Windows build), the same icon drawn at 256 pixels.
    static const bool svg = QImageReader::supportedImageFormats().contains("svg");
    return QIcon(svg ? QStringLiteral(":/drawbook/drawbook.svg") : QStringLiteral(":/drawbook/drawbook.png"));
}

} // namespace drawbook
