#include "exchange/BookMigration.h"

#include "db/Connection.h"
#include "db/DbError.h"
#include "db/DrawDatabase.h"
#include "db/Statement.h"
#include "db/Transaction.h"
#include "platform/FileLock.h"
#include "platform/FilePath.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>

namespace drawbook {

namespace {

namespace fs = std::filesystem;

// "….mdb.lock", held while a book is converted or put back.
std::string LockPath(const std::string& dbPath) {
    return dbPath + ".lock";
}

bool Exists(const std::string& path) {
    std::error_code error;
    return fs::exists(PathFromUtf8(path), error) || error;
}

// The new book and its rollback journal, which must not outlive it.
void RemoveNewBook(const std::string& newPath) {
    std::error_code ignored;
    fs::remove(PathFromUtf8(newPath), ignored);
    fs::remove(PathFromUtf8(newPath + "-journal"), ignored);
}

// "…/ナンバーズ（移行前N）.mdb", without the N for the first.
std::string RenamedPath(const fs::path& path, int n) {
    const std::string mark = n == 1 ? "（移行前）" : "（移行前" + std::to_string(n) + "）";
    return Utf8FromPath(path.parent_path() /
                        PathFromUtf8(Utf8FromPath(path.stem()) + mark + Utf8FromPath(path.extension())));
}

// Whether the file is a whole book of this program: no transaction left open in its journal,
// both tables, and SQLite finds nothing wrong.
bool IsWholeBook(const std::string& path) {
    if (Exists(path + "-journal")) {
        return false;
    }
    try {
        CheckDatabase(path);
        Connection connection(path, OpenMode::ReadOnly);
        Statement check(connection, "PRAGMA integrity_check");
        return check.Step() && check.ColumnText(0) == "ok" && !check.Step();
    } catch (const DbError&) {
        return false;
    }
}

// A draw number is the new table's row id: every row needs one, each its own.
std::string KeyProblem(const JetBook& book) {
    for (const Game game : {Game::Numbers3, Game::Numbers4}) {
        std::set<long long> seen;
        for (const JetRow& row : book.Rows(game)) {
            if (!row.kaisai) {
                return std::string(TableName(game)) + " has a row without kaisai";
            }
            if (!seen.insert(*row.kaisai).second) {
                return std::string(TableName(game)) + " holds kaisai " + std::to_string(*row.kaisai) + " twice";
            }
        }
    }
    return {};
}

// "kaisai,N100,…,atari": every column of the game's table.
std::string ColumnList(Game game) {
    std::string columns;
    for (const std::string_view column : TableColumns(game)) {
        columns += (columns.empty() ? "" : ",") + std::string(column);
    }
    return columns;
}

std::string InsertRowStatement(Game game) {
    std::string values;
    for (std::size_t parameter = 1; parameter <= TableColumns(game).size(); ++parameter) {
        values += (values.empty() ? "?" : ",?") + std::to_string(parameter);
    }
    return "INSERT INTO \"" + std::string(TableName(game)) + "\" (" + ColumnList(game) + ") VALUES (" + values + ")";
}

void BindInteger(Statement& statement, int index, const std::optional<long long>& value) {
    if (value) {
        statement.BindInt(index, *value);
    } else {
        statement.BindNull(index);
    }
}

void BindText(Statement& statement, int index, const std::optional<std::string>& value) {
    if (value) {
        statement.BindText(index, *value);
    } else {
        statement.BindNull(index);
    }
}

void WriteRows(Connection& connection, Game game, const std::vector<JetRow>& rows) {
    Statement insert(connection, InsertRowStatement(game));
    const int positions = Positions(game);
    for (const JetRow& row : rows) {
        insert.Reset();
        BindInteger(insert, 1, row.kaisai);
        for (int p = 0; p < positions; ++p) {
            BindInteger(insert, 2 + p, row.digits[static_cast<std::size_t>(p)]);
        }
        for (int n = 0; n < kNumberCount; ++n) {
            BindText(insert, 2 + positions + n, row.numbers[static_cast<std::size_t>(n)]);
        }
        BindText(insert, 2 + positions + kNumberCount, row.atari);
        insert.Execute();
    }
}

std::optional<long long> ReadInteger(const Statement& rows, int column) {
    if (rows.IsNull(column)) {
        return std::nullopt;
    }
    return rows.ColumnInt64(column);
}

std::optional<std::string> ReadText(const Statement& rows, int column) {
    if (rows.IsNull(column)) {
        return std::nullopt;
    }
    return rows.ColumnText(column);
}

bool SameRow(const JetRow& a, const JetRow& b) {
    return a.kaisai == b.kaisai && a.digits == b.digits && a.numbers == b.numbers && a.atari == b.atari;
}

// Every row of the new book read back and compared with the old one's, in draw order.
void CheckRows(const std::string& path, const JetBook& book) {
    Connection connection(path, OpenMode::ReadOnly);
    for (const Game game : {Game::Numbers3, Game::Numbers4}) {
        std::vector<JetRow> expected = book.Rows(game);
        std::stable_sort(expected.begin(), expected.end(),
                         [](const JetRow& a, const JetRow& b) { return *a.kaisai < *b.kaisai; });
        Statement rows(connection,
                       "SELECT " + ColumnList(game) + " FROM \"" + std::string(TableName(game)) + "\" ORDER BY kaisai");
        const int positions = Positions(game);
        std::size_t read = 0;
        while (rows.Step()) {
            JetRow row;
            row.kaisai = ReadInteger(rows, 0);
            for (int p = 0; p < positions; ++p) {
                row.digits[static_cast<std::size_t>(p)] = ReadInteger(rows, 1 + p);
            }
            for (int n = 0; n < kNumberCount; ++n) {
                row.numbers[static_cast<std::size_t>(n)] = ReadText(rows, 1 + positions + n);
            }
            row.atari = ReadText(rows, 1 + positions + kNumberCount);
            if (read >= expected.size() || !SameRow(row, expected[read])) {
                throw DbError("the new book differs from the old one in " + std::string(TableName(game)), 0);
            }
            ++read;
        }
        if (read != expected.size()) {
            throw DbError("the new book lacks rows of " + std::string(TableName(game)), 0);
        }
    }
}

std::array<std::size_t, 2> DrawCounts(const JetBook& book) {
    std::array<std::size_t, 2> draws{};
    for (const Game game : {Game::Numbers3, Game::Numbers4}) {
        const auto& rows = book.Rows(game);
        draws[game == Game::Numbers3 ? 0 : 1] = static_cast<std::size_t>(
            std::count_if(rows.begin(), rows.end(), [](const JetRow& row) { return row.kaisai && *row.kaisai > 0; }));
    }
    return draws;
}

// "ナンバーズ3の400回分とナンバーズ4の400回分（回数のない行2行も）", with "は" and "、" after a migration.
std::string CountsText(const std::array<std::size_t, 2>& draws, std::size_t others, std::string_view particle) {
    const bool asked = particle == "の";
    std::string text = "ナンバーズ3" + std::string(particle) + std::to_string(draws[0]) + "回分" +
                       (asked ? "と" : "、") + "ナンバーズ4" + std::string(particle) + std::to_string(draws[1]) +
                       "回分";
    if (others > 0) {
        text += asked ? "（回数のない行" + std::to_string(others) + "行も）"
                      : "、回数のない行" + std::to_string(others) + "行";
    }
    return text;
}

MigrationResult Failure(MigrationOutcome outcome, std::string error) {
    MigrationResult result;
    result.outcome = outcome;
    result.error = std::move(error);
    return result;
}

} // namespace

std::string OldBookPath(const std::string& dbPath) {
    for (int n = 1;; ++n) {
        std::string candidate = RenamedPath(PathFromUtf8(dbPath), n);
        if (!Exists(candidate)) {
            return candidate;
        }
    }
}

MigrationResult MigrateBook(const std::string& dbPath) {
    return MigrateBook(dbPath, {});
}

MigrationResult MigrateBook(const std::string& dbPath, const MigrationSteps& steps) {
    const auto rename = [&steps](const std::string& from, const std::string& to, std::error_code& error) {
        if (steps.rename) {
            steps.rename(from, to, error);
        } else {
            fs::rename(PathFromUtf8(from), PathFromUtf8(to), error);
        }
    };
    // Under the lock the book stays where it is, whatever another program was doing.
    const FileLock lock(LockPath(dbPath));
    if (lock.Busy()) {
        return Failure(MigrationOutcome::Busy, lock.Error());
    }
    if (!Exists(dbPath)) {
        return Failure(MigrationOutcome::Missing, dbPath);
    }
    if (!lock.Held()) {
        return Failure(MigrationOutcome::Failed, lock.Error());
    }
    if (!IsJetFile(dbPath)) {
        return Failure(MigrationOutcome::NotJet, "not a Jet database");
    }
    const JetBook book = steps.read ? steps.read(dbPath) : ReadJetBook(dbPath);
    if (!book.read) {
        return Failure(book.noReader ? MigrationOutcome::NoReader : MigrationOutcome::Unreadable, book.error);
    }
    if (std::string problem = KeyProblem(book); !problem.empty()) {
        return Failure(MigrationOutcome::Unreadable, problem);
    }
    // Written beside the old file under a name of its own, and only moved in when whole.
    // One left by a conversion that was stopped while writing is half-made.
    const std::string newPath = dbPath + ".new";
    std::error_code ignored;
    RemoveNewBook(newPath);
    try {
        if (!CreateDatabase(newPath)) {
            throw DbError("another program is writing " + newPath, 0);
        }
        {
            Connection connection(newPath, OpenMode::ReadWrite);
            Transaction transaction(connection);
            for (const Game game : {Game::Numbers3, Game::Numbers4}) {
                WriteRows(connection, game, book.Rows(game));
            }
            transaction.Commit();
        }
        if (steps.written) {
            steps.written(newPath);
        }
        CheckRows(newPath, book);
    } catch (const DbError& e) {
        RemoveNewBook(newPath);
        return Failure(MigrationOutcome::Failed, e.what());
    }
    MigrationResult result;
    result.oldPath = OldBookPath(dbPath);
    std::error_code error;
    rename(dbPath, result.oldPath, error);
    if (error) {
        fs::remove(PathFromUtf8(newPath), ignored);
        return Failure(MigrationOutcome::Failed, "cannot rename " + dbPath + ": " + error.message());
    }
    rename(newPath, dbPath, error);
    if (error) {
        // The old file goes back where it was.
        rename(result.oldPath, dbPath, ignored);
        fs::remove(PathFromUtf8(newPath), ignored);
        return Failure(MigrationOutcome::Failed, "cannot rename " + newPath + ": " + error.message());
    }
    result.outcome = MigrationOutcome::Migrated;
    result.rows = {book.Rows(Game::Numbers3).size(), book.Rows(Game::Numbers4).size()};
    result.draws = DrawCounts(book);
    return result;
}

MigrationRecovery RecoverInterruptedMigration(const std::string& dbPath) {
    const std::string newPath = dbPath + ".new";
    if (Exists(dbPath) || !Exists(newPath)) {
        return MigrationRecovery::None;
    }
    // A conversion between its renames holds the lock and finishes on its own.
    const FileLock lock(LockPath(dbPath));
    if (!lock.Held() || Exists(dbPath) || !Exists(newPath) || !Exists(RenamedPath(PathFromUtf8(dbPath), 1))) {
        return MigrationRecovery::None;
    }
    if (!IsWholeBook(newPath)) {
        // Its rows are still in the old file.
        RemoveNewBook(newPath);
        return MigrationRecovery::Discarded;
    }
    std::error_code error;
    fs::rename(PathFromUtf8(newPath), PathFromUtf8(dbPath), error);
    return error ? MigrationRecovery::None : MigrationRecovery::Restored;
}

std::string MigrationQuestion(const JetBook& book, const std::string& dbPath) {
    const auto draws = DrawCounts(book);
    const std::size_t others =
        book.Rows(Game::Numbers3).size() + book.Rows(Game::Numbers4).size() - draws[0] - draws[1];
    return "　以前の形式の記録帳です。新しい形式の記録帳に移しますか？\n\n　" + CountsText(draws, others, "の") +
           "を、そのまま新しい記録帳に移します。元のファイルは中身を変えずに「" +
           Utf8FromPath(PathFromUtf8(OldBookPath(dbPath)).filename()) + "」という名前で残します。。";
}

std::string MigrationMessage(const MigrationResult& result) {
    switch (result.outcome) {
    case MigrationOutcome::Migrated:
        return "　記録帳を移しました（" +
               CountsText(result.draws, result.rows[0] + result.rows[1] - result.draws[0] - result.draws[1], "は") +
               "）。元のファイルは" + result.oldPath + "にあります。。";
    case MigrationOutcome::NotJet:
        return "　以前の形式の記録帳ではありません。何も変えていません。。";
    case MigrationOutcome::Unreadable:
        return "　以前の形式の記録帳を読めませんでした。何も変えていません（" + result.error + "）。。";
    case MigrationOutcome::NoReader:
        return std::string(kNoJetReaderMessage);
    case MigrationOutcome::Failed:
        return "　記録帳を移せませんでした。元のファイルはそのままです（" + result.error + "）。。";
    case MigrationOutcome::Busy:
        return "　ほかで記録帳を移しているところです。しばらくしてからもう一度試してください。。";
    case MigrationOutcome::Missing:
        return "　記録帳「" + result.error + "」がありません。。";
    }
    return {};
}

} // namespace drawbook
