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
    // The most frequent successors first; of equal counts, the larger digit: a
    // key of count and digit orders both at once.
    std::array<std::int64_t, 10> keys{};
    for (int digit = 0; digit < 10; ++digit) {
        keys[static_cast<std::size_t>(digit)] = std::int64_t{count(digit)} * 16 + digit;
    }
    std::array<int, kPredictionCount> digits{};
    for (int& rank : digits) {
        std::size_t best = 0;
        for (std::size_t digit = 1; digit < keys.size(); ++digit) {
            best = keys[digit] > keys[best] ? digit : best;
        }
        keys[best] = -1;
        rank = static_cast<int>(best);
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
