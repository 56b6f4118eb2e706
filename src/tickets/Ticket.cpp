#include "tickets/Ticket.h"

namespace drawbook {

std::optional<Bet> BetFromName(std::string_view) {
    return std::nullopt;
}

std::optional<std::string> TicketNumber(Game, std::string_view) {
    return std::nullopt;
}

std::optional<std::string> TicketRefusal(Game, const NewTicket&) {
    return std::nullopt;
}

} // namespace drawbook
