#include "db/DrawStore.h"

#include "db/Connection.h"
#include "db/DbError.h"
#include "db/DrawQueries.h"
#include "db/DrawResultsTable.h"
#include "db/Statement.h"
#include "db/TicketsTable.h"
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
    kNew,      // the book lacks it
    kStored,   // the book holds it with the same digits
    kDiffers,  // the book holds it with other digits
    kReplaced, // the book holds it otherwise, and the batch replaces it
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
                conflicts.push_back(
                    {index, DrawField::Digits, Prize::Straight, StoredText(rows, draws[index].digits.size())});
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

// Each draw number's results as the batch's copies give them, first copy first,
// in the order's draw order; nothing when two copies disagree on digits or results.
std::optional<std::vector<DrawResults>> BatchResults(std::span<const NewDraw> draws,
                                                     std::span<const std::size_t> order) {
    std::vector<DrawResults> merged;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const NewDraw& draw = draws[order[i]];
        if (i == 0 || draw.drawNo != draws[order[i - 1]].drawNo) {
            merged.push_back(draw.results);
            continue;
        }
        if (draw.digits != draws[order[i - 1]].digits || !ResultsAgree(merged.back(), draw.results)) {
            return std::nullopt;
        }
        FillUnknown(merged.back(), draw.results);
    }
    return merged;
}

// Puts the batch's digits and results in place of the stored draws a conflict
// names; the other draws are left to the add. Returns how many were replaced.
std::size_t ReplaceStored(Connection& connection, Game game, std::span<const NewDraw> draws,
                          std::span<const std::size_t> order, const std::vector<DrawResults>& merged,
                          const std::vector<DrawConflict>& conflicts, std::vector<char>& state) {
    std::vector<int> replaced;
    for (const DrawConflict& conflict : conflicts) {
        replaced.push_back(draws[conflict.index].drawNo);
    }
    std::sort(replaced.begin(), replaced.end());
    replaced.erase(std::unique(replaced.begin(), replaced.end()), replaced.end());

    Statement digits(connection, UpdateDigitsStatement(game));
    // Results that belonged to other digits go; otherwise the stored ones stay where the batch has none.
    std::optional<ResultsWriter> replace;
    std::optional<ResultsWriter> overwrite;
    std::optional<Statement> remove;
    const bool anyResults = std::any_of(merged.begin(), merged.end(), [](const DrawResults& r) { return r.Any(); });
    if (anyResults || HasResultsTable(connection)) {
        CreateResultsTable(connection);
        replace.emplace(connection, game, ResultsMerge::Replace);
        overwrite.emplace(connection, game, ResultsMerge::Overwrite);
        remove.emplace(connection, "DELETE FROM " + std::string(kResultsTable) + " WHERE game=?1 AND kaisai=?2");
        remove->BindText(1, GameCode(game));
    }
    std::size_t group = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const std::size_t index = order[i];
        const NewDraw& draw = draws[index];
        const bool first = i == 0 || draw.drawNo != draws[order[i - 1]].drawNo;
        if (first && i > 0) {
            ++group;
        }
        if (!std::binary_search(replaced.begin(), replaced.end(), draw.drawNo)) {
            continue;
        }
        const bool otherDigits = state[index] == kDiffers;
        state[index] = kReplaced;
        if (!first) {
            continue;
        }
        const DrawResults& results = merged[group];
        if (otherDigits) {
            digits.Reset();
            digits.BindInt(1, draw.drawNo);
            for (std::size_t p = 0; p < draw.digits.size(); ++p) {
                digits.BindInt(static_cast<int>(p) + 2, draw.digits[p]);
            }
            digits.Execute();
            if (results.Any()) {
                replace->Write(draw.drawNo, results);
            } else if (remove) {
                remove->Reset();
                remove->BindInt(2, draw.drawNo);
                remove->Execute();
            }
        } else {
            overwrite->Write(draw.drawNo, results); // only a date or payout differed: the batch has some
        }
    }
    return replaced.size();
}

// Whether a draw arrives without numbers: none given, or every one empty.
bool WithoutNumbers(const NewDraw& draw) {
    if (!draw.numbers) {
        return true;
    }
    return std::all_of(draw.numbers->begin(), draw.numbers->end(), [](std::string_view number) {
        return number.find_first_not_of(" ") == std::string_view::npos || number == kEmptyNumber;
    });
}

// The numbers of the tickets bought for the new draws that arrive without numbers,
// read in one query over the batch's range; none when no such draw has tickets.
std::vector<DrawTicketNumbers> TicketNumbersOfNewDraws(Connection& connection, Game game,
                                                       std::span<const NewDraw> draws,
                                                       std::span<const std::size_t> order,
                                                       const std::vector<char>& state) {
    const bool any = std::any_of(order.begin(), order.end(), [&](std::size_t index) {
        return state[index] == kNew && WithoutNumbers(draws[index]);
    });
    if (!any) {
        return {};
    }
    return ReadTicketNumbers(connection, game, draws[order.front()].drawNo, draws[order.back()].drawNo);
}

} // namespace

