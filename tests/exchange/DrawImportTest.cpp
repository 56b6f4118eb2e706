#include "exchange/DrawImport.h"
#include "db/Connection.h"
#include "db/DrawResultsTable.h"
#include "draw/Calendar.h"
#include "draw/Utf8.h"
#include "exchange/CsvFile.h"
#include "exchange/DrawExport.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <stdexcept>

using namespace drawbook;
using namespace drawbook::test;

namespace {

using Lines = std::vector<std::string>;

// The text in CP932, as an older spreadsheet saves it: ASCII as it is, and the
// characters these tests use with their bytes from the code page's table.
std::string Cp932(std::string_view utf8) {
    static const std::map<std::string, std::string, std::less<>> kTable = {
        {"①", "\x87\x40"},  {"せ", "\x82\xB9"}, {"ん", "\x82\xF1"}, {"予", "\x97\x5C"}, {"催", "\x8D\xC3"},
        {"号", "\x8D\x86"}, {"回", "\x89\xF1"}, {"字", "\x8E\x9A"}, {"当", "\x93\x96"}, {"想", "\x91\x7A"},
        {"抽", "\x92\x8A"}, {"数", "\x90\x94"}, {"日", "\x93\xFA"}, {"番", "\x94\xD4"}, {"第", "\x91\xE6"},
        {"選", "\x91\x49"}, {"開", "\x8A\x4A"}, {"１", "\x82\x50"},
    };
    std::string out;
    for (const std::string& character : SplitCharacters(utf8)) {
        if (character.size() == 1) {
            out += character;
            continue;
        }
        const auto found = kTable.find(character);
        if (found == kTable.end()) {
            throw std::runtime_error("no CP932 bytes for " + character);
        }
        out += found->second;
    }
    return out;
}

// "draw:digits@line" for each draw read.
Lines Describe(const DrawCsv& csv, bool withLines = true) {
    Lines described;
    for (const CsvDraw& draw : csv.draws) {
        std::string text = std::to_string(draw.drawNo) + ":";
        for (const int digit : draw.digits) {
            text += std::to_string(digit);
        }
        if (withLines) {
            text += "@" + std::to_string(draw.line);
        }
        described.push_back(text);
    }
    return described;
}

// A stored row as an import writes it: the winning digits, empty numbers.
std::string Imported(int kaisai, std::string_view winning) {
    std::string row = std::to_string(kaisai);
    for (const char digit : winning) {
        row += std::string("\t") + digit;
    }
    return row + "\t　\t　\t　\t　\t　\t ";
}

// Every report line is a message line, and one of them names the line.
testing::AssertionResult NamesLine(const Lines& report, int line) {
    if (report.empty()) {
        return testing::AssertionFailure() << "no report";
    }
    const std::string name = std::to_string(line) + "行目";
    bool named = false;
    for (const std::string& text : report) {
        if (!text.starts_with("　") || !text.ends_with("。。")) {
            return testing::AssertionFailure() << "not a message line: " << text;
        }
        named = named || text.find(name) != std::string::npos;
    }
    if (!named) {
        return testing::AssertionFailure() << "no line names " << name << ": " << testing::PrintToString(report);
    }
    return testing::AssertionSuccess();
}

bool Mentions(const Lines& report, std::string_view text) {
    return std::ranges::any_of(report, [&](const std::string& line) { return line.find(text) != std::string::npos; });
}

Lines SplitLines(const std::string& text) {
    Lines lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        start = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
}

std::string JoinLines(const Lines& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

// Draw 1 stored with picks and a hit marker, in both games.
void StoreDrawOneWithPicks(const TestDatabase& db) {
    db.Insert(Game::Numbers3, TestDraw{1, {1, 9, 1}, {"123", "", "　", "456", "789"}});
    db.Insert(Game::Numbers4, TestDraw{1, {1, 1, 4, 9}, {"1149", "", "　", "0000", "9999"}});
    db.Execute("UPDATE \"ナンバーズ3\" SET atari='当' WHERE kaisai=1");
}

} // namespace

TEST(DrawImportTest, ReadsColumnsByTheirNames) {
    for (const std::string drawColumn : {"draw_no", "回号", "開催回", "kaisai", "開催回数", " 回号 "}) {
        for (const std::string winningColumn : {"winning_number", "当せん番号", "当選番号", "当選数字", "当選数字 "}) {
            const std::string header = "date," + winningColumn + ",other," + drawColumn + "\n";
            const DrawCsv csv = ReadDrawCsv(Game::Numbers3, header + "1995-01-10,019,x,15\n1995-02-10,039,y,24\n");
            EXPECT_EQ(Describe(csv), (Lines{"15:019@2", "24:039@3"})) << header;
            EXPECT_TRUE(csv.problems.empty()) << header;
        }
    }
}

TEST(DrawImportTest, ReadsOneColumnPerDigitWhenThereIsNoWinningNumber) {
    EXPECT_EQ(Describe(ReadDrawCsv(Game::Numbers3, "draw_no,digit1,digit2,digit3\n15,0,1,9\n")), Lines{"15:019@2"});
    EXPECT_EQ(Describe(ReadDrawCsv(Game::Numbers3, "digit3,draw_no,digit2,note,digit1\n9,15,1,x,0\n")),
              Lines{"15:019@2"});
    EXPECT_EQ(Describe(ReadDrawCsv(Game::Numbers4, "draw_no,digit1,digit2,digit3,digit4\n3,0,0,9,7\n")),
              Lines{"3:0097@2"});
    EXPECT_EQ(Describe(ReadDrawCsv(Game::Numbers3, "kaisai,N100,N10,N1\n15,0,1,9\n")), Lines{"15:019@2"});
    EXPECT_EQ(Describe(ReadDrawCsv(Game::Numbers4, "kaisai,N1,N10,N1000,N100\n3,7,9,0,0\n")), Lines{"3:0097@2"});
    // The winning number is what counts when both are there.
    EXPECT_EQ(Describe(ReadDrawCsv(Game::Numbers3, "draw_no,digit1,digit2,digit3,winning_number\n15,9,9,9,019\n")),
              Lines{"15:019@2"});
}

TEST(DrawImportTest, AFileWithoutHeaderIsDrawNumberThenWinningNumber) {
    EXPECT_EQ(Describe(ReadDrawCsv(Game::Numbers3, "15,019\n24,039\n")), (Lines{"15:019@1", "24:039@2"}));
    EXPECT_EQ(Describe(ReadDrawCsv(Game::Numbers4, "第7054回,9577,2026-08-21\n第3回,0097,1994-10-21\n")),
              (Lines{"3:0097@2", "7054:9577@1"}));
}

TEST(DrawImportTest, DrawNumbersTakeTheirUsualForms) {
    const DrawCsv csv = ReadDrawCsv(Game::Numbers3, "回号,当せん番号\n"
                                                    "第123回,191\n"
                                                    " 42 ,988\n"
                                                    "１２３４,019\n"
                                                    "第５６回,039\n"
                                                    "32767,286\n"
                                                    "1,919\n");
    EXPECT_TRUE(csv.problems.empty()) << testing::PrintToString(csv.problems);
    EXPECT_EQ(Describe(csv), (Lines{"1:919@7", "42:988@3", "56:039@5", "123:191@2", "1234:019@4", "32767:286@6"}));
}

TEST(DrawImportTest, WinningNumbersTakeBlanksAndFullWidthDigits) {
    const DrawCsv csv = ReadDrawCsv(Game::Numbers4, "draw_no,winning_number\n3, 0097 \n4,０１７１\n");
    EXPECT_TRUE(csv.problems.empty()) << testing::PrintToString(csv.problems);
    EXPECT_EQ(Describe(csv), (Lines{"3:0097@2", "4:0171@3"}));
}

TEST(DrawImportTest, NewestFirstComesOutInDrawOrderEachDrawOnce) {
    const DrawCsv csv = ReadDrawCsv(Game::Numbers3, "draw_no,winning_number\n7054,286\n7053,919\n7054,286\n7052,872\n");
    EXPECT_TRUE(csv.problems.empty()) << testing::PrintToString(csv.problems);
    EXPECT_EQ(Describe(csv, false), (Lines{"7052:872", "7053:919", "7054:286"}));
}

TEST(DrawImportTest, QuotedFieldsCrLfAndEmptyLines) {
    EXPECT_EQ(
        Describe(ReadDrawCsv(Game::Numbers3, "\"回号\",\"当せん番号\"\r\n\"第2回\",\"988\"\r\n\"第1回\",\"191\"\r\n")),
        (Lines{"1:191@3", "2:988@2"}));
    // A quoted line break inside an extra column: the next record starts two lines on.
    EXPECT_EQ(
        Describe(ReadDrawCsv(Game::Numbers3, "draw_no,note,winning_number\n1,\"a,\nb\",191\n\n2,\"x\"\"y\",988\n")),
        (Lines{"1:191@2", "2:988@5"}));
}

TEST(DrawImportTest, ReadsUtf8WithItsMarkAndCp932) {
    EXPECT_EQ(Describe(ReadDrawCsv(Game::Numbers3, std::string(kUtf8Bom) + "draw_no,winning_number\r\n1,191\r\n")),
              Lines{"1:191@2"});
    EXPECT_EQ(Describe(ReadDrawCsv(Game::Numbers4, Cp932("回号,抽せん日,当せん番号\r\n第1回,1994-10-07,1149\r\n"))),
              Lines{"1:1149@2"});
    EXPECT_EQ(Describe(ReadDrawCsv(Game::Numbers3, Cp932("開催回数,当選数字,予想数字１\n第2回,988,①\n"))),
              Lines{"2:988@2"});
}

TEST(DrawImportTest, DamagedLinesAreRefusedAndNamed) {
    struct Case {
        Game game;
        std::string header;
        std::string bad; // line 3
    };
    const std::string winning = "draw_no,winning_number";
    const std::string digits = "draw_no,digit1,digit2,digit3";
    const std::vector<Case> cases = {
        {Game::Numbers3, winning, "2,98"},       {Game::Numbers3, winning, "2,9881"},
        {Game::Numbers3, winning, "2,9a8"},      {Game::Numbers3, winning, "2,9 8"},
        {Game::Numbers3, winning, "2,-98"},      {Game::Numbers3, winning, "2,"},
        {Game::Numbers3, winning, "2"},          {Game::Numbers3, winning, "0,988"},
        {Game::Numbers3, winning, "-2,988"},     {Game::Numbers3, winning, "32768,988"},
        {Game::Numbers3, winning, "x,988"},      {Game::Numbers3, winning, ",988"},
        {Game::Numbers3, winning, "1,192"},      {Game::Numbers3, digits, "2,9,,8"},
        {Game::Numbers3, digits, "2,9,10,8"},    {Game::Numbers3, digits, "2,9,8"},
        {Game::Numbers4, winning, "2,792"},      {Game::Numbers4, winning, "2,79211"},
        {Game::Numbers4, winning, "99999,7921"},
    };
    for (const Case& c : cases) {
        const std::string first = c.game == Game::Numbers3 ? (c.header == digits ? "1,1,9,1" : "1,191") : "1,1149";
        const std::string last = c.game == Game::Numbers3 ? (c.header == digits ? "4,2,8,6" : "4,286") : "4,0171";
        const std::string file = c.header + "\n" + first + "\n" + c.bad + "\n" + last + "\n";

        const DrawCsv csv = ReadDrawCsv(c.game, file);
        EXPECT_TRUE(NamesLine(csv.problems, 3)) << c.bad;
        if (!c.bad.starts_with("1,")) { // a second draw 1 may name the first one too
            EXPECT_FALSE(Mentions(csv.problems, "2行目")) << c.bad;
        }
        EXPECT_FALSE(Mentions(csv.problems, "4行目")) << c.bad;

        TestDatabase db;
        StoreDrawOneWithPicks(db);
        const Lines storedThree = db.Rows(Game::Numbers3);
        const Lines storedFour = db.Rows(Game::Numbers4);
        const ImportResult result = ImportDrawCsv(db.Path(), c.game, file);
        EXPECT_EQ(result.outcome, ImportOutcome::Refused) << c.bad;
        EXPECT_EQ(result.added, 0U) << c.bad;
        EXPECT_TRUE(NamesLine(result.report, 3)) << c.bad;
        EXPECT_EQ(db.Rows(Game::Numbers3), storedThree) << c.bad;
        EXPECT_EQ(db.Rows(Game::Numbers4), storedFour) << c.bad;
    }
}

TEST(DrawImportTest, TheFirstOfManyDamagedLinesIsNamed) {
    std::string file = "draw_no,winning_number\n1,191\n";
    for (int draw = 2; draw <= 500; ++draw) {
        file += std::to_string(draw) + ",12\n";
    }
    const DrawCsv csv = ReadDrawCsv(Game::Numbers3, file);
    EXPECT_TRUE(NamesLine(csv.problems, 3));
    EXPECT_LT(csv.problems.size(), 100U) << "the report is for a message box";
}

TEST(DrawImportTest, TheReportStaysShort) {
    // Eight bad lines: five are named and the rest counted; a huge field is quoted
    // by its first twenty characters.
    const std::string huge(10 << 20, '7');
    std::string file = "draw_no,winning_number\n1,191\n2," + huge + "\n3,あいうえおかきくけこさしすせそたちつてとな\n";
    for (int draw = 4; draw <= 9; ++draw) {
        file += std::to_string(draw) + ",12\n";
    }
    EXPECT_EQ(ReadDrawCsv(Game::Numbers3, file).problems,
              (std::vector<std::string>{
                  "　CSVファイルを取り込めませんでした。記録は何も変わっていません。。",
                  "　3行目：当選数字「77777777777777777777…」が三桁の数字ではありません。。",
                  "　4行目：当選数字「あいうえおかきくけこさしすせそたちつてと…」が三桁の数字ではありません。。",
                  "　5行目：当選数字「12」が三桁の数字ではありません。。",
                  "　6行目：当選数字「12」が三桁の数字ではありません。。",
                  "　7行目：当選数字「12」が三桁の数字ではありません。。",
                  "　ほかに3行あります。。",
              }));
    EXPECT_EQ(ReadDrawCsv(Game::Numbers3, "draw_no,winning_number\n第" + huge + "回,191\n").problems.at(1),
              "　2行目：開催回「第7777777777777777777…」が1～32767の数ではありません。。");
}

TEST(DrawImportTest, AHeaderWithoutTheNeededColumnsIsRefused) {
    for (const std::string file : {"date,winning_number\n1995-01-10,019\n", "draw_no,date\n15,1995-01-10\n",
                                   "draw_no,digit1,digit2\n15,0,1\n", "draw_no,N100,N1\n15,0,9\n"}) {
        EXPECT_FALSE(ReadDrawCsv(Game::Numbers3, file).problems.empty()) << file;
        TestDatabase db;
        const ImportResult result = ImportDrawCsv(db.Path(), Game::Numbers3, file);
        EXPECT_EQ(result.outcome, ImportOutcome::Refused) << file;
        EXPECT_FALSE(result.report.empty()) << file;
        EXPECT_TRUE(db.Rows(Game::Numbers3).empty()) << file;
    }
}

TEST(DrawImportTest, BytesThatAreNoTextAreRefused) {
    TestDatabase db;
    const ImportResult result = ImportDrawCsv(db.Path(), Game::Numbers3, "draw_no,winning_number\n1,191\n2,\x81\x20\n");
    EXPECT_EQ(result.outcome, ImportOutcome::Refused);
    EXPECT_FALSE(result.report.empty());
    EXPECT_TRUE(db.Rows(Game::Numbers3).empty());
}

TEST(DrawImportTest, AddsTheNewDrawsWithEmptyNumbers) {
    TestDatabase db;
    db.Insert(Game::Numbers4, TestDraw{1, {1, 1, 4, 9}, {"1149", "", "", "", ""}});
    const Lines four = db.Rows(Game::Numbers4);

    const ImportResult result =
        ImportDrawCsv(db.Path(), Game::Numbers3, "draw_no,winning_number\n3,286\n1,191\n2,988\n");
    EXPECT_EQ(result.outcome, ImportOutcome::Imported);
    EXPECT_EQ(result.added, 3U);
    EXPECT_EQ(result.skipped, 0U);
    EXPECT_EQ(result.firstAdded, 1);
    EXPECT_EQ(result.lastAdded, 3);
    EXPECT_EQ(ImportSummary(result), "　3回分を追加しました（第1回～第3回）。。");
    EXPECT_EQ(db.Rows(Game::Numbers3), (Lines{"1\t1\t9\t1\t　\t　\t　\t　\t　\t ", "2\t9\t8\t8\t　\t　\t　\t　\t　\t ",
                                              "3\t2\t8\t6\t　\t　\t　\t　\t　\t "}));
    EXPECT_EQ(db.Rows(Game::Numbers4), four);

    EXPECT_EQ(ImportDrawCsv(db.Path(), Game::Numbers4, "回号,当せん番号\n第3回,0097\n第32767回,9577\n").outcome,
              ImportOutcome::Imported);
    EXPECT_EQ(db.Rows(Game::Numbers4), (Lines{four[0], Imported(3, "0097"), Imported(32767, "9577")}));
}

TEST(DrawImportTest, StoredDrawsWithTheSameDigitsAreSkippedAndKeepTheirNumbers) {
    TestDatabase db;
    StoreDrawOneWithPicks(db);
    db.Insert(Game::Numbers3, TestDraw{3, {2, 8, 6}, {"", "", "", "", ""}});
    const std::string one = db.Row(Game::Numbers3, 1);
    ASSERT_EQ(one, "1\t1\t9\t1\t123\t\t　\t456\t789\t当");
    const std::string three = db.Row(Game::Numbers3, 3);

    const std::string file = "draw_no,winning_number\n1,191\n2,988\n3,286\n4,019\n2,988\n";
    ImportResult result = ImportDrawCsv(db.Path(), Game::Numbers3, file);
    EXPECT_EQ(result.outcome, ImportOutcome::Imported);
    EXPECT_EQ(result.added, 2U);
    EXPECT_EQ(result.skipped, 2U);
    EXPECT_EQ(result.firstAdded, 2);
    EXPECT_EQ(result.lastAdded, 4);
    EXPECT_EQ(ImportSummary(result), "　2回分を追加しました（第2回～第4回）。登録済みの2回分は飛ばしました。。");
    EXPECT_EQ(db.Rows(Game::Numbers3), (Lines{one, Imported(2, "988"), three, Imported(4, "019")}));

    // Again: nothing new.
    result = ImportDrawCsv(db.Path(), Game::Numbers3, file);
    EXPECT_EQ(result.outcome, ImportOutcome::Imported);
    EXPECT_EQ(result.added, 0U);
    EXPECT_EQ(result.skipped, 4U);
    EXPECT_EQ(ImportSummary(result), "　追加する回はありませんでした。登録済みの4回分は飛ばしました。。");
    EXPECT_EQ(db.Rows(Game::Numbers3), (Lines{one, Imported(2, "988"), three, Imported(4, "019")}));
}

TEST(DrawImportTest, AStoredDrawWithOtherDigitsRefusesTheWholeFile) {
    TestDatabase db;
    StoreDrawOneWithPicks(db);
    db.Insert(Game::Numbers3, TestDraw{5, {0, 1, 9}, {"019", "", "", "", ""}});
    const Lines three = db.Rows(Game::Numbers3);
    const Lines four = db.Rows(Game::Numbers4);

    // Draws 2..4 are new, but draw 5 differs from what is stored.
    const ImportResult result =
        ImportDrawCsv(db.Path(), Game::Numbers3, "draw_no,winning_number\n1,191\n2,988\n3,286\n4,872\n5,091\n");
    EXPECT_EQ(result.outcome, ImportOutcome::Refused);
    EXPECT_EQ(result.added, 0U);
    EXPECT_TRUE(NamesLine(result.report, 6));
    EXPECT_EQ(db.Rows(Game::Numbers3), three);
    EXPECT_EQ(db.Rows(Game::Numbers4), four);

    // The same through the draws themselves.
    const ImportResult direct =
        ImportDraws(db.Path(), Game::Numbers3, {CsvDraw{2, {9, 8, 8}, 2}, CsvDraw{5, {0, 1, 8}, 7}});
    EXPECT_EQ(direct.outcome, ImportOutcome::Refused);
    EXPECT_TRUE(NamesLine(direct.report, 7));
    EXPECT_EQ(db.Rows(Game::Numbers3), three);
}

TEST(DrawImportTest, ImportsDrawsAlreadyRead) {
    TestDatabase db;
    db.Insert(Game::Numbers4, TestDraw{2, {7, 9, 2, 1}, {"7921", "", "", "", ""}});
    const std::string two = db.Row(Game::Numbers4, 2);
    const ImportResult result =
        ImportDraws(db.Path(), Game::Numbers4,
                    {CsvDraw{1, {1, 1, 4, 9}, 2}, CsvDraw{2, {7, 9, 2, 1}, 3}, CsvDraw{3, {0, 0, 9, 7}, 4}});
    EXPECT_EQ(result.outcome, ImportOutcome::Imported);
    EXPECT_EQ(result.added, 2U);
    EXPECT_EQ(result.skipped, 1U);
    EXPECT_EQ(result.firstAdded, 1);
    EXPECT_EQ(result.lastAdded, 3);
    EXPECT_EQ(ImportSummary(result), "　2回分を追加しました（第1回～第3回）。登録済みの1回分は飛ばしました。。");
    EXPECT_EQ(db.Rows(Game::Numbers4), (Lines{Imported(1, "1149"), two, Imported(3, "0097")}));
    EXPECT_TRUE(db.Rows(Game::Numbers3).empty());
}

TEST(DrawImportTest, AFileOfTheOtherGameIsRefused) {
    TestDatabase db;
    StoreDrawOneWithPicks(db);
    const Lines three = db.Rows(Game::Numbers3);
    const Lines four = db.Rows(Game::Numbers4);

    ImportResult result = ImportDrawCsv(db.Path(), Game::Numbers3, "draw_no,winning_number\n2,7921\n3,0097\n");
    EXPECT_EQ(result.outcome, ImportOutcome::Refused);
    EXPECT_TRUE(NamesLine(result.report, 2));
    result = ImportDrawCsv(db.Path(), Game::Numbers4, "1,191\n2,988\n");
    EXPECT_EQ(result.outcome, ImportOutcome::Refused);
    EXPECT_TRUE(NamesLine(result.report, 1));
    EXPECT_EQ(db.Rows(Game::Numbers3), three);
    EXPECT_EQ(db.Rows(Game::Numbers4), four);

    const auto realFour = ShippedHistoryFile("numbers4_results.csv");
    if (!realFour) {
        FAIL() << "the shipped draw history in src/exchange/history is missing";
    }
    result = ImportDrawCsv(db.Path(), Game::Numbers3, *realFour);
    EXPECT_EQ(result.outcome, ImportOutcome::Refused);
    EXPECT_TRUE(NamesLine(result.report, 2));
    EXPECT_LT(result.report.size(), 100U);
    EXPECT_EQ(db.Rows(Game::Numbers3), three);
    EXPECT_EQ(db.Rows(Game::Numbers4), four);
}

TEST(DrawImportTest, ADatabaseThatCannotBeWrittenFailsWithNothingWritten) {
    const std::string file = "draw_no,winning_number\n1,191\n2,988\n3,286\n";
    {
        TempDir dir;
        const ImportResult result = ImportDrawCsv(dir.File("ナンバーズ.mdb"), Game::Numbers3, file);
        EXPECT_EQ(result.outcome, ImportOutcome::Failed);
        EXPECT_FALSE(result.error.empty());
        EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(dir.File("ナンバーズ.mdb"))));
    }
    {
        TempDir dir;
        const std::string path = dir.File("ナンバーズ.mdb");
        ASSERT_TRUE(WriteWholeFile(path, std::string(4096, 'x')));
        EXPECT_EQ(ImportDrawCsv(path, Game::Numbers3, file).outcome, ImportOutcome::Failed);
        EXPECT_EQ(ReadBytes(path), std::string(4096, 'x'));
    }
    {
        // A missing book whose first write fails, as on a full disk: here its journal
        // cannot be made. No empty book is left behind.
        TempDir dir;
        const std::string path = dir.File("ナンバーズ.mdb");
        std::filesystem::create_directory(PathFromUtf8(path + "-journal"));
        ASSERT_TRUE(WriteWholeFile(dir.File("n3.csv"), file));
        EXPECT_EQ(ImportDrawFile(path, Game::Numbers3, dir.File("n3.csv")).outcome, ImportOutcome::Failed);
        EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(path)));
    }
    {
        // The third row is refused after two went in: neither stays.
        TestDatabase db;
        StoreDrawOneWithPicks(db);
        const Lines three = db.Rows(Game::Numbers3);
        db.Execute("CREATE TRIGGER refuse BEFORE INSERT ON \"ナンバーズ3\" WHEN NEW.kaisai=4 "
                   "BEGIN SELECT RAISE(ABORT, 'refused'); END");
        const ImportResult result =
            ImportDrawCsv(db.Path(), Game::Numbers3, "draw_no,winning_number\n2,988\n3,286\n4,019\n5,039\n");
        EXPECT_EQ(result.outcome, ImportOutcome::Failed);
        EXPECT_NE(result.error.find("refused"), std::string::npos) << result.error;
        EXPECT_EQ(result.added, 0U);
        EXPECT_EQ(db.Rows(Game::Numbers3), three);
    }
}

