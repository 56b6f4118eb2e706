#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace drawbook {

// Shift_JIS text as Windows writes it (code page 932) in UTF-8; nothing when the
// bytes are not CP932.
std::optional<std::string> Cp932ToUtf8(std::string_view bytes);

} // namespace drawbook
