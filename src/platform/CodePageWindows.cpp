#include "platform/CodePage.h"

#include "platform/WideText.h"

#include <climits>

#include <windows.h>

namespace drawbook {

std::optional<std::string> Cp932ToUtf8(std::string_view bytes) {
    if (bytes.empty()) {
        return std::string();
    }
    if (bytes.size() > INT_MAX) {
        return std::nullopt;
    }
    constexpr UINT kCp932 = 932;
    const int size = static_cast<int>(bytes.size());
    // A lead byte without its trail byte, or a pair the code page does not know, fails the whole text.
    const int length = MultiByteToWideChar(kCp932, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (length == 0) {
        return std::nullopt;
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(kCp932, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(), length);
    return Utf8FromWide(wide);
}

} // namespace drawbook
