#include "stats/DrawStatistics.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <set>
#include <string>
#include <vector>

using namespace drawbook;
using namespace drawbook::test;

namespace {

constexpr double kTolerance = 1e-9;

using Table = std::vector<std::array<int, 10>>;

std::vector<int> DigitsOf(const std::string& number) {
    std::vector<int> digits;
    for (const char c : number) {
        digits.push_back(c - '0');
    }
    return digits;
}

std::vector<HistoryDraw> History(const std::vector<std::string>& numbers) {
    std::vector<HistoryDraw> history;
    for (std::size_t k = 0; k < numbers.size(); ++k) {
        HistoryDraw draw;
        draw.drawNo = static_cast<int>(k) + 1;
        for (std::size_t p = 0; p < numbers[k].size(); ++p) {
            draw.digits[p] = numbers[k][p] - '0';
        }
        history.push_back(draw);
    }
    return history;
}

struct ExpectedPattern {
    DigitPattern pattern;
    int draws;
    double share;
    double theoretical;
};

void ExpectPatterns(const DrawStatistics& statistics, const std::vector<ExpectedPattern>& expected) {
    ASSERT_EQ(statistics.patterns.size(), expected.size());
    for (const ExpectedPattern& e : expected) {
        const auto found = std::find_if(statistics.patterns.begin(), statistics.patterns.end(),
                                        [&e](const PatternCount& c) { return c.pattern == e.pattern; });
        ASSERT_NE(found, statistics.patterns.end()) << PatternLabel(e.pattern);
        EXPECT_EQ(found->draws, e.draws) << PatternLabel(e.pattern);
        EXPECT_NEAR(found->share, e.share, kTolerance) << PatternLabel(e.pattern);
        EXPECT_NEAR(found->theoretical, e.theoretical, kTolerance) << PatternLabel(e.pattern);
    }
}

// 123 456 112 789 111 120
const std::vector<std::string> kThreeDigitDraws = {"123", "456", "112", "789", "111", "120"};

} // namespace

TEST(DrawStatisticsTest, PatternOfEachKindOfNumber) {
    EXPECT_EQ(PatternOf(DigitsOf("123")), DigitPattern::AllDifferent);
    EXPECT_EQ(PatternOf(DigitsOf("907")), DigitPattern::AllDifferent);
    EXPECT_EQ(PatternOf(DigitsOf("112")), DigitPattern::OnePair);
    EXPECT_EQ(PatternOf(DigitsOf("121")), DigitPattern::OnePair);
    EXPECT_EQ(PatternOf(DigitsOf("211")), DigitPattern::OnePair);
    EXPECT_EQ(PatternOf(DigitsOf("111")), DigitPattern::AllSame);
    EXPECT_EQ(PatternOf(DigitsOf("000")), DigitPattern::AllSame);

    EXPECT_EQ(PatternOf(DigitsOf("1234")), DigitPattern::AllDifferent);
    EXPECT_EQ(PatternOf(DigitsOf("1123")), DigitPattern::OnePair);
    EXPECT_EQ(PatternOf(DigitsOf("1213")), DigitPattern::OnePair);
    EXPECT_EQ(PatternOf(DigitsOf("2311")), DigitPattern::OnePair);
    EXPECT_EQ(PatternOf(DigitsOf("1122")), DigitPattern::TwoPairs);
    EXPECT_EQ(PatternOf(DigitsOf("1212")), DigitPattern::TwoPairs);
    EXPECT_EQ(PatternOf(DigitsOf("1221")), DigitPattern::TwoPairs);
    EXPECT_EQ(PatternOf(DigitsOf("1112")), DigitPattern::ThreeAlike);
    EXPECT_EQ(PatternOf(DigitsOf("2111")), DigitPattern::ThreeAlike);
    EXPECT_EQ(PatternOf(DigitsOf("1211")), DigitPattern::ThreeAlike);
    EXPECT_EQ(PatternOf(DigitsOf("1111")), DigitPattern::AllSame);
}

