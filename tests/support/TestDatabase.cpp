#include "support/TestDatabase.h"

#include "db/Connection.h"
#include "db/DrawDatabase.h"
#include "db/Statement.h"
#include "db/Transaction.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace drawbook::test {

bool FileModesBind() {
#ifdef _WIN32
    return false;
#else
    return geteuid() != 0;
#endif
}

std::string FileUrl(const std::string& path) {
    const std::u8string generic = PathFromUtf8(path).generic_u8string();
    const std::string url(generic.begin(), generic.end());
    return "file://" + (url.starts_with('/') ? url : "/" + url);
}

TempDir::TempDir() {
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    do {
        m_path = base / ("drawbook-test-" + std::to_string(random()));
    } while (!std::filesystem::create_directory(m_path));
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(m_path, ignored);
}

TestDatabase::TestDatabase() : m_path(m_dir.File(kDatabaseFileName)) {
    CreateDatabase(m_path);
}

void TestDatabase::Insert(Game game, const TestDraw& draw) const {
    Insert(game, std::vector<TestDraw>{draw});
}

void TestDatabase::Insert(Game game, const std::vector<TestDraw>& draws) const {
    Connection connection(m_path, OpenMode::ReadWrite);
    Transaction transaction(connection);
    const std::size_t digitCount = DigitColumns(game).size();
    std::string sql = "INSERT INTO \"" + std::string(TableName(game)) + "\" VALUES (?";
    for (std::size_t i = 0; i < digitCount + 6; ++i) {
        sql += ",?";
    }
    sql += ")";
    for (const TestDraw& draw : draws) {
        Statement insert(connection, sql);
        int column = 1;
        insert.BindInt(column++, draw.kaisai);
        for (std::size_t d = 0; d < digitCount; ++d) {
            if (d < draw.digits.size() && draw.digits[d]) {
                insert.BindInt(column, *draw.digits[d]);
            }
            ++column;
        }
        for (const std::string& number : draw.numbers) {
            insert.BindText(column++, number);
        }
        insert.BindText(column, " ");
        insert.Execute();
    }
    transaction.Commit();
}

void TestDatabase::InsertSequence(Game game, int count) const {
    std::vector<TestDraw> draws;
    for (int k = 1; k <= count; ++k) {
        TestDraw draw{k, {(k / 10) % 10, k % 10, 9 - k % 10}, {"n" + std::to_string(k), "", "", "", ""}};
        if (game == Game::Numbers4) {
            draw.digits.emplace_back(5);
        }
        draws.push_back(draw);
    }
    Insert(game, draws);
}

namespace {

std::vector<std::string> SelectRows(const std::string& path, Game game, const std::string& clause) {
    Connection connection(path, OpenMode::ReadOnly);
    Statement select(connection, "SELECT * FROM \"" + std::string(TableName(game)) + "\" " + clause);
    std::vector<std::string> rows;
    while (select.Step()) {
        std::string row;
        for (std::size_t c = 0; c < TableColumns(game).size(); ++c) {
            const int column = static_cast<int>(c);
            row += (c == 0 ? "" : "\t") + (select.IsNull(column) ? std::string("NULL") : select.ColumnText(column));
        }
        rows.push_back(row);
    }
    return rows;
}

} // namespace

std::vector<std::string> StoredRows(const std::string& path, Game game) {
    return SelectRows(path, game, "ORDER BY kaisai");
}

std::vector<std::string> TestDatabase::Rows(Game game) const {
    return SelectRows(m_path, game, "ORDER BY kaisai");
}

std::string TestDatabase::Row(Game game, int kaisai) const {
    const auto rows = SelectRows(m_path, game, "WHERE kaisai=" + std::to_string(kaisai));
    return rows.empty() ? "(none)" : rows.back();
}

long long TestDatabase::Count(const std::string& sql) const {
    Connection connection(m_path, OpenMode::ReadOnly);
    Statement count(connection, sql);
    count.Step();
    return count.ColumnInt64(0);
}

void TestDatabase::Execute(const std::string& sql) const {
    Connection connection(m_path, OpenMode::ReadWrite);
    connection.ExecuteScript(sql);
}

void TestDatabase::FillAndDamageMiddle(int rows) const {
    std::vector<TestDraw> draws;
    const std::string filler(60, '9');
    for (int kaisai = 1; kaisai <= rows; ++kaisai) {
        draws.push_back({kaisai, {1, 2, 3}, {filler, filler, "", "", ""}});
    }
    Insert(Game::Numbers3, draws);
    const auto size = std::filesystem::file_size(PathFromUtf8(m_path));
    std::fstream file(PathFromUtf8(m_path), std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(static_cast<std::streamoff>(size / 2));
    const std::string garbage(8192, '\xA5');
    file.write(garbage.data(), static_cast<std::streamsize>(garbage.size()));
}

std::optional<std::vector<TestDraw>> RealDraws(Game game, int count) {
    const std::string file = std::string(DRAWBOOK_SHIPPED_HISTORY) +
                             (game == Game::Numbers3 ? "/numbers3_results.csv" : "/numbers4_results.csv");
    std::ifstream in(file);
    if (!in) {
        return std::nullopt;
    }
    const std::size_t digitCount = DigitColumns(game).size();
    std::vector<TestDraw> draws;
    std::string line;
    std::getline(in, line); // header
    while (static_cast<int>(draws.size()) < count && std::getline(in, line)) {
        std::stringstream fields(line);
        std::string drawNo;
        std::string date;
        std::string winning;
        std::getline(fields, drawNo, ',');
        std::getline(fields, date, ',');
        std::getline(fields, winning, ',');
        TestDraw draw{std::stoi(drawNo), {}, {}};
        for (std::size_t d = 0; d < digitCount; ++d) {
            draw.digits.emplace_back(winning.at(d) - '0');
        }
        draws.push_back(draw);
    }
    return draws;
}

TestDraw Draw(int kaisai, const std::string& digits, std::array<std::string, 5> numbers) {
    TestDraw draw{kaisai, {}, std::move(numbers)};
    for (const char c : digits) {
        draw.digits.emplace_back(c - '0');
    }
    return draw;
}

namespace {

std::optional<std::string> FileBytes(const std::string& path) {
    if (!std::filesystem::is_regular_file(PathFromUtf8(path))) {
        return std::nullopt;
    }
    return ReadBytes(path);
}

} // namespace

std::optional<std::string> ShippedHistoryFile(const std::string& name) {
    return FileBytes(std::string(DRAWBOOK_SHIPPED_HISTORY) + "/" + name);
}

std::optional<std::string> SharedDataFile(const std::string& name) {
    return FileBytes(SharedDataPath(name));
}

std::string SharedDataPath(const std::string& name) {
    return std::string(DRAWBOOK_SHARED_DATA) + "/" + name;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(PathFromUtf8(path), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(PathFromUtf8(path), std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> FilesIn(const std::filesystem::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        names.push_back(Utf8FromPath(entry.path().filename()));
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace drawbook::test
