#include "db/DrawResultsTable.h"

#include "db/Connection.h"
#include "db/DbError.h"
#include "draw/Calendar.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace drawbook {

namespace {

// The payout columns in prize order.
constexpr std::array<std::string_view, kPrizeCount> kYenColumns = {"straight", "box", "set_straight", "set_box",
                                                                   "mini"};

std::string YenColumns() {
    std::string columns;
    for (const std::string_view column : kYenColumns) {
        columns += "," + std::string(column);
    }
    return columns;
}

std::string WriteStatement(ResultsMerge merge) {
    std::string sql = "INSERT ";
    if (merge == ResultsMerge::Replace) {
        sql += "OR REPLACE ";
    }
    sql += "INTO " + std::string(kResultsTable) + " (game,kaisai,draw_date" + YenColumns() +
           ") VALUES (?1,?2,?3,?4,?5,?6,?7,?8)";
    if (merge != ResultsMerge::Replace) {
        // Fill prefers the stored value, Overwrite the written one.
        const auto coalesce = [merge](const std::string& name) {
            return name + (merge == ResultsMerge::Fill ? "=coalesce(" + name + ",excluded." + name + ")"
                                                       : "=coalesce(excluded." + name + "," + name + ")");
        };
        sql += " ON CONFLICT (game,kaisai) DO UPDATE SET " + coalesce("draw_date");
        for (const std::string_view column : kYenColumns) {
            sql += "," + coalesce(std::string(column));
        }
    }
    return sql;
}

std::unique_ptr<Statement> SelectResults(Connection& connection, Game game, int first, int last) {
    auto rows = std::make_unique<Statement>(
        connection, "SELECT kaisai,draw_date" + YenColumns() + " FROM " + std::string(kResultsTable) +
                        " WHERE game=?1 AND kaisai>=?2 AND kaisai<=?3 ORDER BY kaisai");
    rows->BindText(1, GameCode(game));
    rows->BindInt(2, first);
    rows->BindInt(3, last);
    return rows;
}

StoredResults RowResults(const Statement& rows) {
    StoredResults draw;
    draw.drawNo = static_cast<int>(rows.ColumnInt64(0));
    draw.results.date = ReadDate(rows.ColumnView(1)).value_or(0);
    draw.unreadable[0] = draw.results.date == 0 && !rows.IsNull(1);
    for (std::size_t prize = 0; prize < kPrizeCount; ++prize) {
        const int column = static_cast<int>(prize) + 2;
        const auto yen = rows.ColumnInteger(column);
        if (yen && *yen >= 0 && *yen <= kMaxYen) {
            draw.results.yen[prize] = static_cast<int>(*yen);
        } else {
            draw.unreadable[prize + 1] = !rows.IsNull(column);
        }
    }
    return draw;
}

} // namespace

bool HasResultsTable(Connection& connection) {
    Statement statement(connection, "SELECT 1 FROM sqlite_master WHERE type='table' AND name=?1");
    statement.BindText(1, kResultsTable);
    return statement.Step();
}

void CreateResultsTable(Connection& connection) {
    std::string sql = "CREATE TABLE IF NOT EXISTS " + std::string(kResultsTable) +
                      " (game TEXT NOT NULL, kaisai INTEGER NOT NULL, draw_date TEXT";
    for (const std::string_view column : kYenColumns) {
        sql += ", " + std::string(column) + " INTEGER";
    }
    sql += ", PRIMARY KEY (game, kaisai)) WITHOUT ROWID";
    connection.ExecuteScript(sql);
}

std::vector<StoredResults> ReadDrawResults(Connection& connection, Game game, int first, int last) {
    std::vector<StoredResults> stored;
    if (!HasResultsTable(connection)) {
        return stored;
    }
    const auto rows = SelectResults(connection, game, first, last);
    while (rows->Step()) {
        stored.push_back(RowResults(*rows));
    }
    return stored;
}

std::vector<DrawDate> ReadDrawDates(Connection& connection, Game game, int first, int last) {
    std::vector<DrawDate> dates;
    if (!HasResultsTable(connection)) {
        return dates;
    }
    Statement rows(connection, "SELECT kaisai,draw_date FROM " + std::string(kResultsTable) +
                                   " WHERE game=?1 AND kaisai>=?2 AND kaisai<=?3 AND draw_date IS NOT NULL"
                                   " ORDER BY kaisai");
    rows.BindText(1, GameCode(game));
    rows.BindInt(2, first);
    rows.BindInt(3, last);
    while (rows.Step()) {
        if (const auto date = ReadDate(rows.ColumnView(1))) {
            dates.push_back({static_cast<int>(rows.ColumnInt64(0)), *date});
        }
    }
    return dates;
}

ResultsCursor::ResultsCursor(const std::string& dbPath, Game game) : m_connection(dbPath, OpenMode::ReadOnly) {
    // One pass in key order reads each page once: no cache worth keeping.
    m_connection.ExecuteScript("PRAGMA cache_size=-64");
    if (HasResultsTable(m_connection)) {
        m_rows = SelectResults(m_connection, game, INT32_MIN, INT32_MAX);
        m_more = m_rows->Step();
        if (m_more) {
            m_current = RowResults(*m_rows);
        }
    }
}

DrawResults ResultsCursor::Find(int drawNo) {
    while (m_more && m_current.drawNo < drawNo) {
        m_more = m_rows->Step();
        if (m_more) {
            m_current = RowResults(*m_rows);
        }
    }
    return m_more && m_current.drawNo == drawNo ? m_current.results : DrawResults{};
}

DrawResults FindResults(std::span<const StoredResults> stored, int drawNo) {
    const auto found = std::lower_bound(stored.begin(), stored.end(), drawNo,
                                        [](const StoredResults& s, int n) { return s.drawNo < n; });
    if (found == stored.end() || found->drawNo != drawNo) {
        return {};
    }
    return found->results;
}

ResultsWriter::ResultsWriter(Connection& connection, Game game, bool fill)
    : ResultsWriter(connection, game, fill ? ResultsMerge::Fill : ResultsMerge::Replace) {}

ResultsWriter::ResultsWriter(Connection& connection, Game game, ResultsMerge merge)
    : m_statement(connection, WriteStatement(merge)) {
    m_statement.BindText(1, GameCode(game));
}

void ResultsWriter::Write(int drawNo, const DrawResults& results) {
    m_statement.Reset();
    m_statement.BindInt(2, drawNo);
    if (results.date != 0) {
        m_statement.BindText(3, DateText(results.date));
    } else {
        m_statement.BindNull(3);
    }
    for (std::size_t prize = 0; prize < kPrizeCount; ++prize) {
        if (results.yen[prize] != kUnknownYen) {
            m_statement.BindInt(static_cast<int>(prize) + 4, results.yen[prize]);
        } else {
            m_statement.BindNull(static_cast<int>(prize) + 4);
        }
    }
    m_statement.Execute();
}

} // namespace drawbook