TEST(DrawStatisticsTest, PatternsOfEachGameAndTheirExactShares) {
    const auto three = PatternsOf(Game::Numbers3);
    EXPECT_EQ(std::vector<DigitPattern>(three.begin(), three.end()),
              (std::vector<DigitPattern>{DigitPattern::AllDifferent, DigitPattern::OnePair, DigitPattern::AllSame}));
    const auto four = PatternsOf(Game::Numbers4);
    EXPECT_EQ(std::vector<DigitPattern>(four.begin(), four.end()),
              (std::vector<DigitPattern>{DigitPattern::AllDifferent, DigitPattern::OnePair, DigitPattern::TwoPairs,
                                         DigitPattern::ThreeAlike, DigitPattern::AllSame}));

    EXPECT_NEAR(TheoreticalShare(Game::Numbers3, DigitPattern::AllDifferent), 720.0 / 1000, kTolerance);
    EXPECT_NEAR(TheoreticalShare(Game::Numbers3, DigitPattern::OnePair), 270.0 / 1000, kTolerance);
    EXPECT_NEAR(TheoreticalShare(Game::Numbers3, DigitPattern::AllSame), 10.0 / 1000, kTolerance);
    EXPECT_NEAR(TheoreticalShare(Game::Numbers4, DigitPattern::AllDifferent), 5040.0 / 10000, kTolerance);
    EXPECT_NEAR(TheoreticalShare(Game::Numbers4, DigitPattern::OnePair), 4320.0 / 10000, kTolerance);
    EXPECT_NEAR(TheoreticalShare(Game::Numbers4, DigitPattern::TwoPairs), 270.0 / 10000, kTolerance);
    EXPECT_NEAR(TheoreticalShare(Game::Numbers4, DigitPattern::ThreeAlike), 360.0 / 10000, kTolerance);
    EXPECT_NEAR(TheoreticalShare(Game::Numbers4, DigitPattern::AllSame), 10.0 / 10000, kTolerance);
}

TEST(DrawStatisticsTest, Labels) {
    EXPECT_EQ(PositionLabel(Game::Numbers4, 0), "四桁目");
    EXPECT_EQ(PositionLabel(Game::Numbers4, 1), "三桁目");
    EXPECT_EQ(PositionLabel(Game::Numbers4, 2), "二桁目");
    EXPECT_EQ(PositionLabel(Game::Numbers4, 3), "一桁目");
    EXPECT_EQ(PositionLabel(Game::Numbers3, 0), "三桁目");
    EXPECT_EQ(PositionLabel(Game::Numbers3, 1), "二桁目");
    EXPECT_EQ(PositionLabel(Game::Numbers3, 2), "一桁目");

    EXPECT_EQ(PatternLabel(DigitPattern::AllDifferent), "すべて異なる（シングル）");
    std::set<std::string_view> labels;
    for (const DigitPattern pattern : PatternsOf(Game::Numbers4)) {
        EXPECT_FALSE(PatternLabel(pattern).empty());
        labels.insert(PatternLabel(pattern));
    }
    EXPECT_EQ(labels.size(), 5u);
}

TEST(DrawStatisticsTest, ThreeDigitTablesCountedByHand) {
    const DrawStatistics statistics = ComputeStatistics(Game::Numbers3, History(kThreeDigitDraws));
    EXPECT_EQ(statistics.draws, 6);
    // Hundreds 1 4 1 7 1 1, tens 2 5 1 8 1 2, units 3 6 2 9 1 0.
    EXPECT_EQ(statistics.counts, (Table{
                                     {0, 4, 0, 0, 1, 0, 0, 1, 0, 0},
                                     {0, 2, 2, 0, 0, 1, 0, 0, 1, 0},
                                     {1, 1, 1, 1, 0, 0, 1, 0, 0, 1},
                                 }));
    EXPECT_EQ(statistics.drawsSinceSeen, (Table{
                                             {6, 0, 6, 6, 4, 6, 6, 2, 6, 6},
                                             {6, 1, 0, 6, 6, 4, 6, 6, 2, 6},
                                             {0, 1, 3, 5, 6, 6, 4, 6, 6, 2},
                                         }));
    ExpectPatterns(statistics, {
                                   {DigitPattern::AllDifferent, 4, 4.0 / 6, 0.72},
                                   {DigitPattern::OnePair, 1, 1.0 / 6, 0.27},
                                   {DigitPattern::AllSame, 1, 1.0 / 6, 0.01},
                               });
}

