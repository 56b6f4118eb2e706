#pragma once

#include <string>
#include <string_view>

namespace drawbook {

// Text to stand between single quotes in a statement: each quote is doubled,
// so no text can end the literal early.
std::string EscapeSqlText(std::string_view text);

} // namespace drawbook
