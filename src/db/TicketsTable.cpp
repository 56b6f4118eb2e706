#include "db/TicketsTable.h"

namespace drawbook {

std::string TicketsSchema() {
    return {};
}

TicketsTableState CheckTicketsTable(Connection&) {
    return TicketsTableState::Missing;
}

void CreateTicketsTable(Connection&) {}

std::vector<DrawTicketNumbers> ReadTicketNumbers(Connection&, Game, int, int) {
    return {};
}

} // namespace drawbook
