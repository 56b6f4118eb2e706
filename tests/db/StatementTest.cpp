#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Statement.h"
#include "db/Transaction.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>
#include <vector>

using namespace drawbook;
using drawbook::test::TempDir;

namespace {

bool TableExists(Connection& connection, const std::string& name) {
    Statement statement(connection, "SELECT name FROM sqlite_master WHERE type='table' AND name=?1");
    statement.BindText(1, name);
    return statement.Step();
}

int RowCount(Connection& connection, const std::string& table) {
    Statement statement(connection, "SELECT count(*) FROM " + table);
    EXPECT_TRUE(statement.Step());
    return static_cast<int>(statement.ColumnInt64(0));
}

} // namespace

TEST(StatementTest, RefusesTextAfterTheFirstStatement) {
    TempDir dir;
    Connection connection(dir.File("s.db"), OpenMode::Create);
    connection.ExecuteScript("CREATE TABLE x (a INTEGER)");

    EXPECT_THROW(Statement(connection, "SELECT 1; DROP TABLE x"), DbError);
    EXPECT_THROW(Statement(connection, "SELECT 1;SELECT 2"), DbError);
    EXPECT_TRUE(TableExists(connection, "x"));
}

TEST(StatementTest, AcceptsATrailingSemicolonAndBlanks) {
    TempDir dir;
    Connection connection(dir.File("s.db"), OpenMode::Create);
    for (const char* sql : {"SELECT 5;", "SELECT 5 ;  ", "SELECT 5;\n", "  SELECT 5\t\r\n"}) {
        Statement statement(connection, sql);
        ASSERT_TRUE(statement.Step()) << sql;
        EXPECT_EQ(statement.ColumnInt64(0), 5) << sql;
        EXPECT_FALSE(statement.Step()) << sql;
    }
}

TEST(StatementTest, NullColumnsReadAsEmptyTextOrNothing) {
    TempDir dir;
    Connection connection(dir.File("s.db"), OpenMode::Create);
    Statement statement(connection, "SELECT NULL, NULL, 7, 'ナンバーズ'");
    ASSERT_TRUE(statement.Step());
    EXPECT_TRUE(statement.IsNull(0));
    EXPECT_EQ(statement.ColumnText(0), "");
    EXPECT_EQ(statement.ColumnInt16(1), std::nullopt);
    EXPECT_EQ(statement.ColumnInt16(2), std::optional<std::int16_t>(7));
    EXPECT_FALSE(statement.IsNull(2));
    EXPECT_EQ(statement.ColumnText(3), "ナンバーズ");
}

TEST(StatementTest, AFailureSaysWhetherItWasReadingOrWriting) {
    TempDir dir;
    const std::string path = dir.File("s.db");
    Connection(path, OpenMode::Create).ExecuteScript("CREATE TABLE x (a INTEGER); INSERT INTO x VALUES (1)");
    Connection readOnly(path, OpenMode::ReadOnly);
    // sql, what failed, SQLite's reason
    const std::vector<std::tuple<const char*, const char*, const char*>> cases = {
        {"INSERT INTO x VALUES (2)", "cannot write: ", "attempt to write a readonly database"},
        {"UPDATE x SET a = 3", "cannot write: ", "attempt to write a readonly database"},
        {"SELECT abs(a - 9223372036854775807 - 2) FROM x", "cannot read: ", "integer overflow"},
    };
    for (const auto& [sql, prefix, reason] : cases) {
        try {
            Statement(readOnly, sql).Execute();
            ADD_FAILURE() << sql;
        } catch (const DbError& e) {
            const std::string message = e.what();
            EXPECT_EQ(message.rfind(prefix, 0), 0U) << message;
            EXPECT_NE(message.find(reason), std::string::npos) << message;
        }
    }
}

TEST(TransactionTest, RollsBackUnlessCommitted) {
    TempDir dir;
    Connection connection(dir.File("t.db"), OpenMode::Create);
    connection.ExecuteScript("CREATE TABLE x (a INTEGER)");
    {
        Transaction transaction(connection);
        Statement(connection, "INSERT INTO x VALUES (1)").Execute();
    }
    EXPECT_EQ(RowCount(connection, "x"), 0);
    {
        Transaction transaction(connection);
        Statement(connection, "INSERT INTO x VALUES (2)").Execute();
        transaction.Commit();
    }
    EXPECT_EQ(RowCount(connection, "x"), 1);
}

TEST(ConnectionTest, ReadOnlyAndReadWriteNeverCreateAFile) {
    TempDir dir;
    const std::string path = dir.File("missing.db");
    EXPECT_THROW(Connection(path, OpenMode::ReadOnly), DbError);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_THROW(Connection(path, OpenMode::ReadWrite), DbError);
    EXPECT_FALSE(std::filesystem::exists(path));
}
