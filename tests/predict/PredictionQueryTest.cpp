#include "predict/PredictionQuery.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace drawbook;
using namespace drawbook::test;

namespace {

constexpr const char* kAllDraws = "WHERE kaisai>0";

} // namespace

TEST(PredictionQueryTest, WorkedExamplesFromTheDatabase) {
    TestDatabase db;
    // Stored out of order: the prediction still reads 123, 456, 123, 789, 123.
    db.Insert(Game::Numbers3, {Draw(5, "123"), Draw(2, "456"), Draw(4, "789"), Draw(1, "123"), Draw(3, "123")});
    db.Insert(Game::Numbers4,
              {Draw(30, "1234"), Draw(10, "1234"), Draw(20, "2345"), Draw(40, "0000"), Draw(50, "1234")});

    const PredictionResult three = PredictFromDatabase(db.Path(), Game::Numbers3, kAllDraws);
    ASSERT_EQ(three.status, ReadStatus::Complete);
    EXPECT_EQ(three.numbers, (PredictedNumbers{"789", "456", "998", "877", "665"}));
    EXPECT_EQ(three.draws, 5);

    const PredictionResult four = PredictFromDatabase(db.Path(), Game::Numbers4, kAllDraws);
    ASSERT_EQ(four.status, ReadStatus::Complete);
    EXPECT_EQ(four.numbers, (PredictedNumbers{"2345", "0000", "9999", "8888", "7777"}));
}

TEST(PredictionQueryTest, DrawOrderWhenTheTableHasNoKey) {
    // A file made by another program: kaisai is a plain column, rows lie as inserted.
    TestDatabase db;
    db.Execute(R"(DROP TABLE "ナンバーズ3";
        CREATE TABLE "ナンバーズ3" (kaisai INTEGER, N100 INTEGER, N10 INTEGER, N1 INTEGER,
            kounyu1 TEXT, kounyu2 TEXT, kounyu3 TEXT, kounyu4 TEXT, kounyu5 TEXT, atari TEXT);)");
    db.Insert(Game::Numbers3, {Draw(5, "123"), Draw(2, "456"), Draw(4, "789"), Draw(1, "123"), Draw(3, "123")});
    EXPECT_EQ(PredictFromDatabase(db.Path(), Game::Numbers3, kAllDraws).numbers,
              (PredictedNumbers{"789", "456", "998", "877", "665"}));
}

TEST(PredictionQueryTest, EmptyTablesAndOneDraw) {
    TestDatabase db;
    EXPECT_EQ(PredictFromDatabase(db.Path(), Game::Numbers3, kAllDraws).numbers,
              (PredictedNumbers{"999", "888", "777", "666", "555"}));
    EXPECT_EQ(PredictFromDatabase(db.Path(), Game::Numbers4, kAllDraws).numbers,
              (PredictedNumbers{"9999", "8888", "7777", "6666", "5555"}));
    db.Insert(Game::Numbers3, Draw(1, "123"));
    EXPECT_EQ(PredictFromDatabase(db.Path(), Game::Numbers3, kAllDraws).numbers,
              (PredictedNumbers{"999", "888", "777", "666", "555"}));
}

TEST(PredictionQueryTest, RowsNumberedZeroOrBelowAreNotDraws) {
    TestDatabase db;
    // Without the filter the placeholders would make 501, 502, 301 end in 000.
    db.Insert(Game::Numbers3, {Draw(1, "501"), Draw(2, "502"), Draw(3, "301"), Draw(0, "000"), Draw(-7, "000")});
    EXPECT_EQ(PredictFromDatabase(db.Path(), Game::Numbers3, kAllDraws).numbers,
              (PredictedNumbers{"902", "899", "788", "677", "566"}));
}

TEST(PredictionQueryTest, RowsWithoutAFullSetOfDigitsAreLeftOut) {
    TestDatabase db;
    db.Insert(Game::Numbers3, {Draw(1, "123"), TestDraw{2, {4, std::nullopt, 6}}, Draw(3, "456"),
                               TestDraw{4, {1, 2, 12}}, Draw(5, "123"), TestDraw{6, {-1, 0, 0}}, Draw(7, "789")});
    db.Execute(R"(INSERT INTO "ナンバーズ3" (kaisai, N100, N10, N1) VALUES (8, 'a', 1, 1), (9, 1.5, 1, 1))");
    db.Insert(Game::Numbers3, Draw(10, "123"));

    const PredictionResult result = PredictFromDatabase(db.Path(), Game::Numbers3, kAllDraws);
    ASSERT_EQ(result.status, ReadStatus::Complete);
    // The same as 123, 456, 123, 789, 123 alone.
    EXPECT_EQ(result.numbers, (PredictedNumbers{"789", "456", "998", "877", "665"}));
    EXPECT_EQ(result.draws, 5);
    EXPECT_EQ(result.skippedRows, 5);

    // 10 is the first value past a digit, and a huge value must not wrap round into one.
    db.Execute(R"(INSERT INTO "ナンバーズ3" (kaisai, N100, N10, N1) VALUES (11, 65537, 1, 1), (12, 1, 10, 1))");
    EXPECT_EQ(PredictFromDatabase(db.Path(), Game::Numbers3, kAllDraws).skippedRows, 7);
}

TEST(PredictionQueryTest, FailuresAreReported) {
    TempDir dir;
    const std::string missing = dir.File("ナンバーズ.mdb");
    EXPECT_EQ(PredictFromDatabase(missing, Game::Numbers3, kAllDraws).status, ReadStatus::NotOpened);
    EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(missing)));

    TestDatabase db;
    db.Execute(R"(DROP TABLE "ナンバーズ4")");
    EXPECT_EQ(PredictFromDatabase(db.Path(), Game::Numbers4, kAllDraws).status, ReadStatus::NotOpened);

    TestDatabase damaged;
    damaged.FillAndDamageMiddle(3000);
    EXPECT_EQ(PredictFromDatabase(damaged.Path(), Game::Numbers3, kAllDraws).status, ReadStatus::Interrupted);
}
