#include "draw/DrawResults.h"

#include "draw/Bet.h"
#include "draw/DigitText.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <functional>

namespace drawbook {

namespace {

constexpr std::array<Prize, 5> kPrizes3 = {Prize::Straight, Prize::Box, Prize::SetStraight, Prize::SetBox, Prize::Mini};
constexpr std::array<Prize, 4> kPrizes4 = {Prize::Straight, Prize::Box, Prize::SetStraight, Prize::SetBox};
constexpr std::array<Ticket, 4> kTickets3 = {Ticket::Straight, Ticket::Box, Ticket::Set, Ticket::Mini};
constexpr std::array<Ticket, 3> kTickets4 = {Ticket::Straight, Ticket::Box, Ticket::Set};

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

bool AllSame(std::span<const int> digits) {
    return std::adjacent_find(digits.begin(), digits.end(), std::not_equal_to<>()) == digits.end();
}

} // namespace

std::span<const Prize> PrizesOf(Game game) {
    if (game == Game::Numbers3) {
        return kPrizes3;
    }
    return kPrizes4;
}

std::string_view PrizeLabel(Prize prize) {
    switch (prize) {
    case Prize::Straight:
        return "ストレート";
    case Prize::Box:
        return "ボックス";
    case Prize::SetStraight:
        return "セット（ストレート）";
    case Prize::SetBox:
        return "セット（ボックス）";
    case Prize::Mini:
        return "ミニ";
    }
    return {};
}

bool DrawResults::Any() const {
    return date != 0 || std::any_of(yen.begin(), yen.end(), [](int y) { return y != kUnknownYen; });
}

std::optional<Disagreement> FindDisagreement(const DrawResults& a, const DrawResults& b) {
    if (a.date != 0 && b.date != 0 && a.date != b.date) {
        return Disagreement{true, Prize::Straight};
    }
    for (std::size_t p = 0; p < kPrizeCount; ++p) {
        if (a.yen[p] != kUnknownYen && b.yen[p] != kUnknownYen && a.yen[p] != b.yen[p]) {
            return Disagreement{false, static_cast<Prize>(p)};
        }
    }
    return std::nullopt;
}

bool ResultsAgree(const DrawResults& a, const DrawResults& b) {
    return !FindDisagreement(a, b);
}

void FillUnknown(DrawResults& results, const DrawResults& other) {
    if (results.date == 0) {
        results.date = other.date;
    }
    for (std::size_t p = 0; p < kPrizeCount; ++p) {
        if (results.yen[p] == kUnknownYen) {
            results.yen[p] = other.yen[p];
        }
    }
}

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

std::string YenText(long long yen) {
    const std::string digits = std::to_string(yen < 0 ? -yen : yen);
    std::string text = yen < 0 ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            text += ',';
        }
        text += digits[i];
    }
    return text + "円";
}

std::string ResultsText(Game game, const DrawResults& results) {
    std::string text;
    if (results.date != 0) {
        text = DateText(results.date) + "（" + std::string(WeekdayText(results.date)) + "）";
    }
    for (const Prize prize : PrizesOf(game)) {
        if (results.Yen(prize) == kUnknownYen) {
            continue;
        }
        if (!text.empty()) {
            text += "　";
        }
        text += std::string(PrizeLabel(prize)) + " " + YenText(results.Yen(prize));
    }
    return text;
}

std::span<const Ticket> TicketsOf(Game game) {
    if (game == Game::Numbers3) {
        return kTickets3;
    }
    return kTickets4;
}

std::string_view TicketName(Ticket ticket) {
    switch (ticket) {
    case Ticket::Straight:
        return "straight";
    case Ticket::Box:
        return "box";
    case Ticket::Set:
        return "set";
    case Ticket::Mini:
        return "mini";
    }
    return {};
}

std::string_view TicketLabel(Ticket ticket) {
    switch (ticket) {
    case Ticket::Straight:
        return "ストレート";
    case Ticket::Box:
        return "ボックス";
    case Ticket::Set:
        return "セット";
    case Ticket::Mini:
        return "ミニ";
    }
    return {};
}

std::optional<int> KnownYen(const DrawResults& results, Prize prize, std::span<const int> winning) {
    const int yen = results.Yen(prize);
    if (yen != kUnknownYen) {
        return yen;
    }
    const bool offSale = prize == Prize::Box || prize == Prize::SetStraight || prize == Prize::SetBox;
    if (offSale && AllSame(winning) && results.Yen(Prize::Straight) != kUnknownYen) {
        return 0;
    }
    return std::nullopt;
}

KnownPayouts KnownYens(const DrawResults& results, std::span<const int> winning) {
    KnownPayouts known;
    for (std::size_t prize = 0; prize < kPrizeCount; ++prize) {
        known[prize] = KnownYen(results, static_cast<Prize>(prize), winning);
    }
    return known;
}

TicketWins NumberWinnings(Game game, std::span<const int> number, std::span<const int> winning,
                          const KnownPayouts& known) {
    const bool equal = Wins(Bet::Straight, number, winning);
    const auto paid = [&known](Prize prize, bool won) -> std::optional<int> {
        const std::optional<int>& yen = known[static_cast<std::size_t>(prize)];
        if (!yen) {
            return std::nullopt;
        }
        return won ? *yen : 0;
    };
    TicketWins wins;
    wins[static_cast<std::size_t>(Ticket::Straight)] = paid(Prize::Straight, equal);
    if (!AllSame(number)) {
        const bool arranged = Wins(Bet::Box, number, winning);
        wins[static_cast<std::size_t>(Ticket::Box)] = paid(Prize::Box, arranged);
        const auto straight = paid(Prize::SetStraight, equal);
        const auto box = paid(Prize::SetBox, arranged && !equal);
        if (straight && box) {
            wins[static_cast<std::size_t>(Ticket::Set)] = *straight + *box;
        }
    }
    if (game == Game::Numbers3) {
        wins[static_cast<std::size_t>(Ticket::Mini)] = paid(Prize::Mini, Wins(Bet::Mini, number, winning));
    }
    return wins;
}

} // namespace drawbook
