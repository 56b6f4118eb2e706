#include "register/DrawRegistration.h"

#include "db/Connection.h"
#include "db/DbError.h"
#include "db/DrawQueries.h"
#include "db/SqlText.h"
#include "db/Statement.h"
#include "db/Transaction.h"
#include "draw/DigitText.h"
#include "draw/DrawNumber.h"

#include <algorithm>
#include <charconv>

namespace drawbook {

namespace {

bool Filled(const DrawEdit& draw) {
    const auto empty = [](const std::string& text) { return text.empty(); };
    return std::none_of(draw.digits.begin(), draw.digits.end(), empty) &&
           std::none_of(draw.numbers.begin(), draw.numbers.end(), empty);
}

// A draw number the book can store: 1 to kLastDrawNo.
bool IsNewDrawNumber(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value >= 1 && value <= kLastDrawNo;
}

bool IsTaken(Connection& connection, Game game, const std::string& drawNo) {
    Statement statement(connection, CountStatement(game, DrawClause(drawNo)));
    return statement.Step();
}

void InsertDraw(Connection& connection, Game game, const DrawEdit& draw) {
    {
        // Stops here, before the INSERT, when the table or one of its columns is missing.
        Statement rows(connection, StoreCheckStatement(game, {}));
    }
    Statement insert(connection, InsertDrawStatement(game, draw));
    insert.Execute();
}

} // namespace

std::string TakenDrawMessage(Game game, std::string_view drawNo) {
    return "　第" + std::string(drawNo) + "回は" + std::string(GameLabel(game)) + "に登録済みです。。";
}

std::vector<std::string> PrepareRegistration(DrawEdit& three, DrawEdit& four) {
    std::vector<std::string> messages;
    if (!Filled(four)) {
        messages.emplace_back(kIncomplete4Message);
    }
    if (!Filled(three)) {
        messages.emplace_back(kIncomplete3Message);
    }
    if (!messages.empty()) {
        return messages;
    }
    auto plainFour = PlainDigits(four.digits);
    auto plainThree = PlainDigits(three.digits);
    if (!plainFour) {
        messages.emplace_back(kNotOneDigit4Message);
    }
    if (!plainThree) {
        messages.emplace_back(kNotOneDigit3Message);
    }
    if (messages.empty()) {
        three.digits = std::move(*plainThree);
        four.digits = std::move(*plainFour);
    }
    return messages;
}

std::string InsertDrawStatement(Game game, const DrawEdit& draw) {
    std::string sql = "INSERT INTO " + std::string(TableName(game)) + " VALUES (" + draw.drawNo;
    for (const std::string& digit : draw.digits) {
        sql += "," + digit;
    }
    for (const std::string& number : draw.numbers) {
        sql += ",'" + EscapeSqlText(number) + "'";
    }
    sql += ",' ')";
    return sql;
}

RegisterResult RegisterDraws(const std::string& dbPath, const DrawEdit& three, const DrawEdit& four) {
    if (!IsNewDrawNumber(three.drawNo) || !IsNewDrawNumber(four.drawNo)) {
        return {RegisterOutcome::Failed, {}, "no draw number from 1 to " + std::to_string(kLastDrawNo)};
    }
    try {
        Connection connection(dbPath, OpenMode::ReadWrite);
        Transaction transaction(connection);
        RegisterResult result;
        if (IsTaken(connection, Game::Numbers4, four.drawNo)) {
            result.messages.push_back(TakenDrawMessage(Game::Numbers4, four.drawNo));
        }
        if (IsTaken(connection, Game::Numbers3, three.drawNo)) {
            result.messages.push_back(TakenDrawMessage(Game::Numbers3, three.drawNo));
        }
        if (!result.messages.empty()) {
            result.outcome = RegisterOutcome::Taken;
            return result;
        }
        InsertDraw(connection, Game::Numbers3, three);
        InsertDraw(connection, Game::Numbers4, four);
        transaction.Commit();
        return result;
    } catch (const DbError& e) {
        return {RegisterOutcome::Failed, {}, e.what()};
    }
}

} // namespace drawbook
