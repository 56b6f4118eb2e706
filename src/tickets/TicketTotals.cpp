#include "tickets/TicketTotals.h"

#include <map>

namespace drawbook {

namespace {

// Won and lost tickets have a known outcome; pending and unknown ones count nowhere.
bool Settled(const TicketRow& row, int first, int last) {
    return row.ticket.drawNo >= first && row.ticket.drawNo <= last &&
           (row.result.state == TicketState::Won || row.result.state == TicketState::Lost);
}

} // namespace

std::vector<TicketTotal> SumTickets(Game game, std::span<const TicketRow> rows, int first, int last) {
    std::vector<TicketTotal> totals;
    for (const Bet bet : BetsOf(game)) {
        totals.push_back({bet, 0, 0, 0});
    }
    for (const TicketRow& row : rows) {
        if (!Settled(row, first, last)) {
            continue;
        }
        for (TicketTotal& total : totals) {
            if (total.bet == row.ticket.bet) {
                total.units += row.ticket.units;
                total.cost += row.ticket.Cost();
                total.won += row.result.won;
            }
        }
    }
    return totals;
}

std::vector<MonthBalance> MonthlyBalance(std::span<const TicketRow> rows, int first, int last) {
    std::map<int, MonthBalance> months;
    for (const TicketRow& row : rows) {
        if (!Settled(row, first, last) || row.drawDate == 0) {
            continue;
        }
        MonthBalance& month = months[row.drawDate / 100];
        month.month = row.drawDate / 100;
        month.cost += row.ticket.Cost();
        month.won += row.result.won;
    }
    std::vector<MonthBalance> balances;
    long long running = 0;
    for (auto& [key, month] : months) {
        running += month.Balance();
        month.running = running;
        balances.push_back(month);
    }
    return balances;
}

} // namespace drawbook
