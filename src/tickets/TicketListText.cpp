#include "tickets/TicketListText.h"

#include "draw/ResultsText.h"
#include "tickets/TicketResult.h"

namespace drawbook {

namespace {

// "第7060回 123 ボックス 1口".
std::string TicketName(const Ticket& ticket) {
    return "第" + std::to_string(ticket.drawNo) + "回 " + ticket.number + " " + std::string(BetLabel(ticket.bet)) +
           " " + std::to_string(ticket.units) + "口";
}

} // namespace

std::array<std::string, kTicketColumns> TicketCells(const TicketRow& row) {
    const Ticket& t = row.ticket;
    return {std::to_string(t.drawNo), t.number,          std::string(BetLabel(t.bet)),
            std::to_string(t.units),  YenText(t.Cost()), ResultLabel(row.result)};
}

std::string DeleteTicketsQuestion(std::span<const Ticket> tickets) {
    std::string question = "　" + TicketName(tickets.front());
    if (tickets.size() > 1) {
        question += "ほか" + std::to_string(tickets.size() - 1) + "枚";
    }
    return question + "を削除しますか？\n\n　購入記録から消え、元には戻せません。。";
}

} // namespace drawbook
