#include "cli/Cli.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

using namespace drawbook;
using namespace drawbook::test;

// The ledger of the real history against a recount written plainly from the files.

namespace {

// A line of a history file: draw number, date, winning number, then the payout
// fields straight, box, set straight, set box, mini as written ("" when empty).
using Fields = std::vector<std::string>;

// What the test stores with draw d, each with the number it is ("" for none):
// a number made from d, the winning number or a turn of it now and then, an
// all-same number, non-numbers, full-width digits.
std::vector<std::pair<std::string, std::string>> StoredNumbers(int d, const std::string& winning) {
    std::string made = std::to_string(d * 37 % (winning.size() == 3 ? 1000 : 10000));
    made.insert(0, winning.size() - made.size(), '0');
    std::string wide;
    for (const char c : made) {
        wide += {'\xEF', '\xBC', static_cast<char>(0x90 + c - '0')};
    }
    const std::string same(winning.size(), static_cast<char>('0' + d % 10));
    const std::string turned = winning.substr(1) + winning.front();
    const std::string other = d % 11 == 0 ? winning : d % 5 == 0 ? turned : "";
    return {{made, made},
            {other, other},
            d % 4 == 0 ? std::pair{same, same} : std::pair{d % 4 == 1 ? "　" : "12a", ""},
            d % 6 == 0 ? std::pair{wide, made} : std::pair{"", ""},
            {"", ""}};
}

// Tickets and yen won per bet: straight, box, set, mini.
struct Tally {
    std::array<long long, 4> tickets{};
    std::array<long long, 4> won{};

    void Buy(const std::string& number, const std::string& winning, const std::string* payouts) {
        const auto yen = [&](int prize) { return payouts[prize].empty() ? 0LL : std::stoll(payouts[prize]); };
        std::string a = number;
        std::string b = winning;
        std::sort(a.begin(), a.end());
        std::sort(b.begin(), b.end());
        const bool equal = number == winning;
        const bool hit[4] = {equal, a == b, a == b, number.substr(1) == winning.substr(1)};
        const bool sold[4] = {true, a.front() != a.back(), a.front() != a.back(), number.size() == 3};
        const long long paid[4] = {yen(0), yen(1), equal ? yen(2) : yen(3), yen(4)};
        for (std::size_t bet = 0; bet < 4; ++bet) {
            tickets[bet] += sold[bet] ? 1 : 0;
            won[bet] += sold[bet] && hit[bet] ? paid[bet] : 0;
        }
    }
};

// The ledger text for the draws from index `first` on, counted from scratch.
std::string Recount(const std::vector<Fields>& draws, std::size_t positions, std::size_t first) {
    std::array<Tally, 2> tally; // picks, prediction
    // follows[p][a][b]: how often b came at position p in the draw after one with a there.
    std::vector<std::array<std::array<int, 10>, 10>> follows(positions);
    for (std::size_t i = 0; i < draws.size(); ++i) {
        const std::string& winning = draws[i][2];
        const std::string* payouts = &draws[i][3 + positions];
        for (const auto& [stored, number] : StoredNumbers(std::stoi(draws[i][0]), winning)) {
            if (i >= first && !number.empty()) {
                tally[0].Buy(number, winning, payouts);
            }
        }
        std::array<std::string, 5> proposed;
        for (std::size_t p = 0; i > 0 && p < positions; ++p) {
            auto& counts = follows[p][draws[i - 1][2][p] - '0'];
            std::array<int, 10> ranked = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
            std::sort(ranked.begin(), ranked.end(),
                      [&](int x, int y) { return counts[x] != counts[y] ? counts[x] > counts[y] : x > y; });
            for (std::size_t k = 0; k < 5; ++k) {
                proposed[k] += static_cast<char>('0' + ranked[k]);
            }
            ++counts[winning[p] - '0'];
        }
        for (std::size_t k = 0; i > 0 && i >= first && k < 5; ++k) {
            tally[1].Buy(proposed[k], winning, payouts);
        }
    }
    std::string text = "source\tbet\ttickets\tcost\twon\tbalance\treturn\n";
    const char* bets[] = {"straight", "box", "set", "mini"};
    for (std::size_t source = 0; source < 2; ++source) {
        for (std::size_t b = 0; b < (positions == 3 ? 4 : 3); ++b) {
            const long long cost = tally[source].tickets[b] * 200;
            const long long won = tally[source].won[b];
            char line[160];
            std::snprintf(line, sizeof line, "%s\t%s\t%lld\t%lld\t%lld\t%lld\t%.1f\n",
                          source == 0 ? "picks" : "prediction", bets[b], cost / 200, cost, won, won - cost,
                          cost > 0 ? std::round(1000.0 * static_cast<double>(won) / static_cast<double>(cost)) / 10
                                   : 0.0);
            text += line;
        }
    }
    // The book holds no tickets.
    for (std::size_t b = 0; b < (positions == 3 ? 4 : 3); ++b) {
        text += std::string("tickets\t") + bets[b] + "\t0\t0\t0\t0\t0.0\n";
    }
    return text;
}

} // namespace

TEST(LedgerHistoryTest, RealHistoryMatchesAPlainRecount) {
    TestDatabase db;
    for (const Game game : {Game::Numbers3, Game::Numbers4}) {
        const std::string code(GameCode(game));
        const auto file = ShippedHistoryFile("numbers" + code + "_results.csv");
        if (!file) {
            FAIL() << "the shipped draw history in src/exchange/history is missing";
        }
        const auto positions = static_cast<std::size_t>(Positions(game));
        std::vector<Fields> draws;
        std::istringstream lines(*file);
        std::string line;
        std::getline(lines, line); // header
        while (std::getline(lines, line)) {
            Fields fields(1);
            for (const char c : line) {
                c == ',' ? fields.emplace_back() : fields.back().append(c == '\r' ? 0 : 1, c);
            }
            fields.resize(3 + positions + 5);
            draws.push_back(fields);
        }
        ASSERT_EQ(draws.size(), 7054U);
        std::string sql = "CREATE TABLE IF NOT EXISTS draw_results (game TEXT, kaisai INTEGER, draw_date TEXT, "
                          "straight INTEGER, box INTEGER, set_straight INTEGER, set_box INTEGER, mini INTEGER, "
                          "PRIMARY KEY (game, kaisai)); BEGIN;";
        std::vector<TestDraw> rows;
        for (const Fields& draw : draws) {
            std::array<std::string, 5> stored;
            for (std::size_t n = 0; n < 5; ++n) {
                stored[n] = StoredNumbers(std::stoi(draw[0]), draw[2])[n].first;
            }
            rows.push_back(Draw(std::stoi(draw[0]), draw[2], stored));
            sql += "INSERT INTO draw_results VALUES ('" + code + "'," + draw[0] + ",'" + draw[1] + "'";
            for (std::size_t prize = 0; prize < 5; ++prize) {
                const std::string& yen = draw[3 + positions + prize];
                sql += "," + (yen.empty() ? "NULL" : yen);
            }
            sql += ");";
        }
        db.Insert(game, rows);
        db.Execute(sql + "COMMIT;");
        for (const std::size_t last : {draws.size(), std::size_t{100}}) {
            SCOPED_TRACE(code + " last " + std::to_string(last));
            std::vector<std::string> args = {"ledger", code};
            if (last < draws.size()) {
                args.insert(args.end(), {"--last", std::to_string(last)});
            }
            std::ostringstream out;
            std::ostringstream err;
            EXPECT_EQ(RunCli(args, out, err, db.Path()), 0);
            EXPECT_EQ(out.str(), Recount(draws, positions, draws.size() - last));
        }
    }
}
