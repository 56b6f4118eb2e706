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
    TicketWins wins;
    std::array<bool, kBetCount> unknown{};
    // A bet sums its prizes, the set's two halves; one unknown payout leaves it unknown.
    for (const Prize prize : PrizesOf(game)) {
        const Bet bet = PrizeBet(prize);
        const auto b = static_cast<std::size_t>(bet);
        const std::optional<int>& yen = known[static_cast<std::size_t>(prize)];
        if (!OnSale(bet, number) || unknown[b]) {
            continue;
        }
        if (!yen) {
            unknown[b] = true;
            wins[b].reset();
            continue;
        }
        wins[b] = wins[b].value_or(0) + (PrizeWins(prize, number, winning) ? *yen : 0);
    }
    return wins;
}

} // namespace drawbook
