#pragma once

#include <string>
#include <string_view>

namespace drawbook {

// Draw numbers are stored in a 16-bit column: 1 to this.
inline constexpr int kLastDrawNo = 32767;

// Why a draw number, as its source writes it, was not taken.
inline std::string DrawNoOutOfRangeText(std::string_view shown) {
    return "開催回「" + std::string(shown) + "」が1～" + std::to_string(kLastDrawNo) + "の数ではありません";
}

} // namespace drawbook
