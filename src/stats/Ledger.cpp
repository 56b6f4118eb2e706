#include "stats/Ledger.h"

#include "db/Connection.h"
#include "db/DbError.h"
#include "db/DrawQueries.h"
#include "db/Statement.h"
#include "draw/DigitText.h"
#include "draw/ReturnRate.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace drawbook {

std::string_view SourceName(LedgerSource source) {
    return source == LedgerSource::Picks ? "picks" : "prediction";
}

std::string LedgerLine::ReturnText() const {
    return ReturnRateText(won, cost);
}

LedgerDraw ScoreNumbers(Game game, int drawNo, std::span<const PickDigits> numbers, std::span<const int> winning,
                        const DrawResults& results) {
    LedgerDraw scored;
    scored.drawNo = drawNo;
    if (!results.Any()) {
        return scored;
    }
    const auto positions = static_cast<std::size_t>(Positions(game));
    const auto bets = BetsOf(game);
    const KnownPayouts known = KnownYens(results, winning);
    for (const PickDigits& number : numbers) {
        const std::span<const int> digits(number.data(), positions);
        const TicketWins wins = NumberWinnings(game, digits, winning, known);
        for (std::size_t t = 0; t < bets.size(); ++t) {
            if (const auto& won = wins[static_cast<std::size_t>(bets[t])]) {
                ++scored.tickets[t];
                scored.won[t] += *won;
            }
        }
    }
    return scored;
}

void KeepBought(std::vector<LedgerDraw>& kept, const LedgerDraw& draw) {
    if (std::any_of(draw.tickets.begin(), draw.tickets.end(), [](int tickets) { return tickets > 0; })) {
        kept.push_back(draw);
    }
}

std::vector<LedgerLine> SumLedger(Game game, std::span<const LedgerDraw> draws, int firstDrawNo) {
    std::vector<LedgerLine> lines;
    for (const Bet bet : BetsOf(game)) {
        lines.push_back({bet});
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

std::vector<LedgerDraw> ScorePicks(Game game, std::span<const HistoryDraw> history,
                                   std::span<const StoredNumbers> numbers, std::span<const StoredResults> results) {
    std::vector<LedgerDraw> picks;
    const auto positions = static_cast<std::size_t>(Positions(game));
    // The results are in draw order too: one pass beside the draws.
    auto known = results.begin();
    std::array<PickDigits, kNumberCount> bought{};
    for (std::size_t i = 0; i < history.size() && i < numbers.size(); ++i) {
        const HistoryDraw& draw = history[i];
        while (known != results.end() && known->drawNo < draw.drawNo) {
            ++known;
        }
        if (known == results.end() || known->drawNo != draw.drawNo) {
            continue;
        }
        std::size_t count = 0;
        for (const std::uint16_t number : numbers[i]) {
            if (number == kNoNumber) {
                continue;
            }
            int rest = number;
            for (std::size_t p = positions; p-- > 0;) {
                bought[count][p] = rest % 10;
                rest /= 10;
            }
            ++count;
        }
        if (count > 0) {
            KeepBought(picks, ScoreNumbers(game, draw.drawNo, std::span<const PickDigits>(bought.data(), count),
                                           std::span<const int>(draw.digits.data(), positions), known->results));
        }
    }
    return picks;
}

LedgerDraw ScorePrediction(Game game, const HistoryDraw& draw, const PickSet& picks,
                           std::span<const StoredResults> results) {
    const std::span<const int> winning(draw.digits.data(), static_cast<std::size_t>(Positions(game)));
    return ScoreNumbers(game, draw.drawNo, picks, winning, FindResults(results, draw.drawNo));
}

Ledger ReadLedger(const std::string& dbPath, Game game, bool score) {
    Ledger ledger;
    const auto positions = static_cast<std::size_t>(Positions(game));
    try {
        Connection connection(dbPath, OpenMode::ReadOnly);
        ledger.results = ReadDrawResults(connection, game, INT32_MIN, INT32_MAX);
        // Without results no number is scored, and the digits are all a row needs.
        const bool scored = !ledger.results.empty();
        // A book with payouts has about as many draws as results: room for them at once.
        ledger.history.reserve(ledger.results.size());
        ledger.numbers.reserve(ledger.results.size());
        const std::string allDraws(kAllDrawsClause);
        Statement rows(connection, scored ? DrawListStatement(game, allDraws + " ORDER BY kaisai")
                                          : PredictionStatement(game, allDraws));
        const int firstNumber = 1 + static_cast<int>(positions);
        try {
            while (rows.Step()) {
                const auto digits = StoredDigits(rows, 1, static_cast<int>(positions));
                if (!digits) {
                    ++ledger.skippedRows;
                    continue;
                }
                ledger.history.push_back({static_cast<int>(rows.ColumnInt64(0)), *digits});
                if (!scored) {
                    continue;
                }
                StoredNumbers& numbers = ledger.numbers.emplace_back();
                for (int n = 0; n < kNumberCount; ++n) {
                    int packed = kNoNumber;
                    if (const auto number = ReadDigits(rows.ColumnView(firstNumber + n), positions)) {
                        packed = 0;
                        for (const int digit : *number) {
                            packed = packed * 10 + digit;
                        }
                    }
                    numbers[static_cast<std::size_t>(n)] = static_cast<std::uint16_t>(packed);
                }
            }
        } catch (const DbError& e) {
            Ledger failed;
            failed.status = ReadStatus::Interrupted;
            failed.error = e.what();
            return failed;
        }
    } catch (const DbError& e) {
        Ledger failed;
        failed.status = ReadStatus::NotOpened;
        failed.error = e.what();
        return failed;
    }
    if (!score) {
        return ledger;
    }
    ledger.picks = ScorePicks(game, ledger.history, ledger.numbers, ledger.results);
    if (!ledger.results.empty()) {
        ledger.prediction.reserve(ledger.history.size());
        WalkForward(game, ledger.history, [&](const HistoryDraw& draw, const PickSet& picks) {
            KeepBought(ledger.prediction, ScorePrediction(game, draw, picks, ledger.results));
        });
    }
    return ledger;
}

} // namespace drawbook
