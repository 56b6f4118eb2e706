#include "tickets/TicketSummary.h"

#include "draw/ResultsText.h"

namespace drawbook {

namespace {

// "第7060回：123 ボックス 1口 "
std::string TicketText(const Ticket& ticket) {
    return "第" + std::to_string(ticket.drawNo) + "回：" + ticket.number + " " + std::string(BetLabel(ticket.bet)) +
           " " + std::to_string(ticket.units) + "口 ";
}

} // namespace

std::vector<std::string> SummaryLines(std::span<const TicketRow> rows) {
    std::vector<std::string> lines;
    std::size_t lost = 0;
    for (const TicketRow& row : rows) {
        switch (row.result.state) {
        case TicketState::Won:
            lines.push_back(TicketText(row.ticket) + "当せん " + YenText(row.result.won));
            break;
        case TicketState::Unknown:
            lines.push_back(TicketText(row.ticket) + "当せん金不明");
            break;
        case TicketState::Lost:
            ++lost;
            break;
        case TicketState::Pending:
            break;
        }
    }
    if (lines.empty() && lost > 0) {
        lines.push_back("記録した券はすべてはずれました（" + std::to_string(lost) + "枚）");
    }
    return lines;
}

std::vector<std::string> NewDrawsSummary(const std::string& dbPath, Game game, int first, int last) {
    const TicketsRead read = ReadTickets(dbPath, game, first, last);
    if (read.status != ReadStatus::Complete) {
        return {};
    }
    return SummaryLines(read.rows);
}

} // namespace drawbook
