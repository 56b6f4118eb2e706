#include "register/DrawRegistration.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace drawbook;
using namespace drawbook::test;

namespace {

constexpr const char* kIncomplete4 = "　ナンバーズ４に記入漏れがあります。。";
constexpr const char* kIncomplete3 = "　ナンバーズ３に記入漏れがあります。。";
constexpr const char* kNotOneDigit4 = "　ナンバーズ４の当選数字は一桁の数字で記入してください。。";
constexpr const char* kNotOneDigit3 = "　ナンバーズ３の当選数字は一桁の数字で記入してください。。";

using Messages = std::vector<std::string>;

DrawEdit Three(const std::string& drawNo = "101") {
    return {drawNo, {"4", "0", "9"}, {"123", "456", "789", "012", "345"}};
}

DrawEdit Four(const std::string& drawNo = "101") {
    return {drawNo, {"1", "2", "3", "4"}, {"1234", "5678", "9012", "3456", "7890"}};
}

std::vector<TestDraw> Draws(std::initializer_list<int> numbers, int digits) {
    std::vector<TestDraw> draws;
    for (const int kaisai : numbers) {
        draws.push_back({kaisai, std::vector<std::optional<int>>(static_cast<std::size_t>(digits), 5)});
    }
    return draws;
}

} // namespace

TEST(DrawRegistrationTest, InsertStatementsTakeTheFieldsInColumnOrder) {
    EXPECT_EQ(InsertDrawStatement(Game::Numbers3, Three()),
              "INSERT INTO ナンバーズ3 VALUES (101,4,0,9,'123','456','789','012','345',' ')");
    EXPECT_EQ(InsertDrawStatement(Game::Numbers4, Four("7")),
              "INSERT INTO ナンバーズ4 VALUES (7,1,2,3,4,'1234','5678','9012','3456','7890',' ')");
    // A quote inside a number is doubled and cannot end the literal.
    DrawEdit quoted = Three();
    quoted.numbers = {"1'2", "'", " ", "　", "a''b"};
    EXPECT_EQ(InsertDrawStatement(Game::Numbers3, quoted),
              "INSERT INTO ナンバーズ3 VALUES (101,4,0,9,'1''2','''',' ','　','a''''b',' ')");
}

TEST(DrawRegistrationTest, EveryFieldMustBeFilledFourDigitGameReportedFirst) {
    {
        DrawEdit three = Three();
        DrawEdit four = Four();
        four.numbers[2].clear();
        EXPECT_EQ(PrepareRegistration(three, four), Messages{kIncomplete4});
    }
    {
        DrawEdit three = Three();
        DrawEdit four = Four();
        three.digits[0].clear();
        EXPECT_EQ(PrepareRegistration(three, four), Messages{kIncomplete3});
    }
    {
        // Both incomplete, and one of them with a letter too: only the gaps are reported.
        DrawEdit three = Three();
        DrawEdit four = Four();
        three.numbers[4].clear();
        four.digits[3].clear();
        four.digits[0] = "x";
        EXPECT_EQ(PrepareRegistration(three, four), (Messages{kIncomplete4, kIncomplete3}));
    }
    {
        // A blank counts as filled; the draw number is not looked at.
        DrawEdit three = Three("");
        DrawEdit four = Four("");
        three.numbers = {" ", " ", " ", " ", " "};
        EXPECT_EQ(PrepareRegistration(three, four), Messages{});
        EXPECT_EQ(three.numbers[0], " ");
    }
}

TEST(DrawRegistrationTest, EachDigitFieldMustHoldOneDigit) {
    for (const std::string bad : {"a", "12", " ", "-1", "１２", "〇", "٣"}) {
        DrawEdit three = Three();
        DrawEdit four = Four();
        four.digits[1] = bad;
        EXPECT_EQ(PrepareRegistration(three, four), Messages{kNotOneDigit4}) << bad;
        EXPECT_EQ(four.digits[1], bad) << "a refused draw is left as typed";

        three = Three();
        four = Four();
        three.digits[2] = bad;
        EXPECT_EQ(PrepareRegistration(three, four), Messages{kNotOneDigit3}) << bad;
    }

    DrawEdit three = Three();
    DrawEdit four = Four();
    three.digits[0] = "Ｘ";
    four.digits[3] = "44";
    EXPECT_EQ(PrepareRegistration(three, four), (Messages{kNotOneDigit4, kNotOneDigit3}));

    // Full-width digits become plain ones, in both games; nothing else changes.
    three = {"101", {"４", "０", "9"}, {"１２３", "456", "789", "012", "345"}};
    four = {"55", {"０", "1", "９", "2"}, Four().numbers};
    EXPECT_EQ(PrepareRegistration(three, four), Messages{});
    EXPECT_EQ(three.digits, (std::vector<std::string>{"4", "0", "9"}));
    EXPECT_EQ(four.digits, (std::vector<std::string>{"0", "1", "9", "2"}));
    EXPECT_EQ(three.numbers[0], "１２３");
}

