#include "edit/DrawUpdate.h"

#include "db/Connection.h"
#include "db/DbError.h"
#include "db/SqlText.h"
#include "db/Statement.h"
#include "db/Transaction.h"
#include "draw/DigitText.h"

#include <algorithm>
#include <stdexcept>

namespace drawbook {

namespace {

// A draw number as the list shows it: digits, perhaps after a minus sign.
bool IsDrawNumber(std::string_view text) {
    if (text.starts_with('-')) {
        text.remove_prefix(1);
    }
    return !text.empty() && text.size() <= 9 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

std::optional<std::string> PrepareDrawEdit(Game game, DrawEdit& edit) {
    if (edit.digits.size() != static_cast<std::size_t>(Positions(game))) {
        throw std::invalid_argument("one digit field per position");
    }
    for (std::string& number : edit.numbers) {
        if (number.empty()) {
            number = kEmptyNumber;
        }
    }
    // Any character counts as filled here; what it is, is looked at next.
    if (std::any_of(edit.digits.begin(), edit.digits.end(), [](const std::string& d) { return d.empty(); })) {
        return std::string(kMissingDigitMessage);
    }
    auto plain = PlainDigits(edit.digits);
    if (!plain) {
        return std::string(kNotOneDigitMessage);
    }
    edit.digits = std::move(*plain);
    return std::nullopt;
}

std::string UpdateDrawStatement(Game game, const DrawEdit& edit) {
    const auto columns = DigitColumns(game);
    std::string sql = "UPDATE " + std::string(TableName(game)) + " ";
    for (std::size_t p = 0; p < columns.size(); ++p) {
        sql += p == 0 ? "SET " : ",";
        sql += std::string(columns[p]) + "=" + edit.digits.at(p);
    }
    for (std::size_t n = 0; n < edit.numbers.size(); ++n) {
        sql += "," + std::string(NumberColumns()[n]) + "='" + EscapeSqlText(edit.numbers[n]) + "'";
    }
    sql += ",atari=' ' WHERE kaisai=" + edit.drawNo;
    return sql;
}

StoreResult WriteDraw(const std::string& dbPath, Game game, const std::string& clause, const DrawEdit& edit) {
    if (!IsDrawNumber(edit.drawNo)) {
        return {StoreOutcome::Failed, "no draw number"};
    }
    try {
        Connection connection(dbPath, OpenMode::ReadWrite);
        Transaction transaction(connection);
        {
            // Stops here, before anything is written, when the draw's rows cannot be read.
            Statement rows(connection, StoreCheckStatement(game, clause));
            rows.Step();
        }
        Statement update(connection, UpdateDrawStatement(game, edit));
        update.Execute();
        if (connection.Changes() == 0) {
            return {StoreOutcome::NoSuchDraw, {}};
        }
        transaction.Commit();
    } catch (const DbError& e) {
        return {StoreOutcome::Failed, e.what()};
    }
    return {};
}

} // namespace drawbook
