#include "exchange/DrawCsv.h"

#include "draw/Calendar.h"
#include "draw/DigitText.h"
#include "draw/DrawEdit.h"
#include "draw/Utf8.h"
#include "exchange/CsvFile.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <optional>
#include <string>
#include <utility>

namespace drawbook {

namespace {

constexpr int kLastDrawNo = 32767; // the draw number is a 16-bit column
constexpr std::size_t kReportedLines = 5;
// A bad field is quoted this far, so a huge one cannot swamp the report.
constexpr std::size_t kQuotedCharacters = 20;

constexpr std::string_view kNotDecodedMessage =
    "　文字コードを読み取れませんでした。UTF-8 か Shift_JIS で保存してください。。";

constexpr std::array<std::string_view, 5> kDrawColumnNames = {"draw_no", "回号", "開催回", "kaisai", "開催回数"};
constexpr std::array<std::string_view, 4> kWinningColumnNames = {"winning_number", "当せん番号", "当選番号", "当選数字"};
// One column per digit, named by position from the thousands down.
constexpr std::array<std::string_view, 4> kPositionColumnNames = {"n1000", "n100", "n10", "n1"};
constexpr std::array<std::string_view, 4> kJapanesePositionColumnNames = {"千の位", "百の位", "十の位", "一の位"};
constexpr std::array<std::string_view, 3> kDateColumnNames = {"draw_date", "抽せん日", "抽選日"};
// Each prize's payout column, in prize order: the results files' names, then export's captions.
constexpr std::array<std::array<std::string_view, 2>, kPrizeCount> kYenColumnNames = {{
    {"straight_payout", "ストレート"},
    {"box_payout", "ボックス"},
    {"set_straight_payout", "セット（ストレート）"},
    {"set_box_payout", "セット（ボックス）"},
    {"mini_payout", "ミニ"},
}};
constexpr std::array<std::array<std::string_view, 3>, kNumberCount> kNumberColumnNames = {{
    {"予想数字１", "予想数字1", "kounyu1"},
    {"予想数字２", "予想数字2", "kounyu2"},
    {"予想数字３", "予想数字3", "kounyu3"},
    {"予想数字４", "予想数字4", "kounyu4"},
    {"予想数字５", "予想数字5", "kounyu5"},
}};

// Blanks around a field: spaces, tabs and full-width spaces.
std::string_view Trim(std::string_view text) {
    constexpr std::string_view kWide = "\u3000";
    for (bool changed = true; changed;) {
        changed = false;
        while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
            text.remove_prefix(1);
            changed = true;
        }
        while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
            text.remove_suffix(1);
            changed = true;
        }
        if (text.starts_with(kWide)) {
            text.remove_prefix(kWide.size());
            changed = true;
        }
        if (text.ends_with(kWide)) {
            text.remove_suffix(kWide.size());
            changed = true;
        }
    }
    return text;
}

// A field as a message quotes it: cut short after a few characters.
std::string Shortened(std::string_view text) {
    std::size_t end = 0;
    for (std::size_t n = 0; n < kQuotedCharacters && end < text.size(); ++n) {
        end += std::max<std::size_t>(CharacterLength(text.substr(end)), 1);
    }
    if (end >= text.size()) {
        return std::string(text);
    }
    return std::string(text.substr(0, end)) + "…";
}

bool AllDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "123", "第123回" or " １２３ ": the draw number when it is one from 1 to 32767.
std::optional<int> ReadDrawNo(std::string_view field) {
    std::string text;
    std::string_view number = Trim(field);
    if (!AllDigits(number)) {
        text = PlainText(number);
        number = text;
    }
    if (number.starts_with("第") && number.ends_with("回")) {
        number = Trim(number.substr(3, number.size() - 6));
    }
    if (!AllDigits(number)) {
        return std::nullopt;
    }
    while (number.size() > 1 && number.front() == '0') {
        number.remove_prefix(1);
    }
    if (number.size() > 5) {
        return std::nullopt;
    }
    int drawNo = 0;
    std::from_chars(number.data(), number.data() + number.size(), drawNo);
    if (drawNo < 1 || drawNo > kLastDrawNo) {
        return std::nullopt;
    }
    return drawNo;
}

