#include "db/DrawDatabase.h"

#include "db/Connection.h"
#include "db/DbError.h"
#include "db/SqlText.h"
#include "db/Statement.h"
#include "db/Transaction.h"
#include "draw/Game.h"
#include "platform/FilePath.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace drawbook {

namespace {

// Both tables. kaisai is the row id, so draw numbers are unique and a scan
// returns them in ascending order.
std::string Schema() {
    std::string sql;
    for (const Game game : {Game::Numbers3, Game::Numbers4}) {
        sql += "CREATE TABLE \"" + std::string(TableName(game)) + "\" (kaisai INTEGER PRIMARY KEY";
        for (const std::string_view column : DigitColumns(game)) {
            sql += ", " + std::string(column) + " INTEGER";
        }
        for (const std::string_view column : NumberColumns()) {
            sql += ", " + std::string(column) + " TEXT";
        }
        sql += ", atari TEXT);\n";
    }
    return sql;
}

void CheckTable(Connection& connection, Game game) {
    Statement statement(connection, "SELECT name FROM pragma_table_info(?1)");
    statement.BindText(1, TableName(game));
    std::vector<std::string> found;
    while (statement.Step()) {
        found.push_back(statement.ColumnText(0));
    }
    const auto expected = TableColumns(game);
    const bool same = std::equal(found.begin(), found.end(), expected.begin(), expected.end(),
                                 [](const std::string& f, std::string_view e) { return SameSqlName(f, e); });
    if (!same) {
        throw DbError("table " + std::string(TableName(game)) + " is missing or has other columns", 0);
    }
}

bool HoldsNothing(Connection& connection) {
    Statement statement(connection, "SELECT count(*) FROM sqlite_master");
    return statement.Step() && statement.ColumnInt64(0) == 0;
}

// Both tables and nothing else, with no draw in either: as CreateDatabase left it.
bool HoldsOnlyEmptyTables(Connection& connection) {
    std::string sql = "SELECT (SELECT count(*) FROM sqlite_master) = 2";
    for (const Game game : {Game::Numbers3, Game::Numbers4}) {
        sql += " AND NOT EXISTS (SELECT 1 FROM \"" + std::string(TableName(game)) + "\")";
    }
    Statement statement(connection, sql);
    return statement.Step() && statement.ColumnInt64(0) == 1;
}

// Removes the file when it is empty, or when asked, as new as CreateDatabase made it.
// Only under its write lock: a program that is creating or filling the file right now
// holds that lock, and its file stays.
void RemoveUnusedFile(const std::string& dbPath, bool evenWithTables) {
    try {
        Connection connection(dbPath, OpenMode::ReadWrite);
        // A write lock on an empty file sets up its first page, which goes to the
        // journal first: kept in memory, so a full disk cannot stop the lock.
        connection.ExecuteScript("PRAGMA journal_mode=MEMORY");
        Transaction lock(connection);
        std::error_code ignored;
        if (std::filesystem::file_size(PathFromUtf8(dbPath), ignored) == 0 ||
            (evenWithTables && HoldsOnlyEmptyTables(connection))) {
            std::filesystem::remove(PathFromUtf8(dbPath), ignored);
        }
    } catch (const DbError&) {
        // Busy or gone; an empty file is filled at the next start anyway.
    }
}

} // namespace

bool CreateDatabase(const std::string& dbPath) {
    try {
        Connection connection(dbPath, OpenMode::Create);
        // Under the write lock, so a second program creating the same file at once waits here
        // and then finds the tables made.
        Transaction transaction(connection);
        if (!HoldsNothing(connection)) {
            return false;
        }
        connection.ExecuteScript(Schema());
        transaction.Commit();
        return true;
    } catch (const DbError&) {
        RemoveUnusedFile(dbPath, false);
        throw;
    }
}

void CheckDatabase(const std::string& dbPath) {
    Connection connection(dbPath, OpenMode::ReadOnly);
    CheckTable(connection, Game::Numbers3);
    CheckTable(connection, Game::Numbers4);
}

void RemoveNewDatabase(const std::string& dbPath) {
    RemoveUnusedFile(dbPath, true);
}

DatabaseCheck PrepareDatabase(const std::string& dbPath) {
    try {
        // A missing file, or an empty one (what a creation cut short leaves behind), holds no draws.
        std::error_code error;
        const auto size = std::filesystem::file_size(PathFromUtf8(dbPath), error);
        if ((error == std::errc::no_such_file_or_directory || (!error && size == 0)) && CreateDatabase(dbPath)) {
            return {DatabaseState::Created, {}};
        }
        // Made by another program since we looked, or there all along: checked, never altered.
        CheckDatabase(dbPath);
        return {DatabaseState::Ready, {}};
    } catch (const DbError& e) {
        return {DatabaseState::Unusable, e.what()};
    }
}

} // namespace drawbook
