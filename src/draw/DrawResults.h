#pragma once

#include "draw/Bet.h"
#include "draw/Game.h"

#include <array>
#include <optional>
#include <span>

namespace drawbook {

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
    bool date = false; // the date; otherwise the prize's payout
    Prize prize = Prize::Straight;
};
std::optional<Disagreement> FindDisagreement(const DrawResults& a, const DrawResults& b);
// Whether no date or payout is known to both with two different values.
bool ResultsAgree(const DrawResults& a, const DrawResults& b);
// Takes from `other` what `results` does not know.
void FillUnknown(DrawResults& results, const DrawResults& other);

// The payout of a prize at a draw with these winning digits. A prize whose bet
// was not on sale for the winning number (OnSale) has an unknown payout of 0, as
// long as the draw's straight payout is known.
std::optional<int> KnownYen(const DrawResults& results, Prize prize, std::span<const int> winning);

// What each prize of a draw paid, as KnownYen gives it: worked out once for all
// the numbers bought at the draw.
using KnownPayouts = std::array<std::optional<int>, kPrizeCount>;
KnownPayouts KnownYens(const DrawResults& results, std::span<const int> winning);

// What one ticket of each bet of the number paid at a draw, indexed by Bet;
// nothing where the number cannot be bought that way (OnSale), or a payout of the
// bet is unknown. Both hold one digit 0-9 per position of the game.
using TicketWins = std::array<std::optional<int>, kBetCount>;
TicketWins NumberWinnings(Game game, std::span<const int> number, std::span<const int> winning,
                          const KnownPayouts& known);

} // namespace drawbook
