#include "exchange/DrawExport.h"
#include "db/Connection.h"
#include "db/DrawResultsTable.h"
#include "exchange/CsvFile.h"
#include "exchange/DrawImport.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace drawbook;
using namespace drawbook::test;

namespace {

using Lines = std::vector<std::string>;

const std::string kHeader3 = "開催回数,当選数字,予想数字１,予想数字２,予想数字３,予想数字４,予想数字５,"
                             "抽せん日,ストレート,ボックス,セット（ストレート）,セット（ボックス）,ミニ\n";
const std::string kHeader4 = "開催回数,当選数字,予想数字１,予想数字２,予想数字３,予想数字４,予想数字５,"
                             "抽せん日,ストレート,ボックス,セット（ストレート）,セット（ボックス）\n";

void WriteResults(const std::string& dbPath, Game game, const std::vector<StoredResults>& draws) {
    Connection connection(dbPath, OpenMode::ReadWrite);
    CreateResultsTable(connection);
    ResultsWriter writer(connection, game, false);
    for (const StoredResults& draw : draws) {
        writer.Write(draw.drawNo, draw.results);
    }
}

// The rows with kaisai>0 as an import of their export stores them: the hit
// marker becomes " ".
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
        for (std::size_t d = 1; d <= digits + kNumberCount; ++d) {
            text += "\t" + fields[d];
        }
        imported.push_back(text + "\t ");
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
    DrawResults full{19941014, {333500, 111100, 222300, 55500, 33300}};
    DrawResults dateOnly;
    dateOnly.date = 20260821;
    // Results of a draw the table lacks, and of the other game, stay out.
    WriteResults(db.Path(), Game::Numbers3, {{2, full}, {5, dateOnly}, {7, full}});
    WriteResults(db.Path(), Game::Numbers4, {{5, full}});

    const ExportResult result = ExportDrawCsv(db.Path(), Game::Numbers3);
    EXPECT_EQ(result.status, ReadStatus::Complete);
    EXPECT_EQ(result.draws, 3U);
    EXPECT_EQ(result.csv, kHeader3 + "2,988,988,889,,,,1994-10-14,333500,111100,222300,55500,33300\n"
                                     "5,012,123,,　,\"a,b\",\"say \"\"x\"\"\",2026-08-21,,,,,\n"
                                     "32767,007,007,,,,,,,,,,\n");
    EXPECT_EQ(CsvHeader(Game::Numbers3) + "\n", kHeader3);
}

TEST(DrawExportTest, FourDigitsWithLeadingZerosAndNumbersHoldingLineBreaks) {
    TestDatabase db;
    db.Insert(Game::Numbers4, {TestDraw{3, {0, 0, 9, 7}, {"0097", "a\nb", "1\r\n2", "'", "　"}},
                               TestDraw{1, {1, 1, 4, 9}, {" ", "", "", "", "9999"}}});
    db.Insert(Game::Numbers3, TestDraw{1, {1, 9, 1}, {"191", "", "", "", ""}});

    const ExportResult result = ExportDrawCsv(db.Path(), Game::Numbers4);
    EXPECT_EQ(result.status, ReadStatus::Complete);
    EXPECT_EQ(result.draws, 2U);
    EXPECT_EQ(result.csv, kHeader4 + "1,1149, ,,,,9999,,,,,\n"
                                     "3,0097,0097,\"a\nb\",\"1\r\n2\",',　,,,,,\n");
    EXPECT_FALSE(result.csv.starts_with(kUtf8Bom));
}

TEST(DrawExportTest, ATableWithoutDrawsGivesTheHeaderOnly) {
    TestDatabase db;
    ExportResult result = ExportDrawCsv(db.Path(), Game::Numbers3);
    EXPECT_EQ(result.status, ReadStatus::Complete);
    EXPECT_EQ(result.draws, 0U);
    EXPECT_EQ(result.csv, kHeader3);

    db.Insert(Game::Numbers4, TestDraw{0, {0, 0, 0, 0}, {"", "", "", "", ""}});
    result = ExportDrawCsv(db.Path(), Game::Numbers4);
    EXPECT_EQ(result.status, ReadStatus::Complete);
    EXPECT_EQ(result.draws, 0U);
    EXPECT_EQ(result.csv, kHeader4);
}

