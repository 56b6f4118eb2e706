#include "exchange/ResultsFeed.h"

#include "exchange/CsvFile.h"
#include "exchange/FeedFrames.h"
#include "exchange/HelperProcess.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <chrono>

namespace drawbook {

namespace {

constexpr std::array<std::string_view, 3> kSchemes = {"https://", "http://", "file://"};

// Downloads run in a program of its own, the only one that loads libcurl.
constexpr std::string_view kFetchHelperName = "drawbook-fetch";
constexpr std::chrono::seconds kFetchGrace{5};

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

// RFC 3986's unreserved bytes, whatever the locale.
bool IsUnreserved(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') ||
           byte == '-' || byte == '.' || byte == '_' || byte == '~';
}

// A file:// path is a local file's name: every byte of it but the unreserved ones
// and '/' is percent-encoded, so that '#', '?' and '%' stay part of the name. In
// other URLs a space is escaped.
std::string EscapedUrl(std::string_view url) {
    constexpr std::string_view kFile = "file://";
    const bool file = StartsWithNoCase(url, kFile);
    std::string escaped(file ? url.substr(0, kFile.size()) : std::string_view());
    if (file) {
        url.remove_prefix(kFile.size());
    }
    constexpr std::string_view kHex = "0123456789ABCDEF";
    for (const char ch : url) {
        const auto byte = static_cast<unsigned char>(ch);
        const bool keep = file ? IsUnreserved(byte) || ch == '/' : ch != ' ';
        if (keep) {
            escaped += ch;
        } else {
            escaped += '%';
            escaped += kHex[byte >> 4];
            escaped += kHex[byte & 0xF];
        }
    }
    return escaped;
}

} // namespace

std::string_view DefaultFeedUrl(Game game) {
    return game == Game::Numbers3 ? "https://hazimekom.github.io/numbers4-api/data/numbers3_results_v2.csv"
                                  : "https://hazimekom.github.io/numbers4-api/data/numbers4_results_v2.csv";
}

std::optional<std::string> FeedUrlProblem(std::string_view url) {
    for (const std::string_view scheme : kSchemes) {
        if (StartsWithNoCase(url, scheme)) {
            if (url.size() == scheme.size()) {
                return "「" + std::string(url) + "」の後ろが空です";
            }
            if (std::any_of(url.begin(), url.end(),
                            [](char c) { return static_cast<unsigned char>(c) < ' ' || c == '\x7F'; })) {
                return "「" + std::string(url) + "」に改行かタブがあります";
            }
            return std::nullopt;
        }
    }
    return "「" + std::string(url) + "」は https://、http://、file:// のどれでも始まっていません";
}

std::string FeedUrlMessage(std::string_view problem) {
    return "　取り込み元には https://、http://、file:// で始まるURLを入れてください（" + std::string(problem) +
           "）。。";
}

std::string FetchHelperPath() {
    return HelperPath(kFetchHelperName);
}

FeedDownload DownloadFeed(const std::string& url, const FeedLimits& limits, const FeedProgress& progress) {
    return DownloadFeed(url, limits, progress, FetchHelperPath());
}

FeedDownload DownloadFeed(const std::string& url, const FeedLimits& limits, const FeedProgress& progress,
                          const std::string& helper) {
    FeedDownload result;
    if (const auto problem = FeedUrlProblem(url)) {
        result.reason = *problem;
        return result;
    }
    // The helper keeps libcurl's own limits; this one only catches a helper that hangs.
    const auto limit = std::chrono::seconds(std::max(limits.connectSeconds, limits.transferSeconds)) + kFetchGrace;
    FeedFrameReader reader(limits.maxBytes);
    std::size_t received = 0;
    std::size_t total = 0;
    const FeedProgress told = [&](std::size_t bytes, std::size_t size) {
        received = bytes;
        total = size;
        return !progress || progress(bytes, size);
    };
    const HelperRun run =
        StreamHelper(helper,
                     {EscapedUrl(url), std::to_string(limits.connectSeconds), std::to_string(limits.transferSeconds),
                      std::to_string(limits.maxRedirects), std::to_string(limits.maxBytes)},
                     limit, [&](std::string_view piece) {
                         // A quiet helper still lets the user cancel at once.
                         if (piece.empty() && reader.Current() == FeedFrameReader::State::Reading) {
                             if (!told(received, total)) {
                                 return false;
                             }
                         }
                         const auto state = reader.Add(piece, told);
                         return state == FeedFrameReader::State::Reading || state == FeedFrameReader::State::Ended;
                     });
    if (!run.started) {
        result.reason = "取り込みの手伝いをするプログラム（" + std::string(kFetchHelperName) + "）を始められません";
    } else if (run.stopped && reader.Current() != FeedFrameReader::State::Malformed) {
        result.outcome = DownloadOutcome::Canceled;
    } else if (reader.Current() == FeedFrameReader::State::Malformed) {
        result.reason = "取り込みの手伝いをするプログラムの答えが読めません";
    } else if (run.timedOut || run.signal != 0 || run.exitCode != 0 ||
               reader.Current() != FeedFrameReader::State::Ended) {
        result.reason = "取り込みの手伝いをするプログラムが途中で止まりました";
    } else {
        result = reader.Take();
    }
    return result;
}
std::optional<std::string> FeedBodyProblem(std::string_view body) {
    if (body.starts_with(kUtf8Bom)) {
        body.remove_prefix(kUtf8Bom.size());
    }
    const auto first = body.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return "中身が空です";
    }
    const char c = body[first];
    if (c == '<') {
        return "当せん番号のファイルではなく、HTMLのページです";
    }
    if (c == '{' || c == '[') {
        return "当せん番号のファイルではなく、JSONです";
    }
    if (body.find('\0') != std::string_view::npos) {
        return "当せん番号のファイルではありません";
    }
    return std::nullopt;
}

std::string NotDownloadedMessage(std::string_view url, std::string_view reason) {
    return "　「" + std::string(url) + "」から当せん番号を受け取れませんでした：" + std::string(reason) + "。。";
}

} // namespace drawbook
