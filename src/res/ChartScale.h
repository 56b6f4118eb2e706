#pragma once

#include <string>
#include <vector>

namespace drawbook {

// A value axis: the range it spans and the round step between its ticks. Ticks fall on
// the multiples of the step within the range.
struct ChartScale {
    double min = 0;
    double max = 1;
    double step = 1;

    bool operator==(const ChartScale&) const = default;
};

// The smallest of 1, 2, 5, 10, 20, 50, … that cuts the span into at most `parts` parts.
double RoundStep(double span, int parts);
// 0 to a round number at or above the maximum, with whole-number ticks.
ChartScale CountScale(double maximum);
// Ticks at round draw numbers between the first draw and the last.
ChartScale DrawScale(int first, int last);
// From the round step at or below the lowest value to the one at or above the highest,
// in at most about `parts` steps.
ChartScale BalanceScale(double low, double high, int parts = 6);

// The values the scale's ticks stand at, lowest first.
std::vector<double> Ticks(const ChartScale& scale);
// Where a value falls between the pixels of the scale's ends; `from` stands for min, `to` for max.
double ToPixel(const ChartScale& scale, double value, double from, double to);
// A tick's label: a whole number, its thousands grouped by commas when `grouped`.
std::string TickLabel(double value, bool grouped);

} // namespace drawbook
