#include "exchange/JetBook.h"
#include "exchange/BookMigration.h"
#include "exchange/CsvFile.h"
#include "exchange/JetBookText.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace drawbook;
using namespace drawbook::test;

namespace {

namespace fs = std::filesystem;

constexpr const char* kOldBook = "legacy/legacy_jet4.mdb";
constexpr const char* kMalformed = "the Jet reader's output is malformed";

// An empty Numbers4 table after whatever Numbers3 holds.
std::string Book(const std::string& numbers3) {
    return "drawbook-jet-rows 1\ntable 10 " + numbers3 + "table 11 0\nend\n";
}

// Ten fields of a Numbers3 row: kaisai 409, digits 1 and 2 and a missing one,
// an empty number and a missing one, three numbers with a line break, a space and
// Japanese, atari "◎".
const std::string kBeforeAtari = "+3\n409\n+1\n1\n+2\n-2\n-\n+0\n\n-\n+2\na\n\n+3\n1 2\n+6\nナン\n";
const std::string kRow409 = kBeforeAtari + "+3\n◎\n";

TEST(JetBookTest, TheReadersTextIsReadFieldByField) {
    const JetBook book = ParseJetBookText(Book("1\n" + kRow409));
    ASSERT_TRUE(book.read) << book.error;
    ASSERT_EQ(book.Rows(Game::Numbers3).size(), 1U);
    EXPECT_TRUE(book.Rows(Game::Numbers4).empty());
    const JetRow& row = book.Rows(Game::Numbers3)[0];
    EXPECT_EQ(row.kaisai, 409);
    EXPECT_EQ(row.digits[0], 1);
    EXPECT_EQ(row.digits[1], -2);
    EXPECT_EQ(row.digits[2], std::nullopt);
    EXPECT_EQ(row.numbers[0], "");
    EXPECT_EQ(row.numbers[1], std::nullopt);
    EXPECT_EQ(row.numbers[2], "a\n");
    EXPECT_EQ(row.numbers[3], "1 2");
    EXPECT_EQ(row.numbers[4], "ナン");
    EXPECT_EQ(row.atari, "◎");
    // The reader's own writer gives the same text back.
    EXPECT_EQ(WriteJetBookText(book), Book("1\n" + kRow409));
}

TEST(JetBookTest, ATextOutOfShapeIsRefused) {
    const std::string row409 = kRow409;
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"nothing", ""},
        {"another version", "drawbook-jet-rows 2\ntable 10 0\ntable 11 0\nend\n"},
        {"Numbers3 with Numbers4's columns", "drawbook-jet-rows 1\ntable 11 0\ntable 11 0\nend\n"},
        {"a row fewer than counted", Book("2\n" + row409)},
        {"a row more than counted", Book("0\n" + row409)},
        {"a count with a leading zero", Book("01\n" + row409)},
        {"a length beyond the text", Book("1\n" + kBeforeAtari + "+9\n◎\n")},
        {"a length one short", Book("1\n" + kBeforeAtari + "+2\n◎\n")},
        {"a field neither missing nor present", Book("1\n" + kBeforeAtari + "◎\n")},
        {"a kaisai that is no number", Book("1\n+3\n4x9" + row409.substr(6))},
        {"a kaisai with a leading zero", Book("1\n+4\n0409" + row409.substr(6))},
        {"no end", Book("0\n").substr(0, Book("0\n").size() - 4)},
        {"something after the end", Book("0\n") + "x"},
        {"the reader's reason", "cannot open the Jet database\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const JetBook book = ParseJetBookText(c.text);
        EXPECT_FALSE(book.read);
        EXPECT_EQ(book.error, kMalformed);
        EXPECT_TRUE(book.Rows(Game::Numbers3).empty());
    }
}

// A reader that crashes, hangs, fails or answers out of shape refuses the book, and a
// migration leaves it and its folder as they were.
TEST(JetBookTest, AReaderThatFailsRefusesTheBookAndChangesNothing) {
    const auto old = SharedDataFile(kOldBook);
    ASSERT_TRUE(old.has_value()) << "the shared old book is missing: " << SharedDataPath(kOldBook);
    const struct {
        const char* name;
        const char* script; // the stand-in reader's body; nullptr for no reader at all
        const char* error;
    } cases[] = {
        {"crash", "kill -SEGV $$", "the Jet reader stopped on signal 11"},
        {"hang", "exec sleep 30", "the Jet reader took too long"},
        {"output that closes and lingers", "exec >&-; exec sleep 30", "the Jet reader took too long"},
        {"malformed output", "printf 'drawbook-jet-rows 1\\ntable 10 1\\n'", kMalformed},
        {"a reason and exit 1", "echo 'cannot open the Jet database'; exit 1", "cannot open the Jet database"},
        {"exit 3 without a reason", "exit 3", "the Jet reader failed with exit code 3"},
        {"no reader", nullptr, "cannot start the Jet reader"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir readerDir;
        const std::string reader = readerDir.File("reader");
        if (c.script != nullptr) {
            ASSERT_TRUE(WriteWholeFile(reader, std::string("#!/bin/sh\n") + c.script + "\n"));
            fs::permissions(reader, fs::perms::owner_all);
        }
        TempDir dir;
        const std::string path = dir.File("ナンバーズ.mdb");
        ASSERT_TRUE(WriteWholeFile(path, *old));
        const auto started = std::chrono::steady_clock::now();
        MigrationSteps steps;
        steps.read = [&reader](const std::string& book) {
            return ReadJetBook(book, reader, std::chrono::milliseconds(500));
        };
        const MigrationResult result = MigrateBook(path, steps);
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
        EXPECT_EQ(result.outcome, MigrationOutcome::Unreadable);
        EXPECT_EQ(result.error, c.error);
        EXPECT_EQ(ReadBytes(path), *old);
        EXPECT_EQ(FilesIn(dir.Path()), std::vector<std::string>{"ナンバーズ.mdb"});
    }
}

} // namespace
