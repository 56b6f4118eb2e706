#include "db/DrawStore.h"
#include "db/Connection.h"
#include "db/DrawResultsTable.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

using namespace drawbook;
using namespace drawbook::test;

namespace {

std::string Conflicts(const AddResult& result) {
    std::string text;
    for (const DrawConflict& conflict : result.conflicts) {
        text += std::to_string(conflict.index) + ":" + conflict.stored + " ";
    }
    return text;
}

} // namespace

// The stored draws and the batch are met in one pass: draws on either side of
// stored ones, equal draws in the batch, and a batch out of order.
TEST(DrawStoreTest, StoredDrawsAreMetWhereverTheyStand) {
    TestDatabase db;
    db.Insert(Game::Numbers3, {Draw(1, "191"), Draw(3, "286"), Draw(5, "872"), Draw(7, "019")});
    const std::vector<std::string> stored = db.Rows(Game::Numbers3);

    // 7 differs from the book, the second 4 from the first 4: nothing is written.
    const std::vector<NewDraw> refused = {{8, {1, 1, 1}}, {2, {9, 8, 8}}, {3, {2, 8, 6}},
                                          {4, {0, 0, 1}}, {7, {0, 1, 8}}, {4, {0, 0, 2}}};
    const AddResult conflict = AddDraws(db.Path(), Game::Numbers3, refused);
    EXPECT_EQ(conflict.outcome, AddOutcome::Conflict);
    EXPECT_EQ(Conflicts(conflict), "5:001 4:019 ");
    EXPECT_EQ(db.Rows(Game::Numbers3), stored);

    const std::vector<NewDraw> accepted = {{8, {1, 1, 1}}, {2, {9, 8, 8}}, {3, {2, 8, 6}},
                                           {4, {0, 0, 1}}, {4, {0, 0, 1}}, {6, {5, 5, 5}}};
    const AddResult added = AddDraws(db.Path(), Game::Numbers3, accepted);
    EXPECT_EQ(added.outcome, AddOutcome::Added);
    EXPECT_EQ(added.added, 4U);
    EXPECT_EQ(added.skipped, 2U);
    EXPECT_EQ(added.firstAdded, 2);
    EXPECT_EQ(added.lastAdded, 8);
    EXPECT_EQ(db.Rows(Game::Numbers3).size(), 8U);
}

// Results come with the draws of any source: the table is made only for a batch
// that has some, a draw the book lacks replaces what a row of its number kept,
// and two copies in one batch must agree.
TEST(DrawStoreTest, ResultsAreAddedAgreedOnAndMadeOnlyWhenThereAreSome) {
    TestDatabase db;
    db.Insert(Game::Numbers3, Draw(1, "191"));
    const auto draw = [](int drawNo, DigitList digits, int date, int straight) {
        NewDraw made{drawNo, digits, 0};
        made.results.date = date;
        made.results.yen[0] = straight;
        return made;
    };
    const auto hasTable = [&db] {
        return db.Count("SELECT count(*) FROM sqlite_master WHERE name='draw_results'") == 1;
    };
    const std::vector<NewDraw> plain = {
        NewDraw{2, {9, 8, 8}, 0, {}, std::array<std::string_view, kNumberCount>{"988", "", "", "", "x"}}};
    EXPECT_EQ(AddDraws(db.Path(), Game::Numbers3, plain).added, 1U);
    EXPECT_FALSE(hasTable());
    EXPECT_EQ(db.Row(Game::Numbers3, 2), "2\t9\t8\t8\t988\t\t\t\tx\t ");

    {
        Connection connection(db.Path(), OpenMode::ReadWrite);
        CreateResultsTable(connection);
        ResultsWriter(connection, Game::Numbers3, false).Write(3, DrawResults{20000101, {5, 6, 7, 8, 9}});
    }
    const std::vector<NewDraw> batch = {draw(3, {2, 8, 6}, 19941021, 71700), draw(1, {1, 9, 1}, 0, 119800),
                                        draw(1, {1, 9, 1}, 19941007, kUnknownYen)};
    const AddResult added = AddDraws(db.Path(), Game::Numbers3, batch);
    EXPECT_EQ(added.outcome, AddOutcome::Added);
    EXPECT_EQ(added.completed, 2U);
    EXPECT_EQ(db.Count("SELECT count(*) FROM draw_results WHERE kaisai=3 AND draw_date='1994-10-21' AND "
                       "straight=71700 AND box IS NULL"),
              1);
    EXPECT_EQ(db.Count("SELECT count(*) FROM draw_results WHERE kaisai=1 AND draw_date='1994-10-07' AND "
                       "straight=119800"),
              1);

    const std::string before = ReadBytes(db.Path());
    const std::vector<NewDraw> disagreeing = {draw(4, {5, 5, 5}, 19941028, 1), draw(4, {5, 5, 5}, 19941028, 2)};
    const AddResult refused = AddDraws(db.Path(), Game::Numbers3, disagreeing);
    EXPECT_EQ(refused.outcome, AddOutcome::Conflict);
    ASSERT_EQ(refused.conflicts.size(), 1U);
    EXPECT_EQ(refused.conflicts[0].index, 1U);
    EXPECT_EQ(refused.conflicts[0].field, DrawField::Payout);
    EXPECT_EQ(refused.conflicts[0].stored, "1円");
    EXPECT_EQ(ReadBytes(db.Path()), before);
}

