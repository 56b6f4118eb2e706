#include "cli/Cli.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace drawbook;
using namespace drawbook::test;

// The comparison of the real history against a recount written plainly from the file.

namespace {

struct ShippedDraw {
    std::string winning;
    std::array<long long, 5> yen{}; // straight, box, set straight, set box, mini
};

using Five = std::array<std::string, 5>;

// The five numbers of a method for draw i, from the draws before it, recounted from scratch.
Five Propose(int method, const std::vector<ShippedDraw>& draws, std::size_t i) {
    Five numbers;
    std::uint64_t state = 3'000'000 + i + 1;
    for (std::size_t p = 0; p < 3; ++p) {
        std::array<long long, 10> key{};
        const int latest = draws[i - 1].winning[p] - '0';
        const auto at = [&](std::size_t j) { return draws[j].winning[p] - '0'; };
        if (method == 0) { // how often each digit followed the latest one
            for (std::size_t j = 1; j < i; ++j) {
                key[at(j)] += at(j - 1) == latest ? 1 : 0;
            }
        } else if (method == 1) { // how often it came in the last hundred
            for (std::size_t j = i > 100 ? i - 100 : 0; j < i; ++j) {
                ++key[at(j)];
            }
        } else if (method == 2) { // draws since it came; all of them when it never did
            key.fill(-1);
            for (std::size_t j = i; j-- > 0;) {
                key[at(j)] = key[at(j)] < 0 ? static_cast<long long>(i - 1 - j) : key[at(j)];
            }
            std::replace(key.begin(), key.end(), -1LL, static_cast<long long>(i));
        }
        std::array<int, 10> ranked = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
        std::sort(ranked.begin(), ranked.end(),
                  [&](int x, int y) { return key[x] != key[y] ? key[x] > key[y] : x > y; });
        const int slide[] = {0, 1, -1, 2, -2};
        for (std::size_t k = 0; k < 5; ++k) {
            numbers[k] += static_cast<char>('0' + (method == 3 ? (latest + slide[k] + 10) % 10 : ranked[k]));
        }
    }
    if (method == 4) {
        for (std::string& number : numbers) {
            for (char& c : number) {
                state += 0x9E3779B97F4A7C15ULL;
                std::uint64_t z = state;
                z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
                z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
                c = static_cast<char>('0' + (z ^ (z >> 31)) % 10);
            }
        }
    }
    return numbers;
}

std::string Sorted(std::string s) {
    std::sort(s.begin(), s.end());
    return s;
}

std::string Decimals(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", value);
    return std::string(text) == "-0.000" ? "0.000" : text;
}

struct Row {
    int hits = 0;
    double expected = 0;
    double variance = 0;
    std::vector<double> chances;
    long long tickets = 0;
    long long won = 0;
    double p = 0;
};

std::string Recount(const std::vector<ShippedDraw>& draws, std::size_t first) {
    std::vector<Row> rows(15);
    for (int method = 0; method < 5; ++method) {
        for (std::size_t i = std::max<std::size_t>(first, 1); i < draws.size(); ++i) {
            const Five picks = Propose(method, draws, i);
            const ShippedDraw& draw = draws[i];
            for (int bet = 0; bet < 3; ++bet) {
                Row& row = rows[static_cast<std::size_t>(method * 3 + bet)];
                // Each bet's winning outcomes are known by a key: the number, its sorted digits, its last two.
                const auto key = [bet](const std::string& n) {
                    return bet == 0 ? n : bet == 1 ? Sorted(n) : n.substr(1);
                };
                std::set<std::string> keys;
                bool hit = false;
                for (const std::string& pick : picks) {
                    keys.insert(key(pick));
                    hit = hit || key(pick) == key(draw.winning);
                    const bool sold = bet != 1 || pick[0] != pick[1] || pick[1] != pick[2];
                    const long long yen = draw.yen[bet == 2 ? 4 : static_cast<std::size_t>(bet)];
                    row.tickets += sold ? 1 : 0;
                    row.won += sold && key(pick) == key(draw.winning) ? yen : 0;
                }
                // Box: every order of each distinct set of digits; mini: ten numbers per last two.
                int outcomes = 0;
                for (std::string k : keys) {
                    do {
                        ++outcomes;
                    } while (bet == 1 && std::next_permutation(k.begin(), k.end()));
                }
                const double chance = outcomes * (bet == 2 ? 10 : 1) / 1000.0;
                row.hits += hit ? 1 : 0;
                row.expected += chance;
                row.variance += chance * (1 - chance);
                row.chances.push_back(chance);
            }
        }
    }
    std::vector<double> sortedP;
    for (Row& row : rows) {
        // The chances of exactly 0 .. hits-1 hits so far; the tail is what they leave.
        std::vector<double> exactly(static_cast<std::size_t>(row.hits) + 1, 0.0);
        exactly[0] = 1.0;
        for (const double c : row.chances) {
            for (std::size_t j = exactly.size() - 1; j > 0; --j) {
                exactly[j] = exactly[j] * (1 - c) + exactly[j - 1] * c;
            }
            exactly[0] *= 1 - c;
        }
        double below = 0;
        for (std::size_t j = 0; j + 1 < exactly.size(); ++j) {
            below += exactly[j];
        }
        row.p = std::clamp(1.0 - below, 0.0, 1.0);
        sortedP.push_back(row.p);
    }
    std::sort(sortedP.begin(), sortedP.end());
    std::string text = "method\tbet\tdraws\thits\texpected\tz\tp\tadjusted_p\treturn\n";
    const char* methods[] = {"follow", "hot", "cold", "slide", "random"};
    const char* bets[] = {"straight", "box", "mini"};
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const Row& row = rows[r];
        double adjusted = 0;
        for (std::size_t k = 0; k < sortedP.size() && sortedP[k] <= row.p; ++k) {
            adjusted = std::max(adjusted, std::min(1.0, static_cast<double>(sortedP.size() - k) * sortedP[k]));
        }
        char line[200];
        std::snprintf(line, sizeof line, "%s\t%s\t%zu\t%d\t", methods[r / 3], bets[r % 3], row.chances.size(),
                      row.hits);
        text += line + Decimals(row.expected) + '\t' + Decimals((row.hits - row.expected) / std::sqrt(row.variance)) +
                '\t' + Decimals(row.p) + '\t' + Decimals(adjusted) + '\t';
        std::snprintf(line, sizeof line, "%.1f\n",
                      std::round(1000.0 * static_cast<double>(row.won) / static_cast<double>(row.tickets * 200)) / 10);
        text += line;
    }
    return text;
}

} // namespace

