#include "db/DrawListQuery.h"
#include "game/SearchClause.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

using namespace drawbook;
using namespace drawbook::test;

namespace {

// Field texts as {thousands, hundreds, tens, units} with the clause or message they give.
struct Case {
    SearchFields fields;
    std::string expected;
};

std::string Describe(const SearchFields& f) {
    return "[" + f[0] + "|" + f[1] + "|" + f[2] + "|" + f[3] + "]";
}

void ExpectClauses(Game game, SearchMode mode, const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(Describe(c.fields));
        const SearchClause result = BuildSearchClause(game, mode, c.fields);
        EXPECT_EQ(result.refusal, "");
        EXPECT_EQ(result.clause, c.expected);
    }
}

void ExpectRefusals(Game game, SearchMode mode, const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(Describe(c.fields));
        const SearchClause result = BuildSearchClause(game, mode, c.fields);
        EXPECT_TRUE(result.Refused());
        EXPECT_EQ(result.refusal, c.expected);
        EXPECT_EQ(result.clause, "");
    }
}

const std::string kFillOne = "　最低一項目記入してください。。";
const std::string kFillAll = "　全項目記入してください。。";
const std::string kNotADigit = "　検索する数字は一桁の数字で記入してください。。";

} // namespace

// Clause texts, piece by piece. Hundreds 1, tens 2, units 3 in the three-digit
// game; thousands 1, hundreds 2, tens 3, units 4 in the four-digit game.

TEST(SearchClauseTest, ThreeDigitStraightClauses) {
    ExpectClauses(Game::Numbers3, SearchMode::Straight,
                  {
                      {{"", "1", "", ""}, " WHERE N100=1"},
                      {{"", "", "2", ""}, " WHERE N10=2"},
                      {{"", "", "", "3"}, " WHERE N1=3"},
                      {{"", "1", "2", ""}, " WHERE N100=1 AND N10=2"},
                      {{"", "1", "", "3"}, " WHERE N100=1 AND N1=3"},
                      {{"", "", "2", "3"}, " WHERE N10=2 AND N1=3"},
                      {{"", "1", "2", "3"}, " WHERE N100=1 AND N10=2 AND N1=3"},
                      // Tens only, with 5.
                      {{"", "", "5", ""}, " WHERE N10=5"},
                  });
}

TEST(SearchClauseTest, ThreeDigitBoxClauses) {
    ExpectClauses(
        Game::Numbers3, SearchMode::Box,
        {
            {{"", "1", "", ""}, "WHERE N100=1 OR N10=1 OR N1=1"},
            {{"", "", "2", ""}, "WHERE N100=2 OR N10=2 OR N1=2"},
            {{"", "", "", "3"}, "WHERE N100=3 OR N10=3 OR N1=3"},
            {{"", "1", "2", ""},
             "WHERE (N100= 1 AND N10=2) OR ( N100=2 AND N10=1) OR ( N100=2 AND N1=1) OR ( N100=1 AND N1=2)"
             " OR ( N10=1 AND N1=2) OR ( N10=2 AND N1=1)"},
            // No blank after the first equals sign for hundreds and units.
            {{"", "1", "", "3"},
             "WHERE (N100=1 AND N10=3) OR ( N100=3 AND N10=1) OR ( N100=3 AND N1=1) OR ( N100=1 AND N1=3)"
             " OR ( N10=1 AND N1=3) OR ( N10=3 AND N1=1)"},
            // Tens and units: the units digit comes first.
            {{"", "", "2", "3"},
             "WHERE (N100= 3 AND N10=2) OR ( N100=2 AND N10=3) OR ( N100=2 AND N1=3) OR ( N100=3 AND N1=2)"
             " OR ( N10=3 AND N1=2) OR ( N10=2 AND N1=3)"},
            {{"", "1", "2", "3"},
             "WHERE (N100= 1 AND N10=2 AND N1=3) OR ( N100=1 AND N10=3 AND N1=2) OR ( N100=2 AND N10=3 AND N1=1)"
             " OR ( N100=2 AND N10=1 AND N1=3) OR ( N100=3 AND N10=2 AND N1=1) OR ( N100=3 AND N10=1 AND N1=2)"},
            // Units only, with 7.
            {{"", "", "", "7"}, "WHERE N100=7 OR N10=7 OR N1=7"},
            // 1, 1, 2: repeated orderings are kept.
            {{"", "1", "1", "2"},
             "WHERE (N100= 1 AND N10=1 AND N1=2) OR ( N100=1 AND N10=2 AND N1=1) OR ( N100=1 AND N10=2 AND N1=1)"
             " OR ( N100=1 AND N10=1 AND N1=2) OR ( N100=2 AND N10=1 AND N1=1) OR ( N100=2 AND N10=1 AND N1=1)"},
        });
}

