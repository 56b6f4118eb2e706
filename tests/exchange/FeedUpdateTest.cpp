#include "exchange/FeedUpdate.h"
#include "cli/Cli.h"
#include "support/LoopbackServer.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace drawbook;
using namespace drawbook::test;

namespace {

constexpr const char* kFeedPath = "/data/numbers3_results_v2.csv";

// The real ナンバーズ3 history without its last `dropped` draws.
std::string WithoutLastDraws(const std::string& file, int dropped) {
    std::size_t end = file.size();
    for (int i = 0; i <= dropped; ++i) {
        end = file.rfind('\n', end - 1);
    }
    return file.substr(0, end + 1);
}

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

CliRun Update(const TestDatabase& db, const std::vector<std::string>& options) {
    std::vector<std::string> args = {"--db", db.Path(), "update", "3"};
    args.insert(args.end(), options.begin(), options.end());
    std::ostringstream out;
    std::ostringstream err;
    const int code = RunCli(args, out, err, db.Path(), DRAWBOOK_BUNDLED_DIR);
    return {code, out.str(), err.str()};
}

} // namespace

// A book two draws behind the feed catches up with their dates and payouts, once.
TEST(FeedUpdateTest, CatchesUpFromTheFeed) {
    const auto real = ShippedHistoryFile("numbers3_results.csv");
    if (!real) {
        FAIL() << "the shipped draw history in src/exchange/history is missing";
    }
    TestDatabase db;
    ASSERT_EQ(ImportDrawCsv(db.Path(), Game::Numbers3, WithoutLastDraws(*real, 2)).added, 7052U);
    LoopbackServer server;
    server.Serve(kFeedPath, {.body = *real});

    const CliRun first = Update(db, {"--url", server.Url(kFeedPath)});
    EXPECT_EQ(first.code, kExitOk) << first.err;
    EXPECT_EQ(first.out, "　2回分を追加しました（第7053回～第7054回）。登録済みの7052回分は飛ばしました。"
                         "抽せん日・当せん金を2回分に記録しました。。\n");
    EXPECT_EQ(db.Count("SELECT COUNT(*) FROM draw_results WHERE game = '3' AND kaisai = 7054 AND "
                       "draw_date = '2026-08-21' AND straight = 100100 AND box = 16600 AND set_straight = 58300 "
                       "AND set_box = 8300 AND mini = 10000"),
              1);
    EXPECT_EQ(db.Row(Game::Numbers3, 7053).substr(0, 10), "7053\t9\t1\t9");

    const std::string before = ReadBytes(db.Path());
    const CliRun second = Update(db, {"--url", server.Url(kFeedPath)});
    EXPECT_EQ(second.code, kExitOk);
    EXPECT_EQ(second.out, "　追加する回はありませんでした。登録済みの7054回分は飛ばしました。。\n");
    EXPECT_EQ(ReadBytes(db.Path()), before);
    EXPECT_EQ(server.Requests(kFeedPath), 2);
}

