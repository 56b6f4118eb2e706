#include "db/Connection.h"
#include "db/DrawHistory.h"
#include "db/DrawResultsTable.h"
#include "stats/Ledger.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace drawbook;
using namespace drawbook::test;

namespace {

std::vector<int> DrawNumbers(const std::vector<HistoryDraw>& history) {
    std::vector<int> numbers;
    for (const HistoryDraw& draw : history) {
        numbers.push_back(draw.drawNo);
    }
    return numbers;
}

// Draws 1 to 9; the odd ones hold a digit that is no digit 0-9 as stored.
void InsertOddRows(const TestDatabase& db) {
    db.Insert(Game::Numbers3,
              {Draw(1, "123", {"123"}), Draw(3, "456"), Draw(5, "789"), Draw(7, "012"), Draw(9, "345", {"345"})});
    db.Execute("INSERT INTO ナンバーズ3 (kaisai,N100,N10,N1) VALUES "
               "(2,1,'x',3),"   // text
               "(4,1,5.5,3),"   // a real
               "(6,1,65541,3)," // past 16 bits, 5 once cut to them
               "(8,1,10,3),"
               "(10,NULL,2,3)");
}

} // namespace

// The ledger's history leaves out the rows the statistics' history leaves out,
// whether the book has payouts (numbers read too) or not (digits alone).
TEST(LedgerReadTest, SkipsTheRowsTheHistorySkips) {
    for (const bool withResults : {false, true}) {
        SCOPED_TRACE(withResults ? "with results" : "without results");
        TestDatabase db;
        InsertOddRows(db);
        if (withResults) {
            Connection connection(db.Path(), OpenMode::ReadWrite);
            CreateResultsTable(connection);
            DrawResults paid;
            paid.yen = {1000, 100, 550, 50, 10};
            ResultsWriter(connection, Game::Numbers3, false).Write(9, paid);
        }
        const Ledger ledger = ReadLedger(db.Path(), Game::Numbers3);
        const DrawHistory history = ReadDrawHistory(db.Path(), Game::Numbers3);
        ASSERT_EQ(ledger.status, ReadStatus::Complete) << ledger.error;
        EXPECT_EQ(DrawNumbers(ledger.history), (std::vector<int>{1, 3, 5, 7, 9}));
        EXPECT_EQ(DrawNumbers(ledger.history), DrawNumbers(history.draws));
        EXPECT_EQ(ledger.skippedRows, 5);
        EXPECT_EQ(ledger.skippedRows, history.skippedRows);
        if (!withResults) {
            // Nothing is bought in a book without payouts.
            EXPECT_TRUE(ledger.picks.empty());
            EXPECT_TRUE(ledger.prediction.empty());
            continue;
        }
        // Only draw 9 has results: its "345" won every ticket, 1000, 100, 550 and 10 yen.
        ASSERT_EQ(ledger.picks.size(), size_t(1));
        EXPECT_EQ(ledger.picks[0].drawNo, 9);
        const std::vector<long long> won = {1000, 100, 550, 10};
        for (std::size_t t = 0; t < won.size(); ++t) {
            EXPECT_EQ(ledger.picks[0].tickets[t], 1);
            EXPECT_EQ(ledger.picks[0].won[t], won[t]);
        }
    }
}
