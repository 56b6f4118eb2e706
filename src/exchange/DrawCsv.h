#pragma once

#include "db/DrawStore.h"

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

// One draw read from a CSV file, with the file line it came from.
using CsvDraw = NewDraw;

// What a file holds for one game.
struct DrawCsv {
    std::vector<CsvDraw> draws;        // ascending draw order, each draw once
    std::vector<std::string> problems; // report lines; none when every line was read
    std::string numberText;            // what the draws' numbers view
};

// Reads a CSV file of one game: a header row naming its columns, or none (draw
// number, winning number). The bytes may be UTF-8, with or without a byte-order
// mark, or CP932.
DrawCsv ReadDrawCsv(Game game, std::string_view bytes);

// "　3行目：…。。"
std::string LineMessage(int line, std::string_view text);

// The report of a refused file: what happened, the reason when it is the whole
// file, then the first five problem lines in file order and how many more there are.
std::vector<std::string> RefusalReport(std::vector<std::pair<int, std::string>> problems, std::string reason = {});

} // namespace drawbook
