#include "draw/DigitText.h"

#include <gtest/gtest.h>

using namespace drawbook;

TEST(DigitTextTest, OneDigitHalfOrFullWidth) {
    const char* const half[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    const char* const full[] = {"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"};
    for (int d = 0; d <= 9; ++d) {
        EXPECT_EQ(ReadDigit(half[d]), d);
        EXPECT_EQ(ReadDigit(full[d]), d);
    }
}

TEST(DigitTextTest, AnythingElseIsNotADigit) {
    for (const char* text :
         {"", " ", "　", "a", "Ａ", "12", "１２", "1 ", "-1", "'", "一", "\xEF\xBC", "\xEF\xBC\x9A"}) {
        EXPECT_EQ(ReadDigit(text), std::nullopt) << text;
    }
}

TEST(DigitTextTest, LeadingNumberIsZeroForTextsThatDoNotBeginWithADigit) {
    EXPECT_EQ(LeadingNumber("12"), 12);
    EXPECT_EQ(LeadingNumber("12回"), 12);
    EXPECT_EQ(LeadingNumber(""), 0);
    EXPECT_EQ(LeadingNumber("-3"), 0);
    EXPECT_EQ(LeadingNumber(" 5"), 0);
    EXPECT_EQ(LeadingNumber("１２"), 0);
    EXPECT_GT(LeadingNumber("999999999999999999999999"), 0); // no overflow
}
