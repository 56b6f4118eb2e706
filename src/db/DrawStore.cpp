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

// The stored digits of a draw when they differ from the batch's; nothing when
// every stored row agrees. found tells whether the draw is stored at all.
std::optional<std::string> StoredDifference(Statement& find, const NewDraw& draw, bool& found) {
    find.Reset();
    find.BindInt(1, draw.drawNo);
    found = false;
    std::optional<std::string> difference;
    while (find.Step()) {
        found = true;
        std::string stored;
        bool same = true;
        for (std::size_t p = 0; p < draw.digits.size(); ++p) {
            const auto digit = find.ColumnInteger(static_cast<int>(p));
            stored += digit ? std::to_string(*digit) : "？";
            same = same && digit == draw.digits[p];
        }
        if (!same && !difference) {
            difference = stored;
        }
    }
    return difference;
}

} // namespace

AddResult AddDraws(const std::string& dbPath, Game game, std::span<const NewDraw> draws) {
    std::vector<std::size_t> order(draws.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&draws](std::size_t a, std::size_t b) { return draws[a].drawNo < draws[b].drawNo; });
    AddResult result;
    try {
        Connection connection(dbPath, OpenMode::ReadWrite);
        Transaction transaction(connection);
        Statement find(connection, SelectDraws(game, DrawColumns::Digits, "WHERE kaisai=?1"));
        Statement insert(connection, InsertStatement(game));
        insert.BindText(Positions(game) + 2, kEmptyNumber);

        for (const std::size_t index : order) {
            const NewDraw& draw = draws[index];
            bool found = false;
            if (auto stored = StoredDifference(find, draw, found)) {
                result.conflicts.push_back({index, std::move(*stored)});
                continue;
            }
            if (found) {
                ++result.skipped;
                continue;
            }
            if (!result.conflicts.empty()) {
                continue; // nothing will be written; keep looking for conflicts only
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
        if (!result.conflicts.empty()) {
            // The transaction rolls back as it goes out of scope.
            AddResult refused;
            refused.outcome = AddOutcome::Conflict;
            refused.conflicts = std::move(result.conflicts);
            return refused;
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
