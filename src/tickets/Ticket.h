#pragma once

#include "draw/Bet.h"
#include "draw/Game.h"

#include <optional>
#include <string>
#include <string_view>

namespace drawbook {

// Draw numbers a ticket can be for, as the games' tables hold them.
inline constexpr int kFirstTicketDraw = 1;
inline constexpr int kLastTicketDraw = 32767;
// 口数 of one ticket.
inline constexpr int kMinUnits = 1;
inline constexpr int kMaxUnits = 99;
// How many consecutive draws one purchase (継続) covers at most.
inline constexpr int kMaxContinued = 20;

// One recorded ticket.
struct Ticket {
    long long id = 0;
    Game game = Game::Numbers3;
    int drawNo = 0;
    std::string number; // the game's length of plain digits
    Bet bet = Bet::Straight;
    int units = 1;
    std::string recordedAt; // "2026-12-08 17:55:02", local time

    long long Cost() const { return static_cast<long long>(kTicketYen) * units; }
    friend bool operator==(const Ticket&, const Ticket&) = default;
};

// A ticket about to be recorded.
struct NewTicket {
    int drawNo = 0;
    std::string number; // as typed: full-width digits are read as plain
    Bet bet = Bet::Straight;
    int units = 1;
};

// "straight", "box", "set", "mini" → the bet.
std::optional<Bet> BetFromName(std::string_view name);

// The number as the game's length of plain digits; nothing when it is not that.
std::optional<std::string> TicketNumber(Game game, std::string_view typed);

// Why the ticket cannot be bought, as a message: a number that is not the game's
// digits, box or set of an all-same number (「　ゾロ目（777）のボックス・セットは
// 販売されていません。。」), mini for four digits, units outside 1-99 or a draw
// outside 1-32767. Nothing when it can.
std::optional<std::string> TicketRefusal(Game game, const NewTicket& ticket);

} // namespace drawbook
