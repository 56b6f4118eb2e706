#include "register/DrawImport.h"

#include "db/Connection.h"
#include "db/DbError.h"
#include "db/DrawDatabase.h"
#include "db/Statement.h"
#include "db/Transaction.h"
#include "edit/DrawEdit.h"
#include "game/DigitText.h"
#include "register/CsvFile.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <string>
#include <utility>

namespace drawbook {

namespace {

constexpr int kLastDrawNo = 32767; // the draw number is a 16-bit column
constexpr std::size_t kReportedLines = 5;

constexpr std::string_view kRefusedMessage = "　CSVファイルを取り込めませんでした。記録は何も変わっていません。。";
constexpr std::string_view kNotDecodedMessage =
    "　文字コードを読み取れませんでした。UTF-8 か Shift_JIS で保存してください。。";
constexpr std::string_view kNoDrawsMessage = "　取り込む回がありません。。";

constexpr std::array<std::string_view, 5> kDrawColumnNames = {"draw_no", "回号", "開催回", "kaisai", "開催回数"};
constexpr std::array<std::string_view, 4> kWinningColumnNames = {"winning_number", "当せん番号", "当選番号", "当選数字"};
// One column per digit, named by position from the thousands down.
constexpr std::array<std::string_view, 4> kPositionColumnNames = {"n1000", "n100", "n10", "n1"};
constexpr std::array<std::string_view, 4> kJapanesePositionColumnNames = {"千の位", "百の位", "十の位", "一の位"};

std::size_t DigitCount(Game game) {
    return DigitColumns(game).size();
}

Game OtherGame(Game game) {
    return game == Game::Numbers3 ? Game::Numbers4 : Game::Numbers3;
}

// The game's name as its messages write it: "ナンバーズ３".
std::string_view GameLabel(Game game) {
    return game == Game::Numbers3 ? "ナンバーズ３" : "ナンバーズ４";
}

std::string_view DigitsLabel(Game game) {
    return game == Game::Numbers3 ? "三桁" : "四桁";
}

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

// Full-width digits become plain ones; everything else stays.
std::string PlainText(std::string_view text) {
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (const auto digit = ReadDigit(text.substr(i, 3)); digit && static_cast<unsigned char>(text[i]) >= 0x80) {
            plain += static_cast<char>('0' + *digit);
            i += 2;
        } else {
            plain += text[i];
        }
    }
    return plain;
}

bool AllDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "123", "第123回" or " １２３ ": the draw number when it is one from 1 to 32767.
std::optional<int> ReadDrawNo(std::string_view field) {
    std::string text = PlainText(Trim(field));
    std::string_view number = text;
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
    const int drawNo = std::stoi(std::string(number));
    if (drawNo < 1 || drawNo > kLastDrawNo) {
        return std::nullopt;
    }
    return drawNo;
}

std::optional<std::vector<int>> ReadWinningNumber(std::string_view field, std::size_t count) {
    const std::string text = PlainText(Trim(field));
    if (text.size() != count || !AllDigits(text)) {
        return std::nullopt;
    }
    std::vector<int> digits;
    for (const char c : text) {
        digits.push_back(c - '0');
    }
    return digits;
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
std::array<std::vector<std::string>, 3> DigitColumnNames(std::size_t count) {
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
    const auto mine = DigitColumnNames(DigitCount(game));
    const auto other = DigitColumnNames(DigitCount(OtherGame(game)));
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

std::string LineMessage(int line, std::string_view text) {
    return "　" + std::to_string(line) + "行目：" + std::string(text) + "。。";
}

Layout ReadLayout(const CsvRecord& first, Game game) {
    Layout layout;
    if (!first.fields.empty() && ReadDrawNo(first.fields[0])) {
        return layout; // no header: draw number, winning number
    }
    layout.hasHeader = true;
    std::vector<std::string> names;
    for (const std::string& field : first.fields) {
        names.push_back(ColumnName(field));
    }
    const auto drawColumn = FindAnyColumn(names, kDrawColumnNames);
    if (!drawColumn) {
        layout.problem = LineMessage(first.line, "開催回の列が見つかりません");
        return layout;
    }
    layout.drawColumn = *drawColumn;
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

bool Blank(const CsvRecord& record) {
    return std::all_of(record.fields.begin(), record.fields.end(),
                       [](const std::string& field) { return Trim(field).empty(); });
}

// The report: what happened, why when the reason is the whole file, then the
// first problem lines.
std::vector<std::string> Report(std::vector<std::pair<int, std::string>> problems, std::string reason = {}) {
    std::stable_sort(problems.begin(), problems.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> report = {std::string(kRefusedMessage)};
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

std::string OtherGameMessage(Game game) {
    return "　" + std::string(GameLabel(OtherGame(game))) + "のCSVファイルのようです。" +
           std::string(GameLabel(game)) + "には取り込めません。。";
}

std::string DigitsText(const std::vector<int>& digits) {
    std::string text;
    for (const int digit : digits) {
        text += static_cast<char>('0' + digit);
    }
    return text;
}

// The winning number a line holds, as the file writes it.
std::string WinningText(const CsvRecord& record, const Layout& layout) {
    if (layout.digitColumns.empty()) {
        return std::string(Trim(record.fields[layout.winningColumn]));
    }
    std::string text;
    for (const std::size_t column : layout.digitColumns) {
        text += (text.empty() ? "" : ",") + std::string(Trim(record.fields[column]));
    }
    return text;
}

std::optional<std::vector<int>> ReadDigits(const CsvRecord& record, const Layout& layout, std::size_t count) {
    if (layout.digitColumns.empty()) {
        return ReadWinningNumber(record.fields[layout.winningColumn], count);
    }
    std::vector<int> digits;
    for (const std::size_t column : layout.digitColumns) {
        const auto digit = ReadWinningNumber(record.fields[column], 1);
        if (!digit) {
            return std::nullopt;
        }
        digits.push_back(digit->front());
    }
    return digits;
}

} // namespace

DrawCsv ReadDrawCsv(Game game, std::string_view bytes) {
    DrawCsv csv;
    const std::optional<std::string> text = DecodeCsvBytes(bytes);
    if (!text) {
        csv.problems = {std::string(kRefusedMessage), std::string(kNotDecodedMessage)};
        return csv;
    }
    std::vector<CsvRecord> records = SplitCsv(*text);
    std::erase_if(records, Blank);
    if (records.empty()) {
        csv.problems = {std::string(kRefusedMessage), std::string(kNoDrawsMessage)};
        return csv;
    }
    const Layout layout = ReadLayout(records.front(), game);
    if (!layout.problem.empty()) {
        csv.problems = {std::string(kRefusedMessage), layout.problem};
        return csv;
    }
    if (layout.otherGame) {
        csv.problems = Report({{records.front().line, LineMessage(records.front().line, "桁の列が" +
                                                                    std::string(GameLabel(OtherGame(game))) + "のものです")}},
                              OtherGameMessage(game));
        return csv;
    }

    const std::size_t count = DigitCount(game);
    const std::size_t otherCount = DigitCount(OtherGame(game));
    std::vector<std::pair<int, std::string>> problems;
    std::size_t otherGameLines = 0;
    for (std::size_t r = layout.hasHeader ? 1 : 0; r < records.size(); ++r) {
        const CsvRecord& record = records[r];
        if (record.fields.size() <= layout.LastColumn()) {
            problems.emplace_back(record.line, LineMessage(record.line, "列が足りません"));
            continue;
        }
        const auto drawNo = ReadDrawNo(record.fields[layout.drawColumn]);
        if (!drawNo) {
            problems.emplace_back(record.line,
                                  LineMessage(record.line, "開催回「" + std::string(Trim(record.fields[layout.drawColumn])) +
                                                               "」が1～32767の数ではありません"));
            continue;
        }
        auto digits = ReadDigits(record, layout, count);
        if (!digits) {
            if (layout.digitColumns.empty() && ReadWinningNumber(record.fields[layout.winningColumn], otherCount)) {
                ++otherGameLines;
            }
            problems.emplace_back(record.line, LineMessage(record.line, "当選数字「" + WinningText(record, layout) + "」が" +
                                                                            std::string(DigitsLabel(game)) +
                                                                            "の数字ではありません"));
            continue;
        }
        csv.draws.push_back({*drawNo, std::move(*digits), record.line});
    }
    // Every line holds a winning number of the other game's length: the wrong file.
    if (csv.draws.empty() && otherGameLines > 0 && otherGameLines == problems.size()) {
        csv.problems = Report(std::move(problems), OtherGameMessage(game));
        return csv;
    }
    if (csv.draws.empty() && problems.empty()) {
        csv.problems = {std::string(kRefusedMessage), std::string(kNoDrawsMessage)};
        return csv;
    }

    std::stable_sort(csv.draws.begin(), csv.draws.end(),
                     [](const CsvDraw& a, const CsvDraw& b) { return a.drawNo < b.drawNo; });
    std::vector<CsvDraw> unique;
    for (CsvDraw& draw : csv.draws) {
        if (!unique.empty() && unique.back().drawNo == draw.drawNo) {
            if (unique.back().digits != draw.digits) {
                const CsvDraw& earlier = unique.back().line < draw.line ? unique.back() : draw;
                const CsvDraw& later = unique.back().line < draw.line ? draw : unique.back();
                problems.emplace_back(later.line, LineMessage(later.line, "第" + std::to_string(later.drawNo) + "回が" +
                                                                              std::to_string(earlier.line) +
                                                                              "行目と違う当選数字です"));
            }
            continue;
        }
        unique.push_back(std::move(draw));
    }
    csv.draws = std::move(unique);
    if (!problems.empty()) {
        csv.draws.clear();
        csv.problems = Report(std::move(problems));
    }
    return csv;
}

namespace {

std::string FindStatement(Game game) {
    std::string sql = "SELECT ";
    const auto columns = DigitColumns(game);
    for (std::size_t p = 0; p < columns.size(); ++p) {
        sql += (p == 0 ? "" : ",") + std::string(columns[p]);
    }
    return sql + " FROM " + std::string(TableName(game)) + " WHERE kaisai=?1";
}

std::string InsertStatement(Game game) {
    std::string columns = "kaisai";
    std::string values = "?1";
    int parameter = 2;
    for (const std::string_view column : DigitColumns(game)) {
        columns += "," + std::string(column);
        values += ",?" + std::to_string(parameter++);
    }
    const std::string number = "?" + std::to_string(parameter);
    for (int n = 1; n <= 5; ++n) {
        columns += ",kounyu" + std::to_string(n);
        values += "," + number;
    }
    return "INSERT INTO " + std::string(TableName(game)) + " (" + columns + ",atari) VALUES (" + values + ",' ')";
}

// The stored digits of a draw when they differ from the file's; nothing when every
// stored row agrees. found tells whether the draw is stored at all.
std::optional<std::string> StoredDifference(Statement& find, const CsvDraw& draw, bool& found) {
    find.Reset();
    find.BindInt(1, draw.drawNo);
    found = false;
    std::optional<std::string> difference;
    while (find.Step()) {
        found = true;
        std::string stored;
        bool same = true;
        for (std::size_t p = 0; p < draw.digits.size(); ++p) {
            const auto digit = find.ColumnInteger(static_cast<int>(p));
            stored += digit ? std::to_string(*digit) : "？";
            same = same && digit == draw.digits[p];
        }
        if (!same && !difference) {
            difference = stored;
        }
    }
    return difference;
}

} // namespace

ImportResult ImportDraws(const std::string& dbPath, Game game, const std::vector<CsvDraw>& draws) {
    ImportResult result;
    std::vector<CsvDraw> sorted = draws;
    std::stable_sort(sorted.begin(), sorted.end(), [](const CsvDraw& a, const CsvDraw& b) { return a.drawNo < b.drawNo; });
    try {
        Connection connection(dbPath, OpenMode::ReadWrite);
        Transaction transaction(connection);
        Statement find(connection, FindStatement(game));
        Statement insert(connection, InsertStatement(game));
        insert.BindText(static_cast<int>(DigitCount(game)) + 2, kEmptyNumber);

        std::vector<std::pair<int, std::string>> conflicts;
        for (const CsvDraw& draw : sorted) {
            bool found = false;
            if (const auto stored = StoredDifference(find, draw, found)) {
                conflicts.emplace_back(draw.line, LineMessage(draw.line, "第" + std::to_string(draw.drawNo) +
                                                                             "回は当選数字" + *stored + "で登録済みです（ファイルでは" +
                                                                             DigitsText(draw.digits) + "）"));
                continue;
            }
            if (found) {
                ++result.skipped;
                continue;
            }
            if (!conflicts.empty()) {
                continue; // nothing will be written; keep looking for conflicts only
            }
            insert.Reset();
            insert.BindInt(1, draw.drawNo);
            for (std::size_t p = 0; p < draw.digits.size(); ++p) {
                insert.BindInt(static_cast<int>(p) + 2, draw.digits[p]);
            }
            insert.Execute();
            if (result.added == 0) {
                result.firstAdded = draw.drawNo;
            }
            result.lastAdded = draw.drawNo;
            ++result.added;
        }
        if (!conflicts.empty()) {
            // The transaction rolls back as it goes out of scope.
            return {ImportOutcome::Refused, 0, 0, 0, 0, Report(std::move(conflicts)), {}};
        }
        transaction.Commit();
    } catch (const DbError& e) {
        return {ImportOutcome::Failed, 0, 0, 0, 0, {}, e.what()};
    }
    return result;
}

ImportResult ImportDrawCsv(const std::string& dbPath, Game game, std::string_view bytes) {
    DrawCsv csv = ReadDrawCsv(game, bytes);
    if (!csv.problems.empty()) {
        ImportResult result;
        result.outcome = ImportOutcome::Refused;
        result.report = std::move(csv.problems);
        return result;
    }
    return ImportDraws(dbPath, game, csv.draws);
}

ImportResult ImportDrawFile(const std::string& dbPath, Game game, const std::string& path) {
    ImportResult result;
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) {
        result.outcome = ImportOutcome::Refused;
        result.report = {FileNotReadMessage(path)};
        return result;
    }
    DrawCsv csv = ReadDrawCsv(game, *bytes);
    if (!csv.problems.empty()) {
        result.outcome = ImportOutcome::Refused;
        result.report = std::move(csv.problems);
        return result;
    }
    const DatabaseCheck check = PrepareDatabase(dbPath);
    if (check.state == DatabaseState::Unusable) {
        result.outcome = ImportOutcome::Failed;
        result.error = check.error;
        return result;
    }
    return ImportDraws(dbPath, game, csv.draws);
}

std::string ImportSummary(const ImportResult& result) {
    std::string summary = "　";
    if (result.added == 0) {
        summary += "追加する回はありませんでした。";
    } else {
        summary += std::to_string(result.added) + "回分を追加しました（第" + std::to_string(result.firstAdded) + "回～第" +
                   std::to_string(result.lastAdded) + "回）。";
    }
    if (result.skipped > 0) {
        summary += "登録済みの" + std::to_string(result.skipped) + "回分は飛ばしました。";
    }
    return summary + "。";
}

std::string FileNotReadMessage(std::string_view path) {
    return "　" + std::string(path) + "を開けませんでした。。";
}

} // namespace drawbook
