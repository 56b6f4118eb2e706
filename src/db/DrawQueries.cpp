#include "db/DrawQueries.h"

namespace drawbook {

namespace {

std::string Select(Game game, DrawColumns columns, std::string_view beforeFrom) {
    std::string sql = "SELECT ";
    const auto add = [&sql](std::string_view column) {
        sql += sql.size() > 7 ? "," : "";
        sql += column;
    };
    if (columns != DrawColumns::Digits) {
        add("kaisai");
    }
    if (columns != DrawColumns::Key) {
        for (const std::string_view column : DigitColumns(game)) {
            add(column);
        }
    }
    if (columns == DrawColumns::Row) {
        for (const std::string_view column : NumberColumns()) {
            add(column);
        }
    }
    sql += beforeFrom;
    sql += "FROM ";
    sql += TableName(game);
    sql += ' ';
    return sql;
}

} // namespace

std::string WithClause(std::string_view statement, const std::string& clause) {
    std::string sql(statement);
    if (!clause.empty()) {
        sql += clause;
    }
    return sql;
}

std::string DrawClause(std::string_view drawNo) {
    return "WHERE kaisai=" + std::string(drawNo);
}

std::string SelectDraws(Game game, DrawColumns columns, const std::string& clause) {
    return WithClause(Select(game, columns, " "), clause);
}

std::string CountStatement(Game game, const std::string& clause) {
    return SelectDraws(game, DrawColumns::Key, clause);
}

std::string DrawListStatement(Game game, const std::string& clause) {
    return SelectDraws(game, DrawColumns::Row, clause);
}

std::string StoreCheckStatement(Game game, const std::string& clause) {
    return WithClause(Select(game, DrawColumns::Row, "  "), clause);
}

std::string PredictionStatement(Game game, const std::string& filter) {
    std::string sql = SelectDraws(game, DrawColumns::KeyAndDigits, filter);
    // The draws must come oldest first whatever order the file holds them in.
    // kaisai is the table's key, so this costs no sort.
    sql += filter.empty() ? "ORDER BY kaisai" : " ORDER BY kaisai";
    return sql;
}

} // namespace drawbook
