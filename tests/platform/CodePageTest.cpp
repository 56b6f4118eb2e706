#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace drawbook;

// Each system converts with its own tables (iconv, MultiByteToWideChar); both must give
// these, the bytes worked out from the code page's table.
TEST(CodePageTest, Cp932ReadsAsTheCodePageTableSays) {
    const struct {
        const char* name;
        std::string bytes;
        std::optional<std::string> utf8;
    } cases[] = {
        {"nothing", "", ""},
        {"ASCII as it is, line ends kept", "draw_no,1\r\n", "draw_no,1\r\n"},
        {"katakana with a long vowel", "\x83\x69\x83\x93\x83\x6F\x81\x5B\x83\x59", "ナンバーズ"},
        {"a trail byte that is a backslash in ASCII", "\x97\x5C\x91\x7A", "予想"},
        {"the full-width space", "\x81\x40", "　"},
        {"half-width katakana, one byte each", "\xB1\xDD", "ｱﾝ"},
        {"an NEC circled digit", "\x87\x40", "①"},
        {"a full-width digit beside ASCII", "\x82\x50,2", "１,2"},
        {"a lead byte cut off at the end", "1,\x82", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Cp932ToUtf8(c.bytes), c.utf8);
    }
}
