#include "tickets/TicketForm.h"

#include "draw/DigitText.h"
#include "tickets/TicketBook.h"

#include <charconv>
#include <string_view>

namespace drawbook {

namespace {

// The whole text as a number from low to high; nothing otherwise.
std::optional<int> Count(std::string_view typed, int low, int high) {
    const std::string plain = PlainText(typed);
    int value = 0;
    const char* end = plain.data() + plain.size();
    const auto [stop, error] = std::from_chars(plain.data(), end, value);
    if (plain.empty() || error != std::errc() || stop != end || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

} // namespace

TicketForm ReadTicketForm(const TicketFields& fields) {
    const std::optional<int> drawNo = Count(fields.drawNo, kFirstTicketDraw, kLastTicketDraw);
    if (!drawNo) {
        return {{}, "　開催回は1から32767までで記入してください。。"};
    }
    int draws = 1;
    if (fields.draws) {
        const std::optional<int> count = Count(*fields.draws, 1, kMaxContinued);
        if (!count) {
            return {{}, "　継続は1から20回までで記入してください。。"};
        }
        draws = *count;
    }
    TicketForm form;
    for (std::size_t b = 0; b < kBetCount; ++b) {
        if (!fields.units[b]) {
            continue;
        }
        const Bet bet = static_cast<Bet>(b);
        const std::optional<int> units = Count(*fields.units[b], kMinUnits, kMaxUnits);
        if (!units) {
            return {{}, "　" + std::string(BetLabel(bet)) + "の口数は1から99までで記入してください。。"};
        }
        const std::vector<NewTicket> continued = ContinuedTickets({*drawNo, fields.number, bet, *units}, draws);
        form.tickets.insert(form.tickets.end(), continued.begin(), continued.end());
    }
    if (form.tickets.empty()) {
        form.refusal = "　買い方を一つ以上選んでください。。";
    }
    return form;
}

} // namespace drawbook