// A date or payout stored in a form that cannot be read is kept by a fill, so
// only a value written into an empty place counts as completed.
TEST(DrawStoreTest, UnreadableStoredResultsAreKeptAndNotCounted) {
    TestDatabase db;
    db.Insert(Game::Numbers3, Draw(1, "191"));
    {
        Connection connection(db.Path(), OpenMode::ReadWrite);
        CreateResultsTable(connection);
    }
    db.Execute("INSERT INTO draw_results (game,kaisai,draw_date,straight) VALUES ('3',1,'someday','lots')");
    const auto batch = [](std::array<int, kPrizeCount> yen) {
        return std::vector<NewDraw>{{1, {1, 9, 1}, 0, DrawResults{19941007, yen}}};
    };
    const std::string stored = "SELECT count(*) FROM draw_results WHERE draw_date='someday' AND straight='lots'";

    const AddResult nothingWritten =
        AddDraws(db.Path(), Game::Numbers3, batch({119800, kUnknownYen, kUnknownYen, kUnknownYen, kUnknownYen}));
    EXPECT_EQ(nothingWritten.outcome, AddOutcome::Added);
    EXPECT_EQ(nothingWritten.completed, 0U);
    EXPECT_EQ(db.Count(stored + " AND box IS NULL"), 1);

    const AddResult boxWritten =
        AddDraws(db.Path(), Game::Numbers3, batch({119800, 39800, kUnknownYen, kUnknownYen, kUnknownYen}));
    EXPECT_EQ(boxWritten.completed, 1U);
    EXPECT_EQ(db.Count(stored + " AND box=39800"), 1);
}

