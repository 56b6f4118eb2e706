#pragma once

#include "db/Game.h"

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace drawbook {

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
