#include "stats/StatisticsReport.h"

#include "db/TicketsTable.h"

#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <utility>

namespace drawbook {

namespace {

bool SameDraws(std::span<const HistoryDraw> a, std::span<const HistoryDraw> b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const HistoryDraw& x, const HistoryDraw& y) {
        return x.drawNo == y.drawNo && x.digits == y.digits;
    });
}

// Draws of the period whose payouts are not known.
int DrawsWithoutResults(std::span<const HistoryDraw> period, std::span<const StoredResults> results) {
    int missing = 0;
    auto known = results.begin();
    for (const HistoryDraw& draw : period) {
        while (known != results.end() && known->drawNo < draw.drawNo) {
            ++known;
        }
        if (known == results.end() || known->drawNo != draw.drawNo || !known->results.Any()) {
            ++missing;
        }
    }
    return missing;
}

bool StoresNumbers(std::span<const StoredNumbers> numbers) {
    return std::ranges::any_of(numbers, [](const StoredNumbers& stored) {
        return std::ranges::any_of(stored, [](std::uint16_t number) { return number != kNoNumber; });
    });
}

} // namespace

ReportChange StatisticsReport::Refresh(const std::string& dbPath, std::size_t chartPoints) {
    Ledger ledger = ReadLedger(dbPath, m_game, false);
    TicketsRead tickets;
    if (ledger.status == ReadStatus::Complete) {
        tickets = ReadTickets(dbPath, m_game);
    }
    // A tickets table made by someone else leaves the rest of the book to be shown.
    const bool ticketsUnusable = tickets.error == kTicketsUnusableMessage;
    if (ledger.status != ReadStatus::Complete || (tickets.status != ReadStatus::Complete && !ticketsUnusable)) {
        Clear();
        return ReportChange::Failed;
    }
    m_tickets = std::move(tickets.rows);
    m_ticketsError = ticketsUnusable ? tickets.error : std::string();
    const bool sameDraws = m_read && SameDraws(ledger.history, m_history);
    const bool sameBacktest = sameDraws && m_backtestPoints == chartPoints;
    const bool sameLedger = sameDraws && std::ranges::equal(ledger.results, m_results);
    const bool samePicks = sameLedger && std::ranges::equal(ledger.numbers, m_numbers);
    m_history = std::move(ledger.history);
    m_skippedRows = ledger.skippedRows;
    m_results = std::move(ledger.results);
    m_numbers = std::move(ledger.numbers);
    m_read = true;
    if (!samePicks) {
        m_picksLedger = ScorePicks(m_game, m_history, m_numbers, m_results);
    }
    std::vector<LedgerDraw> prediction;
    const auto buy = [&](const HistoryDraw& draw, const PickSet& picks) {
        KeepBought(prediction, ScorePrediction(m_game, draw, picks, m_results));
    };
    if (!sameBacktest) {
        // One walk for both: the backtest hands over each draw's picks.
        std::function<void(const HistoryDraw&, const PickSet&)> onDraw;
        if (!m_results.empty()) {
            onDraw = buy;
        }
        m_backtest = RunBacktest(m_game, m_history, chartPoints, onDraw);
        m_backtestPoints = chartPoints;
        m_predictionLedger = std::move(prediction);
        return ReportChange::BacktestRun;
    }
    if (!sameLedger) {
        if (!m_results.empty()) {
            WalkForward(m_game, m_history, buy);
        }
        m_predictionLedger = std::move(prediction);
        return ReportChange::LedgerScored;
    }
    return samePicks ? ReportChange::Reused : ReportChange::PicksScored;
}

void StatisticsReport::Clear() {
    m_read = false;
    m_history.clear();
    m_skippedRows = 0;
    m_results.clear();
    m_numbers.clear();
    m_backtest = BacktestResult{};
    m_backtestPoints = 0;
    m_picksLedger.clear();
    m_predictionLedger.clear();
    m_tickets.clear();
    m_ticketsError.clear();
}

PeriodReport StatisticsReport::ForPeriod(int last) const {
    PeriodReport report;
    report.statistics = ComputeStatistics(m_game, m_history, last > 0 ? std::optional<int>(last) : std::nullopt);
    const int counted = std::min(report.statistics.draws, static_cast<int>(m_history.size()));
    report.draws = std::span<const HistoryDraw>(m_history).last(static_cast<std::size_t>(counted));

    const int firstDrawNo = report.draws.empty() ? 0 : report.draws.front().drawNo;
    // The whole history takes every settled ticket; a period those of its draws.
    const int firstTicketDraw = last > 0 ? std::max(firstDrawNo, kFirstTicketDraw) : kFirstTicketDraw;
    for (const TicketTotal& total : SumTickets(m_game, m_tickets, firstTicketDraw)) {
        report.tickets.push_back({total.bet, total.units, total.cost, total.won});
    }
    report.months = MonthlyBalance(m_tickets, firstTicketDraw);
    report.picks = SumLedger(m_game, m_picksLedger, firstDrawNo);
    report.prediction = SumLedger(m_game, m_predictionLedger, firstDrawNo);
    report.drawsWithoutResults = DrawsWithoutResults(report.draws, m_results);
    const bool picksBought = std::ranges::any_of(report.picks, [](const LedgerLine& line) { return line.tickets > 0; });
    report.numbersWithoutResults = !picksBought && StoresNumbers(std::span<const StoredNumbers>(m_numbers).last(
                                                       std::min(m_numbers.size(), static_cast<std::size_t>(counted))));

    // The running balance of each ticket, through as many points as the backtest keeps.
    const auto bought = std::lower_bound(m_predictionLedger.begin(), m_predictionLedger.end(), firstDrawNo,
                                         [](const LedgerDraw& draw, int drawNo) { return draw.drawNo < drawNo; });
    const auto count = static_cast<std::size_t>(m_predictionLedger.end() - bought);
    const std::size_t points = std::max<std::size_t>(m_backtestPoints, 1);
    const std::size_t stride = std::max<std::size_t>((count + points - 1) / points, 1);
    const std::size_t tickets = BetsOf(m_game).size();
    report.balance.resize(tickets);
    std::array<long long, kBetCount> balance{};
    for (auto draw = bought; draw != m_predictionLedger.end(); ++draw) {
        // The last draw is always among the points, the others evenly spread before it.
        const bool shown = static_cast<std::size_t>(m_predictionLedger.end() - draw - 1) % stride == 0;
        for (std::size_t t = 0; t < tickets; ++t) {
            balance[t] += draw->won[t] - static_cast<long long>(draw->tickets[t]) * kTicketYen;
            report.lowestBalance = std::min(report.lowestBalance, balance[t]);
            report.highestBalance = std::max(report.highestBalance, balance[t]);
            if (shown) {
                report.balance[t].push_back({draw->drawNo, balance[t]});
            }
        }
    }
    return report;
}

} // namespace drawbook
