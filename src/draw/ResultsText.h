#pragma once

#include "draw/DrawResults.h"
#include "draw/Game.h"

#include <span>
#include <string>

namespace drawbook {

// 100100 as "100,100円".
std::string YenText(long long yen);

// "2026-08-21（金）　ストレート 100,100円　ボックス 16,600円 …": what is known, in
// prize order; empty when nothing is.
std::string ResultsText(Game game, const DrawResults& results);

// A draw as a question names it.
struct NamedDraw {
    int drawNo = 0;
    std::string winningNumber;
};

// "第7057回（当選数字 1234）", several joined with "、": the first five, then
// "ほか3回".
std::string NamedDrawsText(std::span<const NamedDraw> draws);

} // namespace drawbook
