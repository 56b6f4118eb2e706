#include "cli/Cli.h"
#include "support/TestDatabase.h"
#include "tickets/TicketSummary.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace drawbook {
namespace {

using test::TestDatabase;

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

CliRun Tool(const std::vector<std::string>& args, const std::string& dbPath) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = RunCli(args, out, err, dbPath);
    return {code, out.str(), err.str()};
}

// The lines of the text that start with the prefix.
std::string LinesStarting(const std::string& text, const std::string& prefix) {
    std::istringstream lines(text);
    std::string kept;
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with(prefix)) {
            kept += line + "\n";
        }
    }
    return kept;
}

// The listed rows of draws 7051-7054.
std::string DrawLines(const std::string& list) {
    return LinesStarting(list, "7051\t") + LinesStarting(list, "7052\t") + LinesStarting(list, "7053\t") +
           LinesStarting(list, "7054\t");
}

constexpr const char* kHeader = "id\tdraw\tnumber\tbet\tunits\tcost\tresult\twon\n";

// A book holding the real history to draw 7050; tickets bought for 7051-7054, then the
// real files fetched. Yen by hand from the history: ナンバーズ3 7051 409 (box 15,500), 7052
// 872 (set straight 64,800), 7053 919 (mini 8,800), 7054 286 (straight 100,100); ナンバーズ4
// 7051 6105 (box 46,100), 7052 5980 (straight 1,473,700), 7053 9298 (set box 45,200), 7054
// 9577 (set straight 1,152,800).
TEST(TicketsCliTest, TicketsBoughtBeforeTheDrawsAreSettledByTheUpdate) {
    TestDatabase db;
    std::vector<std::string> files;
    for (const std::string code : {"3", "4"}) {
        const auto history = test::ShippedHistoryFile("numbers" + code + "_results.csv");
        ASSERT_TRUE(history) << "the shipped draw history in src/exchange/history is missing";
        std::size_t end = 0;
        for (int line = 0; line < 7051; ++line) { // the header and draws 1-7050
            end = history->find('\n', end) + 1;
        }
        const std::string partial = db.Dir().File("to7050_" + code + ".csv");
        test::WriteBytes(partial, history->substr(0, end));
        ASSERT_EQ(Tool({"import", code, partial}, db.Path()).code, 0);
        files.push_back(db.Dir().File("numbers" + code + "_results.csv"));
        test::WriteBytes(files.back(), *history);
    }

    const CliRun first = Tool({"buy", "3", "490", "box", "--draws", "3"}, db.Path());
    EXPECT_EQ(first.code, 0) << first.err;
    EXPECT_EQ(first.out, "1\t7051\t490\tbox\t1\t200\tpending\t0\n"
                         "2\t7052\t490\tbox\t1\t200\tpending\t0\n"
                         "3\t7053\t490\tbox\t1\t200\tpending\t0\n");
    for (const std::vector<std::string>& buy : std::vector<std::vector<std::string>>{
             {"buy", "3", "872", "set", "--draw", "7052", "--units", "2"},
             {"buy", "3", "119", "mini", "--draw", "7053", "--units", "3"},
             {"buy", "3", "286", "straight", "--draw", "7054"},
             {"buy", "4", "5016", "box", "--draws", "3"},
             {"buy", "4", "5980", "straight", "--draw", "7052", "--units", "5"},
             {"buy", "4", "9928", "set", "--draw", "7053"},
             {"buy", "4", "9577", "set", "--draw", "7054", "--units", "2"},
         }) {
        const CliRun run = Tool(buy, db.Path());
        EXPECT_EQ(run.code, 0) << buy[2] << run.err;
    }
    EXPECT_EQ(LinesStarting(Tool({"tickets", "4"}, db.Path()).out, "1"),
              "10\t7052\t5980\tstraight\t5\t1000\tpending\t0\n"
              "11\t7053\t9928\tset\t1\t200\tpending\t0\n"
              "12\t7054\t9577\tset\t2\t400\tpending\t0\n");

    for (std::size_t g = 0; g < files.size(); ++g) {
        const CliRun update = Tool({"update", g == 0 ? "3" : "4", "--url", test::FileUrl(files[g])}, db.Path());
        ASSERT_EQ(update.code, 0) << update.err;
    }

    EXPECT_EQ(Tool({"tickets", "3"}, db.Path()).out, std::string(kHeader) +
                                                         "1\t7051\t490\tbox\t1\t200\twon\t15500\n"
                                                         "2\t7052\t490\tbox\t1\t200\tlost\t0\n"
                                                         "4\t7052\t872\tset\t2\t400\twon\t129600\n"
                                                         "3\t7053\t490\tbox\t1\t200\tlost\t0\n"
                                                         "5\t7053\t119\tmini\t3\t600\twon\t26400\n"
                                                         "6\t7054\t286\tstraight\t1\t200\twon\t100100\n");
    EXPECT_EQ(Tool({"tickets", "4"}, db.Path()).out, std::string(kHeader) +
                                                         "7\t7051\t5016\tbox\t1\t200\twon\t46100\n"
                                                         "8\t7052\t5016\tbox\t1\t200\tlost\t0\n"
                                                         "10\t7052\t5980\tstraight\t5\t1000\twon\t7368500\n"
                                                         "9\t7053\t5016\tbox\t1\t200\tlost\t0\n"
                                                         "11\t7053\t9928\tset\t1\t200\twon\t45200\n"
                                                         "12\t7054\t9577\tset\t2\t400\twon\t2305600\n");

    // The draws arrived without numbers: they take their tickets'.
    const std::string list3 = Tool({"list", "3"}, db.Path()).out;
    const std::string list4 = Tool({"list", "4"}, db.Path()).out;
    EXPECT_EQ(LinesStarting(list3, "7050\t"), "7050\t978\t　\t　\t　\t　\t　\n");
    EXPECT_EQ(DrawLines(list3), "7051\t409\t490\t　\t　\t　\t　\n"
                                "7052\t872\t490\t872\t　\t　\t　\n"
                                "7053\t919\t490\t119\t　\t　\t　\n"
                                "7054\t286\t286\t　\t　\t　\t　\n");
    EXPECT_EQ(DrawLines(list4), "7051\t6105\t5016\t　\t　\t　\t　\n"
                                "7052\t5980\t5016\t5980\t　\t　\t　\n"
                                "7053\t9298\t5016\t9928\t　\t　\t　\n"
                                "7054\t9577\t9577\t　\t　\t　\t　\n");

    // Units as tickets; 回収率 15,500 / 600 = 2583.3 %, 46,100 / 600 = 7683.3 %.
    EXPECT_EQ(LinesStarting(Tool({"ledger", "3"}, db.Path()).out, "tickets\t"),
              "tickets\tstraight\t1\t200\t100100\t99900\t50050.0\n"
              "tickets\tbox\t3\t600\t15500\t14900\t2583.3\n"
              "tickets\tset\t2\t400\t129600\t129200\t32400.0\n"
              "tickets\tmini\t3\t600\t26400\t25800\t4400.0\n");
    EXPECT_EQ(LinesStarting(Tool({"ledger", "4"}, db.Path()).out, "tickets\t"),
              "tickets\tstraight\t5\t1000\t7368500\t7367500\t736850.0\n"
              "tickets\tbox\t3\t600\t46100\t45500\t7683.3\n"
              "tickets\tset\t3\t600\t2350800\t2350200\t391800.0\n");

    // What the window adds to the update's summary.
    EXPECT_EQ(NewDrawsSummary(db.Path(), Game::Numbers3, 7051, 7054),
              (std::vector<std::string>{
                  "第7051回：490 ボックス 1口 当せん 15,500円", "第7052回：872 セット 2口 当せん 129,600円",
                  "第7053回：119 ミニ 3口 当せん 26,400円", "第7054回：286 ストレート 1口 当せん 100,100円"}));

    // A ticket of the other game is not this game's to remove.
    const CliRun other = Tool({"unbuy", "3", "7"}, db.Path());
    EXPECT_EQ(other.code, 1);
    EXPECT_EQ(other.err, "　番号7の購入記録はありません。何も削除していません。。\n");
    EXPECT_EQ(Tool({"unbuy", "3", "2"}, db.Path()).code, 0);
    EXPECT_EQ(Tool({"tickets", "3", "--draw", "7052"}, db.Path()).out,
              std::string(kHeader) + "4\t7052\t872\tset\t2\t400\twon\t129600\n");
}

