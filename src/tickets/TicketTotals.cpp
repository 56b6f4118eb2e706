#include "tickets/TicketTotals.h"

namespace drawbook {

std::vector<TicketTotal> SumTickets(Game, std::span<const TicketRow>, int, int) {
    return {};
}

std::vector<MonthBalance> MonthlyBalance(std::span<const TicketRow>, int, int) {
    return {};
}

} // namespace drawbook
