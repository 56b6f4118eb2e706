#include "db/DrawCounter.h"

#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Statement.h"

namespace drawbook {

std::string CountDrawsOrThrow(const std::string& dbPath, Game game, const std::string& clause) {
    Connection connection(dbPath, OpenMode::ReadOnly);
    Statement statement(connection, CountStatement(game, clause));
    int count = 0;
    while (statement.Step()) {
        ++count;
    }
    return std::to_string(count + 1);
}

std::optional<std::string> CountDraws(const std::string& dbPath, Game game, const std::string& clause) {
    try {
        return CountDrawsOrThrow(dbPath, game, clause);
    } catch (const DbError&) {
        return std::nullopt;
    }
}

} // namespace drawbook
