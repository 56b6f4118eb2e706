#include "db/DrawDatabase.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Statement.h"
#include "db/Transaction.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

using namespace drawbook;
using namespace drawbook::test;

namespace {

using ColumnList = std::vector<std::pair<std::string, std::string>>; // name, declared type

ColumnList TableInfo(const std::string& path, const std::string& table) {
    Connection connection(path, OpenMode::ReadOnly);
    Statement statement(connection, "SELECT name, type FROM pragma_table_info(?1)");
    statement.BindText(1, table);
    ColumnList columns;
    while (statement.Step()) {
        columns.emplace_back(statement.ColumnText(0), statement.ColumnText(1));
    }
    return columns;
}

std::vector<std::int64_t> Kaisai(const std::string& path, const std::string& table) {
    Connection connection(path, OpenMode::ReadOnly);
    Statement statement(connection, "SELECT kaisai FROM \"" + table + "\"");
    std::vector<std::int64_t> found;
    while (statement.Step()) {
        found.push_back(statement.ColumnInt64(0));
    }
    return found;
}

// Checks that the file is refused and left exactly as it was.
void ExpectUnusableAndUntouched(const std::string& path) {
    const std::string before = ReadBytes(path);
    const DatabaseCheck check = PrepareDatabase(path);
    EXPECT_EQ(check.state, DatabaseState::Unusable);
    EXPECT_FALSE(check.error.empty());
    EXPECT_EQ(ReadBytes(path), before);
}

} // namespace

TEST(DrawDatabaseTest, CreatesBothTablesInAMissingFile) {
    TempDir dir;
    const std::string path = dir.File("ナンバーズ.mdb");
    EXPECT_EQ(PrepareDatabase(path).state, DatabaseState::Created);

    const ColumnList three = {{"kaisai", "INTEGER"}, {"N100", "INTEGER"}, {"N10", "INTEGER"},  {"N1", "INTEGER"},
                              {"kounyu1", "TEXT"},   {"kounyu2", "TEXT"}, {"kounyu3", "TEXT"}, {"kounyu4", "TEXT"},
                              {"kounyu5", "TEXT"},   {"atari", "TEXT"}};
    const ColumnList four = {{"kaisai", "INTEGER"}, {"N1000", "INTEGER"}, {"N100", "INTEGER"}, {"N10", "INTEGER"},
                             {"N1", "INTEGER"},     {"kounyu1", "TEXT"},  {"kounyu2", "TEXT"}, {"kounyu3", "TEXT"},
                             {"kounyu4", "TEXT"},   {"kounyu5", "TEXT"},  {"atari", "TEXT"}};
    EXPECT_EQ(TableInfo(path, "ナンバーズ3"), three);
    EXPECT_EQ(TableInfo(path, "ナンバーズ4"), four);
    EXPECT_TRUE(Kaisai(path, "ナンバーズ3").empty());
    EXPECT_TRUE(Kaisai(path, "ナンバーズ4").empty());
}

TEST(DrawDatabaseTest, FillsAnEmptyFileLeftByACreationCutShort) {
    TempDir dir;
    const std::string path = dir.File("ナンバーズ.mdb");
    std::ofstream{PathFromUtf8(path)};
    ASSERT_EQ(std::filesystem::file_size(PathFromUtf8(path)), 0U);
    EXPECT_EQ(PrepareDatabase(path).state, DatabaseState::Created);
    EXPECT_EQ(TableInfo(path, "ナンバーズ4").size(), 11U);
    EXPECT_EQ(PrepareDatabase(path).state, DatabaseState::Ready);
}

TEST(DrawDatabaseTest, KeepsTheEmptyFileOfAnotherProgramThatIsCreatingIt) {
    TempDir dir;
    const std::string path = dir.File("ナンバーズ.mdb");
    Connection other(path, OpenMode::Create);
    Transaction creating(other);
    ASSERT_EQ(std::filesystem::file_size(PathFromUtf8(path)), 0U);
    // Busy past the wait: refused, and the other program's file stays.
    EXPECT_EQ(PrepareDatabase(path).state, DatabaseState::Unusable);
    EXPECT_TRUE(std::filesystem::exists(PathFromUtf8(path)));
}

