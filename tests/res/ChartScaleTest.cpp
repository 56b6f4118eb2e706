#include "res/ChartScale.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace drawbook;

namespace {

struct ScaleCase {
    const char* rule;
    ChartScale scale;
    ChartScale expected;
    std::vector<double> ticks;
};

} // namespace

// Worked by hand: the step is the first of 1, 2, 5, 10, … that covers the span in the
// parts allowed, and the ends round outwards to it.
TEST(ChartScaleTest, RangesAndTicks) {
    const std::vector<ScaleCase> cases = {
        {"counts up to 37", CountScale(37), {0, 40, 10}, {0, 10, 20, 30, 40}},
        {"counts up to 8 with room", CountScale(8 * 1.1), {0, 10, 2}, {0, 2, 4, 6, 8, 10}},
        {"no counts", CountScale(0), {0, 1, 1}, {0, 1}},
        {"draws 2 to 40", DrawScale(2, 40), {2, 40, 5}, {5, 10, 15, 20, 25, 30, 35, 40}},
        {"draws 2 to 7054", DrawScale(2, 7054), {2, 7054, 1000}, {1000, 2000, 3000, 4000, 5000, 6000, 7000}},
        {"no draws", DrawScale(0, 0), {0, 1, 1}, {0, 1}},
        {"a losing balance",
         BalanceScale(-37000, 5500),
         {-40000, 10000, 10000},
         {-40000, -30000, -20000, -10000, 0, 10000}},
        {"months in four parts",
         BalanceScale(-2500, 106200, 4),
         {-50000, 150000, 50000},
         {-50000, 0, 50000, 100000, 150000}},
        {"no balance", BalanceScale(0, 0), {0, 1, 1}, {0, 1}},
    };
    for (const ScaleCase& c : cases) {
        SCOPED_TRACE(c.rule);
        EXPECT_EQ(c.scale, c.expected);
        EXPECT_EQ(Ticks(c.scale), c.ticks);
    }
}

TEST(ChartScaleTest, ValuesToPixels) {
    // Up the screen: the scale's bottom at pixel 200, its top at 0.
    EXPECT_DOUBLE_EQ(ToPixel({0, 40, 10}, 10, 200, 0), 150);
    EXPECT_DOUBLE_EQ(ToPixel({0, 40, 10}, 40, 200, 0), 0);
    EXPECT_DOUBLE_EQ(ToPixel({-40000, 10000, 10000}, 0, 300, 50), 100);
    EXPECT_DOUBLE_EQ(ToPixel({2, 7054, 1000}, 7054, 60, 400), 400);
    // A scale of no span puts everything at its start rather than dividing by zero.
    EXPECT_DOUBLE_EQ(ToPixel({5, 5, 1}, 7, 60, 400), 60);
}

TEST(ChartScaleTest, TickLabels) {
    const struct {
        double value;
        bool grouped;
        const char* label;
    } cases[] = {
        {0, true, "0"},        {999, true, "999"},        {1000, true, "1,000"},
        {-500, true, "-500"},  {-40000, true, "-40,000"}, {1234567, true, "1,234,567"},
        {7054, false, "7054"}, {-1000, false, "-1000"},   {-123456, true, "-123,456"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TickLabel(c.value, c.grouped), c.label) << c.value;
    }
}
