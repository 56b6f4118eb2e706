#pragma once

#include <string>
#include <string_view>

namespace drawbook {

// Windows' own texts are UTF-16; drawbook's are UTF-8. Ill-formed input gives
// U+FFFD in its place. Windows builds only.
std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);

} // namespace drawbook
