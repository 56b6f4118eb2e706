#include "predict/PredictionQuery.h"

#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Statement.h"

#include <optional>
#include <vector>

namespace drawbook {

std::string PredictionStatement(Game game, const std::string& filter) {
    std::string sql = WithClause(game == Game::Numbers3 ? "SELECT kaisai,N100,N10,N1 FROM ナンバーズ3 "
                                                        : "SELECT kaisai,N1000,N100,N10,N1 FROM ナンバーズ4 ",
                                 filter);
    // The draws must come oldest first whatever order the file holds them in.
    // kaisai is the table's key, so this costs no sort.
    sql += filter.empty() ? "ORDER BY kaisai" : " ORDER BY kaisai";
    return sql;
}

namespace {

// A row whose winning number lacks a digit, or holds something other than
// 0 to 9 (old or imported data), says nothing about which digit follows which:
// it is left out, and the draws either side of it count as neighbours.
std::optional<std::array<int, NextDrawPredictor::kMaxPositions>> ReadDigits(const Statement& statement, int positions) {
    std::array<int, NextDrawPredictor::kMaxPositions> digits{};
    for (int p = 0; p < positions; ++p) {
        const auto value = statement.ColumnInteger(1 + p);
        if (!value || *value < 0 || *value > 9) {
            return std::nullopt;
        }
        digits[static_cast<std::size_t>(p)] = static_cast<int>(*value);
    }
    return digits;
}

// Reads every row; a failure here leaves the numbers unset.
void LearnFromRows(Statement& statement, int positions, PredictionResult& result) {
    NextDrawPredictor predictor(positions);
    try {
        while (statement.Step()) {
            if (const auto digits = ReadDigits(statement, positions)) {
                predictor.AddDraw(std::span(digits->data(), static_cast<std::size_t>(positions)));
            } else {
                ++result.skippedRows;
            }
        }
    } catch (const DbError& e) {
        result.status = ReadStatus::Interrupted;
        result.error = e.what();
        return;
    }
    result.numbers = predictor.Numbers();
    result.draws = predictor.Draws();
}

} // namespace

DrawHistory ReadDrawHistory(const std::string& dbPath, Game game) {
    DrawHistory history;
    const int positions = static_cast<int>(DigitColumns(game).size());
    try {
        Connection connection(dbPath, OpenMode::ReadOnly);
        Statement statement(connection, PredictionStatement(game, std::string(kAllDrawsClause)));
        try {
            while (statement.Step()) {
                if (const auto digits = ReadDigits(statement, positions)) {
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

PredictionResult PredictFromDatabase(const std::string& dbPath, Game game, const std::string& filter) {
    PredictionResult result;
    const int positions = static_cast<int>(DigitColumns(game).size());
    try {
        Connection connection(dbPath, OpenMode::ReadOnly);
        Statement statement(connection, PredictionStatement(game, filter));
        LearnFromRows(statement, positions, result);
    } catch (const DbError& e) {
        result.status = ReadStatus::NotOpened;
        result.error = e.what();
    }
    return result;
}

} // namespace drawbook
