#include "cli/Cli.h"
#include "game/DrawListModel.h"
#include "game/Numbers3Dlg.h"
#include "game/Numbers4Dlg.h"
#include "res/ResourceIds.h"
#include "support/DialogDriver.h"
#include "support/RecordingDesktop.h"
#include "support/TestDatabase.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include <filesystem>
#include <memory>
#include <sstream>

using namespace drawbook;
using namespace drawbook::test;

namespace {

QString CliOutput(const std::vector<std::string>& args, const std::string& dbPath) {
    std::ostringstream out;
    std::ostringstream err;
    RunCli(args, out, err, dbPath);
    return QString::fromStdString(out.str());
}

// The rows as the command line lists them: every cell but the date, which
// NumbersRefreshTest checks.
QStringList ListedRows(const CNumbersDlg& window) {
    QStringList rows;
    for (const QString& row : ListRows(window.m_listDraws)) {
        rows << row.section(QLatin1Char('\t'), 0, -2);
    }
    return rows;
}

} // namespace

class NumbersDlgTest : public QObject {
    Q_OBJECT

private slots:
    void nextDrawCountsRecordedDraws();
    void listAllShowsEveryDrawWithItsNumbers();
    void listAllReplacesTheListAndKeepsTheCount();
    void missingDatabaseLeavesEverythingEmptyAndQuiet();
    void newDrawsShowOnlyAfterListAll();
    void damageFoundWhileListingIsReported();
    void everyCellOfTheRealHistoryAsStored();
    void aColumnAddedOverListedRowsIsBlankInThem();
    void listColumnsAndSelection();
    void clearEmptiesOnlyTheDigitFields();
    void digitFieldsTakeOneCharacter();
    void opensInTheFirstDigitFieldAndEnterCloses();
    void helpFailureSaysStartingFailed();

    void predictFillsOnlyTheFivePredictionFields();
    void predictReadsTheHistoryAgainEachTime();
    void predictLeavesTheFieldsWhenTheDatabaseCannotBeOpened();
    void predictStoppedByDamageKeepsTheFieldsAndSaysSo();

    void searchListsAndCountsTheMatchingDraws();
    void searchBoxInBothWindows();
    void rejectedSearchKeepsTheListAndCount();
    void searchFindingNothingShowsZeroThenSaysSo();
    void digitFieldsTakeOnlyADigit();
};

void NumbersDlgTest::nextDrawCountsRecordedDraws() {
    const auto draws = RealDraws(Game::Numbers3, 250);
    if (!draws) {
        QFAIL("the shipped draw history in src/exchange/history is missing");
    }
    RecordingDesktop desktop;
    TestDatabase db;
    db.Insert(Game::Numbers3, *draws);
    db.Insert(Game::Numbers3, {TestDraw{0, {1, 2, 3}}, TestDraw{-4, {4, 5, 6}}});
    QCOMPARE(TextOf(OpenGameWindow(Game::Numbers3, desktop, db.Path()).get(), IDC_NEXT_DRAW), QStringLiteral("251"));
    // The other game's table is empty.
    QCOMPARE(TextOf(OpenGameWindow(Game::Numbers4, desktop, db.Path()).get(), IDC_NEXT_DRAW), QStringLiteral("1"));
    QVERIFY(desktop.messages.empty());
    QCOMPARE(desktop.waitDepth, 0);
    QVERIFY(desktop.waitCursors >= 2);
}

