#pragma once

#include "draw/Game.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace drawbook {

// What one ¥200 ticket of a draw paid, by prize.
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
// "ストレート", "ボックス", "セット（ストレート）", "セット（ボックス）", "ミニ".
std::string_view PrizeLabel(Prize prize);

inline constexpr int kUnknownYen = -1;
// The most one ticket's payout a book keeps: a hundred million yen, far above any
// prize ever paid, so that five numbers' winnings at one draw fit in an int.
inline constexpr int kMaxYen = 100'000'000;

// A draw's date and payouts, as far as they are known.
struct DrawResults {
    int date = 0; // yyyymmdd; 0 when unknown
    std::array<int, kPrizeCount> yen{kUnknownYen, kUnknownYen, kUnknownYen, kUnknownYen, kUnknownYen};

    int Yen(Prize prize) const { return yen[static_cast<std::size_t>(prize)]; }
    bool Any() const;
    friend bool operator==(const DrawResults&, const DrawResults&) = default;
};

// The first of the date and the payouts that both know with two different values.
struct Disagreement {
    bool date = false;            // the date; otherwise the prize's payout
    Prize prize = Prize::Straight;
};
std::optional<Disagreement> FindDisagreement(const DrawResults& a, const DrawResults& b);
// Whether no date or payout is known to both with two different values.
bool ResultsAgree(const DrawResults& a, const DrawResults& b);
// Takes from `other` what `results` does not know.
void FillUnknown(DrawResults& results, const DrawResults& other);

// "2026-08-21", "2026/8/21": the date as yyyymmdd when it is one of the calendar.
std::optional<int> ReadDate(std::string_view text);
// 20260821 as "2026-08-21".
std::string DateText(int date);
// 20260821 as "金".
std::string_view WeekdayText(int date);
// 100100 as "100,100円".
std::string YenText(long long yen);

// "2026-08-21（金）　ストレート 100,100円　ボックス 16,600円 …": what is known, in
// prize order; empty when nothing is.
std::string ResultsText(Game game, const DrawResults& results);

// The ways a number can be bought.
enum class Ticket {
    Straight,
    Box,
    Set,  // half straight, half box
    Mini, // three-digit game only
};

// The tickets of a game: straight, box, set, and for three digits mini.
std::span<const Ticket> TicketsOf(Game game);
// "straight", "box", "set", "mini": the command line's names.
std::string_view TicketName(Ticket ticket);
// "ストレート", "ボックス", "セット", "ミニ".
std::string_view TicketLabel(Ticket ticket);

// Every ticket costs the same.
inline constexpr int kTicketYen = 200;

// The payout of a prize at a draw with these winning digits. Box and set were not
// on sale when every digit is the same: an unknown payout of theirs is 0 then, as
// long as the draw's straight payout is known.
std::optional<int> KnownYen(const DrawResults& results, Prize prize, std::span<const int> winning);

// What each prize of a draw paid, as KnownYen gives it: worked out once for all
// the numbers bought at the draw.
using KnownPayouts = std::array<std::optional<int>, kPrizeCount>;
KnownPayouts KnownYens(const DrawResults& results, std::span<const int> winning);

// What one ticket of each kind of the number paid at a draw, indexed by Ticket;
// nothing where the number cannot be bought that way (box and set of a number
// whose digits are all the same) or the payout is unknown. Both hold one digit
// 0-9 per position of the game.
using TicketWins = std::array<std::optional<int>, 4>;
TicketWins NumberWinnings(Game game, std::span<const int> number, std::span<const int> winning,
                          const KnownPayouts& known);

} // namespace drawbook
