#include "stats/StatisticsReport.h"
#include "db/Connection.h"
#include "db/DrawResultsTable.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace drawbook;
using namespace drawbook::test;

namespace {

void WriteResults(const TestDatabase& db, int drawNo, std::array<int, kPrizeCount> yen) {
    Connection connection(db.Path(), OpenMode::ReadWrite);
    CreateResultsTable(connection);
    ResultsWriter(connection, Game::Numbers3, false).Write(drawNo, DrawResults{20260724, yen});
}

// Draws 1 123, 2 456, 3 789. Before draw 2 the prediction is 999 888 777 666 555
// (nothing followed anything yet): five straight and five mini tickets, no box or
// set ticket of a number all the same digit, and none of them wins on 456.
void InsertBook(const TestDatabase& db) {
    db.Insert(Game::Numbers3, {Draw(1, "123"), Draw(2, "456"), Draw(3, "789")});
}

} // namespace

// Each read of the book after a change, in turn: what the report computes again.
TEST(StatisticsReportTest, RecomputesOnlyWhatTheChangeTouches) {
    TestDatabase db;
    InsertBook(db);
    const std::string missing = db.Dir().File("ない.mdb");
    struct Step {
        const char* change;
        std::function<void()> apply;
        std::size_t points;
        bool readable;
        ReportChange expected;
        long long predictionStraight; // tickets of the prediction's straight line, whole history
        long long picksStraightWon;
    };
    const std::vector<Step> steps = {
        {"first read", [] {}, 1000, true, ReportChange::BacktestRun, 0, 0},
        {"the same book", [] {}, 1000, true, ReportChange::Reused, 0, 0},
        {"payouts of draw 2",
         [&] {
             WriteResults(db, 2, {100000, 16000, 58000, 8000, 10000});
         },
         1000, true, ReportChange::LedgerScored, 5, 0},
        {"the same payouts again",
         [&] {
             WriteResults(db, 2, {100000, 16000, 58000, 8000, 10000});
         },
         1000, true, ReportChange::Reused, 5, 0},
        {"a payout changed",
         [&] {
             WriteResults(db, 2, {90000, 16000, 58000, 8000, 10000});
         },
         1000, true, ReportChange::LedgerScored, 5, 0},
        {"a stored number", [&] { db.Execute("UPDATE ナンバーズ3 SET kounyu1='456' WHERE kaisai=2"); }, 1000, true,
         ReportChange::PicksScored, 5, 90000},
        {"the same number in full-width digits",
         [&] { db.Execute("UPDATE ナンバーズ3 SET kounyu1='４５６' WHERE kaisai=2"); }, 1000, true,
         ReportChange::Reused, 5, 90000},
        // The stored numbers are scored again with the payouts.
        {"a payout changed under a stored number",
         [&] {
             WriteResults(db, 2, {80000, 16000, 58000, 8000, 10000});
         },
         1000, true, ReportChange::LedgerScored, 5, 80000},
        {"fewer chart points", [] {}, 500, true, ReportChange::BacktestRun, 5, 80000},
        {"a new draw", [&] { db.Insert(Game::Numbers3, Draw(4, "012")); }, 500, true, ReportChange::BacktestRun, 5,
         80000},
        {"a draw's digit changed", [&] { db.Execute("UPDATE ナンバーズ3 SET N1=3 WHERE kaisai=4"); }, 500, true,
         ReportChange::BacktestRun, 5, 80000},
        {"no book", [] {}, 500, false, ReportChange::Failed, 0, 0},
        {"the book again", [] {}, 500, true, ReportChange::BacktestRun, 5, 80000},
    };

    StatisticsReport report(Game::Numbers3);
    for (const Step& step : steps) {
        SCOPED_TRACE(step.change);
        step.apply();
        const BacktestStep* shownSteps = report.Backtest().steps.data();
        EXPECT_EQ(report.Refresh(step.readable ? db.Path() : missing, step.points), step.expected);
        EXPECT_EQ(report.IsRead(), step.readable);
        // A backtest run again is built beside the one it replaces, so its steps lie elsewhere.
        EXPECT_EQ(report.Backtest().steps.data() != shownSteps,
                  step.expected == ReportChange::BacktestRun || step.expected == ReportChange::Failed);
        if (!step.readable) {
            EXPECT_TRUE(report.History().empty());
            EXPECT_TRUE(report.Backtest().steps.empty());
            continue;
        }
        // The draws after the first, every step kept.
        EXPECT_EQ(report.Backtest().steps.size(), report.History().size() - 1);
        const PeriodReport whole = report.ForPeriod(0);
        ASSERT_EQ(whole.prediction.size(), 4u);
        EXPECT_EQ(whole.prediction[0].tickets, step.predictionStraight);
        EXPECT_EQ(whole.prediction[3].tickets, step.predictionStraight); // mini
        EXPECT_EQ(whole.prediction[1].tickets + whole.prediction[2].tickets, 0);
        EXPECT_EQ(whole.picks[0].won, step.picksStraightWon);
    }
}

// A period takes the last draws of the history read; the ledger counts from its first draw.
TEST(StatisticsReportTest, PeriodTakesTheLastDraws) {
    TestDatabase db;
    InsertBook(db);
    db.Execute("UPDATE ナンバーズ3 SET kounyu1='456' WHERE kaisai=2");
    WriteResults(db, 2, {100000, 16000, 58000, 8000, 10000});
    StatisticsReport report(Game::Numbers3);
    ASSERT_EQ(report.Refresh(db.Path(), 1000), ReportChange::BacktestRun);

    using Points = std::vector<std::pair<int, long long>>;
    struct Case {
        int last;
        int first;
        int draws;
        int withoutResults;
        long long picksStraight;
        Points straightBalance;
        Points boxBalance;
        long long lowest;
    };
    const std::vector<Case> cases = {
        // 456 bought and won at draw 2: one ticket of each kind, the straight 100,000.
        {0, 1, 3, 2, 1, {{2, -1000}}, {{2, 0}}, -1000},
        {2, 2, 2, 1, 1, {{2, -1000}}, {{2, 0}}, -1000},
        {1, 3, 1, 1, 0, {}, {}, 0},
        {100, 1, 3, 2, 1, {{2, -1000}}, {{2, 0}}, -1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.last);
        const PeriodReport period = report.ForPeriod(c.last);
        EXPECT_EQ(period.statistics.draws, c.draws);
        ASSERT_EQ(period.draws.size(), static_cast<std::size_t>(c.draws));
        EXPECT_EQ(period.draws.front().drawNo, c.first);
        EXPECT_EQ(period.draws.back().drawNo, 3);
        EXPECT_EQ(period.drawsWithoutResults, c.withoutResults);
        EXPECT_EQ(period.picks[0].tickets, c.picksStraight);
        EXPECT_EQ(period.picks[0].won, c.picksStraight * 100000);
        ASSERT_EQ(period.balance.size(), 4u);
        for (const auto& [line, expected] : {std::pair{0, c.straightBalance}, std::pair{1, c.boxBalance}}) {
            Points points;
            for (const BalancePoint& point : period.balance[static_cast<std::size_t>(line)]) {
                points.emplace_back(point.drawNo, point.yen);
            }
            EXPECT_EQ(points, expected);
        }
        EXPECT_EQ(period.lowestBalance, c.lowest);
        EXPECT_EQ(period.highestBalance, 0);
    }
    // Whatever the period, the backtest covers the whole history.
    EXPECT_EQ(report.Backtest().steps.size(), 2u);
}
