#pragma once

#include "draw/Game.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace drawbook {

// The digits of one winning number, highest position first, kept without a
// heap allocation.
class DigitList {
public:
    DigitList() = default;
    DigitList(std::initializer_list<int> digits);

    void push_back(int digit) { m_digits.at(m_size++) = digit; }
    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    int operator[](std::size_t position) const { return m_digits[position]; }
    const int* begin() const { return m_digits.data(); }
    const int* end() const { return m_digits.data() + m_size; }
    operator std::span<const int>() const { return {begin(), end()}; }

    friend bool operator==(const DigitList& a, const DigitList& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }

private:
    std::array<int, kMaxPositions> m_digits{};
    std::size_t m_size = 0;
};

// The digit a field holds when its whole text is one digit: half-width 0-9, or
// full-width ０-９ as a Japanese input method types it. Nothing otherwise.
std::optional<int> ReadDigit(std::string_view text);

// The texts as plain digits "0"-"9" when every one of them is one digit.
std::optional<std::vector<std::string>> PlainDigits(const std::vector<std::string>& texts);

// The text with each full-width digit made the plain one; everything else stays.
std::string PlainText(std::string_view text);

// "409" or "４０９" as the digits 4, 0, 9 when the text is exactly `count` digits.
std::optional<DigitList> ReadDigits(std::string_view text, std::size_t count);

// The digits 4, 0, 9 as "409".
std::string DigitsText(std::span<const int> digits);

// Appends the number as "%d" writes it.
void AppendInteger(std::string& out, long long value);

// The number a text begins with; 0 when it does not begin with a digit.
long long LeadingNumber(std::string_view text);

} // namespace drawbook