void NumbersDlgTest::listAllShowsEveryDrawWithItsNumbers() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.Insert(Game::Numbers3, {
                                  TestDraw{2, {0, 0, 7}, {"123", "456", "789", "012", "345"}},
                                  TestDraw{1, {9, 1, 0}},
                                  TestDraw{0, {5, 5, 5}, {"999", "", "", "", ""}},
                                  TestDraw{3, {1, 2, 3}, {"　", "", "047", "", ""}},
                              });
    db.Insert(Game::Numbers4, TestDraw{1, {1, 0, 2, 0}, {"1234", "", "", "", "0001"}});

    const auto three = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    Click(three.get(), IDC_LIST_ALL);
    QCOMPARE(ListedRows(*three), (QStringList{
                                     QStringLiteral("1\t910\t\t\t\t\t"),
                                     QStringLiteral("2\t007\t123\t456\t789\t012\t345"),
                                     QStringLiteral("3\t123\t　\t\t047\t\t"),
                                 }));

    const auto four = OpenGameWindow(Game::Numbers4, desktop, db.Path());
    Click(four.get(), IDC_LIST_ALL);
    QCOMPARE(ListedRows(*four), QStringList{QStringLiteral("1\t1020\t1234\t\t\t\t0001")});
    QVERIFY(desktop.messages.empty());
    QCOMPARE(desktop.waitDepth, 0);

    // The command line lists what the windows list, and counts as they count.
    for (CNumbersDlg* window : {three.get(), four.get()}) {
        const std::string game(GameCode(window->GetGame()));
        QCOMPARE(CliOutput({"list", game}, db.Path()), ListedRows(*window).join(QLatin1Char('\n')) + '\n');
        QCOMPARE(CliOutput({"next", game}, db.Path()), TextOf(window, IDC_NEXT_DRAW) + '\n');
    }
}

void NumbersDlgTest::listAllReplacesTheListAndKeepsTheCount() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.Insert(Game::Numbers4, {TestDraw{1, {1, 1, 4, 9}}, TestDraw{2, {7, 9, 2, 1}}});
    const auto window = OpenGameWindow(Game::Numbers4, desktop, db.Path());
    window->m_editCount->setText(QStringLiteral("5"));
    Click(window.get(), IDC_LIST_ALL);
    Click(window.get(), IDC_LIST_ALL);
    QCOMPARE(ListedRows(*window).size(), 2);
    QCOMPARE(TextOf(window.get(), IDC_COUNT4), QStringLiteral("5"));
}

void NumbersDlgTest::missingDatabaseLeavesEverythingEmptyAndQuiet() {
    RecordingDesktop desktop;
    TempDir dir;
    const std::string path = dir.File("ナンバーズ.mdb");
    const auto window = OpenGameWindow(Game::Numbers3, desktop, path);
    QCOMPARE(TextOf(window.get(), IDC_NEXT_DRAW), QString());
    Click(window.get(), IDC_LIST_ALL);
    QVERIFY(ListedRows(*window).isEmpty());
    QVERIFY(desktop.messages.empty());
    QCOMPARE(desktop.waitDepth, 0);
    QVERIFY(!std::filesystem::exists(path));
}

void NumbersDlgTest::newDrawsShowOnlyAfterListAll() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.Insert(Game::Numbers3, TestDraw{1, {1, 9, 1}});
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    Click(window.get(), IDC_LIST_ALL);
    db.Insert(Game::Numbers3, TestDraw{2, {9, 8, 8}});
    QCOMPARE(ListedRows(*window).size(), 1);
    Click(window.get(), IDC_LIST_ALL);
    QCOMPARE(ListedRows(*window),
             (QStringList{QStringLiteral("1\t191\t\t\t\t\t"), QStringLiteral("2\t988\t\t\t\t\t")}));
    // The next draw number is counted once, when the window opens.
    QCOMPARE(TextOf(window.get(), IDC_NEXT_DRAW), QStringLiteral("2"));
}

void NumbersDlgTest::damageFoundWhileListingIsReported() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.FillAndDamageMiddle(3000);
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    Click(window.get(), IDC_LIST_ALL);
    const QStringList rows = ListedRows(*window);
    QVERIFY(!rows.isEmpty() && rows.size() < 3000);
    QVERIFY(rows.front().startsWith(QStringLiteral("1\t123\t")));
    QCOMPARE(desktop.messages.size(), size_t(1));
    QCOMPARE(desktop.messages[0].text, QStringLiteral("　データベースを最後まで読めませんでした。。"));
    QCOMPARE(desktop.messages[0].icon, Desktop::Icon::Stop);
    QCOMPARE(desktop.waitDepth, 0);
}