// A results row left over under a number the book lacks goes when the draw comes
// without results, whether or not others of the batch have some.
TEST(DrawStoreTest, LeftoverResultsOfANewDrawWithoutResultsAreRemoved) {
    TestDatabase db;
    {
        Connection connection(db.Path(), OpenMode::ReadWrite);
        CreateResultsTable(connection);
        ResultsWriter leftovers(connection, Game::Numbers3, false);
        leftovers.Write(2, DrawResults{20000101, {5, 6, 7, 8, 9}});
        leftovers.Write(3, DrawResults{20000102, {5, 6, 7, 8, 9}});
    }
    const AddResult plain = AddDraws(db.Path(), Game::Numbers3, std::vector<NewDraw>{{2, {9, 8, 8}}});
    EXPECT_EQ(plain.added, 1U);
    EXPECT_EQ(plain.completed, 0U);
    std::vector<NewDraw> mixed = {{3, {2, 8, 6}}, {4, {5, 5, 5}}};
    mixed[1].results.date = 19941028;
    const AddResult some = AddDraws(db.Path(), Game::Numbers3, mixed);
    EXPECT_EQ(some.added, 2U);
    EXPECT_EQ(some.completed, 1U);
    EXPECT_EQ(db.Count("SELECT count(*) FROM draw_results WHERE kaisai IN (2,3)"), 0);
    EXPECT_EQ(db.Count("SELECT count(*) FROM draw_results WHERE kaisai=4 AND draw_date='1994-10-28'"), 1);
}

