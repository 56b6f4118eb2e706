#include "platform/CodePage.h"

#include <cerrno>

#include <iconv.h>

namespace drawbook {

std::optional<std::string> Cp932ToUtf8(std::string_view bytes) {
    iconv_t converter = iconv_open("UTF-8", "CP932");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return std::nullopt;
    }
    std::string text(bytes.size() * 3 / 2 + 4, '\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* out = text.data();
    std::size_t outLeft = text.size();
    bool ok = true;
    while (inLeft > 0) {
        if (iconv(converter, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1)) {
            continue;
        }
        if (errno != E2BIG) {
            ok = false; // EILSEQ or EINVAL: not CP932
            break;
        }
        const std::size_t used = static_cast<std::size_t>(out - text.data());
        text.resize(text.size() * 2);
        out = text.data() + used;
        outLeft = text.size() - used;
    }
    iconv_close(converter);
    if (!ok) {
        return std::nullopt;
    }
    text.resize(static_cast<std::size_t>(out - text.data()));
    return text;
}

} // namespace drawbook
