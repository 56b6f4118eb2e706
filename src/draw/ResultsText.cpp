#include "draw/ResultsText.h"

#include "draw/Calendar.h"

namespace drawbook {

std::string YenText(long long yen) {
    const std::string digits = std::to_string(yen < 0 ? -yen : yen);
    std::string text = yen < 0 ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            text += ',';
        }
        text += digits[i];
    }
    return text + "円";
}

std::string ResultsText(Game game, const DrawResults& results) {
    std::string text;
    if (results.date != 0) {
        text = DateText(results.date) + "（" + std::string(WeekdayText(results.date)) + "）";
    }
    for (const Prize prize : PrizesOf(game)) {
        if (results.Yen(prize) == kUnknownYen) {
            continue;
        }
        if (!text.empty()) {
            text += "　";
        }
        text += PrizeLabel(prize) + " " + YenText(results.Yen(prize));
    }
    return text;
}

std::string NamedDrawsText(std::span<const NamedDraw> draws) {
    constexpr std::size_t kNamed = 5;
    std::string text;
    for (std::size_t i = 0; i < draws.size() && i < kNamed; ++i) {
        text +=
            (i > 0 ? "、第" : "第") + std::to_string(draws[i].drawNo) + "回（当選数字 " + draws[i].winningNumber + "）";
    }
    if (draws.size() > kNamed) {
        text += "ほか" + std::to_string(draws.size() - kNamed) + "回";
    }
    return text;
}

} // namespace drawbook
