#include "tickets/TicketBook.h"
#include "db/DbError.h"
#include "db/DrawStore.h"
#include "db/TicketsTable.h"
#include "draw/DigitText.h"
#include "exchange/DrawImport.h"
#include "support/TestDatabase.h"
#include "tickets/TicketSummary.h"
#include "tickets/TicketTotals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace drawbook {
namespace {

using test::ReadBytes;
using test::TestDatabase;

// The book with the shipped history of both games, payouts included.
void ImportHistory(const TestDatabase& db) {
    for (const Game game : {Game::Numbers3, Game::Numbers4}) {
        const auto file = test::ShippedHistoryFile("numbers" + std::string(GameCode(game)) + "_results.csv");
        ASSERT_TRUE(file) << "the shipped draw history in src/exchange/history is missing";
        ASSERT_EQ(ImportDrawCsv(db.Path(), game, *file).added, 7054U);
    }
}

struct ResultCase {
    Game game;
    int drawNo;
    const char* number;
    Bet bet;
    int units;
    TicketState state;
    long long won;
    const char* label;
};

// Yen from the shipped history: ナンバーズ3 7052 872 (111,200 / 18,500 / 64,800+9,200 / 11,100, its
// set box payout removed below), 7053 919 (88,500 / 29,500 / 59,000+14,700 / 8,800), 7054 286
// (100,100 / 16,600 / 58,300+8,300 / 10,000); ナンバーズ4 7053 9298 (box 90,400), 7054 9577
// (2,128,400 / 177,300 / 1,152,800+88,600).
TEST(TicketBookTest, ResultsFromTheRealPayouts) {
    TestDatabase db;
    ImportHistory(db);
    db.Execute("UPDATE draw_results SET set_box=NULL WHERE game='3' AND kaisai=7052");
    const std::vector<ResultCase> cases = {
        {Game::Numbers3, 7054, "286", Bet::Straight, 1, TicketState::Won, 100100, "ストレート当せん 100,100円"},
        {Game::Numbers3, 7054, "６２８", Bet::Box, 2, TicketState::Won, 33200, "ボックス当せん 33,200円"},
        {Game::Numbers3, 7054, "286", Bet::Set, 1, TicketState::Won, 58300, "セット（ストレート）当せん 58,300円"},
        {Game::Numbers3, 7054, "862", Bet::Set, 3, TicketState::Won, 24900, "セット（ボックス）当せん 24,900円"},
        {Game::Numbers3, 7054, "186", Bet::Mini, 4, TicketState::Won, 40000, "ミニ当せん 40,000円"},
        {Game::Numbers3, 7054, "268", Bet::Straight, 1, TicketState::Lost, 0, "はずれ"},
        {Game::Numbers3, 7054, "287", Bet::Box, 1, TicketState::Lost, 0, "はずれ"},
        {Game::Numbers3, 7054, "777", Bet::Straight, 1, TicketState::Lost, 0, "はずれ"},
        // A pair: the box takes any arrangement of 9, 1, 9 and nothing else.
        {Game::Numbers3, 7053, "199", Bet::Box, 1, TicketState::Won, 29500, "ボックス当せん 29,500円"},
        {Game::Numbers3, 7053, "119", Bet::Box, 1, TicketState::Lost, 0, "はずれ"},
        {Game::Numbers3, 7053, "919", Bet::Set, 2, TicketState::Won, 118000, "セット（ストレート）当せん 118,000円"},
        {Game::Numbers3, 7053, "991", Bet::Set, 1, TicketState::Won, 14700, "セット（ボックス）当せん 14,700円"},
        // A winning set needs both set payouts, the straight does not; a losing ticket needs none.
        {Game::Numbers3, 7052, "872", Bet::Set, 1, TicketState::Unknown, 0, "当せん金不明"},
        {Game::Numbers3, 7052, "123", Bet::Set, 1, TicketState::Lost, 0, "はずれ"},
        {Game::Numbers3, 7052, "872", Bet::Straight, 1, TicketState::Won, 111200, "ストレート当せん 111,200円"},
        {Game::Numbers3, 7055, "123", Bet::Straight, 1, TicketState::Pending, 0, "未抽せん"},
        {Game::Numbers4, 7054, "9577", Bet::Straight, 1, TicketState::Won, 2128400, "ストレート当せん 2,128,400円"},
        {Game::Numbers4, 7054, "7759", Bet::Box, 2, TicketState::Won, 354600, "ボックス当せん 354,600円"},
        {Game::Numbers4, 7054, "9577", Bet::Set, 2, TicketState::Won, 2305600,
         "セット（ストレート）当せん 2,305,600円"},
        {Game::Numbers4, 7054, "5779", Bet::Set, 1, TicketState::Won, 88600, "セット（ボックス）当せん 88,600円"},
        {Game::Numbers4, 7053, "9298", Bet::Box, 1, TicketState::Won, 90400, "ボックス当せん 90,400円"},
        {Game::Numbers4, 7053, "9289", Bet::Straight, 1, TicketState::Lost, 0, "はずれ"},
    };
    for (const ResultCase& c : cases) {
        SCOPED_TRACE(std::string(GameCode(c.game)) + " " + std::to_string(c.drawNo) + " " + c.number + " " +
                     std::string(BetName(c.bet)));
        const NewTicket ticket{c.drawNo, c.number, c.bet, c.units};
        const RecordResult recorded = RecordTickets(db.Path(), c.game, std::span(&ticket, 1));
        ASSERT_EQ(recorded.outcome, TicketWrite::Done) << recorded.message << recorded.error;
        ASSERT_EQ(recorded.added.size(), 1U);
        const TicketsRead read = ReadTickets(db.Path(), c.game, c.drawNo, c.drawNo);
        ASSERT_EQ(read.status, ReadStatus::Complete) << read.error;
        const auto row = std::find_if(read.rows.begin(), read.rows.end(),
                                      [&](const TicketRow& r) { return r.ticket.id == recorded.added[0].id; });
        ASSERT_NE(row, read.rows.end());
        EXPECT_EQ(row->ticket.number, PlainText(c.number));
        EXPECT_EQ(row->ticket.Cost(), 200LL * c.units);
        EXPECT_EQ(row->result.state, c.state);
        EXPECT_EQ(row->result.won, c.won);
        EXPECT_EQ(ResultLabel(row->result), c.label);
    }
}

TEST(TicketBookTest, RefusedTicketsLeaveTheBookAsItWas) {
    TestDatabase db;
    db.Insert(Game::Numbers3, {test::Draw(1, "123")});
    const NewTicket first{7060, "123", Bet::Straight, 1};
    ASSERT_EQ(RecordTickets(db.Path(), Game::Numbers3, std::span(&first, 1)).outcome, TicketWrite::Done);
    struct Case {
        Game game;
        std::vector<NewTicket> tickets;
        const char* message;
    };
    const std::vector<Case> cases = {
        {Game::Numbers3, {{7060, "777", Bet::Box, 1}}, "　ゾロ目（777）のボックス・セットは販売されていません。。"},
        {Game::Numbers4,
         {{7060, "７７７７", Bet::Set, 1}},
         "　ゾロ目（7777）のボックス・セットは販売されていません。。"},
        {Game::Numbers3, {{7060, "12", Bet::Straight, 1}}, "　数字は三桁の数字で記入してください。。"},
        {Game::Numbers4, {{7060, "12a4", Bet::Box, 1}}, "　数字は四桁の数字で記入してください。。"},
        {Game::Numbers4, {{7060, "1234", Bet::Mini, 1}}, "　ミニはナンバーズ４では販売されていません。。"},
        {Game::Numbers3, {{7060, "123", Bet::Straight, 100}}, "　口数は1から99までで記入してください。。"},
        {Game::Numbers3, {{7060, "123", Bet::Straight, 0}}, "　口数は1から99までで記入してください。。"},
        // One ticket of a batch that cannot be bought refuses the batch: the 継続 past the last draw.
        {Game::Numbers3, ContinuedTickets({32766, "123", Bet::Straight, 1}, 3),
         "　開催回は1から32767までで記入してください。。"},
    };
    const std::string bytes = ReadBytes(db.Path());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        const RecordResult result = RecordTickets(db.Path(), c.game, c.tickets);
        EXPECT_EQ(result.outcome, TicketWrite::Refused);
        EXPECT_EQ(result.message, c.message);
        EXPECT_TRUE(result.added.empty());
        EXPECT_EQ(ReadBytes(db.Path()), bytes);
    }
    // The table holds the rules too, against any other program writing to it.
    EXPECT_THROW(db.Execute("INSERT INTO tickets (game,kaisai,number,bet,units,recorded_at)"
                            " VALUES ('3',7060,'777','set',1,'2026-12-08 10:00:00')"),
                 DbError);
    EXPECT_THROW(db.Execute("INSERT INTO tickets (game,kaisai,number,bet,units,recorded_at)"
                            " VALUES ('4',7060,'1234','mini',1,'2026-12-08 10:00:00')"),
                 DbError);
    const long long id = 99;
    const DeleteTicketsResult missing = DeleteTickets(db.Path(), Game::Numbers3, std::span(&id, 1));
    EXPECT_EQ(missing.outcome, TicketWrite::Refused);
    EXPECT_EQ(missing.message, "　番号99の購入記録はありません。何も削除していません。。");
    EXPECT_EQ(ReadBytes(db.Path()), bytes);
}

