#include "cli/Arguments.h"
#include "cli/Verbs.h"

#include "db/DrawCounter.h"
#include "db/DrawQueries.h"
#include "tickets/TicketBook.h"

#include <algorithm>
#include <ostream>

namespace drawbook::cli {

namespace {

// A whole number from `least` to `most`; `option` names it in the message.
int RangeArgument(const std::string& option, const std::string& value, int least, int most) {
    // Nine digits at most, so the number fits an int.
    const bool digits = !value.empty() && value.size() <= 9 &&
                        std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
    const int number = digits ? std::stoi(value) : 0;
    if (!digits || number < least || number > most) {
        throw UsageError{option + " は " + std::to_string(least) + " から " + std::to_string(most) +
                         " までで指定してください: " + value};
    }
    return number;
}

// The bet, and whether the game sells it.
Bet BetArgument(Game game, const std::string& word) {
    const auto bet = BetFromName(word);
    if (!bet) {
        throw UsageError{"買い方は straight、box、set、mini のどれかで指定してください: " + word};
    }
    const auto sold = BetsOf(game);
    if (std::find(sold.begin(), sold.end(), *bet) == sold.end()) {
        throw UsageError{"mini はナンバーズ３だけの買い方です"};
    }
    return *bet;
}

// One ticket as `tickets` lists it, tab-separated.
void WriteTicket(std::ostream& out, const TicketRow& row) {
    out << row.ticket.id << '\t' << row.ticket.drawNo << '\t' << row.ticket.number << '\t' << BetName(row.ticket.bet)
        << '\t' << row.ticket.units << '\t' << row.ticket.Cost() << '\t' << StateName(row.result.state) << '\t'
        << row.result.won << '\n';
}

// What a refused or failed write of tickets tells the user.
Outcome WriteRefused(TicketWrite outcome, const std::string& message, const std::string& error) {
    switch (outcome) {
    case TicketWrite::Done:
        return Done();
    case TicketWrite::Refused:
        return Refused({message});
    case TicketWrite::Unusable:
        return {kExitDatabase, {}, message}; // as a read of such a book says it
    case TicketWrite::Failed:
        break;
    }
    return StoreFailed(error);
}

} // namespace

Outcome Buy(const Invocation& call) {
    std::vector<std::string> words = call.words;
    const auto units = TakeOption(words, "--units");
    const auto draw = TakeOption(words, "--draw");
    const auto draws = TakeOption(words, "--draws");
    ExpectWords(words, 3);
    const Game game = GameArgument(words[0]);
    NewTicket ticket{0, words[1], BetArgument(game, words[2]), 1};
    if (units) {
        ticket.units = RangeArgument("--units", *units, kMinUnits, kMaxUnits);
    }
    const int count = draws ? RangeArgument("--draws", *draws, 1, kMaxContinued) : 1;
    if (draw) {
        ticket.drawNo = RangeArgument("--draw", *draw, kFirstTicketDraw, kLastTicketDraw);
    } else {
        ticket.drawNo = std::stoi(CountDrawsOrThrow(call.dbPath, game, std::string(kAllDrawsClause)));
    }
    if (ticket.drawNo + count - 1 > kLastTicketDraw) {
        throw UsageError{"開催回は " + std::to_string(kLastTicketDraw) + " までです: 第" +
                         std::to_string(ticket.drawNo + count - 1) + "回"};
    }
    const std::vector<NewTicket> tickets = ContinuedTickets(ticket, count);
    const RecordResult result = RecordTickets(call.dbPath, game, tickets);
    if (result.outcome != TicketWrite::Done) {
        return WriteRefused(result.outcome, result.message, result.error);
    }
    // Read back, so that a ticket for a draw already in the book shows its result.
    const TicketsRead read = Complete(ReadTickets(call.dbPath, game, ticket.drawNo, ticket.drawNo + count - 1));
    for (const Ticket& added : result.added) {
        const auto row = std::find_if(read.rows.begin(), read.rows.end(),
                                      [&added](const TicketRow& r) { return r.ticket.id == added.id; });
        if (row != read.rows.end()) {
            WriteTicket(call.out, *row);
        }
    }
    return Done();
}

Outcome Tickets(const Invocation& call) {
    std::vector<std::string> words = call.words;
    const auto draw = TakeOption(words, "--draw");
    ExpectWords(words, 1);
    const Game game = GameArgument(words[0]);
    int first = kFirstTicketDraw;
    int last = kLastTicketDraw;
    if (draw) {
        first = last = RangeArgument("--draw", *draw, kFirstTicketDraw, kLastTicketDraw);
    }
    const TicketsRead read = Complete(ReadTickets(call.dbPath, game, first, last));
    call.out << "id\tdraw\tnumber\tbet\tunits\tcost\tresult\twon\n";
    for (const TicketRow& row : read.rows) {
        WriteTicket(call.out, row);
    }
    return Done();
}

Outcome Unbuy(const Invocation& call) {
    ExpectWords(call.words, 2);
    const Game game = GameArgument(call.words[0]);
    const std::string& word = call.words[1];
    if (word.empty() || word.size() > 12 || LeadingNumber(word) == 0 || std::to_string(LeadingNumber(word)) != word) {
        throw UsageError{"ID は tickets が表示する 1 以上の番号で指定してください: " + word};
    }
    const long long id = LeadingNumber(word);
    const DeleteTicketsResult result = DeleteTickets(call.dbPath, game, std::span(&id, 1));
    return WriteRefused(result.outcome, result.message, result.error);
}

} // namespace drawbook::cli
