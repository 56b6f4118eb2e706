#include "edit/EditDrawDlg.h"
#include "game/Numbers3Dlg.h"
#include "res/ResourceIds.h"
#include "support/DialogDriver.h"
#include "support/RecordingDesktop.h"
#include "support/TestDatabase.h"

#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include <array>
#include <memory>

using namespace drawbook;
using namespace drawbook::test;

namespace {

const QString kNothingAbove = QStringLiteral("　これ以上はありません。。");
const QString kNothingBelow = QStringLiteral("　これ以下はありません。。");
const QString kMissingDigit = QStringLiteral("　当選数字に記入漏れがあります。。");
const QString kNotOneDigit = QStringLiteral("　当選数字は一桁の数字で記入してください。。");
const QString kNotStored = QStringLiteral("　登録できませんでした。。");

// The fields Shown and Fill look at, in this order (Fill skips the draw number).
constexpr std::array kFields = {IDC_EDIT_DRAW_NO, IDC_EDIT_DIGIT1,  IDC_EDIT_DIGIT2,  IDC_EDIT_DIGIT3,
                                IDC_EDIT_DIGIT4,  IDC_EDIT_NUMBER1, IDC_EDIT_NUMBER2, IDC_EDIT_NUMBER3,
                                IDC_EDIT_NUMBER4, IDC_EDIT_NUMBER5};
const QStringList kNothingShown{"", "", "", "", "", "", "", "", "", ""};

std::unique_ptr<CEditDrawDlg> Open(RecordingDesktop& desktop, const TestDatabase& db, Game game, const QString& drawNo,
                                   const QString& nextDrawNo) {
    auto dialog = std::make_unique<CEditDrawDlg>(desktop);
    dialog->m_strGame = game == Game::Numbers3 ? QStringLiteral("3") : QStringLiteral("4");
    dialog->m_strDbPath = QString::fromStdString(db.Path());
    dialog->m_strDrawNo = drawNo;
    dialog->m_strNextDrawNo = nextDrawNo;
    dialog->show();
    return dialog;
}

QStringList Shown(QWidget* dialog) {
    QStringList texts;
    for (const int id : kFields) {
        texts << TextOf(dialog, id);
    }
    return texts;
}

// Puts four digits and five numbers into their fields.
void Fill(QWidget* dialog, const QStringList& texts) {
    for (int i = 0; i < texts.size(); ++i) {
        FindControlAs<QLineEdit>(dialog, kFields[static_cast<std::size_t>(i) + 1])->setText(texts[i]);
    }
}

QStringList Labels(QWidget* dialog) {
    return {TextOf(dialog, IDC_EDIT_LABEL1), TextOf(dialog, IDC_EDIT_LABEL2), TextOf(dialog, IDC_EDIT_LABEL3),
            TextOf(dialog, IDC_EDIT_LABEL4)};
}

} // namespace

class EditDrawDlgTest : public QObject {
    Q_OBJECT

private slots:
    void opensOnTheGivenDrawOfEachGame();
    void stepsByOneWithinTheDraws();
    void stepsByTenAreRefusedAsAWhole();
    void upperBoundIsTheNextDrawNumberHandedOver();
    void gapEmptiesEveryFieldAndStepsRestartFromZero();
    void closingStoresNothingAndHandsBackTheShownDraw();
    void tabPassesOverTheFourthDigitOnlyInTheThreeDigitGame();

    void storeWritesTheShownDraw();
    void missingDigitIsRefusedInEachGame();
    void digitsMustBeSingleDigits();
    void numbersAreStoredExactlyAsTyped();
    void failedStoreIsReportedAndKeepsTheFields();

    void doubleClickInTheGameWindowOpensTheDraw();
};