TEST(DrawImportTest, SummaryAndMessageTexts) {
    ImportResult result;
    result.added = 3;
    result.skipped = 7051;
    result.firstAdded = 7052;
    result.lastAdded = 7054;
    EXPECT_EQ(ImportSummary(result),
              "　3回分を追加しました（第7052回～第7054回）。登録済みの7051回分は飛ばしました。。");
    result = {};
    result.added = 7054;
    result.firstAdded = 1;
    result.lastAdded = 7054;
    EXPECT_EQ(ImportSummary(result), "　7054回分を追加しました（第1回～第7054回）。。");
    result = {};
    result.skipped = 7054;
    EXPECT_EQ(ImportSummary(result), "　追加する回はありませんでした。登録済みの7054回分は飛ばしました。。");
    result.completed = 12;
    EXPECT_EQ(ImportSummary(result), "　追加する回はありませんでした。登録済みの7054回分は飛ばしました。"
                                     "抽せん日・当せん金を12回分に記録しました。。");
    EXPECT_EQ(FileNotReadMessage("n3.csv"), "　n3.csvを開けませんでした。。");
}

TEST(DrawImportTest, ImportsTheRealThreeDigitHistory) {
    const auto file = ShippedHistoryFile("numbers3_results.csv");
    if (!file) {
        FAIL() << "the shipped draw history in src/exchange/history is missing";
    }
    TestDatabase db;
    ImportResult result = ImportDrawCsv(db.Path(), Game::Numbers3, *file);
    ASSERT_EQ(result.outcome, ImportOutcome::Imported) << testing::PrintToString(result.report) << result.error;
    EXPECT_EQ(result.added, 7054U);
    EXPECT_EQ(result.skipped, 0U);
    EXPECT_EQ(result.firstAdded, 1);
    EXPECT_EQ(result.lastAdded, 7054);
    EXPECT_EQ(ImportSummary(result),
              "　7054回分を追加しました（第1回～第7054回）。抽せん日・当せん金を7054回分に記録しました。。");

    EXPECT_EQ(db.Count("SELECT COUNT(*) FROM \"ナンバーズ3\""), 7054);
    EXPECT_EQ(db.Count("SELECT MIN(kaisai) FROM \"ナンバーズ3\""), 1);
    EXPECT_EQ(db.Count("SELECT MAX(kaisai) FROM \"ナンバーズ3\""), 7054);
    EXPECT_EQ(db.Row(Game::Numbers3, 1), "1\t1\t9\t1\t　\t　\t　\t　\t　\t ");
    EXPECT_EQ(db.Row(Game::Numbers3, 2), Imported(2, "988"));
    EXPECT_EQ(db.Row(Game::Numbers3, 15), Imported(15, "019"));
    EXPECT_EQ(db.Row(Game::Numbers3, 100), Imported(100, "899"));
    EXPECT_EQ(db.Row(Game::Numbers3, 1000), Imported(1000, "165"));
    EXPECT_EQ(db.Row(Game::Numbers3, 3500), Imported(3500, "966"));
    EXPECT_EQ(db.Row(Game::Numbers3, 5000), Imported(5000, "317"));
    EXPECT_EQ(db.Row(Game::Numbers3, 6999), Imported(6999, "360"));
    EXPECT_EQ(db.Row(Game::Numbers3, 7053), Imported(7053, "919"));
    EXPECT_EQ(db.Row(Game::Numbers3, 7054), Imported(7054, "286"));
    EXPECT_TRUE(db.Rows(Game::Numbers4).empty());

    const Lines rows = db.Rows(Game::Numbers3);
    result = ImportDrawCsv(db.Path(), Game::Numbers3, *file);
    EXPECT_EQ(result.outcome, ImportOutcome::Imported);
    EXPECT_EQ(result.added, 0U);
    EXPECT_EQ(result.skipped, 7054U);
    EXPECT_EQ(ImportSummary(result), "　追加する回はありませんでした。登録済みの7054回分は飛ばしました。。");
    EXPECT_EQ(db.Rows(Game::Numbers3), rows);
}

