#include "predict/Backtest.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <vector>

using namespace drawbook;
using namespace drawbook::test;

namespace {

constexpr double kTolerance = 1e-9;

int PositionsOf(Game game) {
    return game == Game::Numbers3 ? 3 : 4;
}

std::string NumberOf(const HistoryDraw& draw, int positions) {
    std::string number;
    for (int p = 0; p < positions; ++p) {
        number += static_cast<char>('0' + draw.digits[static_cast<std::size_t>(p)]);
    }
    return number;
}

// Draw k gets the number firstNo + k * step.
std::vector<HistoryDraw> History(const std::vector<std::string>& numbers, int firstNo, int step = 1) {
    std::vector<HistoryDraw> history;
    for (std::size_t k = 0; k < numbers.size(); ++k) {
        HistoryDraw draw;
        draw.drawNo = firstNo + static_cast<int>(k) * step;
        for (std::size_t p = 0; p < numbers[k].size(); ++p) {
            draw.digits[p] = numbers[k][p] - '0';
        }
        history.push_back(draw);
    }
    return history;
}

std::vector<HistoryDraw> RandomHistory(std::mt19937& random, int positions, int length, int digitRange) {
    std::vector<HistoryDraw> history;
    for (int k = 0; k < length; ++k) {
        HistoryDraw draw;
        draw.drawNo = k + 1;
        for (int p = 0; p < positions; ++p) {
            draw.digits[static_cast<std::size_t>(p)] = static_cast<int>(random() % static_cast<unsigned>(digitRange));
        }
        history.push_back(draw);
    }
    return history;
}

std::vector<TestDraw> ToTestDraws(const std::vector<HistoryDraw>& history, int positions) {
    std::vector<TestDraw> draws;
    for (const HistoryDraw& draw : history) {
        TestDraw row{draw.drawNo, {}};
        for (int p = 0; p < positions; ++p) {
            row.digits.emplace_back(draw.digits[static_cast<std::size_t>(p)]);
        }
        draws.push_back(row);
    }
    return draws;
}

std::vector<HistoryDraw> FromTestDraws(const std::vector<TestDraw>& draws) {
    std::vector<HistoryDraw> history;
    for (const TestDraw& row : draws) {
        HistoryDraw draw;
        draw.drawNo = row.kaisai;
        for (std::size_t p = 0; p < row.digits.size(); ++p) {
            draw.digits[p] = row.digits[p].value();
        }
        history.push_back(draw);
    }
    return history;
}

struct ExpectedStep {
    int drawNo;
    PredictedNumbers picks;
    std::vector<int> cumulativeHits;
    std::vector<double> cumulativeExpected;
};

void ExpectSteps(const BacktestResult& result, const std::vector<ExpectedStep>& expected) {
    ASSERT_EQ(result.steps.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("step " + std::to_string(i + 1));
        const BacktestStep& step = result.steps[i];
        EXPECT_EQ(step.drawNo, expected[i].drawNo);
        EXPECT_EQ(step.picks, expected[i].picks);
        EXPECT_EQ(step.cumulativeHits, expected[i].cumulativeHits);
        ASSERT_EQ(step.cumulativeExpected.size(), expected[i].cumulativeExpected.size());
        for (std::size_t b = 0; b < expected[i].cumulativeExpected.size(); ++b) {
            EXPECT_NEAR(step.cumulativeExpected[b], expected[i].cumulativeExpected[b], kTolerance) << "bet " << b;
        }
    }
}

void ExpectScore(const BetScore& score, Bet bet, int draws, int hits, double expected, double variance) {
    SCOPED_TRACE(std::string(BetName(bet)));
    EXPECT_EQ(score.bet, bet);
    EXPECT_EQ(score.draws, draws);
    EXPECT_EQ(score.hits, hits);
    EXPECT_NEAR(score.expected, expected, kTolerance);
    EXPECT_NEAR(score.variance, variance, kTolerance);
}

// Picks, hits and expectations worked out by hand from the successor rule.
// 123 456 123 546 056 926: the fourth draw is a box of 456, the fifth a mini
// of 556, the last a straight of 926.
const std::vector<std::string> kThreeDigitDraws = {"123", "456", "123", "546", "056", "926"};

std::vector<ExpectedStep> ThreeDigitSteps(int firstNo, int step) {
    const auto no = [firstNo, step](int k) { return firstNo + k * step; };
    return {
        {no(1), {"999", "888", "777", "666", "555"}, {0, 0, 0}, {0.005, 0.005, 0.05}},
        {no(2), {"999", "888", "777", "666", "555"}, {0, 0, 0}, {0.010, 0.010, 0.10}},
        // 456 covers 6 arrangements, 665 three.
        {no(3), {"456", "999", "888", "777", "665"}, {0, 1, 0}, {0.015, 0.022, 0.15}},
        {no(4), {"993", "889", "778", "667", "556"}, {0, 1, 1}, {0.020, 0.037, 0.20}},
        {no(5), {"926", "893", "789", "678", "567"}, {1, 2, 2}, {0.025, 0.067, 0.25}},
    };
}

void ExpectThreeDigitScores(const BacktestResult& result) {
    ASSERT_EQ(result.scores.size(), 3u);
    ExpectScore(result.scores[0], Bet::Straight, 5, 1, 0.025, 5 * 0.005 * 0.995);
    ExpectScore(result.scores[1], Bet::Box, 5, 2, 0.067,
                2 * 0.005 * 0.995 + 0.012 * 0.988 + 0.015 * 0.985 + 0.030 * 0.970);
    ExpectScore(result.scores[2], Bet::Mini, 5, 2, 0.25, 5 * 0.05 * 0.95);
}

// The chances by hand for picks that never share a digit at one position.
struct HandChances {
    double straight;
    double box;
    double mini;
};

int Factorial(int n) {
    return n <= 1 ? 1 : n * Factorial(n - 1);
}

HandChances CountChances(const PredictedNumbers& picks, int positions) {
    std::set<std::string> distinct(picks.begin(), picks.end());
    std::set<std::string> sorted;
    std::set<std::string> pairs;
    for (const std::string& pick : distinct) {
        std::string s = pick;
        std::sort(s.begin(), s.end());
        sorted.insert(s);
        pairs.insert(pick.substr(pick.size() - 2));
    }
    int arrangements = 0;
    for (const std::string& s : sorted) {
        int ways = Factorial(positions);
        for (char d = '0'; d <= '9'; ++d) {
            ways /= Factorial(static_cast<int>(std::count(s.begin(), s.end(), d)));
        }
        arrangements += ways;
    }
    const double all = positions == 3 ? 1000.0 : 10000.0;
    return {static_cast<double>(distinct.size()) / all, arrangements / all, static_cast<double>(pairs.size()) / 100.0};
}

} // namespace

