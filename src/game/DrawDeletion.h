#pragma once

#include <span>
#include <string>

namespace drawbook {

// A listed draw the user chose to delete.
struct DeletedDraw {
    int drawNo = 0;
    std::string winningNumber; // as the list shows it
};

// "　第7057回（当選数字 1234）を削除しますか？…"; several are named up to five and counted.
std::string DeleteQuestion(std::span<const DeletedDraw> draws);

// "　第7057回は記録帳にありません。何も削除していません。。"
std::string NotInBookMessage(std::span<const int> drawNos);

} // namespace drawbook
