#include "draw/Bet.h"

#include "draw/DigitText.h"

#include <algorithm>
#include <array>

namespace drawbook {

namespace {

constexpr std::array<Bet, 3> kBets3 = {Bet::Straight, Bet::Box, Bet::Mini};
constexpr std::array<Bet, 2> kBets4 = {Bet::Straight, Bet::Box};

} // namespace

std::string_view BetName(Bet bet) {
    switch (bet) {
    case Bet::Straight:
        return "straight";
    case Bet::Box:
        return "box";
    case Bet::Mini:
        return "mini";
    }
    return {};
}

std::span<const Bet> BetsOf(Game game) {
    if (game == Game::Numbers3) {
        return kBets3;
    }
    return kBets4;
}

bool Wins(Bet bet, std::span<const int> pick, std::span<const int> winning) {
    switch (bet) {
    case Bet::Straight:
        return std::equal(pick.begin(), pick.end(), winning.begin(), winning.end());
    case Bet::Box:
        return std::is_permutation(pick.begin(), pick.end(), winning.begin(), winning.end());
    case Bet::Mini:
        return pick.size() >= 2 && winning.size() >= 2 && std::equal(pick.end() - 2, pick.end(), winning.end() - 2);
    }
    return false;
}

std::optional<std::vector<int>> NumberDigits(Game game, std::string_view number) {
    const auto digits = ReadDigits(number, static_cast<std::size_t>(Positions(game)));
    if (!digits) {
        return std::nullopt;
    }
    return std::vector<int>(digits->begin(), digits->end());
}

HitKind CheckHit(Game game, std::span<const int> winning, std::string_view number) {
    const auto digits = ReadDigits(number, static_cast<std::size_t>(Positions(game)));
    if (!digits || winning.size() != digits->size() ||
        std::any_of(winning.begin(), winning.end(), [](int d) { return d < 0 || d > 9; })) {
        return HitKind::None;
    }
    if (Wins(Bet::Straight, *digits, winning)) {
        return HitKind::Straight;
    }
    if (Wins(Bet::Box, *digits, winning)) {
        return HitKind::Box;
    }
    const auto bets = BetsOf(game);
    if (std::find(bets.begin(), bets.end(), Bet::Mini) != bets.end() && Wins(Bet::Mini, *digits, winning)) {
        return HitKind::Mini;
    }
    return HitKind::None;
}

} // namespace drawbook