TEST(BacktestTest, BoxAndMiniBetsIncludeTheStraight) {
    const std::vector<int> winning = {1, 1, 2};
    const PredictedNumbers boxOnly = {"999", "121", "888", "777", "666"};
    EXPECT_FALSE(WinsBet(Game::Numbers3, Bet::Straight, boxOnly, winning));
    EXPECT_TRUE(WinsBet(Game::Numbers3, Bet::Box, boxOnly, winning));
    EXPECT_FALSE(WinsBet(Game::Numbers3, Bet::Mini, boxOnly, winning));

    const PredictedNumbers straight = {"999", "888", "777", "666", "112"};
    EXPECT_TRUE(WinsBet(Game::Numbers3, Bet::Straight, straight, winning));
    EXPECT_TRUE(WinsBet(Game::Numbers3, Bet::Box, straight, winning));
    EXPECT_TRUE(WinsBet(Game::Numbers3, Bet::Mini, straight, winning));

    const PredictedNumbers miniOnly = {"999", "888", "012", "666", "555"};
    EXPECT_FALSE(WinsBet(Game::Numbers3, Bet::Straight, miniOnly, winning));
    EXPECT_FALSE(WinsBet(Game::Numbers3, Bet::Box, miniOnly, winning));
    EXPECT_TRUE(WinsBet(Game::Numbers3, Bet::Mini, miniOnly, winning));

    const PredictedNumbers none = {"122", "221", "111", "102", "000"};
    for (const Bet bet : {Bet::Straight, Bet::Box, Bet::Mini}) {
        EXPECT_FALSE(WinsBet(Game::Numbers3, bet, none, winning)) << BetName(bet);
    }

    const std::vector<int> winning4 = {1, 1, 2, 2};
    EXPECT_TRUE(WinsBet(Game::Numbers4, Bet::Box, {"9999", "8888", "7777", "6666", "2121"}, winning4));
    EXPECT_FALSE(WinsBet(Game::Numbers4, Bet::Straight, {"9999", "8888", "7777", "6666", "2121"}, winning4));
    EXPECT_TRUE(WinsBet(Game::Numbers4, Bet::Straight, {"1122", "8888", "7777", "6666", "5555"}, winning4));
    EXPECT_TRUE(WinsBet(Game::Numbers4, Bet::Box, {"1122", "8888", "7777", "6666", "5555"}, winning4));
    // Four digits: the last two alone win nothing.
    EXPECT_FALSE(WinsBet(Game::Numbers4, Bet::Box, {"1222", "1112", "0022", "9922", "8888"}, winning4));
}

