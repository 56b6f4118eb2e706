#include "draw/DigitText.h"

#include "draw/Utf8.h"

#include <algorithm>
#include <charconv>

namespace drawbook {

namespace {

// "０" is U+FF10, EF BC 90 in UTF-8; "９" is EF BC 99.
constexpr std::string_view kFullWidthPrefix = "\xEF\xBC";
constexpr unsigned char kFullWidthZero = 0x90;

} // namespace

DigitList::DigitList(std::initializer_list<int> digits) {
    for (const int digit : digits) {
        push_back(digit);
    }
}

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

std::string PlainText(std::string_view text) {
    std::string plain;
    plain.reserve(text.size());
    while (!text.empty()) {
        const std::size_t length = std::max<std::size_t>(CharacterLength(text), 1);
        const std::string_view character = text.substr(0, length);
        const auto digit = ReadDigit(character);
        if (digit && length > 1) {
            plain += static_cast<char>('0' + *digit);
        } else {
            plain += character;
        }
        text.remove_prefix(length);
    }
    return plain;
}

std::optional<DigitList> ReadDigits(std::string_view text, std::size_t count) {
    if (count > kMaxPositions) {
        return std::nullopt;
    }
    DigitList digits;
    // A full-width digit takes three bytes: anything longer is no number of the game.
    if (text.size() > 3 * count) {
        return std::nullopt;
    }
    while (!text.empty()) {
        if (text.front() >= '0' && text.front() <= '9') {
            if (digits.size() == count) {
                return std::nullopt;
            }
            digits.push_back(text.front() - '0');
            text.remove_prefix(1);
            continue;
        }
        const std::size_t length = std::max<std::size_t>(CharacterLength(text), 1);
        const auto digit = ReadDigit(text.substr(0, length));
        if (!digit || digits.size() == count) {
            return std::nullopt;
        }
        digits.push_back(*digit);
        text.remove_prefix(length);
    }
    if (digits.size() != count) {
        return std::nullopt;
    }
    return digits;
}
std::string DigitsText(std::span<const int> digits) {
    std::string text;
    for (const int digit : digits) {
        text += static_cast<char>('0' + digit);
    }
    return text;
}

void AppendInteger(std::string& out, long long value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

long long LeadingNumber(std::string_view text) {
    constexpr long long kCeiling = 1'000'000'000'000LL; // far above any draw number
    long long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        value = value < kCeiling ? value * 10 + (c - '0') : value;
    }
    return value;
}

} // namespace drawbook
