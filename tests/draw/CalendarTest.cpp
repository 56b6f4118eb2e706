#include "draw/Calendar.h"

#include <gtest/gtest.h>

using namespace drawbook;

TEST(CalendarTest, DatesAreReadOnlyWhenTheCalendarHasThem) {
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