TEST(DrawExportTest, ADatabaseThatCannotBeReadGivesNoText) {
    {
        TempDir dir;
        const ExportResult result = ExportDrawCsv(dir.File("ナンバーズ.mdb"), Game::Numbers3);
        EXPECT_EQ(result.status, ReadStatus::NotOpened);
        EXPECT_EQ(result.csv, "");
        EXPECT_FALSE(result.error.empty());
        EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(dir.File("ナンバーズ.mdb"))));
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
    EXPECT_EQ(copy.Rows(Game::Numbers3), (Lines{"2\t9\t8\t8\t988\t\t\t\t\t ", "5\t0\t1\t2\t1,2\t\"\ta\r\nb\t\t　\t "}));
}

TEST(DrawExportTest, TheRealHistoryGoesOutAndComesBack) {
    const auto n3 = ShippedHistoryFile("numbers3_results.csv");
    const auto n4 = ShippedHistoryFile("numbers4_results.csv");
    if (!n3 || !n4) {
        FAIL() << "the shipped draw history in src/exchange/history is missing";
    }
    TestDatabase db;
    ASSERT_EQ(ImportDrawCsv(db.Path(), Game::Numbers3, *n3).added, 7054U);
    ASSERT_EQ(ImportDrawCsv(db.Path(), Game::Numbers4, *n4).added, 7054U);
    db.Insert(Game::Numbers3, TestDraw{0, {0, 0, 0}, {"", "", "", "", ""}});
    db.Execute("UPDATE \"ナンバーズ3\" SET kounyu1='191', kounyu2='1,9', kounyu5='\"1\"', atari='当' WHERE kaisai=1;"
               "UPDATE \"ナンバーズ4\" SET kounyu1='　', kounyu3='0097' WHERE kaisai=3");

    TempDir dir;
    for (const Game game : {Game::Numbers3, Game::Numbers4}) {
        const ExportResult result = ExportDrawCsv(db.Path(), game);
        ASSERT_EQ(result.status, ReadStatus::Complete);
        EXPECT_EQ(result.draws, 7054U);
        EXPECT_TRUE(result.csv.starts_with(game == Game::Numbers3 ? kHeader3 : kHeader4));
        EXPECT_TRUE(result.csv.ends_with(game == Game::Numbers3
                                             ? "\n7054,286,　,　,　,　,　,2026-08-21,100100,16600,58300,8300,10000\n"
                                             : "\n7054,9577,　,　,　,　,　,2026-08-21,2128400,177300,1152800,88600\n"));
        const std::string file = dir.File(game == Game::Numbers3 ? "n3.csv" : "n4.csv");
        ASSERT_TRUE(WriteWholeFile(file, std::string(kUtf8Bom) + result.csv));
    }
    const std::string out3 = ReadBytes(dir.File("n3.csv"));
    const std::string out4 = ReadBytes(dir.File("n4.csv"));
    EXPECT_NE(out3.find("\n1,191,191,\"1,9\",　,　,\"\"\"1\"\"\",1994-10-07,119800,39900,79800,19900,11900\n"),
              std::string::npos);
    // Box and set were not sold on 333 and 5555: a 0 or an empty field in the file is 0.
    EXPECT_NE(out3.find("\n35,333,　,　,　,　,　,1995-03-21,65500,0,0,0,6500\n"), std::string::npos);
    EXPECT_NE(out4.find("\n1249,5555,　,　,　,　,　,2003-11-28,279700,0,0,0\n"), std::string::npos);
    EXPECT_NE(out4.find("\n3,0097,　,　,0097,　,　,1994-10-21,1516600,126300,821400,63100\n"), std::string::npos);
    EXPECT_EQ(out3.find("\n0,"), std::string::npos);

    TestDatabase copy;
    for (const Game game : {Game::Numbers3, Game::Numbers4}) {
        const auto bytes = ReadWholeFile(dir.File(game == Game::Numbers3 ? "n3.csv" : "n4.csv"));
        ASSERT_TRUE(bytes);
        const ImportResult result = ImportDrawCsv(copy.Path(), game, *bytes);
        ASSERT_EQ(result.outcome, ImportOutcome::Imported) << testing::PrintToString(result.report) << result.error;
        EXPECT_EQ(result.added, 7054U);
        EXPECT_EQ(result.completed, 7054U);
        EXPECT_EQ(ExportDrawCsv(copy.Path(), game).csv, game == Game::Numbers3 ? out3.substr(3) : out4.substr(3));
    }
    EXPECT_EQ(copy.Rows(Game::Numbers3), AsImported(db.Rows(Game::Numbers3), 3));
    EXPECT_EQ(copy.Rows(Game::Numbers4), AsImported(db.Rows(Game::Numbers4), 4));
}
