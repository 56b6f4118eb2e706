#pragma once

#include "draw/ResultsText.h"
#include "exchange/DrawCsv.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace drawbook {

enum class ImportOutcome {
    Imported,
    Refused, // the file or a stored draw disagrees: nothing was written
    Failed,  // the database refused: nothing was written
};

struct ImportResult : AddCounts {
    ImportOutcome outcome = ImportOutcome::Imported;
    std::vector<std::string> report; // for Refused: the lines to show
    std::string error;               // for Failed
    // For Refused: every problem is a stored draw the file disagrees with, so the
    // same file with AddMode::Replace would go through; the draws, ascending.
    bool replaceable = false;
    std::vector<NamedDraw> replaceableDraws; // with the file's digits
};

// Hands the draws of a file to the store; a stored draw with other digits
// refuses the whole file unless the mode replaces it, and the report names the file lines.
ImportResult ImportDraws(const std::string& dbPath, Game game, const std::vector<CsvDraw>& draws,
                         AddMode mode = AddMode::Refuse);

// Reads the file's bytes and imports them.
ImportResult ImportDrawCsv(const std::string& dbPath, Game game, std::string_view bytes,
                           AddMode mode = AddMode::Refuse);

// The first line of every refusal report of an old Jet book.
inline constexpr std::string_view kJetRefusedMessage =
    "　以前の形式の記録帳を取り込めませんでした。記録は何も変わっていません。。";

// Stores what a file holds, or refuses it with its problems under refusedMessage;
// a missing database is created first when asked.
ImportResult ImportRead(const std::string& dbPath, Game game, DrawCsv csv, bool createMissingBook,
                        std::string_view refusedMessage = kCsvRefusedMessage, AddMode mode = AddMode::Refuse);

// Reads the file, a CSV file or an old Jet book told apart by its bytes, and
// imports it; a missing database file is created first, as the program does on
// its first start. Nothing is created for a file refused.
ImportResult ImportDrawFile(const std::string& dbPath, Game game, const std::string& path,
                            AddMode mode = AddMode::Refuse);

// Imports the draws of one game from an old Jet book with their numbers and hit
// markers; rows with kaisai 0 or below are left out, a draw without its digits
// refuses the whole file.
ImportResult ImportJetFile(const std::string& dbPath, Game game, const std::string& path,
                           AddMode mode = AddMode::Refuse);

// What happened, for an import that succeeded:
// "　3回分を追加しました（第7052回～第7054回）。登録済みの7051回分は飛ばしました。。", and how many
// draws got dates or payouts: "…抽せん日・当せん金を7054回分に記録しました。。", and how many
// stored draws took the file's values: "…登録済みの2回分をファイルの内容で置き換えました。。"
std::string ImportSummary(const ImportResult& result);

// "登録済みの2回分をファイルの内容で置き換えました。", or nothing when none were.
std::string ReplacedText(const AddCounts& counts);

// The question after a refusal that a replace would get past: "　ファイルの内容で
// 置き換えますか？…第2回（当選数字 989）を、ファイルのとおりに…"
std::string ReplaceQuestion(const ImportResult& result);

// "　n3.csvを開けませんでした。。"
std::string FileNotReadMessage(std::string_view path);

} // namespace drawbook
