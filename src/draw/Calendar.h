#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace drawbook {

// "2026-08-21", "2026/8/21": the date as yyyymmdd when it is one of the calendar.
std::optional<int> ReadDate(std::string_view text);
// 20260821 as "2026-08-21".
std::string DateText(int date);
// 20260821 as "金".
std::string_view WeekdayText(int date);

} // namespace drawbook