TEST(BacktestTest, ChanceOfWinOfFiveDifferentPicks) {
    const PredictedNumbers picks = {"123", "456", "789", "012", "345"};
    EXPECT_NEAR(ChanceOfWin(Game::Numbers3, Bet::Straight, picks), 5.0 / 1000, kTolerance);
    // Each has six arrangements, none shared.
    EXPECT_NEAR(ChanceOfWin(Game::Numbers3, Bet::Box, picks), 30.0 / 1000, kTolerance);
    // 23, 56, 89, 12, 45
    EXPECT_NEAR(ChanceOfWin(Game::Numbers3, Bet::Mini, picks), 5.0 / 100, kTolerance);

    const PredictedNumbers four = {"1234", "5678", "9012", "3456", "7890"};
    EXPECT_NEAR(ChanceOfWin(Game::Numbers4, Bet::Straight, four), 5.0 / 10000, kTolerance);
    EXPECT_NEAR(ChanceOfWin(Game::Numbers4, Bet::Box, four), 120.0 / 10000, kTolerance);
}

TEST(BacktestTest, ChanceOfWinWithRepeatedDigits) {
    // 112: 3 arrangements, 111 and the others: 1 each.
    const PredictedNumbers three = {"112", "111", "999", "888", "777"};
    EXPECT_NEAR(ChanceOfWin(Game::Numbers3, Bet::Straight, three), 5.0 / 1000, kTolerance);
    EXPECT_NEAR(ChanceOfWin(Game::Numbers3, Bet::Box, three), 7.0 / 1000, kTolerance);
    EXPECT_NEAR(ChanceOfWin(Game::Numbers3, Bet::Mini, three), 5.0 / 100, kTolerance);

    // 1122: 6, 1112: 4, 1234: 24, 0000: 1, 5678: 24.
    const PredictedNumbers four = {"1122", "1112", "1234", "0000", "5678"};
    EXPECT_NEAR(ChanceOfWin(Game::Numbers4, Bet::Straight, four), 5.0 / 10000, kTolerance);
    EXPECT_NEAR(ChanceOfWin(Game::Numbers4, Bet::Box, four), 59.0 / 10000, kTolerance);
}

TEST(BacktestTest, ChanceOfWinCountsWhatDuplicatedAndOverlappingPicksCover) {
    // Distinct picks 123, 321, 456; arrangements of {1,2,3} and {4,5,6}; pairs 23, 21, 56.
    const PredictedNumbers duplicated = {"123", "123", "321", "456", "456"};
    EXPECT_NEAR(ChanceOfWin(Game::Numbers3, Bet::Straight, duplicated), 3.0 / 1000, kTolerance);
    EXPECT_NEAR(ChanceOfWin(Game::Numbers3, Bet::Box, duplicated), 12.0 / 1000, kTolerance);
    EXPECT_NEAR(ChanceOfWin(Game::Numbers3, Bet::Mini, duplicated), 3.0 / 100, kTolerance);

    // Five arrangements of one set of digits cover its six arrangements once.
    const PredictedNumbers arrangements = {"123", "321", "213", "132", "231"};
    EXPECT_NEAR(ChanceOfWin(Game::Numbers3, Bet::Straight, arrangements), 5.0 / 1000, kTolerance);
    EXPECT_NEAR(ChanceOfWin(Game::Numbers3, Bet::Box, arrangements), 6.0 / 1000, kTolerance);
    EXPECT_NEAR(ChanceOfWin(Game::Numbers3, Bet::Mini, arrangements), 5.0 / 100, kTolerance);

    // Sharing the last two digits only: {1,2,3}, {0,2,3}, {2,3,9}, {4,5,6}, {0,5,6}; pairs 23 and 56.
    const PredictedNumbers sameEnds = {"123", "023", "923", "456", "056"};
    EXPECT_NEAR(ChanceOfWin(Game::Numbers3, Bet::Box, sameEnds), 30.0 / 1000, kTolerance);
    EXPECT_NEAR(ChanceOfWin(Game::Numbers3, Bet::Mini, sameEnds), 2.0 / 100, kTolerance);

    const PredictedNumbers pairs = {"1122", "2211", "1212", "2121", "1221"};
    EXPECT_NEAR(ChanceOfWin(Game::Numbers4, Bet::Straight, pairs), 5.0 / 10000, kTolerance);
    EXPECT_NEAR(ChanceOfWin(Game::Numbers4, Bet::Box, pairs), 6.0 / 10000, kTolerance);
    const PredictedNumbers same = {"7777", "7777", "7777", "7777", "7777"};
    EXPECT_NEAR(ChanceOfWin(Game::Numbers4, Bet::Straight, same), 1.0 / 10000, kTolerance);
    EXPECT_NEAR(ChanceOfWin(Game::Numbers4, Bet::Box, same), 1.0 / 10000, kTolerance);
}

