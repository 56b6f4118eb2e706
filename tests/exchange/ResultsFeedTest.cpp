#include "exchange/ResultsFeed.h"
#include "support/LoopbackServer.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

using namespace drawbook;
using namespace drawbook::test;

namespace {

constexpr const char* kBody = "draw_no,winning_number\n1,191\n";

std::string Outcome(const FeedDownload& download) {
    if (download.outcome == DownloadOutcome::Canceled) {
        return "canceled";
    }
    return download.outcome == DownloadOutcome::Downloaded ? "downloaded " + download.body : download.reason;
}

} // namespace

// A local file is found whatever its folders are called.
TEST(ResultsFeedTest, LocalFileNamesAreSentEscaped) {
    const TempDir dir;
    for (const char* folder : {"My Data", "no#1", "why?", "100%", "ナンバーズ", "a+b=c;d"}) {
        SCOPED_TRACE(folder);
        std::filesystem::create_directory(dir.Path() / folder);
        const std::string path = (dir.Path() / folder / "n3.csv").string();
        std::ofstream(path) << kBody;
        EXPECT_EQ(Outcome(DownloadFeed("file://" + path, {})), std::string("downloaded ") + kBody);
    }
}

// The limits hold for bodies sent in chunks without a length, and for redirects
// (three followed, a fourth refused, never one to a local file).
TEST(ResultsFeedTest, LimitsHoldOnTheWay) {
    const TempDir dir;
    const std::string local = dir.File("n3.csv");
    std::ofstream(local) << kBody;
    const std::string body(100, '1');
    LoopbackServer server;
    server.Serve("/exact", {.body = body, .delivery = Delivery::Chunked, .stallAfter = 30});
    server.Serve("/over", {.body = body + "1", .delivery = Delivery::Chunked, .stallAfter = 30});
    server.Serve("/r0", {.status = 302, .headers = {{"Location", "/r1"}}});
    server.Serve("/r1", {.status = 302, .headers = {{"Location", "/r2"}}});
    server.Serve("/r2", {.status = 301, .headers = {{"Location", "/r3"}}});
    server.Serve("/r3", {.status = 302, .headers = {{"Location", "/exact"}}});
    server.Serve("/local", {.status = 302, .headers = {{"Location", "file://" + local}}});
    struct Case {
        const char* path;
        std::string outcome;
    };
    const std::vector<Case> cases = {
        {"/exact", "downloaded " + body},
        {"/over", "100バイトを超える大きさです"},
        {"/r1", "downloaded " + body},
        {"/r0", "転送が3回を超えました"},
        {"/local", "https://、http:// のほかへの転送には従いません"},
    };
    const FeedLimits limits{.maxBytes = 100};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(Outcome(DownloadFeed(server.Url(c.path), limits)), c.outcome);
    }
}

// Whatever the fetch helper does wrong ends as a failure with nothing downloaded, and
// a cancel stops a helper that hangs at once.
TEST(ResultsFeedTest, AHelperThatFailsDownloadsNothing) {
    constexpr const char* kStopped = "取り込みの手伝いをするプログラムが途中で止まりました";
    constexpr const char* kUnreadable = "取り込みの手伝いをするプログラムの答えが読めません";
    const struct {
        const char* name;
        const char* script; // the stand-in helper's body; nullptr for no helper at all
        std::string outcome;
    } cases[] = {
        {"a whole body", "printf 'progress 0 0\\nprogress 3 3\\nbody 3\\n1,2'", "downloaded 1,2"},
        {"a failure passed on", "printf 'failed 8\\nHTTP 404'", "HTTP 404"},
        {"crash mid-transfer", "printf 'progress 5 10\\n'; kill -SEGV $$", kStopped},
        {"body cut short", "printf 'body 10\\n1,2'", kStopped},
        {"exit 1 after a body", "printf 'body 3\\n1,2'; exit 1", kStopped},
        {"malformed output", "printf 'hello\\n'; exec sleep 30", kUnreadable},
        {"bytes after the body", "printf 'body 3\\n1,23'", kUnreadable},
        {"a body over the limit", "printf 'body 101\\n'; exec sleep 30", kUnreadable},
        {"canceled while it hangs", "printf 'progress 7 0\\n'; exec sleep 30", "canceled"},
        {"no helper", nullptr, "取り込みの手伝いをするプログラム（drawbook-fetch）を始められません"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TempDir dir;
        const std::string helper = dir.File("drawbook-fetch");
        if (c.script != nullptr) {
            std::ofstream(helper) << "#!/bin/sh\n" << c.script << "\n";
            std::filesystem::permissions(helper, std::filesystem::perms::owner_all);
        }
        const auto started = std::chrono::steady_clock::now();
        const FeedDownload download = DownloadFeed(
            "http://127.0.0.1:9/n3.csv", {.maxBytes = 100},
            [](std::size_t received, std::size_t) { return received != 7; }, helper);
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
        EXPECT_EQ(Outcome(download), c.outcome);
        if (download.outcome != DownloadOutcome::Downloaded) {
            EXPECT_EQ(download.body, "");
        }
    }
}