TEST(DrawImportTest, ImportsTheRealFourDigitHistoryInBothLanguages) {
    const auto english = ShippedHistoryFile("numbers4_results.csv");
    const auto japanese = SharedDataFile("numbers4_results_ja.csv");
    if (!english || !japanese) {
        FAIL() << "missing: the shipped numbers4_results.csv or " << SharedDataPath("numbers4_results_ja.csv");
    }
    TestDatabase db;
    ImportResult result = ImportDrawCsv(db.Path(), Game::Numbers4, *japanese);
    ASSERT_EQ(result.outcome, ImportOutcome::Imported) << testing::PrintToString(result.report) << result.error;
    EXPECT_EQ(result.added, 7054U);
    EXPECT_EQ(result.firstAdded, 1);
    EXPECT_EQ(result.lastAdded, 7054);
    EXPECT_EQ(db.Count("SELECT COUNT(*) FROM \"ナンバーズ4\""), 7054);
    EXPECT_EQ(db.Row(Game::Numbers4, 1), "1\t1\t1\t4\t9\t　\t　\t　\t　\t　\t ");
    EXPECT_EQ(db.Row(Game::Numbers4, 2), Imported(2, "7921"));
    EXPECT_EQ(db.Row(Game::Numbers4, 3), Imported(3, "0097"));
    EXPECT_EQ(db.Row(Game::Numbers4, 100), Imported(100, "5614"));
    EXPECT_EQ(db.Row(Game::Numbers4, 1000), Imported(1000, "6576"));
    EXPECT_EQ(db.Row(Game::Numbers4, 2500), Imported(2500, "0659"));
    EXPECT_EQ(db.Row(Game::Numbers4, 3500), Imported(3500, "9360"));
    EXPECT_EQ(db.Row(Game::Numbers4, 5000), Imported(5000, "2814"));
    EXPECT_EQ(db.Row(Game::Numbers4, 6999), Imported(6999, "4899"));
    EXPECT_EQ(db.Row(Game::Numbers4, 7053), Imported(7053, "9298"));
    EXPECT_EQ(db.Row(Game::Numbers4, 7054), Imported(7054, "9577"));
    EXPECT_EQ(db.Row(Game::Numbers4, 7055), "(none)");
    EXPECT_TRUE(db.Rows(Game::Numbers3).empty());

    TestDatabase fromEnglish;
    result = ImportDrawCsv(fromEnglish.Path(), Game::Numbers4, *english);
    ASSERT_EQ(result.outcome, ImportOutcome::Imported) << testing::PrintToString(result.report) << result.error;
    EXPECT_EQ(result.added, 7054U);
    EXPECT_EQ(fromEnglish.Rows(Game::Numbers4), db.Rows(Game::Numbers4));

    // Each file holds what the other one does.
    result = ImportDrawCsv(db.Path(), Game::Numbers4, *english);
    EXPECT_EQ(result.outcome, ImportOutcome::Imported);
    EXPECT_EQ(result.added, 0U);
    EXPECT_EQ(result.skipped, 7054U);
    EXPECT_EQ(fromEnglish.Rows(Game::Numbers4), db.Rows(Game::Numbers4));
}

