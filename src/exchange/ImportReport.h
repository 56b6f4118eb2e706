#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace drawbook {

// The first line of every refusal report of a CSV file.
inline constexpr std::string_view kCsvRefusedMessage =
    "　CSVファイルを取り込めませんでした。記録は何も変わっていません。。";

// The reason given for a file that holds no draws.
inline constexpr std::string_view kNoDrawsMessage = "　取り込む回がありません。。";

// "　3行目：…。。"
std::string LineMessage(int line, std::string_view text);

// The report of a refused file: what happened, the reason when it is the whole
// file, then the first five problem lines in file order and how many more there are.
std::vector<std::string> RefusalReport(std::vector<std::pair<int, std::string>> problems, std::string reason = {});

} // namespace drawbook
