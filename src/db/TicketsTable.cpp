#include "db/TicketsTable.h"

#include "db/DbError.h"
#include "db/Statement.h"

#include <algorithm>
#include <array>

namespace drawbook {

namespace {

struct Column {
    std::string_view name;
    std::string_view type;
    std::string_view constraint;
};

// The columns in stored order; a table of that name with any others is not ours.
constexpr std::array<Column, 7> kColumns = {{
    {"id", "INTEGER", "PRIMARY KEY"},
    {"game", "TEXT", "NOT NULL CHECK (game IN ('3','4'))"},
    {"kaisai", "INTEGER", "NOT NULL CHECK (typeof(kaisai)='integer' AND kaisai BETWEEN 1 AND 32767)"},
    {"number", "TEXT", "NOT NULL CHECK (length(number)=CAST(game AS INTEGER) AND number NOT GLOB '*[^0-9]*')"},
    {"bet", "TEXT",
     "NOT NULL CHECK (bet IN ('straight','box','set','mini') AND (bet<>'mini' OR game='3')"
     " AND (bet IN ('straight','mini') OR length(replace(number,substr(number,1,1),''))>0))"},
    {"units", "INTEGER", "NOT NULL CHECK (typeof(units)='integer' AND units BETWEEN 1 AND 99)"},
    {"recorded_at", "TEXT", "NOT NULL"},
}};

} // namespace

std::string TicketsSchema() {
    std::string sql = "CREATE TABLE IF NOT EXISTS " + std::string(kTicketsTable) + " (";
    for (std::size_t i = 0; i < kColumns.size(); ++i) {
        sql += (i > 0 ? ", " : "") + std::string(kColumns[i].name) + " " + std::string(kColumns[i].type) + " " +
               std::string(kColumns[i].constraint);
    }
    return sql + ")";
}

TicketsTableState CheckTicketsTable(Connection& connection) {
    Statement kind(connection, "SELECT type FROM sqlite_master WHERE name=?1");
    kind.BindText(1, kTicketsTable);
    if (!kind.Step()) {
        return TicketsTableState::Missing;
    }
    if (kind.ColumnView(0) != "table") {
        return TicketsTableState::Unusable;
    }
    Statement columns(connection, "SELECT name,type FROM pragma_table_info(?1) ORDER BY cid");
    columns.BindText(1, kTicketsTable);
    std::size_t i = 0;
    while (columns.Step()) {
        if (i >= kColumns.size() || columns.ColumnView(0) != kColumns[i].name ||
            columns.ColumnView(1) != kColumns[i].type) {
            return TicketsTableState::Unusable;
        }
        ++i;
    }
    return i == kColumns.size() ? TicketsTableState::Usable : TicketsTableState::Unusable;
}

void CreateTicketsTable(Connection& connection) {
    switch (CheckTicketsTable(connection)) {
    case TicketsTableState::Missing:
        connection.ExecuteScript(TicketsSchema());
        break;
    case TicketsTableState::Usable:
        break;
    case TicketsTableState::Unusable:
        throw DbError(std::string(kTicketsUnusableMessage), 0);
    }
}

std::vector<DrawTicketNumbers> ReadTicketNumbers(Connection& connection, Game game, int first, int last) {
    std::vector<DrawTicketNumbers> draws;
    if (CheckTicketsTable(connection) != TicketsTableState::Usable) {
        return draws;
    }
    Statement rows(connection, "SELECT kaisai,number FROM " + std::string(kTicketsTable) +
                                   " WHERE game=?1 AND kaisai>=?2 AND kaisai<=?3 ORDER BY kaisai,id");
    rows.BindText(1, GameCode(game));
    rows.BindInt(2, first);
    rows.BindInt(3, last);
    while (rows.Step()) {
        const int drawNo = static_cast<int>(rows.ColumnInt64(0));
        if (draws.empty() || draws.back().drawNo != drawNo) {
            draws.push_back({drawNo, {}});
        }
        std::vector<std::string>& numbers = draws.back().numbers;
        const std::string_view number = rows.ColumnView(1);
        if (numbers.size() < static_cast<std::size_t>(kNumberCount) &&
            std::find(numbers.begin(), numbers.end(), number) == numbers.end()) {
            numbers.emplace_back(number);
        }
    }
    return draws;
}

} // namespace drawbook
