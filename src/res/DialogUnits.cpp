#include "res/DialogUnits.h"

#include <cstdint>
#include <cstdlib>

namespace drawbook {

int MulDiv(int a, int b, int c) {
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t half = std::abs(c) / 2;
    const bool negative = (product < 0) != (c < 0);
    const std::int64_t magnitude = (std::abs(product) + half) / std::abs(c);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

int AverageLetterWidth(int advanceOf52Letters) {
    return (advanceOf52Letters / 26 + 1) / 2;
}

int DialogUnits::ToPixelsX(int units) const {
    return MulDiv(units, baseX, 4);
}

int DialogUnits::ToPixelsY(int units) const {
    return MulDiv(units, baseY, 8);
}

PixelRect DialogUnits::ToPixels(const DialogRect& rect) const {
    return {ToPixelsX(rect.x), ToPixelsY(rect.y), ToPixelsX(rect.width), ToPixelsY(rect.height)};
}

} // namespace drawbook