TEST(BacktestTest, PicksThatCannotWinAddNoChance) {
    const PredictedNumbers picks = {"123", "", "　", "12a", "456"};
    EXPECT_NEAR(ChanceOfWin(Game::Numbers3, Bet::Straight, picks), 2.0 / 1000, kTolerance);
    EXPECT_NEAR(ChanceOfWin(Game::Numbers3, Bet::Box, picks), 12.0 / 1000, kTolerance);
    EXPECT_NEAR(ChanceOfWin(Game::Numbers3, Bet::Mini, picks), 2.0 / 100, kTolerance);
}

TEST(BacktestTest, ChanceOfWinIsTheShareOfAllDrawsThatWin) {
    // Try every possible winning number against sets of picks with many repeats.
    std::mt19937 random(4711);
    for (int run = 0; run < 24; ++run) {
        const Game game = run % 2 == 0 ? Game::Numbers3 : Game::Numbers4;
        const int positions = PositionsOf(game);
        const unsigned range = run % 3 == 0 ? 2 : (run % 3 == 1 ? 3 : 10);
        PredictedNumbers picks;
        for (std::string& pick : picks) {
            for (int p = 0; p < positions; ++p) {
                pick += static_cast<char>('0' + random() % range);
            }
        }
        SCOPED_TRACE(::testing::PrintToString(picks));
        const int all = positions == 3 ? 1000 : 10000;
        for (const Bet bet : ScoredBetsOf(game)) {
            int wins = 0;
            for (int n = 0; n < all; ++n) {
                std::vector<int> winning;
                for (int div = all / 10; div >= 1; div /= 10) {
                    winning.push_back(n / div % 10);
                }
                wins += WinsBet(game, bet, picks, winning) ? 1 : 0;
            }
            EXPECT_NEAR(ChanceOfWin(game, bet, picks) * all, wins, 1e-6) << BetName(bet);
        }
    }
}

TEST(BacktestTest, ZScore) {
    EXPECT_NEAR((BetScore{Bet::Straight, 10, 3, 1.0, 4.0}.Z()), 1.0, kTolerance);
    EXPECT_NEAR((BetScore{Bet::Box, 10, 0, 1.0, 0.25}.Z()), -2.0, kTolerance);
    EXPECT_EQ((BetScore{Bet::Mini, 0, 0, 0.0, 0.0}.Z()), 0.0);
    EXPECT_EQ((BetScore{Bet::Straight, 3, 2, 0.0, 0.0}.Z()), 0.0);
}

TEST(BacktestTest, ZOnTwoDraws) {
    // 123 then 555: the picks 999 888 777 666 555 hit 555 every way.
    const BacktestResult hit = RunBacktest(Game::Numbers3, History({"123", "555"}, 1));
    ASSERT_EQ(hit.status, ReadStatus::Complete);
    ASSERT_EQ(hit.scores.size(), 3u);
    ExpectScore(hit.scores[0], Bet::Straight, 1, 1, 0.005, 0.005 * 0.995);
    ExpectScore(hit.scores[1], Bet::Box, 1, 1, 0.005, 0.005 * 0.995);
    ExpectScore(hit.scores[2], Bet::Mini, 1, 1, 0.05, 0.05 * 0.95);
    // 0.995 / sqrt(0.005 * 0.995) = sqrt(199); 0.95 / sqrt(0.05 * 0.95) = sqrt(19)
    EXPECT_NEAR(hit.scores[0].Z(), 14.106735979665883, 1e-9);
    EXPECT_NEAR(hit.scores[1].Z(), 14.106735979665883, 1e-9);
    EXPECT_NEAR(hit.scores[2].Z(), 4.358898943540674, 1e-9);

    const BacktestResult miss = RunBacktest(Game::Numbers3, History({"123", "456"}, 1));
    ASSERT_EQ(miss.scores.size(), 3u);
    EXPECT_EQ(miss.scores[0].hits, 0);
    // -0.005 / sqrt(0.005 * 0.995) = -sqrt(1 / 199)
    EXPECT_NEAR(miss.scores[0].Z(), -0.07088812050083358, 1e-9);
}

TEST(BacktestTest, NoScoreWithoutTwoDraws) {
    for (const Game game : {Game::Numbers3, Game::Numbers4}) {
        for (const auto& history : {std::vector<HistoryDraw>{}, History({"1234"}, 7)}) {
            const BacktestResult result = RunBacktest(game, history);
            EXPECT_EQ(result.status, ReadStatus::Complete);
            EXPECT_TRUE(result.steps.empty());
            ASSERT_EQ(result.scores.size(), ScoredBetsOf(game).size());
            for (std::size_t b = 0; b < result.scores.size(); ++b) {
                ExpectScore(result.scores[b], ScoredBetsOf(game)[b], 0, 0, 0.0, 0.0);
                EXPECT_EQ(result.scores[b].Z(), 0.0);
            }
        }
    }
}