TEST(TicketsCliTest, BuyRefusesAndExplainsItsUsage) {
    TestDatabase db;
    db.Insert(Game::Numbers3, {test::Draw(1, "123")});
    const std::string bytes = test::ReadBytes(db.Path());
    struct Case {
        std::vector<std::string> args;
        int code;
        const char* err; // the start of stderr
    };
    const std::vector<Case> cases = {
        {{"buy", "3", "12", "straight"}, 1, "　数字は三桁の数字で記入してください。。\n"},
        {{"buy", "3", "777", "box"}, 1, "　ゾロ目（777）のボックス・セットは販売されていません。。\n"},
        {{"buy", "4", "0000", "set", "--draws", "2"},
         1,
         "　ゾロ目（0000）のボックス・セットは販売されていません。。\n"},
        {{"buy", "3", "123", "bogus"},
         2,
         "drawbook-cli: 買い方は straight、box、set、mini のどれかで指定してください: bogus\n"},
        {{"buy", "4", "1234", "mini"}, 2, "drawbook-cli: mini はナンバーズ３だけの買い方です\n"},
        {{"buy", "3", "123", "box", "--units", "0"},
         2,
         "drawbook-cli: --units は 1 から 99 までで指定してください: 0\n"},
        {{"buy", "3", "123", "box", "--units", "100"},
         2,
         "drawbook-cli: --units は 1 から 99 までで指定してください: 100\n"},
        {{"buy", "3", "123", "box", "--draws", "21"},
         2,
         "drawbook-cli: --draws は 1 から 20 までで指定してください: 21\n"},
        {{"buy", "3", "123", "box", "--draw", "32768"},
         2,
         "drawbook-cli: --draw は 1 から 32767 までで指定してください: 32768\n"},
        {{"buy", "3", "123", "box", "--draw", "32767", "--draws", "2"},
         2,
         "drawbook-cli: 開催回は 32767 までです: 第32768回\n"},
        {{"unbuy", "3", "x"}, 2, "drawbook-cli: ID は tickets が表示する 1 以上の番号で指定してください: x\n"},
        {{"unbuy", "3", "1"}, 1, "　番号1の購入記録はありません。何も削除していません。。\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[2] + " " + c.args.back());
        const CliRun run = Tool(c.args, db.Path());
        EXPECT_EQ(run.code, c.code);
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(run.err.starts_with(c.err)) << run.err;
        EXPECT_EQ(test::ReadBytes(db.Path()), bytes);
    }
    // A book that holds no tickets lists none.
    EXPECT_EQ(Tool({"tickets", "3"}, db.Path()).out, kHeader);
}

} // namespace
} // namespace drawbook
