#include "predict/NextDrawPredictor.h"

#include <algorithm>
#include <stdexcept>

namespace drawbook {

NextDrawPredictor::NextDrawPredictor(int positions) : m_positions(positions) {
    if (positions < 1 || positions > kMaxPositions) {
        throw std::invalid_argument("a game has three or four positions");
    }
}

void NextDrawPredictor::AddDraw(std::span<const int> digits) {
    if (static_cast<int>(digits.size()) != m_positions ||
        std::any_of(digits.begin(), digits.end(), [](int d) { return d < 0 || d > 9; })) {
        throw std::invalid_argument("a draw has one digit 0-9 per position");
    }
    for (int p = 0; p < m_positions; ++p) {
        Position& position = m_table[static_cast<std::size_t>(p)];
        const auto digit = static_cast<std::size_t>(digits[static_cast<std::size_t>(p)]);
        if (m_draws > 0) {
            ++position.successors[digit][static_cast<std::size_t>(position.latest)];
        }
        position.latest = static_cast<int>(digit);
    }
    ++m_draws;
}

std::array<int, kPredictionCount> NextDrawPredictor::RankedDigits(int position) const {
    const Position& table = m_table.at(static_cast<std::size_t>(position));
    const auto count = [&](int digit) {
        return table.successors[static_cast<std::size_t>(digit)][static_cast<std::size_t>(table.latest)];
    };
    // The most frequent successors first; of equal counts, the larger digit.
    std::array<int, kPredictionCount> digits{};
    std::array<bool, 10> taken{};
    for (int& rank : digits) {
        int best = -1;
        for (int digit = 9; digit >= 0; --digit) {
            if (!taken[static_cast<std::size_t>(digit)] && (best < 0 || count(digit) > count(best))) {
                best = digit;
            }
        }
        taken[static_cast<std::size_t>(best)] = true;
        rank = best;
    }
    return digits;
}

PredictedNumbers NextDrawPredictor::Numbers() const {
    PredictedNumbers numbers;
    for (int p = 0; p < m_positions; ++p) {
        const auto ranked = RankedDigits(p);
        for (std::size_t k = 0; k < numbers.size(); ++k) {
            numbers[k] += std::to_string(ranked[k]);
        }
    }
    return numbers;
}

} // namespace drawbook
