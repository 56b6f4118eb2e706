#pragma once

#include "db/Connection.h"
#include "db/Statement.h"
#include "draw/DrawResults.h"
#include "draw/Game.h"

#include <array>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace drawbook {

// Dates and payouts sit in a table of their own, keyed by game and draw number,
// made by the first write that has any; the game tables keep their columns.
inline constexpr std::string_view kResultsTable = "draw_results";

// One draw's known date and payouts.
struct StoredResults {
    int drawNo = 0;
    DrawResults results;
    // A value stored in a form that cannot be read, the date first, then the
    // payouts in prize order: it stays unknown, and a fill keeps it.
    std::array<bool, kPrizeCount + 1> unreadable{};
    friend bool operator==(const StoredResults&, const StoredResults&) = default;
};

// The stored dates and payouts of the game's draws first to last; none in a book
// without the table. Throws DbError.
std::vector<StoredResults> ReadDrawResults(Connection& connection, Game game, int first, int last);

// A draw's known date, yyyymmdd.
struct DrawDate {
    int drawNo = 0;
    int date = 0;
};

// The readable dates of the game's draws first to last, in draw order, without their
// payouts; none in a book without the table. Throws DbError.
std::vector<DrawDate> ReadDrawDates(Connection& connection, Game game, int first, int last);

// The results of one draw from a list in draw order; unknown when it is not there.
DrawResults FindResults(std::span<const StoredResults> stored, int drawNo);

// A game's stored results, read one by one beside a scan of its draws in
// ascending order, so that none are held at once.
class ResultsCursor {
public:
    // Throws DbError when the book cannot be read.
    ResultsCursor(const std::string& dbPath, Game game);

    // The results of the draw; unknown when none are stored. Draws are asked for
    // in ascending order.
    DrawResults Find(int drawNo);

private:
    Connection m_connection;
    std::unique_ptr<Statement> m_rows; // none without the table
    bool m_more = false;
    StoredResults m_current;
};

bool HasResultsTable(Connection& connection);
// Makes the table unless it is there. Throws DbError.
void CreateResultsTable(Connection& connection);

// How a write meets a row already stored.
enum class ResultsMerge {
    Replace,   // the row is replaced
    Fill,      // every stored value stays; only the unknown ones are added
    Overwrite, // every known value is written; a stored one stays where the write has none
};

// Writes one draw's results; "fill" keeps every value already stored and adds
// only the unknown ones, otherwise the row is replaced. Holds one prepared statement.
class ResultsWriter {
public:
    ResultsWriter(Connection& connection, Game game, bool fill);
    ResultsWriter(Connection& connection, Game game, ResultsMerge merge);

    void Write(int drawNo, const DrawResults& results);

private:
    Statement m_statement;
};

} // namespace drawbook
