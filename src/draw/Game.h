#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace drawbook {

// The two games. Their code is the text "3" or "4".
enum class Game {
    Numbers3,
    Numbers4,
};

// The most positions a game has: the four-digit game's.
inline constexpr int kMaxPositions = 4;
// The numbers kept with each draw: kounyu1 to kounyu5.
inline constexpr int kNumberCount = 5;

// Everything that tells one game from the other; every statement, count and
// label of a game is built from this.
struct GameInfo {
    std::string_view code;        // "3"
    std::string_view table;       // "ナンバーズ3": the game's name and its table's name
    std::string_view label;       // "ナンバーズ３": as messages and captions write it
    std::string_view digitsLabel; // "三桁"
    int positions;                // 3
    // Winning digit columns, highest position first ("N100", "N10", "N1").
    std::span<const std::string_view> digitColumns;
    // "三桁目", "二桁目", "一桁目": the positions' labels, highest first.
    std::span<const std::string_view> positionLabels;
    // Every column of the game's table in stored order.
    std::span<const std::string_view> tableColumns;
};

const GameInfo& Describe(Game game);

std::optional<Game> GameFromCode(std::string_view code);
Game OtherGame(Game game);

inline std::string_view GameCode(Game game) {
    return Describe(game).code;
}
inline std::string_view TableName(Game game) {
    return Describe(game).table;
}
inline std::string_view GameLabel(Game game) {
    return Describe(game).label;
}
inline int Positions(Game game) {
    return Describe(game).positions;
}
inline std::span<const std::string_view> DigitColumns(Game game) {
    return Describe(game).digitColumns;
}
inline std::span<const std::string_view> TableColumns(Game game) {
    return Describe(game).tableColumns;
}
// A position's label, 0 = highest.
inline std::string_view PositionLabel(Game game, int position) {
    return Describe(game).positionLabels[static_cast<std::size_t>(position)];
}

// The number columns, kounyu1 to kounyu5.
std::span<const std::string_view> NumberColumns();

} // namespace drawbook
