#include "edit/DrawUpdate.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace drawbook;
using namespace drawbook::test;

namespace {

constexpr const char* kMissingDigit = "　当選数字に記入漏れがあります。。";
constexpr const char* kNotOneDigit = "　当選数字は一桁の数字で記入してください。。";

StoreResult Store(const TestDatabase& db, Game game, DrawEdit edit) {
    EXPECT_EQ(PrepareDrawEdit(game, edit), std::nullopt);
    return WriteDraw(db.Path(), game, "WHERE kaisai=" + edit.drawNo, edit);
}

} // namespace

TEST(DrawEditTest, StatementsAsTheDialogBuildsThem) {
    DrawEdit three{"15", {"1", "2", "3"}, {"123", "", "456", "", "789"}};
    ASSERT_EQ(PrepareDrawEdit(Game::Numbers3, three), std::nullopt);
    EXPECT_EQ(UpdateDrawStatement(Game::Numbers3, three),
              "UPDATE ナンバーズ3 SET N100=1,N10=2,N1=3,kounyu1='123',kounyu2='　',kounyu3='456',kounyu4='　',"
              "kounyu5='789',atari=' ' WHERE kaisai=15");

    DrawEdit four{"7001", {"0", "9", "0", "1"}, {"1234", "5678", "", "0000", " "}};
    ASSERT_EQ(PrepareDrawEdit(Game::Numbers4, four), std::nullopt);
    EXPECT_EQ(UpdateDrawStatement(Game::Numbers4, four),
              "UPDATE ナンバーズ4 SET N1000=0,N100=9,N10=0,N1=1,kounyu1='1234',kounyu2='5678',kounyu3='　',"
              "kounyu4='0000',kounyu5=' ',atari=' ' WHERE kaisai=7001");
}

TEST(DrawEditTest, EveryDigitMustBeGivenAsOneDigit) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> three = {
        {{"1", "2", ""}, kMissingDigit}, {{"", "", ""}, kMissingDigit},
        {{"a", "2", ""}, kMissingDigit}, // the missing digit is told first
        {{"1", "2", " "}, kNotOneDigit}, // a blank fills the field but is no digit
        {{"1", "x", "3"}, kNotOneDigit}, {{"12", "2", "3"}, kNotOneDigit},
        {{"1", "-", "3"}, kNotOneDigit}, {{"1", "2", "３３"}, kNotOneDigit},
    };
    for (const auto& [digits, message] : three) {
        DrawEdit edit{"1", digits, {}};
        EXPECT_EQ(PrepareDrawEdit(Game::Numbers3, edit), message) << ::testing::PrintToString(digits);
    }
    DrawEdit four{"1", {"1", "2", "3", ""}, {}};
    EXPECT_EQ(PrepareDrawEdit(Game::Numbers4, four), kMissingDigit);

    // A full-width digit is stored as the plain one.
    DrawEdit wide{"1", {"４", "0", "９"}, {}};
    EXPECT_EQ(PrepareDrawEdit(Game::Numbers3, wide), std::nullopt);
    EXPECT_EQ(wide.digits, (std::vector<std::string>{"4", "0", "9"}));
}

TEST(DrawEditTest, StoresTheRowAndRewritesTheHitMarker) {
    TestDatabase db;
    db.Insert(Game::Numbers3, TestDraw{15, {9, 9, 9}, {"111", "222", "333", "444", "555"}});
    db.Insert(Game::Numbers3, TestDraw{16, {8, 8, 8}, {"666", "", "", "", ""}});
    db.Execute(R"(UPDATE "ナンバーズ3" SET atari='当' WHERE kaisai=15)");

    EXPECT_EQ(Store(db, Game::Numbers3, {"15", {"1", "2", "3"}, {"123", "", "456", "", "789"}}).outcome,
              StoreOutcome::Stored);
    EXPECT_EQ(db.Row(Game::Numbers3, 15), "15\t1\t2\t3\t123\t　\t456\t　\t789\t ");
    EXPECT_EQ(db.Row(Game::Numbers3, 16), "16\t8\t8\t8\t666\t\t\t\t\t ");

    // All five numbers empty.
    db.Insert(Game::Numbers4, TestDraw{3, {1, 2, 3, 4}, {"1111", "2222", "3333", "4444", "5555"}});
    EXPECT_EQ(Store(db, Game::Numbers4, {"3", {"0", "0", "0", "7"}, {}}).outcome, StoreOutcome::Stored);
    EXPECT_EQ(db.Row(Game::Numbers4, 3), "3\t0\t0\t0\t7\t　\t　\t　\t　\t　\t ");
}

