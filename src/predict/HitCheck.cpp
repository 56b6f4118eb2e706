#include "predict/HitCheck.h"

#include "game/DigitText.h"

#include <algorithm>

namespace drawbook {

std::optional<std::vector<int>> NumberDigits(Game game, std::string_view number) {
    const std::size_t positions = DigitColumns(game).size();
    std::vector<int> digits;
    // Each digit is one byte (0-9) or three (０-９).
    std::size_t i = 0;
    while (i < number.size() && digits.size() < positions) {
        const std::size_t width = static_cast<unsigned char>(number[i]) < 0x80 ? 1 : 3;
        const auto digit = ReadDigit(number.substr(i, width));
        if (!digit) {
            return std::nullopt;
        }
        digits.push_back(*digit);
        i += width;
    }
    if (i != number.size() || digits.size() != positions) {
        return std::nullopt;
    }
    return digits;
}

HitKind CheckHit(Game game, std::span<const int> winning, std::string_view number) {
    const auto digits = NumberDigits(game, number);
    if (!digits || winning.size() != digits->size() ||
        std::any_of(winning.begin(), winning.end(), [](int d) { return d < 0 || d > 9; })) {
        return HitKind::None;
    }
    if (std::equal(digits->begin(), digits->end(), winning.begin())) {
        return HitKind::Straight;
    }
    if (std::is_permutation(digits->begin(), digits->end(), winning.begin())) {
        return HitKind::Box;
    }
    if (game == Game::Numbers3 && std::equal(digits->end() - 2, digits->end(), winning.end() - 2)) {
        return HitKind::Mini;
    }
    return HitKind::None;
}

} // namespace drawbook