TEST(SearchClauseTest, FourDigitStraightClauses) {
    ExpectClauses(Game::Numbers4, SearchMode::Straight,
                  {
                      {{"1", "", "", ""}, " WHERE N1000=1"},
                      {{"", "2", "", ""}, " WHERE N100=2"},
                      {{"", "", "3", ""}, "WHERE N10=3"},
                      {{"", "", "", "4"}, "WHERE N1=4"},
                      {{"1", "2", "", ""}, " WHERE N1000=1 AND N100=2"},
                      {{"1", "", "3", ""}, " WHERE N1000=1 AND N10=3"},
                      {{"1", "", "", "4"}, " WHERE N1000=1 AND N1=4"},
                      {{"", "2", "3", ""}, " WHERE N100=2 AND N10=3"},
                      {{"", "2", "", "4"}, " WHERE N100=2 AND N1=4"},
                      {{"", "", "3", "4"}, "WHERE N10=3 AND N1=4"},
                      {{"1", "2", "3", ""}, " WHERE N1000=1 AND N100=2 AND N10=3"},
                      {{"1", "2", "", "4"}, " WHERE N1000=1 AND N100=2 AND N1=4"},
                      {{"1", "", "3", "4"}, " WHERE N1000=1 AND N10=3 AND N1=4"},
                      {{"", "2", "3", "4"}, " WHERE N100=2 AND N10=3 AND N1=4"},
                      {{"1", "2", "3", "4"}, " WHERE N1000=1 AND N100=2 AND N10=3 AND N1=4"},
                  });
}

TEST(SearchClauseTest, FourDigitBoxListsTheFieldOrderingsInTurn) {
    // Digits out of order (7, 3, 9, 1), so that the orderings are of the
    // fields, not of the sorted digits.
    ExpectClauses(Game::Numbers4, SearchMode::Box,
                  {
                      {{"7", "3", "9", "1"},
                       "WHERE (N1000= 7 AND N100=3 AND N10=9 AND N1=1)"
                       " OR (N1000=7 AND N100=3 AND N10=1 AND N1=9)"
                       " OR (N1000=7 AND N100=9 AND N10=3 AND N1=1)"
                       " OR (N1000=7 AND N100=9 AND N10=1 AND N1=3)"
                       " OR (N1000=7 AND N100=1 AND N10=3 AND N1=9)"
                       " OR (N1000=7 AND N100=1 AND N10=9 AND N1=3)"
                       " OR (N1000=3 AND N100=7 AND N10=9 AND N1=1)"
                       " OR (N1000=3 AND N100=7 AND N10=1 AND N1=9)"
                       " OR (N1000=3 AND N100=9 AND N10=7 AND N1=1)"
                       " OR (N1000=3 AND N100=9 AND N10=1 AND N1=7)"
                       " OR (N1000=3 AND N100=1 AND N10=7 AND N1=9)"
                       " OR (N1000=3 AND N100=1 AND N10=9 AND N1=7)"
                       " OR (N1000=9 AND N100=7 AND N10=3 AND N1=1)"
                       " OR (N1000=9 AND N100=7 AND N10=1 AND N1=3)"
                       " OR (N1000=9 AND N100=3 AND N10=7 AND N1=1)"
                       " OR (N1000=9 AND N100=3 AND N10=1 AND N1=7)"
                       " OR (N1000=9 AND N100=1 AND N10=7 AND N1=3)"
                       " OR (N1000=9 AND N100=1 AND N10=3 AND N1=7)"
                       " OR (N1000=1 AND N100=7 AND N10=3 AND N1=9)"
                       " OR (N1000=1 AND N100=7 AND N10=9 AND N1=3)"
                       " OR (N1000=1 AND N100=3 AND N10=7 AND N1=9)"
                       " OR (N1000=1 AND N100=3 AND N10=9 AND N1=7)"
                       " OR (N1000=1 AND N100=9 AND N10=7 AND N1=3)"
                       " OR (N1000=1 AND N100=9 AND N10=3 AND N1=7)"},
                  });
}