// Whatever goes wrong on the way, the book keeps its bytes and the message names the URL and the reason.
TEST(FeedUpdateTest, FailuresChangeNothing) {
    const auto real = ShippedHistoryFile("numbers3_results.csv");
    if (!real) {
        FAIL() << "the shipped draw history in src/exchange/history is missing";
    }
    std::string conflicting = *real;
    conflicting.replace(conflicting.find("1,1994-10-07,"), 13, "1,1994-10-08,");
    LoopbackServer server;
    struct Case {
        const char* name;
        Response response;
        UpdateOutcome outcome;
        std::string reason; // the message's end, or the report's second line
    };
    const auto failed = UpdateOutcome::NotDownloaded;
    // clang-format off
    const std::vector<Case> cases = {
        {"/html", {.body = "<!DOCTYPE html><html><body>Not here</body></html>", .contentType = "text/html"}, failed,
         "：当せん番号のファイルではなく、HTMLのページです。。"},
        {"/json", {.body = "{\"error\": \"rate limited\"}"}, failed, "：当せん番号のファイルではなく、JSONです。。"},
        {"/empty", {.body = "\xEF\xBB\xBF\r\n"}, failed, "：中身が空です。。"},
        {"/missing", {.status = 404, .body = "<html>404</html>"}, failed, "：サーバーの答えはHTTP 404でした。。"},
        {"/loop", {.status = 302, .headers = {{"Location", "/loop"}}}, failed, "：転送が3回を超えました。。"},
        {"/huge", {.body = std::string(21 * 1024 * 1024, '1')}, failed, "：20MBを超える大きさです。。"},
        {"/stall", {.body = *real, .delivery = Delivery::Stall}, failed,
         "：時間切れです（接続は1秒、受信は全体で1秒まで待ちます）。。"},
        {"/cut", {.body = *real, .delivery = Delivery::CloseMidBody}, failed, "：受け取る途中で接続が切れました。。"},
        {"/header", {.body = *real, .headers = {{"X-Padding", std::string(1024 * 1024, 'x')}}}, failed,
         "：サーバーの答えの見出しが大きすぎます。。"},
        // asked for with https, which a plain HTTP server cannot answer
        {"/tls", {.body = *real}, failed, "：暗号化した接続（TLS）を始められません"},
        {"/conflict", {.body = conflicting}, UpdateOutcome::Refused,
         "　2行目：第1回は抽せん日1994-10-07で登録済みです（ファイルでは1994-10-08）。。"},
    };
    // clang-format on
    TestDatabase db;
    ASSERT_EQ(ImportDrawCsv(db.Path(), Game::Numbers3, WithoutLastDraws(*real, 2)).added, 7052U);
    const std::string before = ReadBytes(db.Path());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        server.Serve(c.name, c.response);
        std::string url = server.Url(c.name);
        FeedLimits limits;
        if (c.name == std::string_view("/tls")) {
            url.replace(0, 4, "https");
        } else if (c.name == std::string_view("/stall")) {
            limits = {.connectSeconds = 1, .transferSeconds = 1};
        }
        const FeedUpdate update = UpdateFromFeed(db.Path(), Game::Numbers3, url, limits);
        EXPECT_EQ(update.outcome, c.outcome);
        if (c.outcome == failed) {
            // TLS failures end with the library's own words.
            const std::string expected = "　「" + url + "」から当せん番号を受け取れませんでした" + c.reason;
            EXPECT_EQ(update.message.substr(0, expected.size()), expected);
            EXPECT_TRUE(update.message.ends_with("。。")) << update.message;
        } else {
            ASSERT_EQ(update.import.report.size(), 2U);
            EXPECT_EQ(update.import.report[0], kFeedRefusedMessage);
            EXPECT_EQ(update.import.report[1], c.reason);
        }
        EXPECT_EQ(ReadBytes(db.Path()), before);
    }

    // The command line tells the two kinds apart.
    EXPECT_EQ(Update(db, {"--url", server.Url("/missing")}).code, kExitDownload);
    EXPECT_EQ(Update(db, {"--url", server.Url("/conflict")}).code, kExitRefused);
    EXPECT_EQ(Update(db, {"--url", "ftp://127.0.0.1/x.csv"}).code, kExitUsage);
    EXPECT_EQ(ReadBytes(db.Path()), before);
}