// A book just made and still empty goes again; one with anything in it stays.
TEST(DrawDatabaseTest, RemovesANewBookOnlyWhileNothingIsInIt) {
    const struct {
        const char* name;
        const char* sql; // what another program did to the new book
        bool stays;
    } cases[] = {
        {"new", "", false},
        {"a draw", "INSERT INTO \"ナンバーズ4\" (kaisai) VALUES (1)", true},
        {"another table", "CREATE TABLE draw_results (kaisai INTEGER)", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir.File("ナンバーズ.mdb");
        ASSERT_TRUE(CreateDatabase(path));
        Connection(path, OpenMode::ReadWrite).ExecuteScript(c.sql);
        RemoveNewDatabase(path);
        EXPECT_EQ(std::filesystem::exists(PathFromUtf8(path)), c.stays);
    }
}

TEST(DrawDatabaseTest, KaisaiIsTheUniqueAscendingKey) {
    TestDatabase db;
    db.Insert(Game::Numbers4, {{30, {1, 2, 3, 4}}, {2, {0, 0, 0, 0}}, {17, {9, 9, 9, 9}}});
    EXPECT_THROW(db.Insert(Game::Numbers4, TestDraw{17, {5, 5, 5, 5}}), DbError);
    EXPECT_EQ(Kaisai(db.Path(), "ナンバーズ4"), (std::vector<std::int64_t>{2, 17, 30}));

    db.Insert(Game::Numbers3, {{3, {1, 2, 3}}, {1, {4, 5, 6}}});
    EXPECT_THROW(db.Execute("INSERT INTO \"ナンバーズ3\" (kaisai) VALUES (3)"), DbError);
    EXPECT_EQ(Kaisai(db.Path(), "ナンバーズ3"), (std::vector<std::int64_t>{1, 3}));
}

TEST(DrawDatabaseTest, LeavesAGoodFileAsItIs) {
    TestDatabase db;
    db.Insert(Game::Numbers3, {{1, {1, 9, 1}}, {2, {9, 8, 8}}});
    const std::string before = ReadBytes(db.Path());
    EXPECT_EQ(PrepareDatabase(db.Path()).state, DatabaseState::Ready);
    EXPECT_FALSE(CreateDatabase(db.Path()));
    EXPECT_EQ(ReadBytes(db.Path()), before);
    EXPECT_EQ(Kaisai(db.Path(), "ナンバーズ3"), (std::vector<std::int64_t>{1, 2}));
}

TEST(DrawDatabaseTest, RefusesAFileThatIsNotADatabase) {
    TempDir dir;
    const std::string path = dir.File("ナンバーズ.mdb");
    std::ofstream(PathFromUtf8(path)) << "kaisai,N100,N10,N1\n1,1,9,1\n";
    ExpectUnusableAndUntouched(path);
}

TEST(DrawDatabaseTest, RefusesADatabaseLackingATableOrColumn) {
    TempDir dir;
    const std::string noTable = dir.File("no-table.mdb");
    {
        Connection connection(noTable, OpenMode::Create);
        connection.ExecuteScript(R"(CREATE TABLE "ナンバーズ3" (kaisai INTEGER PRIMARY KEY, N100 INTEGER,
            N10 INTEGER, N1 INTEGER, kounyu1 TEXT, kounyu2 TEXT, kounyu3 TEXT, kounyu4 TEXT, kounyu5 TEXT,
            atari TEXT))");
    }
    ExpectUnusableAndUntouched(noTable);

    TestDatabase noColumn;
    noColumn.Execute(R"(ALTER TABLE "ナンバーズ4" DROP COLUMN atari)");
    ExpectUnusableAndUntouched(noColumn.Path());
}

TEST(DrawDatabaseTest, CreatesNothingInAMissingDirectory) {
    TempDir dir;
    const auto missing = dir.Path() / "gone";
    const DatabaseCheck check = PrepareDatabase((missing / "ナンバーズ.mdb").string());
    EXPECT_EQ(check.state, DatabaseState::Unusable);
    EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST(DrawDatabaseTest, RefusesAnUnreadableFile) {
    if (!FileModesBind()) {
        GTEST_SKIP() << "root reads the file whatever its mode (or Windows, where modes only mark files read-only)";
    }
    TestDatabase db;
    std::filesystem::permissions(PathFromUtf8(db.Path()), std::filesystem::perms::none);
    EXPECT_EQ(PrepareDatabase(db.Path()).state, DatabaseState::Unusable);
    std::filesystem::permissions(PathFromUtf8(db.Path()),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(PrepareDatabase(db.Path()).state, DatabaseState::Ready);
}
