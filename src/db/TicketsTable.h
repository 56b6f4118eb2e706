#pragma once

#include "db/Connection.h"
#include "draw/Game.h"

#include <string>
#include <string_view>
#include <vector>

namespace drawbook {

// The tickets a player bought sit in a table of their own, made by the first
// purchase inside its transaction; a book without it holds no tickets.
inline constexpr std::string_view kTicketsTable = "tickets";

// What reads and writes say of a tickets table made by someone else.
inline constexpr std::string_view kTicketsUnusableMessage =
    "　この記録帳の購入記録（tickets）は形式が違うため使えません。。";

// The table as the book holds it.
enum class TicketsTableState {
    Missing, // no tickets yet
    Usable,  // our columns
    Unusable // a table of that name with other columns: never altered
};

// "CREATE TABLE IF NOT EXISTS tickets (id INTEGER PRIMARY KEY, game TEXT NOT NULL CHECK …)".
std::string TicketsSchema();

// Throws DbError.
TicketsTableState CheckTicketsTable(Connection& connection);

// Makes the table unless it is there. Throws DbError, with code 0 and
// kTicketsUnusableMessage when a table of that name has other columns.
void CreateTicketsTable(Connection& connection);

// One draw's ticket numbers: the distinct numbers of its tickets in the order
// they were recorded, the first kNumberCount of them.
struct DrawTicketNumbers {
    int drawNo = 0;
    std::vector<std::string> numbers;
    friend bool operator==(const DrawTicketNumbers&, const DrawTicketNumbers&) = default;
};

// The ticket numbers of the game's draws first to last that have tickets, in draw
// order; none when the table is missing or unusable. One query. Throws DbError.
std::vector<DrawTicketNumbers> ReadTicketNumbers(Connection& connection, Game game, int first, int last);

} // namespace drawbook
