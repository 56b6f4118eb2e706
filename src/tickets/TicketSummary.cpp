#include "tickets/TicketSummary.h"

namespace drawbook {

std::vector<std::string> SummaryLines(std::span<const TicketRow>) {
    return {};
}

std::vector<std::string> NewDrawsSummary(const std::string&, Game, int, int) {
    return {};
}

} // namespace drawbook
