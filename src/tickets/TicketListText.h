#pragma once

#include "tickets/Ticket.h"
#include "tickets/TicketBook.h"

#include <array>
#include <span>
#include <string>

namespace drawbook {

// The purchase dialog's list: 開催回, 数字, 買い方, 口数, 購入額, 結果.
inline constexpr std::size_t kTicketColumns = 6;
std::array<std::string, kTicketColumns> TicketCells(const TicketRow& row);

// "　第7060回 123 ボックス 1口を削除しますか？…" for one ticket or more; several name the
// first and count the rest.
std::string DeleteTicketsQuestion(std::span<const Ticket> tickets);

} // namespace drawbook