void EditDrawDlgTest::opensOnTheGivenDrawOfEachGame() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.Insert(Game::Numbers3, TestDraw{5, {0, 0, 7}, {"123", "", "456", "　", "789"}});
    db.Insert(Game::Numbers4, TestDraw{5, {1, 0, 2, 0}, {"1234", "0001", "", "", "9"}});

    const auto three = Open(desktop, db, Game::Numbers3, "5", "6");
    QCOMPARE(three->windowTitle(), QStringLiteral("　　編　集"));
    QCOMPARE(Shown(three.get()), (QStringList{"5", "0", "0", "7", "", "123", "", "456", "　", "789"}));
    QCOMPARE(Labels(three.get()), (QStringList{"三桁目", "二桁目", "一桁目", ""}));
    QCOMPARE(TextOf(three.get(), IDC_EDIT_GAME), QStringLiteral("3"));
    QVERIFY(!three->Control(IDC_EDIT_GAME)->isVisible());
    QVERIFY(three->ControlAs<QLineEdit>(IDC_EDIT_DIGIT4)->isReadOnly());
    Type(three.get(), IDC_EDIT_DIGIT4, QStringLiteral("5"));
    QCOMPARE(TextOf(three.get(), IDC_EDIT_DIGIT4), QString());

    const auto four = Open(desktop, db, Game::Numbers4, "5", "6");
    QCOMPARE(Shown(four.get()), (QStringList{"5", "1", "0", "2", "0", "1234", "0001", "", "", "9"}));
    QCOMPARE(Labels(four.get()), (QStringList{"四桁目", "三桁目", "二桁目", "一桁目"}));
    QCOMPARE(TextOf(four.get(), IDC_EDIT_GAME), QStringLiteral("4"));
    for (const int id : {IDC_EDIT_DIGIT1, IDC_EDIT_DIGIT2, IDC_EDIT_DIGIT3, IDC_EDIT_DIGIT4}) {
        QVERIFY(!four->ControlAs<QLineEdit>(id)->isReadOnly());
    }

    // No row has the draw: only its number shows.
    const auto missing = Open(desktop, db, Game::Numbers4, "7", "6");
    QCOMPARE(Shown(missing.get()), (QStringList{"7", "", "", "", "", "", "", "", "", ""}));

    // A file whose table has no key may hold a draw twice: the last row read is shown.
    TestDatabase twice;
    twice.Execute(R"(DROP TABLE "ナンバーズ3";
        CREATE TABLE "ナンバーズ3" (kaisai INTEGER, N100 INTEGER, N10 INTEGER, N1 INTEGER,
            kounyu1 TEXT, kounyu2 TEXT, kounyu3 TEXT, kounyu4 TEXT, kounyu5 TEXT, atari TEXT);)");
    twice.Insert(Game::Numbers3, {TestDraw{8, {1, 1, 1}, {"first"}}, TestDraw{8, {2, 2, 2}, {"last"}}});
    const auto last = Open(desktop, twice, Game::Numbers3, "8", "9");
    QCOMPARE(Shown(last.get()), (QStringList{"8", "2", "2", "2", "", "last", "", "", "", ""}));
    QVERIFY(desktop.messages.empty());
    QCOMPARE(desktop.waitCursors, 4);
    QCOMPARE(desktop.waitDepth, 0);
}

void EditDrawDlgTest::stepsByOneWithinTheDraws() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.InsertSequence(Game::Numbers3, 20);
    const auto dialog = Open(desktop, db, Game::Numbers3, "19", "21");
    // What was typed is lost: the next draw shows as stored.
    Type(dialog.get(), IDC_EDIT_NUMBER2, QStringLiteral("999"));
    Type(dialog.get(), IDC_EDIT_DIGIT2, QStringLiteral("9"));
    Click(dialog.get(), IDC_EDIT_UP);
    QCOMPARE(Shown(dialog.get()), (QStringList{"20", "2", "0", "9", "", "n20", "", "", "", ""}));
    QVERIFY(desktop.messages.empty());
    Click(dialog.get(), IDC_EDIT_UP);
    QCOMPARE(desktop.Texts(), QStringList{kNothingAbove});
    QCOMPARE(TextOf(dialog.get(), IDC_EDIT_DRAW_NO), QStringLiteral("20"));

    const auto first = Open(desktop, db, Game::Numbers3, "1", "21");
    Click(first.get(), IDC_EDIT_DOWN);
    QCOMPARE(desktop.Texts(), (QStringList{kNothingAbove, kNothingBelow}));
    QCOMPARE(Shown(first.get()), (QStringList{"1", "0", "1", "8", "", "n1", "", "", "", ""}));
    QCOMPARE(StoredRow(db, Game::Numbers3, 19), (QStringList{"1", "9", "0", "n19", "", "", "", "", " "}));
    QCOMPARE(desktop.waitDepth, 0);
}

