#include "edit/DrawStepper.h"

#include "draw/DigitText.h"

namespace drawbook {

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

} // namespace drawbook