// The real history with numbers that win straight, box or mini and numbers that do
// not; now and then a winning digit is missing or out of range.
void NumbersDlgTest::everyCellOfTheRealHistoryAsStored() {
    for (const Game game : {Game::Numbers3, Game::Numbers4}) {
        auto draws = RealDraws(game, 7054);
        if (!draws) {
            QFAIL("the shipped draw history in src/exchange/history is missing");
        }
        for (std::size_t i = 0; i < draws->size(); ++i) {
            TestDraw& draw = (*draws)[i];
            std::string won;
            for (const auto& digit : draw.digits) {
                won += static_cast<char>('0' + *digit);
            }
            draw.numbers = {won, std::string(won.rbegin(), won.rend()), i > 0 ? (*draws)[i - 1].numbers[0] : "",
                            i % 3 == 0 ? "7" + won.substr(1) : "　", won.substr(1)};
            if (i % 97 == 5 || i % 89 == 7) {
                draw.digits[i % draw.digits.size()] = i % 97 == 5 ? std::nullopt : std::optional(12);
            }
        }
        RecordingDesktop desktop;
        TestDatabase db;
        db.Insert(game, *draws);
        const auto window = OpenGameWindow(game, desktop, db.Path());
        Click(window.get(), IDC_LIST_ALL);
        const QAbstractItemModel* model = window->m_listDraws->model();
        QCOMPARE(model->rowCount(), 7054);
        for (int r = 0; r < model->rowCount(); ++r) {
            const TestDraw& draw = (*draws)[static_cast<std::size_t>(r)];
            QStringList cells = {QString::number(draw.kaisai), QString()};
            std::vector<int> winning;
            for (const auto& digit : draw.digits) {
                cells[1] += digit ? QString::number(*digit) : QString();
                winning.push_back(digit && *digit <= 9 ? *digit : -1);
            }
            for (int c = 0; c < 7; ++c) {
                const std::optional<Bet> hit = c < 2 ? std::nullopt : CheckHit(game, winning, draw.numbers[c - 2]);
                const QModelIndex index = model->index(r, c);
                QCOMPARE(index.data().toString(), c < 2 ? cells[c] : QString::fromStdString(draw.numbers[c - 2]));
                QCOMPARE(window->DrawList().Hit(r, c), hit);
                QCOMPARE(index.data(Qt::BackgroundRole).isValid(), hit.has_value());
            }
        }
    }
}

// As when each row held its cells: rows listed then get an empty cell there.
void NumbersDlgTest::aColumnAddedOverListedRowsIsBlankInThem() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.Insert(Game::Numbers3, Draw(1, "123", {"321", "", "", "", "5"}));
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    Click(window.get(), IDC_LIST_ALL);
    window->AddDrawListColumn(QStringLiteral("メモ"), 1, 40);
    window->FillDrawList(window->m_strDbPath, QStringLiteral("WHERE kaisai=1"));
    QCOMPARE(ListedRows(*window),
             (QStringList{QStringLiteral("1\t\t123\t321\t\t\t\t5"), QStringLiteral("1\t123\t321\t\t\t\t5\t")}));
    QCOMPARE(window->DrawList().Hit(0, 2), std::optional(Bet::Box)); // marks stay with the numbers as read
}

void NumbersDlgTest::listColumnsAndSelection() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.Insert(Game::Numbers3, {TestDraw{1, {1, 9, 1}}, TestDraw{2, {9, 8, 8}}, TestDraw{3, {3, 3, 3}}});
    db.Insert(Game::Numbers4, {TestDraw{1, {1, 1, 4, 9}}, TestDraw{2, {7, 9, 2, 1}}});
    const QStringList captions = {
        QStringLiteral("開催回数"),   QStringLiteral("当選数字"),   QStringLiteral("予想数字１"),
        QStringLiteral("予想数字２"), QStringLiteral("予想数字３"), QStringLiteral("予想数字４"),
        QStringLiteral("予想数字５"), QStringLiteral("抽せん日"),
    };
    const QList<int> widths = {60, 60, 89, 89, 89, 89, 89, 110};
    for (const Game game : {Game::Numbers3, Game::Numbers4}) {
        const auto window = OpenGameWindow(game, desktop, db.Path());
        QTableView* list = window->m_listDraws;
        QStringList shownCaptions;
        QList<int> shownWidths;
        for (int c = 0; c < list->model()->columnCount(); ++c) {
            shownCaptions << list->model()->headerData(c, Qt::Horizontal).toString();
            shownWidths << list->horizontalHeader()->sectionSize(c);
        }
        QCOMPARE(shownCaptions, captions);
        QCOMPARE(shownWidths, widths);
        QCOMPARE(list->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(list->selectionMode(),
                 game == Game::Numbers3 ? QAbstractItemView::SingleSelection : QAbstractItemView::ExtendedSelection);
        // Three digits: the selection stays visible without focus; four digits: it is hidden.
        const QPalette palette = list->palette();
        QCOMPARE(palette.color(QPalette::Inactive, QPalette::Highlight) ==
                     palette.color(QPalette::Inactive, QPalette::Base),
                 game == Game::Numbers4);
        QVERIFY(list->model()->rowCount() == 0);
    }
}

