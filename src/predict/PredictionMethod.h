#pragma once

#include "draw/Game.h"
#include "predict/NextDrawPredictor.h"
#include "predict/WalkForward.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace drawbook {

// The ways five numbers are proposed for the next draw, in the order every list shows them.
enum class Method {
    Follow, // the digits that most often followed the latest draw's digit
    Hot,    // the digits that came most often at the position in the last 100 draws
    Cold,   // the digits that have not come at the position for the most draws
    Slide,  // the latest digit, then one up, one down, two up, two down
    Random, // splitmix64 seeded by the game and the draw: what luck alone does
};
inline constexpr std::size_t kMethodCount = 5;

std::span<const Method> AllMethods();
// "follow", "hot", "cold", "slide", "random": the command line's names.
std::string_view MethodName(Method method);
// 「次に出た数字」, 「よく出る数字」, 「出ていない数字」, 「引っ張り・スライド」, 「無作為（比べるための基準）」.
std::string_view MethodLabel(Method method);
std::optional<Method> MethodFromName(std::string_view name);

// The draws hot looks back over.
inline constexpr int kHotWindow = 100;

// The next output of splitmix64, advancing its state.
std::uint64_t SplitMix64(std::uint64_t& state);

// Learns from the draws of one game, oldest first, as the method reads them, and
// proposes five numbers for the next draw. Every method keeps its counts as it
// goes, so a walk over the history reads each draw once.
class MethodPredictor {
public:
    MethodPredictor(Method method, Game game);

    // Adds the next draw; digits are highest position first, each 0 to 9.
    void AddDraw(std::span<const int> digits);

    // The five numbers for the next draw, rank 1 first.
    PickSet Picks() const;
    PredictedNumbers Numbers() const;

    Method GetMethod() const { return m_method; }
    int Draws() const { return m_draws; }

private:
    Method m_method;
    int m_positions;
    int m_draws = 0;
    NextDrawPredictor m_follow;
    // Per position: hot's counts over the window, cold's draw of each digit's latest
    // appearance (-1 never), the latest digit.
    std::array<std::array<int, 10>, kMaxPositions> m_hotCounts{};
    std::array<std::array<int, 10>, kMaxPositions> m_lastSeen{};
    std::array<int, kMaxPositions> m_latest{};
    // The last kHotWindow draws' digits, a ring.
    std::vector<std::array<std::uint8_t, kMaxPositions>> m_window;
};

// Walks forward through the history as WalkForward does, the method proposing the
// five numbers before each draw after the first.
template <typename OnDraw>
void WalkForwardBy(Method method, Game game, std::span<const HistoryDraw> history, OnDraw&& onDraw) {
    const auto positions = static_cast<std::size_t>(Positions(game));
    MethodPredictor predictor(method, game);
    for (const HistoryDraw& draw : history) {
        if (predictor.Draws() > 0) {
            const PickSet picks = predictor.Picks();
            onDraw(draw, picks);
        }
        predictor.AddDraw(std::span<const int>(draw.digits.data(), positions));
    }
}

} // namespace drawbook
