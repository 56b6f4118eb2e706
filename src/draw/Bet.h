#pragma once

#include "draw/Game.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace drawbook {

// The ways a number is bought, and wins.
enum class Bet {
    Straight, // the same digits in the same order
    Box,      // the same digits in any order, straight included
    Set,      // half straight, half box
    Mini,     // three-digit game only: the last two digits in order
};
inline constexpr std::size_t kBetCount = 4;

// Every ticket costs the same.
inline constexpr int kTicketYen = 200;

// The bets a game sells, in the order every list shows them: straight, box, set,
// and for three digits mini.
std::span<const Bet> BetsOf(Game game);
// The bets a number wins by its own digits, which the draw list marks and the
// backtest scores: straight, box, and for three digits mini. A set wins exactly
// when the box does.
std::span<const Bet> ScoredBetsOf(Game game);
// "straight", "box", "set", "mini": the command line's names.
std::string_view BetName(Bet bet);
// "ストレート", "ボックス", "セット", "ミニ".
std::string_view BetLabel(Bet bet);

// Whether a pick wins the bet on the winning digits; both hold one digit 0-9
// per position of the same game.
bool Wins(Bet bet, std::span<const int> pick, std::span<const int> winning);
// Whether the number can be bought as the bet: box and set are not sold for a
// number whose digits are all the same.
bool OnSale(Bet bet, std::span<const int> number);

// The number's digits when it holds exactly one digit per position of the game
// (half-width or full-width); nothing otherwise.
std::optional<std::vector<int>> NumberDigits(Game game, std::string_view number);

// The first scored bet a stored number wins on its draw's winning number:
// straight before box, box before mini. A number that is not all digits of the
// game's length, or a winning number with a missing digit, never hits.
std::optional<Bet> CheckHit(Game game, std::span<const int> winning, std::string_view number);

// What a draw paid one ticket, by payout column.
enum class Prize {
    Straight,
    Box,
    SetStraight, // a set ticket whose number came in order
    SetBox,      // a set ticket whose number came in another order
    Mini,        // three-digit game only
};
inline constexpr std::size_t kPrizeCount = 5;

// The prizes a game pays, in the order files and tooltips list them.
std::span<const Prize> PrizesOf(Game game);
// The bet whose tickets each prize pays, indexed by Prize: both halves of a set pay the set.
inline constexpr std::array<Bet, kPrizeCount> kPrizeBets = {Bet::Straight, Bet::Box, Bet::Set, Bet::Set, Bet::Mini};
constexpr Bet PrizeBet(Prize prize) {
    return kPrizeBets[static_cast<std::size_t>(prize)];
}
// "ストレート", "ボックス", "セット（ストレート）", "セット（ボックス）", "ミニ".
std::string PrizeLabel(Prize prize);
// How a number came out against the winning digits, worked out once for all its
// prizes; both hold one digit 0-9 per position of the same game.
struct NumberMatch {
    bool inOrder = false;  // the same digits in the same order
    bool anyOrder = false; // the same digits in any order, in order included
    bool lastTwo = false;  // the last two digits in order
    bool allSame = false;  // every digit of the number the same: no box or set on sale
    // Whether each prize pays a ticket of its bet for the number, indexed by Prize.
    // A set pays the half the number wins first: its straight, else its box.
    std::array<bool, kPrizeCount> prizes{};
};
NumberMatch MatchNumber(std::span<const int> number, std::span<const int> winning);

} // namespace drawbook
