#include "draw/Game.h"

#include <array>

namespace drawbook {

namespace {

constexpr std::array<std::string_view, 3> kDigits3 = {"N100", "N10", "N1"};
constexpr std::array<std::string_view, 4> kDigits4 = {"N1000", "N100", "N10", "N1"};

constexpr std::array<std::string_view, 3> kPositionLabels3 = {"三桁目", "二桁目", "一桁目"};
constexpr std::array<std::string_view, 4> kPositionLabels4 = {"四桁目", "三桁目", "二桁目", "一桁目"};

constexpr std::array<std::string_view, kNumberCount> kNumbers = {"kounyu1", "kounyu2", "kounyu3", "kounyu4",
                                                                 "kounyu5"};

constexpr std::array<std::string_view, 10> kColumns3 = {"kaisai",  "N100",    "N10",     "N1",      "kounyu1",
                                                        "kounyu2", "kounyu3", "kounyu4", "kounyu5", "atari"};
constexpr std::array<std::string_view, 11> kColumns4 = {"kaisai",  "N1000",   "N100",    "N10",     "N1",     "kounyu1",
                                                        "kounyu2", "kounyu3", "kounyu4", "kounyu5", "atari"};

const GameInfo kNumbers3 = {"3", "ナンバーズ3", "ナンバーズ３", "三桁", 3, kDigits3, kPositionLabels3, kColumns3};
const GameInfo kNumbers4 = {"4", "ナンバーズ4", "ナンバーズ４", "四桁", 4, kDigits4, kPositionLabels4, kColumns4};

} // namespace

const GameInfo& Describe(Game game) {
    return game == Game::Numbers3 ? kNumbers3 : kNumbers4;
}

std::optional<Game> GameFromCode(std::string_view code) {
    for (const Game game : {Game::Numbers3, Game::Numbers4}) {
        if (code == Describe(game).code) {
            return game;
        }
    }
    return std::nullopt;
}

Game OtherGame(Game game) {
    return game == Game::Numbers3 ? Game::Numbers4 : Game::Numbers3;
}

std::span<const std::string_view> NumberColumns() {
    return kNumbers;
}

} // namespace drawbook
