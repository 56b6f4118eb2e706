#include "cli/Cli.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

using namespace drawbook;
using namespace drawbook::test;

namespace {

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

CliRun RunTool(const std::vector<std::string>& args, const std::string& defaultDbPath) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = RunCli(args, out, err, defaultDbPath);
    return {code, out.str(), err.str()};
}

std::vector<TestDraw> Draws(int count) {
    std::vector<TestDraw> draws;
    for (int kaisai = 1; kaisai <= count; ++kaisai) {
        draws.push_back({kaisai, {kaisai % 10, 0, 1}});
    }
    return draws;
}

} // namespace

TEST(CliTest, UsageErrors) {
    TestDatabase db;
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"frob", "3"},
        {"next", "5"},
        {"list", "ナンバーズ3"},
        {"next"},
        {"list", "3", "4"},
        {"--db"},
        {"next", "3", "--db"},
        {"--db", db.Path()},
        // predict and search
        {"predict"},
        {"predict", "5"},
        {"search", "3", "box"},
        {"search", "3", "sideways", "123"},
        {"search", "3", "box", "12"},
        {"search", "4", "box", "123"},
        {"search", "3", "straight", "1234"},
        {"search", "3", "box", "1a3"},
        {"search", "3", "box", "１２３"},
        {"search", "3", "box", "1 3"},
        {"search", "3", "box", "123", "extra"},
        // store
        {"store", "3", "15"},
        {"store", "3", "x", "409"},
        {"store", "3", "0", "409"},
        {"store", "3", "015", "409"},
        {"store", "3", "15", "409", "--numbers"},
        {"store", "3", "15", "409", "--numbers", "1,2,3,4,5,6"},
        // register
        {"register", "409"},
        {"register", "409", "1234", "5"},
        {"register", "409", "1234", "--numbers3"},
        {"register", "409", "1234", "--numbers4=1,2,3,4,5,"},
        // import and export
        {"import", "3"},
        {"import", "5", "draws.csv"},
        {"import", "3", "draws.csv", "more.csv"},
        {"export"},
        {"export", "ナンバーズ3"},
        {"export", "3", "out.csv", "more.csv"},
        {"import", "3", "--replace"},
        {"update", "3", "--replace", "4"},
        // delete
        {"delete"},
        {"delete", "3"},
        {"delete", "5", "1"},
        {"delete", "3", "1", "0"},
        {"delete", "3", "x"},
        {"delete", "3", "32768"},
        {"delete", "3", "1000000"},
        // backtest and stats
        {"backtest"},
        {"backtest", "5"},
        {"backtest", "3", "4"},
        {"backtest", "3", "--method", "best"},
        {"predict", "3", "--method"},
        {"compare", "3", "--last", "0"},
        {"compare", "3", "--method", "hot"},
        {"stats"},
        {"stats", "3", "--last"},
        {"stats", "3", "--last", "0"},
        {"stats", "3", "--last", "-5"},
        {"stats", "3", "--last", "x"},
        {"stats", "3", "4"},
        {"ledger"},
        {"ledger", "5"},
        {"ledger", "3", "--last", "0"},
        {"ledger", "3", "4"},
    };
    // Arguments are looked at before the database is.
    TempDir dir;
    for (const auto& args : wrong) {
        for (const std::string& path : {db.Path(), dir.File("ナンバーズ.mdb")}) {
            const CliRun run = RunTool(args, path);
            EXPECT_EQ(run.code, 2) << ::testing::PrintToString(args);
            EXPECT_EQ(run.out, "");
            EXPECT_NE(run.err.find("drawbook-cli"), std::string::npos);
        }
    }
}

TEST(CliTest, HelpAndVersionPrintOnStdoutAndExitZero) {
    TempDir dir;
    const std::string missing = dir.File("ナンバーズ.mdb");
    // The usage a usage error shows below its message.
    const std::string refused = RunTool({}, missing).err;
    const std::string usage = refused.substr(refused.find('\n') + 1);
    EXPECT_TRUE(usage.starts_with("使い方: drawbook-cli"));
    EXPECT_NE(usage.find("--help | -h | --version"), std::string::npos);
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--help"}, usage},
        {{"-h"}, usage},
        {{"--db", missing, "--help"}, usage},
        {{"--db=" + missing, "-h"}, usage},
        {{"--version"}, "drawbook-cli 2.0\n"},
        {{"--db", missing, "--version"}, "drawbook-cli 2.0\n"},
    };
    for (const auto& [args, expected] : cases) {
        const CliRun run = RunTool(args, missing);
        EXPECT_EQ(run.code, 0) << ::testing::PrintToString(args);
        EXPECT_EQ(run.out, expected);
        EXPECT_EQ(run.err, "");
    }
    EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(missing)));
}