void EditDrawDlgTest::stepsByTenAreRefusedAsAWhole() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.InsertSequence(Game::Numbers4, 20);
    const auto dialog = Open(desktop, db, Game::Numbers4, "10", "21");
    Click(dialog.get(), IDC_EDIT_BY_TEN);
    QVERIFY(IsChecked(dialog.get(), IDC_EDIT_BY_TEN));
    Click(dialog.get(), IDC_EDIT_UP);
    QCOMPARE(Shown(dialog.get()), (QStringList{"20", "2", "0", "9", "5", "n20", "", "", "", ""}));
    Click(dialog.get(), IDC_EDIT_DOWN);
    Click(dialog.get(), IDC_EDIT_DOWN); // 10 - 10 is below the first draw
    QCOMPARE(desktop.Texts(), QStringList{kNothingBelow});
    QCOMPARE(TextOf(dialog.get(), IDC_EDIT_DRAW_NO), QStringLiteral("10"));

    Click(dialog.get(), IDC_EDIT_BY_TEN);
    QVERIFY(!IsChecked(dialog.get(), IDC_EDIT_BY_TEN));
    Click(dialog.get(), IDC_EDIT_UP); // 11
    Click(dialog.get(), IDC_EDIT_BY_TEN);
    Click(dialog.get(), IDC_EDIT_UP); // 21 is not a recorded draw
    QCOMPARE(desktop.Texts(), (QStringList{kNothingBelow, kNothingAbove}));
    QCOMPARE(TextOf(dialog.get(), IDC_EDIT_DRAW_NO), QStringLiteral("11"));
    Click(dialog.get(), IDC_EDIT_DOWN);
    QCOMPARE(Shown(dialog.get()), (QStringList{"1", "0", "1", "8", "5", "n1", "", "", "", ""}));
    QCOMPARE(desktop.messages.size(), size_t(2));
    QCOMPARE(desktop.waitDepth, 0);
}

void EditDrawDlgTest::upperBoundIsTheNextDrawNumberHandedOver() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.InsertSequence(Game::Numbers3, 20);
    // Registered after the game window counted twenty draws.
    db.Insert(Game::Numbers3, TestDraw{21, {4, 4, 4}});
    const auto dialog = Open(desktop, db, Game::Numbers3, "20", "21");
    Click(dialog.get(), IDC_EDIT_UP);
    QCOMPARE(desktop.Texts(), QStringList{kNothingAbove});
    QCOMPARE(TextOf(dialog.get(), IDC_EDIT_DRAW_NO), QStringLiteral("20"));
    const auto direct = Open(desktop, db, Game::Numbers3, "21", "21");
    QCOMPARE(Shown(direct.get()), (QStringList{"21", "4", "4", "4", "", "", "", "", "", ""}));

    // The game window could not count.
    const auto unbounded = Open(desktop, db, Game::Numbers3, "1", "");
    Click(unbounded.get(), IDC_EDIT_UP);
    Click(unbounded.get(), IDC_EDIT_BY_TEN);
    Click(unbounded.get(), IDC_EDIT_UP);
    QCOMPARE(desktop.Texts(), (QStringList{kNothingAbove, kNothingAbove, kNothingAbove}));
    QCOMPARE(TextOf(unbounded.get(), IDC_EDIT_DRAW_NO), QStringLiteral("1"));
}

void EditDrawDlgTest::gapEmptiesEveryFieldAndStepsRestartFromZero() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.InsertSequence(Game::Numbers3, 15);
    db.Execute("DELETE FROM \"ナンバーズ3\" WHERE kaisai=3;");
    const auto dialog = Open(desktop, db, Game::Numbers3, "2", "15");
    Click(dialog.get(), IDC_EDIT_UP);
    QCOMPARE(Shown(dialog.get()), kNothingShown);
    QVERIFY(desktop.messages.empty());
    Click(dialog.get(), IDC_EDIT_DOWN);
    QCOMPARE(desktop.Texts(), QStringList{kNothingBelow});
    QCOMPARE(Shown(dialog.get()), kNothingShown);
    Click(dialog.get(), IDC_EDIT_UP);
    QCOMPARE(Shown(dialog.get()), (QStringList{"1", "0", "1", "8", "", "n1", "", "", "", ""}));

    Click(dialog.get(), IDC_EDIT_UP);
    Click(dialog.get(), IDC_EDIT_UP);
    QCOMPARE(Shown(dialog.get()), kNothingShown);
    Click(dialog.get(), IDC_EDIT_BY_TEN);
    Click(dialog.get(), IDC_EDIT_UP);
    QCOMPARE(Shown(dialog.get()), (QStringList{"10", "1", "0", "9", "", "n10", "", "", "", ""}));
    QCOMPARE(desktop.waitDepth, 0);
}

