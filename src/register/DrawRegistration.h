#pragma once

#include "db/DrawStore.h"
#include "draw/DrawEdit.h"

#include <string>
#include <string_view>
#include <vector>

namespace drawbook {

// The registration dialog holds each game's next draw as the edit dialog holds
// a stored one: the draw number, the digits and the five numbers, as text.

inline constexpr std::string_view kIncomplete4Message = "　ナンバーズ４に記入漏れがあります。。";
inline constexpr std::string_view kIncomplete3Message = "　ナンバーズ３に記入漏れがあります。。";
inline constexpr std::string_view kNotOneDigit4Message = "　ナンバーズ４の当選数字は一桁の数字で記入してください。。";
inline constexpr std::string_view kNotOneDigit3Message = "　ナンバーズ３の当選数字は一桁の数字で記入してください。。";

// "　第101回はナンバーズ３に登録済みです。。"
std::string TakenDrawMessage(Game game, std::string_view drawNo);

// Checks both draws before anything is written: first that every digit and
// number field holds something (a blank counts), then that each digit field
// holds one digit, which becomes a plain digit. Returns the messages to show,
// the four-digit game's first; none when both draws may be added.
std::vector<std::string> PrepareRegistration(DrawEdit& three, DrawEdit& four);

// "INSERT INTO ナンバーズ3 VALUES (101,4,0,9,'123','456','789','012','345',' ')"
std::string InsertDrawStatement(Game game, const DrawEdit& draw);

enum class RegisterOutcome {
    Registered,
    Taken,  // a draw number is already stored: nothing was written
    Failed, // the database refused: nothing was written
};

struct RegisterResult {
    RegisterOutcome outcome = RegisterOutcome::Registered;
    std::vector<std::string> messages; // for Taken, the four-digit game's first
    std::string error;
};

// Adds both prepared draws in one transaction: both rows or neither.
RegisterResult RegisterDraws(const std::string& dbPath, const DrawEdit& three, const DrawEdit& four);

} // namespace drawbook
