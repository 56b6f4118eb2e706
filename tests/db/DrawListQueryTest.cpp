#include "db/DrawListQuery.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace drawbook;
using namespace drawbook::test;

namespace {

using Status = DrawListResult::Status;

DrawListResult ReadAll(const TestDatabase& db, Game game) {
    return ReadDrawList(db.Path(), game, "WHERE kaisai>0");
}

} // namespace

TEST(DrawListQueryTest, WinningNumberKeepsLeadingZeros) {
    TestDatabase db;
    db.Insert(Game::Numbers3, TestDraw{5, {0, 0, 7}});
    db.Insert(Game::Numbers4, TestDraw{12, {1, 0, 2, 0}});

    const DrawListResult three = ReadAll(db, Game::Numbers3);
    EXPECT_EQ(three.status, Status::Complete);
    ASSERT_EQ(three.rows.size(), 1U);
    EXPECT_EQ(three.rows[0].drawNo, "5");
    EXPECT_EQ(three.rows[0].winningNumber, "007");

    const DrawListResult four = ReadAll(db, Game::Numbers4);
    ASSERT_EQ(four.rows.size(), 1U);
    EXPECT_EQ(four.rows[0].drawNo, "12");
    EXPECT_EQ(four.rows[0].winningNumber, "1020");

    // A missing digit is an empty cell of its own and adds nothing to the number.
    db.Insert(Game::Numbers3, TestDraw{6, {4, std::nullopt, 6}});
    const DrawListResult gap = ReadAll(db, Game::Numbers3);
    ASSERT_EQ(gap.rows.size(), 2U);
    EXPECT_EQ(gap.rows[1].winningNumber, "46");
    EXPECT_EQ(gap.rows[1].digits, (std::vector<std::string>{"4", "", "6"}));
}

TEST(DrawListQueryTest, NumbersReadAsStored) {
    TestDatabase db;
    db.Insert(Game::Numbers3, TestDraw{1, {1, 2, 3}, {"012", "　", "", "999", " 7"}});
    db.Execute(R"(INSERT INTO "ナンバーズ3" VALUES (2, 4, 5, 6, NULL, '123', NULL, NULL, NULL, NULL))");

    const DrawListResult result = ReadAll(db, Game::Numbers3);
    EXPECT_EQ(result.status, Status::Complete);
    ASSERT_EQ(result.rows.size(), 2U);
    EXPECT_EQ(result.rows[0].numbers, (std::array<std::string, 5>{"012", "　", "", "999", " 7"}));
    EXPECT_EQ(result.rows[1].numbers, (std::array<std::string, 5>{"", "123", "", "", ""}));
}

TEST(DrawListQueryTest, ListsOnlyDrawsInAscendingOrder) {
    TestDatabase db;
    db.Insert(Game::Numbers4, {{3, {3, 3, 3, 3}}, {0, {0, 0, 0, 0}}, {1, {1, 1, 1, 1}}, {-2, {}}, {2, {2, 2, 2, 2}}});

    const DrawListResult result = ReadAll(db, Game::Numbers4);
    ASSERT_EQ(result.rows.size(), 3U);
    EXPECT_EQ(result.rows[0].drawNo, "1");
    EXPECT_EQ(result.rows[1].drawNo, "2");
    EXPECT_EQ(result.rows[2].drawNo, "3");
    EXPECT_EQ(result.rows[2].winningNumber, "3333");
}

TEST(DrawListQueryTest, ListsTheRealFirstDraws) {
    const auto draws = RealDraws(Game::Numbers4, 5);
    if (!draws) {
        FAIL() << "the shipped draw history in src/exchange/history is missing";
    }
    TestDatabase db;
    db.Insert(Game::Numbers4, *draws);

    const DrawListResult result = ReadAll(db, Game::Numbers4);
    EXPECT_EQ(result.status, Status::Complete);
    ASSERT_EQ(result.rows.size(), 5U);
    EXPECT_EQ(result.rows[0].drawNo + "\t" + result.rows[0].winningNumber, "1\t1149");
    EXPECT_EQ(result.rows[1].drawNo + "\t" + result.rows[1].winningNumber, "2\t7921");
    EXPECT_EQ(result.rows[4].drawNo, "5");
}

TEST(DrawListQueryTest, UnreadableDatabaseIsNotOpened) {
    TempDir dir;
    const std::string missing = dir.File("ナンバーズ.mdb");
    const DrawListResult none = ReadDrawList(missing, Game::Numbers3, "WHERE kaisai>0");
    EXPECT_EQ(none.status, Status::NotOpened);
    EXPECT_TRUE(none.rows.empty());
    EXPECT_FALSE(none.error.empty());
    EXPECT_FALSE(std::filesystem::exists(missing));

    TestDatabase db;
    db.Insert(Game::Numbers4, TestDraw{1, {1, 1, 4, 9}});
    db.Execute(R"(ALTER TABLE "ナンバーズ4" DROP COLUMN kounyu5)");
    const DrawListResult lacking = ReadAll(db, Game::Numbers4);
    EXPECT_EQ(lacking.status, Status::NotOpened);
    EXPECT_TRUE(lacking.rows.empty());
}

TEST(DrawListQueryTest, DamageFoundWhileReadingKeepsTheRowsBefore) {
    TestDatabase db;
    db.FillAndDamageMiddle(3000);
    const DrawListResult result = ReadAll(db, Game::Numbers3);
    EXPECT_EQ(result.status, Status::Interrupted);
    EXPECT_GT(result.rows.size(), 0U);
    EXPECT_LT(result.rows.size(), 3000U);
    EXPECT_EQ(result.rows.front().drawNo, "1");
    EXPECT_FALSE(result.error.empty());
}
