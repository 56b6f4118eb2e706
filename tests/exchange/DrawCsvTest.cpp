#include "exchange/DrawCsv.h"

#include "draw/DigitText.h"

#include <gtest/gtest.h>

#include <type_traits>

using namespace drawbook;

namespace {

using Lines = std::vector<std::string>;

const std::string kRefused = "　CSVファイルを取り込めませんでした。記録は何も変わっていません。。";

// "draw:digits@line yen,yen,… [number|…]" for each draw, "?" for an unknown payout.
Lines Describe(const DrawCsv& csv) {
    Lines described;
    for (const CsvDraw& draw : csv.draws) {
        std::string text =
            std::to_string(draw.drawNo) + ":" + DigitsText(draw.digits) + "@" + std::to_string(draw.line) + " ";
        for (std::size_t p = 0; p < kPrizeCount; ++p) {
            const int yen = draw.results.yen[p];
            text += (p > 0 ? "," : "") + (yen == kUnknownYen ? "?" : std::to_string(yen));
        }
        if (draw.numbers) {
            text += " [";
            for (std::size_t n = 0; n < draw.numbers->size(); ++n) {
                text += (n > 0 ? "|" : "") + std::string((*draw.numbers)[n]);
            }
            text += "]";
        }
        described.push_back(text);
    }
    return described;
}

// The draws a file gives, or its report when it is refused.
Lines Read(Game game, const std::string& text) {
    const DrawCsv csv = ReadDrawCsv(game, text);
    return csv.problems.empty() ? Describe(csv) : csv.problems;
}

} // namespace

TEST(DrawCsvTest, EachLineIsReadByTheRulesOfItsFields) {
    const std::string payouts = "draw_no,winning_number,straight_payout,box_payout,set_straight_payout,"
                                "set_box_payout,mini_payout\n";
    const struct {
        std::string csv;
        Lines expected;
    } cases[] = {
        // Commas stand between groups of three digits, and only there.
        {payouts + "1,191,\"1,000,000\",\"12,345円\",,,\n", {"1:191@2 1000000,12345,?,?,?"}},
        {payouts + "1,191,\"1234,567\",,,,\n",
         {kRefused, "　2行目：ストレートの当せん金「1234,567」が金額ではありません。。"}},
        // Box and set were not sold on 333, so their empty fields are 0 beside a known straight
        // payout; mini was sold, and its empty field stays unknown.
        {payouts + "35,333,65500,,,,\n", {"35:333@2 65500,0,0,0,?"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Read(Game::Numbers3, c.csv), c.expected) << c.csv;
    }
}

// Under a header every line has its fields, even empty ones; without a header a
// line has the draw number and the winning number, and may go on.
TEST(DrawCsvTest, EveryLineHasTheFieldsOfItsHeader) {
    const std::string dated = "draw_no,winning_number,draw_date\n";
    const struct {
        std::string csv;
        Lines expected;
    } cases[] = {
        {dated + "1,191,1994-10-07\n2,988,\n", {"1:191@2 ?,?,?,?,?", "2:988@3 ?,?,?,?,?"}},
        {dated + "1,191\n", {kRefused, "　2行目：列が足りません。。"}},
        {dated + "1,191,1994-10-07,\n", {kRefused, "　2行目：列が多すぎます。。"}},
        {dated + "1,191,,\"x,y\"\n2,988,1994-10-14\n3,7\n",
         {kRefused, "　2行目：列が多すぎます。。", "　4行目：列が足りません。。"}},
        // A short line lacks its column even where a longer line before it had one.
        {"draw_no,note,winning_number\n1,a long note,191\n2,x\n", {kRefused, "　3行目：列が足りません。。"}},
        {"draw_no,digit1,digit2,digit3\n1,1,9,1\n2,9,8\n", {kRefused, "　3行目：列が足りません。。"}},
        // A quoted comma is part of its field; a file's last line may lack its line end.
        {"draw_no,note,winning_number\n1,\"a,b\",191", {"1:191@2 ?,?,?,?,?"}},
        {"1,191,1994-10-07,x\n2,988\n", {"1:191@1 ?,?,?,?,?", "2:988@2 ?,?,?,?,?"}},
        {"1,191\n2\n", {kRefused, "　2行目：列が足りません。。"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Read(Game::Numbers3, c.csv), c.expected) << c.csv;
    }
}

TEST(DrawCsvTest, AMovedReadingKeepsItsNumbers) {
    static_assert(!std::is_copy_constructible_v<DrawCsv> && !std::is_copy_assignable_v<DrawCsv>,
                  "a copy would view the numbers of the original");
    const std::string header = "draw_no,winning_number,予想数字１,予想数字２\n";
    DrawCsv kept;
    {
        DrawCsv read = ReadDrawCsv(Game::Numbers3, header + "7,286,555,12\n8,919,,9\n");
        DrawCsv moved(std::move(read));
        kept = std::move(moved);
        // Whatever the moved-from objects held is reused and written over.
        read = ReadDrawCsv(Game::Numbers3, header + "1,111,999,999\n");
        moved = ReadDrawCsv(Game::Numbers3, header + "2,222,888,888\n");
    }
    EXPECT_EQ(Describe(kept), (Lines{"7:286@2 ?,?,?,?,? [555|12|　|　|　]", "8:919@3 ?,?,?,?,? [|9|　|　|　]"}));
}

TEST(DrawCsvTest, MillionsOfBlankLinesAreReadWithoutRoomForEach) {
    const std::string blank(20'000'000, '\n');
    const DrawCsv nothing = ReadDrawCsv(Game::Numbers3, blank);
    EXPECT_EQ(nothing.problems, (Lines{kRefused, "　取り込む回がありません。。"}));
    const DrawCsv two = ReadDrawCsv(Game::Numbers3, "draw_no,winning_number\n1,191\n" + blank + "2,988\n");
    EXPECT_EQ(Describe(two), (Lines{"1:191@2 ?,?,?,?,?", "2:988@20000003 ?,?,?,?,?"}));
    // Room for a full book's draws at most, never a draw per line.
    EXPECT_LT(nothing.draws.capacity(), 100'000U);
    EXPECT_LT(two.draws.capacity(), 100'000U);
}