// Draw 4 arrives without numbers and has seven tickets of six numbers, 5 with numbers all
// empty, 6 with a number of its own, 7 without numbers or tickets.
TEST(TicketBookTest, ADrawArrivingWithoutNumbersTakesItsTickets) {
    TestDatabase db;
    db.Insert(Game::Numbers3, {test::Draw(1, "123")});
    std::vector<NewTicket> tickets = {
        {4, "123", Bet::Straight, 1}, {4, "456", Bet::Box, 1},      {4, "123", Bet::Box, 2},
        {4, "789", Bet::Set, 1},      {4, "012", Bet::Mini, 1},     {4, "345", Bet::Straight, 1},
        {4, "678", Bet::Straight, 1}, {5, "111", Bet::Straight, 1}, {6, "222", Bet::Straight, 1},
    };
    ASSERT_EQ(RecordTickets(db.Path(), Game::Numbers3, tickets).outcome, TicketWrite::Done);
    const std::array<std::string_view, kNumberCount> allEmpty = {"　", "　", "　", "　", "　"};
    const std::array<std::string_view, kNumberCount> own = {"901", "", "", "", ""};
    std::vector<NewDraw> draws(4);
    draws[0].drawNo = 4;
    draws[0].digits = {1, 2, 3};
    draws[1].drawNo = 5;
    draws[1].digits = {1, 1, 1};
    draws[1].numbers = allEmpty;
    draws[2].drawNo = 6;
    draws[2].digits = {2, 2, 2};
    draws[2].numbers = own;
    draws[3].drawNo = 7;
    draws[3].digits = {3, 3, 3};
    ASSERT_EQ(AddDraws(db.Path(), Game::Numbers3, draws).outcome, AddOutcome::Added);
    EXPECT_EQ(db.Row(Game::Numbers3, 4), "4\t1\t2\t3\t123\t456\t789\t012\t345\t ");
    EXPECT_EQ(db.Row(Game::Numbers3, 5), "5\t1\t1\t1\t111\t　\t　\t　\t　\t ");
    EXPECT_EQ(db.Row(Game::Numbers3, 6), "6\t2\t2\t2\t901\t\t\t\t\t ");
    EXPECT_EQ(db.Row(Game::Numbers3, 7), "7\t3\t3\t3\t　\t　\t　\t　\t　\t ");
    // A deleted draw leaves its tickets, pending again.
    const int drawNo = 4;
    ASSERT_EQ(DeleteDraws(db.Path(), Game::Numbers3, std::span(&drawNo, 1)).outcome, DeleteOutcome::Deleted);
    const TicketsRead read = ReadTickets(db.Path(), Game::Numbers3, 4, 4);
    ASSERT_EQ(read.rows.size(), 7U);
    EXPECT_EQ(read.rows[0].result.state, TicketState::Pending);
}

