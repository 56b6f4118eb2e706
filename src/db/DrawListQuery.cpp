#include "db/DrawListQuery.h"

#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Statement.h"

namespace drawbook {

namespace {

// Reads every row the statement returns; a failure here keeps the rows read before it.
void ReadRows(Statement& statement, int digits, DrawListResult& result) {
    try {
        while (statement.Step()) {
            DrawListRow row;
            row.drawNo = std::to_string(statement.ColumnInt16(0).value_or(0));
            for (int d = 1; d <= digits; ++d) {
                // A missing digit adds nothing, like any missing value.
                const auto digit = statement.ColumnInt16(d);
                row.digits.push_back(digit ? std::to_string(*digit) : std::string());
                row.winningNumber += row.digits.back();
            }
            for (int n = 0; n < kNumberCount; ++n) {
                row.numbers[static_cast<std::size_t>(n)] = statement.ColumnText(1 + digits + n);
            }
            result.rows.push_back(std::move(row));
        }
    } catch (const DbError& e) {
        result.status = DrawListResult::Status::Interrupted;
        result.error = e.what();
    }
}

} // namespace

DrawListResult ReadDrawList(const std::string& dbPath, Game game, const std::string& clause) {
    DrawListResult result;
    try {
        Connection connection(dbPath, OpenMode::ReadOnly);
        Statement statement(connection, DrawListStatement(game, clause));
        ReadRows(statement, Positions(game), result);
    } catch (const DbError& e) {
        result.status = DrawListResult::Status::NotOpened;
        result.error = e.what();
    }
    return result;
}

} // namespace drawbook
