// The floor of the command-line timings: the least a program does for each
// interaction the bench times, over the SQLite C API alone. Its stdout is byte
// for byte drawbook-cli's; the bench checks that before it trusts a ratio.
//
//   drawbook-floor --db FILE list|export|next|predict|backtest|compare|ledger 3|4
//   drawbook-floor --db FILE search 3 box 5__ | search 4 straight 1___
//   drawbook-floor --db FILE import 3|4 CSV

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

sqlite3* g_db = nullptr;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "drawbook-floor: %s: %s\n", what, g_db != nullptr ? sqlite3_errmsg(g_db) : "");
    std::exit(3);
}

void Open(const char* path, int flags) {
    if (sqlite3_open_v2(path, &g_db, flags | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
        Fail("open");
    }
}

sqlite3_stmt* Prepare(std::string_view sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(g_db, sql.data(), static_cast<int>(sql.size()), &statement, nullptr) != SQLITE_OK) {
        Fail("prepare");
    }
    return statement;
}

void Execute(const char* sql) {
    if (sqlite3_exec(g_db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
        Fail(sql);
    }
}

void Put(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

void PutInt(long long value) {
    std::printf("%lld", value);
}

std::string_view Text(sqlite3_stmt* statement, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return text == nullptr ? std::string_view()
                           : std::string_view(text, static_cast<std::size_t>(sqlite3_column_bytes(statement, column)));
}

struct GameInfo {
    int positions;
    const char* code;
    const char* table;
    const char* rowColumns; // kaisai, digits, kounyu1..5
    const char* digitColumns;
};

const GameInfo kGame3 = {3, "3", "ナンバーズ3", "kaisai,N100,N10,N1,kounyu1,kounyu2,kounyu3,kounyu4,kounyu5",
                         "N100,N10,N1"};
const GameInfo kGame4 = {4, "4", "ナンバーズ4", "kaisai,N1000,N100,N10,N1,kounyu1,kounyu2,kounyu3,kounyu4,kounyu5",
                         "N1000,N100,N10,N1"};

std::string RowSelect(const GameInfo& game, std::string_view clause) {
    return std::string("SELECT ") + game.rowColumns + " FROM " + game.table + " " + std::string(clause);
}

// --- list, search, export -------------------------------------------------

// Prints the rows as the draw list shows them; returns how many.
int WriteRows(const GameInfo& game, const std::string& sql) {
    sqlite3_stmt* statement = Prepare(sql);
    int rows = 0;
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        PutInt(sqlite3_column_int(statement, 0));
        std::putchar('\t');
        for (int d = 1; d <= game.positions; ++d) {
            if (sqlite3_column_type(statement, d) != SQLITE_NULL) {
                PutInt(static_cast<short>(sqlite3_column_int64(statement, d)));
            }
        }
        for (int n = 0; n < 5; ++n) {
            std::putchar('\t');
            Put(Text(statement, 1 + game.positions + n));
        }
        std::putchar('\n');
        ++rows;
    }
    if (rc != SQLITE_DONE) {
        Fail("step");
    }
    sqlite3_finalize(statement);
    return rows;
}

void PutCsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        Put(text);
        return;
    }
    std::putchar('"');
    for (const char c : text) {
        if (c == '"') {
            std::putchar('"');
        }
        std::putchar(c);
    }
    std::putchar('"');
}

bool HasResults() {
    sqlite3_stmt* statement = Prepare("SELECT 1 FROM sqlite_master WHERE type='table' AND name='draw_results'");
    const bool found = sqlite3_step(statement) == SQLITE_ROW;
    sqlite3_finalize(statement);
    return found;
}

void Export(const GameInfo& game) {
    const int prizes = game.positions == 3 ? 5 : 4;
    Put("開催回数,当選数字,予想数字１,予想数字２,予想数字３,予想数字４,予想数字５,抽せん日,ストレート,ボックス,"
        "セット（ストレート）,セット（ボックス）");
    Put(prizes == 5 ? ",ミニ\n" : "\n");
    std::string sql = RowSelect(game, "WHERE kaisai>0 ORDER BY kaisai");
    const bool results = HasResults();
    if (results) {
        sql = std::string("SELECT g.") + game.rowColumns +
              ",r.draw_date,r.straight,r.box,r.set_straight,r.set_box,r.mini FROM " + game.table +
              " g LEFT JOIN draw_results r ON r.game='" + game.code +
              "' AND r.kaisai=g.kaisai WHERE g.kaisai>0 ORDER BY g.kaisai";
    }
    sqlite3_stmt* statement = Prepare(sql);
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        PutInt(sqlite3_column_int(statement, 0));
        std::putchar(',');
        for (int d = 1; d <= game.positions; ++d) {
            if (sqlite3_column_type(statement, d) != SQLITE_NULL) {
                PutInt(static_cast<short>(sqlite3_column_int64(statement, d)));
            }
        }
        for (int n = 0; n < 5; ++n) {
            std::putchar(',');
            PutCsvField(Text(statement, 1 + game.positions + n));
        }
        const int first = 6 + game.positions;
        std::putchar(',');
        if (results) {
            Put(Text(statement, first));
        }
        for (int p = 0; p < prizes; ++p) {
            std::putchar(',');
            if (results && sqlite3_column_type(statement, first + 1 + p) != SQLITE_NULL) {
                PutInt(sqlite3_column_int64(statement, first + 1 + p));
            }
        }
        std::putchar('\n');
    }
    if (rc != SQLITE_DONE) {
        Fail("step");
    }
    sqlite3_finalize(statement);
}

// --- next, predict, backtest -------------------------------------------------

using Digits = std::array<int, 4>;

