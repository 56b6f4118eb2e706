#include "exchange/DrawCsv.h"

#include "draw/Calendar.h"
#include "draw/DigitText.h"
#include "draw/DrawEdit.h"
#include "draw/DrawNumber.h"
#include "exchange/CsvFields.h"
#include "exchange/CsvFile.h"
#include "exchange/CsvLayout.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

namespace drawbook {

namespace {

// Room is kept ahead for one draw a line, but never for more than a book holds:
// a body of blank lines must not ask for gigabytes.
constexpr std::size_t kMostDrawsAhead = kLastDrawNo;

constexpr std::string_view kNotDecodedMessage =
    "　文字コードを読み取れませんでした。UTF-8 か Shift_JIS で保存してください。。";

bool Blank(const CsvRow& record) {
    return std::all_of(record.fields.begin(), record.fields.end(),
                       [](std::string_view field) { return TrimField(field).empty(); });
}

std::string OtherGameMessage(Game game) {
    return "　" + std::string(GameLabel(OtherGame(game))) + "のCSVファイルのようです。" + std::string(GameLabel(game)) +
           "には取り込めません。。";
}

// The winning number a line holds, as the file writes it.
std::string WinningText(const CsvRow& record, const CsvLayout& layout) {
    if (layout.digitColumns.empty()) {
        return Shortened(TrimField(record.fields[layout.winningColumn]));
    }
    std::string text;
    for (const std::size_t column : layout.digitColumns) {
        text += (text.empty() ? "" : ",") + std::string(TrimField(record.fields[column]));
    }
    return Shortened(text);
}

std::optional<DigitList> RecordDigits(const CsvRow& record, const CsvLayout& layout, std::size_t count) {
    if (layout.digitColumns.empty()) {
        return ReadWinningNumber(record.fields[layout.winningColumn], count);
    }
    DigitList digits;
    for (const std::size_t column : layout.digitColumns) {
        const auto digit = ReadWinningNumber(record.fields[column], 1);
        if (!digit) {
            return std::nullopt;
        }
        digits.push_back((*digit)[0]);
    }
    return digits;
}

// A column the file may lack: empty when it does.
std::string_view OptionalField(const CsvRow& record, const std::optional<std::size_t>& column) {
    return column ? record.fields[*column] : std::string_view();
}

// The date and payouts a line holds; a problem line names the first bad one.
std::optional<DrawResults> RecordResults(const CsvRow& record, const CsvLayout& layout, Game game,
                                         const DigitList& digits, std::string& problem) {
    DrawResults results;
    if (const std::string_view field = TrimField(OptionalField(record, layout.dateColumn)); !field.empty()) {
        const auto date = ReadDate(field);
        if (!date) {
            problem = "抽せん日「" + Shortened(field) + "」が日付ではありません";
            return std::nullopt;
        }
        results.date = *date;
    }
    for (const Prize prize : PrizesOf(game)) {
        const auto p = static_cast<std::size_t>(prize);
        const std::string_view field = TrimField(OptionalField(record, layout.yenColumns[p]));
        if (field.empty()) {
            continue;
        }
        const auto yen = ReadYen(field);
        if (!yen) {
            problem = std::string(PrizeLabel(prize)) + "の当せん金「" + Shortened(field) + "」が金額ではありません";
            return std::nullopt;
        }
        results.yen[p] = *yen;
    }
    // An empty field stands for what it is known to be: 0 for box and set, which
    // were not sold when every digit is the same.
    for (const Prize prize : PrizesOf(game)) {
        const auto p = static_cast<std::size_t>(prize);
        if (layout.yenColumns[p] && results.yen[p] == kUnknownYen) {
            results.yen[p] = KnownYen(results, prize, digits).value_or(kUnknownYen);
        }
    }
    return results;
}

} // namespace

DrawCsv ReadDrawCsv(Game game, std::string_view bytes, CsvSource source) {
    DrawCsv csv;
    std::string converted;
    const std::optional<std::string_view> text = DecodeCsvBytes(bytes, converted);
    if (!text) {
        csv.problems = {std::string(kCsvRefusedMessage), std::string(kNotDecodedMessage)};
        return csv;
    }
    const auto count = static_cast<std::size_t>(Positions(game));
    const auto otherCount = static_cast<std::size_t>(Positions(OtherGame(game)));
    std::optional<CsvLayout> layout;
    std::vector<std::pair<int, std::string>> problems;
    std::size_t otherGameLines = 0;
    const auto lines = static_cast<std::size_t>(std::count(text->begin(), text->end(), '\n')) + 1;
    csv.draws.reserve(std::min(lines, kMostDrawsAhead));
    ForEachCsvRecord(*text, [&](const CsvRow& record) {
        if (Blank(record)) {
            return true;
        }
        if (source == CsvSource::Download && !record.ended) {
            problems.emplace_back(record.line, LineMessage(record.line, "行が途中で切れています"));
            return false;
        }
        if (!layout) {
            layout = ReadCsvLayout(record, game);
            if (!layout->problem.empty()) {
                csv.problems = {std::string(kCsvRefusedMessage), layout->problem};
                return false;
            }
            if (layout->otherGame) {
                csv.problems = RefusalReport(
                    {{record.line,
                      LineMessage(record.line, "桁の列が" + std::string(GameLabel(OtherGame(game))) + "のものです")}},
                    OtherGameMessage(game));
                return false;
            }
            if (layout->hasNumbers) {
                // Room for every field of the text, so the numbers never move once copied.
                csv.numberText = std::make_unique<std::string>();
                csv.numberText->reserve(text->size());
            }
            if (layout->hasHeader) {
                return true;
            }
        }
        // Under a header a line has its fields, no fewer and no more; without one,
        // the draw number and the winning number at least.
        const std::size_t fields = layout->hasHeader ? layout->headerFields : layout->LastColumn() + 1;
        if (record.fields.size() < fields) {
            problems.emplace_back(record.line, LineMessage(record.line, "列が足りません"));
            return true;
        }
        if (layout->hasHeader && record.fields.size() > fields) {
            problems.emplace_back(record.line, LineMessage(record.line, "列が多すぎます"));
            return true;
        }
        const auto drawNo = ReadDrawNo(record.fields[layout->drawColumn]);
        if (!drawNo) {
            problems.emplace_back(record.line, LineMessage(record.line, DrawNoOutOfRangeText(Shortened(TrimField(
                                                                            record.fields[layout->drawColumn])))));
            return true;
        }
        const auto digits = RecordDigits(record, *layout, count);
        if (!digits) {
            if (layout->digitColumns.empty() && ReadWinningNumber(record.fields[layout->winningColumn], otherCount)) {
                ++otherGameLines;
            }
            problems.emplace_back(record.line,
                                  LineMessage(record.line, "当選数字「" + WinningText(record, *layout) + "」が" +
                                                               std::string(Describe(game).digitsLabel) +
                                                               "の数字ではありません"));
            return true;
        }
        CsvDraw draw{*drawNo, *digits, record.line, {}, {}};
        std::string problem;
        const auto results = RecordResults(record, *layout, game, *digits, problem);
        if (!results) {
            problems.emplace_back(record.line, LineMessage(record.line, problem));
            return true;
        }
        draw.results = *results;
        if (layout->hasNumbers) {
            // A number the file has no column for is the empty one. The numbers
            // are copied into room kept for the whole text.
            draw.numbers.emplace();
            for (std::size_t n = 0; n < kNumberCount; ++n) {
                if (!layout->numberColumns[n]) {
                    (*draw.numbers)[n] = kEmptyNumber;
                    continue;
                }
                const std::string_view number = OptionalField(record, layout->numberColumns[n]);
                const std::size_t start = csv.numberText->size();
                *csv.numberText += number;
                (*draw.numbers)[n] = std::string_view(*csv.numberText).substr(start, number.size());
            }
        }
        csv.draws.push_back(std::move(draw));
        return true;
    });
    if (!csv.problems.empty()) {
        return csv;
    }
    if (!layout) {
        // Nothing but a line cut short, or nothing at all.
        csv.problems = problems.empty()
                           ? std::vector<std::string>{std::string(kCsvRefusedMessage), std::string(kNoDrawsMessage)}
                           : RefusalReport(std::move(problems));
        return csv;
    }

    // Every line holds a winning number of the other game's length: the wrong file.
    if (csv.draws.empty() && otherGameLines > 0 && otherGameLines == problems.size()) {
        csv.problems = RefusalReport(std::move(problems), OtherGameMessage(game));
        return csv;
    }
    if (csv.draws.empty() && problems.empty()) {
        csv.problems = {std::string(kCsvRefusedMessage), std::string(kNoDrawsMessage)};
        return csv;
    }

    const auto byDraw = [](const CsvDraw& a, const CsvDraw& b) { return a.drawNo < b.drawNo; };
    if (!std::is_sorted(csv.draws.begin(), csv.draws.end(), byDraw)) {
        std::stable_sort(csv.draws.begin(), csv.draws.end(), byDraw);
    }
    // Each draw once, in place.
    std::size_t unique = 0;
    for (CsvDraw& draw : csv.draws) {
        CsvDraw* kept = unique > 0 ? &csv.draws[unique - 1] : nullptr;
        if (kept != nullptr && kept->drawNo == draw.drawNo) {
            const bool sameDigits = kept->digits == draw.digits;
            if (!sameDigits || !ResultsAgree(kept->results, draw.results)) {
                const CsvDraw& earlier = kept->line < draw.line ? *kept : draw;
                const CsvDraw& later = kept->line < draw.line ? draw : *kept;
                problems.emplace_back(
                    later.line, LineMessage(later.line, "第" + std::to_string(later.drawNo) + "回が" +
                                                            std::to_string(earlier.line) + "行目と違う" +
                                                            (sameDigits ? "抽せん日か当せん金" : "当選数字") + "です"));
            }
            FillUnknown(kept->results, draw.results);
            continue;
        }
        if (&csv.draws[unique] != &draw) {
            csv.draws[unique] = std::move(draw);
        }
        ++unique;
    }
    csv.draws.resize(unique);
    if (!problems.empty()) {
        csv.draws.clear();
        csv.problems = RefusalReport(std::move(problems));
    }
    return csv;
}
} // namespace drawbook
