#include "draw/Bet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace drawbook;

namespace {

using Digits = std::vector<int>;

struct HitCase {
    std::string number;
    HitKind hit;
};

void ExpectHits(Game game, const Digits& winning, const std::vector<HitCase>& cases) {
    for (const HitCase& c : cases) {
        EXPECT_EQ(CheckHit(game, winning, c.number), c.hit)
            << "winning " << ::testing::PrintToString(winning) << " number \"" << c.number << "\"";
    }
}

} // namespace

TEST(HitCheckTest, NumberDigitsTakesHalfAndFullWidthDigits) {
    EXPECT_EQ(NumberDigits(Game::Numbers3, "123"), (Digits{1, 2, 3}));
    EXPECT_EQ(NumberDigits(Game::Numbers3, "007"), (Digits{0, 0, 7}));
    EXPECT_EQ(NumberDigits(Game::Numbers3, "１２３"), (Digits{1, 2, 3}));
    EXPECT_EQ(NumberDigits(Game::Numbers3, "０９０"), (Digits{0, 9, 0}));
    EXPECT_EQ(NumberDigits(Game::Numbers3, "1２3"), (Digits{1, 2, 3}));
    EXPECT_EQ(NumberDigits(Game::Numbers4, "1234"), (Digits{1, 2, 3, 4}));
    EXPECT_EQ(NumberDigits(Game::Numbers4, "９８７６"), (Digits{9, 8, 7, 6}));
}

TEST(HitCheckTest, NumberDigitsRefusesWhatIsNotOneDigitPerPosition) {
    // "１" is three bytes long, "１２" six: the length is counted in digits, not bytes.
    const std::vector<std::string> halfWidth = {"",     " ",   "12",  "1234", "12a", "a12", " 123",
                                                "123 ", "1 3", "-12", "+12",  "1.2", "12/", "12:"};
    // "／" and "：" lie either side of "０"-"９"; the last two are cut short.
    const std::vector<std::string> fullWidth = {"　",     "１",     "１２",   "1２",      "１２３４",
                                                "１２：", "／１２", "１２Ａ", "\xEF\xBC", "12\xEF\xBC"};
    for (const auto& texts : {halfWidth, fullWidth}) {
        for (const std::string& text : texts) {
            EXPECT_EQ(NumberDigits(Game::Numbers3, text), std::nullopt) << "\"" << text << "\"";
        }
    }
    for (const char* text : {"", "　", "123", "12345", "123a", " 1234", "１２３", "１２３４５"}) {
        EXPECT_EQ(NumberDigits(Game::Numbers4, text), std::nullopt) << "\"" << text << "\"";
    }
}

TEST(HitCheckTest, ThreeDigitsStraightBoxAndMini) {
    ExpectHits(Game::Numbers3, {1, 2, 3},
               {
                   {"123", HitKind::Straight},
                   {"132", HitKind::Box},
                   {"213", HitKind::Box},
                   {"231", HitKind::Box},
                   {"312", HitKind::Box},
                   {"321", HitKind::Box},
                   {"023", HitKind::Mini},
                   {"923", HitKind::Mini},
                   // The same last two digits but other digits: mini, not box.
                   {"223", HitKind::Mini},
                   {"323", HitKind::Mini},
                   {"124", HitKind::None},
                   {"233", HitKind::None},
                   {"032", HitKind::None},
                   {"012", HitKind::None},
                   {"456", HitKind::None},
               });
}

TEST(HitCheckTest, RepeatedWinningDigits) {
    ExpectHits(Game::Numbers3, {1, 1, 2},
               {
                   {"112", HitKind::Straight},
                   {"121", HitKind::Box},
                   {"211", HitKind::Box},
                   {"012", HitKind::Mini},
                   {"212", HitKind::Mini},
                   {"122", HitKind::None},
                   {"221", HitKind::None},
                   {"111", HitKind::None},
                   {"102", HitKind::None},
               });
    ExpectHits(Game::Numbers3, {1, 1, 1},
               {
                   {"111", HitKind::Straight},
                   {"011", HitKind::Mini},
                   {"911", HitKind::Mini},
                   {"110", HitKind::None},
                   {"101", HitKind::None},
               });
    ExpectHits(Game::Numbers3, {0, 0, 0},
               {
                   {"000", HitKind::Straight},
                   {"500", HitKind::Mini},
                   {"００５", HitKind::None},
               });
}

