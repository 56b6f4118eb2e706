#pragma once

#include "db/DrawHistory.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace drawbook {

// How the digits of a winning number repeat.
enum class DigitPattern {
    AllDifferent, // 123, 1234
    OnePair,      // 112, 1123
    TwoPairs,     // 1122 (four digits only)
    ThreeAlike,   // 1112 (four digits only)
    AllSame,      // 111, 1111
};

// "すべて異なる（シングル）" and so on.
std::string_view PatternLabel(DigitPattern pattern);
// The patterns a game can show, from all different to all the same.
std::span<const DigitPattern> PatternsOf(Game game);
DigitPattern PatternOf(std::span<const int> digits);
// The exact share of all 10^n numbers that show the pattern: 720/1000 for three
// different digits, 5040/10000 for four.
double TheoreticalShare(Game game, DigitPattern pattern);

struct PatternCount {
    DigitPattern pattern = DigitPattern::AllDifferent;
    int draws = 0;
    double share = 0;       // draws / all draws counted; 0 when none
    double theoretical = 0; // TheoreticalShare
};

struct DrawStatistics {
    int draws = 0; // the draws counted
    // [position][digit], position 0 = highest
    std::vector<std::array<int, 10>> counts;
    // Draws after the latest one holding the digit at the position: 0 when the
    // latest draw holds it, all draws counted when none does.
    std::vector<std::array<int, 10>> drawsSinceSeen;
    std::vector<PatternCount> patterns; // in PatternsOf order
};

// Over the whole history (oldest first), or over its last `last` draws.
DrawStatistics ComputeStatistics(Game game, std::span<const HistoryDraw> history, std::optional<int> last = std::nullopt);

} // namespace drawbook