// A file that stops inside a line, even one whole but for its line end, is refused;
// the whole file afterwards is taken as if nothing had come before.
TEST(FeedUpdateTest, AFileCutShortIsRefused) {
    const auto real = ShippedHistoryFile("numbers3_results.csv");
    if (!real) {
        FAIL() << "the shipped draw history in src/exchange/history is missing";
    }
    // The last line is "7054,2026-08-21,...,8300,10000\n": file line 7055.
    const std::size_t lastLine = real->rfind('\n', real->size() - 2) + 1;
    const struct {
        std::size_t end;
        std::string line;
    } cuts[] = {
        {real->size() - 1, "　7055行目："},     // without the line end only
        {real->size() - 4, "　7055行目："},     // the mini payout 10 of 10000
        {lastLine + 2, "　7055行目："},         // the draw number 70 of 7054
        {real->find("draw_date"), "　1行目："}, // inside the header
    };
    TestDatabase db;
    ASSERT_EQ(ImportDrawCsv(db.Path(), Game::Numbers3, WithoutLastDraws(*real, 2)).added, 7052U);
    const std::string before = ReadBytes(db.Path());
    LoopbackServer server;
    for (const auto& cut : cuts) {
        SCOPED_TRACE(cut.end);
        server.Serve(kFeedPath, {.body = real->substr(0, cut.end)});
        const FeedUpdate update = UpdateFromFeed(db.Path(), Game::Numbers3, server.Url(kFeedPath), {});
        EXPECT_EQ(update.outcome, UpdateOutcome::Refused);
        EXPECT_EQ(update.import.report, (std::vector<std::string>{std::string(kFeedRefusedMessage),
                                                                  cut.line + "行が途中で切れています。。"}));
        EXPECT_EQ(ReadBytes(db.Path()), before);
    }
    server.Serve(kFeedPath, {.body = *real});
    const FeedUpdate whole = UpdateFromFeed(db.Path(), Game::Numbers3, server.Url(kFeedPath), {});
    EXPECT_EQ(whole.outcome, UpdateOutcome::Imported);
    EXPECT_EQ(whole.import.added, 2U);
    EXPECT_EQ(db.Count("SELECT COUNT(*) FROM draw_results WHERE game = '3' AND kaisai = 7054 AND mini = 10000"), 1);
}

// A cancel up to the last byte writes nothing.
TEST(FeedUpdateTest, CancelWritesNothing) {
    TestDatabase db;
    const std::string before = ReadBytes(db.Path());
    LoopbackServer server;
    server.Serve("/n3.csv", {.body = "draw_no,winning_number\n1,191\n"});
    const FeedUpdate update =
        UpdateFromFeed(db.Path(), Game::Numbers3, server.Url("/n3.csv"), {},
                       [](std::size_t received, std::size_t total) { return total == 0 || received < total; });
    EXPECT_EQ(update.outcome, UpdateOutcome::Canceled);
    EXPECT_EQ(ReadBytes(db.Path()), before);
}

TEST(FeedUpdateTest, BundledHistoryFillsANewBook) {
    TestDatabase db;
    const CliRun run = Update(db, {"--bundled"});
    EXPECT_EQ(run.code, kExitOk) << run.err;
    EXPECT_EQ(run.out, "　7054回分を追加しました（第1回～第7054回）。抽せん日・当せん金を7054回分に記録しました。。\n");
    EXPECT_EQ(Update(db, {"--bundled", "--url", "http://127.0.0.1/"}).code, kExitUsage);
}

// What the shipped history, up to 第7054回, offers a book by its next draw.
TEST(FeedUpdateTest, BundledHistoryOffers) {
    struct Case {
        const char* book;
        Game game;
        int nextDrawNo;
        bool offered;
        bool behind;
        const char* question;
    };
    const std::vector<Case> cases = {
        {"empty", Game::Numbers4, 1, true, false,
         "　過去の当せん番号（第1回～第7054回）を取り込みますか？\n\n　この記録帳には、まだナンバーズ４の回がありません"
         "。"
         "プログラムに付いている当せん番号を、抽せん日・当せん金とともに取り込みます。。"},
        {"draws 1-400", Game::Numbers3, 401, true, true,
         "　第401回～第7054回の当せん番号がありません。プログラムに付いている当せん番号から取り込みますか？"},
        {"one draw short", Game::Numbers3, 7054, true, true,
         "　第7054回の当せん番号がありません。プログラムに付いている当せん番号から取り込みますか？"},
        {"at 7054", Game::Numbers3, 7055, false, false, ""},
        {"beyond 7054", Game::Numbers4, 7101, false, false, ""},
    };
    for (const Case& c : cases) {
        const std::optional<HistoryOffer> offer = BundledHistoryOffer(c.game, c.nextDrawNo);
        ASSERT_EQ(offer.has_value(), c.offered) << c.book;
        if (offer) {
            EXPECT_EQ(offer->behind, c.behind) << c.book;
            EXPECT_EQ(offer->question, c.question) << c.book;
        }
    }
}