std::vector<Digits> ReadHistory(const GameInfo& game, std::vector<int>* drawNos = nullptr) {
    sqlite3_stmt* statement = Prepare(std::string("SELECT kaisai,") + game.digitColumns + " FROM " + game.table +
                                      " WHERE kaisai>0 ORDER BY kaisai");
    std::vector<Digits> history;
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        Digits digits{};
        bool usable = true;
        for (int p = 0; p < game.positions; ++p) {
            const sqlite3_int64 value = sqlite3_column_int64(statement, 1 + p);
            usable = usable && sqlite3_column_type(statement, 1 + p) == SQLITE_INTEGER && value >= 0 && value <= 9;
            digits[static_cast<std::size_t>(p)] = static_cast<int>(value);
        }
        if (usable) {
            history.push_back(digits);
            if (drawNos != nullptr) {
                drawNos->push_back(sqlite3_column_int(statement, 0));
            }
        }
    }
    if (rc != SQLITE_DONE) {
        Fail("step");
    }
    sqlite3_finalize(statement);
    return history;
}

// Which digit followed which, per position: [position][previous][next].
struct Successors {
    int counts[4][10][10] = {};
    Digits latest{};
    int draws = 0;

    void Add(const Digits& digits, int positions) {
        for (int p = 0; p < positions; ++p) {
            if (draws > 0) {
                ++counts[p][latest[static_cast<std::size_t>(p)]][digits[static_cast<std::size_t>(p)]];
            }
            latest[static_cast<std::size_t>(p)] = digits[static_cast<std::size_t>(p)];
        }
        ++draws;
    }

    // picks[k][p]: the k-th most frequent follower at p, the larger digit first on a tie.
    std::array<Digits, 5> Picks(int positions) const {
        std::array<Digits, 5> picks{};
        for (int p = 0; p < positions; ++p) {
            const int* row = counts[p][latest[static_cast<std::size_t>(p)]];
            std::array<int, 10> order = {9, 8, 7, 6, 5, 4, 3, 2, 1, 0};
            std::stable_sort(order.begin(), order.end(), [row](int a, int b) { return row[a] > row[b]; });
            for (std::size_t k = 0; k < 5; ++k) {
                picks[k][static_cast<std::size_t>(p)] = order[k];
            }
        }
        return picks;
    }
};

void Next(const GameInfo& game) {
    sqlite3_stmt* statement = Prepare(std::string("SELECT kaisai FROM ") + game.table + " WHERE kaisai>0");
    long long count = 0;
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        ++count;
    }
    if (rc != SQLITE_DONE) {
        Fail("step");
    }
    sqlite3_finalize(statement);
    PutInt(count + 1);
    std::putchar('\n');
}

// How often each digit came at each position, and the draws since it last came there.
void Stats(const GameInfo& game) {
    const std::vector<Digits> history = ReadHistory(game);
    const int draws = static_cast<int>(history.size());
    int counts[4][10] = {};
    int since[4][10];
    for (auto& row : since) {
        std::fill(std::begin(row), std::end(row), draws);
    }
    for (std::size_t i = 0; i < history.size(); ++i) {
        for (int p = 0; p < game.positions; ++p) {
            const int digit = history[i][static_cast<std::size_t>(p)];
            ++counts[p][digit];
            since[p][digit] = draws - 1 - static_cast<int>(i);
        }
    }
    const char* const labels[] = {"四桁目", "三桁目", "二桁目", "一桁目"};
    const auto table = [&](const char* heading, const int(&values)[4][10]) {
        std::fputs(heading, stdout);
        std::putchar('\n');
        for (int p = 0; p < game.positions; ++p) {
            std::fputs(labels[4 - game.positions + p], stdout);
            for (const int value : values[p]) {
                std::putchar('\t');
                PutInt(value);
            }
            std::putchar('\n');
        }
    };
    table("出現回数", counts);
    std::putchar('\n');
    table("未出現回数", since);
}

void Predict(const GameInfo& game) {
    Successors successors;
    for (const Digits& digits : ReadHistory(game)) {
        successors.Add(digits, game.positions);
    }
    const auto picks = successors.Picks(game.positions);
    for (const Digits& pick : picks) {
        for (int p = 0; p < game.positions; ++p) {
            std::putchar('0' + pick[static_cast<std::size_t>(p)]);
        }
        std::putchar('\n');
    }
}

enum Bet { kStraight, kBox, kMini };

// The bet's key of a pick: picks with one key win on the same draws.
Digits Key(Bet bet, const Digits& pick, int positions) {
    Digits key = pick;
    if (bet == kBox) {
        for (int i = 1; i < positions; ++i) { // the digits in ascending order
            for (int j = i; j > 0 && key[static_cast<std::size_t>(j - 1)] > key[static_cast<std::size_t>(j)]; --j) {
                std::swap(key[static_cast<std::size_t>(j - 1)], key[static_cast<std::size_t>(j)]);
            }
        }
    } else if (bet == kMini) {
        key = {pick[static_cast<std::size_t>(positions - 2)], pick[static_cast<std::size_t>(positions - 1)], 0, 0};
    }
    return key;
}

// Orderings of the digits: n! over the factorial of each digit's count.
int Orderings(const Digits& digits, int positions) {
    int counts[10] = {};
    int orderings = 1;
    for (int i = 0; i < positions; ++i) {
        orderings *= i + 1;
        orderings /= ++counts[digits[static_cast<std::size_t>(i)]];
    }
    return orderings;
}

