#include "exchange/CsvFields.h"

#include "draw/DrawNumber.h"
#include "draw/DrawResults.h"
#include "draw/Utf8.h"

#include <algorithm>
#include <charconv>

namespace drawbook {

namespace {

// A bad field is quoted this far, so a huge one cannot swamp the report.
constexpr std::size_t kQuotedCharacters = 20;

bool AllDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "1,234,567" as "1234567": the first group one to three characters, every later
// one three. Nothing when a comma stands anywhere else.
std::optional<std::string> WithoutThousandsCommas(std::string_view text) {
    const std::size_t first = text.find(',');
    if (first == std::string_view::npos) {
        return std::string(text);
    }
    if (first == 0 || first > 3 || (text.size() - first) % 4 != 0) {
        return std::nullopt;
    }
    std::string digits;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool separator = i >= first && (i - first) % 4 == 0;
        if (separator != (text[i] == ',')) {
            return std::nullopt;
        }
        if (!separator) {
            digits += text[i];
        }
    }
    return digits;
}

} // namespace

std::string_view TrimField(std::string_view text) {
    constexpr std::string_view kWide = "\u3000";
    for (bool changed = true; changed;) {
        changed = false;
        while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
            text.remove_prefix(1);
            changed = true;
        }
        while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
            text.remove_suffix(1);
            changed = true;
        }
        if (text.starts_with(kWide)) {
            text.remove_prefix(kWide.size());
            changed = true;
        }
        if (text.ends_with(kWide)) {
            text.remove_suffix(kWide.size());
            changed = true;
        }
    }
    return text;
}

std::string Shortened(std::string_view text) {
    std::size_t end = 0;
    for (std::size_t n = 0; n < kQuotedCharacters && end < text.size(); ++n) {
        end += std::max<std::size_t>(CharacterLength(text.substr(end)), 1);
    }
    if (end >= text.size()) {
        return std::string(text);
    }
    return std::string(text.substr(0, end)) + "…";
}

std::optional<int> ReadDrawNo(std::string_view field) {
    std::string text;
    std::string_view number = TrimField(field);
    if (!AllDigits(number)) {
        text = PlainText(number);
        number = text;
    }
    if (number.starts_with("第") && number.ends_with("回")) {
        number = TrimField(number.substr(3, number.size() - 6));
    }
    if (!AllDigits(number)) {
        return std::nullopt;
    }
    while (number.size() > 1 && number.front() == '0') {
        number.remove_prefix(1);
    }
    if (number.size() > 5) {
        return std::nullopt;
    }
    int drawNo = 0;
    std::from_chars(number.data(), number.data() + number.size(), drawNo);
    if (drawNo < 1 || drawNo > kLastDrawNo) {
        return std::nullopt;
    }
    return drawNo;
}

std::optional<DigitList> ReadWinningNumber(std::string_view field, std::size_t count) {
    return ReadDigits(TrimField(field), count);
}

std::optional<int> ReadYen(std::string_view field) {
    std::string plain;
    if (!AllDigits(field)) {
        plain = PlainText(field);
        std::string_view yen = plain;
        if (yen.ends_with("円")) {
            yen.remove_suffix(std::string_view("円").size());
        }
        std::optional<std::string> digits = WithoutThousandsCommas(yen);
        if (!digits) {
            return std::nullopt;
        }
        plain = std::move(*digits);
        field = plain;
    }
    long long value = 0;
    if (!AllDigits(field) || field.size() > 10 ||
        std::from_chars(field.data(), field.data() + field.size(), value).ec != std::errc() || value > kMaxYen) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

} // namespace drawbook
