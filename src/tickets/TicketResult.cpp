#include "tickets/TicketResult.h"

#include "draw/ResultsText.h"

namespace drawbook {

TicketResult ResultOf(const Ticket& ticket, std::optional<std::span<const int>> winning, const DrawResults& results) {
    if (!winning) {
        return {TicketState::Pending, 0, Prize::Straight};
    }
    const auto number = NumberDigits(ticket.game, ticket.number);
    if (!number || winning->size() != number->size()) {
        return {TicketState::Unknown, 0, Prize::Straight}; // a winning number with a missing digit
    }
    // A ticket no prize of its bet matches has lost, whatever payouts are stored.
    const NumberMatch match = MatchNumber(*number, *winning);
    for (const Prize prize : PrizesOf(ticket.game)) {
        if (PrizeBet(prize) != ticket.bet || !match.prizes[static_cast<std::size_t>(prize)]) {
            continue;
        }
        // The one rule the draw list and the ledger score by: a bet is known only when all its payouts are.
        const TicketWins wins = NumberWinnings(ticket.game, *number, *winning, KnownYens(results, *winning));
        const auto& yen = wins[static_cast<std::size_t>(ticket.bet)];
        if (!yen) {
            return {TicketState::Unknown, 0, Prize::Straight};
        }
        return {TicketState::Won, static_cast<long long>(*yen) * ticket.units, prize};
    }
    return {TicketState::Lost, 0, Prize::Straight};
}

std::string_view StateName(TicketState state) {
    switch (state) {
    case TicketState::Pending:
        return "pending";
    case TicketState::Won:
        return "won";
    case TicketState::Lost:
        return "lost";
    case TicketState::Unknown:
        return "unknown";
    }
    return {};
}

std::string ResultLabel(const TicketResult& result) {
    switch (result.state) {
    case TicketState::Pending:
        return "未抽せん";
    case TicketState::Won:
        return PrizeLabel(result.prize) + "当せん " + YenText(result.won);
    case TicketState::Lost:
        return "はずれ";
    case TicketState::Unknown:
        return "当せん金不明";
    }
    return {};
}

} // namespace drawbook
