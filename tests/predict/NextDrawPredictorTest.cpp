#include "predict/NextDrawPredictor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <vector>

using namespace drawbook;

namespace {

// "123" → {1, 2, 3}
std::vector<int> DigitsOf(const std::string& number) {
    std::vector<int> digits;
    for (const char c : number) {
        digits.push_back(c - '0');
    }
    return digits;
}

PredictedNumbers Predict(int positions, const std::vector<std::string>& history) {
    NextDrawPredictor predictor(positions);
    for (const std::string& draw : history) {
        predictor.AddDraw(DigitsOf(draw));
    }
    return predictor.Numbers();
}

struct WorkedExample {
    int positions;
    std::vector<std::string> history;
    PredictedNumbers numbers;
};

} // namespace

TEST(NextDrawPredictorTest, WorkedExamples) {
    const std::vector<WorkedExample> examples = {
        {3, {}, {"999", "888", "777", "666", "555"}},
        {3, {"123"}, {"999", "888", "777", "666", "555"}},
        {3, {"123", "456", "123", "789", "123"}, {"789", "456", "998", "877", "665"}},
        {3, {"501", "502", "301"}, {"902", "899", "788", "677", "566"}},
        {3, {"000", "000"}, {"000", "999", "888", "777", "666"}},
        {4, {}, {"9999", "8888", "7777", "6666", "5555"}},
        {4, {"1234", "2345", "1234", "0000", "1234"}, {"2345", "0000", "9999", "8888", "7777"}},
    };
    for (const WorkedExample& example : examples) {
        SCOPED_TRACE(::testing::PrintToString(example.history));
        EXPECT_EQ(Predict(example.positions, example.history), example.numbers);
    }
}

TEST(NextDrawPredictorTest, EqualCountsRankTheLargerDigitFirst) {
    // Hundreds: 1 was followed once by 4 and once by 7.
    NextDrawPredictor predictor(3);
    for (const char* draw : {"123", "456", "123", "789", "123"}) {
        predictor.AddDraw(DigitsOf(draw));
    }
    EXPECT_EQ(predictor.RankedDigits(0), (std::array<int, 5>{7, 4, 9, 8, 6}));
}

TEST(NextDrawPredictorTest, ADigitNeverSeenBeforeTheLatestDrawGivesNineDownToFive) {
    // Tens: 5 appears only in the latest draw, so nothing ever followed it.
    NextDrawPredictor predictor(3);
    for (const char* draw : {"111", "222", "111", "151"}) {
        predictor.AddDraw(DigitsOf(draw));
    }
    EXPECT_EQ(predictor.RankedDigits(1), (std::array<int, 5>{9, 8, 7, 6, 5}));
    // Hundreds and units: 1 was followed by 2 once and by 1 once.
    EXPECT_EQ(predictor.RankedDigits(0), (std::array<int, 5>{2, 1, 9, 8, 7}));
}

TEST(NextDrawPredictorTest, RepeatsCountAsFollowingThemselves) {
    EXPECT_EQ(Predict(4, {"7777", "7777", "7777", "3333", "7777"})[0], "7777");
    EXPECT_EQ(Predict(4, {"7777", "7777", "7777", "3333", "7777"})[1], "3333");
}

TEST(NextDrawPredictorTest, NumbersAreTheFiveMostFrequentSuccessorsOfTheLatestDigit) {
    std::mt19937 random(20261207);
    for (int run = 0; run < 200; ++run) {
        const int positions = run % 2 == 0 ? 3 : 4;
        const int length = static_cast<int>(random() % 60);
        std::vector<std::vector<int>> history;
        NextDrawPredictor predictor(positions);
        for (int n = 0; n < length; ++n) {
            std::vector<int> draw;
            for (int p = 0; p < positions; ++p) {
                // A narrow range now and then, so counts tie and repeat.
                draw.push_back(static_cast<int>(random() % (run % 3 == 0 ? 3 : 10)));
            }
            predictor.AddDraw(draw);
            history.push_back(draw);
        }

        const PredictedNumbers numbers = predictor.Numbers();
        for (int p = 0; p < positions; ++p) {
            // Count by hand how often each digit followed the latest one here.
            const int latest = history.empty() ? 0 : history.back()[static_cast<std::size_t>(p)];
            std::array<int, 10> count{};
            for (std::size_t n = 1; n < history.size(); ++n) {
                if (history[n - 1][static_cast<std::size_t>(p)] == latest) {
                    ++count[static_cast<std::size_t>(history[n][static_cast<std::size_t>(p)])];
                }
            }
            std::vector<int> byCount = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
            std::sort(byCount.begin(), byCount.end(), [&count](int a, int b) {
                const auto ca = count[static_cast<std::size_t>(a)];
                const auto cb = count[static_cast<std::size_t>(b)];
                return ca != cb ? ca > cb : a > b;
            });

            std::set<char> seen;
            for (std::size_t k = 0; k < numbers.size(); ++k) {
                ASSERT_EQ(numbers[k].size(), static_cast<std::size_t>(positions));
                const char digit = numbers[k][static_cast<std::size_t>(p)];
                EXPECT_EQ(digit - '0', byCount[k]) << "run " << run << " position " << p << " rank " << k + 1;
                seen.insert(digit);
            }
            EXPECT_EQ(seen.size(), numbers.size()) << "five numbers share a digit at one position";
        }
    }
}

TEST(NextDrawPredictorTest, RefusesWhatIsNotADrawOfTheGame) {
    NextDrawPredictor predictor(3);
    EXPECT_THROW(predictor.AddDraw(std::vector<int>{1, 2}), std::invalid_argument);
    EXPECT_THROW(predictor.AddDraw(std::vector<int>{1, 2, 10}), std::invalid_argument);
    EXPECT_THROW(predictor.AddDraw(std::vector<int>{-1, 2, 3}), std::invalid_argument);
    EXPECT_EQ(predictor.Draws(), 0);
    EXPECT_THROW(NextDrawPredictor(5), std::invalid_argument);
}