TEST(DrawEditTest, NumbersAreStoredExactlyAsTyped) {
    TestDatabase db;
    db.Insert(Game::Numbers3, TestDraw{1, {1, 2, 3}});
    DrawEdit edit{"1", {"1", "2", "3"}, {"12'3", "'", "'); DROP TABLE \"ナンバーズ4\"; --", "''", " 4 5 "}};
    ASSERT_EQ(PrepareDrawEdit(Game::Numbers3, edit), std::nullopt);
    EXPECT_NE(UpdateDrawStatement(Game::Numbers3, edit).find("kounyu1='12''3'"), std::string::npos);
    EXPECT_EQ(WriteDraw(db.Path(), Game::Numbers3, "WHERE kaisai=1", edit).outcome, StoreOutcome::Stored);
    EXPECT_EQ(db.Row(Game::Numbers3, 1), "1\t1\t2\t3\t12'3\t'\t'); DROP TABLE \"ナンバーズ4\"; --\t''\t 4 5 \t ");
    EXPECT_EQ(db.Row(Game::Numbers4, 1), "(none)"); // the other table is still there
}

TEST(DrawEditTest, NothingIsWrittenWhenTheStoreFails) {
    TestDatabase db;
    db.Insert(Game::Numbers3, TestDraw{5, {5, 5, 5}, {"555", "", "", "", ""}});
    const std::string before = db.Row(Game::Numbers3, 5);
    const DrawEdit edit{"5", {"1", "2", "3"}, {"1", "2", "3", "4", "5"}};

    // A draw no row has.
    DrawEdit missing = edit;
    missing.drawNo = "6";
    EXPECT_EQ(WriteDraw(db.Path(), Game::Numbers3, "WHERE kaisai=6", missing).outcome, StoreOutcome::NoSuchDraw);
    // No draw number at all, as after stepping into a gap.
    DrawEdit empty = edit;
    empty.drawNo = "";
    EXPECT_EQ(WriteDraw(db.Path(), Game::Numbers3, "WHERE kaisai=", empty).outcome, StoreOutcome::Failed);
    // The table refuses the change.
    db.Execute(R"(CREATE TRIGGER refuse BEFORE UPDATE ON "ナンバーズ3" BEGIN SELECT RAISE(ABORT, 'no'); END;)");
    EXPECT_EQ(WriteDraw(db.Path(), Game::Numbers3, "WHERE kaisai=5", edit).outcome, StoreOutcome::Failed);
    EXPECT_EQ(db.Row(Game::Numbers3, 5), before);
    db.Execute("DROP TRIGGER refuse");
    // The draw's rows cannot be read: the update is never run.
    EXPECT_EQ(WriteDraw(db.Path(), Game::Numbers3, "WHERE nosuchcolumn=5", edit).outcome, StoreOutcome::Failed);
    EXPECT_EQ(db.Row(Game::Numbers3, 5), before);

    TempDir dir;
    const std::string absent = dir.File("ナンバーズ.mdb");
    EXPECT_EQ(WriteDraw(absent, Game::Numbers3, "WHERE kaisai=5", edit).outcome, StoreOutcome::Failed);
    EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(absent)));
}
