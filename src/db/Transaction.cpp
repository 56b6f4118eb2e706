#include "db/Transaction.h"

#include "db/Connection.h"

#include <sqlite3.h>

namespace drawbook {

Transaction::Transaction(Connection& connection) : m_connection(connection) {
    // IMMEDIATE takes the write lock now, so a busy file fails here and not halfway.
    m_connection.ExecuteScript("BEGIN IMMEDIATE");
    m_open = true;
}

Transaction::~Transaction() {
    if (m_open) {
        sqlite3_exec(m_connection.Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

void Transaction::Commit() {
    m_connection.ExecuteScript("COMMIT");
    m_open = false;
}

} // namespace drawbook