TEST(DrawImportTest, ACp932CopyReadsLikeTheOriginal) {
    const auto japanese = SharedDataFile("numbers4_results_ja.csv");
    if (!japanese) {
        FAIL() << "the shared Japanese-headed history is missing: " << SharedDataPath("numbers4_results_ja.csv");
    }
    ASSERT_TRUE(japanese->starts_with(kUtf8Bom));
    const std::string cp932 = Cp932(std::string_view(*japanese).substr(kUtf8Bom.size()));
    ASSERT_TRUE(cp932.starts_with("\x89\xF1\x8D\x86,")); // 回号

    TestDatabase original;
    ASSERT_EQ(ImportDrawCsv(original.Path(), Game::Numbers4, *japanese).outcome, ImportOutcome::Imported);
    TestDatabase copy;
    const ImportResult result = ImportDrawCsv(copy.Path(), Game::Numbers4, cp932);
    ASSERT_EQ(result.outcome, ImportOutcome::Imported) << testing::PrintToString(result.report) << result.error;
    EXPECT_EQ(result.added, 7054U);
    EXPECT_EQ(copy.Row(Game::Numbers4, 3), Imported(3, "0097"));
    EXPECT_EQ(copy.Row(Game::Numbers4, 7054), Imported(7054, "9577"));
    EXPECT_EQ(copy.Rows(Game::Numbers4), original.Rows(Game::Numbers4));
}

