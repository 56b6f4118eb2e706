#include "exchange/BookMigration.h"
#include "db/Connection.h"
#include "db/Statement.h"
#include "exchange/CsvFile.h"
#include "exchange/DrawImport.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <type_traits>

using namespace drawbook;
using namespace drawbook::test;

namespace {

namespace fs = std::filesystem;

constexpr const char* kOldBook = "legacy/legacy_jet4.mdb";
constexpr const char* kRowOverread = "legacy/damaged/row-overread.mdb";
constexpr const char* kColumnNumber = "legacy/damaged/column-number.mdb";

bool ByDraw(const std::string& a, const std::string& b) {
    return std::stoi(a) < std::stoi(b);
}

// The rows a game's table holds in the old book, from the file written beside it,
// in draw order as the new book keeps them. The file writes a missing value as
// empty text.
std::vector<std::string> FixtureRows(Game game) {
    const std::string name =
        game == Game::Numbers3 ? "legacy/legacy_jet4.numbers3.tsv" : "legacy/legacy_jet4.numbers4.tsv";
    const auto tsv = SharedDataFile(name);
    if (!tsv) {
        ADD_FAILURE() << "the shared old book's rows are missing: " << SharedDataPath(name);
    }
    std::vector<std::string> rows;
    std::istringstream lines(tsv.value_or(""));
    std::string line;
    std::getline(lines, line); // the header
    while (std::getline(lines, line)) {
        rows.push_back(line);
    }
    std::stable_sort(rows.begin(), rows.end(), ByDraw);
    return rows;
}

// The rows as the old book's reader gives them, in draw order, a missing value as
// "NULL" the way TestDatabase::Rows writes it.
std::vector<std::string> JetRows(const std::string& path, Game game) {
    const JetBook book = ReadJetBook(path);
    EXPECT_TRUE(book.read) << book.error;
    const auto text = [](const auto& value) {
        if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::optional<std::string>>) {
            return value.value_or("NULL");
        } else {
            return value ? std::to_string(*value) : std::string("NULL");
        }
    };
    std::vector<std::string> rows;
    for (const JetRow& row : book.Rows(game)) {
        std::string line = text(row.kaisai);
        for (std::size_t p = 0; p < static_cast<std::size_t>(Positions(game)); ++p) {
            line += "\t" + text(row.digits[p]);
        }
        for (const auto& number : row.numbers) {
            line += "\t" + text(number);
        }
        rows.push_back(line + "\t" + text(row.atari));
    }
    std::stable_sort(rows.begin(), rows.end(), ByDraw);
    return rows;
}

// Rows with each missing value as empty text, as the fixture file writes them.
std::vector<std::string> Blanked(std::vector<std::string> rows) {
    for (std::string& row : rows) {
        row = "\t" + row + "\t";
        for (std::size_t at; (at = row.find("\tNULL\t")) != std::string::npos;) {
            row.erase(at + 1, 4);
        }
        row = row.substr(1, row.size() - 2);
    }
    return rows;
}

// The fixture's bytes with each of the game tables' names spelt otherwise.
std::string WithoutGameTables(std::string bytes) {
    for (const char* name : {"\xCA\x30\xF3\x30\xD0\x30\xFC\x30\xBA\x30"
                             "3",
                             "\xCA\x30\xF3\x30\xD0\x30\xFC\x30\xBA\x30"
                             "4"}) {
        const std::string utf16(name, 11);
        const auto at = bytes.find(utf16);
        if (at != std::string::npos) {
            bytes[at + 10] = 'X';
        }
    }
    return bytes;
}

} // namespace

