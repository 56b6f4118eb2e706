#pragma once

#include "db/DrawQueries.h"

#include <optional>
#include <string>

namespace drawbook {

// The number of rows the clause selects plus one, as text. Throws DbError.
std::string CountDrawsOrThrow(const std::string& dbPath, Game game, const std::string& clause);

// The same, for the windows: nothing when the database cannot be read.
std::optional<std::string> CountDraws(const std::string& dbPath, Game game, const std::string& clause);

} // namespace drawbook