TEST(SearchClauseTest, RefusesWhenNothingIsGiven) {
    const SearchFields empty{"", "", "", ""};
    ExpectRefusals(Game::Numbers3, SearchMode::Straight, {{empty, kFillOne}});
    ExpectRefusals(Game::Numbers3, SearchMode::Box, {{empty, kFillOne}});
    ExpectRefusals(Game::Numbers4, SearchMode::Straight, {{empty, kFillOne}});
    ExpectRefusals(Game::Numbers4, SearchMode::Box, {{empty, kFillAll}});
}

TEST(SearchClauseTest, FourDigitBoxNamesTheEmptyPositions) {
    ExpectRefusals(Game::Numbers4, SearchMode::Box,
                   {
                       {{"1", "2", "3", ""}, "　一桁目が記入されてません。。"},
                       {{"1", "2", "", "4"}, "　二桁目が記入されてません。。"},
                       {{"1", "", "3", "4"}, "　三桁目が記入されてません。。"},
                       {{"", "2", "3", "4"}, "　四桁目が記入されてません。。"},
                       {{"1", "2", "", ""}, "　一、二桁目が記入されてません。。"},
                       {{"1", "", "3", ""}, "　一、三桁目が記入されてません。。"},
                       {{"", "2", "3", ""}, "　一、四桁目が記入されてません。。"},
                       {{"1", "", "", "4"}, "　二、三桁目が記入されてません。。"},
                       {{"", "2", "", "4"}, "　二、四桁目が記入されてません。。"},
                       {{"", "", "3", "4"}, "　三、四桁目が記入されてません。。"},
                       {{"1", "", "", ""}, "　一、二、三桁目が記入されてません。。"},
                       {{"", "2", "", ""}, "　一、二、四桁目が記入されてません。。"},
                       {{"", "", "3", ""}, "　一、三、四桁目が記入されてません。。"},
                       {{"", "", "", "4"}, "　二、三、四桁目が記入されてません。。"},
                   });
}

TEST(SearchClauseTest, FullWidthDigitsSearchLikeHalfWidthOnes) {
    const std::vector<std::pair<std::string, std::string>> digits = {
        {"０", "0"}, {"１", "1"}, {"２", "2"}, {"３", "3"}, {"４", "4"},
        {"５", "5"}, {"６", "6"}, {"７", "7"}, {"８", "8"}, {"９", "9"},
    };
    for (const auto& [full, half] : digits) {
        SCOPED_TRACE(half);
        for (const Game game : {Game::Numbers3, Game::Numbers4}) {
            for (const SearchMode mode : {SearchMode::Straight, SearchMode::Box}) {
                const SearchFields typed{full, full, full, full};
                const SearchFields plain{half, half, half, half};
                EXPECT_EQ(BuildSearchClause(game, mode, typed).clause, BuildSearchClause(game, mode, plain).clause);
            }
        }
    }

    ExpectClauses(Game::Numbers4, SearchMode::Straight, {{{"", "", "５", "９"}, "WHERE N10=5 AND N1=9"}});
    ExpectClauses(Game::Numbers3, SearchMode::Box,
                  {{{"", "１", "", "３"},
                    "WHERE (N100=1 AND N10=3) OR ( N100=3 AND N10=1) OR ( N100=3 AND N1=1) OR ( N100=1 AND N1=3)"
                    " OR ( N10=1 AND N1=3) OR ( N10=3 AND N1=1)"}});
}