TEST(DrawStatisticsTest, TheLastDrawsOnly) {
    const auto history = History(kThreeDigitDraws);
    // 789 111 120
    const DrawStatistics last = ComputeStatistics(Game::Numbers3, history, 3);
    EXPECT_EQ(last.draws, 3);
    EXPECT_EQ(last.counts, (Table{
                               {0, 2, 0, 0, 0, 0, 0, 1, 0, 0},
                               {0, 1, 1, 0, 0, 0, 0, 0, 1, 0},
                               {1, 1, 0, 0, 0, 0, 0, 0, 0, 1},
                           }));
    // 4 in the hundreds was seen only before the window: as never seen.
    EXPECT_EQ(last.drawsSinceSeen, (Table{
                                       {3, 0, 3, 3, 3, 3, 3, 2, 3, 3},
                                       {3, 1, 0, 3, 3, 3, 3, 3, 2, 3},
                                       {0, 1, 3, 3, 3, 3, 3, 3, 3, 2},
                                   }));
    ExpectPatterns(last, {
                             {DigitPattern::AllDifferent, 2, 2.0 / 3, 0.72},
                             {DigitPattern::OnePair, 0, 0.0, 0.27},
                             {DigitPattern::AllSame, 1, 1.0 / 3, 0.01},
                         });

    const DrawStatistics one = ComputeStatistics(Game::Numbers3, history, 1);
    EXPECT_EQ(one.draws, 1);
    EXPECT_EQ(one.counts, (Table{
                              {0, 1, 0, 0, 0, 0, 0, 0, 0, 0},
                              {0, 0, 1, 0, 0, 0, 0, 0, 0, 0},
                              {1, 0, 0, 0, 0, 0, 0, 0, 0, 0},
                          }));
    EXPECT_EQ(one.drawsSinceSeen, (Table{
                                      {1, 0, 1, 1, 1, 1, 1, 1, 1, 1},
                                      {1, 1, 0, 1, 1, 1, 1, 1, 1, 1},
                                      {0, 1, 1, 1, 1, 1, 1, 1, 1, 1},
                                  }));

    // A window as long as the history or longer counts everything.
    const DrawStatistics all = ComputeStatistics(Game::Numbers3, history);
    for (const int n : {6, 7, 100}) {
        const DrawStatistics window = ComputeStatistics(Game::Numbers3, history, n);
        EXPECT_EQ(window.draws, 6) << n;
        EXPECT_EQ(window.counts, all.counts) << n;
        EXPECT_EQ(window.drawsSinceSeen, all.drawsSinceSeen) << n;
    }
}

TEST(DrawStatisticsTest, FourDigitTablesCountedByHand) {
    const auto history = History({"1234", "1123", "1212", "2111", "1111", "5678"});
    const DrawStatistics statistics = ComputeStatistics(Game::Numbers4, history);
    EXPECT_EQ(statistics.draws, 6);
    EXPECT_EQ(statistics.counts, (Table{
                                     {0, 4, 1, 0, 0, 1, 0, 0, 0, 0},
                                     {0, 3, 2, 0, 0, 0, 1, 0, 0, 0},
                                     {0, 3, 1, 1, 0, 0, 0, 1, 0, 0},
                                     {0, 2, 1, 1, 1, 0, 0, 0, 1, 0},
                                 }));
    EXPECT_EQ(statistics.drawsSinceSeen, (Table{
                                             {6, 1, 2, 6, 6, 0, 6, 6, 6, 6},
                                             {6, 1, 3, 6, 6, 6, 0, 6, 6, 6},
                                             {6, 1, 4, 5, 6, 6, 6, 0, 6, 6},
                                             {6, 1, 3, 4, 5, 6, 6, 6, 0, 6},
                                         }));
    ExpectPatterns(statistics, {
                                   {DigitPattern::AllDifferent, 2, 2.0 / 6, 0.504},
                                   {DigitPattern::OnePair, 1, 1.0 / 6, 0.432},
                                   {DigitPattern::TwoPairs, 1, 1.0 / 6, 0.027},
                                   {DigitPattern::ThreeAlike, 1, 1.0 / 6, 0.036},
                                   {DigitPattern::AllSame, 1, 1.0 / 6, 0.001},
                               });

    // 2111 1111 5678
    const DrawStatistics last = ComputeStatistics(Game::Numbers4, history, 3);
    EXPECT_EQ(last.draws, 3);
    EXPECT_EQ(last.counts[0], (std::array<int, 10>{0, 1, 1, 0, 0, 1, 0, 0, 0, 0}));
    EXPECT_EQ(last.drawsSinceSeen[3], (std::array<int, 10>{3, 1, 3, 3, 3, 3, 3, 3, 0, 3}));
    ExpectPatterns(last, {
                             {DigitPattern::AllDifferent, 1, 1.0 / 3, 0.504},
                             {DigitPattern::OnePair, 0, 0.0, 0.432},
                             {DigitPattern::TwoPairs, 0, 0.0, 0.027},
                             {DigitPattern::ThreeAlike, 1, 1.0 / 3, 0.036},
                             {DigitPattern::AllSame, 1, 1.0 / 3, 0.001},
                         });
}

