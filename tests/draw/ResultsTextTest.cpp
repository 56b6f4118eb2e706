#include "draw/ResultsText.h"

#include <gtest/gtest.h>

#include <vector>

using namespace drawbook;

TEST(ResultsTextTest, TheTooltipSaysWhatIsKnown) {
    DrawResults results{20260821, {100100, 16600, 58300, 8300, 10000}};
    EXPECT_EQ(ResultsText(Game::Numbers3, results),
              "2026-08-21（金）　ストレート 100,100円　ボックス 16,600円　セット（ストレート） 58,300円　"
              "セット（ボックス） 8,300円　ミニ 10,000円");
    // The four-digit game has no mini; what is unknown is left out.
    results = {0, {2128400, kUnknownYen, 0, 88600, 500}};
    EXPECT_EQ(ResultsText(Game::Numbers4, results),
              "ストレート 2,128,400円　セット（ストレート） 0円　セット（ボックス） 88,600円");
    EXPECT_EQ(ResultsText(Game::Numbers3, DrawResults{}), "");
    EXPECT_EQ(YenText(-1234567), "-1,234,567円");
    EXPECT_EQ(YenText(999), "999円");
}

TEST(ResultsTextTest, QuestionsNameFiveDrawsAndCountTheRest) {
    const std::vector<NamedDraw> draws = {{7057, "1234"}, {7058, "0012"}, {1, "191"}, {2, "988"},
                                          {3, "010"},     {4, "404"},     {5, "052"}};
    EXPECT_EQ(NamedDrawsText(std::span(draws).first(1)), "第7057回（当選数字 1234）");
    EXPECT_EQ(NamedDrawsText(std::span(draws).first(2)), "第7057回（当選数字 1234）、第7058回（当選数字 0012）");
    EXPECT_EQ(NamedDrawsText(draws), "第7057回（当選数字 1234）、第7058回（当選数字 0012）、第1回（当選数字 191）、"
                                     "第2回（当選数字 988）、第3回（当選数字 010）ほか2回");
}