TEST(CliTest, NextPrintsTheComingDraw) {
    TestDatabase db;
    EXPECT_EQ(RunTool({"next", "3"}, db.Path()).out, "1\n");

    db.Insert(Game::Numbers3, Draws(250));
    const CliRun run = RunTool({"next", "3"}, db.Path());
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "251\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(RunTool({"next", "4"}, db.Path()).out, "1\n");
}

TEST(CliTest, ListPrintsDrawsTabSeparated) {
    TestDatabase db;
    db.Insert(Game::Numbers4, {{12, {1, 0, 2, 0}, {"1234", "", "0007", "", ""}},
                               {0, {9, 9, 9, 9}, {"9999", "", "", "", ""}},
                               {3, {0, 0, 0, 7}, {"", "", "", "", "5678"}}});
    const CliRun run = RunTool({"list", "4"}, db.Path());
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "3\t0007\t\t\t\t\t5678\n"
                       "12\t1020\t1234\t\t0007\t\t\n");
    EXPECT_EQ(RunTool({"list", "3"}, db.Path()).out, "");
}

TEST(CliTest, DbOptionChoosesTheFile) {
    TestDatabase fallback;
    TestDatabase chosen;
    chosen.Insert(Game::Numbers3, Draws(4));
    EXPECT_EQ(RunTool({"next", "3"}, fallback.Path()).out, "1\n");
    EXPECT_EQ(RunTool({"--db", chosen.Path(), "next", "3"}, fallback.Path()).out, "5\n");
    EXPECT_EQ(RunTool({"--db=" + chosen.Path(), "next", "3"}, fallback.Path()).out, "5\n");
}

TEST(CliTest, DatabaseFailures) {
    TempDir dir;
    const std::string missing = dir.File("ナンバーズ.mdb");
    for (const char* verb : {"next", "list", "predict", "ledger"}) {
        const CliRun run = RunTool({verb, "3"}, missing);
        EXPECT_EQ(run.code, 3) << verb;
        EXPECT_EQ(run.out, "");
        EXPECT_FALSE(run.err.empty());
    }
    EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(missing)));

    const std::string note = dir.File("note.txt");
    std::ofstream(PathFromUtf8(note)) << "not a database\n";
    EXPECT_EQ(RunTool({"--db", note, "next", "4"}, missing).code, 3);
    EXPECT_EQ(RunTool({"--db=" + note, "list", "4"}, missing).code, 3);
    EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(missing)));
}

TEST(CliTest, ListStoppedByDamagePrintsNothingAndFails) {
    TestDatabase db;
    db.FillAndDamageMiddle(3000);
    const CliRun run = RunTool({"list", "3"}, db.Path());
    EXPECT_EQ(run.code, 3);
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(run.err.empty());
}

TEST(CliTest, PredictPrintsFiveNumbersRankOneFirst) {
    TestDatabase db;
    db.Insert(Game::Numbers3, {{1, {1, 2, 3}}, {2, {4, 5, 6}}, {3, {1, 2, 3}}, {4, {7, 8, 9}}, {5, {1, 2, 3}}});
    const CliRun three = RunTool({"predict", "3"}, db.Path());
    EXPECT_EQ(three.code, 0);
    EXPECT_EQ(three.out, "789\n456\n998\n877\n665\n");
    EXPECT_EQ(three.err, "");
    EXPECT_EQ(RunTool({"predict", "4"}, db.Path()).out, "9999\n8888\n7777\n6666\n5555\n");
}

TEST(CliTest, SearchPrintsMatchingRowsAsListDoes) {
    TestDatabase db;
    db.Insert(Game::Numbers3, {{1, {1, 5, 2}, {"152", "", "", "", ""}},
                               {2, {5, 1, 2}},
                               {3, {0, 5, 0}},
                               {-2, {9, 5, 9}, {"", "", "", "", "959"}}});
    // Straight: the tens digit 5; a row numbered below 1 is listed too.
    const CliRun straight = RunTool({"search", "3", "straight", "_5_"}, db.Path());
    EXPECT_EQ(straight.code, 0);
    EXPECT_EQ(straight.out, "-2\t959\t\t\t\t\t959\n"
                            "1\t152\t152\t\t\t\t\n"
                            "3\t050\t\t\t\t\t\n");
    EXPECT_EQ(straight.err, "");
    // Box: 2 and 5 anywhere.
    EXPECT_EQ(RunTool({"search", "3", "box", "5_2"}, db.Path()).out, "1\t152\t152\t\t\t\t\n"
                                                                     "2\t512\t\t\t\t\t\n");
}

