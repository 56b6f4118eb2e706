#include "draw/ReturnRate.h"

#include <cstdio>

namespace drawbook {

std::string ReturnRateText(long long won, long long cost) {
    if (cost <= 0) {
        return "0.0";
    }
    // Tenths of a percent in integers, halves rounded up: no binary fraction
    // turns 0.05 into 0.0.
    const long long tenths = (won * 1000 + cost / 2) / cost;
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%lld", tenths / 10, tenths % 10);
    return text;
}

} // namespace drawbook
