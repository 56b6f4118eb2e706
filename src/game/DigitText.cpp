#include "game/DigitText.h"

namespace drawbook {

namespace {

// "０" is U+FF10, EF BC 90 in UTF-8; "９" is EF BC 99.
constexpr std::string_view kFullWidthPrefix = "\xEF\xBC";
constexpr unsigned char kFullWidthZero = 0x90;

} // namespace

std::optional<int> ReadDigit(std::string_view text) {
    if (text.size() == 1 && text[0] >= '0' && text[0] <= '9') {
        return text[0] - '0';
    }
    if (text.size() == 3 && text.starts_with(kFullWidthPrefix)) {
        const auto last = static_cast<unsigned char>(text[2]);
        if (last >= kFullWidthZero && last <= kFullWidthZero + 9) {
            return last - kFullWidthZero;
        }
    }
    return std::nullopt;
}

std::optional<std::vector<std::string>> PlainDigits(const std::vector<std::string>& texts) {
    std::vector<std::string> plain;
    for (const std::string& text : texts) {
        const auto digit = ReadDigit(text);
        if (!digit) {
            return std::nullopt;
        }
        plain.push_back(std::to_string(*digit));
    }
    return plain;
}

} // namespace drawbook
