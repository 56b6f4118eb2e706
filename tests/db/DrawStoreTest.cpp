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
    const std::vector<NewDraw> refused = {
        {8, {1, 1, 1}}, {2, {9, 8, 8}}, {3, {2, 8, 6}}, {4, {0, 0, 1}}, {7, {0, 1, 8}}, {4, {0, 0, 2}}};
    const AddResult conflict = AddDraws(db.Path(), Game::Numbers3, refused);
    EXPECT_EQ(conflict.outcome, AddOutcome::Conflict);
    EXPECT_EQ(Conflicts(conflict), "5:001 4:019 ");
    EXPECT_EQ(db.Rows(Game::Numbers3), stored);

    const std::vector<NewDraw> accepted = {
        {8, {1, 1, 1}}, {2, {9, 8, 8}}, {3, {2, 8, 6}}, {4, {0, 0, 1}}, {4, {0, 0, 1}}, {6, {5, 5, 5}}};
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
