#pragma once

#include "draw/Bet.h"
#include "draw/DrawResults.h"
#include "draw/Game.h"
#include "tickets/Ticket.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace drawbook {

// Where a ticket stands, worked out whenever it is read.
enum class TicketState {
    Pending, // the book lacks its draw
    Won,
    Lost,
    Unknown, // drawn, but a payout its bet needs is not stored
};

struct TicketResult {
    TicketState state = TicketState::Pending;
    long long won = 0;             // yen, all units; 0 unless Won
    Prize prize = Prize::Straight; // for Won: the payout column that paid
    friend bool operator==(const TicketResult&, const TicketResult&) = default;
};

// The ticket against its draw: the winning digits (nothing when the book lacks the
// draw) and the draw's stored payouts. A set needs both set payouts to be known.
TicketResult ResultOf(const Ticket& ticket, std::optional<std::span<const int>> winning, const DrawResults& results);

// "pending", "won", "lost", "unknown": the command line's names.
std::string_view StateName(TicketState state);

// 「未抽せん」, 「はずれ」, 「ストレート当せん 100,100円」, 「当せん金不明」: the window's 結果.
std::string ResultLabel(const TicketResult& result);

} // namespace drawbook
