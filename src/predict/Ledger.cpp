#include "predict/Ledger.h"

#include "db/DrawListQuery.h"
#include "draw/DigitText.h"

#include <cstdio>

namespace drawbook {

std::string_view SourceName(LedgerSource source) {
    return source == LedgerSource::Picks ? "picks" : "prediction";
}

std::string LedgerLine::ReturnText() const {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", cost > 0 ? 100.0 * static_cast<double>(won) / static_cast<double>(cost) : 0.0);
    return text;
}

LedgerDraw ScoreNumbers(Game game, int drawNo, std::span<const PickDigits> numbers, std::span<const int> winning,
                        const DrawResults& results) {
    LedgerDraw scored;
    scored.drawNo = drawNo;
    if (!results.Any()) {
        return scored;
    }
    const auto positions = static_cast<std::size_t>(Positions(game));
    const auto tickets = TicketsOf(game);
    for (const PickDigits& number : numbers) {
        const std::span<const int> digits(number.data(), positions);
        for (std::size_t t = 0; t < tickets.size(); ++t) {
            if (const auto won = TicketWinnings(game, tickets[t], digits, winning, results)) {
                ++scored.tickets[t];
                scored.won[t] += *won;
            }
        }
    }
    return scored;
}

std::vector<LedgerLine> SumLedger(Game game, std::span<const LedgerDraw> draws, int firstDrawNo) {
    std::vector<LedgerLine> lines;
    for (const Ticket ticket : TicketsOf(game)) {
        lines.push_back({ticket});
    }
    for (const LedgerDraw& draw : draws) {
        if (draw.drawNo < firstDrawNo) {
            continue;
        }
        for (std::size_t t = 0; t < lines.size(); ++t) {
            lines[t].tickets += draw.tickets[t];
            lines[t].won += draw.won[t];
        }
    }
    for (LedgerLine& line : lines) {
        line.cost = line.tickets * kTicketYen;
    }
    return lines;
}

LedgerDraw ScorePrediction(Game game, const HistoryDraw& draw, const PickSet& picks,
                           std::span<const StoredResults> results) {
    const std::span<const int> winning(draw.digits.data(), static_cast<std::size_t>(Positions(game)));
    return ScoreNumbers(game, draw.drawNo, picks, winning, FindResults(results, draw.drawNo));
}

Ledger ReadLedger(const std::string& dbPath, Game game, bool walk) {
    Ledger ledger;
    ResultsRead results = ReadDrawResults(dbPath, game);
    if (results.status != ReadStatus::Complete) {
        ledger.status = results.status;
        ledger.error = std::move(results.error);
        return ledger;
    }
    ledger.results = std::move(results.draws);
    const auto positions = static_cast<std::size_t>(Positions(game));
    std::size_t nextResults = 0;
    std::vector<PickDigits> numbers;
    const RowsRead read =
        ForEachDrawRow(dbPath, game, std::string(kAllDrawsClause) + " ORDER BY kaisai", [&](const DrawRowView& row) {
            HistoryDraw draw{row.drawNo, {}};
            for (std::size_t p = 0; p < positions; ++p) {
                const auto digit = row.digits[p];
                if (!digit || *digit < 0 || *digit > 9) {
                    return;
                }
                draw.digits[p] = *digit;
            }
            ledger.history.push_back(draw);
            // The results are in draw order too: one pass beside the rows.
            while (nextResults < ledger.results.size() && ledger.results[nextResults].drawNo < draw.drawNo) {
                ++nextResults;
            }
            const bool known = nextResults < ledger.results.size() && ledger.results[nextResults].drawNo == draw.drawNo;
            numbers.clear();
            if (known) {
                for (const std::string_view number : row.numbers) {
                    if (const auto digits = ReadDigits(number, positions)) {
                        PickDigits pick{};
                        std::copy(digits->begin(), digits->end(), pick.begin());
                        numbers.push_back(pick);
                    }
                }
            }
            ledger.picks.push_back(ScoreNumbers(game, draw.drawNo, numbers,
                                                std::span<const int>(draw.digits.data(), positions),
                                                known ? ledger.results[nextResults].results : DrawResults{}));
        });
    if (read.status != ReadStatus::Complete) {
        Ledger failed;
        failed.status = read.status;
        failed.error = read.error;
        return failed;
    }
    if (walk && !ledger.results.empty()) {
        ledger.prediction.reserve(ledger.history.size());
        WalkForward(game, ledger.history, [&](const HistoryDraw& draw, const PickSet& picks) {
            ledger.prediction.push_back(ScorePrediction(game, draw, picks, ledger.results));
        });
    }
    return ledger;
}

} // namespace drawbook