TEST(TicketBookTest, ATicketsTableOfOtherColumnsIsNeverTouched) {
    TestDatabase db;
    db.Execute("CREATE TABLE tickets (id INTEGER PRIMARY KEY, game TEXT, kaisai INTEGER, number TEXT, bet TEXT,"
               " units INTEGER); INSERT INTO tickets VALUES (1,'3',2,'123','straight',1)");
    const std::string bytes = ReadBytes(db.Path());
    const NewTicket ticket{2, "123", Bet::Straight, 1};
    const RecordResult recorded = RecordTickets(db.Path(), Game::Numbers3, std::span(&ticket, 1));
    EXPECT_EQ(recorded.outcome, TicketWrite::Unusable);
    EXPECT_EQ(recorded.message, kTicketsUnusableMessage);
    const long long id = 1;
    EXPECT_EQ(DeleteTickets(db.Path(), Game::Numbers3, std::span(&id, 1)).outcome, TicketWrite::Unusable);
    const TicketsRead read = ReadTickets(db.Path(), Game::Numbers3);
    EXPECT_NE(read.status, ReadStatus::Complete);
    EXPECT_EQ(read.error, kTicketsUnusableMessage);
    EXPECT_EQ(ReadBytes(db.Path()), bytes);
    // Draws still come in, without the numbers of tickets that cannot be read.
    NewDraw draw;
    draw.drawNo = 2;
    draw.digits = {1, 2, 3};
    ASSERT_EQ(AddDraws(db.Path(), Game::Numbers3, std::span(&draw, 1)).outcome, AddOutcome::Added);
    EXPECT_EQ(db.Row(Game::Numbers3, 2), "2\t1\t2\t3\t　\t　\t　\t　\t　\t ");
}