TEST(BacktestTest, ThreeDigitWorkedExample) {
    const BacktestResult result = RunBacktest(Game::Numbers3, History(kThreeDigitDraws, 201));
    ASSERT_EQ(result.status, ReadStatus::Complete);
    ExpectSteps(result, ThreeDigitSteps(201, 1));
    ExpectThreeDigitScores(result);
    EXPECT_NEAR(result.scores[0].Z(), 6.181915593245353, 1e-9);
    EXPECT_NEAR(result.scores[1].Z(), 7.542441941713324, 1e-9);
    EXPECT_NEAR(result.scores[2].Z(), 3.5909242322980397, 1e-9);
}

TEST(BacktestTest, FourDigitWorkedExample) {
    // 5432 is a box of 2345, 9994 a box of 9949, 7779 a straight.
    const BacktestResult result =
        RunBacktest(Game::Numbers4, History({"1234", "2345", "1234", "5432", "9994", "7779"}, 11));
    ASSERT_EQ(result.status, ReadStatus::Complete);
    ExpectSteps(result, {
                            {12, {"9999", "8888", "7777", "6666", "5555"}, {0, 0}, {0.0005, 0.0005}},
                            {13, {"9999", "8888", "7777", "6666", "5555"}, {0, 0}, {0.0010, 0.0010}},
                            // 2345 covers 24 arrangements.
                            {14, {"2345", "9999", "8888", "7777", "6666"}, {0, 1}, {0.0015, 0.0038}},
                            // Three alike: 4 arrangements each.
                            {15, {"9949", "8838", "7797", "6686", "5575"}, {0, 2}, {0.0020, 0.0058}},
                            {16, {"9995", "8882", "7779", "6668", "5557"}, {1, 3}, {0.0025, 0.0078}},
                        });
    ASSERT_EQ(result.scores.size(), 2u);
    ExpectScore(result.scores[0], Bet::Straight, 5, 1, 0.0025, 5 * 0.0005 * 0.9995);
    ExpectScore(result.scores[1], Bet::Box, 5, 3, 0.0078, 2 * 0.0005 * 0.9995 + 0.0028 * 0.9972 + 2 * 0.002 * 0.998);
}

TEST(BacktestTest, StepsFollowThePredictionOfEveryPrefix) {
    std::mt19937 random(20260821);
    for (int run = 0; run < 12; ++run) {
        const Game game = run % 2 == 0 ? Game::Numbers3 : Game::Numbers4;
        const int positions = PositionsOf(game);
        // A narrow range now and then, so counts tie and picks repeat digits.
        const int range = run % 3 == 0 ? 3 : 10;
        const int length = 200 + static_cast<int>(random() % 200);
        const std::vector<HistoryDraw> history = RandomHistory(random, positions, length, range);
        SCOPED_TRACE("run " + std::to_string(run));

        const BacktestResult result = RunBacktest(game, history);
        ASSERT_EQ(result.status, ReadStatus::Complete);
        ASSERT_EQ(result.steps.size(), history.size() - 1);
        ASSERT_EQ(result.scores.size(), ScoredBetsOf(game).size());

        NextDrawPredictor reference(positions);
        reference.AddDraw(std::span(history[0].digits.data(), static_cast<std::size_t>(positions)));
        std::vector<int> hits(3);
        std::vector<double> expected(3);
        std::vector<double> variance(3);
        for (std::size_t i = 1; i < history.size(); ++i) {
            const BacktestStep& step = result.steps[i - 1];
            ASSERT_EQ(step.drawNo, history[i].drawNo);
            ASSERT_EQ(step.picks, reference.Numbers()) << "draw " << i;

            const std::string winning = NumberOf(history[i], positions);
            std::string sortedWinning = winning;
            std::sort(sortedWinning.begin(), sortedWinning.end());
            bool straight = false;
            bool box = false;
            bool mini = false;
            for (const std::string& pick : step.picks) {
                std::string sorted = pick;
                std::sort(sorted.begin(), sorted.end());
                straight = straight || pick == winning;
                box = box || sorted == sortedWinning;
                mini = mini || pick.substr(pick.size() - 2) == winning.substr(winning.size() - 2);
            }
            const HandChances chances = CountChances(step.picks, positions);
            const std::vector<bool> won = {straight, box, mini};
            const std::vector<double> p = {chances.straight, chances.box, chances.mini};
            for (std::size_t b = 0; b < result.scores.size(); ++b) {
                hits[b] += won[b] ? 1 : 0;
                expected[b] += p[b];
                variance[b] += p[b] * (1 - p[b]);
            }
            const auto bets = static_cast<std::ptrdiff_t>(result.scores.size());
            ASSERT_EQ(step.cumulativeHits, std::vector<int>(hits.begin(), hits.begin() + bets)) << "draw " << i;
            ASSERT_EQ(step.cumulativeExpected.size(), result.scores.size());
            for (std::size_t b = 0; b < result.scores.size(); ++b) {
                ASSERT_NEAR(step.cumulativeExpected[b], expected[b], 1e-9) << "draw " << i << " bet " << b;
            }
            reference.AddDraw(std::span(history[i].digits.data(), static_cast<std::size_t>(positions)));
        }
        for (std::size_t b = 0; b < result.scores.size(); ++b) {
            ExpectScore(result.scores[b], ScoredBetsOf(game)[b], length - 1, hits[b], expected[b], variance[b]);
        }
    }
}