void EditDrawDlgTest::closingStoresNothingAndHandsBackTheShownDraw() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.InsertSequence(Game::Numbers3, 5);
    const std::string before = ReadBytes(db.Path());
    const auto dialog = Open(desktop, db, Game::Numbers3, "2", "6");
    Click(dialog.get(), IDC_EDIT_UP);
    Click(dialog.get(), IDC_EDIT_CLEAR_NUMBERS);
    QCOMPARE(Shown(dialog.get()), (QStringList{"3", "0", "3", "6", "", "", "", "", "", ""}));
    Click(dialog.get(), IDOK);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(dialog->m_strDrawNo, QStringLiteral("3"));
    QCOMPARE(dialog->m_strGame, QStringLiteral("3"));

    const auto escaped = Open(desktop, db, Game::Numbers3, "4", "6");
    Type(escaped.get(), IDC_EDIT_NUMBER1, QStringLiteral("777"));
    QTest::keyClick(escaped->Control(IDC_EDIT_NUMBER1), Qt::Key_Escape);
    QVERIFY(!escaped->isVisible());
    QCOMPARE(escaped->result(), int(QDialog::Rejected));

    // Enter presses the default button, which stores nothing either.
    const auto entered = Open(desktop, db, Game::Numbers3, "4", "6");
    Type(entered.get(), IDC_EDIT_NUMBER1, QStringLiteral("777"));
    QTest::keyClick(entered->Control(IDC_EDIT_NUMBER1), Qt::Key_Return);
    QCOMPARE(entered->result(), int(QDialog::Accepted));
    QVERIFY(ReadBytes(db.Path()) == before);
    QVERIFY(desktop.messages.empty());
}

void EditDrawDlgTest::tabPassesOverTheFourthDigitOnlyInTheThreeDigitGame() {
    RecordingDesktop desktop;
    TestDatabase db;
    for (const Game game : {Game::Numbers3, Game::Numbers4}) {
        const bool three = game == Game::Numbers3;
        const auto dialog = Open(desktop, db, game, "1", "1");
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        QWidget* first = dialog->Control(IDC_EDIT_DIGIT1);
        first->setFocus(Qt::TabFocusReason);
        // Once round the dialog, back to the first digit.
        QList<QWidget*> visited;
        do {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget();
        } while (visited.back() != first && visited.size() < 20);
        QCOMPARE(visited.size(), three ? 14 : 15);
        QCOMPARE(visited[2], dialog->Control(three ? IDC_EDIT_NUMBER1 : IDC_EDIT_DIGIT4));
        QCOMPARE(visited.contains(dialog->Control(IDC_EDIT_DIGIT4)), !three);
    }
}

void EditDrawDlgTest::storeWritesTheShownDraw() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.InsertSequence(Game::Numbers3, 16);
    db.Execute("UPDATE \"ナンバーズ3\" SET atari='当り' WHERE kaisai=15;");
    const QStringList neighbour = StoredRow(db, Game::Numbers3, 16);
    const auto dialog = Open(desktop, db, Game::Numbers3, "15", "17");
    Fill(dialog.get(), {"1", "2", "3", "", "123", "", "456", "", "789"});
    const int shown = desktop.waitCursors;
    Click(dialog.get(), IDC_EDIT_STORE);
    QVERIFY(desktop.messages.empty());
    QCOMPARE(desktop.waitCursors, shown + 1);
    QCOMPARE(desktop.waitDepth, 0);
    const QStringList stored{"1", "2", "3", "123", "　", "456", "　", "789", " "};
    QCOMPARE(StoredRow(db, Game::Numbers3, 15), stored);
    QCOMPARE(StoredRow(db, Game::Numbers3, 16), neighbour);
    // The fields are not read back after storing.
    QCOMPARE(Shown(dialog.get()), (QStringList{"15", "1", "2", "3", "", "123", "", "456", "", "789"}));

    Click(dialog.get(), IDC_EDIT_STORE);
    QCOMPARE(StoredRow(db, Game::Numbers3, 15), stored);
    Click(dialog.get(), IDC_EDIT_UP);
    Click(dialog.get(), IDC_EDIT_DOWN);
    QCOMPARE(Shown(dialog.get()), (QStringList{"15", "1", "2", "3", "", "123", "　", "456", "　", "789"}));
    QVERIFY(desktop.messages.empty());
}

