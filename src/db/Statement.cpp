#include "db/Statement.h"

#include "db/Connection.h"
#include "db/DbError.h"

#include <sqlite3.h>

#include <algorithm>

namespace drawbook {

namespace {

bool OnlyBlanks(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ';'; });
}

} // namespace

Statement::Statement(Connection& connection, std::string_view sql) : m_connection(connection) {
    const char* tail = nullptr;
    const int rc = sqlite3_prepare_v2(connection.Handle(), sql.data(), static_cast<int>(sql.size()), &m_stmt, &tail);
    if (rc != SQLITE_OK) {
        connection.Fail("cannot prepare statement", rc);
    }
    if (m_stmt == nullptr) {
        throw DbError("empty statement", SQLITE_MISUSE);
    }
    const auto used = static_cast<std::size_t>(tail - sql.data());
    if (!OnlyBlanks(sql.substr(used))) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        throw DbError("more than one statement in: " + std::string(sql), SQLITE_MISUSE);
    }
}

Statement::~Statement() {
    sqlite3_finalize(m_stmt);
}

bool Statement::Step() {
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc == SQLITE_DONE) {
        return false;
    }
    m_connection.Fail(sqlite3_stmt_readonly(m_stmt) != 0 ? "cannot read" : "cannot write", rc);
}

void Statement::Execute() {
    while (Step()) {
    }
}

void Statement::Reset() {
    // A failed step has been reported already; its code comes back here again.
    sqlite3_reset(m_stmt);
}

void Statement::BindInt(int index, std::int64_t value) {
    const int rc = sqlite3_bind_int64(m_stmt, index, value);
    if (rc != SQLITE_OK) {
        m_connection.Fail("cannot bind", rc);
    }
}

void Statement::BindText(int index, std::string_view value) {
    const int rc = sqlite3_bind_text(m_stmt, index, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
    if (rc != SQLITE_OK) {
        m_connection.Fail("cannot bind", rc);
    }
}

void Statement::BindNull(int index) {
    const int rc = sqlite3_bind_null(m_stmt, index);
    if (rc != SQLITE_OK) {
        m_connection.Fail("cannot bind", rc);
    }
}

bool Statement::IsNull(int column) const {
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

std::optional<std::int16_t> Statement::ColumnInt16(int column) const {
    if (IsNull(column)) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(sqlite3_column_int64(m_stmt, column));
}

std::int64_t Statement::ColumnInt64(int column) const {
    return sqlite3_column_int64(m_stmt, column);
}

std::optional<std::int64_t> Statement::ColumnInteger(int column) const {
    if (sqlite3_column_type(m_stmt, column) != SQLITE_INTEGER) {
        return std::nullopt;
    }
    return sqlite3_column_int64(m_stmt, column);
}

std::string Statement::ColumnText(int column) const {
    return std::string(ColumnView(column));
}

std::string_view Statement::ColumnView(int column) const {
    const auto* text = sqlite3_column_text(m_stmt, column);
    if (text == nullptr) {
        return {};
    }
    return {reinterpret_cast<const char*>(text), static_cast<std::size_t>(sqlite3_column_bytes(m_stmt, column))};
}

} // namespace drawbook
