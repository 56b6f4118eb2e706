#pragma once

#include "db/ReadStatus.h"
#include "draw/Bet.h"
#include "predict/NextDrawPredictor.h"
#include "predict/PredictionMethod.h"
#include "predict/PredictionQuery.h"
#include "predict/WalkForward.h"

#include <array>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace drawbook {

// Whether any of the picks wins the bet on the winning digits.
bool WinsBet(Game game, Bet bet, const PredictedNumbers& picks, std::span<const int> winning);

// The exact chance that a draw makes any of the picks win the bet: distinct picks
// over 10^n (straight), distinct arrangements the picks cover over 10^n (box),
// distinct last-two-digit pairs over 100 (mini).
double ChanceOfWin(Game game, Bet bet, const PredictedNumbers& picks);

// How one bet did over the backtest.
struct BetScore {
    Bet bet = Bet::Straight;
    int draws = 0;
    int hits = 0;        // draws on which any of the five picks won
    double expected = 0; // the sum of the chances
    double variance = 0; // the sum of p(1 - p)
    // (hits - expected) / sqrt(variance); 0 when there is no variance.
    double Z() const;
};

// One scored draw, with the running totals of every bet of the game in ScoredBetsOf order.
struct BacktestStep {
    int drawNo = 0;
    PredictedNumbers picks;
    std::vector<int> cumulativeHits;
    std::vector<double> cumulativeExpected;
};

struct BacktestResult {
    ReadStatus status = ReadStatus::Complete;
    std::vector<BetScore> scores; // in ScoredBetsOf order
    std::vector<BacktestStep> steps;
    std::string error;
};

// "0.382", "-0.813": three decimals, as scores are shown; never "-0.000".
std::string ThreeDecimals(double value);

// Every step of a backtest is kept unless fewer are asked for.
inline constexpr std::size_t kEveryStep = static_cast<std::size_t>(-1);

// Walks forward through the history, oldest first: every draw after the first is
// scored against the five numbers the prediction proposes from the draws before it.
// At most keptSteps steps are kept, spread evenly and the last one always among
// them (none for 0); the scores count every draw all the same. onDraw, when given,
// sees every scored draw with its picks, so another tally can share the walk. The
// method proposes the numbers; follow is the prediction as it always was.
BacktestResult RunBacktest(Game game, std::span<const HistoryDraw> history, std::size_t keptSteps = kEveryStep,
                           const std::function<void(const HistoryDraw&, const PickSet&)>& onDraw = {},
                           Method method = Method::Follow);

// The backtest over every draw of the game with kaisai>0.
BacktestResult BacktestFromDatabase(const std::string& dbPath, Game game, std::size_t keptSteps = kEveryStep,
                                    Method method = Method::Follow);

} // namespace drawbook
