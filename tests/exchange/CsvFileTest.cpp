#include "exchange/CsvFile.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace drawbook;
using namespace drawbook::test;

namespace {

using Fields = std::vector<std::string>;

// "line: field|field|…" for each record, so a whole split compares at once.
std::vector<std::string> Describe(const std::vector<CsvRecord>& records) {
    std::vector<std::string> described;
    for (const CsvRecord& record : records) {
        std::string text = std::to_string(record.line) + ":";
        for (std::size_t i = 0; i < record.fields.size(); ++i) {
            text += (i == 0 ? " " : "|") + record.fields[i];
        }
        described.push_back(text);
    }
    return described;
}

} // namespace

TEST(CsvFileTest, SplitsRecordsWithTheirLineNumbers) {
    EXPECT_EQ(Describe(SplitCsv("draw_no,winning_number\n1,191\n2,988\n")),
              (std::vector<std::string>{"1: draw_no|winning_number", "2: 1|191", "3: 2|988"}));
    // The last line needs no line end; empty fields stay, empty lines do not.
    EXPECT_EQ(Describe(SplitCsv("a,,c,\n\n\n,b\n\n")), (std::vector<std::string>{"1: a||c|", "4: |b"}));
    EXPECT_EQ(Describe(SplitCsv("x, y ,z")), (std::vector<std::string>{"1: x| y |z"}));
    EXPECT_EQ(Describe(SplitCsv("第1回,1149,　\n")), (std::vector<std::string>{"1: 第1回|1149|　"}));
    EXPECT_TRUE(SplitCsv("").empty());
    EXPECT_TRUE(SplitCsv("\n\n\r\n").empty());
}

TEST(CsvFileTest, CrLfEndsARecordLikeLf) {
    EXPECT_EQ(Describe(SplitCsv("a,b\r\nc,d\r\n\r\ne,f")), (std::vector<std::string>{"1: a|b", "2: c|d", "4: e|f"}));
    EXPECT_EQ(Describe(SplitCsv("a\r\nb\nc\r\n")), (std::vector<std::string>{"1: a", "2: b", "3: c"}));
}

TEST(CsvFileTest, QuotedFieldsHoldCommasQuotesAndLineBreaks) {
    const auto records = SplitCsv("\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\",z\nnext,\"\"\n\"\",\"1\"\r\n");
    ASSERT_EQ(records.size(), 3U);
    EXPECT_EQ(records[0].line, 1);
    EXPECT_EQ(records[0].fields, (Fields{"a,b", "say \"hi\"", "two\nlines", "z"}));
    // The quoted line break moves the next record to line 3.
    EXPECT_EQ(records[1].line, 3);
    EXPECT_EQ(records[1].fields, (Fields{"next", ""}));
    EXPECT_EQ(records[2].line, 4);
    EXPECT_EQ(records[2].fields, (Fields{"", "1"}));

    // A quoted CRLF counts as one line too.
    const auto crlf = SplitCsv("1,\"x\r\ny\"\r\n2,z\r\n");
    ASSERT_EQ(crlf.size(), 2U);
    EXPECT_EQ(crlf[1].line, 3);
    EXPECT_EQ(crlf[1].fields, (Fields{"2", "z"}));
}

TEST(CsvFileTest, DecodesUtf8WithOrWithoutItsMark) {
    EXPECT_EQ(DecodeCsvBytes("\xEF\xBB\xBF回号,当せん番号\n"), std::optional<std::string>("回号,当せん番号\n"));
    EXPECT_EQ(DecodeCsvBytes("回号,当せん番号\n"), std::optional<std::string>("回号,当せん番号\n"));
    EXPECT_EQ(DecodeCsvBytes("1,191\r\n"), std::optional<std::string>("1,191\r\n"));
    EXPECT_EQ(DecodeCsvBytes(""), std::optional<std::string>(""));
    EXPECT_EQ(DecodeCsvBytes(kUtf8Bom), std::optional<std::string>(""));
    // "é" in UTF-8 would also be two half-width katakana in CP932: UTF-8 wins.
    EXPECT_EQ(DecodeCsvBytes("caf\xC3\xA9"), std::optional<std::string>("café"));
}

