#include "game/DrawDeletion.h"

#include <cstddef>

namespace drawbook {

namespace {

constexpr std::size_t kNamedDraws = 5;

std::string DrawText(const DeletedDraw& draw) {
    return "第" + std::to_string(draw.drawNo) + "回（当選数字 " + draw.winningNumber + "）";
}

} // namespace

std::string DeleteQuestion(std::span<const DeletedDraw> draws) {
    std::string question = "　";
    for (std::size_t i = 0; i < draws.size() && i < kNamedDraws; ++i) {
        question += (i > 0 ? "、" : "") + DrawText(draws[i]);
    }
    if (draws.size() > kNamedDraws) {
        question += "ほか" + std::to_string(draws.size() - kNamedDraws) + "回";
    }
    if (draws.size() > 1) {
        question += "の" + std::to_string(draws.size()) + "回分";
    }
    return question + "を削除しますか？\n\n　抽せん日・当せん金の記録もいっしょに消え、元には戻せません。。";
}

std::string NotInBookMessage(std::span<const int> drawNos) {
    std::string message = "　";
    for (std::size_t i = 0; i < drawNos.size(); ++i) {
        message += (i > 0 ? "、第" : "第") + std::to_string(drawNos[i]) + "回";
    }
    return message + "は記録帳にありません。何も削除していません。。";
}

} // namespace drawbook
