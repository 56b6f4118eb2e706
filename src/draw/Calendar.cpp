#include "draw/Calendar.h"

#include "draw/DigitText.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace drawbook {

namespace {

bool LeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && LeapYear(year) ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

// Reads 1 to `most` plain digits from the front of the text.
std::optional<int> TakeNumber(std::string_view& text, std::size_t most) {
    std::size_t length = 0;
    while (length < text.size() && length < most && text[length] >= '0' && text[length] <= '9') {
        ++length;
    }
    if (length == 0) {
        return std::nullopt;
    }
    int value = 0;
    std::from_chars(text.data(), text.data() + length, value);
    text.remove_prefix(length);
    return value;
}

} // namespace

std::optional<int> ReadDate(std::string_view text) {
    // "2026-08-21", as the results files and the book write it, read at once.
    if (text.size() == 10 && text[4] == '-' && text[7] == '-') {
        int date = 0;
        bool digits = true;
        for (const std::size_t at : {0, 1, 2, 3, 5, 6, 8, 9}) {
            digits = digits && text[at] >= '0' && text[at] <= '9';
            date = date * 10 + (text[at] - '0');
        }
        const int year = date / 10000;
        const int month = date / 100 % 100;
        const int day = date % 100;
        if (digits && year >= 1000 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month)) {
            return date;
        }
        if (digits) {
            return std::nullopt;
        }
    }
    // Full-width digits read as plain ones; a date of plain text needs no copy.
    std::string plain;
    if (std::any_of(text.begin(), text.end(), [](char c) { return (c & 0x80) != 0; })) {
        plain = PlainText(text);
        text = plain;
    }
    std::string_view rest = text;
    const auto year = TakeNumber(rest, 4);
    if (!year || *year < 1000 || rest.empty() || (rest.front() != '-' && rest.front() != '/')) {
        return std::nullopt;
    }
    const char separator = rest.front();
    rest.remove_prefix(1);
    const auto month = TakeNumber(rest, 2);
    if (!month || rest.empty() || rest.front() != separator) {
        return std::nullopt;
    }
    rest.remove_prefix(1);
    const auto day = TakeNumber(rest, 2);
    if (!day || !rest.empty() || *month < 1 || *month > 12 || *day < 1 || *day > DaysInMonth(*year, *month)) {
        return std::nullopt;
    }
    return *year * 10000 + *month * 100 + *day;
}

std::string DateText(int date) {
    std::string text = "0000-00-00";
    const int parts[] = {date / 10000, date / 100 % 100, date % 100};
    const std::size_t ends[] = {4, 7, 10};
    for (std::size_t part = 0; part < 3; ++part) {
        int value = parts[part];
        for (std::size_t at = ends[part]; at-- > ends[part] - (part == 0 ? 4 : 2);) {
            text[at] = static_cast<char>('0' + value % 10);
            value /= 10;
        }
    }
    return text;
}

std::string_view WeekdayText(int date) {
    // Days from 1970-01-01 of a proleptic Gregorian date, then its weekday (a Thursday).
    int year = date / 10000;
    const int month = date / 100 % 100;
    const int day = date % 100;
    year -= month <= 2 ? 1 : 0;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const int yearOfEra = year - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    const long long days = static_cast<long long>(era) * 146097 + dayOfEra - 719468;
    constexpr std::array<std::string_view, 7> kWeekdays = {"木", "金", "土", "日", "月", "火", "水"};
    return kWeekdays[static_cast<std::size_t>(((days % 7) + 7) % 7)];
}

} // namespace drawbook