TEST(BookMigrationTest, AnOldBookMovesWholeAndTheOldFileStaysAsItWas) {
    const auto old = SharedDataFile(kOldBook);
    ASSERT_TRUE(old.has_value()) << "the shared old book is missing: " << SharedDataPath(kOldBook);
    TempDir dir;
    const std::string path = dir.File("ナンバーズ.mdb");
    ASSERT_TRUE(WriteWholeFile(path, *old));

    const MigrationResult result = MigrateBook(path);
    ASSERT_EQ(result.outcome, MigrationOutcome::Migrated) << result.error;
    EXPECT_EQ(result.rows, (std::array<std::size_t, 2>{401, 401}));
    EXPECT_EQ(result.draws, (std::array<std::size_t, 2>{400, 400}));
    EXPECT_EQ(result.oldPath, dir.File("ナンバーズ（移行前）.mdb"));
    EXPECT_EQ(FilesIn(dir.Path()), (std::vector<std::string>{"ナンバーズ.mdb", "ナンバーズ（移行前）.mdb"}));
    EXPECT_EQ(ReadBytes(result.oldPath), *old);
    EXPECT_EQ(MigrationMessage(result),
              "　記録帳を移しました（ナンバーズ3は400回分、ナンバーズ4は400回分、回数のない行2行）。元のファイルは" +
                  result.oldPath + "にあります。。");
    for (const Game game : {Game::Numbers3, Game::Numbers4}) {
        // Every row, the placeholder with kaisai 0 and the hit markers included;
        // a missing value stays missing.
        EXPECT_EQ(Blanked(StoredRows(path, game)), FixtureRows(game));
        EXPECT_EQ(StoredRows(path, game), JetRows(result.oldPath, game));
    }
    // A missing number stays missing, and an empty one empty.
    const auto count = [&path](const std::string& where) {
        Connection connection(path, OpenMode::ReadOnly);
        Statement statement(connection, "SELECT count(*) FROM \"ナンバーズ3\" WHERE " + where);
        statement.Step();
        return statement.ColumnInt64(0);
    };
    EXPECT_GT(count("kounyu2 IS NULL"), 0);
    EXPECT_GT(count("kounyu2=''"), 0);

    // Now it is a book of this program: nothing more to convert, and a second old
    // file beside it would get the next free name.
    EXPECT_EQ(MigrateBook(path).outcome, MigrationOutcome::NotJet);
    EXPECT_EQ(OldBookPath(path), dir.File("ナンバーズ（移行前2）.mdb"));
}

