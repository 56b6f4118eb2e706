#pragma once

#include "db/ReadStatus.h"
#include "draw/Game.h"
#include "tickets/Ticket.h"
#include "tickets/TicketResult.h"

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace drawbook {

// A ticket as it is read: with its result and what its draw holds.
struct TicketRow {
    Ticket ticket;
    TicketResult result;
    int drawDate = 0;          // yyyymmdd of its draw; 0 when unknown
    std::string winningNumber; // its draw's winning digits; empty while pending
};

struct TicketsRead {
    ReadStatus status = ReadStatus::Complete;
    std::string error; // kTicketsUnusableMessage for a tickets table of other columns
    std::vector<TicketRow> rows;
};

// The game's tickets for draws first to last, in draw order then id, each with its
// result from the draw's digits and stored payouts. None in a book without tickets.
TicketsRead ReadTickets(const std::string& dbPath, Game game, int first = kFirstTicketDraw, int last = kLastTicketDraw);

enum class TicketWrite {
    Done,
    Refused,  // a ticket cannot be bought, or no such ticket: nothing was written
    Unusable, // the tickets table has other columns: nothing was written
    Failed,   // the database refused: nothing was written
};

struct RecordResult {
    TicketWrite outcome = TicketWrite::Done;
    std::vector<Ticket> added; // for Done, in the order given
    std::string message;       // for Refused and Unusable: what the user is told
    std::string error;         // for Failed: the database's error
};

// The same ticket for `draws` consecutive draws from its own (継続).
std::vector<NewTicket> ContinuedTickets(const NewTicket& first, int draws);

// Records the tickets in one transaction, the table made by the first of them;
// the first ticket that cannot be bought refuses them all.
RecordResult RecordTickets(const std::string& dbPath, Game game, std::span<const NewTicket> tickets);

struct DeleteTicketsResult {
    TicketWrite outcome = TicketWrite::Done;
    std::vector<long long> missing; // for Refused: ids the game has no ticket of
    std::string message;            // for Refused and Unusable
    std::string error;              // for Failed
};

// Deletes the game's tickets with these ids in one transaction; an id the game has
// no ticket of refuses them all.
DeleteTicketsResult DeleteTickets(const std::string& dbPath, Game game, std::span<const long long> ids);

} // namespace drawbook
