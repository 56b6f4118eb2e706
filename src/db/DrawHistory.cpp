#include "db/DrawHistory.h"

#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Statement.h"

namespace drawbook {

std::optional<std::array<int, kMaxPositions>> StoredDigits(const Statement& statement, int firstColumn, int positions) {
    std::array<int, kMaxPositions> digits{};
    for (int p = 0; p < positions; ++p) {
        const auto value = statement.ColumnInteger(firstColumn + p);
        if (!value || *value < 0 || *value > 9) {
            return std::nullopt;
        }
        digits[static_cast<std::size_t>(p)] = static_cast<int>(*value);
    }
    return digits;
}

DrawHistory ReadDrawHistory(const std::string& dbPath, Game game, const std::string& filter) {
    DrawHistory history;
    const int positions = Positions(game);
    try {
        Connection connection(dbPath, OpenMode::ReadOnly);
        Statement statement(connection, PredictionStatement(game, filter));
        try {
            while (statement.Step()) {
                if (const auto digits = StoredDigits(statement, 1, positions)) {
                    history.draws.push_back({static_cast<int>(statement.ColumnInt64(0)), *digits});
                } else {
                    ++history.skippedRows;
                }
            }
        } catch (const DbError& e) {
            history.status = ReadStatus::Interrupted;
            history.draws.clear();
            history.error = e.what();
        }
    } catch (const DbError& e) {
        history.status = ReadStatus::NotOpened;
        history.error = e.what();
    }
    return history;
}

} // namespace drawbook
