#include "exchange/BookMigration.h"

#include "db/Connection.h"
#include "db/DbError.h"
#include "db/DrawDatabase.h"
#include "db/Statement.h"
#include "db/Transaction.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>

namespace drawbook {

namespace {

namespace fs = std::filesystem;

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

// "ナンバーズ3の400回分とナンバーズ4の400回分（ほかの行2行も）", with "は" and "、" after a migration.
std::string CountsText(const std::array<std::size_t, 2>& draws, std::size_t others, std::string_view particle) {
    const bool asked = particle == "の";
    std::string text = "ナンバーズ3" + std::string(particle) + std::to_string(draws[0]) + "回分" +
                       (asked ? "と" : "、") + "ナンバーズ4" + std::string(particle) + std::to_string(draws[1]) +
                       "回分";
    if (others > 0) {
        text += asked ? "（ほかの行" + std::to_string(others) + "行も）" : "、ほかの行" + std::to_string(others) + "行";
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
    const fs::path path(dbPath);
    const std::string stem = path.stem().string();
    const std::string extension = path.extension().string();
    for (int n = 1;; ++n) {
        const std::string mark = n == 1 ? "（移行前）" : "（移行前" + std::to_string(n) + "）";
        const fs::path candidate = path.parent_path() / (stem + mark + extension);
        std::error_code error;
        if (!fs::exists(candidate, error) && !error) {
            return candidate.string();
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
            fs::rename(from, to, error);
        }
    };
    if (!IsJetFile(dbPath)) {
        return Failure(MigrationOutcome::NotJet, "not a Jet database");
    }
    const JetBook book = steps.read ? steps.read(dbPath) : ReadJetBook(dbPath);
    if (!book.read) {
        return Failure(MigrationOutcome::Unreadable, book.error);
    }
    if (std::string problem = KeyProblem(book); !problem.empty()) {
        return Failure(MigrationOutcome::Unreadable, problem);
    }
    // Written beside the old file under a name of its own, and only moved in when whole.
    const std::string newPath = dbPath + ".new";
    std::error_code ignored;
    fs::remove(newPath, ignored);
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
        fs::remove(newPath, ignored);
        return Failure(MigrationOutcome::Failed, e.what());
    }
    MigrationResult result;
    result.oldPath = OldBookPath(dbPath);
    std::error_code error;
    rename(dbPath, result.oldPath, error);
    if (error) {
        fs::remove(newPath, ignored);
        return Failure(MigrationOutcome::Failed, "cannot rename " + dbPath + ": " + error.message());
    }
    rename(newPath, dbPath, error);
    if (error) {
        // The old file goes back where it was.
        rename(result.oldPath, dbPath, ignored);
        fs::remove(newPath, ignored);
        return Failure(MigrationOutcome::Failed, "cannot rename " + newPath + ": " + error.message());
    }
    result.outcome = MigrationOutcome::Migrated;
    result.rows = {book.Rows(Game::Numbers3).size(), book.Rows(Game::Numbers4).size()};
    result.draws = DrawCounts(book);
    return result;
}

std::string MigrationQuestion(const JetBook& book, const std::string& dbPath) {
    const auto draws = DrawCounts(book);
    const std::size_t others =
        book.Rows(Game::Numbers3).size() + book.Rows(Game::Numbers4).size() - draws[0] - draws[1];
    return "　以前の形式の記録帳です。この形式に移しますか？\n\n　" + CountsText(draws, others, "の") +
           "を、そのまま新しい記録帳に移します。元のファイルは中身を変えずに「" +
           fs::path(OldBookPath(dbPath)).filename().string() + "」という名前で残します。。";
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
    case MigrationOutcome::Failed:
        return "　記録帳を移せませんでした。元のファイルはそのままです（" + result.error + "）。。";
    }
    return {};
}

} // namespace drawbook