void NumbersDlgTest::clearEmptiesOnlyTheDigitFields() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.Insert(Game::Numbers4, TestDraw{1, {1, 1, 4, 9}});
    const auto window = OpenGameWindow(Game::Numbers4, desktop, db.Path());
    Click(window.get(), IDC_LIST_ALL);
    for (const int id : {IDC_N1000, IDC_N100, IDC_N10, IDC_N1}) {
        Type(window.get(), id, QStringLiteral("7"));
    }
    window->m_editPred1->setText(QStringLiteral("1234"));
    window->m_editCount->setText(QStringLiteral("3"));
    ClickRadio(window.get(), IDC_STRAIGHT);

    Click(window.get(), IDC_CLEAR);
    for (const int id : {IDC_N1000, IDC_N100, IDC_N10, IDC_N1}) {
        QCOMPARE(TextOf(window.get(), id), QString());
    }
    QCOMPARE(TextOf(window.get(), IDC_PRED1), QStringLiteral("1234"));
    QCOMPARE(TextOf(window.get(), IDC_COUNT4), QStringLiteral("3"));
    QCOMPARE(TextOf(window.get(), IDC_NEXT_DRAW), QStringLiteral("2"));
    QVERIFY(IsChecked(window.get(), IDC_STRAIGHT));
    QCOMPARE(ListedRows(*window).size(), 1);
}

void NumbersDlgTest::digitFieldsTakeOneCharacter() {
    RecordingDesktop desktop;
    TestDatabase db;
    const auto window = OpenGameWindow(Game::Numbers4, desktop, db.Path());
    for (const int id : {IDC_N1000, IDC_N100, IDC_N10, IDC_N1}) {
        Type(window.get(), id, QStringLiteral("12"));
        QCOMPARE(TextOf(window.get(), id), QStringLiteral("1"));
    }
    window->UpdateData(true);
    QCOMPARE(window->m_strN1000 + window->m_strN100 + window->m_strN10 + window->m_strN1, QStringLiteral("1111"));
}

void NumbersDlgTest::opensInTheFirstDigitFieldAndEnterCloses() {
    RecordingDesktop desktop;
    TestDatabase db;
    for (const auto& [game, first] : {std::pair{Game::Numbers3, IDC_N100}, std::pair{Game::Numbers4, IDC_N1000}}) {
        const auto window = OpenGameWindow(game, desktop, db.Path());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QCOMPARE(QApplication::focusWidget(), window->Control(first));
        QVERIFY(IsChecked(window.get(), IDC_BOX));
        Type(window.get(), IDC_N10, QStringLiteral("5"));
        QTest::keyClick(window->Control(IDC_N10), Qt::Key_Return);
        QVERIFY(!window->isVisible());
        QCOMPARE(window->result(), int(QDialog::Accepted));
    }
}

void NumbersDlgTest::helpFailureSaysStartingFailed() {
    RecordingDesktop desktop;
    TestDatabase db;
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    desktop.helpOpens = false;
    Click(window.get(), IDC_GAME_HELP);
    QCOMPARE(desktop.helpPaths, std::vector<QString>{QStringLiteral("/nonexistent/help")});
    QCOMPARE(desktop.messages.size(), size_t(1));
    QCOMPARE(desktop.messages[0].text, QStringLiteral("起動できませんでした"));
    QCOMPARE(desktop.messages[0].icon, Desktop::Icon::None);
    QVERIFY(window->isVisible());
}

namespace {

QStringList Predictions(QWidget* window) {
    QStringList numbers;
    for (const int id : {IDC_PRED1, IDC_PRED2, IDC_PRED3, IDC_PRED4, IDC_PRED5}) {
        numbers << TextOf(window, id);
    }
    return numbers;
}

void SetPredictions(CNumbersDlg& window, const QStringList& numbers) {
    for (const auto& [edit, text] : {std::pair{window.m_editPred1, numbers[0]},
                                     {window.m_editPred2, numbers[1]},
                                     {window.m_editPred3, numbers[2]},
                                     {window.m_editPred4, numbers[3]},
                                     {window.m_editPred5, numbers[4]}}) {
        edit->setText(text);
    }
}

} // namespace

