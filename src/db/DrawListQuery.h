#pragma once

#include "db/DrawQueries.h"
#include "db/ReadStatus.h"

#include <array>
#include <string>
#include <vector>

namespace drawbook {

// One line of the draw list, as its seven cells show it.
struct DrawListRow {
    std::string drawNo;
    std::string winningNumber;
    std::vector<std::string> digits; // each stored digit on its own, highest first; "" when missing
    std::array<std::string, kNumberCount> numbers;
};

struct DrawListResult {
    using Status = ReadStatus;
    Status status = Status::Complete;
    // When reading was interrupted: the rows read before.
    std::vector<DrawListRow> rows;
    std::string error;
};

// Reads the rows the clause selects, in the order SQLite returns them.
DrawListResult ReadDrawList(const std::string& dbPath, Game game, const std::string& clause);

} // namespace drawbook
