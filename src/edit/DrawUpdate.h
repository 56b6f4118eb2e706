#pragma once

#include "db/DrawQueries.h"
#include "db/DrawStore.h"
#include "draw/DrawEdit.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace drawbook {

inline constexpr std::string_view kMissingDigitMessage = "　当選数字に記入漏れがあります。。";
inline constexpr std::string_view kNotOneDigitMessage = "　当選数字は一桁の数字で記入してください。。";

// Readies the fields for storing: an empty number becomes "　" and a full-width
// digit the plain one. Returns the message when the digits cannot be stored.
std::optional<std::string> PrepareDrawEdit(Game game, DrawEdit& edit);

// "UPDATE ナンバーズ3 SET N100=1,…,kounyu5='789',atari=' ' WHERE kaisai=15" for a prepared edit.
std::string UpdateDrawStatement(Game game, const DrawEdit& edit);

enum class StoreOutcome {
    Stored,
    NoSuchDraw, // no row has the draw number: nothing was written
    Failed,     // the database refused: nothing was written
};

struct StoreResult {
    StoreOutcome outcome = StoreOutcome::Stored;
    std::string error;
};

// Writes a prepared edit into the row of its draw, in one transaction.
StoreResult WriteDraw(const std::string& dbPath, Game game, const std::string& clause, const DrawEdit& edit);

} // namespace drawbook