TEST(CliTest, RefusedOrEmptySearchSaysWhyAndExitsOne) {
    TestDatabase db;
    db.Insert(Game::Numbers4, {{1, {1, 2, 3, 4}}});
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"search", "3", "box", "___"}, "　最低一項目記入してください。。\n"},
        {{"search", "4", "straight", "____"}, "　最低一項目記入してください。。\n"},
        {{"search", "4", "box", "____"}, "　全項目記入してください。。\n"},
        {{"search", "4", "box", "1_3_"}, "　一、三桁目が記入されてません。。\n"},
        {{"search", "4", "box", "1234", "--sql"}, ""},
        {{"search", "4", "box", "1235"}, "　検索内容はありません。。\n"},
        {{"search", "3", "straight", "1__"}, "　検索内容はありません。。\n"},
    };
    for (const auto& [args, message] : cases) {
        const CliRun run = RunTool(args, db.Path());
        if (message.empty()) {
            EXPECT_EQ(run.code, 0);
            continue;
        }
        EXPECT_EQ(run.code, 1) << ::testing::PrintToString(args);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, message);
    }
}

TEST(CliTest, SearchSqlPrintsTheStatementAndRunsNothing) {
    TempDir dir;
    const std::string missing = dir.File("ナンバーズ.mdb");
    const CliRun straight = RunTool({"search", "3", "straight", "_5_", "--sql"}, missing);
    EXPECT_EQ(straight.code, 0);
    EXPECT_EQ(straight.out,
              "SELECT kaisai,N100,N10,N1,kounyu1,kounyu2,kounyu3,kounyu4,kounyu5 FROM ナンバーズ3  WHERE N10=5\n");
    EXPECT_EQ(RunTool({"search", "--sql", "4", "straight", "__12"}, missing).out,
              "SELECT kaisai,N1000,N100,N10,N1,kounyu1,kounyu2,kounyu3,kounyu4,kounyu5 FROM ナンバーズ4 "
              "WHERE N10=1 AND N1=2\n");
    EXPECT_EQ(RunTool({"search", "3", "box", "__7", "--sql"}, missing).out,
              "SELECT kaisai,N100,N10,N1,kounyu1,kounyu2,kounyu3,kounyu4,kounyu5 FROM ナンバーズ3 "
              "WHERE N100=7 OR N10=7 OR N1=7\n");
    EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(missing)));
}

TEST(CliTest, StoreRewritesOneDraw) {
    TestDatabase db;
    db.Insert(Game::Numbers3, {{14, {1, 1, 1}}, {15, {9, 9, 9}, {"1", "2", "3", "4", "5"}}, {16, {2, 2, 2}}});
    const CliRun run = RunTool({"store", "3", "15", "409", "--numbers", "123,,4'5"}, db.Path());
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(RunTool({"list", "3"}, db.Path()).out, "14\t111\t\t\t\t\t\n"
                                                     "15\t409\t123\t　\t4'5\t　\t　\n"
                                                     "16\t222\t\t\t\t\t\n");
    // Numbers not given are stored as empty fields are; full-width digits as plain ones.
    EXPECT_EQ(RunTool({"--db", db.Path(), "store", "3", "--numbers=,,,,9", "15", "０７８"}, "").code, 0);
    EXPECT_EQ(RunTool({"search", "3", "straight", "078"}, db.Path()).out, "15\t078\t　\t　\t　\t　\t9\n");
}

TEST(CliTest, StoreRefusesWhatTheDialogRefuses) {
    TestDatabase db;
    db.Insert(Game::Numbers4, {{15, {1, 2, 3, 4}, {"1234", "", "", "", ""}}});
    const std::string listed = RunTool({"list", "4"}, db.Path()).out;
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"store", "4", "15", "123"}, "　当選数字に記入漏れがあります。。\n"},
        {{"store", "4", "15", "12a4"}, "　当選数字は一桁の数字で記入してください。。\n"},
        {{"store", "4", "15", "12 4"}, "　当選数字は一桁の数字で記入してください。。\n"},
        {{"store", "4", "15", "12345"}, "　当選数字は一桁の数字で記入してください。。\n"},
        {{"store", "4", "16", "1234"}, "　登録できませんでした。。\n"},
    };
    for (const auto& [args, message] : cases) {
        const CliRun run = RunTool(args, db.Path());
        EXPECT_EQ(run.code, 1) << ::testing::PrintToString(args);
        EXPECT_EQ(run.err, message);
    }
    EXPECT_EQ(RunTool({"list", "4"}, db.Path()).out, listed);

    TempDir dir;
    const CliRun missing = RunTool({"store", "4", "15", "1234"}, dir.File("ナンバーズ.mdb"));
    EXPECT_EQ(missing.code, 3);
    EXPECT_EQ(missing.err.rfind("　登録できませんでした。。\n", 0), 0U);
    EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(dir.File("ナンバーズ.mdb"))));
}