TEST(DrawImportTest, ANewestFirstCopyIsStoredInDrawOrder) {
    const auto file = ShippedHistoryFile("numbers3_results.csv");
    if (!file) {
        FAIL() << "the shipped draw history in src/exchange/history is missing";
    }
    Lines lines = SplitLines(*file);
    ASSERT_EQ(lines.size(), 7055U);
    std::reverse(lines.begin() + 1, lines.end());
    ASSERT_EQ(lines[1], "7054,2026-08-21,286,2,8,6,100100,16600,58300,8300,10000");
    const std::string newestFirst = JoinLines(lines);

    TestDatabase db;
    const ImportResult result = ImportDrawCsv(db.Path(), Game::Numbers3, newestFirst);
    ASSERT_EQ(result.outcome, ImportOutcome::Imported) << testing::PrintToString(result.report) << result.error;
    EXPECT_EQ(result.added, 7054U);
    EXPECT_EQ(result.firstAdded, 1);
    EXPECT_EQ(result.lastAdded, 7054);
    const Lines rows = db.Rows(Game::Numbers3);
    ASSERT_EQ(rows.size(), 7054U);
    EXPECT_EQ(rows.front(), Imported(1, "191"));
    EXPECT_EQ(rows[1], Imported(2, "988"));
    EXPECT_EQ(rows[999], Imported(1000, "165"));
    EXPECT_EQ(rows.back(), Imported(7054, "286"));
}