// Replace puts the batch's digits and results in place of the stored draws the
// batch disagrees with, keeping their numbers; the rest of the batch goes in as
// without it. A batch that disagrees with itself refuses in either mode.
TEST(DrawStoreTest, ReplaceTakesTheBatchValuesOfConflictingStoredDraws) {
    EXPECT_EQ(UpdateDigitsStatement(Game::Numbers4), "UPDATE " + std::string(TableName(Game::Numbers4)) +
                                                         " SET N1000=?2,N100=?3,N10=?4,N1=?5 WHERE kaisai=?1");
    const auto draw = [](int drawNo, DigitList digits, int date, int straight) {
        NewDraw made{drawNo, digits, 0};
        made.results.date = date;
        made.results.yen[0] = straight;
        return made;
    };
    const std::vector<NewDraw> otherDigits = {draw(1, {1, 9, 2}, 0, 50000), draw(3, {2, 8, 6}, 19941021, kUnknownYen),
                                              draw(4, {5, 5, 5}, 0, kUnknownYen)};
    const std::vector<NewDraw> otherPayout = {draw(2, {9, 8, 8}, 0, 200), draw(2, {9, 8, 8}, 19941014, kUnknownYen)};
    const std::vector<NewDraw> selfConflict = {draw(1, {1, 9, 2}, 0, kUnknownYen), draw(5, {1, 1, 1}, 0, 1),
                                               draw(5, {1, 1, 1}, 0, 2)};
    struct Case {
        const char* name;
        const std::vector<NewDraw>& batch;
        AddMode mode;
        AddOutcome outcome;
        bool replaceable;
        std::array<std::size_t, 4> counts; // added, skipped, completed, replaced
        std::vector<std::string> rows;     // draws 1 to 4 afterwards
        std::vector<std::string> results;  // SQL conditions each met by one draw_results row
    };
    const std::vector<std::string> book = {"1\t1\t9\t1\t123\t\t\t\t\t ", "2\t9\t8\t8\t\t\t\t\t\t ",
                                           "3\t2\t8\t6\t\t\t\t\t\t ", "(none)"};
    const std::vector<Case> cases = {
        {"digits differ",
         otherDigits,
         AddMode::Replace,
         AddOutcome::Added,
         false,
         {1, 1, 1, 1},
         {"1\t1\t9\t2\t123\t\t\t\t\t ", book[1], book[2], "4\t5\t5\t5\t　\t　\t　\t　\t　\t "},
         // draw 1's stored date and box belonged to 191: they go
         {"kaisai=1 AND draw_date IS NULL AND straight=50000 AND box IS NULL", "kaisai=3 AND draw_date='1994-10-21'"}},
        {"digits differ, refused", otherDigits, AddMode::Refuse, AddOutcome::Conflict, true, {0, 0, 0, 0}, book, {}},
        {"only a payout differs",
         otherPayout,
         AddMode::Replace,
         AddOutcome::Added,
         false,
         {0, 0, 0, 1},
         book,
         // the stored date stays where the batch has none
         {"kaisai=1 AND draw_date='1994-10-07' AND straight=119800 AND box=39900",
          "kaisai=2 AND draw_date='1994-10-14' AND straight=200 AND box=111100"}},
        {"the batch disagrees with itself",
         selfConflict,
         AddMode::Replace,
         AddOutcome::Conflict,
         false,
         {0, 0, 0, 0},
         book,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestDatabase db;
        db.Insert(Game::Numbers3, {Draw(1, "191", {"123"}), Draw(2, "988"), Draw(3, "286")});
        {
            Connection connection(db.Path(), OpenMode::ReadWrite);
            CreateResultsTable(connection);
            ResultsWriter stored(connection, Game::Numbers3, false);
            stored.Write(1, DrawResults{19941007, {119800, 39900, kUnknownYen, kUnknownYen, kUnknownYen}});
            stored.Write(2, DrawResults{19941014, {333500, 111100, kUnknownYen, kUnknownYen, kUnknownYen}});
        }
        const std::string before = ReadBytes(db.Path());
        const AddResult result = AddDraws(db.Path(), Game::Numbers3, c.batch, c.mode);
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(result.replaceable, c.replaceable);
        EXPECT_EQ((std::array{result.added, result.skipped, result.completed, result.replaced}), c.counts);
        EXPECT_EQ((std::vector{db.Row(Game::Numbers3, 1), db.Row(Game::Numbers3, 2), db.Row(Game::Numbers3, 3),
                               db.Row(Game::Numbers3, 4)}),
                  c.rows);
        if (c.outcome == AddOutcome::Conflict) {
            EXPECT_EQ(ReadBytes(db.Path()), before);
        }
        for (const std::string& condition : c.results) {
            EXPECT_EQ(db.Count("SELECT count(*) FROM draw_results WHERE game='3' AND " + condition), 1) << condition;
        }
    }
}

// Deleting takes the draws with their results and leaves the other game alone;
// a draw the book lacks deletes nothing.
TEST(DrawStoreTest, DeleteTakesDrawsWithTheirResultsOrNothing) {
    TestDatabase db;
    db.InsertSequence(Game::Numbers3, 5);
    db.Insert(Game::Numbers4, Draw(2, "1234"));
    {
        Connection connection(db.Path(), OpenMode::ReadWrite);
        CreateResultsTable(connection);
        for (const Game game : {Game::Numbers3, Game::Numbers4}) {
            ResultsWriter writer(connection, game, false);
            writer.Write(2, DrawResults{19941014, {}});
            writer.Write(4, DrawResults{19941028, {}});
        }
    }
    const std::string before = ReadBytes(db.Path());
    const DeleteResult missing = DeleteDraws(db.Path(), Game::Numbers3, std::vector{9, 1, 7, 9});
    EXPECT_EQ(missing.outcome, DeleteOutcome::NotInBook);
    EXPECT_EQ(missing.missing, (std::vector{7, 9}));
    EXPECT_EQ(ReadBytes(db.Path()), before);

    const DeleteResult deleted = DeleteDraws(db.Path(), Game::Numbers3, std::vector{4, 2});
    EXPECT_EQ(deleted.outcome, DeleteOutcome::Deleted);
    EXPECT_EQ(db.Count("SELECT group_concat(kaisai, '') FROM (SELECT kaisai FROM " +
                       std::string(TableName(Game::Numbers3)) + " ORDER BY kaisai)"),
              135);
    EXPECT_EQ(db.Count("SELECT count(*) FROM draw_results WHERE game='3'"), 0);
    EXPECT_EQ(db.Count("SELECT count(*) FROM draw_results WHERE game='4'"), 2);
    EXPECT_EQ(db.Row(Game::Numbers4, 2).substr(0, 9), "2\t1\t2\t3\t4");

    TempDir dir;
    EXPECT_EQ(DeleteDraws(dir.File("none.mdb"), Game::Numbers3, std::vector{1}).outcome, DeleteOutcome::Failed);
}
