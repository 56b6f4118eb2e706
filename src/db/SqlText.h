#pragma once

#include <string>
#include <string_view>

namespace drawbook {

// Text to stand between single quotes in a statement: each quote is doubled,
// so no text can end the literal early.
std::string EscapeSqlText(std::string_view text);

// Whether two table or column names are the same: the databases compare them
// without letter case.
bool SameSqlName(std::string_view a, std::string_view b);

} // namespace drawbook