TEST(SearchClauseTest, RefusesAnythingButOneDigit) {
    for (const std::string bad : {"a", "Ａ", "12", " ", "　", "'", "1'", "-", ";"}) {
        SCOPED_TRACE(bad);
        ExpectRefusals(Game::Numbers3, SearchMode::Straight, {{{"", "", bad, ""}, kNotADigit}});
        ExpectRefusals(Game::Numbers3, SearchMode::Box, {{{"", "1", "2", bad}, kNotADigit}});
        ExpectRefusals(Game::Numbers4, SearchMode::Straight, {{{bad, "", "", "4"}, kNotADigit}});
        ExpectRefusals(Game::Numbers4, SearchMode::Box, {{{"1", bad, "3", "4"}, kNotADigit}});
    }
}

TEST(SearchClauseTest, ThreeDigitGameIgnoresTheThousandsField) {
    ExpectClauses(Game::Numbers3, SearchMode::Straight, {{{"9", "1", "", ""}, " WHERE N100=1"}});
    ExpectClauses(Game::Numbers3, SearchMode::Box, {{{"x", "", "", "7"}, "WHERE N100=7 OR N10=7 OR N1=7"}});
    ExpectRefusals(Game::Numbers3, SearchMode::Straight, {{{"9", "", "", ""}, kFillOne}});
    ExpectRefusals(Game::Numbers3, SearchMode::Box, {{{"'", "", "", ""}, kFillOne}});
}

// What the clauses select, run against a database.

namespace {

std::vector<int> FoundDraws(const TestDatabase& db, Game game, const std::string& clause) {
    const DrawListResult result = ReadDrawList(db.Path(), game, clause);
    EXPECT_EQ(result.status, DrawListResult::Status::Complete) << result.error;
    std::vector<int> found;
    for (const DrawListRow& row : result.rows) {
        found.push_back(std::stoi(row.drawNo));
    }
    std::sort(found.begin(), found.end());
    return found;
}

using Digits = std::vector<int>; // highest position first

// Straight: each given digit stands at its own position. Box: the given digits
// fill distinct positions of the draw in any order.
bool Matches(SearchMode mode, const Digits& draw, const std::vector<std::optional<int>>& given) {
    if (mode == SearchMode::Straight) {
        for (std::size_t p = 0; p < draw.size(); ++p) {
            if (given[p] && *given[p] != draw[p]) {
                return false;
            }
        }
        return true;
    }
    std::map<int, int> spare;
    for (const int digit : draw) {
        ++spare[digit];
    }
    for (const auto& digit : given) {
        if (digit && spare[*digit]-- <= 0) {
            return false;
        }
    }
    return true;
}

class SearchClauseDatabaseTest : public ::testing::Test {
protected:
    // Draws -5 to 300; every third one made of 1, 2 and 7 only, so that
    // repeated digits are common.
    void Fill(Game game) {
        m_game = game;
        m_width = DigitColumns(game).size();
        std::uniform_int_distribution<int> anyDigit(0, 9);
        std::uniform_int_distribution<std::size_t> fewIndex(0, 2);
        const int few[] = {1, 2, 7};
        std::vector<TestDraw> rows;
        for (int kaisai = -5; kaisai <= 300; ++kaisai) {
            TestDraw row{kaisai, {}, {}};
            Digits digits;
            for (std::size_t p = 0; p < m_width; ++p) {
                digits.push_back(kaisai % 3 == 0 ? few[fewIndex(m_random)] : anyDigit(m_random));
                row.digits.emplace_back(digits.back());
            }
            m_draws.emplace_back(kaisai, digits);
            rows.push_back(row);
        }
        m_db.Insert(game, rows);
    }

    // The fixed choices plus some random ones, half of them of 1 and 7 only.
    std::vector<Digits> Choices(std::vector<Digits> fixed) {
        std::uniform_int_distribution<int> anyDigit(0, 9);
        std::bernoulli_distribution seven(0.3);
        for (int n = 0; n < 6; ++n) {
            Digits choice;
            for (std::size_t p = 0; p < m_width; ++p) {
                choice.push_back(n % 2 == 0 ? (seven(m_random) ? 7 : 1) : anyDigit(m_random));
            }
            fixed.push_back(choice);
        }
        return fixed;
    }

