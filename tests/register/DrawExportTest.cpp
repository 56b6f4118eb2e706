#include "register/DrawExport.h"
#include "register/CsvFile.h"
#include "register/DrawImport.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace drawbook;
using namespace drawbook::test;

namespace {

using Lines = std::vector<std::string>;

constexpr const char* kHeader = "開催回数,当選数字,予想数字１,予想数字２,予想数字３,予想数字４,予想数字５\n";

// The rows with kaisai>0 as an import of their export stores them: the numbers
// become "　" and the hit marker " ".
Lines AsImported(const Lines& rows, std::size_t digits) {
    Lines imported;
    for (const std::string& row : rows) {
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (std::size_t tab = row.find('\t'); tab != std::string::npos; tab = row.find('\t', start)) {
            fields.push_back(row.substr(start, tab - start));
            start = tab + 1;
        }
        fields.push_back(row.substr(start));
        if (std::stoi(fields[0]) <= 0) {
            continue;
        }
        std::string text = fields[0];
        for (std::size_t d = 1; d <= digits; ++d) {
            text += "\t" + fields[d];
        }
        imported.push_back(text + "\t　\t　\t　\t　\t　\t ");
    }
    return imported;
}

} // namespace

TEST(DrawExportTest, HeaderThenEveryDrawInDrawOrder) {
    TestDatabase db;
    db.Insert(Game::Numbers3,
              {TestDraw{5, {0, 1, 2}, {"123", "", "　", "a,b", "say \"x\""}},
               TestDraw{2, {9, 8, 8}, {"988", "889", "", "", ""}}, TestDraw{0, {1, 1, 1}, {"111", "", "", "", ""}},
               TestDraw{-3, {2, 2, 2}, {"222", "", "", "", ""}}, TestDraw{32767, {0, 0, 7}, {"007", "", "", "", ""}}});
    db.Insert(Game::Numbers4, TestDraw{4, {0, 1, 7, 1}, {"0171", "", "", "", ""}});

    const ExportResult result = ExportDrawCsv(db.Path(), Game::Numbers3);
    EXPECT_EQ(result.status, ReadStatus::Complete);
    EXPECT_EQ(result.draws, 3U);
    EXPECT_EQ(result.csv, std::string(kHeader) + "2,988,988,889,,,\n"
                                                 "5,012,123,,　,\"a,b\",\"say \"\"x\"\"\"\n"
                                                 "32767,007,007,,,,\n");
    EXPECT_EQ(std::string(kCsvHeader) + "\n", kHeader);
}

TEST(DrawExportTest, FourDigitsWithLeadingZerosAndNumbersHoldingLineBreaks) {
    TestDatabase db;
    db.Insert(Game::Numbers4, {TestDraw{3, {0, 0, 9, 7}, {"0097", "a\nb", "1\r\n2", "'", "　"}},
                               TestDraw{1, {1, 1, 4, 9}, {" ", "", "", "", "9999"}}});
    db.Insert(Game::Numbers3, TestDraw{1, {1, 9, 1}, {"191", "", "", "", ""}});

    const ExportResult result = ExportDrawCsv(db.Path(), Game::Numbers4);
    EXPECT_EQ(result.status, ReadStatus::Complete);
    EXPECT_EQ(result.draws, 2U);
    EXPECT_EQ(result.csv, std::string(kHeader) + "1,1149, ,,,,9999\n"
                                                 "3,0097,0097,\"a\nb\",\"1\r\n2\",',　\n");
    EXPECT_FALSE(result.csv.starts_with(kUtf8Bom));
}

TEST(DrawExportTest, ATableWithoutDrawsGivesTheHeaderOnly) {
    TestDatabase db;
    ExportResult result = ExportDrawCsv(db.Path(), Game::Numbers3);
    EXPECT_EQ(result.status, ReadStatus::Complete);
    EXPECT_EQ(result.draws, 0U);
    EXPECT_EQ(result.csv, kHeader);

    db.Insert(Game::Numbers4, TestDraw{0, {0, 0, 0, 0}, {"", "", "", "", ""}});
    result = ExportDrawCsv(db.Path(), Game::Numbers4);
    EXPECT_EQ(result.status, ReadStatus::Complete);
    EXPECT_EQ(result.draws, 0U);
    EXPECT_EQ(result.csv, kHeader);
}

TEST(DrawExportTest, ADatabaseThatCannotBeReadGivesNoText) {
    {
        TempDir dir;
        const ExportResult result = ExportDrawCsv(dir.File("ナンバーズ.mdb"), Game::Numbers3);
        EXPECT_EQ(result.status, ReadStatus::NotOpened);
        EXPECT_EQ(result.csv, "");
        EXPECT_FALSE(result.error.empty());
        EXPECT_FALSE(std::filesystem::exists(dir.File("ナンバーズ.mdb")));
    }
    {
        TempDir dir;
        const std::string path = dir.File("ナンバーズ.mdb");
        ASSERT_TRUE(WriteWholeFile(path, std::string(4096, 'x')));
        EXPECT_EQ(ExportDrawCsv(path, Game::Numbers4).status, ReadStatus::NotOpened);
        EXPECT_EQ(ReadBytes(path), std::string(4096, 'x'));
    }
    {
        TestDatabase db;
        db.Insert(Game::Numbers3, TestDraw{1, {1, 9, 1}, {"191", "", "", "", ""}});
        db.Execute("DROP TABLE \"ナンバーズ4\"");
        EXPECT_EQ(ExportDrawCsv(db.Path(), Game::Numbers4).status, ReadStatus::NotOpened);
    }
    {
        TestDatabase db;
        db.FillAndDamageMiddle(3000);
        const ExportResult result = ExportDrawCsv(db.Path(), Game::Numbers3);
        EXPECT_EQ(result.status, ReadStatus::Interrupted);
        EXPECT_EQ(result.csv, "");
        EXPECT_FALSE(result.error.empty());
    }
}

