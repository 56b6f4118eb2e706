#include "edit/DrawStepper.h"

namespace drawbook {

long long LeadingNumber(std::string_view text) {
    constexpr long long kCeiling = 1'000'000'000'000LL; // far above any draw number
    long long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        value = value < kCeiling ? value * 10 + (c - '0') : value;
    }
    return value;
}

DrawStep StepDraw(std::string_view shownDrawNo, std::string_view nextDrawNo, bool byTen, StepDirection direction) {
    const long long shown = LeadingNumber(shownDrawNo);
    const long long limit = LeadingNumber(nextDrawNo);
    const long long step = byTen ? 10 : 1;
    if (direction == StepDirection::Up) {
        const long long target = shown + step;
        if (target >= limit) {
            return {std::nullopt, "　これ以上はありません。。"};
        }
        return {target, {}};
    }
    const long long target = shown - step;
    if (target < 1) {
        return {std::nullopt, "　これ以下はありません。。"};
    }
    return {target, {}};
}

std::string DrawClause(std::string_view drawNo) {
    return "WHERE kaisai=" + std::string(drawNo);
}

} // namespace drawbook
