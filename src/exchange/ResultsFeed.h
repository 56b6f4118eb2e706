#pragma once

#include "draw/Game.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace drawbook {

// Where each game's results file is published.
std::string_view DefaultFeedUrl(Game game);

// Why the text cannot be a source of results ("http://", "https://" and "file://"
// only), or nothing when it can.
std::optional<std::string> FeedUrlProblem(std::string_view url);

// "　取り込み元には https://、http://、file:// で始まるURLを入れてください。。"
std::string FeedUrlMessage(std::string_view problem);

// How long and how much a download may take.
struct FeedLimits {
    long connectSeconds = 10;
    long transferSeconds = 60;
    long maxRedirects = 3;
    std::size_t maxBytes = std::size_t{20} * 1024 * 1024;
};

// Told the bytes received so far and the whole size when the server gave it (else 0);
// false cancels the download.
using FeedProgress = std::function<bool(std::size_t received, std::size_t total)>;

enum class DownloadOutcome {
    Downloaded,
    Failed,   // reason says why
    Canceled, // the progress callback asked to stop
};

struct FeedDownload {
    DownloadOutcome outcome = DownloadOutcome::Failed;
    std::string body;
    std::string reason; // for Failed: "サーバーの答えはHTTP 404でした"
};

// Downloads the whole file the URL names; nothing is kept of a failed or canceled one.
// The fetch helper beside this program does the transfer.
FeedDownload DownloadFeed(const std::string& url, const FeedLimits& limits, const FeedProgress& progress = {});
FeedDownload DownloadFeed(const std::string& url, const FeedLimits& limits, const FeedProgress& progress,
                          const std::string& helper);

// The fetch helper beside the running program.
std::string FetchHelperPath();

// Why the body cannot be a results file (empty, an HTML page, JSON, binary), or nothing.
std::optional<std::string> FeedBodyProblem(std::string_view body);

// "　「https://…」から当せん番号を受け取れませんでした：サーバーの答えはHTTP 404でした。。"
std::string NotDownloadedMessage(std::string_view url, std::string_view reason);

} // namespace drawbook
