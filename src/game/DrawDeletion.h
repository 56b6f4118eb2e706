#pragma once

#include "draw/ResultsText.h"

#include <span>
#include <string>

namespace drawbook {

// "　第7057回（当選数字 1234）を削除しますか？…"; several are counted too.
std::string DeleteQuestion(std::span<const NamedDraw> draws);

} // namespace drawbook