std::optional<DigitList> ReadWinningNumber(std::string_view field, std::size_t count) {
    return ReadDigits(Trim(field), count);
}

std::string ColumnName(std::string_view field) {
    std::string name(Trim(field));
    std::transform(name.begin(), name.end(), name.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    return name;
}

// Where a file keeps the draw number and the digits.
struct Layout {
    std::size_t drawColumn = 0;
    std::vector<std::size_t> digitColumns; // empty: one column holds the winning number
    std::size_t winningColumn = 1;
    bool hasHeader = false;
    bool otherGame = false;     // the header names the other game's digit columns
    std::string problem;        // the header cannot be read
    // Columns a line may lack: the date, the payouts in prize order, the numbers.
    std::optional<std::size_t> dateColumn;
    std::array<std::optional<std::size_t>, kPrizeCount> yenColumns{};
    std::array<std::optional<std::size_t>, kNumberCount> numberColumns{};
    bool hasNumbers = false;

    std::size_t LastColumn() const {
        std::size_t last = std::max(drawColumn, winningColumn);
        for (const std::size_t column : digitColumns) {
            last = std::max(last, column);
        }
        return last;
    }
};

std::optional<std::size_t> FindColumn(const std::vector<std::string>& names, std::string_view name) {
    const auto found = std::find(names.begin(), names.end(), name);
    if (found == names.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - names.begin());
}

template <std::size_t N>
std::optional<std::size_t> FindAnyColumn(const std::vector<std::string>& names, const std::array<std::string_view, N>& choices) {
    for (const std::string_view choice : choices) {
        if (const auto column = FindColumn(names, choice)) {
            return column;
        }
    }
    return std::nullopt;
}

// A game's digit columns, highest first, in each naming that files use.
std::array<std::vector<std::string>, 3> DigitColumnNames(Game game) {
    const auto count = static_cast<std::size_t>(Positions(game));
    std::array<std::vector<std::string>, 3> schemes;
    for (std::size_t p = 0; p < count; ++p) {
        schemes[0].push_back("digit" + std::to_string(p + 1));
        schemes[1].emplace_back(kPositionColumnNames[4 - count + p]);
        schemes[2].emplace_back(kJapanesePositionColumnNames[4 - count + p]);
    }
    return schemes;
}

std::vector<std::size_t> FindColumns(const std::vector<std::string>& names, const std::vector<std::string>& wanted) {
    std::vector<std::size_t> columns;
    for (const std::string& name : wanted) {
        const auto column = FindColumn(names, name);
        if (!column) {
            return {};
        }
        columns.push_back(*column);
    }
    return columns;
}

// The columns of the digits, highest first, when the header names one per digit of
// the game; otherGame is set when it names the other game's digits instead.
std::vector<std::size_t> FindDigitColumns(const std::vector<std::string>& names, Game game, bool& otherGame) {
    const auto mine = DigitColumnNames(game);
    const auto other = DigitColumnNames(OtherGame(game));
    for (std::size_t scheme = 0; scheme < mine.size(); ++scheme) {
        const std::vector<std::size_t> columns = FindColumns(names, mine[scheme]);
        const std::vector<std::size_t> otherColumns = FindColumns(names, other[scheme]);
        // The three-digit names are among the four-digit ones: the longer set wins.
        if (!otherColumns.empty() && (columns.empty() || otherColumns.size() > columns.size())) {
            otherGame = true;
            return {};
        }
        if (!columns.empty()) {
            return columns;
        }
    }
    return {};
}

Layout ReadLayout(const CsvRow& first, Game game) {
    Layout layout;
    if (!first.fields.empty() && ReadDrawNo(first.fields[0])) {
        return layout; // no header: draw number, winning number
    }
    layout.hasHeader = true;
    std::vector<std::string> names;
    for (const std::string_view field : first.fields) {
        names.push_back(ColumnName(field));
    }
    const auto drawColumn = FindAnyColumn(names, kDrawColumnNames);
    if (!drawColumn) {
        layout.problem = LineMessage(first.line, "開催回の列が見つかりません");
        return layout;
    }
    layout.drawColumn = *drawColumn;
    layout.dateColumn = FindAnyColumn(names, kDateColumnNames);
    for (const Prize prize : PrizesOf(game)) {
        const auto p = static_cast<std::size_t>(prize);
        layout.yenColumns[p] = FindAnyColumn(names, kYenColumnNames[p]);
    }
    for (std::size_t n = 0; n < kNumberColumnNames.size(); ++n) {
        layout.numberColumns[n] = FindAnyColumn(names, kNumberColumnNames[n]);
        layout.hasNumbers |= layout.numberColumns[n].has_value();
    }
    if (const auto winningColumn = FindAnyColumn(names, kWinningColumnNames)) {
        layout.winningColumn = *winningColumn;
        return layout;
    }
    layout.digitColumns = FindDigitColumns(names, game, layout.otherGame);
    if (layout.digitColumns.empty() && !layout.otherGame) {
        layout.problem = LineMessage(first.line, "当選数字の列が見つかりません");
    }
    layout.winningColumn = layout.drawColumn;
    return layout;
}

bool Blank(const CsvRow& record) {
    return std::all_of(record.fields.begin(), record.fields.end(),
                       [](std::string_view field) { return Trim(field).empty(); });
}

std::string OtherGameMessage(Game game) {
    return "　" + std::string(GameLabel(OtherGame(game))) + "のCSVファイルのようです。" +
           std::string(GameLabel(game)) + "には取り込めません。。";
}

// The winning number a line holds, as the file writes it.
std::string WinningText(const CsvRow& record, const Layout& layout) {
    if (layout.digitColumns.empty()) {
        return Shortened(Trim(record.fields[layout.winningColumn]));
    }
    std::string text;
    for (const std::size_t column : layout.digitColumns) {
        text += (text.empty() ? "" : ",") + std::string(Trim(record.fields[column]));
    }
    return Shortened(text);
}

std::optional<DigitList> RecordDigits(const CsvRow& record, const Layout& layout, std::size_t count) {
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

// A column a line may lack: empty when it does.
std::string_view OptionalField(const CsvRow& record, const std::optional<std::size_t>& column) {
    return column && *column < record.fields.size() ? record.fields[*column] : std::string_view();
}

// "119800", "119,800", "１１９８００円": a payout in yen.
std::optional<int> ReadYen(std::string_view field) {
    std::string plain;
    if (!std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        plain = PlainText(field);
        std::string_view yen = plain;
        if (yen.ends_with("円")) {
            yen.remove_suffix(std::string_view("円").size());
        }
        std::string digits;
        for (std::size_t i = 0; i < yen.size(); ++i) {
            // A comma only between groups of three digits.
            if (yen[i] == ',' && !digits.empty() && (yen.size() - i - 1) % 4 == 3) {
                continue;
            }
            digits += yen[i];
        }
        plain = std::move(digits);
        field = plain;
    }
    long long value = 0;
    if (!AllDigits(field) || field.size() > 10 ||
        std::from_chars(field.data(), field.data() + field.size(), value).ec != std::errc() || value > kMaxYen) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

// The date and payouts a line holds; a problem line names the first bad one.
std::optional<DrawResults> RecordResults(const CsvRow& record, const Layout& layout, Game game,
                                         const DigitList& digits, std::string& problem) {
    DrawResults results;
    if (const std::string_view field = Trim(OptionalField(record, layout.dateColumn)); !field.empty()) {
        const auto date = ReadDate(field);
        if (!date) {
            problem = "抽せん日「" + Shortened(field) + "」が日付ではありません";
            return std::nullopt;
        }
        results.date = *date;
    }
    for (const Prize prize : PrizesOf(game)) {
        const auto p = static_cast<std::size_t>(prize);
        const std::string_view field = Trim(OptionalField(record, layout.yenColumns[p]));
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

std::string LineMessage(int line, std::string_view text) {
    return "　" + std::to_string(line) + "行目：" + std::string(text) + "。。";
}

std::vector<std::string> RefusalReport(std::vector<std::pair<int, std::string>> problems, std::string reason) {
    std::stable_sort(problems.begin(), problems.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> report = {std::string(kCsvRefusedMessage)};
    if (!reason.empty()) {
        report.push_back(std::move(reason));
    }
    for (std::size_t i = 0; i < problems.size() && i < kReportedLines; ++i) {
        report.push_back(problems[i].second);
    }
    if (problems.size() > kReportedLines) {
        report.push_back("　ほかに" + std::to_string(problems.size() - kReportedLines) + "行あります。。");
    }
    return report;
}

DrawCsv ReadDrawCsv(Game game, std::string_view bytes) {
    DrawCsv csv;
    std::string converted;
    const std::optional<std::string_view> text = DecodeCsvBytes(bytes, converted);
    if (!text) {
        csv.problems = {std::string(kCsvRefusedMessage), std::string(kNotDecodedMessage)};
        return csv;
    }
    const auto count = static_cast<std::size_t>(Positions(game));
    const auto otherCount = static_cast<std::size_t>(Positions(OtherGame(game)));
    std::optional<Layout> layout;
    std::vector<std::pair<int, std::string>> problems;
    std::size_t otherGameLines = 0;
    csv.draws.reserve(static_cast<std::size_t>(std::count(text->begin(), text->end(), '\n')) + 1);
    ForEachCsvRecord(*text, [&](const CsvRow& record) {
        if (Blank(record)) {
            return true;
        }
        if (!layout) {
            layout = ReadLayout(record, game);
            if (!layout->problem.empty()) {
                csv.problems = {std::string(kCsvRefusedMessage), layout->problem};
                return false;
            }
            if (layout->otherGame) {
                csv.problems = RefusalReport(
                    {{record.line, LineMessage(record.line, "桁の列が" + std::string(GameLabel(OtherGame(game))) +
                                                                "のものです")}},
                    OtherGameMessage(game));
                return false;
            }
            if (layout->hasNumbers) {
                // Never in the object itself, where a move of the result would take it along.
                csv.numberText.reserve(std::max<std::size_t>(text->size(), 64));
            }
            if (layout->hasHeader) {
                return true;
            }
        }
        if (record.fields.size() <= layout->LastColumn()) {
            problems.emplace_back(record.line, LineMessage(record.line, "列が足りません"));
            return true;
        }
        const auto drawNo = ReadDrawNo(record.fields[layout->drawColumn]);
        if (!drawNo) {
            problems.emplace_back(record.line,
                                  LineMessage(record.line, "開催回「" + Shortened(Trim(record.fields[layout->drawColumn])) +
                                                               "」が1～32767の数ではありません"));
            return true;
        }
        const auto digits = RecordDigits(record, *layout, count);
        if (!digits) {
            if (layout->digitColumns.empty() && ReadWinningNumber(record.fields[layout->winningColumn], otherCount)) {
                ++otherGameLines;
            }
            problems.emplace_back(record.line, LineMessage(record.line, "当選数字「" + WinningText(record, *layout) +
                                                                            "」が" +
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
            // are copied into room kept for the whole text, so none ever moves.
            draw.numbers.emplace();
            for (std::size_t n = 0; n < kNumberCount; ++n) {
                if (!layout->numberColumns[n]) {
                    (*draw.numbers)[n] = kEmptyNumber;
                    continue;
                }
                const std::string_view number = OptionalField(record, layout->numberColumns[n]);
                const std::size_t start = csv.numberText.size();
                csv.numberText += number;
                (*draw.numbers)[n] = std::string_view(csv.numberText).substr(start, number.size());
            }
        }
        csv.draws.push_back(std::move(draw));
        return true;
    });
    if (!csv.problems.empty()) {
        return csv;
    }
    if (!layout) {
        csv.problems = {std::string(kCsvRefusedMessage), std::string(kNoDrawsMessage)};
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
                problems.emplace_back(later.line,
                                      LineMessage(later.line, "第" + std::to_string(later.drawNo) + "回が" +
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