TEST(BacktestTest, KeptStepsAreEvenlySpreadAndTheScoresCountEveryDraw) {
    std::mt19937 random(11);
    const std::vector<HistoryDraw> history = RandomHistory(random, 3, 101, 10); // 100 scored draws
    const BacktestResult every = RunBacktest(Game::Numbers3, history);
    // kept steps: the indexes of the full run's steps they must equal
    const std::vector<std::pair<std::size_t, std::vector<std::size_t>>> cases = {
        {0, {}},   {4, {24, 49, 74, 99}}, {3, {33, 66, 99}}, {100, {}}, // every step
        {500, {}},
    };
    for (const auto& [keptSteps, indexes] : cases) {
        const BacktestResult result = RunBacktest(Game::Numbers3, history, keptSteps);
        ASSERT_EQ(result.scores.size(), every.scores.size());
        for (std::size_t b = 0; b < every.scores.size(); ++b) {
            EXPECT_EQ(result.scores[b].hits, every.scores[b].hits) << keptSteps;
            EXPECT_EQ(result.scores[b].expected, every.scores[b].expected) << keptSteps;
        }
        const std::size_t expectedSize = keptSteps >= 100 ? 100 : indexes.size();
        ASSERT_EQ(result.steps.size(), expectedSize) << keptSteps;
        for (std::size_t i = 0; i < result.steps.size(); ++i) {
            const BacktestStep& want = every.steps[keptSteps >= 100 ? i : indexes[i]];
            EXPECT_EQ(result.steps[i].drawNo, want.drawNo) << keptSteps;
            EXPECT_EQ(result.steps[i].picks, want.picks) << keptSteps;
            EXPECT_EQ(result.steps[i].cumulativeHits, want.cumulativeHits) << keptSteps;
        }
    }
}

TEST(BacktestTest, PicksEqualThePredictionFromADatabaseOfThePrefix) {
    std::mt19937 random(7053);
    for (const Game game : {Game::Numbers3, Game::Numbers4}) {
        const int positions = PositionsOf(game);
        const std::vector<HistoryDraw> history = RandomHistory(random, positions, 301, 10);
        const BacktestResult result = RunBacktest(game, history);
        ASSERT_EQ(result.steps.size(), 300u);

        TestDatabase db;
        const std::vector<TestDraw> rows = ToTestDraws(history, positions);
        std::size_t stored = 0;
        for (const std::size_t prefix : {1u, 2u, 3u, 57u, 150u, 300u}) {
            db.Insert(game, std::vector<TestDraw>(rows.begin() + static_cast<std::ptrdiff_t>(stored),
                                                  rows.begin() + static_cast<std::ptrdiff_t>(prefix)));
            stored = prefix;
            const PredictionResult prediction = PredictFromDatabase(db.Path(), game, std::string(kAllDrawsClause));
            ASSERT_EQ(prediction.status, ReadStatus::Complete);
            ASSERT_EQ(prediction.draws, static_cast<int>(prefix));
            EXPECT_EQ(result.steps[prefix - 1].picks, prediction.numbers) << "prefix " << prefix;
        }

        // The whole history from the file gives the same backtest.
        db.Insert(game, std::vector<TestDraw>(rows.begin() + 300, rows.end()));
        const BacktestResult fromFile = BacktestFromDatabase(db.Path(), game);
        ASSERT_EQ(fromFile.status, ReadStatus::Complete);
        ASSERT_EQ(fromFile.steps.size(), result.steps.size());
        for (std::size_t i = 0; i < result.steps.size(); ++i) {
            EXPECT_EQ(fromFile.steps[i].drawNo, result.steps[i].drawNo);
            EXPECT_EQ(fromFile.steps[i].picks, result.steps[i].picks);
            EXPECT_EQ(fromFile.steps[i].cumulativeHits, result.steps[i].cumulativeHits);
        }
        ASSERT_EQ(fromFile.scores.size(), result.scores.size());
        for (std::size_t b = 0; b < result.scores.size(); ++b) {
            EXPECT_EQ(fromFile.scores[b].hits, result.scores[b].hits);
            EXPECT_NEAR(fromFile.scores[b].expected, result.scores[b].expected, kTolerance);
        }
    }
}