TEST(CliTest, RegisterAddsTheNextDrawOfBothGames) {
    TestDatabase db;
    db.Insert(Game::Numbers3, Draws(100));
    db.Insert(Game::Numbers4, {{1, {1, 2, 3, 4}}, {2, {5, 6, 7, 8}}});
    const std::string predicted3 = RunTool({"predict", "3"}, db.Path()).out;
    const std::string predicted4 = RunTool({"predict", "4"}, db.Path()).out;

    // The numbers default to the predictions; the added draws are printed as list prints them.
    CliRun run = RunTool({"register", "409", "０１２３"}, db.Path());
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.err, "");
    const auto tabbed = [](std::string lines) {
        std::replace(lines.begin(), lines.end(), '\n', '\t');
        return lines.substr(0, lines.size() - 1);
    };
    const std::string added3 = "101\t409\t" + tabbed(predicted3) + "\n";
    const std::string added4 = "3\t0123\t" + tabbed(predicted4) + "\n";
    EXPECT_EQ(run.out, added3 + added4);
    EXPECT_TRUE(RunTool({"list", "3"}, db.Path()).out.ends_with(added3));
    EXPECT_TRUE(RunTool({"list", "4"}, db.Path()).out.ends_with(added4));
    EXPECT_EQ(RunTool({"next", "3"}, db.Path()).out, "102\n");

    run = RunTool({"register", "--numbers4=1,2,3,4,5", "111", "2222", "--numbers3", "a,b',c,d,e"}, db.Path());
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "102\t111\ta\tb'\tc\td\te\n4\t2222\t1\t2\t3\t4\t5\n");
}

TEST(CliTest, RegisterRefusesWhatTheDialogRefuses) {
    TestDatabase db;
    db.Insert(Game::Numbers3, {{1, {1, 1, 1}}, {2, {2, 2, 2}}, {4, {4, 4, 4}}});
    const std::string kIncomplete4 = "　ナンバーズ４に記入漏れがあります。。\n";
    const std::string kIncomplete3 = "　ナンバーズ３に記入漏れがあります。。\n";
    const std::string kNotOneDigit4 = "　ナンバーズ４の当選数字は一桁の数字で記入してください。。\n";
    const std::string kNotOneDigit3 = "　ナンバーズ３の当選数字は一桁の数字で記入してください。。\n";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"register", "40", "1234"}, kIncomplete3},
        {{"register", "409", "123"}, kIncomplete4},
        {{"register", "40", "123"}, kIncomplete4 + kIncomplete3},
        {{"register", "409", "1234", "--numbers3", "1,2,3,4"}, kIncomplete3},
        {{"register", "4a9", "1234"}, kNotOneDigit3},
        {{"register", "4091", "1234"}, kNotOneDigit3},
        {{"register", "409", "12 4"}, kNotOneDigit4},
        {{"register", "4 9", "12345"}, kNotOneDigit4 + kNotOneDigit3},
        // Three rows numbered 1, 2 and 4: the next draw number, 4, is taken.
        {{"register", "409", "1234"}, "　第4回はナンバーズ３に登録済みです。。\n"},
    };
    for (const auto& [args, message] : cases) {
        const CliRun run = RunTool(args, db.Path());
        EXPECT_EQ(run.code, 1) << ::testing::PrintToString(args);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, message);
    }
    EXPECT_EQ(RunTool({"list", "3"}, db.Path()).out, "1\t111\t\t\t\t\t\n2\t222\t\t\t\t\t\n4\t444\t\t\t\t\t\n");
    EXPECT_EQ(RunTool({"list", "4"}, db.Path()).out, "");

    // The second row cannot be added: neither is.
    TestDatabase refusing;
    refusing.Execute("CREATE TRIGGER refuse BEFORE INSERT ON \"ナンバーズ4\" BEGIN SELECT RAISE(ABORT, 'no'); END");
    CliRun run = RunTool({"register", "409", "1234"}, refusing.Path());
    EXPECT_EQ(run.code, 3);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("　登録できませんでした。。\n", 0), 0U);
    EXPECT_TRUE(refusing.Rows(Game::Numbers3).empty());

    TempDir dir;
    run = RunTool({"register", "409", "1234"}, dir.File("ナンバーズ.mdb"));
    EXPECT_EQ(run.code, 3);
    EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(dir.File("ナンバーズ.mdb"))));
}