TEST(HitCheckTest, FourDigitsHaveNoMini) {
    ExpectHits(Game::Numbers4, {1, 2, 3, 4},
               {
                   {"1234", HitKind::Straight},
                   {"4321", HitKind::Box},
                   {"2134", HitKind::Box},
                   {"3412", HitKind::Box},
                   {"0234", HitKind::None},
                   {"9934", HitKind::None},
                   {"1235", HitKind::None},
                   {"1224", HitKind::None},
               });
    ExpectHits(Game::Numbers4, {1, 1, 2, 2},
               {
                   {"1122", HitKind::Straight},
                   {"2211", HitKind::Box},
                   {"1212", HitKind::Box},
                   {"2121", HitKind::Box},
                   {"1221", HitKind::Box},
                   {"1222", HitKind::None},
                   {"1112", HitKind::None},
                   {"0022", HitKind::None},
               });
    ExpectHits(Game::Numbers4, {1, 1, 1, 2},
               {
                   {"1112", HitKind::Straight},
                   {"2111", HitKind::Box},
                   {"1211", HitKind::Box},
                   {"1121", HitKind::Box},
                   {"1122", HitKind::None},
                   {"1111", HitKind::None},
               });
}

TEST(HitCheckTest, FullWidthNumbersHit) {
    ExpectHits(Game::Numbers3, {1, 1, 2},
               {
                   {"１１２", HitKind::Straight},
                   {"１２１", HitKind::Box},
                   {"０１２", HitKind::Mini},
                   {"１2１", HitKind::Box},
               });
    ExpectHits(Game::Numbers4, {1, 2, 3, 4},
               {
                   {"１２３４", HitKind::Straight},
                   {"４３２１", HitKind::Box},
               });
}

TEST(HitCheckTest, TextsThatAreNotNumbersNeverHit) {
    ExpectHits(Game::Numbers3, {1, 2, 3},
               {
                   {"", HitKind::None},
                   {"　", HitKind::None},
                   {"   ", HitKind::None},
                   // Two digits are not a mini.
                   {"23", HitKind::None},
                   {"12", HitKind::None},
                   {"1234", HitKind::None},
                   {"0123", HitKind::None},
                   {"12a", HitKind::None},
                   {"a23", HitKind::None},
                   {" 123", HitKind::None},
                   {"123 ", HitKind::None},
                   {"1 23", HitKind::None},
                   {"当", HitKind::None},
                   {"１２３４", HitKind::None},
               });
    ExpectHits(Game::Numbers4, {1, 2, 3, 4},
               {
                   {"", HitKind::None},
                   {"　", HitKind::None},
                   {"123", HitKind::None},
                   {"234", HitKind::None},
                   {"12345", HitKind::None},
                   {"１２３", HitKind::None},
               });
}

TEST(HitCheckTest, AWinningNumberWithAMissingDigitNeverHits) {
    // A missing digit comes as -1, or the digits stop short.
    ExpectHits(Game::Numbers3, {-1, 2, 3}, {{"123", HitKind::None}, {"023", HitKind::None}, {"923", HitKind::None}});
    ExpectHits(Game::Numbers3, {1, -1, 3}, {{"123", HitKind::None}, {"103", HitKind::None}});
    ExpectHits(Game::Numbers3, {2, 3}, {{"123", HitKind::None}, {"023", HitKind::None}, {"23", HitKind::None}});
    ExpectHits(Game::Numbers3, {}, {{"123", HitKind::None}, {"", HitKind::None}});
    ExpectHits(Game::Numbers4, {1, 2, 3, -1}, {{"1234", HitKind::None}, {"1230", HitKind::None}});
    ExpectHits(Game::Numbers4, {1, 2, 3}, {{"1234", HitKind::None}, {"123", HitKind::None}});
}