TEST(BookMigrationTest, AFailureChangesNothingAndLeavesNoFileBehind) {
    const auto old = SharedDataFile(kOldBook);
    ASSERT_TRUE(old.has_value()) << "the shared old book is missing: " << SharedDataPath(kOldBook);
    const auto overread = SharedDataFile(kRowOverread);
    ASSERT_TRUE(overread.has_value()) << "missing: " << SharedDataPath(kRowOverread);
    const auto columnNumber = SharedDataFile(kColumnNumber);
    ASSERT_TRUE(columnNumber.has_value()) << "missing: " << SharedDataPath(kColumnNumber);
    const struct {
        const char* name;
        std::string bytes;
        bool blockNewBook; // something else holds the new book's name
        MigrationOutcome outcome;
        const char* error;
        MigrationSteps steps{};
    } cases[] = {
        {"truncated", old->substr(0, 100000), false, MigrationOutcome::Unreadable, "no table ナンバーズ3"},
        {"without the game tables", WithoutGameTables(*old), false, MigrationOutcome::Unreadable,
         "no table ナンバーズ3"},
        {"no old book", "SQLite format 3", false, MigrationOutcome::NotJet, "not a Jet database"},
        // Damaged on disk: read without a crash and refused, whatever the damaged row holds.
        {"a row claiming more columns than it holds", *overread, false, MigrationOutcome::Unreadable,
         "row 96 of ナンバーズ3 is damaged"},
        {"a column numbered beyond the table's", *columnNumber, false, MigrationOutcome::Unreadable,
         "column kaisai of ナンバーズ4 is damaged"},
        {"cannot write the new book", *old, true, MigrationOutcome::Failed, ""},
        // A build without the Jet reader, as on Windows.
        {"no Jet reader",
         *old,
         false,
         MigrationOutcome::NoReader,
         "no Jet reader in this build",
         {.read = [](const std::string& path) { return ReadJetBook(path, "", std::chrono::seconds(10)); }}},
        {"the new book reads back otherwise",
         *old,
         false,
         MigrationOutcome::Failed,
         "the new book differs from the old one in ナンバーズ3",
         {.written =
              [](const std::string& newPath) {
                  Connection(newPath, OpenMode::ReadWrite)
                      .ExecuteScript("UPDATE \"ナンバーズ3\" SET kounyu1='x' WHERE kaisai=7");
              }}},
        {"the new book cannot take the name",
         *old,
         false,
         MigrationOutcome::Failed,
         "",
         {.rename =
              [](const std::string& from, const std::string& to, std::error_code& error) {
                  if (from.ends_with(".new")) {
                      error = std::make_error_code(std::errc::permission_denied);
                  } else {
                      fs::rename(from, to, error);
                  }
              }}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir.File("ナンバーズ.mdb");
        ASSERT_TRUE(WriteWholeFile(path, c.bytes));
        if (c.blockNewBook) {
            fs::create_directory(path + ".new");
            ASSERT_TRUE(WriteWholeFile(path + ".new/x", "x"));
        }
        const std::vector<std::string> before = FilesIn(dir.Path());
        const MigrationResult result = MigrateBook(path, c.steps);
        EXPECT_EQ(result.outcome, c.outcome);
        if (*c.error != '\0') {
            EXPECT_EQ(result.error, c.error);
        }
        EXPECT_EQ(ReadBytes(path), c.bytes);
        EXPECT_EQ(FilesIn(dir.Path()), before);
        if (c.outcome == MigrationOutcome::NoReader) {
            EXPECT_EQ(MigrationMessage(result), "　このバージョンでは古い形式のファイルを読めません。。");
        }
    }
}

// A second conversion, and the start-up's recovery, while one is writing and while it is
// between its renames (no book at the path): refused, nothing touched, and the first ends whole.
TEST(BookMigrationTest, OneConversionAtATime) {
    const auto old = SharedDataFile(kOldBook);
    ASSERT_TRUE(old.has_value()) << "the shared old book is missing: " << SharedDataPath(kOldBook);
    TempDir dir;
    const std::string path = dir.File("ナンバーズ.mdb");
    ASSERT_TRUE(WriteWholeFile(path, *old));
    int meanwhileRuns = 0;
    const auto meanwhile = [&] {
        ++meanwhileRuns;
        const std::vector<std::string> before = FilesIn(dir.Path());
        const MigrationResult second = MigrateBook(path);
        EXPECT_EQ(second.outcome, MigrationOutcome::Busy);
        EXPECT_EQ(MigrationMessage(second),
                  "　ほかで記録帳を移しているところです。しばらくしてからもう一度試してください。。");
        EXPECT_EQ(RecoverInterruptedMigration(path), MigrationRecovery::None);
        EXPECT_EQ(FilesIn(dir.Path()), before);
    };
    MigrationSteps steps;
    steps.written = [&](const std::string&) { meanwhile(); };
    steps.rename = [&](const std::string& from, const std::string& to, std::error_code& error) {
        fs::rename(from, to, error);
        if (from == path) {
            meanwhile();
        }
    };
    EXPECT_EQ(MigrateBook(path, steps).outcome, MigrationOutcome::Migrated);
    EXPECT_EQ(meanwhileRuns, 2);
    EXPECT_EQ(FilesIn(dir.Path()), (std::vector<std::string>{"ナンバーズ.mdb", "ナンバーズ（移行前）.mdb"}));
    EXPECT_EQ(Blanked(StoredRows(path, Game::Numbers4)), FixtureRows(Game::Numbers4));
}

// What a conversion stopped halfway left beside the book, and what the next start makes of it.
TEST(BookMigrationTest, AConversionStoppedHalfwayIsFinishedOrUndone) {
    const auto old = SharedDataFile(kOldBook);
    ASSERT_TRUE(old.has_value()) << "the shared old book is missing: " << SharedDataPath(kOldBook);
    TempDir made;
    const std::string converted = made.File("ナンバーズ.mdb");
    ASSERT_TRUE(WriteWholeFile(converted, *old));
    ASSERT_EQ(MigrateBook(converted).outcome, MigrationOutcome::Migrated);
    const std::string whole = ReadBytes(converted);

    const std::string book = "ナンバーズ.mdb", renamed = "ナンバーズ（移行前）.mdb", fresh = "ナンバーズ.mdb.new";
    const struct {
        const char* name;
        std::vector<std::pair<std::string, std::string>> files;
        MigrationRecovery recovery;
        std::vector<std::string> after;
    } cases[] = {
        {"stopped between the renames",
         {{renamed, *old}, {fresh, whole}},
         MigrationRecovery::Restored,
         {book, renamed}},
        {"stopped while writing the new book",
         {{renamed, *old}, {fresh, whole.substr(0, 4096)}},
         MigrationRecovery::Discarded,
         {renamed}},
        {"its last transaction left open",
         {{renamed, *old}, {fresh, whole}, {fresh + "-journal", std::string(512, 'j')}},
         MigrationRecovery::Discarded,
         {renamed}},
        // Perhaps the only copy: left alone.
        {"no old file beside it", {{fresh, whole}}, MigrationRecovery::None, {fresh}},
        {"a book at the path",
         {{book, whole}, {renamed, *old}, {fresh, whole}},
         MigrationRecovery::None,
         {book, fresh, renamed}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        for (const auto& [name, bytes] : c.files) {
            ASSERT_TRUE(WriteWholeFile(dir.File(name), bytes));
        }
        EXPECT_EQ(RecoverInterruptedMigration(dir.File(book)), c.recovery);
        EXPECT_EQ(FilesIn(dir.Path()), c.after);
        if (c.recovery == MigrationRecovery::Restored) {
            EXPECT_EQ(ReadBytes(dir.File(book)), whole);
        }
        if (fs::exists(dir.File(renamed))) {
            EXPECT_EQ(ReadBytes(dir.File(renamed)), *old);
        }
    }
}

TEST(BookMigrationTest, AReadOnlyFolderChangesNothing) {
    if (!FileModesBind()) {
        GTEST_SKIP()
            << "running as root, whom permissions do not stop (or Windows, where modes only mark files read-only)";
    }
    const auto old = SharedDataFile(kOldBook);
    ASSERT_TRUE(old.has_value()) << "the shared old book is missing: " << SharedDataPath(kOldBook);
    TempDir dir;
    const std::string path = dir.File("ナンバーズ.mdb");
    ASSERT_TRUE(WriteWholeFile(path, *old));
    fs::permissions(dir.Path(), fs::perms::owner_write, fs::perm_options::remove);
    const MigrationResult result = MigrateBook(path);
    fs::permissions(dir.Path(), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(result.outcome, MigrationOutcome::Failed);
    EXPECT_EQ(ReadBytes(path), *old);
    EXPECT_EQ(FilesIn(dir.Path()), std::vector<std::string>{"ナンバーズ.mdb"});
    EXPECT_TRUE(MigrationMessage(result).starts_with("　記録帳を移せませんでした。元のファイルはそのままです（"));
}

// Into a book of this program: draws only, with their numbers and hit markers;
// the same draws are skipped, a differing one refuses the whole file.
TEST(BookMigrationTest, ImportTakesTheDrawsTheBookLacks) {
    const auto old = SharedDataFile(kOldBook);
    ASSERT_TRUE(old.has_value()) << "the shared old book is missing: " << SharedDataPath(kOldBook);
    TempDir dir;
    const std::string oldBook = dir.File("古い記録帳.mdb");
    ASSERT_TRUE(WriteWholeFile(oldBook, *old));
    std::vector<std::string> draws = JetRows(oldBook, Game::Numbers4);
    draws.erase(draws.begin()); // the placeholder with kaisai 0 is no draw

    TestDatabase db;
    db.Insert(Game::Numbers4, {Draw(1, "1149", {"mine", "", "", "", ""}), Draw(2, "7921")});
    ImportResult result = ImportDrawFile(db.Path(), Game::Numbers4, oldBook);
    ASSERT_EQ(result.outcome, ImportOutcome::Imported) << testing::PrintToString(result.report);
    EXPECT_EQ(ImportSummary(result), "　398回分を追加しました（第3回～第400回）。登録済みの2回分は飛ばしました。。");
    std::vector<std::string> rows = db.Rows(Game::Numbers4);
    ASSERT_EQ(rows.size(), 400U);
    EXPECT_EQ(rows[0], "1\t1\t1\t4\t9\tmine\t\t\t\t\t "); // kept as it was
    EXPECT_EQ(std::vector<std::string>(rows.begin() + 2, rows.end()),
              std::vector<std::string>(draws.begin() + 2, draws.end()));

    TestDatabase other;
    other.Insert(Game::Numbers3, Draw(5, "123"));
    const std::string before = ReadBytes(other.Path());
    result = ImportDrawFile(other.Path(), Game::Numbers3, oldBook);
    EXPECT_EQ(result.outcome, ImportOutcome::Refused);
    EXPECT_EQ(result.report,
              (std::vector<std::string>{std::string(kJetRefusedMessage),
                                        "　5行目：第5回は当選数字123で登録済みです（ファイルでは592）。。"}));
    EXPECT_EQ(ReadBytes(other.Path()), before);
    // A damaged copy is refused whole, and the book stays as it was.
    for (const char* damaged : {kRowOverread, kColumnNumber}) {
        SCOPED_TRACE(damaged);
        for (const Game game : {Game::Numbers3, Game::Numbers4}) {
            result = ImportDrawFile(other.Path(), game, SharedDataPath(damaged));
            EXPECT_EQ(result.outcome, ImportOutcome::Refused);
            EXPECT_EQ(result.report.front(), kJetRefusedMessage);
            EXPECT_EQ(ReadBytes(other.Path()), before);
        }
    }
}