void Backtest(const GameInfo& game) {
    const int n = game.positions;
    const int bets = n == 3 ? 3 : 2;
    int draws[3] = {};
    int hits[3] = {};
    double expected[3] = {};
    double variance[3] = {};
    Successors successors;
    for (const Digits& drawn : ReadHistory(game)) {
        if (successors.draws > 0) {
            const auto picks = successors.Picks(n);
            for (int b = 0; b < bets; ++b) {
                const Bet bet = static_cast<Bet>(b);
                const Digits won = Key(bet, drawn, n);
                std::array<Digits, 5> keys{};
                int distinct = 0;
                int outcomes = 0;
                bool hit = false;
                for (const Digits& pick : picks) {
                    const Digits key = Key(bet, pick, n);
                    hit = hit || key == won;
                    if (std::find(keys.begin(), keys.begin() + distinct, key) == keys.begin() + distinct) {
                        keys[static_cast<std::size_t>(distinct++)] = key;
                        outcomes += bet == kBox ? Orderings(key, n) : 1;
                    }
                }
                const double chance = outcomes / (bet == kMini ? 100.0 : n == 3 ? 1000.0 : 10000.0);
                ++draws[b];
                hits[b] += hit ? 1 : 0;
                expected[b] += chance;
                variance[b] += chance * (1.0 - chance);
            }
        }
        successors.Add(drawn, n);
    }
    const char* names[3] = {"straight", "box", "mini"};
    const auto decimals = [](double value) {
        char text[32];
        std::snprintf(text, sizeof text, "%.3f", value);
        Put(std::strcmp(text, "-0.000") == 0 ? "0.000" : text);
    };
    Put("bet\tdraws\thits\texpected\tz\n");
    for (int b = 0; b < bets; ++b) {
        std::printf("%s\t%d\t%d\t", names[b], draws[b], hits[b]);
        decimals(expected[b]);
        std::putchar('\t');
        decimals(variance[b] > 0 ? (hits[b] - expected[b]) / std::sqrt(variance[b]) : 0.0);
        std::putchar('\n');
    }
}

// --- ledger -------------------------------------------------------------------

// A draw's payouts straight, box, set straight, set box, mini; -1 when unknown.
struct Payouts {
    int drawNo;
    long long yen[5];
};

std::vector<Payouts> ReadPayouts(const char* code) {
    std::vector<Payouts> payouts;
    sqlite3_stmt* table = Prepare("SELECT 1 FROM sqlite_master WHERE type='table' AND name='draw_results'");
    const bool present = sqlite3_step(table) == SQLITE_ROW;
    sqlite3_finalize(table);
    if (!present) {
        return payouts;
    }
    sqlite3_stmt* statement = Prepare("SELECT kaisai,straight,box,set_straight,set_box,mini FROM draw_results "
                                      "WHERE game=?1 ORDER BY kaisai");
    sqlite3_bind_text(statement, 1, code, -1, SQLITE_STATIC);
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        Payouts draw{sqlite3_column_int(statement, 0), {}};
        for (int prize = 0; prize < 5; ++prize) {
            const sqlite3_int64 value = sqlite3_column_int64(statement, 1 + prize);
            const bool known =
                sqlite3_column_type(statement, 1 + prize) == SQLITE_INTEGER && value >= 0 && value <= 2147483647;
            draw.yen[prize] = known ? value : -1;
        }
        payouts.push_back(draw);
    }
    if (rc != SQLITE_DONE) {
        Fail("step");
    }
    sqlite3_finalize(statement);
    return payouts;
}

// How a number came out against the winning digits.
struct Match {
    bool equal;
    bool arranged; // the same digits in any order
    bool lastTwo;
    bool sameNumber;  // every digit of the number the same
    bool sameWinning; // every digit of the winning number the same
};

Match Compare(const Digits& number, const Digits& winning, int positions) {
    const auto same = [positions](const Digits& d) {
        return std::count(d.begin(), d.begin() + positions, d[0]) == positions;
    };
    int count[10] = {};
    for (int p = 0; p < positions; ++p) {
        ++count[number[static_cast<std::size_t>(p)]];
        --count[winning[static_cast<std::size_t>(p)]];
    }
    return {number == winning, std::all_of(count, count + 10, [](int c) { return c == 0; }),
            number[1] == winning[1] && number[2] == winning[2], same(number), same(winning)};
}

// What one ticket of a kind (straight, box, set, mini) won; -1 when it was not on sale or a
// payout it needs is unknown.
long long Score(int bet, const Match& match, const long long* yen, int positions) {
    // Box and set were not on sale on an all-same draw: unknown is 0 there.
    const auto known = [&](int prize) {
        return yen[prize] >= 0 ? yen[prize] : prize >= 1 && prize <= 3 && match.sameWinning && yen[0] >= 0 ? 0 : -1;
    };
    switch (bet) {
    case 0:
        return known(0) >= 0 ? (match.equal ? known(0) : 0) : -1;
    case 1:
        return !match.sameNumber && known(1) >= 0 ? (match.arranged ? known(1) : 0) : -1;
    case 2:
        return !match.sameNumber && known(2) >= 0 && known(3) >= 0 ? (match.equal      ? known(2)
                                                                      : match.arranged ? known(3)
                                                                                       : 0)
                                                                   : -1;
    default:
        return positions == 3 && known(4) >= 0 ? (match.lastTwo ? known(4) : 0) : -1;
    }
}

// Tickets and yen per ticket kind: straight, box, set, mini.
struct Tally {
    long long tickets[4] = {};
    long long won[4] = {};

    void Buy(const Digits& number, const Digits& winning, const long long* yen, int positions, int units = 1,
             int onlyBet = -1) {
        const Match match = Compare(number, winning, positions);
        for (int bet = 0; bet < 4; ++bet) {
            const long long yenWon = bet == onlyBet || onlyBet < 0 ? Score(bet, match, yen, positions) : -1;
            if (yenWon >= 0) {
                tickets[bet] += units;
                won[bet] += yenWon * units;
            }
        }
    }
};

