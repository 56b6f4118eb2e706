#pragma once

#include <string>

namespace drawbook {

// The database file beside the program.
inline constexpr const char* kDatabaseFileName = "ナンバーズ.mdb";

enum class DatabaseState {
    Ready,    // the file was there and has both tables
    Created,  // the file was missing and now holds both tables, empty
    Unusable, // the file cannot be read or lacks a table or column
};

struct DatabaseCheck {
    DatabaseState state;
    std::string error; // why it is unusable
};

// Creates both tables in a new file. Returns false, changing nothing, when the file already holds
// tables (another program made it first). Throws DbError, and removes the empty file again unless
// another program is creating it at that moment.
bool CreateDatabase(const std::string& dbPath);

// Removes a file CreateDatabase made that nothing went into after all: both tables empty and
// nothing else in it. A file another program has filled meanwhile, or holds now, stays.
void RemoveNewDatabase(const std::string& dbPath);

// Throws DbError unless the file opens and both tables have their columns in stored order.
void CheckDatabase(const std::string& dbPath);

// At start-up: creates a missing file, checks an existing one and never alters its data.
DatabaseCheck PrepareDatabase(const std::string& dbPath);

} // namespace drawbook
