#pragma once

#include "draw/Game.h"
#include "platform/FilePath.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace drawbook::test {

// Whether file modes stop this process: not when it runs as root, nor on Windows,
// where they only mark a file read-only.
bool FileModesBind();

// "file:///C:/…" on Windows, "file:///tmp/…" elsewhere.
std::string FileUrl(const std::string& path);

// A fresh directory under the system's temporary directory, removed afterwards.
class TempDir {
public:
    TempDir();
    ~TempDir();

    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::string File(const std::string& name) const { return Utf8FromPath(m_path / PathFromUtf8(name)); }

private:
    std::filesystem::path m_path;
};

// One row of a draw table as a test writes it; a digit left out is stored as NULL.
struct TestDraw {
    int kaisai;
    std::vector<std::optional<int>> digits; // highest position first
    std::array<std::string, 5> numbers{};
};

// Draw kaisai with the digits of the text ("409"), and the numbers given.
TestDraw Draw(int kaisai, const std::string& digits, std::array<std::string, 5> numbers = {});

// A database file "ナンバーズ.mdb" with both tables, in a directory of its own.
class TestDatabase {
public:
    TestDatabase();

    const std::string& Path() const { return m_path; }
    const TempDir& Dir() const { return m_dir; }

    void Insert(Game game, const TestDraw& draw) const;
    void Insert(Game game, const std::vector<TestDraw>& draws) const;
    // Draws 1..count: draw k has the digits k/10, k%10, 9-k%10 (then 5 in four
    // digits) and number 1 "n<k>".
    void InsertSequence(Game game, int count) const;
    // The stored rows of a game in draw order, every column as text, tab-separated,
    // a missing value as "NULL".
    std::vector<std::string> Rows(Game game) const;
    // The row of one draw, or "(none)".
    std::string Row(Game game, int kaisai) const;
    // The one integer a query returns, such as a count.
    long long Count(const std::string& sql) const;
    // Runs statements on the file directly.
    void Execute(const std::string& sql) const;
    // Fills the three-digit table with enough long rows to span many pages, then
    // overwrites pages in the middle of the file, so a scan fails partway.
    void FillAndDamageMiddle(int rows) const;

private:
    TempDir m_dir;
    std::string m_path;
};

// The rows of a game's table in any book file, as TestDatabase::Rows gives them.
std::vector<std::string> StoredRows(const std::string& path, Game game);

// Draws 1..count of the history shipped in src/exchange/history; none when it is missing.
std::optional<std::vector<TestDraw>> RealDraws(Game game, int count);

// The bytes of numbers3_results.csv or numbers4_results.csv as shipped in
// src/exchange/history; none when it is missing.
std::optional<std::string> ShippedHistoryFile(const std::string& name);

// The bytes of a file of the shared test data (old books, the Japanese-headed
// history), when it is there.
std::optional<std::string> SharedDataFile(const std::string& name);
// Where that file would be, for the message of a test that misses it.
std::string SharedDataPath(const std::string& name);

// The whole file, for checking that something left it alone.
std::string ReadBytes(const std::string& path);
// Writes the file anew with exactly these bytes.
void WriteBytes(const std::string& path, std::string_view bytes);
// The names in a directory, sorted.
std::vector<std::string> FilesIn(const std::filesystem::path& dir);

} // namespace drawbook::test