// "409" or "４０９" as digits when the text is exactly that many digits.
bool ReadNumber(std::string_view text, int positions, Digits& digits) {
    int count = 0;
    while (!text.empty()) {
        int digit;
        if (text[0] >= '0' && text[0] <= '9') {
            digit = text[0] - '0';
            text.remove_prefix(1);
        } else if (text.size() >= 3 && text.starts_with("\xEF\xBC") && static_cast<unsigned char>(text[2]) >= 0x90 &&
                   static_cast<unsigned char>(text[2]) <= 0x99) {
            digit = static_cast<unsigned char>(text[2]) - 0x90;
            text.remove_prefix(3);
        } else {
            return false;
        }
        if (count == positions) {
            return false;
        }
        digits[static_cast<std::size_t>(count++)] = digit;
    }
    return count == positions;
}

// A recorded ticket: its draw, number, kind and units.
struct BoughtTicket {
    int drawNo;
    Digits number;
    int bet;
    int units;
};

std::vector<BoughtTicket> ReadBoughtTickets(const char* code, int positions) {
    std::vector<BoughtTicket> tickets;
    sqlite3_stmt* table = Prepare("SELECT 1 FROM sqlite_master WHERE type='table' AND name='tickets'");
    const bool present = sqlite3_step(table) == SQLITE_ROW;
    sqlite3_finalize(table);
    if (!present) {
        return tickets;
    }
    sqlite3_stmt* statement = Prepare("SELECT kaisai,number,bet,units FROM tickets WHERE game=?1 ORDER BY kaisai");
    sqlite3_bind_text(statement, 1, code, -1, SQLITE_STATIC);
    const char* kinds[4] = {"straight", "box", "set", "mini"};
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        BoughtTicket ticket{sqlite3_column_int(statement, 0), {}, 0, sqlite3_column_int(statement, 3)};
        const std::string_view bet = Text(statement, 2);
        ticket.bet = static_cast<int>(std::find(kinds, kinds + 4, bet) - kinds);
        if (ReadNumber(Text(statement, 1), positions, ticket.number) && ticket.bet < 4) {
            tickets.push_back(ticket);
        }
    }
    if (rc != SQLITE_DONE) {
        Fail("step");
    }
    sqlite3_finalize(statement);
    return tickets;
}

void Ledger(const GameInfo& game, const char* code) {
    const int n = game.positions;
    const std::vector<Payouts> payouts = ReadPayouts(code);
    const std::vector<BoughtTicket> bought = ReadBoughtTickets(code, n);
    sqlite3_stmt* statement = Prepare(RowSelect(game, "WHERE kaisai>0 ORDER BY kaisai"));
    Tally picks;
    Tally prediction;
    Tally tickets;
    std::size_t nextTicket = 0;
    Successors successors;
    std::size_t next = 0;
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        Digits winning{};
        bool usable = true;
        for (int p = 0; p < n; ++p) {
            const sqlite3_int64 value = sqlite3_column_int64(statement, 1 + p);
            usable = usable && sqlite3_column_type(statement, 1 + p) == SQLITE_INTEGER && value >= 0 && value <= 9;
            winning[static_cast<std::size_t>(p)] = static_cast<int>(value);
        }
        if (!usable) {
            continue;
        }
        const int drawNo = sqlite3_column_int(statement, 0);
        while (next < payouts.size() && payouts[next].drawNo < drawNo) {
            ++next;
        }
        if (next < payouts.size() && payouts[next].drawNo == drawNo) {
            const long long* yen = payouts[next].yen;
            for (int k = 0; k < 5; ++k) {
                Digits number{};
                if (ReadNumber(Text(statement, 1 + n + k), n, number)) {
                    picks.Buy(number, winning, yen, n);
                }
            }
            if (successors.draws > 0) {
                for (const Digits& number : successors.Picks(n)) {
                    prediction.Buy(number, winning, yen, n);
                }
            }
            while (nextTicket < bought.size() && bought[nextTicket].drawNo < drawNo) {
                ++nextTicket;
            }
            for (std::size_t t = nextTicket; t < bought.size() && bought[t].drawNo == drawNo; ++t) {
                tickets.Buy(bought[t].number, winning, yen, n, bought[t].units, bought[t].bet);
            }
        }
        successors.Add(winning, n);
    }
    if (rc != SQLITE_DONE) {
        Fail("step");
    }
    sqlite3_finalize(statement);
    const char* bets[4] = {"straight", "box", "set", "mini"};
    Put("source\tbet\ttickets\tcost\twon\tbalance\treturn\n");
    for (const auto& [source, tally] :
         {std::pair{"picks", &picks}, std::pair{"prediction", &prediction}, std::pair{"tickets", &tickets}}) {
        for (int b = 0; b < (n == 3 ? 4 : 3); ++b) {
            const long long cost = tally->tickets[b] * 200;
            const long long tenths = cost > 0 ? (tally->won[b] * 1000 + cost / 2) / cost : 0;
            std::printf("%s\t%s\t%lld\t%lld\t%lld\t%lld\t%lld.%lld\n", source, bets[b], tally->tickets[b], cost,
                        tally->won[b], tally->won[b] - cost, tenths / 10, tenths % 10);
        }
    }
}

// --- import -------------------------------------------------------------------

struct FileDraw {
    int drawNo;
    Digits digits;
    std::string_view date;
    std::array<long long, 5> yen; // -1: unknown
    std::array<std::string_view, 5> numbers;
    bool hasNumbers;
};

