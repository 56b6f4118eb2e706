#include "draw/Bet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace drawbook;

namespace {

using Digits = std::vector<int>;

struct HitCase {
    std::string number;
    std::optional<Bet> hit;
};

void ExpectHits(Game game, const Digits& winning, const std::vector<HitCase>& cases) {
    for (const HitCase& c : cases) {
        EXPECT_EQ(CheckHit(game, winning, c.number), c.hit)
            << "winning " << ::testing::PrintToString(winning) << " number \"" << c.number << "\"";
    }
}

} // namespace

TEST(BetTest, EachGameListsItsBetsAndPrizesWithTheirNamesAndLabels) {
    // A bet as "name label", then the scored bets, then a prize as "label:bet".
    const auto describe = [](Game game) {
        std::string text;
        for (const Bet bet : BetsOf(game)) {
            text += std::string(BetName(bet)) + " " + std::string(BetLabel(bet)) + "\n";
        }
        text += "scored:";
        for (const Bet bet : ScoredBetsOf(game)) {
            text += " " + std::string(BetName(bet));
        }
        text += "\n";
        for (const Prize prize : PrizesOf(game)) {
            text += PrizeLabel(prize) + ":" + std::string(BetName(PrizeBet(prize))) + "\n";
        }
        return text;
    };
    EXPECT_EQ(describe(Game::Numbers3), "straight ストレート\nbox ボックス\nset セット\nmini ミニ\n"
                                        "scored: straight box mini\n"
                                        "ストレート:straight\nボックス:box\nセット（ストレート）:set\n"
                                        "セット（ボックス）:set\nミニ:mini\n");
    EXPECT_EQ(describe(Game::Numbers4), "straight ストレート\nbox ボックス\nset セット\n"
                                        "scored: straight box\n"
                                        "ストレート:straight\nボックス:box\nセット（ストレート）:set\n"
                                        "セット（ボックス）:set\n");
}

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
                   {"123", Bet::Straight},
                   {"132", Bet::Box},
                   {"213", Bet::Box},
                   {"231", Bet::Box},
                   {"312", Bet::Box},
                   {"321", Bet::Box},
                   {"023", Bet::Mini},
                   {"923", Bet::Mini},
                   // The same last two digits but other digits: mini, not box.
                   {"223", Bet::Mini},
                   {"323", Bet::Mini},
                   {"124", std::nullopt},
                   {"233", std::nullopt},
                   {"032", std::nullopt},
                   {"012", std::nullopt},
                   {"456", std::nullopt},
               });
}

TEST(HitCheckTest, RepeatedWinningDigits) {
    ExpectHits(Game::Numbers3, {1, 1, 2},
               {
                   {"112", Bet::Straight},
                   {"121", Bet::Box},
                   {"211", Bet::Box},
                   {"012", Bet::Mini},
                   {"212", Bet::Mini},
                   {"122", std::nullopt},
                   {"221", std::nullopt},
                   {"111", std::nullopt},
                   {"102", std::nullopt},
               });
    ExpectHits(Game::Numbers3, {1, 1, 1},
               {
                   {"111", Bet::Straight},
                   {"011", Bet::Mini},
                   {"911", Bet::Mini},
                   {"110", std::nullopt},
                   {"101", std::nullopt},
               });
    ExpectHits(Game::Numbers3, {0, 0, 0},
               {
                   {"000", Bet::Straight},
                   {"500", Bet::Mini},
                   {"００５", std::nullopt},
               });
}

TEST(HitCheckTest, FourDigitsHaveNoMini) {
    ExpectHits(Game::Numbers4, {1, 2, 3, 4},
               {
                   {"1234", Bet::Straight},
                   {"4321", Bet::Box},
                   {"2134", Bet::Box},
                   {"3412", Bet::Box},
                   {"0234", std::nullopt},
                   {"9934", std::nullopt},
                   {"1235", std::nullopt},
                   {"1224", std::nullopt},
               });
    ExpectHits(Game::Numbers4, {1, 1, 2, 2},
               {
                   {"1122", Bet::Straight},
                   {"2211", Bet::Box},
                   {"1212", Bet::Box},
                   {"2121", Bet::Box},
                   {"1221", Bet::Box},
                   {"1222", std::nullopt},
                   {"1112", std::nullopt},
                   {"0022", std::nullopt},
               });
    ExpectHits(Game::Numbers4, {1, 1, 1, 2},
               {
                   {"1112", Bet::Straight},
                   {"2111", Bet::Box},
                   {"1211", Bet::Box},
                   {"1121", Bet::Box},
                   {"1122", std::nullopt},
                   {"1111", std::nullopt},
               });
}

TEST(HitCheckTest, FullWidthNumbersHit) {
    ExpectHits(Game::Numbers3, {1, 1, 2},
               {
                   {"１１２", Bet::Straight},
                   {"１２１", Bet::Box},
                   {"０１２", Bet::Mini},
                   {"１2１", Bet::Box},
               });
    ExpectHits(Game::Numbers4, {1, 2, 3, 4},
               {
                   {"１２３４", Bet::Straight},
                   {"４３２１", Bet::Box},
               });
}

TEST(HitCheckTest, TextsThatAreNotNumbersNeverHit) {
    ExpectHits(Game::Numbers3, {1, 2, 3},
               {
                   {"", std::nullopt},
                   {"　", std::nullopt},
                   {"   ", std::nullopt},
                   // Two digits are not a mini.
                   {"23", std::nullopt},
                   {"12", std::nullopt},
                   {"1234", std::nullopt},
                   {"0123", std::nullopt},
                   {"12a", std::nullopt},
                   {"a23", std::nullopt},
                   {" 123", std::nullopt},
                   {"123 ", std::nullopt},
                   {"1 23", std::nullopt},
                   {"当", std::nullopt},
                   {"１２３４", std::nullopt},
               });
    ExpectHits(Game::Numbers4, {1, 2, 3, 4},
               {
                   {"", std::nullopt},
                   {"　", std::nullopt},
                   {"123", std::nullopt},
                   {"234", std::nullopt},
                   {"12345", std::nullopt},
                   {"１２３", std::nullopt},
               });
}

TEST(HitCheckTest, AWinningNumberWithAMissingDigitNeverHits) {
    // A missing digit comes as -1, or the digits stop short.
    ExpectHits(Game::Numbers3, {-1, 2, 3}, {{"123", std::nullopt}, {"023", std::nullopt}, {"923", std::nullopt}});
    ExpectHits(Game::Numbers3, {1, -1, 3}, {{"123", std::nullopt}, {"103", std::nullopt}});
    ExpectHits(Game::Numbers3, {2, 3}, {{"123", std::nullopt}, {"023", std::nullopt}, {"23", std::nullopt}});
    ExpectHits(Game::Numbers3, {}, {{"123", std::nullopt}, {"", std::nullopt}});
    ExpectHits(Game::Numbers4, {1, 2, 3, -1}, {{"1234", std::nullopt}, {"1230", std::nullopt}});
    ExpectHits(Game::Numbers4, {1, 2, 3}, {{"1234", std::nullopt}, {"123", std::nullopt}});
}