namespace {} // namespace

TEST(CliTest, ImportPrintsWhatWasAddedAndExportWritesItBack) {
    TempDir dir;
    const std::string csv = dir.File("n3.csv");
    WriteBytes(csv, "回号,抽せん日,当せん番号\n第3回,1994-10-21,057\n第1回,1994-10-07,191\n第2回,1994-10-14,988\n");
    // A missing record book is started, as the program does on its first start.
    const std::string dbPath = dir.File("ナンバーズ.mdb");
    CliRun run = RunTool({"import", "3", csv}, dbPath);
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "　3回分を追加しました（第1回～第3回）。抽せん日・当せん金を3回分に記録しました。。\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(RunTool({"list", "3"}, dbPath).out, "1\t191\t　\t　\t　\t　\t　\n"
                                                  "2\t988\t　\t　\t　\t　\t　\n"
                                                  "3\t057\t　\t　\t　\t　\t　\n");
    EXPECT_EQ(RunTool({"next", "3"}, dbPath).out, "4\n");
    EXPECT_EQ(RunTool({"next", "4"}, dbPath).out, "1\n");

    WriteBytes(csv, "4,630\n3,057\n");
    run = RunTool({"import", "3", csv}, dbPath);
    EXPECT_EQ(run.out, "　1回分を追加しました（第4回～第4回）。登録済みの1回分は飛ばしました。。\n");
    run = RunTool({"import", "3", csv}, dbPath);
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "　追加する回はありませんでした。登録済みの2回分は飛ばしました。。\n");

    RunTool({"store", "3", "2", "988", "--numbers", "123,\"4,5\""}, dbPath);
    const std::string expected = "開催回数,当選数字,予想数字１,予想数字２,予想数字３,予想数字４,予想数字５,"
                                 "抽せん日,ストレート,ボックス,セット（ストレート）,セット（ボックス）,ミニ\n"
                                 "1,191,　,　,　,　,　,1994-10-07,,,,,\n"
                                 "2,988,123,\"\"\"4\",\"5\"\"\",　,　,1994-10-14,,,,,\n"
                                 "3,057,　,　,　,　,　,1994-10-21,,,,,\n"
                                 "4,630,　,　,　,　,　,,,,,,\n";
    // To stdout as plain text; to a file with the byte-order mark spreadsheets look for.
    run = RunTool({"export", "3"}, dbPath);
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, expected);
    EXPECT_EQ(run.err, "");
    const std::string out = dir.File("out.csv");
    run = RunTool({"export", "3", out}, dbPath);
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ReadBytes(out), "\xEF\xBB\xBF" + expected);
    EXPECT_EQ(RunTool({"export", "4"}, dbPath).out,
              "開催回数,当選数字,予想数字１,予想数字２,予想数字３,予想数字４,予想数字５,"
              "抽せん日,ストレート,ボックス,セット（ストレート）,セット（ボックス）\n");
}

TEST(CliTest, RefusedImportsSayWhyAndChangeNothing) {
    TestDatabase db;
    db.Insert(Game::Numbers4, {{1, {1, 1, 4, 9}, {"1234", "", "", "", ""}}});
    const std::vector<std::string> before = db.Rows(Game::Numbers4);
    TempDir dir;
    const std::string csv = dir.File("n4.csv");
    const std::string refused = "　CSVファイルを取り込めませんでした。記録は何も変わっていません。。\n";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"draw_no,winning_number\n1,1148\n2,7921\n",
         refused + "　2行目：第1回は当選数字1149で登録済みです（ファイルでは1148）。。\n"},
        {"draw_no,winning_number\n2,7921\n3,97\n4,0171\n",
         refused + "　3行目：当選数字「97」が四桁の数字ではありません。。\n"},
        {"2,7921\n32768,0171\n", refused + "　2行目：開催回「32768」が1～32767の数ではありません。。\n"},
        {"1,191\n2,988\n", refused + "　ナンバーズ３のCSVファイルのようです。ナンバーズ４には取り込めません。。\n"
                                     "　1行目：当選数字「191」が四桁の数字ではありません。。\n"
                                     "　2行目：当選数字「988」が四桁の数字ではありません。。\n"},
    };
    for (const auto& [file, report] : cases) {
        WriteBytes(csv, file);
        const CliRun run = RunTool({"import", "4", csv}, db.Path());
        EXPECT_EQ(run.code, 1) << file;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, report);
        EXPECT_EQ(db.Rows(Game::Numbers4), before);
    }

    const std::string missing = dir.File("none.csv");
    CliRun run = RunTool({"import", "4", missing}, db.Path());
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "　" + missing + "を開けませんでした。。\n");

    // A refused file starts no record book.
    WriteBytes(csv, "1,191\n");
    const std::string newDb = dir.File("ナンバーズ.mdb");
    EXPECT_EQ(RunTool({"import", "4", csv}, newDb).code, 1);
    EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(newDb)));
}

