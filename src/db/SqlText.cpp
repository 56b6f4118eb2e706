#include "db/SqlText.h"

namespace drawbook {

std::string EscapeSqlText(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        escaped += c;
        if (c == '\'') {
            escaped += '\'';
        }
    }
    return escaped;
}

} // namespace drawbook
