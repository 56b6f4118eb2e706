#pragma once

#include <string>

struct sqlite3;

namespace drawbook {

enum class OpenMode {
    ReadOnly,  // never creates the file
    ReadWrite, // never creates the file
    Create,    // read-write, creates a missing file
};

// One open database file. Not copyable; closed when it goes out of scope.
class Connection {
public:
    Connection(const std::string& path, OpenMode mode);
    ~Connection();

    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Runs statements that return no rows, such as a schema.
    void ExecuteScript(const std::string& sql);

    // Rows changed by the last INSERT, UPDATE or DELETE.
    int Changes() const;

    sqlite3* Handle() const { return m_db; }
    const std::string& Path() const { return m_path; }

    // Throws DbError with SQLite's message for a failed call on this connection.
    [[noreturn]] void Fail(const std::string& context, int code) const;

private:
    sqlite3* m_db = nullptr;
    std::string m_path;
};

} // namespace drawbook
