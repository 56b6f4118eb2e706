#include "predict/PredictionMethod.h"
#include "predict/MethodComparison.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using namespace drawbook;

namespace {

std::vector<HistoryDraw> History(const std::vector<std::string>& numbers) {
    std::vector<HistoryDraw> history;
    for (const std::string& number : numbers) {
        HistoryDraw& draw = history.emplace_back();
        draw.drawNo = static_cast<int>(history.size());
        for (std::size_t p = 0; p < number.size(); ++p) {
            draw.digits[p] = number[p] - '0';
        }
    }
    return history;
}

PredictedNumbers NumbersAfter(Method method, Game game, const std::vector<HistoryDraw>& history) {
    MethodPredictor predictor(method, game);
    for (const HistoryDraw& draw : history) {
        predictor.AddDraw(std::span(draw.digits.data(), static_cast<std::size_t>(Positions(game))));
    }
    return predictor.Numbers();
}

// splitmix64 as published, written again here.
std::uint64_t NextOf(std::uint64_t& x) {
    x += 0x9E3779B97F4A7C15ULL;
    std::uint64_t z = x;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

} // namespace

TEST(PredictionMethodTest, EachMethodRanksTheDigitsOfEveryPosition) {
    // The hundreds cycle 0-9 then 0, 1; the tens are always 5; the ones come in pairs 3, 7, 3, 7, 1, 9.
    const auto twelve = History({"053", "153", "257", "357", "453", "553", "657", "757", "851", "951", "059", "159"});
    std::vector<std::string> fifty(50, "000");
    std::vector<std::string> hundred(100, "111");
    fifty.insert(fifty.end(), hundred.begin(), hundred.end());
    const struct {
        Method method;
        std::vector<HistoryDraw> history;
        PredictedNumbers numbers;
    } cases[] = {
        // Followers of the latest 1, 5, 9: 2 once, 5 eleven times, 9 once; the rest by the larger digit.
        {Method::Follow, twelve, {"259", "998", "887", "776", "665"}},
        // Counts: hundreds 0 and 1 twice; tens 5; ones 3 and 7 four times, 1 and 9 twice.
        {Method::Hot, twelve, {"157", "093", "989", "871", "768"}},
        // Only the last hundred draws count: 0 came in none of them.
        {Method::Hot, History(fifty), {"111", "999", "888", "777", "666"}},
        // Draws since: hundreds 2 has waited 9, 3 8 ... 1 none; tens and ones: a digit never
        // seen has waited all 12, ahead of 3 (6 draws) and 7 (4).
        {Method::Cold, twelve, {"298", "386", "475", "564", "642"}},
        // The latest 1, 5, 9, then one up, one down, two up, two down.
        {Method::Slide, twelve, {"159", "260", "048", "371", "937"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NumbersAfter(c.method, Game::Numbers3, c.history), c.numbers) << MethodName(c.method);
    }
}

TEST(PredictionMethodTest, RandomDrawsFromSplitMixSeededByGameAndDraw) {
    std::uint64_t zero = 0;
    ASSERT_EQ(NextOf(zero), 0xE220A8397B1DCDAFULL); // the published first output for seed 0
    const auto history = History({"1234", "5678", "9012"});
    for (const Game game : {Game::Numbers3, Game::Numbers4}) {
        const int positions = Positions(game);
        // After three draws the fourth is predicted: seed game × 1,000,000 + 4.
        std::uint64_t state = static_cast<std::uint64_t>(positions) * 1'000'000 + 4;
        PredictedNumbers expected;
        for (std::string& number : expected) {
            for (int p = 0; p < positions; ++p) {
                number += static_cast<char>('0' + NextOf(state) % 10);
            }
        }
        EXPECT_EQ(NumbersAfter(Method::Random, game, history), expected);
    }
}

TEST(PredictionMethodTest, NamesAndLabels) {
    const std::vector<std::pair<std::string, std::string>> expected = {{"follow", "次に出た数字"},
                                                                       {"hot", "よく出る数字"},
                                                                       {"cold", "出ていない数字"},
                                                                       {"slide", "引っ張り・スライド"},
                                                                       {"random", "無作為（比べるための基準）"}};
    ASSERT_EQ(AllMethods().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(MethodName(AllMethods()[i]), expected[i].first);
        EXPECT_EQ(MethodLabel(AllMethods()[i]), expected[i].second);
        EXPECT_EQ(MethodFromName(expected[i].first), AllMethods()[i]);
    }
    EXPECT_EQ(MethodFromName("Follow"), std::nullopt);
}

TEST(MethodComparisonTest, UpperTailIsExact) {
    // Three draws of chance 0.1, 0.2, 0.5: none 0.36; exactly two 0.01 + 0.04 + 0.09; all three 0.01.
    const std::vector<double> three = {0.1, 0.2, 0.5};
    const double tails[] = {1.0, 0.64, 0.15, 0.01, 0.0};
    for (int hits = 0; hits <= 4; ++hits) {
        EXPECT_NEAR(UpperTail(three, hits), tails[hits], 1e-12) << hits;
    }
    // Twenty draws of 0.3: the binomial table's P(X <= 9) = 0.9520.
    EXPECT_NEAR(UpperTail(std::vector<double>(20, 0.3), 10), 0.0480, 5e-5);
}

TEST(MethodComparisonTest, HolmStepsDownAndNeverDecreases) {
    const struct {
        std::vector<double> p;
        std::vector<double> adjusted;
    } cases[] = {
        // 0.01 × 4; 0.03 × 3; 0.04 × 2 = 0.08 stays at 0.09; 0.2 × 1.
        {{0.01, 0.04, 0.03, 0.2}, {0.04, 0.09, 0.09, 0.2}},
        {{0.6, 0.5}, {1.0, 1.0}},
        {{}, {}},
    };
    for (const auto& c : cases) {
        const std::vector<double> adjusted = HolmAdjusted(c.p);
        ASSERT_EQ(adjusted.size(), c.adjusted.size());
        for (std::size_t i = 0; i < adjusted.size(); ++i) {
            EXPECT_NEAR(adjusted[i], c.adjusted[i], 1e-12) << i;
        }
    }
}

TEST(MethodComparisonTest, VerdictNamesTheRowBelowFivePercent) {
    std::vector<ComparisonRow> rows(2);
    rows[0].adjustedP = 0.4;
    rows[1].method = Method::Cold;
    rows[1].score.bet = Bet::Box;
    rows[1].adjustedP = 0.1034;
    EXPECT_EQ(ComparisonVerdict(rows), "どの方法も偶然と区別できません（最小の補正p 0.103）。");
    rows[1].adjustedP = 0.012;
    EXPECT_EQ(
        ComparisonVerdict(rows),
        "「出ていない数字」のボックスは偶然より多く当たっています（補正p 0.012）が、それでも偶然の可能性はあります。");
}
