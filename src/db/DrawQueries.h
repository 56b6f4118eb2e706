#pragma once

#include "draw/Game.h"

#include <string>
#include <string_view>

namespace drawbook {

// Clause that selects every draw: rows with kaisai 0 or less are not draws.
inline constexpr std::string_view kAllDrawsClause = "WHERE kaisai>0";

// Appends a clause to a fixed statement when the clause is not empty.
std::string WithClause(std::string_view statement, const std::string& clause);

// "WHERE kaisai=" and the draw number.
std::string DrawClause(std::string_view drawNo);

// The columns a statement reads from a game's table.
enum class DrawColumns {
    Key,          // kaisai
    Digits,       // N100,N10,N1
    KeyAndDigits, // kaisai,N100,N10,N1
    Row,          // kaisai,N100,N10,N1,kounyu1,…,kounyu5
};

// "SELECT kaisai,N100,N10,N1 FROM ナンバーズ3 " plus the clause.
std::string SelectDraws(Game game, DrawColumns columns, const std::string& clause);

// "SELECT kaisai FROM ナンバーズ3 " plus the clause: the draw counter's rows.
std::string CountStatement(Game game, const std::string& clause);

// "SELECT kaisai,N100,…,kounyu5 FROM ナンバーズ3 " plus the clause: the draw list's rows.
std::string DrawListStatement(Game game, const std::string& clause);

// The draw's rows, read before it is written: "SELECT …,kounyu5  FROM ナンバーズ3 " plus the clause.
std::string StoreCheckStatement(Game game, const std::string& clause);

// "SELECT kaisai,N100,N10,N1 FROM ナンバーズ3 " plus the filter, oldest draw first.
std::string PredictionStatement(Game game, const std::string& filter);

} // namespace drawbook
