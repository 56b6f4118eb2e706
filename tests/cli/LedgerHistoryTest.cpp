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

// A line of a history file: draw number, date, winning number and the payout
// fields straight, box, set straight, set box, mini as written ("" when empty).
struct FileDraw {
    int drawNo;
    std::string date;
    std::string winning;
    std::array<std::string, 5> payouts;
};

std::vector<FileDraw> SplitFile(const std::string& text, std::size_t positions) {
    std::vector<FileDraw> draws;
    std::istringstream lines(text);
    std::string line;
    std::getline(lines, line); // header
    while (std::getline(lines, line)) {
        std::vector<std::string> fields(1);
        for (const char c : line) {
            if (c == ',') {
                fields.emplace_back();
            } else if (c != '\r') {
                fields.back() += c;
            }
        }
        fields.resize(3 + positions + 5);
        FileDraw draw{std::stoi(fields[0]), fields[1], fields[2], {}};
        std::copy_n(fields.begin() + static_cast<std::ptrdiff_t>(3 + positions), 5, draw.payouts.begin());
        draws.push_back(draw);
    }
    return draws;
}

// What the test stores with draw d: a number made from d, the winning number or
// a turn of it now and then, an all-same number, non-numbers, full-width digits.
std::array<std::string, 5> StoredNumbers(int d, const std::string& winning) {
    std::string made = std::to_string(d * 37 % (winning.size() == 3 ? 1000 : 10000));
    made.insert(0, winning.size() - made.size(), '0');
    std::string wide;
    for (const char c : made) {
        wide += {'\xEF', '\xBC', static_cast<char>(0x90 + c - '0')};
    }
    const std::string turned = winning.substr(1) + winning.front();
    return {made, d % 11 == 0 ? winning : d % 5 == 0 ? turned : "",
            d % 4 == 0 ? std::string(winning.size(), static_cast<char>('0' + d % 10)) : d % 4 == 1 ? "　" : "12a",
            d % 6 == 0 ? wide : "", ""};
}

// The number's plain digits, or "" when it is not the game's length of digits.
std::string PlainNumber(const std::string& text, std::size_t positions) {
    std::string digits;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] >= '0' && text[i] <= '9') {
            digits += text[i++];
        } else if (text.compare(i, 2, "\xEF\xBC") == 0 && i + 2 < text.size() &&
                   static_cast<unsigned char>(text[i + 2]) >= 0x90 && static_cast<unsigned char>(text[i + 2]) <= 0x99) {
            digits += static_cast<char>('0' + static_cast<unsigned char>(text[i + 2]) - 0x90);
            i += 3;
        } else {
            return "";
        }
    }
    return digits.size() == positions ? digits : "";
}

// Tickets and yen won per bet: straight, box, set, mini.
struct Tally {
    std::array<long long, 4> tickets{};
    std::array<long long, 4> won{};

    void Buy(const std::string& number, const FileDraw& draw) {
        const auto yen = [&](int prize) { return draw.payouts[prize].empty() ? 0LL : std::stoll(draw.payouts[prize]); };
        std::string sortedNumber = number;
        std::string sortedWinning = draw.winning;
        std::sort(sortedNumber.begin(), sortedNumber.end());
        std::sort(sortedWinning.begin(), sortedWinning.end());
        const bool equal = number == draw.winning;
        const bool arranged = sortedNumber == sortedWinning;
        ++tickets[0];
        won[0] += equal ? yen(0) : 0;
        if (number.find_first_not_of(number[0]) != std::string::npos) {
            ++tickets[1];
            won[1] += arranged ? yen(1) : 0;
            ++tickets[2];
            won[2] += equal ? yen(2) : arranged ? yen(3) : 0;
        }
        if (number.size() == 3) {
            ++tickets[3];
            won[3] += number.substr(1) == draw.winning.substr(1) ? yen(4) : 0;
        }
    }
};