// The columns of a file the bench writes or takes from the real history; no
// field of theirs is quoted.
std::vector<FileDraw> ReadCsv(const char* path, int positions, std::string& bytes) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        std::fprintf(stderr, "drawbook-floor: cannot read %s\n", path);
        std::exit(1);
    }
    char buffer[1 << 16];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
        bytes.append(buffer, got);
    }
    std::fclose(file);
    std::string_view text = bytes;
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }

    constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    const std::array<std::pair<std::string_view, std::string_view>, 5> yenNames = {{
        {"straight_payout", "ストレート"},
        {"box_payout", "ボックス"},
        {"set_straight_payout", "セット（ストレート）"},
        {"set_box_payout", "セット（ボックス）"},
        {"mini_payout", "ミニ"},
    }};
    const std::array<std::string_view, 5> numberNames = {"予想数字１", "予想数字２", "予想数字３", "予想数字４",
                                                         "予想数字５"};
    std::vector<FileDraw> draws;
    std::size_t drawColumn = 0;
    std::size_t winningColumn = 1;
    std::size_t dateColumn = kNone;
    std::array<std::size_t, 5> yenColumns;
    std::array<std::size_t, 5> numberColumns;
    yenColumns.fill(kNone);
    numberColumns.fill(kNone);
    bool header = true;
    std::vector<std::string_view> fields;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (line.empty()) {
            continue;
        }
        fields.clear();
        for (;;) {
            const std::size_t comma = std::min(line.find(','), line.size());
            fields.push_back(line.substr(0, comma));
            if (comma == line.size()) {
                break;
            }
            line.remove_prefix(comma + 1);
        }
        if (header) {
            for (std::size_t i = 0; i < fields.size(); ++i) {
                if (fields[i] == "draw_no" || fields[i] == "開催回数") {
                    drawColumn = i;
                } else if (fields[i] == "winning_number" || fields[i] == "当選数字") {
                    winningColumn = i;
                } else if (fields[i] == "draw_date" || fields[i] == "抽せん日") {
                    dateColumn = i;
                }
                for (std::size_t p = 0; p < (positions == 3 ? 5U : 4U); ++p) {
                    if (fields[i] == yenNames[p].first || fields[i] == yenNames[p].second) {
                        yenColumns[p] = i;
                    }
                }
                for (std::size_t n = 0; n < 5; ++n) {
                    if (fields[i] == numberNames[n]) {
                        numberColumns[n] = i;
                    }
                }
            }
            header = false;
            continue;
        }
        const auto field = [&fields](std::size_t column) {
            return column < fields.size() ? fields[column] : std::string_view();
        };
        const std::string_view winning = field(winningColumn);
        if (winning.size() != static_cast<std::size_t>(positions) || line.starts_with('"')) {
            std::fprintf(stderr, "drawbook-floor: a line this floor does not read\n");
            std::exit(1);
        }
        FileDraw draw{std::atoi(std::string(field(drawColumn)).c_str()), {}, field(dateColumn), {}, {}, false};
        bool allSame = true;
        for (int p = 0; p < positions; ++p) {
            draw.digits[static_cast<std::size_t>(p)] = winning[static_cast<std::size_t>(p)] - '0';
            allSame = allSame && winning[static_cast<std::size_t>(p)] == winning[0];
        }
        for (std::size_t p = 0; p < 5; ++p) {
            const std::string_view yen = field(yenColumns[p]);
            draw.yen[p] = yen.empty() ? -1 : std::atoll(std::string(yen).c_str());
        }
        // Box and set are not sold when every digit is the same.
        if (allSame && draw.yen[0] >= 0) {
            for (std::size_t p = 1; p <= 3; ++p) {
                if (yenColumns[p] != kNone && draw.yen[p] < 0) {
                    draw.yen[p] = 0;
                }
            }
        }
        for (std::size_t n = 0; n < 5; ++n) {
            draw.hasNumbers = draw.hasNumbers || numberColumns[n] != kNone;
            draw.numbers[n] = field(numberColumns[n]);
        }
        draws.push_back(draw);
    }
    return draws;
}

bool Known(const FileDraw& draw) {
    return !draw.date.empty() || std::any_of(draw.yen.begin(), draw.yen.end(), [](long long y) { return y >= 0; });
}

void BindResults(sqlite3_stmt* statement, const GameInfo& game, const FileDraw& draw) {
    sqlite3_reset(statement);
    sqlite3_bind_text(statement, 1, game.code, -1, SQLITE_STATIC);
    sqlite3_bind_int(statement, 2, draw.drawNo);
    if (draw.date.empty()) {
        sqlite3_bind_null(statement, 3);
    } else {
        sqlite3_bind_text(statement, 3, draw.date.data(), static_cast<int>(draw.date.size()), SQLITE_STATIC);
    }
    for (int p = 0; p < 5; ++p) {
        if (draw.yen[static_cast<std::size_t>(p)] < 0) {
            sqlite3_bind_null(statement, 4 + p);
        } else {
            sqlite3_bind_int64(statement, 4 + p, draw.yen[static_cast<std::size_t>(p)]);
        }
    }
    if (sqlite3_step(statement) != SQLITE_DONE) {
        Fail("results");
    }
}

