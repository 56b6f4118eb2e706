#pragma once

#include "db/DrawQueries.h"
#include "db/ReadStatus.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace drawbook {

class Statement;

// One draw of the history: its number and its digits, highest position first.
struct HistoryDraw {
    int drawNo = 0;
    std::array<int, kMaxPositions> digits{};
};

struct DrawHistory {
    ReadStatus status = ReadStatus::Complete;
    std::vector<HistoryDraw> draws; // oldest first; only when complete
    std::string error;
    // Rows left out because a digit is missing or not 0 to 9.
    int skippedRows = 0;
};

// The row's digits from column firstColumn on, when each is an integer 0 to 9 as
// stored: the rule by which the history leaves a row out.
std::optional<std::array<int, kMaxPositions>> StoredDigits(const Statement& statement, int firstColumn, int positions);

// The draws the filter selects, oldest first. A row whose winning number lacks a
// digit, or holds something other than 0 to 9 (old or imported data), is left out.
DrawHistory ReadDrawHistory(const std::string& dbPath, Game game,
                            const std::string& filter = std::string(kAllDrawsClause));

} // namespace drawbook