TEST(CompareHistoryTest, RealHistoryMatchesAPlainRecount) {
    const auto file = ShippedHistoryFile("numbers3_results.csv");
    if (!file) {
        FAIL() << "the shipped draw history in src/exchange/history is missing";
    }
    std::vector<ShippedDraw> draws;
    std::istringstream lines(*file);
    std::string line;
    std::getline(lines, line); // header
    while (std::getline(lines, line)) {
        std::vector<std::string> fields(1);
        for (const char c : line) {
            c == ',' ? fields.emplace_back() : fields.back().append(c == '\r' ? 0 : 1, c);
        }
        ShippedDraw& draw = draws.emplace_back();
        draw.winning = fields.at(2);
        for (std::size_t prize = 0; prize < 5; ++prize) {
            draw.yen[prize] = std::stoll(fields.at(6 + prize));
        }
    }
    ASSERT_EQ(draws.size(), 7054U);
    TestDatabase db;
    const std::string csv = db.Dir().File("numbers3.csv");
    std::ofstream(PathFromUtf8(csv), std::ios::binary) << *file;
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(RunCli(std::vector<std::string>{"import", "3", csv}, out, err, db.Path()), 0);
    for (const std::size_t last : {draws.size(), std::size_t{500}}) {
        SCOPED_TRACE("last " + std::to_string(last));
        std::vector<std::string> args = {"compare", "3"};
        if (last < draws.size()) {
            args.insert(args.end(), {"--last", std::to_string(last)});
        }
        std::ostringstream table;
        EXPECT_EQ(RunCli(args, table, err, db.Path()), 0);
        EXPECT_EQ(table.str(), Recount(draws, draws.size() - last));
    }
}
