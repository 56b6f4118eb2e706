#include "draw/DrawResults.h"

#include <algorithm>

namespace drawbook {

bool DrawResults::Any() const {
    return date != 0 || std::any_of(yen.begin(), yen.end(), [](int y) { return y != kUnknownYen; });
}

std::optional<Disagreement> FindDisagreement(const DrawResults& a, const DrawResults& b) {
    if (a.date != 0 && b.date != 0 && a.date != b.date) {
        return Disagreement{true, Prize::Straight};
    }
    for (std::size_t p = 0; p < kPrizeCount; ++p) {
        if (a.yen[p] != kUnknownYen && b.yen[p] != kUnknownYen && a.yen[p] != b.yen[p]) {
            return Disagreement{false, static_cast<Prize>(p)};
        }
    }
    return std::nullopt;
}

bool ResultsAgree(const DrawResults& a, const DrawResults& b) {
    return !FindDisagreement(a, b);
}

void FillUnknown(DrawResults& results, const DrawResults& other) {
    if (results.date == 0) {
        results.date = other.date;
    }
    for (std::size_t p = 0; p < kPrizeCount; ++p) {
        if (results.yen[p] == kUnknownYen) {
            results.yen[p] = other.yen[p];
        }
    }
}

std::optional<int> KnownYen(const DrawResults& results, Prize prize, std::span<const int> winning) {
    const int yen = results.Yen(prize);
    if (yen != kUnknownYen) {
        return yen;
    }
    if (!OnSale(PrizeBet(prize), winning) && results.Yen(Prize::Straight) != kUnknownYen) {
        return 0;
    }
    return std::nullopt;
}

KnownPayouts KnownYens(const DrawResults& results, std::span<const int> winning) {
    KnownPayouts known;
    for (std::size_t prize = 0; prize < kPrizeCount; ++prize) {
        known[prize] = KnownYen(results, static_cast<Prize>(prize), winning);
    }
    return known;
}

TicketWins NumberWinnings(Game game, std::span<const int> number, std::span<const int> winning,
                          const KnownPayouts& known) {
    const NumberMatch match = MatchNumber(number, winning);
    // A bet sums its prizes, the set's two halves; one unknown payout leaves it unknown.
    std::array<int, kBetCount> won{};
    std::array<bool, kBetCount> unknown{};
    for (const Prize prize : PrizesOf(game)) {
        const auto p = static_cast<std::size_t>(prize);
        const auto b = static_cast<std::size_t>(PrizeBet(prize));
        if (!known[p]) {
            unknown[b] = true;
        } else if (match.prizes[p]) {
            won[b] += *known[p];
        }
    }
    TicketWins wins;
    for (const Bet bet : BetsOf(game)) {
        const auto b = static_cast<std::size_t>(bet);
        if (!unknown[b] && !(match.allSame && !OnSale(bet, number))) {
            wins[b] = won[b];
        }
    }
    return wins;
}

} // namespace drawbook