void NumbersDlgTest::predictFillsOnlyTheFivePredictionFields() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.Insert(Game::Numbers3, {Draw(1, "123"), Draw(2, "456"), Draw(3, "123"), Draw(4, "789"), Draw(5, "123")});
    db.Insert(Game::Numbers4, {Draw(1, "1234"), Draw(2, "2345"), Draw(3, "1234"), Draw(4, "0000"), Draw(5, "1234")});
    const QList<std::pair<Game, QStringList>> expected = {
        {Game::Numbers3, {"789", "456", "998", "877", "665"}},
        {Game::Numbers4, {"2345", "0000", "9999", "8888", "7777"}},
    };
    for (const auto& [game, numbers] : expected) {
        const auto window = OpenGameWindow(game, desktop, db.Path());
        Click(window.get(), IDC_LIST_ALL);
        window->m_editNextDraw->setText(QStringLiteral("99"));
        Type(window.get(), IDC_N10, QStringLiteral("4"));
        const int shown = desktop.waitCursors;

        Click(window.get(), IDC_PREDICT);
        QCOMPARE(Predictions(window.get()), numbers);
        QCOMPARE(TextOf(window.get(), IDC_NEXT_DRAW), QStringLiteral("99"));
        QCOMPARE(TextOf(window.get(), IDC_N10), QStringLiteral("4"));
        QCOMPARE(window->m_strN10, QString()); // no data exchange
        QCOMPARE(ListedRows(*window).size(), 5);
        QVERIFY(desktop.messages.empty());
        QCOMPARE(desktop.waitCursors, shown + 1);
        QCOMPARE(desktop.waitDepth, 0);
        // The command line proposes the same numbers.
        QCOMPARE(CliOutput({"predict", std::string(GameCode(game))}, db.Path()), numbers.join('\n') + '\n');
    }
}

void NumbersDlgTest::predictReadsTheHistoryAgainEachTime() {
    RecordingDesktop desktop;
    TestDatabase db;
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    Click(window.get(), IDC_PREDICT);
    QCOMPARE(Predictions(window.get()), (QStringList{"999", "888", "777", "666", "555"}));
    db.Insert(Game::Numbers3, {Draw(1, "000"), Draw(2, "000")});
    Click(window.get(), IDC_PREDICT);
    QCOMPARE(Predictions(window.get()), (QStringList{"000", "999", "888", "777", "666"}));
}

void NumbersDlgTest::predictLeavesTheFieldsWhenTheDatabaseCannotBeOpened() {
    RecordingDesktop desktop;
    TempDir dir;
    const auto window = OpenGameWindow(Game::Numbers4, desktop, dir.File("ナンバーズ.mdb"));
    const QStringList typed = {"1111", "", "　", "abc", "0123"};
    SetPredictions(*window, typed);
    Click(window.get(), IDC_PREDICT);
    QCOMPARE(Predictions(window.get()), typed);
    QVERIFY(desktop.messages.empty());
    QCOMPARE(desktop.waitDepth, 0);
}

void NumbersDlgTest::predictStoppedByDamageKeepsTheFieldsAndSaysSo() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.FillAndDamageMiddle(3000);
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    const QStringList typed = {"111", "222", "333", "444", "555"};
    SetPredictions(*window, typed);
    Click(window.get(), IDC_PREDICT);
    QCOMPARE(Predictions(window.get()), typed);
    QCOMPARE(desktop.messages.size(), size_t(1));
    QCOMPARE(desktop.messages[0].text, QStringLiteral("　データベースを最後まで読めませんでした。。"));
    QCOMPARE(desktop.waitDepth, 0);
}

