#pragma once

#include "db/DrawHistory.h"
#include "predict/NextDrawPredictor.h"

#include <array>
#include <span>

namespace drawbook {

// One number as digits, highest position first; unused places stay zero.
using PickDigits = std::array<int, kMaxPositions>;
// The five numbers proposed for one draw, rank 1 first.
using PickSet = std::array<PickDigits, kPredictionCount>;

// Walks forward through the history, oldest first, and hands every draw after the
// first to onDraw with the five numbers proposed from the draws before it.
template <typename OnDraw> void WalkForward(Game game, std::span<const HistoryDraw> history, OnDraw&& onDraw) {
    const int positions = Positions(game);
    // One predictor learns as the walk goes: before each draw it has seen exactly
    // the draws before it.
    NextDrawPredictor predictor(positions);
    PickSet picks{};
    for (const HistoryDraw& draw : history) {
        const std::span<const int> digits(draw.digits.data(), static_cast<std::size_t>(positions));
        if (predictor.Draws() > 0) {
            for (int p = 0; p < positions; ++p) {
                const auto ranked = predictor.RankedDigits(p);
                for (std::size_t k = 0; k < picks.size(); ++k) {
                    picks[k][static_cast<std::size_t>(p)] = ranked[k];
                }
            }
            onDraw(draw, static_cast<const PickSet&>(picks));
        }
        predictor.AddDraw(digits);
    }
}

} // namespace drawbook
