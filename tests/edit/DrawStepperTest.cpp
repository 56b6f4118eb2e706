#include "edit/DrawStepper.h"

#include <gtest/gtest.h>

using namespace drawbook;

namespace {

constexpr const char* kUpRefused = "　これ以上はありません。。";
constexpr const char* kDownRefused = "　これ以下はありません。。";

struct StepCase {
    const char* shown;
    const char* next;
    bool byTen;
    StepDirection direction;
    std::optional<long long> target;
};

} // namespace

TEST(DrawStepperTest, StepsWithinTheRecordedDrawsWithoutClamping) {
    const StepCase cases[] = {
        // Twenty draws: the next draw number is 21.
        {"19", "21", false, StepDirection::Up, 20},
        {"20", "21", false, StepDirection::Up, std::nullopt},
        {"10", "21", true, StepDirection::Up, 20},
        {"11", "21", true, StepDirection::Up, std::nullopt},
        {"2", "21", false, StepDirection::Down, 1},
        {"1", "21", false, StepDirection::Down, std::nullopt},
        {"10", "21", true, StepDirection::Down, std::nullopt},
        {"11", "21", true, StepDirection::Down, 1},
        // No next draw number: nothing lies above.
        {"5", "", false, StepDirection::Up, std::nullopt},
        {"5", "", false, StepDirection::Down, 4},
        // After a gap nothing is shown, so steps start from 0.
        {"", "21", false, StepDirection::Up, 1},
        {"", "21", true, StepDirection::Up, 10},
        {"", "21", false, StepDirection::Down, std::nullopt},
    };
    for (const StepCase& c : cases) {
        SCOPED_TRACE(std::string(c.shown) + (c.byTen ? " x10 " : " ") +
                     (c.direction == StepDirection::Up ? "up" : "down"));
        const DrawStep step = StepDraw(c.shown, c.next, c.byTen, c.direction);
        EXPECT_EQ(step.target, c.target);
        if (c.target) {
            EXPECT_EQ(step.refusal, "");
        } else {
            EXPECT_EQ(step.refusal, c.direction == StepDirection::Up ? kUpRefused : kDownRefused);
        }
    }
}

