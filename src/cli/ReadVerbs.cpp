#include "cli/Arguments.h"
#include "cli/Verbs.h"

#include "db/DrawCounter.h"
#include "db/DrawListQuery.h"
#include "draw/DigitText.h"
#include "exchange/DrawExport.h"
#include "predict/Backtest.h"
#include "predict/MethodComparison.h"
#include "predict/PredictionQuery.h"
#include "stats/DrawStatistics.h"
#include "stats/Ledger.h"
#include "tickets/TicketTotals.h"

#include <algorithm>
#include <ostream>

namespace drawbook::cli {

namespace {

// Writes the rows the clause selects as the window lists them; returns how many.
// Nothing is written unless every row was read.
std::size_t WriteDrawList(const Invocation& call, Game game, const std::string& clause) {
    std::string text;
    const RowsRead read = Complete(ForEachDrawRow(call.dbPath, game, clause, [&text](const DrawRowView& row) {
        AppendInteger(text, row.drawNo);
        text += '\t';
        row.AppendWinningNumber(text);
        for (const std::string_view number : row.numbers) {
            text += '\t';
            text += number;
        }
        text += '\n';
    }));
    call.out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return read.rows;
}

// A heading, then a line per position: its label and a value per digit.
void WriteDigitTable(std::ostream& out, Game game, std::string_view heading,
                     const std::vector<std::array<int, 10>>& table) {
    out << heading << '\n';
    for (std::size_t p = 0; p < table.size(); ++p) {
        out << PositionLabel(game, static_cast<int>(p));
        for (const int value : table[p]) {
            out << '\t' << value;
        }
        out << '\n';
    }
}

// "3 [--last N]": the game, and the last N draws when asked for.
std::pair<Game, std::optional<int>> GameAndLast(const Invocation& call) {
    std::vector<std::string> words = call.words;
    std::optional<int> last;
    if (const auto option = TakeOption(words, "--last")) {
        last = CountArgument("--last", *option);
    }
    ExpectWords(words, 1);
    return {GameArgument(words[0]), last};
}

} // namespace

void WriteRow(std::ostream& out, const std::string& drawNo, const std::string& winningNumber,
              const std::array<std::string, 5>& numbers) {
    out << drawNo << '\t' << winningNumber;
    for (const std::string& number : numbers) {
        out << '\t' << number;
    }
    out << '\n';
}

Outcome Next(const Invocation& call) {
    ExpectWords(call.words, 1);
    call.out << CountDrawsOrThrow(call.dbPath, GameArgument(call.words[0]), std::string(kAllDrawsClause)) << '\n';
    return Done();
}

Outcome List(const Invocation& call) {
    ExpectWords(call.words, 1);
    WriteDrawList(call, GameArgument(call.words[0]), std::string(kAllDrawsClause));
    return Done();
}

Outcome Predict(const Invocation& call) {
    std::vector<std::string> words = call.words;
    const Method method = TakeMethod(words);
    ExpectWords(words, 1);
    const PredictionResult result =
        Complete(PredictFromDatabase(call.dbPath, GameArgument(words[0]), std::string(kAllDrawsClause), method));
    for (const std::string& number : result.numbers) {
        call.out << number << '\n';
    }
    return Done();
}

Outcome Search(const Invocation& call) {
    std::vector<std::string> words = call.words;
    const bool showSql = TakeFlag(words, "--sql");
    ExpectWords(words, 3);
    const Game game = GameArgument(words[0]);
    const SearchMode mode = ModeArgument(words[1]);
    const SearchClause search = BuildSearchClause(game, mode, PatternArgument(game, words[2]));
    if (search.Refused()) {
        return Refused({search.refusal});
    }
    if (showSql) {
        call.out << DrawListStatement(game, search.clause) << '\n';
        return Done();
    }
    if (WriteDrawList(call, game, search.clause) == 0) {
        return Refused({std::string(kNothingFoundMessage)});
    }
    return Done();
}

Outcome Export(const Invocation& call) {
    ExpectWords(call.words, 1, 2);
    const std::string csv = Complete(ExportDrawCsv(call.dbPath, GameArgument(call.words[0]))).csv;
    if (call.words.size() == 1) {
        call.out << csv;
    } else if (!WriteExportFile(call.words[1], csv)) {
        return Refused({FileNotWrittenMessage(call.words[1])});
    }
    return Done();
}

Outcome Backtest(const Invocation& call) {
    std::vector<std::string> words = call.words;
    const Method method = TakeMethod(words);
    ExpectWords(words, 1);
    const BacktestResult result = Complete(BacktestFromDatabase(call.dbPath, GameArgument(words[0]), 0, method));
    call.out << "bet\tdraws\thits\texpected\tz\n";
    for (const BetScore& score : result.scores) {
        call.out << BetName(score.bet) << '\t' << score.draws << '\t' << score.hits << '\t'
                 << ThreeDecimals(score.expected) << '\t' << ThreeDecimals(score.Z()) << '\n';
    }
    return Done();
}

Outcome Compare(const Invocation& call) {
    const auto [game, last] = GameAndLast(call);
    const MethodComparison comparison =
        Complete(CompareFromDatabase(call.dbPath, game, last ? static_cast<std::size_t>(*last) : kEveryDraw));
    call.out << "method\tbet\tdraws\thits\texpected\tz\tp\tadjusted_p\treturn\n";
    for (const ComparisonRow& row : comparison.rows) {
        const BetScore& score = row.score;
        call.out << MethodName(row.method) << '\t' << BetName(score.bet) << '\t' << score.draws << '\t' << score.hits
                 << '\t' << ThreeDecimals(score.expected) << '\t' << ThreeDecimals(score.Z()) << '\t'
                 << ThreeDecimals(row.p) << '\t' << ThreeDecimals(row.adjustedP) << '\t' << row.ReturnText() << '\n';
    }
    return Done();
}

Outcome Stats(const Invocation& call) {
    const auto [game, last] = GameAndLast(call);
    const DrawStatistics statistics = ComputeStatistics(game, Complete(ReadDrawHistory(call.dbPath, game)).draws, last);
    WriteDigitTable(call.out, game, "出現回数", statistics.counts);
    call.out << '\n';
    WriteDigitTable(call.out, game, "未出現回数", statistics.drawsSinceSeen);
    return Done();
}

Outcome Ledger(const Invocation& call) {
    const auto [game, last] = GameAndLast(call);
    const auto book = Complete(ReadLedger(call.dbPath, game));
    // Both sources from the same draw on: the N-th last of the history.
    int firstDrawNo = 0;
    if (last && static_cast<std::size_t>(*last) < book.history.size()) {
        firstDrawNo = book.history[book.history.size() - static_cast<std::size_t>(*last)].drawNo;
    }
    // The tickets are read before anything is written, so a book they cannot be read from prints nothing.
    const TicketsRead bought = Complete(ReadTickets(call.dbPath, game, std::max(firstDrawNo, kFirstTicketDraw)));
    call.out << "source\tbet\ttickets\tcost\twon\tbalance\treturn\n";
    for (const auto& [source, draws] :
         {std::pair{LedgerSource::Picks, &book.picks}, std::pair{LedgerSource::Prediction, &book.prediction}}) {
        for (const LedgerLine& line : SumLedger(game, *draws, firstDrawNo)) {
            call.out << SourceName(source) << '\t' << BetName(line.bet) << '\t' << line.tickets << '\t' << line.cost
                     << '\t' << line.won << '\t' << line.Balance() << '\t' << line.ReturnText() << '\n';
        }
    }
    for (const TicketTotal& total : SumTickets(game, bought.rows)) {
        const LedgerLine line{total.bet, total.units, total.cost, total.won};
        call.out << "tickets\t" << BetName(line.bet) << '\t' << line.tickets << '\t' << line.cost << '\t' << line.won
                 << '\t' << line.Balance() << '\t' << line.ReturnText() << '\n';
    }
    return Done();
}

} // namespace drawbook::cli