TEST(DrawImportTest, ANewerFileAddsOnlyTheNewDraws) {
    const auto file = ShippedHistoryFile("numbers3_results.csv");
    const auto stored = RealDraws(Game::Numbers3, 7051);
    if (!file || !stored) {
        FAIL() << "the shipped draw history in src/exchange/history is missing";
    }
    TestDatabase db;
    db.Insert(Game::Numbers3, *stored);
    db.Execute("UPDATE \"ナンバーズ3\" SET kounyu1='123', kounyu3='　', atari='当' WHERE kaisai=7000");
    const Lines before = db.Rows(Game::Numbers3);
    ASSERT_EQ(before.size(), 7051U);

    const ImportResult result = ImportDrawCsv(db.Path(), Game::Numbers3, *file);
    ASSERT_EQ(result.outcome, ImportOutcome::Imported) << testing::PrintToString(result.report) << result.error;
    EXPECT_EQ(result.added, 3U);
    EXPECT_EQ(result.skipped, 7051U);
    EXPECT_EQ(result.firstAdded, 7052);
    EXPECT_EQ(result.lastAdded, 7054);
    EXPECT_EQ(ImportSummary(result), "　3回分を追加しました（第7052回～第7054回）。登録済みの7051回分は飛ばしました。"
                                     "抽せん日・当せん金を7054回分に記録しました。。");

    Lines expected = before;
    expected.push_back(Imported(7052, "872"));
    expected.push_back(Imported(7053, "919"));
    expected.push_back(Imported(7054, "286"));
    EXPECT_EQ(db.Rows(Game::Numbers3), expected);
    EXPECT_EQ(db.Row(Game::Numbers3, 7000), "7000\t6\t4\t9\t123\t\t　\t\t\t当");
}

