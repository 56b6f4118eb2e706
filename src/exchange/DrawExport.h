#pragma once

#include "db/ReadStatus.h"
#include "draw/Game.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace drawbook {

// The leading columns of an exported file: the draw list's captions.
inline constexpr std::string_view kCsvHeader = "開催回数,当選数字,予想数字１,予想数字２,予想数字３,予想数字４,予想数字５";

// The header row of a game's exported file: the draw list's captions, then
// 抽せん日 and the game's payouts ("…,抽せん日,ストレート,ボックス,…").
std::string CsvHeader(Game game);

struct ExportResult {
    ReadStatus status = ReadStatus::Complete;
    std::string csv; // header and one line per draw, LF-terminated; empty unless Complete
    std::size_t draws = 0;
    std::string error;
};

// Every draw with kaisai>0 in draw order: draw number, winning number with its
// leading zeros, the five numbers, the date and the payouts (empty where unknown).
ExportResult ExportDrawCsv(const std::string& dbPath, Game game);

// Writes an exported file with the byte-order mark spreadsheets look for; a file
// already there is replaced only when the whole text is written.
bool WriteExportFile(const std::string& path, std::string_view csv);

// "　7054回分を書き出しました。。"
std::string ExportedMessage(std::size_t draws);

// "　n3.csvに書き出せませんでした。。"
std::string FileNotWrittenMessage(std::string_view path);

} // namespace drawbook
