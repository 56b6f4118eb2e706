#include "exchange/JetReader.h"
#include "exchange/CsvFile.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

using namespace drawbook;
using namespace drawbook::test;

namespace {

constexpr const char* kOldBook = "legacy/legacy_jet4.mdb";

// A row that mdbtools fetched but cannot find again on its page refuses the book
// rather than read its missing values as empty ones.
TEST(JetReaderTest, ARowThatCannotBeFoundAgainRefusesTheBook) {
    const auto old = SharedDataFile(kOldBook);
    ASSERT_TRUE(old.has_value()) << "the shared old book is missing: " << SharedDataPath(kOldBook);
    TempDir dir;
    const std::string path = dir.File("ナンバーズ.mdb");
    ASSERT_TRUE(WriteWholeFile(path, *old));
    const JetBook book = ReadJetFile(path, [](std::size_t row) { return row != 3; });
    EXPECT_FALSE(book.read);
    EXPECT_EQ(book.error, "cannot find row 4 of ナンバーズ3 again");
    EXPECT_TRUE(book.Rows(Game::Numbers3).empty());
}

} // namespace