TEST(DrawImportTest, AChangedDigitRefusesTheWholeRealFile) {
    const auto file = ShippedHistoryFile("numbers4_results.csv");
    const auto stored = RealDraws(Game::Numbers4, 7000);
    if (!file || !stored) {
        FAIL() << "the shipped draw history in src/exchange/history is missing";
    }
    std::string changed = *file;
    const std::string line = "\n1000,2002-04-22,6576,6,5,7,6,";
    const std::size_t at = changed.find(line);
    ASSERT_NE(at, std::string::npos);
    changed.replace(at, line.size(), "\n1000,2002-04-22,6577,6,5,7,7,");

    TestDatabase db;
    db.Insert(Game::Numbers4, *stored);
    const Lines before = db.Rows(Game::Numbers4);
    const ImportResult result = ImportDrawCsv(db.Path(), Game::Numbers4, changed);
    EXPECT_EQ(result.outcome, ImportOutcome::Refused);
    EXPECT_EQ(result.added, 0U);
    EXPECT_TRUE(NamesLine(result.report, 1001));
    EXPECT_EQ(db.Rows(Game::Numbers4), before) << "draws 7001..7054 are not added either";
    EXPECT_TRUE(db.Rows(Game::Numbers3).empty());
}

namespace {

// "drawNo:digits date yen,yen,… [numbers|…]"; "?" for what is unknown.
std::string DescribeResults(const CsvDraw& draw) {
    std::string text = std::to_string(draw.drawNo) + ":" + DigitsText(draw.digits) + " " +
                       (draw.results.date != 0 ? DateText(draw.results.date) : "?") + " ";
    for (std::size_t p = 0; p < kPrizeCount; ++p) {
        text += (p > 0 ? "," : "") + (draw.results.yen[p] == kUnknownYen ? "?" : std::to_string(draw.results.yen[p]));
    }
    if (draw.numbers) {
        text += " [";
        for (std::size_t n = 0; n < draw.numbers->size(); ++n) {
            text += (n > 0 ? "|" : "") + std::string((*draw.numbers)[n]);
        }
        text += "]";
    }
    return text;
}

} // namespace

