#pragma once

#include "draw/DigitText.h"
#include "draw/DrawResults.h"
#include "draw/Game.h"

#include <array>
#include <cstddef>
#include <optional>
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
    DigitList digits;      // highest position first, each 0-9
    int line = 0;          // where the source holds it, for its messages (a file's line)
    DrawResults results{}; // its date and payouts, as far as the source knows them
    // The numbers kept with a draw the book lacks, as views into the source's text
    // that last through AddDraws; none: the empty ones. A view without data is a
    // missing value, stored as NULL; so is such a hit marker.
    std::optional<std::array<std::string_view, kNumberCount>> numbers{};
    std::string_view hitMarker = " ";
};

enum class AddOutcome {
    Added,    // every draw the book lacked is in it now
    Conflict, // a draw is stored with other digits: nothing was written
    Failed,   // the database refused: nothing was written
};

// What of a draw the batch and the book disagree on.
enum class DrawField {
    Digits,
    Date,
    Payout,
};

// A draw of the batch that the book holds with other digits, another date or
// another payout.
struct DrawConflict {
    std::size_t index = 0; // its place in the batch
    DrawField field = DrawField::Digits;
    Prize prize = Prize::Straight; // for Payout
    std::string stored;            // the stored digits ("？" for a missing one), date or payout as messages write them
};

// What a batch does to a stored draw it disagrees with.
enum class AddMode {
    Refuse,  // a stored draw with other digits, date or payouts refuses the whole batch
    Replace, // such draws take the batch's digits, date and payouts; their five numbers and hit marker stay
};

// What a batch added, and what it passed over.
struct AddCounts {
    std::size_t added = 0;
    std::size_t skipped = 0;   // already stored with the same digits
    std::size_t completed = 0; // draws whose date or payouts were written, added ones included
    int firstAdded = 0;
    int lastAdded = 0;
    std::size_t replaced = 0; // stored draws whose digits, date or payouts were replaced
};

struct AddResult : AddCounts {
    AddOutcome outcome = AddOutcome::Added;
    std::vector<DrawConflict> conflicts; // for Conflict, in draw order
    std::string error;                   // for Failed
    // For Conflict: every conflict is with a stored draw, so the same batch with
    // AddMode::Replace would go through.
    bool replaceable = false;
};

// Adds the draws the table lacks, in ascending order, in one transaction; each
// with its numbers and its hit marker. One without numbers, or with all five
// empty, takes those of the tickets bought for it (TicketsTable.h), else empty ones. A
// draw stored with the same digits is skipped and keeps its numbers; only a date
// or payout it lacks is filled in. One stored with other digits, another date or
// another payout refuses the whole batch, unless the mode replaces it; a draw the
// batch holds twice that way refuses it in either mode.
AddResult AddDraws(const std::string& dbPath, Game game, std::span<const NewDraw> draws,
                   AddMode mode = AddMode::Refuse);

enum class DeleteOutcome {
    Deleted,
    NotInBook,
    Failed,
};

struct DeleteResult {
    DeleteOutcome outcome = DeleteOutcome::Deleted;
    std::vector<int> missing; // for NotInBook: the draws the book lacks, ascending; nothing was deleted
    std::string error;        // for Failed
};

// Deletes the game's draws with these numbers, with their dates and payouts, in one transaction.
DeleteResult DeleteDraws(const std::string& dbPath, Game game, std::span<const int> drawNos);

// "　第7回、第9回は記録帳にありません。何も削除していません。。"
std::string NotInBookMessage(std::span<const int> drawNos);

// "UPDATE numbers3 SET tousen1=?2,tousen2=?3,tousen3=?4 WHERE kaisai=?1"
std::string UpdateDigitsStatement(Game game);

} // namespace drawbook