void NumbersDlgTest::searchListsAndCountsTheMatchingDraws() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.Insert(Game::Numbers3, {TestDraw{1, {1, 5, 2}, {"152", "", "", "", ""}}, Draw(2, "512"), Draw(3, "050"),
                               Draw(4, "555"), TestDraw{0, {9, 5, 9}, {"", "", "", "", "959"}}, Draw(-3, "151")});
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    ClickRadio(window.get(), IDC_STRAIGHT);
    Type(window.get(), IDC_N10, QStringLiteral("5"));
    Click(window.get(), IDC_SEARCH);
    // Rows numbered 0 or below are listed when their digits match.
    QCOMPARE(ListedRows(*window), (QStringList{
                                      QStringLiteral("-3\t151\t\t\t\t\t"),
                                      QStringLiteral("0\t959\t\t\t\t\t959"),
                                      QStringLiteral("1\t152\t152\t\t\t\t"),
                                      QStringLiteral("3\t050\t\t\t\t\t"),
                                      QStringLiteral("4\t555\t\t\t\t\t"),
                                  }));
    QCOMPARE(TextOf(window.get(), IDC_COUNT3), QStringLiteral("5"));
    QVERIFY(desktop.messages.empty());

    // Hundreds 5 and tens 5, straight.
    Type(window.get(), IDC_N100, QStringLiteral("5"));
    Click(window.get(), IDC_SEARCH);
    QCOMPARE(ListedRows(*window), QStringList{QStringLiteral("4\t555\t\t\t\t\t")});
    QCOMPARE(TextOf(window.get(), IDC_COUNT3), QStringLiteral("1"));
    QCOMPARE(window->m_strN100 + window->m_strN10 + window->m_strN1, QStringLiteral("55"));
    QCOMPARE(desktop.waitDepth, 0);
}

void NumbersDlgTest::searchBoxInBothWindows() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.Insert(Game::Numbers3, {Draw(1, "112"), Draw(2, "121"), Draw(3, "211"), Draw(4, "122"), Draw(5, "111")});
    db.Insert(Game::Numbers4, {Draw(1, "4321"), Draw(2, "1234"), Draw(3, "1243"), Draw(4, "1235"), Draw(5, "2143")});

    const auto three = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    QVERIFY(IsChecked(three.get(), IDC_BOX));
    Type(three.get(), IDC_N100, QStringLiteral("1"));
    Type(three.get(), IDC_N10, QStringLiteral("1"));
    Type(three.get(), IDC_N1, QStringLiteral("2"));
    Click(three.get(), IDC_SEARCH);
    // Each match once, though the clause repeats each order twice.
    QCOMPARE(ListedRows(*three).size(), 3);
    QCOMPARE(TextOf(three.get(), IDC_COUNT3), QStringLiteral("3"));

    const auto four = OpenGameWindow(Game::Numbers4, desktop, db.Path());
    for (const auto& [id, digit] : {std::pair{IDC_N1000, "3"}, {IDC_N100, "4"}, {IDC_N10, "1"}, {IDC_N1, "2"}}) {
        Type(four.get(), id, QString::fromLatin1(digit));
    }
    Click(four.get(), IDC_SEARCH);
    QCOMPARE(ListedRows(*four), (QStringList{
                                    QStringLiteral("1\t4321\t\t\t\t\t"),
                                    QStringLiteral("2\t1234\t\t\t\t\t"),
                                    QStringLiteral("3\t1243\t\t\t\t\t"),
                                    QStringLiteral("5\t2143\t\t\t\t\t"),
                                }));
    QCOMPARE(TextOf(four.get(), IDC_COUNT4), QStringLiteral("4"));
    QVERIFY(desktop.messages.empty());
}

void NumbersDlgTest::rejectedSearchKeepsTheListAndCount() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.Insert(Game::Numbers4, {Draw(1, "1234"), Draw(2, "5678")});
    db.Insert(Game::Numbers3, {Draw(1, "123")});
    const auto four = OpenGameWindow(Game::Numbers4, desktop, db.Path());
    Click(four.get(), IDC_LIST_ALL);
    four->m_editCount->setText(QStringLiteral("7"));

    // Box needs all four digits: the message names the empty position.
    Type(four.get(), IDC_N1000, QStringLiteral("1"));
    Type(four.get(), IDC_N100, QStringLiteral("2"));
    Type(four.get(), IDC_N1, QStringLiteral("4"));
    Click(four.get(), IDC_SEARCH);
    // Straight with nothing typed.
    Click(four.get(), IDC_CLEAR);
    ClickRadio(four.get(), IDC_STRAIGHT);
    Click(four.get(), IDC_SEARCH);

    const auto three = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    Click(three.get(), IDC_LIST_ALL);
    Click(three.get(), IDC_SEARCH);

    QCOMPARE(desktop.messages.size(), size_t(3));
    QCOMPARE(desktop.messages[0].text, QStringLiteral("　二桁目が記入されてません。。"));
    QCOMPARE(desktop.messages[1].text, QStringLiteral("　最低一項目記入してください。。"));
    QCOMPARE(desktop.messages[2].text, QStringLiteral("　最低一項目記入してください。。"));
    for (const auto& message : desktop.messages) {
        QCOMPARE(message.icon, Desktop::Icon::Stop);
    }
    QCOMPARE(ListedRows(*four).size(), 2);
    QCOMPARE(TextOf(four.get(), IDC_COUNT4), QStringLiteral("7"));
    QCOMPARE(ListedRows(*three).size(), 1);
    QCOMPARE(TextOf(three.get(), IDC_COUNT3), QString());
}