// delete takes whole draws or none; import --replace lets the file win over stored draws.
TEST(CliTest, DeleteAndReplaceChangeStoredDraws) {
    TestDatabase db;
    db.InsertSequence(Game::Numbers3, 5); // draw k: k/10, k%10, 9-k%10
    const std::string before = ReadBytes(db.Path());
    CliRun run = RunTool({"delete", "3", "2", "9", "7"}, db.Path());
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "　第7回、第9回は記録帳にありません。何も削除していません。。\n");
    EXPECT_EQ(ReadBytes(db.Path()), before);

    run = RunTool({"delete", "3", "4", "2", "4"}, db.Path());
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out + run.err, "");
    EXPECT_EQ(RunTool({"list", "3"}, db.Path()).out, "1\t018\tn1\t\t\t\t\n"
                                                     "3\t036\tn3\t\t\t\t\n"
                                                     "5\t054\tn5\t\t\t\t\n");

    TempDir dir;
    const std::string csv = dir.File("n3.csv");
    WriteBytes(csv, "回号,抽せん日,当せん番号\n1,1994-10-07,018\n3,1994-10-21,057\n6,1994-11-11,630\n");
    const std::string refused = "　CSVファイルを取り込めませんでした。記録は何も変わっていません。。\n"
                                "　3行目：第3回は当選数字036で登録済みです（ファイルでは057）。。\n";
    EXPECT_EQ(RunTool({"import", "3", csv}, db.Path()).err, refused);
    run = RunTool({"import", "3", "--replace", csv}, db.Path());
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out,
              "　1回分を追加しました（第6回～第6回）。登録済みの1回分は飛ばしました。"
              "抽せん日・当せん金を2回分に記録しました。登録済みの1回分をファイルの内容で置き換えました。。\n");
    EXPECT_EQ(RunTool({"list", "3"}, db.Path()).out, "1\t018\tn1\t\t\t\t\n"
                                                     "3\t057\tn3\t\t\t\t\n"
                                                     "5\t054\tn5\t\t\t\t\n"
                                                     "6\t630\t　\t　\t　\t　\t　\n");

    run = RunTool({"delete", "3", "1"}, dir.File("none.mdb"));
    EXPECT_EQ(run.code, 3);
    EXPECT_TRUE(run.err.starts_with("drawbook-cli: データベース ")) << run.err;
}

TEST(CliTest, ImportAndExportFailures) {
    TempDir dir;
    const std::string csv = dir.File("n3.csv");
    WriteBytes(csv, "1,191\n");

    const std::string note = dir.File("note.txt");
    WriteBytes(note, "not a database\n");
    CliRun run = RunTool({"import", "3", csv}, note);
    EXPECT_EQ(run.code, 3);
    EXPECT_EQ(run.err.rfind("　登録できませんでした。。\n", 0), 0U);
    EXPECT_EQ(ReadBytes(note), "not a database\n");

    TestDatabase refusing;
    refusing.Execute("CREATE TRIGGER refuse BEFORE INSERT ON \"ナンバーズ3\" BEGIN SELECT RAISE(ABORT, 'no'); END");
    EXPECT_EQ(RunTool({"import", "3", csv}, refusing.Path()).code, 3);
    EXPECT_TRUE(refusing.Rows(Game::Numbers3).empty());

    const std::string missingDb = dir.File("ナンバーズ.mdb");
    run = RunTool({"export", "3"}, missingDb);
    EXPECT_EQ(run.code, 3);
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(missingDb)));

    TestDatabase db;
    const std::string unwritable = dir.File("no/such/dir/out.csv");
    run = RunTool({"export", "3", unwritable}, db.Path());
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "　" + unwritable + "に書き出せませんでした。。\n");
}