void Import(const GameInfo& game, const char* path) {
    std::string bytes;
    std::vector<FileDraw> draws = ReadCsv(path, game.positions, bytes);
    std::stable_sort(draws.begin(), draws.end(),
                     [](const FileDraw& a, const FileDraw& b) { return a.drawNo < b.drawNo; });
    const bool anyResults = std::any_of(draws.begin(), draws.end(), Known);

    Execute("BEGIN IMMEDIATE");
    sqlite3_stmt* find =
        Prepare(std::string("SELECT ") + game.digitColumns + " FROM " + game.table + " WHERE kaisai=?1");
    std::string insertSql = std::string("INSERT INTO ") + game.table + " (kaisai," + game.digitColumns +
                            ",kounyu1,kounyu2,kounyu3,kounyu4,kounyu5,atari) VALUES (?1";
    for (int p = 0; p < game.positions + 5; ++p) {
        insertSql += ",?" + std::to_string(p + 2);
    }
    insertSql += ",' ')";
    sqlite3_stmt* insert = Prepare(insertSql);
    sqlite3_stmt* findResults = nullptr;
    sqlite3_stmt* replaceResults = nullptr;
    sqlite3_stmt* fillResults = nullptr;
    if (anyResults) {
        Execute("CREATE TABLE IF NOT EXISTS draw_results (game TEXT NOT NULL, kaisai INTEGER NOT NULL, draw_date TEXT, "
                "straight INTEGER, box INTEGER, set_straight INTEGER, set_box INTEGER, mini INTEGER, "
                "PRIMARY KEY (game, kaisai)) WITHOUT ROWID");
        findResults = Prepare("SELECT draw_date,straight,box,set_straight,set_box,mini FROM draw_results "
                              "WHERE game=?1 AND kaisai=?2");
        const char* values = " INTO draw_results (game,kaisai,draw_date,straight,box,set_straight,set_box,mini) "
                             "VALUES (?1,?2,?3,?4,?5,?6,?7,?8)";
        replaceResults = Prepare(std::string("INSERT OR REPLACE") + values);
        fillResults =
            Prepare(std::string("INSERT") + values +
                    " ON CONFLICT (game,kaisai) DO UPDATE SET draw_date=coalesce(draw_date,excluded.draw_date),"
                    "straight=coalesce(straight,excluded.straight),box=coalesce(box,excluded.box),"
                    "set_straight=coalesce(set_straight,excluded.set_straight),"
                    "set_box=coalesce(set_box,excluded.set_box),mini=coalesce(mini,excluded.mini)");
    }

    long long added = 0;
    long long skipped = 0;
    long long completed = 0;
    int first = 0;
    int last = 0;
    for (const FileDraw& draw : draws) {
        sqlite3_reset(find);
        sqlite3_bind_int(find, 1, draw.drawNo);
        if (sqlite3_step(find) == SQLITE_ROW) {
            for (int p = 0; p < game.positions; ++p) {
                if (sqlite3_column_int(find, p) != draw.digits[static_cast<std::size_t>(p)]) {
                    std::fprintf(stderr, "drawbook-floor: draw %d is stored with other digits\n", draw.drawNo);
                    std::exit(1); // the transaction is rolled back with the connection
                }
            }
            ++skipped;
            if (!Known(draw)) {
                continue;
            }
            sqlite3_reset(findResults);
            sqlite3_bind_text(findResults, 1, game.code, -1, SQLITE_STATIC);
            sqlite3_bind_int(findResults, 2, draw.drawNo);
            bool lacks = true;
            if (sqlite3_step(findResults) == SQLITE_ROW) {
                lacks = !draw.date.empty() && sqlite3_column_type(findResults, 0) == SQLITE_NULL;
                if (!draw.date.empty() && !lacks && Text(findResults, 0) != draw.date) {
                    std::fprintf(stderr, "drawbook-floor: draw %d is stored with another date\n", draw.drawNo);
                    std::exit(1);
                }
                for (int p = 0; p < 5; ++p) {
                    const long long yen = draw.yen[static_cast<std::size_t>(p)];
                    if (yen < 0) {
                        continue;
                    }
                    if (sqlite3_column_type(findResults, 1 + p) == SQLITE_NULL) {
                        lacks = true;
                    } else if (sqlite3_column_int64(findResults, 1 + p) != yen) {
                        std::fprintf(stderr, "drawbook-floor: draw %d is stored with another payout\n", draw.drawNo);
                        std::exit(1);
                    }
                }
            }
            if (lacks) {
                BindResults(fillResults, game, draw);
                ++completed;
            }
            continue;
        }
        sqlite3_reset(insert);
        sqlite3_bind_int(insert, 1, draw.drawNo);
        for (int p = 0; p < game.positions; ++p) {
            sqlite3_bind_int(insert, p + 2, draw.digits[static_cast<std::size_t>(p)]);
        }
        for (int n = 0; n < 5; ++n) {
            const std::string_view number = draw.hasNumbers ? draw.numbers[static_cast<std::size_t>(n)] : "\u3000";
            sqlite3_bind_text(insert, game.positions + 2 + n, number.data(), static_cast<int>(number.size()),
                              SQLITE_STATIC);
        }
        if (sqlite3_step(insert) != SQLITE_DONE) {
            Fail("insert");
        }
        if (Known(draw)) {
            BindResults(replaceResults, game, draw);
            ++completed;
        }
        first = added == 0 ? draw.drawNo : first;
        last = draw.drawNo;
        ++added;
    }
    for (sqlite3_stmt* statement : {find, insert, findResults, replaceResults, fillResults}) {
        sqlite3_finalize(statement);
    }
    Execute("COMMIT");

    if (added == 0) {
        Put("　追加する回はありませんでした。");
    } else {
        std::printf("　%lld回分を追加しました（第%d回～第%d回）。", added, first, last);
    }
    if (skipped > 0) {
        std::printf("登録済みの%lld回分は飛ばしました。", skipped);
    }
    if (completed > 0) {
        std::printf("抽せん日・当せん金を%lld回分に記録しました。", completed);
    }
    Put("。\n");
}

// --- compare ------------------------------------------------------------------