namespace {

// The three-digit worked example as draws 10, 20, … 60, stored out of order between
// rows that are not draws and rows the prediction leaves out.
void FillWorkedExampleWithBadRows(const TestDatabase& db) {
    std::vector<TestDraw> draws = ToTestDraws(History(kThreeDigitDraws, 10, 10), 3);
    std::reverse(draws.begin(), draws.end());
    std::swap(draws[1], draws[4]);
    draws.push_back({0, {0, 0, 0}});
    draws.push_back({-7, {9, 9, 9}});
    draws.push_back({5, {1, std::nullopt, 1}});
    draws.push_back({15, {1, 2, 12}});
    draws.push_back({35, {-1, 0, 0}});
    db.Insert(Game::Numbers3, draws);
    db.Execute(R"(INSERT INTO "ナンバーズ3" (kaisai, N100, N10, N1) VALUES (55, 'a', 5, 5))");
}

} // namespace

TEST(BacktestTest, FromDatabaseInDrawOrderLeavingOutBadRows) {
    TestDatabase db;
    FillWorkedExampleWithBadRows(db);
    const BacktestResult result = BacktestFromDatabase(db.Path(), Game::Numbers3);
    ASSERT_EQ(result.status, ReadStatus::Complete) << result.error;
    ExpectSteps(result, ThreeDigitSteps(10, 10));
    ExpectThreeDigitScores(result);

    // The four-digit table is empty.
    const BacktestResult empty = BacktestFromDatabase(db.Path(), Game::Numbers4);
    ASSERT_EQ(empty.status, ReadStatus::Complete);
    EXPECT_TRUE(empty.steps.empty());
    ASSERT_EQ(empty.scores.size(), 2u);
    EXPECT_EQ(empty.scores[0].draws, 0);
    EXPECT_EQ(empty.scores[1].hits, 0);
}

TEST(BacktestTest, FromDatabaseFailures) {
    TempDir dir;
    const std::string missing = dir.File("ナンバーズ.mdb");
    const BacktestResult notOpened = BacktestFromDatabase(missing, Game::Numbers3);
    EXPECT_EQ(notOpened.status, ReadStatus::NotOpened);
    EXPECT_FALSE(notOpened.error.empty());
    EXPECT_TRUE(notOpened.steps.empty());
    EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(missing)));

    TestDatabase db;
    db.Execute(R"(DROP TABLE "ナンバーズ4")");
    EXPECT_EQ(BacktestFromDatabase(db.Path(), Game::Numbers4).status, ReadStatus::NotOpened);

    TestDatabase damaged;
    damaged.FillAndDamageMiddle(3000);
    const BacktestResult interrupted = BacktestFromDatabase(damaged.Path(), Game::Numbers3);
    EXPECT_EQ(interrupted.status, ReadStatus::Interrupted);
    EXPECT_FALSE(interrupted.error.empty());
}

