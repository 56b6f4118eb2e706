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

// A payout column: for a set, which half of it it pays.
struct PrizeInfo {
    Prize prize;
    std::optional<Bet> half;
};

// Every payout column in stored order, which is Prize's order.
constexpr std::array<PrizeInfo, kPrizeCount> kPrizes = {{
    {Prize::Straight, std::nullopt},
    {Prize::Box, std::nullopt},
    {Prize::SetStraight, Bet::Straight},
    {Prize::SetBox, Bet::Box},
    {Prize::Mini, std::nullopt},
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
        if (sold(PrizeBet(info.prize))) {
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

std::string PrizeLabel(Prize prize) {
    const PrizeInfo& info = Info(prize);
    std::string label(BetLabel(PrizeBet(info.prize)));
    if (info.half) {
        label += "（" + std::string(BetLabel(*info.half)) + "）";
    }
    return label;
}

namespace {

constexpr bool Won(Bet bet, const NumberMatch& match) {
    if (bet == Bet::Mini) {
        return match.lastTwo;
    }
    return Info(bet).anyOrder ? match.anyOrder : match.inOrder;
}

// The prizes a number wins, by how it came out: a set pays the first half it wins.
constexpr std::array<bool, kPrizeCount> WonPrizes(const NumberMatch& match) {
    std::array<bool, kPrizeCount> prizes{};
    std::array<bool, kBetCount> halfPaid{};
    for (const PrizeInfo& info : kPrizes) {
        const auto p = static_cast<std::size_t>(info.prize);
        const auto b = static_cast<std::size_t>(PrizeBet(info.prize));
        if (!info.half) {
            prizes[p] = Won(PrizeBet(info.prize), match);
        } else if (!halfPaid[b] && Won(*info.half, match)) {
            prizes[p] = halfPaid[b] = true;
        }
    }
    return prizes;
}

// WonPrizes of every way a number can come out, indexed by Outcome: worked out when
// compiling, since every number of every draw is scored.
constexpr int Outcome(bool inOrder, bool anyOrder, bool lastTwo) {
    return (inOrder ? 2 : anyOrder ? 1 : 0) * 2 + (lastTwo ? 1 : 0);
}

constexpr std::array<std::array<bool, kPrizeCount>, 6> kWonPrizes = [] {
    std::array<std::array<bool, kPrizeCount>, 6> all{};
    for (const bool lastTwo : {false, true}) {
        all[Outcome(false, false, lastTwo)] = WonPrizes({false, false, lastTwo});
        all[Outcome(false, true, lastTwo)] = WonPrizes({false, true, lastTwo});
        all[Outcome(true, true, lastTwo)] = WonPrizes({true, true, lastTwo});
    }
    return all;
}();

} // namespace

NumberMatch MatchNumber(std::span<const int> number, std::span<const int> winning) {
    NumberMatch match;
    match.inOrder = std::equal(number.begin(), number.end(), winning.begin(), winning.end());
    // Digits 0-9 counted: cheaper than a permutation search for every number scored.
    match.anyOrder = match.inOrder;
    if (!match.inOrder && number.size() == winning.size()) {
        std::array<int, 10> count{};
        for (const int digit : number) {
            ++count[static_cast<std::size_t>(digit)];
        }
        match.anyOrder = std::all_of(winning.begin(), winning.end(),
                                     [&count](int digit) { return --count[static_cast<std::size_t>(digit)] >= 0; });
    }
    match.lastTwo =
        number.size() >= 2 && winning.size() >= 2 && std::equal(number.end() - 2, number.end(), winning.end() - 2);
    match.allSame = std::adjacent_find(number.begin(), number.end(), std::not_equal_to<>()) == number.end();
    match.prizes = kWonPrizes[Outcome(match.inOrder, match.anyOrder, match.lastTwo)];
    return match;
}

} // namespace drawbook
