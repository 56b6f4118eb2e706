#pragma once

#include "db/DrawStore.h"
#include "exchange/ImportReport.h"

#include <string>
#include <string_view>
#include <vector>

namespace drawbook {

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

} // namespace drawbook