TEST(DrawRegistrationTest, AddsBothDrawsWithABlankHitMarker) {
    TestDatabase db;
    db.Insert(Game::Numbers3, Draws({1, 2}, 3));
    DrawEdit quoted = Three("3");
    quoted.numbers = {"12'3", "'); DROP TABLE ナンバーズ4; --", " ", "　", "045"};
    const RegisterResult result = RegisterDraws(db.Path(), quoted, Four("1"));
    EXPECT_EQ(result.outcome, RegisterOutcome::Registered);
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ(db.Row(Game::Numbers3, 3), "3\t4\t0\t9\t12'3\t'); DROP TABLE ナンバーズ4; --\t \t　\t045\t ");
    EXPECT_EQ(db.Rows(Game::Numbers4), std::vector<std::string>{"1\t1\t2\t3\t4\t1234\t5678\t9012\t3456\t7890\t "});
}

TEST(DrawRegistrationTest, BothRowsOrNeither) {
    TestDatabase db;
    db.Insert(Game::Numbers3, Draws({1}, 3));
    db.Insert(Game::Numbers4, Draws({1}, 4));
    const auto three = db.Rows(Game::Numbers3);
    const auto four = db.Rows(Game::Numbers4);

    // The second INSERT fails after the first has run.
    db.Execute("CREATE TRIGGER refuse BEFORE INSERT ON \"ナンバーズ4\" BEGIN SELECT RAISE(ABORT, 'refused'); END");
    RegisterResult result = RegisterDraws(db.Path(), Three("2"), Four("2"));
    EXPECT_EQ(result.outcome, RegisterOutcome::Failed);
    EXPECT_NE(result.error.find("refused"), std::string::npos);
    EXPECT_EQ(db.Rows(Game::Numbers3), three);
    EXPECT_EQ(db.Rows(Game::Numbers4), four);

    // The first table cannot take the row: the second is not written either.
    db.Execute("DROP TRIGGER refuse; ALTER TABLE \"ナンバーズ3\" RENAME COLUMN kounyu5 TO other");
    result = RegisterDraws(db.Path(), Three("2"), Four("2"));
    EXPECT_EQ(result.outcome, RegisterOutcome::Failed);
    EXPECT_EQ(db.Rows(Game::Numbers4), four);

    TempDir dir;
    result = RegisterDraws(dir.File("ナンバーズ.mdb"), Three("1"), Four("1"));
    EXPECT_EQ(result.outcome, RegisterOutcome::Failed);
    EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(dir.File("ナンバーズ.mdb"))));
}

TEST(DrawRegistrationTest, DrawNumbersMustBeFreeAndFitSixteenBits) {
    TestDatabase db;
    // Rows 1, 2 and 4: the next draw number is 4, which is taken.
    db.Insert(Game::Numbers3, Draws({1, 2, 4}, 3));
    db.Insert(Game::Numbers4, Draws({1, 2, 4, 0, -3}, 4));
    const auto three = db.Rows(Game::Numbers3);
    const auto four = db.Rows(Game::Numbers4);

    RegisterResult result = RegisterDraws(db.Path(), Three("4"), Four("3"));
    EXPECT_EQ(result.outcome, RegisterOutcome::Taken);
    EXPECT_EQ(result.messages, Messages{"　第4回はナンバーズ３に登録済みです。。"});
    result = RegisterDraws(db.Path(), Three("4"), Four("4"));
    EXPECT_EQ(result.messages,
              (Messages{"　第4回はナンバーズ４に登録済みです。。", "　第4回はナンバーズ３に登録済みです。。"}));
    EXPECT_EQ(db.Rows(Game::Numbers3), three);
    EXPECT_EQ(db.Rows(Game::Numbers4), four);

    for (const std::string bad : {"", "0", "-1", "32768", "1e3", "3 ", "3;", "2 OR 1=1"}) {
        EXPECT_EQ(RegisterDraws(db.Path(), Three(bad), Four("5")).outcome, RegisterOutcome::Failed) << bad;
        EXPECT_EQ(RegisterDraws(db.Path(), Three("5"), Four(bad)).outcome, RegisterOutcome::Failed) << bad;
    }
    EXPECT_EQ(db.Rows(Game::Numbers3), three);
    EXPECT_EQ(db.Rows(Game::Numbers4), four);

    EXPECT_EQ(RegisterDraws(db.Path(), Three("32767"), Four("3")).outcome, RegisterOutcome::Registered);
    EXPECT_EQ(db.Row(Game::Numbers3, 32767), "32767\t4\t0\t9\t123\t456\t789\t012\t345\t ");
}