std::uint64_t SplitMix(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

// The five digits of the largest values at one position, the larger digit first on a tie.
void Ranked(const int* values, int p, std::array<Digits, 5>& picks) {
    std::array<int, 10> order = {9, 8, 7, 6, 5, 4, 3, 2, 1, 0};
    std::stable_sort(order.begin(), order.end(), [values](int a, int b) { return values[a] > values[b]; });
    for (std::size_t k = 0; k < 5; ++k) {
        picks[k][static_cast<std::size_t>(p)] = order[k];
    }
}

// P(at least hits successes) of independent draws with these chances; the draws of
// one chance join as one binomial count, at[hits] holding every count from hits up.
double Tail(const std::vector<double>& chances, int hits) {
    if (hits <= 0) {
        return 1.0;
    }
    std::map<double, int> runs;
    for (const double c : chances) {
        ++runs[c];
    }
    const auto top = static_cast<std::size_t>(hits);
    std::vector<double> at(top + 1, 0.0);
    std::vector<double> next(top + 1);
    at[0] = 1.0;
    for (const auto& [c, runLength] : runs) {
        const auto m = static_cast<std::size_t>(runLength);
        std::vector<double> pmf(m + 1, 0.0);
        std::vector<double> tail(m + 2, 0.0);
        if (c >= 1.0) {
            pmf[m] = 1.0;
        } else if (c <= 0.0) {
            pmf[0] = 1.0;
        } else {
            const auto mode = std::min(m, static_cast<std::size_t>((static_cast<double>(m) + 1) * c));
            const double k = static_cast<double>(mode);
            const double r = static_cast<double>(m) - k;
            pmf[mode] = std::exp(std::lgamma(static_cast<double>(m) + 1) - std::lgamma(k + 1) - std::lgamma(r + 1) +
                                 k * std::log(c) + r * std::log1p(-c));
            for (std::size_t i = mode; i < m; ++i) {
                pmf[i + 1] = pmf[i] * c / (1 - c) * static_cast<double>(m - i) / static_cast<double>(i + 1);
            }
            for (std::size_t i = mode; i > 0; --i) {
                pmf[i - 1] = pmf[i] * (1 - c) / c * static_cast<double>(i) / static_cast<double>(m - i + 1);
            }
        }
        for (std::size_t i = m + 1; i-- > 0;) {
            tail[i] = tail[i + 1] + pmf[i];
        }
        next[top] = at[top];
        for (std::size_t j = 0; j < top; ++j) {
            double sum = 0;
            for (std::size_t i = 0; i <= j && i <= m; ++i) {
                sum += at[j - i] * pmf[i];
            }
            next[j] = sum;
            next[top] += at[j] * (top - j <= m ? tail[top - j] : 0.0);
        }
        std::swap(at, next);
    }
    return std::min(1.0, at[top]);
}

void Compare(const GameInfo& game, const char* code) {
    const int n = game.positions;
    const int bets = n == 3 ? 3 : 2;
    const int ticketKinds[3] = {0, 1, 3};
    std::vector<int> drawNos;
    const std::vector<Digits> history = ReadHistory(game, &drawNos);
    const std::vector<Payouts> payouts = ReadPayouts(code);
    struct Line {
        int draws = 0;
        int hits = 0;
        double expected = 0;
        double variance = 0;
        std::vector<double> chances;
        Tally tally;
        double p = 0;
    };
    std::vector<Line> lines;
    for (int method = 0; method < 5; ++method) {
        const std::size_t first = lines.size();
        lines.resize(first + static_cast<std::size_t>(bets));
        Line* line = &lines[first];
        Successors successors;
        int hot[4][10] = {};
        int lastSeen[4][10];
        for (auto& row : lastSeen) {
            std::fill(std::begin(row), std::end(row), -1);
        }
        std::size_t next = 0;
        for (std::size_t d = 0; d < history.size(); ++d) {
            const Digits& drawn = history[d];
            const int read = static_cast<int>(d);
            if (d > 0) {
                std::array<Digits, 5> picks{};
                std::uint64_t state = static_cast<std::uint64_t>(n) * 1000000 + d + 1;
                for (int p = 0; p < n; ++p) {
                    const int latest = history[d - 1][static_cast<std::size_t>(p)];
                    int since[10];
                    for (int digit = 0; digit < 10; ++digit) {
                        since[digit] = lastSeen[p][digit] < 0 ? read : read - 1 - lastSeen[p][digit];
                    }
                    switch (method) {
                    case 1:
                        Ranked(hot[p], p, picks);
                        break;
                    case 2:
                        Ranked(since, p, picks);
                        break;
                    case 3:
                        for (int k = 0; k < 5; ++k) {
                            const int step = (k + 1) / 2 * (k % 2 == 1 ? 1 : -1);
                            picks[static_cast<std::size_t>(k)][static_cast<std::size_t>(p)] = (latest + step + 10) % 10;
                        }
                        break;
                    default:
                        break;
                    }
                }
                if (method == 0) {
                    picks = successors.Picks(n);
                } else if (method == 4) {
                    for (Digits& pick : picks) {
                        for (int p = 0; p < n; ++p) {
                            pick[static_cast<std::size_t>(p)] = static_cast<int>(SplitMix(state) % 10);
                        }
                    }
                }
                while (next < payouts.size() && payouts[next].drawNo < drawNos[d]) {
                    ++next;
                }
                const bool paid = next < payouts.size() && payouts[next].drawNo == drawNos[d];
                for (int b = 0; b < bets; ++b) {
                    const Bet bet = static_cast<Bet>(b);
                    const Digits won = Key(bet, drawn, n);
                    std::array<Digits, 5> keys{};
                    int distinct = 0;
                    int outcomes = 0;
                    bool hit = false;
                    for (const Digits& pick : picks) {
                        const Digits key = Key(bet, pick, n);
                        hit = hit || key == won;
                        if (std::find(keys.begin(), keys.begin() + distinct, key) == keys.begin() + distinct) {
                            keys[static_cast<std::size_t>(distinct++)] = key;
                            outcomes += bet == kBox ? Orderings(key, n) : 1;
                        }
                        if (paid) {
                            line[b].tally.Buy(pick, drawn, payouts[next].yen, n, 1, ticketKinds[b]);
                        }
                    }
                    const double chance = outcomes / (bet == kMini ? 100.0 : n == 3 ? 1000.0 : 10000.0);
                    ++line[b].draws;
                    line[b].hits += hit ? 1 : 0;
                    line[b].expected += chance;
                    line[b].variance += chance * (1.0 - chance);
                    line[b].chances.push_back(chance);
                }
            }
            successors.Add(drawn, n);
            for (int p = 0; p < n; ++p) {
                ++hot[p][drawn[static_cast<std::size_t>(p)]];
                if (d >= 100) { // the draw that leaves the last hundred
                    --hot[p][history[d - 100][static_cast<std::size_t>(p)]];
                }
                lastSeen[p][drawn[static_cast<std::size_t>(p)]] = read;
            }
        }
    }
    // Holm's step-down over every line.
    std::vector<std::size_t> order(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        lines[i].p = Tail(lines[i].chances, lines[i].hits);
        order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return lines[a].p < lines[b].p; });
    std::vector<double> adjusted(lines.size());
    double floor = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        floor = std::max(floor, std::min(1.0, static_cast<double>(order.size() - i) * lines[order[i]].p));
        adjusted[order[i]] = floor;
    }
    const char* methods[5] = {"follow", "hot", "cold", "slide", "random"};
    const char* names[3] = {"straight", "box", "mini"};
    const auto decimals = [](double value) {
        char text[32];
        std::snprintf(text, sizeof text, "%.3f", value);
        Put(std::strcmp(text, "-0.000") == 0 ? "0.000" : text);
        std::putchar('\t');
    };
    Put("method\tbet\tdraws\thits\texpected\tz\tp\tadjusted_p\treturn\n");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line& line = lines[i];
        const int b = static_cast<int>(i % static_cast<std::size_t>(bets));
        std::printf("%s\t%s\t%d\t%d\t", methods[i / static_cast<std::size_t>(bets)], names[b], line.draws, line.hits);
        decimals(line.expected);
        decimals(line.variance > 0 ? (line.hits - line.expected) / std::sqrt(line.variance) : 0.0);
        decimals(line.p);
        decimals(adjusted[i]);
        const long long tickets = line.tally.tickets[ticketKinds[b]];
        if (tickets > 0) {
            const long long cost = tickets * 200;
            const long long tenths = (line.tally.won[ticketKinds[b]] * 1000 + cost / 2) / cost;
            std::printf("%lld.%lld", tenths / 10, tenths % 10);
        }
        std::putchar('\n');
    }
}

