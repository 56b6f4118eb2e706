#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace drawbook {

// The length in bytes of the well-formed UTF-8 character the text begins with;
// 0 when it begins with anything else (an overlong form, a surrogate, a code
// point above U+10FFFF, a stray or missing continuation byte) or is empty.
std::size_t CharacterLength(std::string_view text);

// Whether the whole text is well-formed UTF-8.
bool IsUtf8(std::string_view text);

// The text one character at a time; a byte that starts no well-formed
// character stands alone.
std::vector<std::string> SplitCharacters(std::string_view text);

} // namespace drawbook
