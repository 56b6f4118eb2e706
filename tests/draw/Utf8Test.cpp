#include "draw/Utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace drawbook;

// Each first and last well-formed sequence of a length, and the malformed ones just past them.
TEST(Utf8Test, OnlyWellFormedSequencesAreCharacters) {
    const struct {
        std::string bytes;
        std::size_t length;
    } cases[] = {
        {"a", 1},
        {"\xC2\x80", 2},
        {"\xDF\xBF", 2},
        {"\xC1\xBF", 0},         // overlong "?"
        {"\xE0\xA0\x80", 3},
        {"\xE0\x80\x80", 0},     // overlong U+0000
        {"\xED\x9F\xBF", 3},
        {"\xED\xA0\x80", 0},     // surrogate U+D800
        {"\xEF\xBC\x90", 3},     // "０"
        {"\xF0\x90\x80\x80", 4},
        {"\xF0\x8F\xBF\xBF", 0}, // overlong U+FFFF
        {"\xF4\x8F\xBF\xBF", 4},
        {"\xF4\x90\x80\x80", 0}, // above U+10FFFF
        {"\xF5\x80\x80\x80", 0},
        {"\x80", 0},             // a continuation byte alone
        {"\xE3\x81", 0},         // cut short
        {"\xE3\x41\x81", 0},     // a missing continuation byte
        {"", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CharacterLength(c.bytes), c.length) << testing::PrintToString(c.bytes);
        EXPECT_EQ(IsUtf8(c.bytes + "z"), c.length == c.bytes.size())
            << testing::PrintToString(c.bytes);
    }
    EXPECT_EQ(SplitCharacters("4０\xE0\x80\x80" "9"),
              (std::vector<std::string>{"4", "０", "\xE0", "\x80", "\x80", "9"}));
}