void EditDrawDlgTest::missingDigitIsRefusedInEachGame() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.Insert(Game::Numbers3, TestDraw{1, {1, 2, 3}, {"123", "", "", "", ""}});
    db.Insert(Game::Numbers4, TestDraw{1, {1, 2, 3, 4}, {"1111", "2222", "3333", "4444", "5555"}});
    db.Execute("UPDATE \"ナンバーズ4\" SET atari='ストレート' WHERE kaisai=1;");
    const std::string before = ReadBytes(db.Path());

    const auto three = Open(desktop, db, Game::Numbers3, "1", "2");
    Fill(three.get(), {"1", "2", "", "", "999"});
    Click(three.get(), IDC_EDIT_STORE);
    Fill(three.get(), {"x"}); // the gap is reported before the letter
    Click(three.get(), IDC_EDIT_STORE);
    const auto four = Open(desktop, db, Game::Numbers4, "1", "2");
    Fill(four.get(), {"1", "2", "3", ""});
    Click(four.get(), IDC_EDIT_STORE);
    QCOMPARE(desktop.Texts(), (QStringList{kMissingDigit, kMissingDigit, kMissingDigit}));
    QVERIFY(ReadBytes(db.Path()) == before);
    QCOMPARE(TextOf(three.get(), IDC_EDIT_NUMBER1), QStringLiteral("999"));
    QCOMPARE(desktop.waitDepth, 0);

    // The three-digit game never looks at the fourth field.
    Fill(three.get(), {"4", "2", "6"});
    Click(three.get(), IDC_EDIT_STORE);
    QCOMPARE(desktop.messages.size(), size_t(3));
    QCOMPARE(StoredRow(db, Game::Numbers3, 1), (QStringList{"4", "2", "6", "999", "　", "　", "　", "　", " "}));

    // Every number emptied: each column holds "　", and the hit marker is reset.
    Fill(four.get(), {"1", "2", "3", "4"});
    Click(four.get(), IDC_EDIT_CLEAR_NUMBERS);
    Click(four.get(), IDC_EDIT_STORE);
    QCOMPARE(desktop.messages.size(), size_t(3));
    QCOMPARE(StoredRow(db, Game::Numbers4, 1), (QStringList{"1", "2", "3", "4", "　", "　", "　", "　", "　", " "}));
}

void EditDrawDlgTest::digitsMustBeSingleDigits() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.Insert(Game::Numbers4, TestDraw{3, {1, 2, 3, 4}, {"1234", "", "", "", ""}});
    const QStringList stored = StoredRow(db, Game::Numbers4, 3);
    const auto dialog = Open(desktop, db, Game::Numbers4, "3", "4");
    const QStringList refused{"a", "12", " ", "Ａ", "-1", "1 ", "'"};
    for (const QString& text : refused) {
        Fill(dialog.get(), {"1", text});
        Click(dialog.get(), IDC_EDIT_STORE);
        const QStringList shown = desktop.Texts();
        QCOMPARE(shown.value(shown.size() - 1), kNotOneDigit);
        QCOMPARE(TextOf(dialog.get(), IDC_EDIT_DIGIT2), text);
    }
    QCOMPARE(desktop.messages.size(), size_t(refused.size()));
    QCOMPARE(StoredRow(db, Game::Numbers4, 3), stored);
    QCOMPARE(desktop.waitDepth, 0);

    // Full-width digits, as an input method types them, are stored as plain digits.
    Fill(dialog.get(), {"1", "", "3", "０"});
    Type(dialog.get(), IDC_EDIT_DIGIT2, QStringLiteral("５"));
    Click(dialog.get(), IDC_EDIT_STORE);
    QCOMPARE(desktop.messages.size(), size_t(refused.size()));
    QCOMPARE(StoredRow(db, Game::Numbers4, 3), (QStringList{"1", "5", "3", "0", "1234", "　", "　", "　", "　", " "}));
    QCOMPARE(db.Count("SELECT count(*) FROM \"ナンバーズ4\" WHERE typeof(N100)='integer' AND typeof(N1)='integer'"),
             1);
}

