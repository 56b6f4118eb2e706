#pragma once

#include "draw/DrawResults.h"
#include "draw/Game.h"
#include "exchange/CsvFile.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace drawbook {

// Where a file keeps the draw number and the digits.
struct CsvLayout {
    std::size_t drawColumn = 0;
    std::vector<std::size_t> digitColumns; // empty: one column holds the winning number
    std::size_t winningColumn = 1;
    bool hasHeader = false;
    std::size_t headerFields = 0; // how many fields the header has, and so every line
    bool otherGame = false;       // the header names the other game's digit columns
    std::string problem;          // the header cannot be read
    // Columns a file may lack: the date, the payouts in prize order, the numbers.
    std::optional<std::size_t> dateColumn;
    std::array<std::optional<std::size_t>, kPrizeCount> yenColumns{};
    std::array<std::optional<std::size_t>, kNumberCount> numberColumns{};
    bool hasNumbers = false;

    // The last column every line must have.
    std::size_t LastColumn() const;
};

// The layout a file's first record gives: its header's columns, or draw number
// then winning number when it starts with a draw.
CsvLayout ReadCsvLayout(const CsvRow& first, Game game);

} // namespace drawbook
