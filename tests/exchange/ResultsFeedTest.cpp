#include "exchange/ResultsFeed.h"
#include "support/LoopbackServer.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace drawbook;
using namespace drawbook::test;

namespace {

constexpr const char* kBody = "draw_no,winning_number\n1,191\n";

std::string Outcome(const FeedDownload& download) {
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
