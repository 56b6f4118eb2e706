#include "predict/Backtest.h"

#include "draw/DigitText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace drawbook {

namespace {

using Digits = PickDigits;

// The picks that are numbers of the game, as digits; unused places stay zero.
std::vector<Digits> NumbersAsDigits(Game game, const PredictedNumbers& picks) {
    std::vector<Digits> digits;
    for (const std::string& pick : picks) {
        if (const auto number = NumberDigits(game, pick)) {
            Digits d{};
            std::copy(number->begin(), number->end(), d.begin());
            digits.push_back(d);
        }
    }
    return digits;
}

bool PickWins(Bet bet, int positions, const Digits& pick, std::span<const int> winning) {
    return Wins(bet, std::span(pick.data(), static_cast<std::size_t>(positions)), winning);
}

// Arrangements of the digits: n! over the factorial of each digit's count.
int Arrangements(std::span<const int> digits) {
    std::array<int, 10> seen{};
    int arrangements = 1;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        arrangements *= static_cast<int>(i) + 1;
        arrangements /= ++seen[static_cast<std::size_t>(digits[i])];
    }
    return arrangements;
}

double Chance(Bet bet, int positions, std::span<const Digits> picks) {
    // Picks that win on the same outcomes are counted once: the same number
    // (straight), the same digits in any order (box), the same last two (mini).
    // Each is known by its key: those digits read as one number.
    const auto used = static_cast<std::size_t>(positions);
    std::array<int, kPredictionCount> keys{};
    std::size_t distinct = 0;
    int outcomes = 0;
    for (const Digits& pick : picks) {
        Digits digits = pick;
        if (bet == Bet::Box) {
            // Insertion sort of the used places: the digits in ascending order.
            for (std::size_t i = 1; i < used; ++i) {
                for (std::size_t j = i; j > 0 && digits[j - 1] > digits[j]; --j) {
                    std::swap(digits[j - 1], digits[j]);
                }
            }
        }
        int key = 0;
        for (std::size_t p = bet == Bet::Mini ? used - 2 : 0; p < used; ++p) {
            key = key * 10 + digits[p];
        }
        const auto known = keys.begin() + static_cast<std::ptrdiff_t>(distinct);
        if (std::find(keys.begin(), known, key) != known) {
            continue;
        }
        keys[distinct++] = key;
        outcomes += bet == Bet::Box ? Arrangements(std::span(digits.data(), used)) : 1;
    }
    const double all = bet == Bet::Mini ? 100.0 : positions == 3 ? 1000.0 : 10000.0;
    return outcomes / all;
}

BacktestStep Step(int drawNo, int positions, const std::array<Digits, kPredictionCount>& picks,
                  const std::vector<BetScore>& scores) {
    BacktestStep step;
    step.drawNo = drawNo;
    for (std::size_t k = 0; k < picks.size(); ++k) {
        step.picks[k] = DigitsText(std::span(picks[k].data(), static_cast<std::size_t>(positions)));
    }
    for (const BetScore& score : scores) {
        step.cumulativeHits.push_back(score.hits);
        step.cumulativeExpected.push_back(score.expected);
    }
    return step;
}

} // namespace

bool WinsBet(Game game, Bet bet, const PredictedNumbers& picks, std::span<const int> winning) {
    const int positions = Positions(game);
    if (static_cast<int>(winning.size()) != positions ||
        std::any_of(winning.begin(), winning.end(), [](int d) { return d < 0 || d > 9; })) {
        return false;
    }
    const std::vector<Digits> digits = NumbersAsDigits(game, picks);
    return std::any_of(digits.begin(), digits.end(),
                       [&](const Digits& pick) { return PickWins(bet, positions, pick, winning); });
}

double ChanceOfWin(Game game, Bet bet, const PredictedNumbers& picks) {
    return Chance(bet, Positions(game), NumbersAsDigits(game, picks));
}

std::string ThreeDecimals(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", value);
    return std::string_view(text) == "-0.000" ? "0.000" : text;
}

double BetScore::Z() const {
    return variance > 0 ? (hits - expected) / std::sqrt(variance) : 0.0;
}

BacktestResult RunBacktest(Game game, std::span<const HistoryDraw> history, std::size_t keptSteps,
                           const std::function<void(const HistoryDraw&, const PickSet&)>& onDraw, Method method) {
    const int positions = Positions(game);
    BacktestResult result;
    for (const Bet bet : ScoredBetsOf(game)) {
        result.scores.push_back({bet, 0, 0, 0.0, 0.0});
    }
    const std::size_t scored = history.empty() ? 0 : history.size() - 1;
    const std::size_t kept = std::min(keptSteps, scored);
    result.steps.reserve(kept);
    // Step i of the scored draws is kept when it ends one of `kept` equal shares of them.
    const auto keeps = [&](std::size_t i) {
        return kept == scored || (kept > 0 && (i + 1) * kept / scored != i * kept / scored);
    };
    std::size_t index = 0;
    const auto tally = [&](const HistoryDraw& draw, const PickSet& picks) {
        const std::span<const int> digits(draw.digits.data(), static_cast<std::size_t>(positions));
        for (BetScore& score : result.scores) {
            const double chance = Chance(score.bet, positions, picks);
            ++score.draws;
            if (std::any_of(picks.begin(), picks.end(),
                            [&](const PickDigits& pick) { return PickWins(score.bet, positions, pick, digits); })) {
                ++score.hits;
            }
            score.expected += chance;
            score.variance += chance * (1.0 - chance);
        }
        if (keeps(index++)) {
            result.steps.push_back(Step(draw.drawNo, positions, picks, result.scores));
        }
        if (onDraw) {
            onDraw(draw, picks);
        }
    };
    // Today's prediction keeps its own walk; the others go by the method's.
    if (method == Method::Follow) {
        WalkForward(game, history, tally);
    } else {
        WalkForwardBy(method, game, history, tally);
    }
    return result;
}

BacktestResult BacktestFromDatabase(const std::string& dbPath, Game game, std::size_t keptSteps, Method method) {
    const DrawHistory history = ReadDrawHistory(dbPath, game);
    if (history.status != ReadStatus::Complete) {
        BacktestResult result;
        result.status = history.status;
        result.error = history.error;
        return result;
    }
    return RunBacktest(game, history.draws, keptSteps, {}, method);
}

} // namespace drawbook
