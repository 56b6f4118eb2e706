#pragma once

#include "draw/Game.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace drawbook {

// Whether the bytes begin as a Jet 3 or Jet 4 database does: the file format of
// the record books the Windows predecessor kept.
bool IsJetBytes(std::string_view bytes);
// The same for a file's first bytes; false when it cannot be read.
bool IsJetFile(const std::string& path);

// One row of an old book's game table as stored, a missing value as nothing.
struct JetRow {
    std::optional<long long> kaisai;
    std::array<std::optional<long long>, kMaxPositions> digits{}; // highest first, the game's positions
    std::array<std::optional<std::string>, kNumberCount> numbers{};
    std::optional<std::string> atari;
};

// What a build without the Jet reader says where another would read an old book.
inline constexpr std::string_view kNoJetReaderMessage = "　このバージョンでは古い形式のファイルを読めません。。";

// Both game tables of an old book, each in stored order.
struct JetBook {
    bool read = false;
    bool noReader = false; // not read because this build has no Jet reader
    std::string error;     // why it was not read
    std::array<std::vector<JetRow>, 2> tables;

    const std::vector<JetRow>& Rows(Game game) const { return tables[game == Game::Numbers3 ? 0 : 1]; }
};

// The Jet reader beside the running program; empty for a build without one (Windows).
std::string JetReaderPath();

// Reads every row of both tables of a Jet file, texts as UTF-8, through the Jet
// reader run as a program of its own, so that a damaged file cannot take this one
// down. A file that cannot be read, or lacks a table or one of its columns, gives
// the reason instead; so does a reader that crashes, takes longer than ten
// seconds, fails or answers out of shape. Without a reader the book is not read
// and noReader says so.
JetBook ReadJetBook(const std::string& path);
// The same with the given reader (empty: none) and time limit.
JetBook ReadJetBook(const std::string& path, const std::string& reader, std::chrono::milliseconds limit);

} // namespace drawbook
