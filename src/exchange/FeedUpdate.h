#pragma once

#include "exchange/DrawImport.h"
#include "exchange/ResultsFeed.h"

#include <string>
#include <string_view>

namespace drawbook {

// The history shipped beside the program: the results file of each game as it
// was published up to kBundledLastDraw.
inline constexpr int kBundledLastDraw = 7054;
std::string_view BundledHistoryFileName(Game game);

// "　過去の当せん番号（第1回～第7054回）を取り込みますか？…"
std::string BundledHistoryQuestion(Game game);

// The first line of every refusal report of a downloaded results file.
inline constexpr std::string_view kFeedRefusedMessage =
    "　最新の当せん番号を取り込めませんでした。記録は何も変わっていません。。";

enum class UpdateOutcome {
    Imported,
    Refused,       // the file disagrees with the book or with itself: nothing was written
    Failed,        // the database refused: nothing was written
    NotDownloaded, // message names the URL and the reason
    Canceled,
};

struct FeedUpdate {
    UpdateOutcome outcome = UpdateOutcome::Imported;
    ImportResult import; // for Imported, Refused and Failed
    int lastDrawNo = 0;  // the book's last draw after the update, for Imported
    std::string message; // for NotDownloaded
    std::string body;    // the downloaded file's text, kept after a refusal
};

// Downloads the game's results file and imports it with its dates and payouts;
// a file that cannot be had changes nothing. The progress callback is asked once
// more before anything is written, so a cancel up to then changes nothing either.
FeedUpdate UpdateFromFeed(const std::string& dbPath, Game game, const std::string& url, const FeedLimits& limits,
                          const FeedProgress& progress = {}, AddMode mode = AddMode::Refuse);

// Imports a downloaded results file's text as UpdateFromFeed does after its
// download, so that a replace asked for after a refusal needs no second download.
FeedUpdate ImportFeedBody(const std::string& dbPath, Game game, std::string_view body, AddMode mode);

// What an update did: "　第7055回～第7060回の6回分を追加しました。。", or that the book was current.
std::string UpdateSummary(const FeedUpdate& update);

} // namespace drawbook
