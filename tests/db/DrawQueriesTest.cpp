#include "db/DrawQueries.h"

#include <gtest/gtest.h>

using namespace drawbook;

TEST(DrawQueriesTest, CounterStatementFromTheClause) {
    EXPECT_EQ(CountStatement(Game::Numbers3, "WHERE kaisai>0"), "SELECT kaisai FROM ナンバーズ3 WHERE kaisai>0");
    EXPECT_EQ(CountStatement(Game::Numbers4, "WHERE kaisai>0"), "SELECT kaisai FROM ナンバーズ4 WHERE kaisai>0");
    EXPECT_EQ(CountStatement(Game::Numbers4, ""), "SELECT kaisai FROM ナンバーズ4 ");
}

TEST(DrawQueriesTest, ListStatementFromTheClause) {
    EXPECT_EQ(DrawListStatement(Game::Numbers3, "WHERE kaisai>0"),
              "SELECT kaisai,N100,N10,N1,kounyu1,kounyu2,kounyu3,kounyu4,kounyu5 FROM ナンバーズ3 WHERE kaisai>0");
    EXPECT_EQ(DrawListStatement(Game::Numbers4, "WHERE kaisai>0"),
              "SELECT kaisai,N1000,N100,N10,N1,kounyu1,kounyu2,kounyu3,kounyu4,kounyu5 FROM ナンバーズ4 WHERE kaisai>0");
}

TEST(DrawQueriesTest, PredictionStatementReadsTheDigitsOldestDrawFirst) {
    EXPECT_EQ(PredictionStatement(Game::Numbers3, std::string(kAllDrawsClause)),
              "SELECT kaisai,N100,N10,N1 FROM ナンバーズ3 WHERE kaisai>0 ORDER BY kaisai");
    EXPECT_EQ(PredictionStatement(Game::Numbers4, std::string(kAllDrawsClause)),
              "SELECT kaisai,N1000,N100,N10,N1 FROM ナンバーズ4 WHERE kaisai>0 ORDER BY kaisai");
    EXPECT_EQ(PredictionStatement(Game::Numbers3, ""), "SELECT kaisai,N100,N10,N1 FROM ナンバーズ3 ORDER BY kaisai");
}

TEST(DrawQueriesTest, DrawClauseNamesTheDraw) {
    EXPECT_EQ(DrawClause("12"), "WHERE kaisai=12");
    EXPECT_EQ(DrawClause(""), "WHERE kaisai=");
}

TEST(DrawQueriesTest, StoreCheckStatementHasTwoBlanksBeforeFrom) {
    EXPECT_EQ(StoreCheckStatement(Game::Numbers3, "WHERE kaisai=15"),
              "SELECT kaisai,N100,N10,N1,kounyu1,kounyu2,kounyu3,kounyu4,kounyu5  FROM ナンバーズ3 WHERE kaisai=15");
    EXPECT_EQ(StoreCheckStatement(Game::Numbers4, "WHERE kaisai=15"),
              "SELECT kaisai,N1000,N100,N10,N1,kounyu1,kounyu2,kounyu3,kounyu4,kounyu5  FROM ナンバーズ4 "
              "WHERE kaisai=15");
}
