#include "exchange/CsvLayout.h"

#include "exchange/CsvFields.h"
#include "exchange/ImportReport.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace drawbook {

namespace {

constexpr std::array<std::string_view, 5> kDrawColumnNames = {"draw_no", "回号", "開催回", "kaisai", "開催回数"};
constexpr std::array<std::string_view, 4> kWinningColumnNames = {"winning_number", "当せん番号", "当選番号",
                                                                 "当選数字"};
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

std::string ColumnName(std::string_view field) {
    std::string name(TrimField(field));
    std::transform(name.begin(), name.end(), name.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    return name;
}

std::optional<std::size_t> FindColumn(const std::vector<std::string>& names, std::string_view name) {
    const auto found = std::find(names.begin(), names.end(), name);
    if (found == names.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - names.begin());
}

template <std::size_t N>
std::optional<std::size_t> FindAnyColumn(const std::vector<std::string>& names,
                                         const std::array<std::string_view, N>& choices) {
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

} // namespace

std::size_t CsvLayout::LastColumn() const {
    std::size_t last = std::max(drawColumn, winningColumn);
    for (const std::size_t column : digitColumns) {
        last = std::max(last, column);
    }
    return last;
}

CsvLayout ReadCsvLayout(const CsvRow& first, Game game) {
    CsvLayout layout;
    if (!first.fields.empty() && ReadDrawNo(first.fields[0])) {
        return layout; // no header: draw number, winning number
    }
    layout.hasHeader = true;
    layout.headerFields = first.fields.size();
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

} // namespace drawbook