TEST(DrawStatisticsTest, EmptyHistory) {
    for (const Game game : {Game::Numbers3, Game::Numbers4}) {
        const std::size_t positions = game == Game::Numbers3 ? 3 : 4;
        for (const std::optional<int> last : {std::optional<int>{}, std::optional<int>{5}}) {
            const DrawStatistics statistics = ComputeStatistics(game, {}, last);
            EXPECT_EQ(statistics.draws, 0);
            EXPECT_EQ(statistics.counts, Table(positions, std::array<int, 10>{}));
            EXPECT_EQ(statistics.drawsSinceSeen, Table(positions, std::array<int, 10>{}));
            const auto patterns = PatternsOf(game);
            ASSERT_EQ(statistics.patterns.size(), patterns.size());
            for (std::size_t i = 0; i < patterns.size(); ++i) {
                EXPECT_EQ(statistics.patterns[i].pattern, patterns[i]);
                EXPECT_EQ(statistics.patterns[i].draws, 0);
                EXPECT_EQ(statistics.patterns[i].share, 0.0);
                EXPECT_NEAR(statistics.patterns[i].theoretical, TheoreticalShare(game, patterns[i]), kTolerance);
            }
        }
    }
}

TEST(DrawStatisticsTest, RealHistory) {
    const auto draws = RealDraws(Game::Numbers3, 7054);
    if (!draws) {
        FAIL() << "the shipped draw history in src/exchange/history is missing";
    }
    std::vector<std::string> numbers;
    for (const TestDraw& draw : *draws) {
        std::string number;
        for (const auto& digit : draw.digits) {
            number += static_cast<char>('0' + *digit);
        }
        numbers.push_back(number);
    }
    const auto history = History(numbers);

    const DrawStatistics all = ComputeStatistics(Game::Numbers3, history);
    EXPECT_EQ(all.draws, 7054);
    for (const auto& position : all.counts) {
        EXPECT_EQ(std::accumulate(position.begin(), position.end(), 0), 7054);
    }
    int patternDraws = 0;
    double shares = 0;
    for (const PatternCount& pattern : all.patterns) {
        patternDraws += pattern.draws;
        shares += pattern.share;
    }
    EXPECT_EQ(patternDraws, 7054);
    EXPECT_NEAR(shares, 1.0, 1e-9);

    // The last three draws: 872 (7052), 919, 286 (7054).
    const DrawStatistics last = ComputeStatistics(Game::Numbers3, history, 3);
    EXPECT_EQ(last.counts, (Table{
                               {0, 0, 1, 0, 0, 0, 0, 0, 1, 1},
                               {0, 1, 0, 0, 0, 0, 0, 1, 1, 0},
                               {0, 0, 1, 0, 0, 0, 1, 0, 0, 1},
                           }));
    EXPECT_EQ(last.drawsSinceSeen, (Table{
                                       {3, 3, 0, 3, 3, 3, 3, 3, 2, 1},
                                       {3, 1, 3, 3, 3, 3, 3, 2, 0, 3},
                                       {3, 3, 2, 3, 3, 3, 0, 3, 3, 1},
                                   }));
    ExpectPatterns(last, {
                             {DigitPattern::AllDifferent, 2, 2.0 / 3, 0.72},
                             {DigitPattern::OnePair, 1, 1.0 / 3, 0.27},
                             {DigitPattern::AllSame, 0, 0.0, 0.01},
                         });
    // The digits of the latest draw were seen 0 draws ago over the whole history too.
    EXPECT_EQ(all.drawsSinceSeen[0][2], 0);
    EXPECT_EQ(all.drawsSinceSeen[1][8], 0);
    EXPECT_EQ(all.drawsSinceSeen[2][6], 0);
    EXPECT_EQ(all.drawsSinceSeen[0][9], 1);
}
