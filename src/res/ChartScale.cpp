#include "res/ChartScale.h"

#include <algorithm>
#include <cmath>

namespace drawbook {

double RoundStep(double span, int parts) {
    for (double scale = 1;; scale *= 10) {
        for (const double step : {scale, 2 * scale, 5 * scale}) {
            if (step * parts >= span) {
                return step;
            }
        }
    }
}

ChartScale CountScale(double maximum) {
    const double step = RoundStep(maximum, 5);
    const double top = std::max(step, std::ceil(maximum / step) * step);
    return {0, top, step};
}

ChartScale DrawScale(int first, int last) {
    last = std::max(last, first + 1);
    return {static_cast<double>(first), static_cast<double>(last), RoundStep(last - first, 8)};
}

ChartScale BalanceScale(double low, double high, int parts) {
    const double step = RoundStep(std::max(high - low, 1.0), parts);
    const double bottom = std::floor(low / step) * step;
    const double top = std::max(std::ceil(high / step) * step, bottom + step);
    return {bottom, top, step};
}

std::vector<double> Ticks(const ChartScale& scale) {
    std::vector<double> ticks;
    // A hair of slack so that ends which are multiples of the step keep their ticks.
    const double slack = scale.step * 1e-9;
    for (double k = std::ceil((scale.min - slack) / scale.step); k * scale.step <= scale.max + slack; ++k) {
        ticks.push_back(k * scale.step);
    }
    return ticks;
}

double ToPixel(const ChartScale& scale, double value, double from, double to) {
    const double span = scale.max - scale.min;
    if (span <= 0) {
        return from;
    }
    return from + (value - scale.min) / span * (to - from);
}

std::string TickLabel(double value, bool grouped) {
    const long long whole = std::llround(value);
    std::string digits = std::to_string(whole < 0 ? -whole : whole);
    if (grouped) {
        for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) {
            digits.insert(static_cast<std::size_t>(at), 1, ',');
        }
    }
    return whole < 0 ? "-" + digits : digits;
}

} // namespace drawbook
