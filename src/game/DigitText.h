#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace drawbook {

// The digit a field holds when its whole text is one digit: half-width 0-9, or
// full-width ０-９ as a Japanese input method types it. Nothing otherwise.
std::optional<int> ReadDigit(std::string_view text);

// The texts as plain digits "0"-"9" when every one of them is one digit.
std::optional<std::vector<std::string>> PlainDigits(const std::vector<std::string>& texts);

} // namespace drawbook