// The ledger text for the draws from index `first` on, counted from scratch.
std::string Recount(const std::vector<FileDraw>& draws, std::size_t positions, std::size_t first) {
    Tally picks;
    Tally prediction;
    // follows[p][a][b]: how often b came at position p in the draw after one with a there.
    std::vector<std::array<std::array<int, 10>, 10>> follows(positions);
    for (std::size_t i = 1; i < draws.size(); ++i) {
        if (i >= 2) {
            for (std::size_t p = 0; p < positions; ++p) {
                ++follows[p][draws[i - 2].winning[p] - '0'][draws[i - 1].winning[p] - '0'];
            }
        }
        std::array<std::string, 5> proposed;
        for (std::size_t p = 0; p < positions; ++p) {
            const auto& counts = follows[p][draws[i - 1].winning[p] - '0'];
            std::array<int, 10> ranked = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
            std::sort(ranked.begin(), ranked.end(),
                      [&](int a, int b) { return counts[a] != counts[b] ? counts[a] > counts[b] : a > b; });
            for (std::size_t k = 0; k < 5; ++k) {
                proposed[k] += static_cast<char>('0' + ranked[k]);
            }
        }
        for (std::size_t k = 0; i >= first && k < 5; ++k) {
            prediction.Buy(proposed[k], draws[i]);
        }
    }
    for (std::size_t i = first; i < draws.size(); ++i) {
        for (const std::string& text : StoredNumbers(draws[i].drawNo, draws[i].winning)) {
            if (const std::string number = PlainNumber(text, positions); !number.empty()) {
                picks.Buy(number, draws[i]);
            }
        }
    }
    std::string text = "source\tbet\ttickets\tcost\twon\tbalance\treturn\n";
    const char* bets[] = {"straight", "box", "set", "mini"};
    for (const auto& [source, tally] : {std::pair{"picks", picks}, std::pair{"prediction", prediction}}) {
        for (std::size_t b = 0; b < (positions == 3 ? 4 : 3); ++b) {
            const long long cost = tally.tickets[b] * 200;
            char line[160];
            std::snprintf(line, sizeof line, "%s\t%s\t%lld\t%lld\t%lld\t%lld\t%.1f\n", source, bets[b],
                          tally.tickets[b], cost, tally.won[b], tally.won[b] - cost,
                          cost > 0 ? std::round(1000.0 * static_cast<double>(tally.won[b]) / static_cast<double>(cost)) / 10 : 0.0);
            text += line;
        }
    }
    return text;
}

} // namespace

TEST(LedgerHistoryTest, RealHistoryMatchesAPlainRecount) {
    TestDatabase db;
    for (const Game game : {Game::Numbers3, Game::Numbers4}) {
        const std::string code(GameCode(game));
        const auto file = SharedDataFile("numbers" + code + "_results.csv");
        if (!file) {
            GTEST_SKIP() << "no shared draw history";
        }
        const auto positions = static_cast<std::size_t>(Positions(game));
        const std::vector<FileDraw> draws = SplitFile(*file, positions);
        ASSERT_EQ(draws.size(), 7054U);
        std::vector<TestDraw> rows;
        std::string sql = "CREATE TABLE IF NOT EXISTS draw_results (game TEXT, kaisai INTEGER, draw_date TEXT, "
                          "straight INTEGER, box INTEGER, set_straight INTEGER, set_box INTEGER, mini INTEGER, "
                          "PRIMARY KEY (game, kaisai)); BEGIN;";
        for (const FileDraw& draw : draws) {
            rows.push_back(Draw(draw.drawNo, draw.winning, StoredNumbers(draw.drawNo, draw.winning)));
            sql += "INSERT INTO draw_results VALUES ('" + code + "'," + std::to_string(draw.drawNo) + ",'" + draw.date + "'";
            for (const std::string& yen : draw.payouts) {
                sql += "," + (yen.empty() ? "NULL" : yen);
            }
            sql += ");";
        }
        db.Insert(game, rows);
        db.Execute(sql + "COMMIT;");
        for (const std::size_t last : {draws.size(), std::size_t{100}}) {
            SCOPED_TRACE(code + " last " + std::to_string(last));
            std::vector<std::string> args = {"--db", db.Path(), "ledger", code};
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
