#pragma once

#include "db/DrawStore.h"
#include "exchange/ImportReport.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace drawbook {

// One draw read from a CSV file, with the file line it came from.
using CsvDraw = NewDraw;

// What a file holds for one game. The draws' numbers view numberText, so the
// whole can be moved but not copied: a copy would view the original's text.
struct DrawCsv {
    DrawCsv() = default;
    DrawCsv(const DrawCsv&) = delete;
    DrawCsv& operator=(const DrawCsv&) = delete;
    DrawCsv(DrawCsv&&) noexcept = default;
    DrawCsv& operator=(DrawCsv&&) noexcept = default;
    ~DrawCsv() = default;

    std::vector<CsvDraw> draws;        // ascending draw order, each draw once
    std::vector<std::string> problems; // report lines; none when every line was read
    // What the draws' numbers view; on the heap, where a move leaves it in place.
    std::unique_ptr<std::string> numberText;
};

// Where the bytes come from. A download may have been cut short, so its last line
// must end like every other; a file saved by an editor often lacks the last line end.
enum class CsvSource {
    File,
    Download,
};

// Reads a CSV file of one game: a header row naming its columns, or none (draw
// number, winning number). Under a header every line has as many fields as the
// header. The bytes may be UTF-8, with or without a byte-order mark, or CP932.
DrawCsv ReadDrawCsv(Game game, std::string_view bytes, CsvSource source = CsvSource::File);

} // namespace drawbook
