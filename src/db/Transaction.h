#pragma once

namespace drawbook {

class Connection;

// Begins a write transaction; rolls it back on destruction unless committed.
class Transaction {
public:
    explicit Transaction(Connection& connection);
    ~Transaction();

    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void Commit();

private:
    Connection& m_connection;
    bool m_open = false;
};

} // namespace drawbook
