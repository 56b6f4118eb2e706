#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3_stmt;

namespace drawbook {

class Connection;

// A short-lived prepared statement, finalized when it goes out of scope.
// It holds exactly one SQL statement: text after the first one is refused.
class Statement {
public:
    Statement(Connection& connection, std::string_view sql);
    ~Statement();

    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Moves to the next row; false when there is none left.
    bool Step();
    // Runs a statement that returns no rows.
    void Execute();
    // Makes the statement ready to run again; the bound values stay.
    void Reset();

    void BindInt(int index, std::int64_t value);
    // A view without data binds NULL.
    void BindText(int index, std::string_view value);
    void BindNull(int index);

    bool IsNull(int column) const;
    // Stored integers are 16-bit values; a missing value reads as nothing.
    std::optional<std::int16_t> ColumnInt16(int column) const;
    std::int64_t ColumnInt64(int column) const;
    // The value when it is stored as an integer; nothing for NULL, text or a real.
    std::optional<std::int64_t> ColumnInteger(int column) const;
    // A missing value reads as empty text.
    std::string ColumnText(int column) const;
    // The same without a copy; valid until the next step.
    std::string_view ColumnView(int column) const;

private:
    Connection& m_connection;
    sqlite3_stmt* m_stmt = nullptr;
};

} // namespace drawbook