    // Searches with the digits of each choice at the positions the mask gives
    // (its highest bit the draw's highest position) and compares the draws
    // found with a direct match.
    void Compare(SearchMode mode, unsigned mask, const std::vector<Digits>& choices) {
        const std::size_t first = 4 - m_width;
        for (const Digits& choice : choices) {
            SearchFields fields{"", "", "", ""};
            std::vector<std::optional<int>> given(m_width);
            for (std::size_t p = 0; p < m_width; ++p) {
                if (mask & (1U << (m_width - 1 - p))) {
                    fields[first + p] = std::to_string(choice[p]);
                    given[p] = choice[p];
                }
            }
            SCOPED_TRACE(Describe(fields));
            const SearchClause clause = BuildSearchClause(m_game, mode, fields);
            ASSERT_FALSE(clause.Refused()) << clause.refusal;

            std::vector<int> expected;
            for (const auto& [kaisai, draw] : m_draws) {
                if (Matches(mode, draw, given)) {
                    expected.push_back(kaisai);
                }
            }
            EXPECT_EQ(FoundDraws(m_db, m_game, clause.clause), expected);
            m_searchesWithMatches += expected.empty() ? 0 : 1;
            m_searches += 1;
        }
    }

    TestDatabase m_db;
    std::mt19937 m_random{20240611};
    Game m_game = Game::Numbers3;
    std::size_t m_width = 3;
    std::vector<std::pair<int, Digits>> m_draws;
    int m_searches = 0;
    int m_searchesWithMatches = 0;
};

} // namespace

TEST(SearchClauseTest, StraightListsDrawsOfAnyKaisaiWhoseTensMatch) {
    TestDatabase db;
    db.Insert(Game::Numbers3, {{-1, {0, 5, 0}}, {0, {9, 5, 9}}, {1, {5, 0, 5}}, {2, {1, 5, 2}}, {3, {5, 5, 5}}});
    const SearchClause search = BuildSearchClause(Game::Numbers3, SearchMode::Straight, {"", "", "5", ""});
    EXPECT_EQ(FoundDraws(db, Game::Numbers3, search.clause), (std::vector<int>{-1, 0, 2, 3}));
}

TEST(SearchClauseTest, BoxWithARepeatedDigitListsEachDrawOnce) {
    TestDatabase db;
    db.Insert(Game::Numbers3,
              {{-2, {2, 1, 1}}, {0, {1, 2, 1}}, {4, {1, 1, 2}}, {5, {1, 2, 3}}, {6, {1, 1, 1}}, {7, {2, 2, 1}}});
    const SearchClause search = BuildSearchClause(Game::Numbers3, SearchMode::Box, {"", "1", "1", "2"});
    EXPECT_EQ(FoundDraws(db, Game::Numbers3, search.clause), (std::vector<int>{-2, 0, 4}));
}

TEST_F(SearchClauseDatabaseTest, ThreeDigitSearchesSelectTheMatchingDraws) {
    Fill(Game::Numbers3);
    for (unsigned mask = 1; mask < 8; ++mask) {
        const auto choices = Choices({{1, 1, 2}, {2, 1, 1}, {7, 7, 7}, {0, 5, 9}});
        Compare(SearchMode::Straight, mask, choices);
        Compare(SearchMode::Box, mask, choices);
    }
    EXPECT_GT(m_searchesWithMatches, m_searches / 2);
}

TEST_F(SearchClauseDatabaseTest, FourDigitStraightSearchesSelectTheMatchingDraws) {
    Fill(Game::Numbers4);
    for (unsigned mask = 1; mask < 16; ++mask) {
        Compare(SearchMode::Straight, mask, Choices({{7, 7, 7, 7}, {1, 1, 2, 7}, {3, 0, 8, 6}}));
    }
    EXPECT_GT(m_searchesWithMatches, m_searches / 2);
}

TEST_F(SearchClauseDatabaseTest, FourDigitBoxSearchesSelectTheMatchingDraws) {
    Fill(Game::Numbers4);
    // Some draws' own digits too, so that most searches find something.
    std::vector<Digits> fixed = {{7, 7, 7, 7}, {1, 1, 2, 7}, {2, 1, 2, 1}};
    for (std::size_t i = 0; i < m_draws.size(); i += 10) {
        fixed.push_back(m_draws[i].second);
    }
    Compare(SearchMode::Box, 15, Choices(fixed));
    EXPECT_GT(m_searchesWithMatches, m_searches / 2);
}