TEST(CliTest, BacktestScoresEachBetAgainstChance) {
    TestDatabase db;
    // Draw 2 and 3 get 999 888 777 666 555 (nothing has followed yet); draw 4
    // gets 456 999 888 777 665, which hits 456 straight, box and mini.
    db.Insert(Game::Numbers3, {{1, {1, 2, 3}}, {2, {4, 5, 6}}, {3, {1, 2, 3}}, {4, {4, 5, 6}}});
    CliRun run = RunTool({"backtest", "3"}, db.Path());
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.err, "");
    // Expected: 5/1000 a draw straight; box 5, 5 and 12 (456 six ways, 665 three) over 1000; mini 5/100.
    EXPECT_EQ(run.out, "bet\tdraws\thits\texpected\tz\n"
                       "straight\t3\t1\t0.015\t8.063\n"
                       "box\t3\t1\t0.022\t6.623\n"
                       "mini\t3\t1\t0.150\t2.252\n");
    // No draw to score: no variance, z 0.
    EXPECT_EQ(RunTool({"backtest", "4"}, db.Path()).out, "bet\tdraws\thits\texpected\tz\n"
                                                         "straight\t0\t0\t0.000\t0.000\n"
                                                         "box\t0\t0\t0.000\t0.000\n");

    TempDir dir;
    EXPECT_EQ(RunTool({"backtest", "3"}, dir.File("ナンバーズ.mdb")).code, 3);
}

TEST(CliTest, MethodsPredictAndBacktestInTodaysFormat) {
    TestDatabase db;
    db.Insert(Game::Numbers3, {{1, {1, 2, 3}}, {2, {4, 5, 6}}, {3, {1, 2, 3}}, {4, {4, 5, 6}}});
    for (const std::string game : {"3", "4"}) {
        EXPECT_EQ(RunTool({"backtest", game, "--method", "follow"}, db.Path()).out,
                  RunTool({"backtest", game}, db.Path()).out);
        EXPECT_EQ(RunTool({"predict", game, "--method", "follow"}, db.Path()).out,
                  RunTool({"predict", game}, db.Path()).out);
    }
    // Slid from the latest 456: 456, 567, 345, 678, 234. The walk slides 123 to 123, 234, 012, 345, 901
    // before each 456 and 456 as above before 123: nothing hits; five straights, six orders of each of five
    // boxes and five mini pairs a draw.
    EXPECT_EQ(RunTool({"predict", "3", "--method", "slide"}, db.Path()).out, "456\n567\n345\n678\n234\n");
    EXPECT_EQ(RunTool({"backtest", "3", "--method", "slide"}, db.Path()).out, "bet\tdraws\thits\texpected\tz\n"
                                                                              "straight\t3\t0\t0.015\t-0.123\n"
                                                                              "box\t3\t0\t0.090\t-0.305\n"
                                                                              "mini\t3\t0\t0.150\t-0.397\n");
}

TEST(CliTest, StatsCountsDigitsAndDrawsSinceSeen) {
    TestDatabase db;
    db.Insert(Game::Numbers3, {{1, {1, 2, 3}}, {2, {4, 5, 6}}, {3, {1, 2, 3}}, {4, {4, 5, 6}}});
    CliRun run = RunTool({"stats", "3"}, db.Path());
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "出現回数\n"
                       "三桁目\t0\t2\t0\t0\t2\t0\t0\t0\t0\t0\n"
                       "二桁目\t0\t0\t2\t0\t0\t2\t0\t0\t0\t0\n"
                       "一桁目\t0\t0\t0\t2\t0\t0\t2\t0\t0\t0\n"
                       "\n"
                       "未出現回数\n"
                       "三桁目\t4\t1\t4\t4\t0\t4\t4\t4\t4\t4\n"
                       "二桁目\t4\t4\t1\t4\t4\t0\t4\t4\t4\t4\n"
                       "一桁目\t4\t4\t4\t1\t4\t4\t0\t4\t4\t4\n");
    EXPECT_EQ(RunTool({"stats", "3", "--last", "1"}, db.Path()).out, "出現回数\n"
                                                                     "三桁目\t0\t0\t0\t0\t1\t0\t0\t0\t0\t0\n"
                                                                     "二桁目\t0\t0\t0\t0\t0\t1\t0\t0\t0\t0\n"
                                                                     "一桁目\t0\t0\t0\t0\t0\t0\t1\t0\t0\t0\n"
                                                                     "\n"
                                                                     "未出現回数\n"
                                                                     "三桁目\t1\t1\t1\t1\t0\t1\t1\t1\t1\t1\n"
                                                                     "二桁目\t1\t1\t1\t1\t1\t0\t1\t1\t1\t1\n"
                                                                     "一桁目\t1\t1\t1\t1\t1\t1\t0\t1\t1\t1\n");
    // More draws than there are: all of them.
    EXPECT_EQ(RunTool({"stats", "--last=99", "3"}, db.Path()).out, run.out);

    db.Insert(Game::Numbers4, {{1, {9, 0, 0, 7}}});
    EXPECT_EQ(RunTool({"stats", "4"}, db.Path()).out, "出現回数\n"
                                                      "四桁目\t0\t0\t0\t0\t0\t0\t0\t0\t0\t1\n"
                                                      "三桁目\t1\t0\t0\t0\t0\t0\t0\t0\t0\t0\n"
                                                      "二桁目\t1\t0\t0\t0\t0\t0\t0\t0\t0\t0\n"
                                                      "一桁目\t0\t0\t0\t0\t0\t0\t0\t1\t0\t0\n"
                                                      "\n"
                                                      "未出現回数\n"
                                                      "四桁目\t1\t1\t1\t1\t1\t1\t1\t1\t1\t0\n"
                                                      "三桁目\t0\t1\t1\t1\t1\t1\t1\t1\t1\t1\n"
                                                      "二桁目\t0\t1\t1\t1\t1\t1\t1\t1\t1\t1\n"
                                                      "一桁目\t1\t1\t1\t1\t1\t1\t1\t0\t1\t1\n");
}

