#include "game/DrawDeletion.h"

namespace drawbook {

std::string DeleteQuestion(std::span<const NamedDraw> draws) {
    std::string question = "　" + NamedDrawsText(draws);
    if (draws.size() > 1) {
        question += "の" + std::to_string(draws.size()) + "回分";
    }
    return question + "を削除しますか？\n\n　抽せん日・当せん金の記録もいっしょに消え、元には戻せません。。";
}

} // namespace drawbook
