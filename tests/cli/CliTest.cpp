#include "cli/Cli.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

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
        {}, {"frob", "3"}, {"next", "5"}, {"list", "ナンバーズ3"}, {"next"}, {"list", "3", "4"}, {"--db"},
        {"next", "3", "--db"}, {"--db", db.Path()},
    };
    for (const auto& args : wrong) {
        const CliRun run = RunTool(args, db.Path());
        EXPECT_EQ(run.code, 2) << ::testing::PrintToString(args);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("drawbook-cli"), std::string::npos);
    }
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
    for (const char* verb : {"next", "list"}) {
        const CliRun run = RunTool({verb, "3"}, missing);
        EXPECT_EQ(run.code, 3) << verb;
        EXPECT_EQ(run.out, "");
        EXPECT_FALSE(run.err.empty());
    }
    EXPECT_FALSE(std::filesystem::exists(missing));

    const std::string note = dir.File("note.txt");
    std::ofstream(note) << "not a database\n";
    EXPECT_EQ(RunTool({"--db", note, "next", "4"}, missing).code, 3);
    EXPECT_EQ(RunTool({"--db=" + note, "list", "4"}, missing).code, 3);
    EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST(CliTest, ListStoppedByDamagePrintsNothingAndFails) {
    TestDatabase db;
    db.FillAndDamageMiddle(3000);
    const CliRun run = RunTool({"list", "3"}, db.Path());
    EXPECT_EQ(run.code, 3);
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(run.err.empty());
}
