#pragma once

#include "draw/DigitText.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace drawbook {

// The field without the blanks around it: spaces, tabs and full-width spaces.
std::string_view TrimField(std::string_view text);

// A field as a message quotes it: cut short after a few characters.
std::string Shortened(std::string_view text);

// "123", "第123回" or " １２３ ": the draw number when it is one from 1 to kLastDrawNo.
std::optional<int> ReadDrawNo(std::string_view field);

// " 409 " or "４０９": the winning digits when the field holds exactly `count`.
std::optional<DigitList> ReadWinningNumber(std::string_view field, std::size_t count);

// "119800", "119,800", "１１９８００円": a payout in yen. Commas stand only between
// groups of three digits, so "1234,567" is no sum of yen.
std::optional<int> ReadYen(std::string_view field);

} // namespace drawbook
