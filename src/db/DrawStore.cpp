#include "db/DrawStore.h"

#include "db/Connection.h"
#include "db/DbError.h"
#include "db/DrawQueries.h"
#include "db/DrawResultsTable.h"
#include "db/Statement.h"
#include "db/Transaction.h"
#include "draw/Calendar.h"
#include "draw/DrawEdit.h"
#include "draw/ResultsText.h"

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
    for (const std::string_view column : NumberColumns()) {
        columns += "," + std::string(column);
        values += ",?" + std::to_string(parameter++);
    }
    return "INSERT INTO " + std::string(TableName(game)) + " (" + columns + ",atari) VALUES (" + values + ",?" +
           std::to_string(parameter) + ")";
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
// twice meets its first copy as a stored row would. Returns the conflicts.
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
                conflicts.push_back({index, DrawField::Digits, Prize::Straight, StoredText(rows, draws[index].digits.size())});
            }
        }
    }
    for (std::size_t i = 1; i < order.size(); ++i) {
        const NewDraw& earlier = draws[order[i - 1]];
        const NewDraw& draw = draws[order[i]];
        if (draw.drawNo == earlier.drawNo && state[order[i]] == kNew) {
            state[order[i]] = draw.digits == earlier.digits ? kStored : kDiffers;
            if (state[order[i]] == kDiffers) {
                conflicts.push_back({order[i], DrawField::Digits, Prize::Straight, DigitsText(earlier.digits)});
            }
        }
    }
    return conflicts;
}

// The field of `known` that `results` gives another value; the date first.
std::optional<DrawConflict> ResultsConflict(const DrawResults& known, const DrawResults& results) {
    const auto disagreement = FindDisagreement(known, results);
    if (!disagreement) {
        return std::nullopt;
    }
    if (disagreement->date) {
        return DrawConflict{0, DrawField::Date, Prize::Straight, DateText(known.date)};
    }
    return DrawConflict{0, DrawField::Payout, disagreement->prize, YenText(known.Yen(disagreement->prize))};
}

// A fill leaves a stored value it cannot read as it is: nothing is written there.
void KeepUnreadable(DrawResults& results, const DrawResults& known,
                    const std::array<bool, kPrizeCount + 1>& unreadable) {
    if (unreadable[0]) {
        results.date = known.date;
    }
    for (std::size_t prize = 0; prize < kPrizeCount; ++prize) {
        if (unreadable[prize + 1]) {
            results.yen[prize] = known.yen[prize];
        }
    }
}

// The results one draw number ends with, and whether they must be written.
struct ResultsPlan {
    std::size_t first = 0; // its first place in the order
    DrawResults results;
    bool write = false;
};

// Merges each draw's results with the stored ones and the batch's other copies of
// it, in one pass beside the stored rows; conflicts are appended.
std::vector<ResultsPlan> PlanResults(Connection& connection, Game game, std::span<const NewDraw> draws,
                                     std::span<const std::size_t> order, const std::vector<char>& state,
                                     std::vector<DrawConflict>& conflicts) {
    std::vector<ResultsPlan> plans;
    const std::vector<StoredResults> stored =
        ReadDrawResults(connection, game, draws[order.front()].drawNo, draws[order.back()].drawNo);
    std::size_t next = 0;
    for (std::size_t i = 0; i < order.size();) {
        const int drawNo = draws[order[i]].drawNo;
        while (next < stored.size() && stored[next].drawNo < drawNo) {
            ++next;
        }
        ResultsPlan plan{i, {}, false};
        // A draw the book lacks replaces whatever results a row of its number kept,
        // and a row left over without one is removed.
        const bool inBook = state[order[i]] == kStored;
        const StoredResults* row = next < stored.size() && stored[next].drawNo == drawNo ? &stored[next] : nullptr;
        if (inBook && row != nullptr) {
            plan.results = row->results;
        }
        const DrawResults known = plan.results;
        for (; i < order.size() && draws[order[i]].drawNo == drawNo; ++i) {
            const NewDraw& draw = draws[order[i]];
            if (state[order[i]] == kDiffers) {
                continue;
            }
            if (auto conflict = ResultsConflict(plan.results, draw.results)) {
                conflict->index = order[i];
                conflicts.push_back(std::move(*conflict));
                continue;
            }
            FillUnknown(plan.results, draw.results);
        }
        if (inBook && row != nullptr) {
            KeepUnreadable(plan.results, known, row->unreadable);
        }
        plan.write = plan.results != known || (!inBook && row != nullptr);
        if (plan.write) {
            plans.push_back(plan);
        }
    }
    return plans;
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
        const bool anyResults =
            std::any_of(draws.begin(), draws.end(), [](const NewDraw& draw) { return draw.results.Any(); });
        const bool anyNew = std::find(state.begin(), state.end(), kNew) != state.end();
        std::vector<ResultsPlan> plans;
        if (anyResults || anyNew) {
            plans = PlanResults(connection, game, draws, order, state, result.conflicts);
        }
        if (!result.conflicts.empty()) {
            // The transaction rolls back as it goes out of scope.
            AddResult refused;
            refused.outcome = AddOutcome::Conflict;
            refused.conflicts = std::move(result.conflicts);
            std::stable_sort(refused.conflicts.begin(), refused.conflicts.end(),
                             [&draws](const DrawConflict& a, const DrawConflict& b) {
                                 return std::pair(draws[a.index].drawNo, a.index) <
                                        std::pair(draws[b.index].drawNo, b.index);
                             });
            return refused;
        }
        Statement insert(connection, InsertStatement(game));
        const int firstNumber = Positions(game) + 2;
        bool emptyNumbersBound = false;
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
            // The empty numbers stay bound from one draw without numbers to the next.
            if (draw.numbers || !emptyNumbersBound) {
                for (int n = 0; n < kNumberCount; ++n) {
                    insert.BindText(firstNumber + n, draw.numbers ? (*draw.numbers)[static_cast<std::size_t>(n)] : kEmptyNumber);
                }
                emptyNumbersBound = !draw.numbers;
            }
            insert.BindText(firstNumber + kNumberCount, draw.hitMarker);
            insert.Execute();
            if (result.added == 0) {
                result.firstAdded = draw.drawNo;
            }
            result.lastAdded = draw.drawNo;
            ++result.added;
        }
        if (!plans.empty()) {
            CreateResultsTable(connection);
            ResultsWriter replace(connection, game, false);
            ResultsWriter fill(connection, game, true);
            Statement remove(connection, "DELETE FROM " + std::string(kResultsTable) + " WHERE game=?1 AND kaisai=?2");
            remove.BindText(1, GameCode(game));
            for (const ResultsPlan& plan : plans) {
                const std::size_t index = order[plan.first];
                if (!plan.results.Any()) {
                    remove.Reset();
                    remove.BindInt(2, draws[index].drawNo);
                    remove.Execute();
                    continue;
                }
                (state[index] == kNew ? replace : fill).Write(draws[index].drawNo, plan.results);
                ++result.completed;
            }
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
