#include "stats/Ledger.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

using namespace drawbook;
using namespace drawbook::test;

namespace {

constexpr int kNo = -1; // no ticket of that kind

// One stored number at one draw; payouts straight, box, set straight, set box,
// mini ("NULL" where unknown, "" for no results row at all).
struct TicketCase {
    Game game;
    std::string winning;
    std::string payouts;
    std::string number;
    std::array<int, 4> won; // straight, box, set, mini: yen paid, or kNo
};

} // namespace

TEST(LedgerTest, EachStoredNumberIsOneTicketOfEveryKindItCanBeBoughtAs) {
    const std::string paid3 = "90000,15000,52500,7500,9000";
    const std::string paid4 = "942600,78500,510500,39200,NULL";
    const std::vector<TicketCase> cases = {
        {Game::Numbers3, "123", paid3, "123", {90000, 15000, 52500, 9000}},
        {Game::Numbers3, "123", paid3, "１２３", {90000, 15000, 52500, 9000}},
        {Game::Numbers3, "123", paid3, "321", {0, 15000, 7500, 0}},
        {Game::Numbers3, "012", paid3, "012", {90000, 15000, 52500, 9000}},
        {Game::Numbers3, "123", paid3, "923", {0, 0, 0, 9000}},
        {Game::Numbers3, "123", paid3, "111", {0, kNo, kNo, 0}},
        {Game::Numbers3, "123", paid3, "　", {kNo, kNo, kNo, kNo}},
        {Game::Numbers3, "123", paid3, "12a", {kNo, kNo, kNo, kNo}},
        {Game::Numbers3, "123", paid3, "1234", {kNo, kNo, kNo, kNo}},
        // All the same: box and set paid 0 (stored as 0, or left empty).
        {Game::Numbers3, "333", "60000,0,0,0,6000", "333", {60000, kNo, kNo, 6000}},
        {Game::Numbers3, "333", "60000,0,0,0,6000", "433", {0, 0, 0, 6000}},
        {Game::Numbers4, "5555", "279700,NULL,NULL,NULL,NULL", "5556", {0, 0, 0, kNo}},
        {Game::Numbers4, "5555", "279700,NULL,NULL,NULL,NULL", "5555", {279700, kNo, kNo, kNo}},
        {Game::Numbers4, "1149", paid4, "1149", {942600, 78500, 510500, kNo}},
        {Game::Numbers4, "1149", paid4, "９４１１", {0, 78500, 39200, kNo}},
        {Game::Numbers4, "0012", paid4, "0021", {0, 78500, 39200, kNo}},
        {Game::Numbers4, "1149", paid4, "123", {kNo, kNo, kNo, kNo}},
        // Unknown payouts: the bet does not count.
        {Game::Numbers3, "123", "90000,NULL,52500,7500,9000", "213", {0, kNo, 7500, 0}},
        {Game::Numbers3, "123", "90000,15000,52500,NULL,9000", "213", {0, 15000, kNo, 0}},
        {Game::Numbers4, "5555", "NULL,NULL,NULL,NULL,NULL", "1234", {kNo, kNo, kNo, kNo}},
        {Game::Numbers3, "123", "", "123", {kNo, kNo, kNo, kNo}},
    };
    TestDatabase db;
    std::string sql = "CREATE TABLE draw_results (game TEXT, kaisai INTEGER, draw_date TEXT, straight INTEGER, "
                      "box INTEGER, set_straight INTEGER, set_box INTEGER, mini INTEGER, PRIMARY KEY (game, kaisai));";
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const TicketCase& c = cases[i];
        const int drawNo = static_cast<int>(i) + 1;
        db.Insert(c.game, Draw(drawNo, c.winning, {c.number}));
        if (!c.payouts.empty()) {
            sql += "INSERT INTO draw_results VALUES ('" + std::string(GameCode(c.game)) + "'," +
                   std::to_string(drawNo) + ",NULL," + c.payouts + ");";
        }
    }
    // A digit stored as text leaves the draw out, as it does from the backtest.
    db.Execute(sql +
               "INSERT INTO ナンバーズ3 (kaisai,N100,N10,N1,kounyu1) VALUES (99,1,2,'x','120');"
               "INSERT INTO draw_results VALUES ('3',99,NULL," +
               paid3 + ");");
    for (const Game game : {Game::Numbers3, Game::Numbers4}) {
        const Ledger ledger = ReadLedger(db.Path(), game);
        ASSERT_EQ(ledger.status, ReadStatus::Complete);
        EXPECT_EQ(ledger.history.size(), ReadDrawHistory(db.Path(), game).draws.size());
        for (const LedgerDraw& draw : ledger.picks) {
            const TicketCase& c = cases.at(static_cast<std::size_t>(draw.drawNo - 1));
            for (std::size_t t = 0; t < BetsOf(game).size(); ++t) {
                SCOPED_TRACE(c.winning + " " + c.number + " " + std::string(BetName(BetsOf(game)[t])));
                EXPECT_EQ(draw.tickets[t], c.won[t] == kNo ? 0 : 1);
                EXPECT_EQ(draw.won[t], c.won[t] == kNo ? 0 : c.won[t]);
            }
        }
    }
}

TEST(LedgerTest, SumsFromTheFirstDrawAskedAndReturnsInTenthsOfAPercent) {
    // Three-digit draws 1-3: straight, box, set, mini per draw.
    const std::vector<LedgerDraw> draws = {
        {1, {2, 2, 2, 2}, {0, 15000, 7500, 0}},
        {2, {1, 0, 0, 1}, {90000, 0, 0, 9000}},
        {3, {5, 5, 5, 5}, {0, 0, 0, 0}},
    };
    const auto text = [](const std::vector<LedgerLine>& lines) {
        std::string out;
        for (const LedgerLine& line : lines) {
            out += std::string(BetName(line.bet)) + " " + std::to_string(line.tickets) + " " +
                   std::to_string(line.cost) + " " + std::to_string(line.won) + " " + std::to_string(line.Balance()) +
                   " " + line.ReturnText() + "\n";
        }
        return out;
    };
    EXPECT_EQ(text(SumLedger(Game::Numbers3, draws)), "straight 8 1600 90000 88400 5625.0\n"
                                                      "box 7 1400 15000 13600 1071.4\n"
                                                      "set 7 1400 7500 6100 535.7\n"
                                                      "mini 8 1600 9000 7400 562.5\n");
    EXPECT_EQ(text(SumLedger(Game::Numbers3, draws, 2)), "straight 6 1200 90000 88800 7500.0\n"
                                                         "box 5 1000 0 -1000 0.0\n"
                                                         "set 5 1000 0 -1000 0.0\n"
                                                         "mini 6 1200 9000 7800 750.0\n");
    EXPECT_EQ(text(SumLedger(Game::Numbers4, {})), "straight 0 0 0 0 0.0\nbox 0 0 0 0 0.0\nset 0 0 0 0 0.0\n");

    // cost, won, 回収率: halves go up, and 0.15 is not read as 0.1499...
    const std::vector<std::tuple<long long, long long, std::string>> returns = {
        {2000, 3, "0.2"}, {2000, 1, "0.1"}, {2000, 0, "0.0"}, {200, 199, "99.5"}, {600, 1, "0.2"}, {600, 200, "33.3"},
    };
    for (const auto& [cost, won, expected] : returns) {
        EXPECT_EQ((LedgerLine{Bet::Box, cost / 200, cost, won}.ReturnText()), expected) << cost << " " << won;
    }
}
