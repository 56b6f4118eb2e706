#pragma once

#include "draw/DigitText.h"
#include "draw/Game.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace drawbook {

// What every window and the command line say when the database refuses a write.
inline constexpr std::string_view kStoreFailedMessage = "　登録できませんでした。。";

// One draw from any source: a CSV file, the results feed, an old record book.
struct NewDraw {
    int drawNo = 0;
    DigitList digits; // highest position first, each 0-9
    int line = 0;     // where the source holds it, for its messages (a file's line)
};

enum class AddOutcome {
    Added,    // every draw the book lacked is in it now
    Conflict, // a draw is stored with other digits: nothing was written
    Failed,   // the database refused: nothing was written
};

// A draw of the batch that the book holds with other digits.
struct DrawConflict {
    std::size_t index = 0; // its place in the batch
    std::string stored;    // the stored digits, "？" for a missing one
};

// What a batch added, and what it passed over.
struct AddCounts {
    std::size_t added = 0;
    std::size_t skipped = 0; // already stored with the same digits
    int firstAdded = 0;
    int lastAdded = 0;
};

struct AddResult : AddCounts {
    AddOutcome outcome = AddOutcome::Added;
    std::vector<DrawConflict> conflicts; // for Conflict, in draw order
    std::string error;                   // for Failed
};

// Adds the draws the table lacks, in ascending order, in one transaction; each
// with empty numbers and " " as its hit marker. A draw stored with the same
// digits is skipped and left as it is; one stored with other digits refuses the
// whole batch.
AddResult AddDraws(const std::string& dbPath, Game game, std::span<const NewDraw> draws);

} // namespace drawbook
