#include "db/DrawCounter.h"
#include "db/DbError.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace drawbook;
using namespace drawbook::test;

TEST(DrawCounterTest, NextDrawFollowsTheRealHistory) {
    const auto draws = RealDraws(Game::Numbers3, 250);
    if (!draws) {
        FAIL() << "the shipped draw history in src/exchange/history is missing";
    }
    TestDatabase db;
    db.Insert(Game::Numbers3, *draws);
    EXPECT_EQ(CountDraws(db.Path(), Game::Numbers3, "WHERE kaisai>0"), "251");
    EXPECT_EQ(CountDrawsOrThrow(db.Path(), Game::Numbers3, "WHERE kaisai>0"), "251");
}

TEST(DrawCounterTest, EmptyTableGivesDrawOne) {
    TestDatabase db;
    EXPECT_EQ(CountDraws(db.Path(), Game::Numbers3, "WHERE kaisai>0"), "1");
    EXPECT_EQ(CountDraws(db.Path(), Game::Numbers4, ""), "1");
}

TEST(DrawCounterTest, RowsAtZeroOrBelowAreNotDraws) {
    TestDatabase db;
    db.Insert(Game::Numbers4, {{0, {}}, {-3, {1, 2, 3, 4}}, {1, {1, 1, 4, 9}}, {2, {7, 9, 2, 1}}});
    EXPECT_EQ(CountDraws(db.Path(), Game::Numbers4, "WHERE kaisai>0"), "3");
    EXPECT_EQ(CountDraws(db.Path(), Game::Numbers4, ""), "5");
}

TEST(DrawCounterTest, CountsEachGameOnItsOwn) {
    TestDatabase db;
    db.Insert(Game::Numbers3, {{1, {1, 9, 1}}, {2, {9, 8, 8}}, {3, {0, 0, 7}}});
    db.Insert(Game::Numbers4, TestDraw{1, {1, 1, 4, 9}});
    EXPECT_EQ(CountDraws(db.Path(), Game::Numbers3, "WHERE kaisai>0"), "4");
    EXPECT_EQ(CountDraws(db.Path(), Game::Numbers4, "WHERE kaisai>0"), "2");
}

TEST(DrawCounterTest, MissingFileIsNotCreated) {
    TempDir dir;
    const std::string path = dir.File("ナンバーズ.mdb");
    EXPECT_EQ(CountDraws(path, Game::Numbers3, "WHERE kaisai>0"), std::nullopt);
    EXPECT_THROW(CountDrawsOrThrow(path, Game::Numbers3, "WHERE kaisai>0"), DbError);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(DrawCounterTest, FileThatIsNotADatabaseGivesNothing) {
    TempDir dir;
    const std::string path = dir.File("ナンバーズ.mdb");
    std::ofstream(path) << "this is a note, not a database\n";
    EXPECT_EQ(CountDraws(path, Game::Numbers4, "WHERE kaisai>0"), std::nullopt);
    EXPECT_THROW(CountDrawsOrThrow(path, Game::Numbers4, "WHERE kaisai>0"), DbError);
}
