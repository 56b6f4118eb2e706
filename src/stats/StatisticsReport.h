#pragma once

#include "db/DrawHistory.h"
#include "db/DrawResultsTable.h"
#include "predict/Backtest.h"
#include "stats/DrawStatistics.h"
#include "stats/Ledger.h"
#include "tickets/TicketBook.h"
#include "tickets/TicketTotals.h"

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace drawbook {

// What a read of the book did to the report.
enum class ReportChange {
    Failed,       // the book could not be read to the end: the report is empty
    Reused,       // the same draws, numbers and payouts: the backtest and both ledgers stand
    PicksScored,  // new numbers stored with the same draws: only they are scored again
    LedgerScored, // new payouts of the same draws: both ledgers are scored again, the backtest stands
    BacktestRun,  // new draws or other chart points: the backtest runs again and scores the prediction in its walk
};

// One point of the prediction's running balance of a ticket.
struct BalancePoint {
    int drawNo = 0;
    long long yen = 0;
};

// The statistics and the ledger of the last draws of the history.
struct PeriodReport {
    DrawStatistics statistics;
    std::span<const HistoryDraw> draws; // the draws counted, oldest first; into the report's history
    std::vector<LedgerLine> tickets;    // the recorded tickets won or lost, one line per bet, units as tickets
    std::vector<MonthBalance> months;   // their months, oldest first
    std::vector<LedgerLine> picks;      // one line per ticket of the game
    std::vector<LedgerLine> prediction;
    int drawsWithoutResults = 0;        // the draws of the period whose payouts are not known
    bool numbersWithoutResults = false; // numbers are stored in the period, none at a draw with payouts
    // Per ticket, the prediction's balance through as many points as the backtest keeps.
    std::vector<std::vector<BalancePoint>> balance;
    long long lowestBalance = 0; // of every draw, 0 included
    long long highestBalance = 0;
};

// A game's history, backtest and ledger as the statistics window shows them. A read
// of the book computes again only what the draws and payouts read have changed.
class StatisticsReport {
public:
    explicit StatisticsReport(Game game) : m_game(game) {}

    // Reads the draws, the numbers, the payouts and the recorded tickets again. The backtest keeps
    // chartPoints steps and stands as long as the draws and that number do; the
    // prediction's ledger stands as long as the draws and the payouts do, and the
    // stored numbers' ledger as long as those and the numbers do.
    ReportChange Refresh(const std::string& dbPath, std::size_t chartPoints);
    // Forgets everything read, as after a failed read.
    void Clear();

    bool IsRead() const { return m_read; }
    const std::vector<HistoryDraw>& History() const { return m_history; }
    int SkippedRows() const { return m_skippedRows; }
    bool HasResults() const { return !m_results.empty(); }
    // The payouts read last, in draw order.
    const std::vector<StoredResults>& Results() const { return m_results; }
    const BacktestResult& Backtest() const { return m_backtest; }
    bool HasTickets() const { return !m_tickets.empty(); }
    // Why the recorded tickets could not be read; empty when they were.
    const std::string& TicketsError() const { return m_ticketsError; }

    // Over the whole history, or over its last `last` draws for `last` above 0.
    PeriodReport ForPeriod(int last) const;

private:
    Game m_game;
    bool m_read = false; // false until read, and after a failed read
    std::vector<HistoryDraw> m_history;
    int m_skippedRows = 0;
    std::vector<StoredResults> m_results;       // the payouts read last
    std::vector<StoredNumbers> m_numbers;       // the stored numbers read last, beside the history
    BacktestResult m_backtest;                  // over the whole history
    std::size_t m_backtestPoints = 0;           // the steps the backtest kept; 0 for none
    std::vector<LedgerDraw> m_picksLedger;      // the draws at which a stored number was bought
    std::vector<LedgerDraw> m_predictionLedger; // the draws at which the prediction was bought
    // The recorded tickets with their results, read again every time: there are few.
    std::vector<TicketRow> m_tickets;
    std::string m_ticketsError;
};

} // namespace drawbook
