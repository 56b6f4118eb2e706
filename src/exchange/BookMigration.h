#pragma once

#include "exchange/JetBook.h"

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <system_error>

namespace drawbook {

enum class MigrationOutcome {
    Migrated,   // the new book is at the path, the old file beside it under its new name
    NotJet,     // the file is no old book: nothing changed
    Unreadable, // an old book that cannot be read, or holds no record book: nothing changed
    NoReader,   // an old book, and this build has no Jet reader: nothing changed
    Failed,     // the new book could not be written or checked: nothing changed
    Busy,       // another program is converting or putting back the same book: nothing changed
    Missing,    // no file at the path: nothing changed
};

struct MigrationResult {
    MigrationOutcome outcome = MigrationOutcome::NotJet;
    std::array<std::size_t, 2> rows{};  // rows carried over: ナンバーズ3, ナンバーズ4
    std::array<std::size_t, 2> draws{}; // of them the draws, kaisai above 0
    std::string oldPath;                // where the old file is now, for Migrated
    std::string error;                  // why, for the others; for Missing the path
};

// "…/ナンバーズ（移行前）.mdb": where the old file of a book goes, the first of
// "（移行前）", "（移行前2）", … that no file holds.
std::string OldBookPath(const std::string& dbPath);

// Converts the old book at dbPath: a new book is written beside it with exactly
// its rows, read back and compared, and only then the old file is renamed to
// OldBookPath and the new one takes its place. The old file's bytes never change,
// and a failure leaves no other file behind. One conversion of a book at a time:
// it holds "….mdb.lock" throughout, and a second one finds it held and is Busy.
MigrationResult MigrateBook(const std::string& dbPath);

// The steps of a migration that tests stand in for, to make one of them fail.
struct MigrationSteps {
    // Reads the old book; ReadJetBook when empty.
    std::function<JetBook(const std::string& path)> read{};
    // Called once the new book is written, before it is read back.
    std::function<void(const std::string& newPath)> written{};
    // Renames a file; std::filesystem::rename when empty.
    std::function<void(const std::string& from, const std::string& to, std::error_code& error)> rename{};
};
MigrationResult MigrateBook(const std::string& dbPath, const MigrationSteps& steps);

enum class MigrationRecovery {
    None,      // nothing to do, or nothing that could safely be done
    Restored,  // the converted book was put at the path
    Discarded, // a half-written new book was removed; the old file stays under its new name
};

// At start-up: a conversion stopped between its two renames leaves no book at dbPath,
// the old file under its new name and the whole new book as "….mdb.new". That new book
// takes the path when it opens with both tables and passes SQLite's integrity check;
// otherwise it is removed. Anything else, and a conversion running now, is left alone.
MigrationRecovery RecoverInterruptedMigration(const std::string& dbPath);

// "　以前の形式の記録帳です。新しい形式の記録帳に移しますか？" and what will happen.
std::string MigrationQuestion(const JetBook& book, const std::string& dbPath);
// What a migration did or why it did nothing, as the windows and the command line say it.
std::string MigrationMessage(const MigrationResult& result);

} // namespace drawbook