void NumbersDlgTest::searchFindingNothingShowsZeroThenSaysSo() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.Insert(Game::Numbers3, {Draw(1, "123"), Draw(2, "456")});
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    Click(window.get(), IDC_LIST_ALL);
    window->m_editCount->setText(QStringLiteral("2"));
    QString countAtMessage;
    int rowsAtMessage = -1;
    desktop.onMessage = [&](const QString&) {
        countAtMessage = TextOf(window.get(), IDC_COUNT3);
        rowsAtMessage = static_cast<int>(ListedRows(*window).size());
    };
    Type(window.get(), IDC_N1, QStringLiteral("9"));
    Click(window.get(), IDC_SEARCH);
    QCOMPARE(desktop.messages.size(), size_t(1));
    QCOMPARE(desktop.messages[0].text, QStringLiteral("　検索内容はありません。。"));
    QCOMPARE(desktop.messages[0].icon, Desktop::Icon::Stop);
    QCOMPARE(countAtMessage, QStringLiteral("0"));
    QCOMPARE(rowsAtMessage, 0);
    QVERIFY(ListedRows(*window).isEmpty());
}

void NumbersDlgTest::digitFieldsTakeOnlyADigit() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.Insert(Game::Numbers3, {Draw(1, "357"), Draw(2, "753")});
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    for (const char* refused : {"a", "'", " ", "　", "-", "Ａ", "%"}) {
        Type(window.get(), IDC_N100, QString::fromUtf8(refused));
        QCOMPARE(TextOf(window.get(), IDC_N100), QString());
    }
    // What a Japanese input method types becomes the plain digit.
    Type(window.get(), IDC_N100, QStringLiteral("７"));
    QCOMPARE(TextOf(window.get(), IDC_N100), QStringLiteral("7"));
    QLineEdit* tens = window->m_editN10;
    tens->setFocus();
    QInputMethodEvent composing(QStringLiteral("５"), {});
    QApplication::sendEvent(tens, &composing);
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("５"));
    QApplication::sendEvent(tens, &commit);
    QCOMPARE(tens->text(), QStringLiteral("5"));
    // Pasted text is held to the same rule.
    window->m_editN1->insert(QStringLiteral("x"));
    QCOMPARE(TextOf(window.get(), IDC_N1), QString());
    window->m_editN1->insert(QStringLiteral("３"));
    QCOMPARE(TextOf(window.get(), IDC_N1), QStringLiteral("3"));

    // Text put in by other means still never reaches the statement.
    ClickRadio(window.get(), IDC_STRAIGHT);
    Click(window.get(), IDC_LIST_ALL);
    window->m_editN1->setText(QStringLiteral("'"));
    Click(window.get(), IDC_SEARCH);
    QCOMPARE(desktop.messages.size(), size_t(1));
    QCOMPARE(desktop.messages[0].text, QStringLiteral("　検索する数字は一桁の数字で記入してください。。"));
    QCOMPARE(ListedRows(*window).size(), 2);
    desktop.messages.clear();

    window->m_editN1->setText(QStringLiteral("3"));
    Click(window.get(), IDC_SEARCH);
    QCOMPARE(ListedRows(*window), QStringList{QStringLiteral("2\t753\t\t\t\t\t")});
    QVERIFY(desktop.messages.empty());
}

QTEST_MAIN(NumbersDlgTest)
#include "NumbersDlgTest.moc"
