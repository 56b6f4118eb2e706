#pragma once

#include "db/DrawHistory.h"
#include "db/DrawResultsTable.h"
#include "db/ReadStatus.h"
#include "draw/Bet.h"
#include "predict/Backtest.h"
#include "predict/PredictionMethod.h"

#include <span>
#include <string>
#include <vector>

namespace drawbook {

// Every draw is scored unless a period is asked for.
inline constexpr std::size_t kEveryDraw = static_cast<std::size_t>(-1);

// One method's bet over the scored draws.
struct ComparisonRow {
    Method method = Method::Follow;
    BetScore score;         // draws, hits, expected, variance
    double p = 1.0;         // the exact chance of at least that many hits by luck
    double adjustedP = 1.0; // Holm's step-down over every row of the table
    // The five numbers bought once as the bet at every scored draw whose payout of
    // the bet is stored; a box is not sold for a number of one digit.
    long long tickets = 0;
    long long cost = 0;
    long long won = 0;
    // 回収率 as the ledger writes it; empty when no ticket was bought.
    std::string ReturnText() const;
};

// One method's walk, its kept steps as the backtest keeps them.
struct MethodSteps {
    Method method = Method::Follow;
    std::vector<BacktestStep> steps;
};

struct MethodComparison {
    ReadStatus status = ReadStatus::Complete;
    std::string error;
    std::vector<ComparisonRow> rows; // methods in AllMethods order, each with its bets in ScoredBetsOf order
    std::vector<MethodSteps> walks;  // in AllMethods order; steps only when asked for
};

// P(X >= hits) where X counts the successes of independent draws with these
// chances: the upper tail of the Poisson-binomial distribution, by dynamic
// programming over the count.
double UpperTail(std::span<const double> chances, int hits);

// Holm's step-down adjustment of the p-values, in their own order: the i-th
// smallest times (n - i + 1), never below the one before it, at most 1.
std::vector<double> HolmAdjusted(std::span<const double> pValues);

// Scores every method on the history as the backtest does, counting only the last
// `last` draws (every earlier draw is still read). results: the stored payouts in
// draw order (may be empty). keptSteps: per method, as RunBacktest keeps them.
MethodComparison CompareMethods(Game game, std::span<const HistoryDraw> history, std::span<const StoredResults> results,
                                std::size_t last = kEveryDraw, std::size_t keptSteps = 0);

// The comparison over every draw of the game, with the book's stored payouts.
MethodComparison CompareFromDatabase(const std::string& dbPath, Game game, std::size_t last = kEveryDraw,
                                     std::size_t keptSteps = 0);

// The plain verdict under the table: 「どの方法も偶然と区別できません（最小の補正p 0.103）。」, or
// which method and bet fell below 0.05 and that it may still be chance.
std::string ComparisonVerdict(std::span<const ComparisonRow> rows);

} // namespace drawbook