int Usage() {
    std::fputs("usage: drawbook-floor --db FILE list|export|next|predict|backtest|compare|ledger 3|4\n"
               "       drawbook-floor --db FILE search 3 box 5__ | search 4 straight 1___\n"
               "       drawbook-floor --db FILE import 3|4 CSV\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 5 || std::strcmp(argv[1], "--db") != 0) {
        return Usage();
    }
    const std::string_view verb = argv[3];
    const std::string_view code = argv[4];
    if (code != "3" && code != "4") {
        return Usage();
    }
    const GameInfo& game = code == "3" ? kGame3 : kGame4;
    static char output[1 << 16];
    std::setvbuf(stdout, output, _IOFBF, sizeof output);

    if (verb == "import" && argc == 6) {
        Open(argv[2], SQLITE_OPEN_READWRITE);
        Import(game, argv[5]);
    } else if (argc != 5 && verb != "search") {
        return Usage();
    } else if (verb == "list") {
        Open(argv[2], SQLITE_OPEN_READONLY);
        WriteRows(game, RowSelect(game, "WHERE kaisai>0"));
    } else if (verb == "search" && argc == 7) {
        // The statements drawbook-cli search --sql prints for these two searches.
        const std::string_view mode = argv[5];
        const std::string_view pattern = argv[6];
        const char* sql = nullptr;
        if (code == "3" && mode == "box" && pattern == "5__") {
            sql = "SELECT kaisai,N100,N10,N1,kounyu1,kounyu2,kounyu3,kounyu4,kounyu5 FROM ナンバーズ3 "
                  "WHERE N100=5 OR N10=5 OR N1=5";
        } else if (code == "4" && mode == "straight" && pattern == "1___") {
            sql = "SELECT kaisai,N1000,N100,N10,N1,kounyu1,kounyu2,kounyu3,kounyu4,kounyu5 FROM ナンバーズ4  "
                  "WHERE N1000=1";
        } else {
            return Usage();
        }
        Open(argv[2], SQLITE_OPEN_READONLY);
        if (WriteRows(game, sql) == 0) {
            std::fputs("　検索内容はありません。。\n", stderr);
            return 1;
        }
    } else if (verb == "export") {
        Open(argv[2], SQLITE_OPEN_READONLY);
        Export(game);
    } else if (verb == "next") {
        Open(argv[2], SQLITE_OPEN_READONLY);
        Next(game);
    } else if (verb == "predict") {
        Open(argv[2], SQLITE_OPEN_READONLY);
        Predict(game);
    } else if (verb == "stats") {
        Open(argv[2], SQLITE_OPEN_READONLY);
        Stats(game);
    } else if (verb == "backtest") {
        Open(argv[2], SQLITE_OPEN_READONLY);
        Backtest(game);
    } else if (verb == "compare") {
        Open(argv[2], SQLITE_OPEN_READONLY);
        Compare(game, argv[4]);
    } else if (verb == "ledger") {
        Open(argv[2], SQLITE_OPEN_READONLY);
        Ledger(game, argv[4]);
    } else {
        return Usage();
    }
    std::fflush(stdout);
    sqlite3_close(g_db);
    return 0;
}