std::string UpdateDigitsStatement(Game game) {
    std::string sql = "UPDATE " + std::string(TableName(game)) + " SET ";
    int parameter = 2;
    for (const std::string_view column : DigitColumns(game)) {
        sql += (parameter > 2 ? "," : "") + std::string(column) + "=?" + std::to_string(parameter);
        ++parameter;
    }
    return sql + " WHERE kaisai=?1";
}

AddResult AddDraws(const std::string& dbPath, Game game, std::span<const NewDraw> draws, AddMode mode) {
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
        // Only a batch that agrees with itself can replace what the book holds.
        const std::optional<std::vector<DrawResults>> merged =
            result.conflicts.empty() ? std::nullopt : BatchResults(draws, order);
        if (merged && mode == AddMode::Replace) {
            result.replaced = ReplaceStored(connection, game, draws, order, *merged, result.conflicts, state);
            std::erase_if(plans, [&](const ResultsPlan& plan) { return state[order[plan.first]] == kReplaced; });
            result.conflicts.clear();
        }
        if (!result.conflicts.empty()) {
            // The transaction rolls back as it goes out of scope.
            AddResult refused;
            refused.outcome = AddOutcome::Conflict;
            refused.replaceable = merged.has_value();
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
        const std::vector<DrawTicketNumbers> ticketNumbers =
            TicketNumbersOfNewDraws(connection, game, draws, order, state);
        auto tickets = ticketNumbers.begin();
        for (const std::size_t index : order) {
            const NewDraw& draw = draws[index];
            if (state[index] == kReplaced) {
                continue;
            }
            if (state[index] != kNew) {
                ++result.skipped;
                continue;
            }
            insert.Reset();
            insert.BindInt(1, draw.drawNo);
            for (std::size_t p = 0; p < draw.digits.size(); ++p) {
                insert.BindInt(static_cast<int>(p) + 2, draw.digits[p]);
            }
            while (tickets != ticketNumbers.end() && tickets->drawNo < draw.drawNo) {
                ++tickets;
            }
            if (tickets != ticketNumbers.end() && tickets->drawNo == draw.drawNo && WithoutNumbers(draw)) {
                // A draw that arrives without numbers takes those of the tickets bought for it.
                for (int n = 0; n < kNumberCount; ++n) {
                    const auto i = static_cast<std::size_t>(n);
                    insert.BindText(firstNumber + n,
                                    i < tickets->numbers.size() ? std::string_view(tickets->numbers[i]) : kEmptyNumber);
                }
                emptyNumbersBound = false;
            } else if (draw.numbers || !emptyNumbersBound) {
                // The empty numbers stay bound from one draw without numbers to the next.
                for (int n = 0; n < kNumberCount; ++n) {
                    insert.BindText(firstNumber + n,
                                    draw.numbers ? (*draw.numbers)[static_cast<std::size_t>(n)] : kEmptyNumber);
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

DeleteResult DeleteDraws(const std::string& dbPath, Game game, std::span<const int> drawNos) {
    DeleteResult result;
    std::vector<int> sorted(drawNos.begin(), drawNos.end());
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    try {
        Connection connection(dbPath, OpenMode::ReadWrite);
        Transaction transaction(connection);
        Statement find(connection, SelectDraws(game, DrawColumns::KeyAndDigits, "WHERE kaisai=?1 LIMIT 1"));
        for (const int drawNo : sorted) {
            find.Reset();
            find.BindInt(1, drawNo);
            if (!find.Step()) {
                result.missing.push_back(drawNo);
            }
        }
        if (!result.missing.empty()) {
            result.outcome = DeleteOutcome::NotInBook;
            return result;
        }
        Statement draw(connection, "DELETE FROM " + std::string(TableName(game)) + " WHERE kaisai=?1");
        for (const int drawNo : sorted) {
            draw.Reset();
            draw.BindInt(1, drawNo);
            draw.Execute();
        }
        if (HasResultsTable(connection)) {
            Statement results(connection, "DELETE FROM " + std::string(kResultsTable) + " WHERE game=?1 AND kaisai=?2");
            results.BindText(1, GameCode(game));
            for (const int drawNo : sorted) {
                results.Reset();
                results.BindInt(2, drawNo);
                results.Execute();
            }
        }
        transaction.Commit();
    } catch (const DbError& e) {
        result = {DeleteOutcome::Failed, {}, e.what()};
    }
    return result;
}

std::string NotInBookMessage(std::span<const int> drawNos) {
    std::string message = "　";
    for (std::size_t i = 0; i < drawNos.size(); ++i) {
        message += (i > 0 ? "、第" : "第") + std::to_string(drawNos[i]) + "回";
    }
    return message + "は記録帳にありません。何も削除していません。。";
}

} // namespace drawbook
