#pragma once

#include "res/DialogTemplate.h"

namespace drawbook {

// A rectangle in pixels.
struct PixelRect {
    int x;
    int y;
    int width;
    int height;
};

// Dialog units scale with the dialog font: a horizontal unit is a quarter of the
// average letter width, a vertical unit an eighth of the font height.
struct DialogUnits {
    int baseX;
    int baseY;

    int ToPixelsX(int units) const;
    int ToPixelsY(int units) const;
    PixelRect ToPixels(const DialogRect& rect) const;
};

// The average width of the 52 letters A–Z a–z, rounded, from their total advance.
int AverageLetterWidth(int advanceOf52Letters);

// a * b / c rounded to the nearest whole number, halves away from zero.
int MulDiv(int a, int b, int c);

} // namespace drawbook
