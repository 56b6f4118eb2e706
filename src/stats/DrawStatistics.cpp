#include "stats/DrawStatistics.h"

#include <algorithm>

namespace drawbook {

namespace {

constexpr std::array<DigitPattern, 3> kPatterns3 = {DigitPattern::AllDifferent, DigitPattern::OnePair,
                                                    DigitPattern::AllSame};
constexpr std::array<DigitPattern, 5> kPatterns4 = {DigitPattern::AllDifferent, DigitPattern::OnePair,
                                                    DigitPattern::TwoPairs, DigitPattern::ThreeAlike,
                                                    DigitPattern::AllSame};

} // namespace

std::string_view PatternLabel(DigitPattern pattern) {
    switch (pattern) {
    case DigitPattern::AllDifferent:
        return "すべて異なる（シングル）";
    case DigitPattern::OnePair:
        return "2つ同じ（ダブル）";
    case DigitPattern::TwoPairs:
        return "2つずつ同じ（ダブルダブル）";
    case DigitPattern::ThreeAlike:
        return "3つ同じ（トリプル）";
    case DigitPattern::AllSame:
        return "すべて同じ（ゾロ目）";
    }
    return {};
}

std::span<const DigitPattern> PatternsOf(Game game) {
    if (game == Game::Numbers3) {
        return kPatterns3;
    }
    return kPatterns4;
}

DigitPattern PatternOf(std::span<const int> digits) {
    std::array<int, 10> seen{};
    for (const int digit : digits) {
        ++seen.at(static_cast<std::size_t>(digit));
    }
    const int most = *std::max_element(seen.begin(), seen.end());
    const auto pairs = std::count(seen.begin(), seen.end(), 2);
    if (most == static_cast<int>(digits.size())) {
        return DigitPattern::AllSame;
    }
    if (most == 3) {
        return DigitPattern::ThreeAlike;
    }
    if (pairs == 2) {
        return DigitPattern::TwoPairs;
    }
    return most == 2 ? DigitPattern::OnePair : DigitPattern::AllDifferent;
}

double TheoreticalShare(Game game, DigitPattern pattern) {
    // Counted over all 10^n numbers: e.g. one pair of four digits is
    // 10 (the pair) x 6 (its places) x 9 x 8 (the other two) = 4320.
    if (game == Game::Numbers3) {
        switch (pattern) {
        case DigitPattern::AllDifferent:
            return 720 / 1000.0;
        case DigitPattern::OnePair:
            return 270 / 1000.0;
        case DigitPattern::AllSame:
            return 10 / 1000.0;
        default:
            return 0;
        }
    }
    switch (pattern) {
    case DigitPattern::AllDifferent:
        return 5040 / 10000.0;
    case DigitPattern::OnePair:
        return 4320 / 10000.0;
    case DigitPattern::TwoPairs:
        return 270 / 10000.0;
    case DigitPattern::ThreeAlike:
        return 360 / 10000.0;
    case DigitPattern::AllSame:
        return 10 / 10000.0;
    }
    return 0;
}

DrawStatistics ComputeStatistics(Game game, std::span<const HistoryDraw> history, std::optional<int> last) {
    const int positions = Positions(game);
    if (last && *last >= 0 && static_cast<std::size_t>(*last) < history.size()) {
        history = history.last(static_cast<std::size_t>(*last));
    }
    DrawStatistics statistics;
    statistics.draws = static_cast<int>(history.size());
    statistics.counts.assign(static_cast<std::size_t>(positions), {});
    statistics.drawsSinceSeen.assign(static_cast<std::size_t>(positions), {});
    for (auto& since : statistics.drawsSinceSeen) {
        since.fill(statistics.draws);
    }
    std::vector<int> patternDraws(PatternsOf(game).size(), 0);
    for (std::size_t i = 0; i < history.size(); ++i) {
        const std::span<const int> digits(history[i].digits.data(), static_cast<std::size_t>(positions));
        const int after = statistics.draws - 1 - static_cast<int>(i);
        for (std::size_t p = 0; p < digits.size(); ++p) {
            const auto digit = static_cast<std::size_t>(digits[p]);
            ++statistics.counts[p][digit];
            statistics.drawsSinceSeen[p][digit] = after;
        }
        const auto patterns = PatternsOf(game);
        const auto found = std::find(patterns.begin(), patterns.end(), PatternOf(digits));
        ++patternDraws[static_cast<std::size_t>(found - patterns.begin())];
    }
    const auto patterns = PatternsOf(game);
    for (std::size_t k = 0; k < patterns.size(); ++k) {
        const double share = statistics.draws > 0 ? static_cast<double>(patternDraws[k]) / statistics.draws : 0.0;
        statistics.patterns.push_back({patterns[k], patternDraws[k], share, TheoreticalShare(game, patterns[k])});
    }
    return statistics;
}

} // namespace drawbook
