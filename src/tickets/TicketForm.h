#pragma once

#include "draw/Bet.h"
#include "draw/Game.h"
#include "tickets/Ticket.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace drawbook {

// The purchase dialog's fields as typed.
struct TicketFields {
    std::string drawNo; // 開催回
    std::string number; // 数字
    // 口数 of each bet whose box is checked, indexed by Bet; nothing for the others.
    std::array<std::optional<std::string>, kBetCount> units;
    std::optional<std::string> draws; // 継続's count when it is checked
};

// The tickets the fields ask for, or why they cannot be read.
struct TicketForm {
    std::vector<NewTicket> tickets; // by bet, then draw
    std::string refusal;            // 「　開催回は…。。」; empty when the fields were read
};

// Reads the draw, the units and 継続's count (full-width digits read as plain) and
// makes a ticket of each checked bet for each draw. Whether the number can be bought
// as the bet is left to the recording, which refuses with its own message.
TicketForm ReadTicketForm(const TicketFields& fields);

} // namespace drawbook
