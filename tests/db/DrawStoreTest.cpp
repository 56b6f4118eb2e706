#include "db/DrawStore.h"
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