TEST(FeedUpdateTest, Summaries) {
    struct Case {
        std::size_t added;
        std::size_t completed;
        int first;
        int last;
        const char* summary;
    };
    const std::vector<Case> cases = {
        {6, 6, 7055, 7060, "　第7055回～第7060回の6回分を追加しました。。"},
        {1, 1, 7055, 7055, "　第7055回の1回分を追加しました。。"},
        {0, 0, 0, 0, "　記録帳は最新です（第7054回まで登録済み）。。"},
        {0, 3, 0, 0,
         "　記録帳は最新です（第7054回まで登録済み）。登録済みの3回分に抽せん日・当せん金を記録しました。。"},
        {2, 5, 7053, 7054,
         "　第7053回～第7054回の2回分を追加しました。登録済みの3回分に抽せん日・当せん金を記録しました。。"},
    };
    for (const Case& c : cases) {
        FeedUpdate update;
        update.import.added = c.added;
        update.import.completed = c.completed;
        update.import.firstAdded = c.first;
        update.import.lastAdded = c.last;
        update.lastDrawNo = 7054;
        EXPECT_EQ(UpdateSummary(update), c.summary);
    }
}

// A refused download keeps its text, so the replace asked for next needs none;
// the summary names the book's last draw, a hand-registered one included.
TEST(FeedUpdateTest, ARefusedBodyCanBeImportedAgainWithReplace) {
    const std::string body = "draw_no,draw_date,winning_number,digit1,digit2,digit3,straight_payout,box_payout,"
                             "set_straight_payout,set_box_payout,mini_payout\n"
                             "1,1994-10-07,191,1,9,1,119800,39900,79800,19900,11900\n"
                             "2,1994-10-14,988,9,8,8,333500,111100,222300,55500,33300\n";
    TestDatabase db;
    db.Insert(Game::Numbers3, {Draw(1, "191"), Draw(2, "989", {"123"}), Draw(10, "555")});
    const std::string before = ReadBytes(db.Path());

    const FeedUpdate refused = ImportFeedBody(db.Path(), Game::Numbers3, body, AddMode::Refuse);
    EXPECT_EQ(refused.outcome, UpdateOutcome::Refused);
    EXPECT_TRUE(refused.import.replaceable);
    EXPECT_EQ(refused.body, body);
    EXPECT_EQ(NamedDrawsText(refused.import.replaceableDraws), "第2回（当選数字 988）");
    EXPECT_EQ(ReadBytes(db.Path()), before);

    const FeedUpdate replaced = ImportFeedBody(db.Path(), Game::Numbers3, refused.body, AddMode::Replace);
    EXPECT_EQ(replaced.outcome, UpdateOutcome::Imported);
    EXPECT_EQ(replaced.lastDrawNo, 10);
    EXPECT_EQ(UpdateSummary(replaced),
              "　記録帳は最新です（第10回まで登録済み）。登録済みの1回分に抽せん日・当せん金を記録"
              "しました。登録済みの1回分をファイルの内容で置き換えました。。");
    EXPECT_EQ(db.Row(Game::Numbers3, 2), "2\t9\t8\t8\t123\t\t\t\t\t ");
    EXPECT_EQ(db.Count("SELECT count(*) FROM draw_results WHERE kaisai=2 AND straight=333500 AND mini=33300"), 1);
}

TEST(FeedUpdateTest, AcceptedUrls) {
    for (const char* good : {"https://example.org/n3.csv", "HTTP://127.0.0.1:8080/n3.csv", "file:///srv/n3.csv",
                             "file:///home/me/My Data/ナンバーズ3.csv"}) {
        EXPECT_EQ(FeedUrlProblem(good), std::nullopt) << good;
    }
    for (const char* bad : {"", "ftp://example.org/n3.csv", "https://", "example.org/n3.csv", "javascript:alert(1)",
                            "https://example.org/n3.csv\n", "file:/etc/passwd"}) {
        EXPECT_NE(FeedUrlProblem(bad), std::nullopt) << bad;
    }
}