TicketRow Row(int drawNo, const char* number, Bet bet, int units, TicketState state, long long won, int date) {
    return {{0, Game::Numbers3, drawNo, number, bet, units, {}}, {state, won, Prize::Straight}, date, {}};
}

TEST(TicketBookTest, SummaryTotalsAndMonths) {
    const std::vector<TicketRow> rows = {
        Row(7030, "456", Bet::Straight, 2, TicketState::Lost, 0, 20260730),
        Row(7060, "123", Bet::Box, 1, TicketState::Won, 16600, 20260801),
        Row(7060, "456", Bet::Straight, 1, TicketState::Lost, 0, 20260801),
        Row(7061, "789", Bet::Set, 1, TicketState::Unknown, 0, 20260815),
        Row(7062, "012", Bet::Mini, 1, TicketState::Won, 10000, 0),
        Row(7063, "345", Bet::Straight, 1, TicketState::Pending, 0, 0),
    };
    EXPECT_EQ(
        SummaryLines(std::span(rows).subspan(1)),
        (std::vector<std::string>{"第7060回：123 ボックス 1口 当せん 16,600円", "第7061回：789 セット 1口 当せん金不明",
                                  "第7062回：012 ミニ 1口 当せん 10,000円"}));
    EXPECT_EQ(SummaryLines(std::span(rows).subspan(0, 1)),
              std::vector<std::string>{"記録した券はすべてはずれました（1枚）"});
    EXPECT_EQ(SummaryLines(std::span(rows).subspan(5)), std::vector<std::string>{});

    // Won and lost tickets only: 3 straight units for 600 yen, a box won 16,600, a mini 10,000.
    EXPECT_EQ(
        SumTickets(Game::Numbers3, rows),
        (std::vector<TicketTotal>{
            {Bet::Straight, 3, 600, 0}, {Bet::Box, 1, 200, 16600}, {Bet::Set, 0, 0, 0}, {Bet::Mini, 1, 200, 10000}}));
    EXPECT_EQ(SumTickets(Game::Numbers3, rows, 7031, 7061),
              (std::vector<TicketTotal>{
                  {Bet::Straight, 1, 200, 0}, {Bet::Box, 1, 200, 16600}, {Bet::Set, 0, 0, 0}, {Bet::Mini, 0, 0, 0}}));
    // The mini's draw has no date: no month takes it.
    EXPECT_EQ(MonthlyBalance(rows), (std::vector<MonthBalance>{{202607, 400, 0, -400}, {202608, 400, 16600, 15800}}));
}

} // namespace
} // namespace drawbook