TEST(DrawImportTest, ReadsDatesPayoutsAndNumbers) {
    const std::string english3 = "draw_no,draw_date,winning_number,digit1,digit2,digit3,straight_payout,box_payout,"
                                 "set_straight_payout,set_box_payout,mini_payout\n";
    const std::string english4 = "draw_no,draw_date,winning_number,digit1,digit2,digit3,digit4,straight_payout,"
                                 "box_payout,set_straight_payout,set_box_payout,mini_payout\n";
    const std::string exported = "開催回数,当選数字,予想数字１,予想数字２,予想数字３,予想数字４,予想数字５,"
                                 "抽せん日,ストレート,ボックス,セット（ストレート）,セット（ボックス）,ミニ\n";
    const struct {
        Game game;
        std::string csv;
        std::string expected; // the draw read, or the problem line
    } cases[] = {
        {Game::Numbers3, english3 + "1,1994-10-07,191,1,9,1,119800,39900,79800,19900,11900\n",
         "1:191 1994-10-07 119800,39900,79800,19900,11900"},
        // Box and set were not sold on 333 and 5555: the file's 0 and its empty field both mean 0.
        {Game::Numbers3, english3 + "35,1995-03-21,333,3,3,3,65500,0,0,0,6500\n", "35:333 1995-03-21 65500,0,0,0,6500"},
        {Game::Numbers4, english4 + "1249,2003-11-28,5555,5,5,5,5,279700,,,,123\n",
         "1249:5555 2003-11-28 279700,0,0,0,?"},
        {Game::Numbers4, english4 + "1249,2003-11-28,5555,5,5,5,5,,,,,\n", "1249:5555 2003-11-28 ?,?,?,?,?"},
        {Game::Numbers3, english3 + "3,,194,1,9,4,71700,,41800,5900,\n", "3:194 ? 71700,?,41800,5900,?"},
        // Export's own captions, other ways of writing a date and a sum of yen, and the numbers.
        {Game::Numbers3, exported + "5,012,123,,　,\"a,b\",x,2026/8/21,\"100,100\",１６６００円,,,\n",
         "5:012 2026-08-21 100100,16600,?,?,? [123||　|a,b|x]"},
        {Game::Numbers3, "draw_no,winning_number,予想数字２\n7,286,555\n", "7:286 ? ?,?,?,?,? [　|555|　|　|　]"},
        {Game::Numbers3, english3 + "1,2026-02-29,191,1,9,1,1,1,1,1,1\n",
         "　2行目：抽せん日「2026-02-29」が日付ではありません。。"},
        {Game::Numbers3, english3 + "1,1994-10-07,191,1,9,1,1,\"12,34\",1,1,1\n",
         "　2行目：ボックスの当せん金「12,34」が金額ではありません。。"},
        {Game::Numbers4, english4 + "1,1994-10-07,1149,1,1,4,9,-5,1,1,1,\n",
         "　2行目：ストレートの当せん金「-5」が金額ではありません。。"},
        {Game::Numbers3, english3 + "1,1994-10-07,191,1,9,1,100000001,1,1,1,1\n",
         "　2行目：ストレートの当せん金「100000001」が金額ではありません。。"},
        // The same draw twice: what one copy lacks the other fills in; a difference refuses the file.
        {Game::Numbers3, english3 + "3,1994-10-21,194,1,9,4,71700,,,,\n3,,194,1,9,4,,11900,41800,5900,7100\n",
         "3:194 1994-10-21 71700,11900,41800,5900,7100"},
        {Game::Numbers3, english3 + "3,1994-10-21,194,1,9,4,71700,,,,\n3,,194,1,9,4,71800,,,,\n",
         "　3行目：第3回が2行目と違う抽せん日か当せん金です。。"},
    };
    for (const auto& c : cases) {
        const DrawCsv csv = ReadDrawCsv(c.game, c.csv);
        std::string got = csv.problems.size() > 1 ? csv.problems[1] : "";
        if (csv.problems.empty() && csv.draws.size() == 1) {
            got = DescribeResults(csv.draws[0]);
        }
        EXPECT_EQ(got, c.expected) << c.csv;
    }
}

TEST(DrawImportTest, DatesAndPayoutsAreFilledInNeverChanged) {
    const std::string header = "draw_no,draw_date,winning_number,straight_payout,box_payout,予想数字１\n";
    DrawResults dateOnly;
    dateOnly.date = 19941007;
    DrawResults known = dateOnly;
    known.yen[0] = 119800;
    known.yen[1] = 39900;
    const struct {
        std::optional<DrawResults> stored; // draw 1's results in the book
        std::string lines;
        std::string said;     // the summary, or the report's line
        std::string exported; // draw 1 and any draw added, as export writes them
    } cases[] = {
        {std::nullopt, "1,1994-10-07,191,119800,39900,999\n",
         "　追加する回はありませんでした。登録済みの1回分は飛ばしました。抽せん日・当せん金を1回分に記録しました。。",
         "1,191,123,,,,,1994-10-07,119800,39900,,,\n"},
        {dateOnly, "1,,191,119800,,999\n",
         "　追加する回はありませんでした。登録済みの1回分は飛ばしました。抽せん日・当せん金を1回分に記録しました。。",
         "1,191,123,,,,,1994-10-07,119800,,,,\n"},
        {known, "1,1994-10-07,191,119800,,\n", "　追加する回はありませんでした。登録済みの1回分は飛ばしました。。",
         "1,191,123,,,,,1994-10-07,119800,39900,,,\n"},
        {dateOnly, "1,1994-10-08,191,,,\n",
         "　2行目：第1回は抽せん日1994-10-07で登録済みです（ファイルでは1994-10-08）。。", ""},
        {known, "1,1994-10-07,191,119900,,\n",
         "　2行目：第1回はストレートの当せん金119,800円で登録済みです（ファイルでは119,900円）。。", ""},
        // A new draw is stored with the file's numbers; draw 1 stays as it was.
        {known, "2,1994-10-14,988,333500,111100,988\n",
         "　1回分を追加しました（第2回～第2回）。抽せん日・当せん金を1回分に記録しました。。",
         "1,191,123,,,,,1994-10-07,119800,39900,,,\n2,988,988,　,　,　,　,1994-10-14,333500,111100,,,\n"},
    };
    for (const auto& c : cases) {
        TestDatabase db;
        db.Insert(Game::Numbers3, TestDraw{1, {1, 9, 1}, {"123", "", "", "", ""}});
        if (c.stored) {
            Connection connection(db.Path(), OpenMode::ReadWrite);
            CreateResultsTable(connection);
            ResultsWriter(connection, Game::Numbers3, false).Write(1, *c.stored);
        }
        const std::string before = ReadBytes(db.Path());
        const ImportResult result = ImportDrawCsv(db.Path(), Game::Numbers3, header + c.lines);
        if (c.exported.empty()) {
            EXPECT_EQ(result.outcome, ImportOutcome::Refused) << c.lines;
            EXPECT_EQ(result.report.size() > 1 ? result.report[1] : "", c.said) << c.lines;
            EXPECT_EQ(ReadBytes(db.Path()), before) << c.lines;
            continue;
        }
        EXPECT_EQ(ImportSummary(result), c.said) << c.lines;
        const std::string csv = ExportDrawCsv(db.Path(), Game::Numbers3).csv;
        EXPECT_EQ(csv.substr(csv.find('\n') + 1), c.exported) << c.lines;
    }
}
