#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace drawbook {

// The two games. Their code is the text "3" or "4".
enum class Game {
    Numbers3,
    Numbers4,
};

// Clause that selects every draw: rows with kaisai 0 or less are not draws.
inline constexpr std::string_view kAllDrawsClause = "WHERE kaisai>0";

std::optional<Game> GameFromCode(std::string_view code);
std::string_view GameCode(Game game);
// "ナンバーズ3" or "ナンバーズ4": the game's name and its table's name.
std::string_view TableName(Game game);
// Winning digit columns, highest position first ("N1000" … "N1").
std::span<const std::string_view> DigitColumns(Game game);
// Every column of the game's table in stored order.
std::span<const std::string_view> TableColumns(Game game);

// Appends a clause to a fixed statement when the clause is not empty.
std::string WithClause(std::string_view statement, const std::string& clause);

} // namespace drawbook
