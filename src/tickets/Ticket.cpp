#include "tickets/Ticket.h"

#include "draw/DigitText.h"

#include <algorithm>

namespace drawbook {

std::optional<Bet> BetFromName(std::string_view name) {
    for (const Bet bet : {Bet::Straight, Bet::Box, Bet::Set, Bet::Mini}) {
        if (BetName(bet) == name) {
            return bet;
        }
    }
    return std::nullopt;
}

std::optional<std::string> TicketNumber(Game game, std::string_view typed) {
    const auto digits = NumberDigits(game, typed);
    if (!digits) {
        return std::nullopt;
    }
    return DigitsText(*digits);
}

std::optional<std::string> TicketRefusal(Game game, const NewTicket& ticket) {
    if (ticket.drawNo < kFirstTicketDraw || ticket.drawNo > kLastTicketDraw) {
        return "　開催回は" + std::to_string(kFirstTicketDraw) + "から" + std::to_string(kLastTicketDraw) +
               "までで記入してください。。";
    }
    const auto digits = NumberDigits(game, ticket.number);
    if (!digits) {
        return "　数字は" + std::string(Describe(game).digitsLabel) + "の数字で記入してください。。";
    }
    const auto sold = BetsOf(game);
    if (std::find(sold.begin(), sold.end(), ticket.bet) == sold.end()) {
        return "　" + std::string(BetLabel(ticket.bet)) + "は" + std::string(GameLabel(game)) +
               "では販売されていません。。";
    }
    if (!OnSale(ticket.bet, *digits)) {
        return "　ゾロ目（" + DigitsText(*digits) + "）のボックス・セットは販売されていません。。";
    }
    if (ticket.units < kMinUnits || ticket.units > kMaxUnits) {
        return "　口数は" + std::to_string(kMinUnits) + "から" + std::to_string(kMaxUnits) +
               "までで記入してください。。";
    }
    return std::nullopt;
}

} // namespace drawbook
