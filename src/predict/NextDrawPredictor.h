#pragma once

#include "draw/Game.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace drawbook {

// One proposal for each number kept with a draw.
inline constexpr int kPredictionCount = kNumberCount;

// Five proposed numbers, rank 1 first, each with one character per position.
using PredictedNumbers = std::array<std::string, kPredictionCount>;

// Learns from the draws of one game, oldest first, which digit tends to follow
// which at each position, and proposes the five most frequent successors of the
// latest draw. Memory stays constant however long the history is.
class NextDrawPredictor {
public:
    // positions: 3 or 4.
    explicit NextDrawPredictor(int positions);

    // Adds the next draw; digits are highest position first, each 0 to 9.
    void AddDraw(std::span<const int> digits);

    // The five digits of one position (0 = highest), rank 1 first.
    std::array<int, kPredictionCount> RankedDigits(int position) const;
    PredictedNumbers Numbers() const;

    int Positions() const { return m_positions; }
    int Draws() const { return m_draws; }

private:
    struct Position {
        // [following digit][preceding digit]
        std::array<std::array<std::int32_t, 10>, 10> successors{};
        int latest = 0;
    };

    int m_positions;
    int m_draws = 0;
    std::array<Position, kMaxPositions> m_table{};
};

} // namespace drawbook
