#include "db/Connection.h"

#include "db/DbError.h"

#include <sqlite3.h>

namespace drawbook {

namespace {

int OpenFlags(OpenMode mode) {
    switch (mode) {
    case OpenMode::ReadOnly:
        return SQLITE_OPEN_READONLY;
    case OpenMode::ReadWrite:
        return SQLITE_OPEN_READWRITE;
    case OpenMode::Create:
        return SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    }
    return SQLITE_OPEN_READONLY;
}

} // namespace

Connection::Connection(const std::string& path, OpenMode mode) : m_path(path) {
    const int rc = sqlite3_open_v2(path.c_str(), &m_db, OpenFlags(mode) | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        std::string message = m_db != nullptr ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc);
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        throw DbError("cannot open " + path + ": " + message, rc);
    }
    sqlite3_extended_result_codes(m_db, 0);
    // Another program may hold the file for a moment (a backup, a second copy).
    sqlite3_busy_timeout(m_db, 2000);
}

Connection::~Connection() {
    sqlite3_close_v2(m_db);
}

void Connection::ExecuteScript(const std::string& sql) {
    char* error = nullptr;
    const int rc = sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        std::string message = error != nullptr ? error : sqlite3_errstr(rc);
        sqlite3_free(error);
        throw DbError(message, rc);
    }
}

int Connection::Changes() const {
    return sqlite3_changes(m_db);
}

void Connection::Fail(const std::string& context, int code) const {
    throw DbError(context + ": " + sqlite3_errmsg(m_db), code);
}

} // namespace drawbook
