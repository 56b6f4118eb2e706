#include "draw/DrawResults.h"

#include <gtest/gtest.h>

using namespace drawbook;

TEST(DrawResultsTest, DatesAreReadOnlyWhenTheCalendarHasThem) {
    const struct {
        const char* text;
        int date; // 0: not a date
        const char* weekday;
    } cases[] = {
        {"2026-08-21", 20260821, "金"}, {"1994/10/7", 19941007, "金"}, {"２０２４－１２－０４", 0, ""},
        {"２０２４-１２-０４", 20241204, "水"}, {"2000-02-29", 20000229, "火"}, {"2100-3-1", 21000301, "月"},
        {"1970-01-01", 19700101, "木"}, {"2100-02-29", 0, ""}, {"2026-02-30", 0, ""}, {"2026-13-01", 0, ""},
        {"2026-08-21 ", 0, ""}, {"2026/08-21", 0, ""}, {"26-08-21", 0, ""}, {"", 0, ""}, {"20260821", 0, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadDate(c.text).value_or(0), c.date) << c.text;
        if (c.date != 0) {
            EXPECT_EQ(WeekdayText(c.date), c.weekday) << c.text;
        }
    }
    EXPECT_EQ(DateText(19941007), "1994-10-07");
}

TEST(DrawResultsTest, TheTooltipSaysWhatIsKnown) {
    DrawResults results{20260821, {100100, 16600, 58300, 8300, 10000}};
    EXPECT_EQ(ResultsText(Game::Numbers3, results),
              "2026-08-21（金）　ストレート 100,100円　ボックス 16,600円　セット（ストレート） 58,300円　"
              "セット（ボックス） 8,300円　ミニ 10,000円");
    // The four-digit game has no mini; what is unknown is left out.
    results = {0, {2128400, kUnknownYen, 0, 88600, 500}};
    EXPECT_EQ(ResultsText(Game::Numbers4, results), "ストレート 2,128,400円　セット（ストレート） 0円　セット（ボックス） 88,600円");
    EXPECT_EQ(ResultsText(Game::Numbers3, DrawResults{}), "");
    EXPECT_EQ(YenText(-1234567), "-1,234,567円");
    EXPECT_EQ(YenText(999), "999円");
}
