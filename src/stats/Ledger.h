#pragma once

#include "db/DrawHistory.h"
#include "db/DrawResultsTable.h"
#include "db/ReadStatus.h"
#include "draw/DrawResults.h"
#include "predict/WalkForward.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace drawbook {

// What one source's numbers cost and paid at one draw, per bet in BetsOf order.
struct LedgerDraw {
    int drawNo = 0;
    std::array<std::uint8_t, kBetCount> tickets{}; // at most the five numbers of a draw
    std::array<std::int32_t, kBetCount> won{};     // at most five payouts of kMaxYen
};

// Whose numbers were bought.
enum class LedgerSource {
    Picks,      // the numbers stored in the book
    Prediction, // the five numbers proposed before each draw
};
// "picks", "prediction": the command line's names.
std::string_view SourceName(LedgerSource source);

// One bet over a period.
struct LedgerLine {
    Bet bet = Bet::Straight;
    long long tickets = 0;
    long long cost = 0;
    long long won = 0;

    long long Balance() const { return won - cost; }
    // 回収率: won over cost in percent with one decimal, a half rounded up; "0.0"
    // when nothing was bought.
    std::string ReturnText() const;
};

// One draw's numbers, each bought as one ticket of every kind the game has. A
// number that is not the game's length of digits is no ticket, and no bet counts
// whose payout is unknown.
LedgerDraw ScoreNumbers(Game game, int drawNo, std::span<const PickDigits> numbers, std::span<const int> winning,
                        const DrawResults& results);

// The numbers stored with one draw, each as its digits read as one decimal number;
// kNoNumber where the field holds no number of the game's length.
using StoredNumbers = std::array<std::uint16_t, kNumberCount>;
inline constexpr std::uint16_t kNoNumber = 0xFFFF;

// Appends the draw when anything was bought at it: the others add nothing to any sum.
void KeepBought(std::vector<LedgerDraw>& kept, const LedgerDraw& draw);

// The totals of the draws from firstDrawNo on, one line per bet of the game.
std::vector<LedgerLine> SumLedger(Game game, std::span<const LedgerDraw> draws, int firstDrawNo = 0);

// The book's ledger: its draws in draw order, each with what it cost and paid.
struct Ledger {
    ReadStatus status = ReadStatus::Complete;
    std::string error;
    std::vector<HistoryDraw> history; // the draws with every digit 0-9, oldest first
    int skippedRows = 0;              // rows left out of the history, as ReadDrawHistory leaves them
    // These three empty when the book has no payouts of the game.
    std::vector<StoredNumbers> numbers; // beside the history: the numbers stored with each draw
    std::vector<LedgerDraw> picks;      // the draws of the history at which a stored number was bought
    std::vector<LedgerDraw> prediction; // the draws after the first at which the prediction was bought
    std::vector<StoredResults> results; // the stored dates and payouts
};

// Reads the draws, their numbers and their results; the history takes the same
// draws the backtest does. Without `score` neither the numbers nor the prediction
// are scored: the caller scores them with ScorePicks, and may share another walk
// (RunBacktest's onDraw) to score the prediction with ScorePrediction.
Ledger ReadLedger(const std::string& dbPath, Game game, bool score = true);

// Scores the numbers stored with the draws of the history whose payouts are known.
std::vector<LedgerDraw> ScorePicks(Game game, std::span<const HistoryDraw> history,
                                   std::span<const StoredNumbers> numbers, std::span<const StoredResults> results);

// Scores one draw's proposed numbers against its results.
LedgerDraw ScorePrediction(Game game, const HistoryDraw& draw, const PickSet& picks,
                           std::span<const StoredResults> results);

} // namespace drawbook