TEST(CliTest, LedgerOfABookWithoutPayoutsIsAllZeros) {
    TestDatabase db;
    db.Insert(Game::Numbers4, {{1, {1, 2, 3, 4}, {"1234"}}, {2, {1, 2, 3, 4}, {"4321"}}});
    std::string expected = "source\tbet\ttickets\tcost\twon\tbalance\treturn\n";
    for (const char* source : {"picks", "prediction", "tickets"}) {
        for (const char* bet : {"straight", "box", "set"}) {
            expected += std::string(source) + "\t" + bet + "\t0\t0\t0\t0\t0.0\n";
        }
    }
    const CliRun run = RunTool({"ledger", "4", "--last", "1"}, db.Path());
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, expected);
    EXPECT_EQ(run.err, "");
}

TEST(CliTest, MigrateConvertsAnOldBookOnce) {
    const auto old = SharedDataFile("legacy/legacy_jet4.mdb");
    ASSERT_TRUE(old.has_value()) << "the shared old book is missing: " << SharedDataPath("legacy/legacy_jet4.mdb");
    TempDir dir;
    const std::string dbPath = dir.File("ナンバーズ.mdb");
    CliRun run = RunTool({"migrate"}, dbPath);
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "　記録帳「" + dbPath + "」がありません。。\n");
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));

    WriteBytes(dbPath, old->substr(0, 100000));
    run = RunTool({"migrate"}, dbPath);
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "　以前の形式の記録帳を読めませんでした。何も変えていません（no table ナンバーズ3）。。\n");

    WriteBytes(dbPath, *old);
    run = RunTool({"migrate"}, dbPath);
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out,
              "　記録帳を移しました（ナンバーズ3は400回分、ナンバーズ4は400回分、回数のない行2行）。元のファイルは" +
                  dir.File("ナンバーズ（移行前）.mdb") + "にあります。。\n");
    EXPECT_EQ(RunTool({"next", "4"}, dbPath).out, "401\n");
    EXPECT_TRUE(RunTool({"list", "3"}, dbPath).out.starts_with("1\t191\t　\t485\t380\t968\t\n2\t988\t"));
    run = RunTool({"migrate"}, dbPath);
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "　以前の形式の記録帳ではありません。何も変えていません。。\n");
    EXPECT_EQ(RunTool({"migrate", "now"}, dbPath).code, 2);
}

// Killed between its renames: the converted book lies beside the renamed old file, and any
// command puts it in place first.
TEST(CliTest, AConversionStoppedHalfwayIsFinishedFirst) {
    const auto old = SharedDataFile("legacy/legacy_jet4.mdb");
    ASSERT_TRUE(old.has_value()) << "the shared old book is missing: " << SharedDataPath("legacy/legacy_jet4.mdb");
    TempDir dir;
    const std::string dbPath = dir.File("ナンバーズ.mdb");
    WriteBytes(dbPath, *old);
    ASSERT_EQ(RunTool({"migrate"}, dbPath).code, 0);
    std::filesystem::rename(PathFromUtf8(dbPath), PathFromUtf8(dbPath + ".new"));
    EXPECT_EQ(RunTool({"next", "3"}, dbPath).out, "401\n");
    EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(dbPath + ".new")));
}