void EditDrawDlgTest::numbersAreStoredExactlyAsTyped() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.InsertSequence(Game::Numbers3, 2);
    db.Execute("CREATE TABLE x (a INTEGER); INSERT INTO x VALUES (1);");
    const auto dialog = Open(desktop, db, Game::Numbers3, "2", "3");
    Fill(dialog.get(), {"0", "2", "7", "", "", "'); DROP TABLE x; --", " 45 ", "''", "予想"});
    Type(dialog.get(), IDC_EDIT_NUMBER1, QStringLiteral("12'3"));
    Click(dialog.get(), IDC_EDIT_STORE);
    QVERIFY(desktop.messages.empty());
    QCOMPARE(StoredRow(db, Game::Numbers3, 2),
             (QStringList{"0", "2", "7", "12'3", "'); DROP TABLE x; --", " 45 ", "''", "予想", " "}));
    QCOMPARE(db.Count("SELECT count(*) FROM x"), 1);
    QCOMPARE(db.Count("SELECT count(*) FROM \"ナンバーズ3\""), 2);
}

void EditDrawDlgTest::failedStoreIsReportedAndKeepsTheFields() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.InsertSequence(Game::Numbers3, 4);
    db.Execute("CREATE TRIGGER t BEFORE UPDATE ON \"ナンバーズ3\" BEGIN SELECT RAISE(ABORT, 'no'); END;");
    const auto dialog = Open(desktop, db, Game::Numbers3, "4", "5");
    Fill(dialog.get(), {"9", "4", "5", "", "321"});
    Click(dialog.get(), IDC_EDIT_STORE);
    QCOMPARE(desktop.Texts(), QStringList{kNotStored});
    QCOMPARE(Shown(dialog.get()), (QStringList{"4", "9", "4", "5", "", "321", "", "", "", ""}));
    QCOMPARE(StoredRow(db, Game::Numbers3, 4), (QStringList{"0", "4", "5", "n4", "", "", "", "", " "}));
    QVERIFY(dialog->isVisible());

    // No row has the draw number: nothing is added either.
    const auto missing = Open(desktop, db, Game::Numbers4, "30", "1");
    Fill(missing.get(), {"1", "1", "1", "1", "1111"});
    Click(missing.get(), IDC_EDIT_STORE);
    QCOMPARE(desktop.Texts(), (QStringList{kNotStored, kNotStored}));
    QCOMPARE(TextOf(missing.get(), IDC_EDIT_NUMBER1), QStringLiteral("1111"));
    QCOMPARE(db.Count("SELECT count(*) FROM \"ナンバーズ4\""), 0);
    QCOMPARE(desktop.waitDepth, 0);
}

void EditDrawDlgTest::doubleClickInTheGameWindowOpensTheDraw() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.InsertSequence(Game::Numbers3, 15);
    CNumbers3Dlg window(desktop);
    window.m_strDbPath = QString::fromStdString(db.Path());
    window.show();
    QCOMPARE(TextOf(&window, IDC_NEXT_DRAW), QStringLiteral("16"));
    Click(&window, IDC_LIST_ALL);

    QStringList seen;
    desktop.onModal = [&](QDialog& d) {
        if (auto* edit = qobject_cast<CEditDrawDlg*>(&d)) {
            seen = QStringList{edit->m_strDrawNo, edit->m_strGame, edit->m_strNextDrawNo} + Shown(edit);
        }
        return 0;
    };
    QTableView* view = window.m_listDraws;
    const QModelIndex twelve = view->model()->index(11, 1);
    QCOMPARE(view->model()->index(11, 0).data().toString(), QStringLiteral("12"));
    view->scrollTo(twelve);
    const QPoint at = view->visualRect(twelve).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(desktop.modalTitles, std::vector<QString>{QStringLiteral("　　編　集")});
    QCOMPARE(seen, (QStringList{"12", "3", "16", "12", "1", "2", "7", "", "n12", "", "", "", ""}));

    // Below the last row there is nothing to open.
    TestDatabase few;
    few.InsertSequence(Game::Numbers3, 2);
    CNumbers3Dlg fewWindow(desktop);
    fewWindow.m_strDbPath = QString::fromStdString(few.Path());
    fewWindow.show();
    Click(&fewWindow, IDC_LIST_ALL);
    QTableView* list = fewWindow.m_listDraws;
    const QRect last = list->visualRect(list->model()->index(1, 0));
    const QPoint below(last.center().x(), last.bottom() + 2 * last.height());
    QVERIFY(below.y() < list->viewport()->height());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, below);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, below);
    QCOMPARE(desktop.modalTitles.size(), size_t(1));
    QCOMPARE(desktop.waitDepth, 0);
}

QTEST_MAIN(EditDrawDlgTest)
#include "EditDrawDlgTest.moc"
