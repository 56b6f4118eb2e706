#include "db/DrawStore.h"

#include "db/Connection.h"
#include "db/DbError.h"
#include "db/DrawQueries.h"
#include "db/Statement.h"
#include "db/Transaction.h"
#include "draw/DrawEdit.h"

#include <algorithm>
#include <numeric>
#include <optional>

namespace drawbook {

namespace {

std::string InsertStatement(Game game) {
    std::string columns = "kaisai";
    std::string values = "?1";
    int parameter = 2;
    for (const std::string_view column : DigitColumns(game)) {
        columns += "," + std::string(column);
        values += ",?" + std::to_string(parameter++);
    }
    // Every number takes the same parameter: the empty number.
    const std::string number = "?" + std::to_string(parameter);
    for (const std::string_view column : NumberColumns()) {
        columns += "," + std::string(column);
        values += "," + number;
    }
    return "INSERT INTO " + std::string(TableName(game)) + " (" + columns + ",atari) VALUES (" + values + ",' ')";
}

// The stored digits, "？" for a missing one.
std::string StoredText(const Statement& rows, std::size_t positions) {
    std::string stored;
    for (std::size_t p = 0; p < positions; ++p) {
        const auto digit = rows.ColumnInteger(static_cast<int>(p) + 1);
        stored += digit ? std::to_string(*digit) : "？";
    }
    return stored;
}

bool SameDigits(const Statement& rows, const DigitList& digits) {
    for (std::size_t p = 0; p < digits.size(); ++p) {
        if (rows.ColumnInteger(static_cast<int>(p) + 1) != digits[p]) {
            return false;
        }
    }
    return true;
}

enum DrawState : char {
    kNew,     // the book lacks it
    kStored,  // the book holds it with the same digits
    kDiffers, // the book holds it with other digits
};

// How the book holds each draw of the batch, in one pass over the stored rows
// the batch spans beside the batch in the same order. A draw the batch holds
// twice meets its first copy as a stored row would. Returns the conflicts in
// draw order, equal draws in batch order.
std::vector<DrawConflict> FindStored(Connection& connection, Game game, std::span<const NewDraw> draws,
                                     std::span<const std::size_t> order, std::vector<char>& state) {
    std::vector<DrawConflict> conflicts;
    Statement rows(connection,
                   SelectDraws(game, DrawColumns::KeyAndDigits, "WHERE kaisai>=?1 AND kaisai<=?2 ORDER BY kaisai"));
    rows.BindInt(1, draws[order.front()].drawNo);
    rows.BindInt(2, draws[order.back()].drawNo);
    std::size_t next = 0;
    while (rows.Step()) {
        const std::int64_t drawNo = rows.ColumnInt64(0);
        while (next < order.size() && draws[order[next]].drawNo < drawNo) {
            ++next;
        }
        for (std::size_t i = next; i < order.size() && draws[order[i]].drawNo == drawNo; ++i) {
            const std::size_t index = order[i];
            if (state[index] == kDiffers) {
                continue; // the first stored row that differs is the one reported
            }
            state[index] = kStored;
            if (!SameDigits(rows, draws[index].digits)) {
                state[index] = kDiffers;
                conflicts.push_back({index, StoredText(rows, draws[index].digits.size())});
            }
        }
    }
    for (std::size_t i = 1; i < order.size(); ++i) {
        const NewDraw& earlier = draws[order[i - 1]];
        const NewDraw& draw = draws[order[i]];
        if (draw.drawNo == earlier.drawNo && state[order[i]] == kNew) {
            state[order[i]] = draw.digits == earlier.digits ? kStored : kDiffers;
            if (state[order[i]] == kDiffers) {
                conflicts.push_back({order[i], DigitsText(earlier.digits)});
            }
        }
    }
    std::stable_sort(conflicts.begin(), conflicts.end(), [&draws](const DrawConflict& a, const DrawConflict& b) {
        return std::pair(draws[a.index].drawNo, a.index) < std::pair(draws[b.index].drawNo, b.index);
    });
    return conflicts;
}

} // namespace

AddResult AddDraws(const std::string& dbPath, Game game, std::span<const NewDraw> draws) {
    AddResult result;
    if (draws.empty()) {
        return result;
    }
    // The batch in draw order, equal draws in batch order.
    std::vector<std::size_t> order(draws.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    const auto byDraw = [&draws](std::size_t a, std::size_t b) { return draws[a].drawNo < draws[b].drawNo; };
    if (!std::is_sorted(order.begin(), order.end(), byDraw)) {
        std::stable_sort(order.begin(), order.end(), byDraw);
    }
    try {
        Connection connection(dbPath, OpenMode::ReadWrite);
        Transaction transaction(connection);
        std::vector<char> state(draws.size(), kNew);
        result.conflicts = FindStored(connection, game, draws, order, state);
        if (!result.conflicts.empty()) {
            // The transaction rolls back as it goes out of scope.
            AddResult refused;
            refused.outcome = AddOutcome::Conflict;
            refused.conflicts = std::move(result.conflicts);
            return refused;
        }
        Statement insert(connection, InsertStatement(game));
        insert.BindText(Positions(game) + 2, kEmptyNumber);
        for (const std::size_t index : order) {
            const NewDraw& draw = draws[index];
            if (state[index] != kNew) {
                ++result.skipped;
                continue;
            }
            insert.Reset();
            insert.BindInt(1, draw.drawNo);
            for (std::size_t p = 0; p < draw.digits.size(); ++p) {
                insert.BindInt(static_cast<int>(p) + 2, draw.digits[p]);
            }
            insert.Execute();
            if (result.added == 0) {
                result.firstAdded = draw.drawNo;
            }
            result.lastAdded = draw.drawNo;
            ++result.added;
        }
        transaction.Commit();
    } catch (const DbError& e) {
        AddResult failed;
        failed.outcome = AddOutcome::Failed;
        failed.error = e.what();
        return failed;
    }
    return result;
}

} // namespace drawbook