TEST(CsvFileTest, DecodesCp932) {
    // "第1回,当せん番号" in CP932.
    EXPECT_EQ(DecodeCsvBytes("\x91\xE6\x31\x89\xF1,\x93\x96\x82\xB9\x82\xF1\x94\xD4\x8D\x86\r\n"),
              std::optional<std::string>("第1回,当せん番号\r\n"));
    // Half-width katakana, and characters CP932 has beyond plain Shift_JIS.
    EXPECT_EQ(DecodeCsvBytes("\xB6\xB2\xBA\xDE\xB3,\x87\x40"), std::optional<std::string>("ｶｲｺﾞｳ,①"));
}

TEST(CsvFileTest, BytesThatAreNeitherGiveNothing) {
    // A lead byte with a bad second byte, a lead byte at the end, an unassigned row.
    EXPECT_EQ(DecodeCsvBytes("1,191\n2,\x81\x20\n"), std::nullopt);
    EXPECT_EQ(DecodeCsvBytes("1,191\n2,988\x81"), std::nullopt);
    EXPECT_EQ(DecodeCsvBytes("\x85\x40,1"), std::nullopt);
}

TEST(CsvFileTest, FieldsAreQuotedOnlyWhenTheyMustBe) {
    EXPECT_EQ(CsvField("123"), "123");
    EXPECT_EQ(CsvField(""), "");
    EXPECT_EQ(CsvField("　"), "　");
    EXPECT_EQ(CsvField(" 12 "), " 12 ");
    EXPECT_EQ(CsvField("予想数字１"), "予想数字１");
    EXPECT_EQ(CsvField("1,2"), "\"1,2\"");
    EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvField("\""), "\"\"\"\"");
    EXPECT_EQ(CsvField("a\nb"), "\"a\nb\"");
    EXPECT_EQ(CsvField("a\rb"), "\"a\rb\"");

    // What CsvField writes, SplitCsv reads back.
    const Fields awkward{"1,2", "\"", "a\r\nb", "", "　", "x\"\"y", ","};
    std::string line;
    for (const std::string& field : awkward) {
        line += (line.empty() ? "" : ",") + CsvField(field);
    }
    const auto records = SplitCsv(line + "\r\n");
    ASSERT_EQ(records.size(), 1U);
    EXPECT_EQ(records[0].fields, awkward);
}

TEST(CsvFileTest, WritesAndReadsWholeFiles) {
    TempDir dir;
    const std::string path = dir.File("ナンバーズ3.csv");
    const std::string bytes = std::string(kUtf8Bom) + "開催回数,当選数字\r\n1,191\n" + std::string(1, '\0') + "\xFF";
    ASSERT_TRUE(WriteWholeFile(path, bytes));
    EXPECT_EQ(ReadBytes(path), bytes);
    EXPECT_EQ(ReadWholeFile(path), std::optional<std::string>(bytes));

    // A shorter text replaces the longer one completely.
    ASSERT_TRUE(WriteWholeFile(path, "7054,286\n"));
    EXPECT_EQ(ReadWholeFile(path), std::optional<std::string>("7054,286\n"));
    ASSERT_TRUE(WriteWholeFile(path, ""));
    EXPECT_EQ(ReadWholeFile(path), std::optional<std::string>(""));
    EXPECT_EQ(std::vector<std::filesystem::path>(std::filesystem::directory_iterator(dir.Path()), {}),
              std::vector<std::filesystem::path>{PathFromUtf8(path)})
        << "nothing else is left in the directory";
}

TEST(CsvFileTest, FilesThatCannotBeReadGiveNothing) {
    TempDir dir;
    EXPECT_EQ(ReadWholeFile(dir.File("missing.csv")), std::nullopt);
    EXPECT_EQ(ReadWholeFile(dir.Path().string()), std::nullopt) << "a directory is no file";
}

TEST(CsvFileTest, WritingIntoAMissingDirectoryFails) {
    TempDir dir;
    EXPECT_FALSE(WriteWholeFile(dir.File("missing/n3.csv"), "1,191\n"));
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "missing"));
}

TEST(CsvFileTest, AFileInADirectoryWithoutWritePermissionStaysAsItWas) {
    if (!FileModesBind()) {
        GTEST_SKIP() << "permissions do not bind root (or Windows, where modes only mark files read-only)";
    }
    TempDir dir;
    const std::string path = dir.File("n3.csv");
    ASSERT_TRUE(WriteWholeFile(path, "1,191\n"));
    std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    EXPECT_FALSE(WriteWholeFile(path, "2,988\n"));
    EXPECT_EQ(ReadBytes(path), "1,191\n");
    EXPECT_FALSE(WriteWholeFile(dir.File("new.csv"), "2,988\n"));
    EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(dir.File("new.csv"))));
}
