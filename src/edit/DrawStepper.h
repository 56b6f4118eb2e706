#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace drawbook {

enum class StepDirection {
    Up,   // to a later draw
    Down, // to an earlier draw
};

struct DrawStep {
    std::optional<long long> target; // the draw to show
    std::string refusal;             // why there is none
};

// One step from the shown draw, by one or by ten. Draws below 1 and from the
// next draw number on are out of reach; a step that would pass them is refused
// as a whole.
DrawStep StepDraw(std::string_view shownDrawNo, std::string_view nextDrawNo, bool byTen, StepDirection direction);

} // namespace drawbook
