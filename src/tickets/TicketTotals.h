#pragma once

#include "draw/Bet.h"
#include "draw/Game.h"
#include "tickets/Ticket.h"
#include "tickets/TicketBook.h"

#include <span>
#include <vector>

namespace drawbook {

// What one bet's settled tickets cost and paid over a period. stats/ gives its
// 回収率 as a LedgerLine of the same figures.
struct TicketTotal {
    Bet bet = Bet::Straight;
    long long units = 0;
    long long cost = 0;
    long long won = 0;

    long long Balance() const { return won - cost; }
    friend bool operator==(const TicketTotal&, const TicketTotal&) = default;
};

// The won and lost tickets of draws first to last, one line per bet of the game in
// BetsOf order; zeros for a bet with none.
std::vector<TicketTotal> SumTickets(Game game, std::span<const TicketRow> rows, int first = kFirstTicketDraw,
                                    int last = kLastTicketDraw);

// 収支 of one month, by the dates of the tickets' draws.
struct MonthBalance {
    int month = 0; // yyyymm
    long long cost = 0;
    long long won = 0;
    long long running = 0; // the balance of this month and every earlier one

    long long Balance() const { return won - cost; }
    friend bool operator==(const MonthBalance&, const MonthBalance&) = default;
};

// The months of the won and lost tickets of draws first to last whose draw date
// is known, oldest first; a month without such tickets is left out.
std::vector<MonthBalance> MonthlyBalance(std::span<const TicketRow> rows, int first = kFirstTicketDraw,
                                         int last = kLastTicketDraw);

} // namespace drawbook