TEST(BacktestTest, RealHistory) {
    const auto three = RealDraws(Game::Numbers3, 7054);
    const auto four = RealDraws(Game::Numbers4, 7054);
    if (!three || !four) {
        FAIL() << "the shipped draw history in src/exchange/history is missing";
    }
    TestDatabase db;
    db.Insert(Game::Numbers3, *three);
    db.Insert(Game::Numbers4, *four);

    for (const Game game : {Game::Numbers3, Game::Numbers4}) {
        SCOPED_TRACE(std::string(TableName(game)));
        const BacktestResult result = BacktestFromDatabase(db.Path(), game);
        ASSERT_EQ(result.status, ReadStatus::Complete) << result.error;
        ASSERT_EQ(result.steps.size(), 7053u);
        EXPECT_EQ(result.steps.front().drawNo, 2);
        EXPECT_EQ(result.steps.back().drawNo, 7054);
        ASSERT_EQ(result.scores.size(), ScoredBetsOf(game).size());
        for (std::size_t b = 0; b < result.scores.size(); ++b) {
            EXPECT_EQ(result.scores[b].draws, 7053);
            EXPECT_GE(result.scores[b].hits, 0);
            EXPECT_LE(result.scores[b].hits, 7053);
            EXPECT_EQ(result.steps.back().cumulativeHits[b], result.scores[b].hits);
            EXPECT_NEAR(result.steps.back().cumulativeExpected[b], result.scores[b].expected, 1e-6);
        }
        const BetScore& straight = result.scores[0];
        const BetScore& box = result.scores[1];
        EXPECT_GE(box.hits, straight.hits);
        // The five picks never share a digit at one position, so they are always
        // five different numbers with five different last two digits.
        if (game == Game::Numbers3) {
            EXPECT_NEAR(straight.expected, 7053 * 5 / 1000.0, 1e-6);
            EXPECT_NEAR(straight.variance, 7053 * 0.005 * 0.995, 1e-6);
            EXPECT_NEAR(result.scores[2].expected, 7053 * 5 / 100.0, 1e-6);
            EXPECT_GE(result.scores[2].hits, straight.hits);
            // Five different picks cover at least 5 and at most 30 arrangements.
            EXPECT_GE(box.expected, 7053 * 5 / 1000.0 - 1e-6);
            EXPECT_LE(box.expected, 7053 * 30 / 1000.0 + 1e-6);
        } else {
            EXPECT_NEAR(straight.expected, 7053 * 5 / 10000.0, 1e-6);
            EXPECT_GE(box.expected, 7053 * 5 / 10000.0 - 1e-6);
            EXPECT_LE(box.expected, 7053 * 120 / 10000.0 + 1e-6);
        }

        // The same as the walk over the history read straight from the CSV.
        const BacktestResult direct = RunBacktest(game, FromTestDraws(game == Game::Numbers3 ? *three : *four));
        ASSERT_EQ(direct.scores.size(), result.scores.size());
        for (std::size_t b = 0; b < result.scores.size(); ++b) {
            EXPECT_EQ(direct.scores[b].hits, result.scores[b].hits);
            EXPECT_NEAR(direct.scores[b].expected, result.scores[b].expected, 1e-6);
        }
    }
}

TEST(DrawHistoryTest, DrawsInOrderWithBadRowsCounted) {
    TestDatabase db;
    FillWorkedExampleWithBadRows(db);
    const DrawHistory history = ReadDrawHistory(db.Path(), Game::Numbers3);
    ASSERT_EQ(history.status, ReadStatus::Complete) << history.error;
    EXPECT_EQ(history.skippedRows, 4);
    ASSERT_EQ(history.draws.size(), 6u);
    for (std::size_t k = 0; k < history.draws.size(); ++k) {
        EXPECT_EQ(history.draws[k].drawNo, 10 * static_cast<int>(k + 1));
        EXPECT_EQ(NumberOf(history.draws[k], 3), kThreeDigitDraws[k]);
    }

    db.Insert(Game::Numbers4, {{3, {9, 0, 0, 1}}, {1, {1, 2, 3, 4}}, {2, {5, std::nullopt, 7, 8}}, {0, {0, 0, 0, 0}}});
    const DrawHistory four = ReadDrawHistory(db.Path(), Game::Numbers4);
    ASSERT_EQ(four.status, ReadStatus::Complete);
    EXPECT_EQ(four.skippedRows, 1);
    ASSERT_EQ(four.draws.size(), 2u);
    EXPECT_EQ(four.draws[0].drawNo, 1);
    EXPECT_EQ(four.draws[0].digits, (std::array<int, 4>{1, 2, 3, 4}));
    EXPECT_EQ(four.draws[1].drawNo, 3);
    EXPECT_EQ(four.draws[1].digits, (std::array<int, 4>{9, 0, 0, 1}));
}

TEST(DrawHistoryTest, Failures) {
    TempDir dir;
    const DrawHistory missing = ReadDrawHistory(dir.File("ナンバーズ.mdb"), Game::Numbers4);
    EXPECT_EQ(missing.status, ReadStatus::NotOpened);
    EXPECT_FALSE(missing.error.empty());

    TestDatabase damaged;
    damaged.FillAndDamageMiddle(3000);
    const DrawHistory interrupted = ReadDrawHistory(damaged.Path(), Game::Numbers3);
    EXPECT_EQ(interrupted.status, ReadStatus::Interrupted);
    EXPECT_TRUE(interrupted.draws.empty());
}

TEST(DrawHistoryTest, RealHistory) {
    const auto draws = RealDraws(Game::Numbers4, 7054);
    if (!draws) {
        FAIL() << "the shipped draw history in src/exchange/history is missing";
    }
    TestDatabase db;
    db.Insert(Game::Numbers4, *draws);
    const DrawHistory history = ReadDrawHistory(db.Path(), Game::Numbers4);
    ASSERT_EQ(history.status, ReadStatus::Complete);
    EXPECT_EQ(history.skippedRows, 0);
    ASSERT_EQ(history.draws.size(), 7054u);
    // The last draw, 2026-08-21: 9577.
    EXPECT_EQ(history.draws.back().drawNo, 7054);
    EXPECT_EQ(NumberOf(history.draws.back(), 4), "9577");
}
