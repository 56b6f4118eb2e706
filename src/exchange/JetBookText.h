#pragma once

#include "exchange/JetBook.h"

#include <string>
#include <string_view>

namespace drawbook {

// How the Jet reader hands an old book's rows over, version 1:
//   drawbook-jet-rows 1\n
//   then for Numbers3 and Numbers4 in turn: table COLUMNS ROWS\n
//     and per row, each column in stored order: -\n for a missing value,
//     or +LENGTH\n then LENGTH bytes and \n
//   end\n
// Whole numbers are written in decimal; nothing follows the end.
std::string WriteJetBookText(const JetBook& book);

// The book such a text holds; read is false, with the reason, for any other text.
JetBook ParseJetBookText(std::string_view text);

} // namespace drawbook
