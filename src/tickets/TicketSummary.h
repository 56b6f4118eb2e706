#pragma once

#include "draw/Game.h"
#include "tickets/TicketBook.h"

#include <span>
#include <string>
#include <vector>

namespace drawbook {

// What the tickets of newly added draws came to, a line each, for the summary the
// window shows: 「第7060回：123 ボックス 1口 当せん 16,600円」 for each won ticket,
// 「第7060回：123 セット 1口 当せん金不明」 for each whose payout is unknown, and
// 「記録した券はすべてはずれました（3枚）」 when every settled one lost. None
// without tickets.
std::vector<std::string> SummaryLines(std::span<const TicketRow> rows);

// The same for the game's tickets of draws first to last as the book holds them;
// none when they cannot be read.
std::vector<std::string> NewDrawsSummary(const std::string& dbPath, Game game, int first, int last);

} // namespace drawbook
