#pragma once

#include "draw/Game.h"

#include <array>
#include <string>
#include <string_view>

namespace drawbook {

enum class SearchMode {
    Box,      // "ボックス": the digits in any order
    Straight, // "ストレート": each digit in its own position
};

// Field texts by position: thousands, hundreds, tens, units. An empty text is a
// position not given; the three-digit game has no thousands.
using SearchFields = std::array<std::string, 4>;

struct SearchClause {
    std::string clause;  // appended to the draw list statement
    std::string refusal; // the message when the search cannot run
    bool Refused() const { return !refusal.empty(); }
};

inline constexpr std::string_view kNothingFoundMessage = "　検索内容はありません。。";

// The WHERE clause that selects the draws matching the typed digits, or the
// message that says why there is none.
SearchClause BuildSearchClause(Game game, SearchMode mode, const SearchFields& fields);

} // namespace drawbook
