#include "tickets/TicketBook.h"

namespace drawbook {

TicketsRead ReadTickets(const std::string&, Game, int, int) {
    return {};
}

std::vector<NewTicket> ContinuedTickets(const NewTicket&, int) {
    return {};
}

RecordResult RecordTickets(const std::string&, Game, std::span<const NewTicket>) {
    return {};
}

DeleteTicketsResult DeleteTickets(const std::string&, Game, std::span<const long long>) {
    return {};
}

} // namespace drawbook
