#include "res/DialogUnits.h"

#include <gtest/gtest.h>

using namespace drawbook;

namespace {

void ExpectRect(const PixelRect& actual, const PixelRect& expected) {
    EXPECT_EQ(actual.x, expected.x);
    EXPECT_EQ(actual.y, expected.y);
    EXPECT_EQ(actual.width, expected.width);
    EXPECT_EQ(actual.height, expected.height);
}

} // namespace

TEST(DialogUnitsTest, ConvertsRectanglesWithTheDialogFont) {
    const DialogUnits units{6, 12};
    ExpectRect(units.ToPixels(DialogRect{7, 129, 336, 120}), {11, 194, 504, 180});
    EXPECT_EQ(units.ToPixelsX(350), 525);
    EXPECT_EQ(units.ToPixelsY(301), 452);

    const DialogUnits classic{6, 13};
    ExpectRect(classic.ToPixels(DialogRect{7, 54, 108, 21}), {11, 88, 162, 34});
}

TEST(DialogUnitsTest, MulDivRoundsHalvesAwayFromZero) {
    EXPECT_EQ(MulDiv(7, 6, 4), 11);
    EXPECT_EQ(MulDiv(5, 1, 4), 1);
    EXPECT_EQ(MulDiv(-3, 2, 4), -2);
    EXPECT_EQ(MulDiv(3, -2, 4), -2);
    EXPECT_EQ(MulDiv(3, 2, -4), -2);
    EXPECT_EQ(MulDiv(-5, 1, 4), -1);
    EXPECT_EQ(MulDiv(100000, 100000, 200000), 50000);
}

TEST(DialogUnitsTest, AverageLetterWidthRounds) {
    EXPECT_EQ(AverageLetterWidth(312), 6);
    EXPECT_EQ(AverageLetterWidth(338), 7);
    EXPECT_EQ(AverageLetterWidth(325), 6);
}
