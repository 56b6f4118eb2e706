#pragma once

#include "draw/Game.h"

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace drawbook {

// The ways a ticket can win.
enum class Bet {
    Straight, // the same digits in the same order
    Box,      // the same digits in any order, straight included
    Mini,     // three-digit game only: the last two digits in order
};

// "straight", "box", "mini": the command line's names.
std::string_view BetName(Bet bet);
// The bets of a game: straight, box, and for three digits mini.
std::span<const Bet> BetsOf(Game game);

// Whether a pick wins the bet on the winning digits; both hold one digit 0-9
// per position of the same game.
bool Wins(Bet bet, std::span<const int> pick, std::span<const int> winning);

// How a stored number fared against its draw's winning number.
enum class HitKind {
    None,
    Straight, // the same digits in the same order
    Box,      // the same digits in another order
    Mini,     // three-digit game only: the last two digits in order
};

// The number's digits when it holds exactly one digit per position of the game
// (half-width or full-width); nothing otherwise.
std::optional<std::vector<int>> NumberDigits(Game game, std::string_view number);

// Straight goes before box, box before mini; a number that is not all digits of
// the game's length, or a winning number with a missing digit, never hits.
HitKind CheckHit(Game game, std::span<const int> winning, std::string_view number);

} // namespace drawbook
