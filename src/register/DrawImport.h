#pragma once

#include "db/Game.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace drawbook {

// One draw read from a CSV file.
struct CsvDraw {
    int drawNo = 0;
    std::vector<int> digits; // highest position first
    int line = 0;            // the file line it came from
};

// What a file holds for one game.
struct DrawCsv {
    std::vector<CsvDraw> draws;        // ascending draw order, each draw once
    std::vector<std::string> problems; // report lines; none when every line was read
};

// Reads a CSV file of one game: a header row naming its columns, or none (draw
// number, winning number). The bytes may be UTF-8, with or without a byte-order
// mark, or CP932.
DrawCsv ReadDrawCsv(Game game, std::string_view bytes);

enum class ImportOutcome {
    Imported,
    Refused, // the file or a stored draw disagrees: nothing was written
    Failed,  // the database refused: nothing was written
};

struct ImportResult {
    ImportOutcome outcome = ImportOutcome::Imported;
    std::size_t added = 0;
    std::size_t skipped = 0; // already stored with the same digits
    int firstAdded = 0;
    int lastAdded = 0;
    std::vector<std::string> report; // for Refused: the lines to show
    std::string error;               // for Failed
};

// Adds the draws the table lacks, in ascending order, in one transaction; each
// with empty numbers and " " as its hit marker. A stored draw with other digits
// refuses the whole set. Stored numbers are never touched.
ImportResult ImportDraws(const std::string& dbPath, Game game, const std::vector<CsvDraw>& draws);

// Reads the file's bytes and imports them.
ImportResult ImportDrawCsv(const std::string& dbPath, Game game, std::string_view bytes);

// Reads the file and imports it; a missing database file is created first, as
// the program does on its first start. Nothing is created for a file refused.
ImportResult ImportDrawFile(const std::string& dbPath, Game game, const std::string& path);

// What happened, for an import that succeeded:
// "　3回分を追加しました（第7052回～第7054回）。登録済みの7051回分は飛ばしました。。"
std::string ImportSummary(const ImportResult& result);

// "　n3.csvを開けませんでした。。"
std::string FileNotReadMessage(std::string_view path);

} // namespace drawbook
