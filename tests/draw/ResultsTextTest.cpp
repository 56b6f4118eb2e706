#include "draw/ResultsText.h"

#include <gtest/gtest.h>

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
