#pragma once

#include "db/DrawQueries.h"
#include "db/ReadStatus.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace drawbook {

// One row of a game's table as the draw list reads it; its texts stay valid
// only until the next row is read.
struct DrawRowView {
    std::int16_t drawNo = 0;
    int positions = 0;
    std::array<std::optional<std::int16_t>, kMaxPositions> digits{}; // highest first; nothing when missing
    std::array<std::string_view, kNumberCount> numbers{};

    // The winning number as the list shows it: each stored digit as "%d", highest
    // first; a missing digit adds nothing.
    void AppendWinningNumber(std::string& out) const;
};

struct RowsRead {
    ReadStatus status = ReadStatus::Complete;
    std::size_t rows = 0; // handed over before the end or the failure
    std::string error;
};

// Hands each row the clause selects to onRow, in the order SQLite returns them.
// A failure partway keeps what was handed over before it.
RowsRead ForEachDrawRow(const std::string& dbPath, Game game, const std::string& clause,
                        const std::function<void(const DrawRowView&)>& onRow);

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