TEST(DrawExportTest, Messages) {
    EXPECT_EQ(ExportedMessage(7054), "　7054回分を書き出しました。。");
    EXPECT_EQ(ExportedMessage(3), "　3回分を書き出しました。。");
    EXPECT_EQ(FileNotWrittenMessage("n3.csv"), "　n3.csvに書き出せませんでした。。");
}

TEST(DrawExportTest, AnExportImportsBackWithItsNumbersQuoted) {
    TestDatabase db;
    db.Insert(Game::Numbers3, {TestDraw{5, {0, 1, 2}, {"1,2", "\"", "a\r\nb", "", "　"}},
                               TestDraw{2, {9, 8, 8}, {"988", "", "", "", ""}}});
    const ExportResult result = ExportDrawCsv(db.Path(), Game::Numbers3);
    ASSERT_EQ(result.status, ReadStatus::Complete);

    TestDatabase copy;
    const ImportResult imported = ImportDrawCsv(copy.Path(), Game::Numbers3, std::string(kUtf8Bom) + result.csv);
    ASSERT_EQ(imported.outcome, ImportOutcome::Imported) << testing::PrintToString(imported.report);
    EXPECT_EQ(copy.Rows(Game::Numbers3),
              (Lines{"2\t9\t8\t8\t　\t　\t　\t　\t　\t ", "5\t0\t1\t2\t　\t　\t　\t　\t　\t "}));
}

TEST(DrawExportTest, TheRealHistoryGoesOutAndComesBack) {
    const auto three = RealDraws(Game::Numbers3, 7054);
    const auto four = RealDraws(Game::Numbers4, 7054);
    if (!three || !four || three->size() != 7054U || four->size() != 7054U) {
        GTEST_SKIP() << "no shared draw history";
    }
    TestDatabase db;
    db.Insert(Game::Numbers3, *three);
    db.Insert(Game::Numbers4, *four);
    db.Insert(Game::Numbers3, TestDraw{0, {0, 0, 0}, {"", "", "", "", ""}});
    db.Execute("UPDATE \"ナンバーズ3\" SET kounyu1='191', kounyu2='1,9', kounyu5='\"1\"', atari='当' WHERE kaisai=1;"
               "UPDATE \"ナンバーズ4\" SET kounyu1='　', kounyu3='0097' WHERE kaisai=3");

    TempDir dir;
    for (const Game game : {Game::Numbers3, Game::Numbers4}) {
        const ExportResult result = ExportDrawCsv(db.Path(), game);
        ASSERT_EQ(result.status, ReadStatus::Complete);
        EXPECT_EQ(result.draws, 7054U);
        EXPECT_TRUE(result.csv.starts_with(kHeader));
        EXPECT_TRUE(result.csv.ends_with(game == Game::Numbers3 ? "\n7054,286,,,,,\n" : "\n7054,9577,,,,,\n"));
        const std::string file = dir.File(game == Game::Numbers3 ? "n3.csv" : "n4.csv");
        ASSERT_TRUE(WriteWholeFile(file, std::string(kUtf8Bom) + result.csv));
    }
    const std::string n3 = ReadBytes(dir.File("n3.csv"));
    const std::string n4 = ReadBytes(dir.File("n4.csv"));
    EXPECT_NE(n3.find("\n1,191,191,\"1,9\",,,\"\"\"1\"\"\"\n2,988,,,,,\n"), std::string::npos);
    EXPECT_NE(n3.find("\n15,019,,,,,\n"), std::string::npos);
    EXPECT_NE(n3.find("\n1000,165,,,,,\n"), std::string::npos);
    EXPECT_NE(n4.find("\n3,0097,　,,0097,,\n"), std::string::npos);
    EXPECT_NE(n4.find("\n2500,0659,,,,,\n"), std::string::npos);
    EXPECT_EQ(n3.find("\n0,"), std::string::npos);

    TestDatabase copy;
    for (const Game game : {Game::Numbers3, Game::Numbers4}) {
        const auto bytes = ReadWholeFile(dir.File(game == Game::Numbers3 ? "n3.csv" : "n4.csv"));
        ASSERT_TRUE(bytes);
        const ImportResult result = ImportDrawCsv(copy.Path(), game, *bytes);
        ASSERT_EQ(result.outcome, ImportOutcome::Imported) << testing::PrintToString(result.report) << result.error;
        EXPECT_EQ(result.added, 7054U);
    }
    EXPECT_EQ(copy.Rows(Game::Numbers3), AsImported(db.Rows(Game::Numbers3), 3));
    EXPECT_EQ(copy.Rows(Game::Numbers4), AsImported(db.Rows(Game::Numbers4), 4));
    EXPECT_EQ(copy.Row(Game::Numbers4, 3), "3\t0\t0\t9\t7\t　\t　\t　\t　\t　\t ");
}
