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
    struct Slot {
        std::int32_t count = 0;
        int digit = -1;
    };
    std::array<Slot, kPredictionCount> slots{};
    for (int i = 0; i <= 9; ++i) {
        const std::int32_t count =
            table.successors[static_cast<std::size_t>(i)][static_cast<std::size_t>(table.latest)];
        // "Less than or equal": a later digit with the same count goes ahead.
        const auto slot = std::find_if(slots.begin(), slots.end(), [count](const Slot& s) { return s.count <= count; });
        if (slot != slots.end()) {
            std::move_backward(slot, slots.end() - 1, slots.end());
            *slot = Slot{count, i};
        }
    }
    std::array<int, kPredictionCount> digits{};
    std::transform(slots.begin(), slots.end(), digits.begin(), [](const Slot& s) { return s.digit; });
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
