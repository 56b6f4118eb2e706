#include "draw/Bet.h"

#include "draw/DigitText.h"

#include <algorithm>
#include <array>
#include <functional>

namespace drawbook {

namespace {

// What the program says and decides about one bet.
struct BetInfo {
    Bet bet;
    std::string_view name;
    std::string_view label;
    bool anyOrder;   // won by the digits in any order
    bool scored;     // won by a number on its own: set is not, it wins with the box
    bool fourDigits; // sold by the four-digit game as well
};

// Every bet in the order lists show them, which is Bet's order.
constexpr std::array<BetInfo, kBetCount> kBets = {{
    {Bet::Straight, "straight", "ストレート", false, true, true},
    {Bet::Box, "box", "ボックス", true, true, true},
    {Bet::Set, "set", "セット", true, false, true},
    {Bet::Mini, "mini", "ミニ", false, true, false},
}};

// A payout column: the bet it pays, and for a set which half of it.
struct PrizeInfo {
    Prize prize;
    Bet bet;
    std::optional<Bet> half;
};

// Every payout column in stored order, which is Prize's order.
constexpr std::array<PrizeInfo, kPrizeCount> kPrizes = {{
    {Prize::Straight, Bet::Straight, std::nullopt},
    {Prize::Box, Bet::Box, std::nullopt},
    {Prize::SetStraight, Bet::Set, Bet::Straight},
    {Prize::SetBox, Bet::Set, Bet::Box},
    {Prize::Mini, Bet::Mini, std::nullopt},
}};

constexpr bool InEnumOrder() {
    for (std::size_t i = 0; i < kBets.size(); ++i) {
        if (static_cast<std::size_t>(kBets[i].bet) != i) {
            return false;
        }
    }
    for (std::size_t i = 0; i < kPrizes.size(); ++i) {
        if (static_cast<std::size_t>(kPrizes[i].prize) != i) {
            return false;
        }
    }
    return true;
}
static_assert(InEnumOrder(), "the tables are indexed by Bet and Prize");

constexpr const BetInfo& Info(Bet bet) {
    return kBets[static_cast<std::size_t>(bet)];
}

constexpr const PrizeInfo& Info(Prize prize) {
    return kPrizes[static_cast<std::size_t>(prize)];
}

// A game's rows of the tables, picked out when compiling.
struct GameBets {
    std::array<Bet, kBetCount> bets{};
    std::size_t betCount = 0;
    std::array<Bet, kBetCount> scored{};
    std::size_t scoredCount = 0;
    std::array<Prize, kPrizeCount> prizes{};
    std::size_t prizeCount = 0;
};

constexpr GameBets Collect(Game game) {
    const auto sold = [game](Bet bet) { return game == Game::Numbers3 || Info(bet).fourDigits; };
    GameBets of;
    for (const BetInfo& info : kBets) {
        if (sold(info.bet)) {
            of.bets[of.betCount++] = info.bet;
            if (info.scored) {
                of.scored[of.scoredCount++] = info.bet;
            }
        }
    }
    for (const PrizeInfo& info : kPrizes) {
        if (sold(info.bet)) {
            of.prizes[of.prizeCount++] = info.prize;
        }
    }
    return of;
}

constexpr GameBets kNumbers3 = Collect(Game::Numbers3);
constexpr GameBets kNumbers4 = Collect(Game::Numbers4);

const GameBets& Of(Game game) {
    return game == Game::Numbers3 ? kNumbers3 : kNumbers4;
}

} // namespace

std::span<const Bet> BetsOf(Game game) {
    return std::span(Of(game).bets).first(Of(game).betCount);
}

std::span<const Bet> ScoredBetsOf(Game game) {
    return std::span(Of(game).scored).first(Of(game).scoredCount);
}

std::string_view BetName(Bet bet) {
    return Info(bet).name;
}

std::string_view BetLabel(Bet bet) {
    return Info(bet).label;
}

bool Wins(Bet bet, std::span<const int> pick, std::span<const int> winning) {
    if (bet == Bet::Mini) {
        return pick.size() >= 2 && winning.size() >= 2 && std::equal(pick.end() - 2, pick.end(), winning.end() - 2);
    }
    if (Info(bet).anyOrder) {
        return std::is_permutation(pick.begin(), pick.end(), winning.begin(), winning.end());
    }
    return std::equal(pick.begin(), pick.end(), winning.begin(), winning.end());
}

bool OnSale(Bet bet, std::span<const int> number) {
    return !Info(bet).anyOrder ||
           std::adjacent_find(number.begin(), number.end(), std::not_equal_to<>()) != number.end();
}

std::optional<std::vector<int>> NumberDigits(Game game, std::string_view number) {
    const auto digits = ReadDigits(number, static_cast<std::size_t>(Positions(game)));
    if (!digits) {
        return std::nullopt;
    }
    return std::vector<int>(digits->begin(), digits->end());
}

std::optional<Bet> CheckHit(Game game, std::span<const int> winning, std::string_view number) {
    const auto digits = ReadDigits(number, static_cast<std::size_t>(Positions(game)));
    if (!digits || winning.size() != digits->size() ||
        std::any_of(winning.begin(), winning.end(), [](int d) { return d < 0 || d > 9; })) {
        return std::nullopt;
    }
    for (const Bet bet : ScoredBetsOf(game)) {
        if (Wins(bet, *digits, winning)) {
            return bet;
        }
    }
    return std::nullopt;
}

std::span<const Prize> PrizesOf(Game game) {
    return std::span(Of(game).prizes).first(Of(game).prizeCount);
}

Bet PrizeBet(Prize prize) {
    return Info(prize).bet;
}

std::string PrizeLabel(Prize prize) {
    const PrizeInfo& info = Info(prize);
    std::string label(BetLabel(info.bet));
    if (info.half) {
        label += "（" + std::string(BetLabel(*info.half)) + "）";
    }
    return label;
}

bool PrizeWins(Prize prize, std::span<const int> number, std::span<const int> winning) {
    const PrizeInfo& info = Info(prize);
    if (!info.half) {
        return Wins(info.bet, number, winning);
    }
    for (const PrizeInfo& half : kPrizes) {
        if (half.bet == info.bet && Wins(*half.half, number, winning)) {
            return half.prize == prize;
        }
    }
    return false;
}

} // namespace drawbook
