#include "db/Game.h"

#include <array>

namespace drawbook {

namespace {

constexpr std::array<std::string_view, 3> kDigits3 = {"N100", "N10", "N1"};
constexpr std::array<std::string_view, 4> kDigits4 = {"N1000", "N100", "N10", "N1"};

constexpr std::array<std::string_view, 10> kColumns3 = {"kaisai",  "N100",    "N10",     "N1",      "kounyu1",
                                                        "kounyu2", "kounyu3", "kounyu4", "kounyu5", "atari"};
constexpr std::array<std::string_view, 11> kColumns4 = {"kaisai",  "N1000",   "N100",    "N10",     "N1",     "kounyu1",
                                                        "kounyu2", "kounyu3", "kounyu4", "kounyu5", "atari"};

} // namespace

std::optional<Game> GameFromCode(std::string_view code) {
    if (code == "3") {
        return Game::Numbers3;
    }
    if (code == "4") {
        return Game::Numbers4;
    }
    return std::nullopt;
}

std::string_view GameCode(Game game) {
    return game == Game::Numbers3 ? "3" : "4";
}

std::string_view TableName(Game game) {
    return game == Game::Numbers3 ? "ナンバーズ3" : "ナンバーズ4";
}

std::span<const std::string_view> DigitColumns(Game game) {
    if (game == Game::Numbers3) {
        return kDigits3;
    }
    return kDigits4;
}

std::span<const std::string_view> TableColumns(Game game) {
    if (game == Game::Numbers3) {
        return kColumns3;
    }
    return kColumns4;
}

std::string WithClause(std::string_view statement, const std::string& clause) {
    std::string sql(statement);
    if (!clause.empty()) {
        sql += clause;
    }
    return sql;
}

} // namespace drawbook
