#include "exchange/DrawImport.h"
#include "game/Numbers3Dlg.h"
#include "res/ResourceIds.h"
#include "support/DialogDriver.h"
#include "support/RecordingDesktop.h"
#include "support/TestDatabase.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QTest>

#include <string_view>

using namespace drawbook;
using namespace drawbook::test;

namespace {

const std::string kHeader = "開催回数,当選数字,抽せん日,ストレート\n";

// A book of draws 1-4 of ナンバーズ3, with the dates and straight payouts of the file.
void FillBook(const TestDatabase& db) {
    const std::string file = db.Dir().File("book.csv");
    WriteBytes(file, kHeader + "1,191,1994-10-07,90000\n2,988,1994-10-14,91000\n3,010,1994-10-21,92000\n"
                               "4,404,1994-10-28,93000\n");
    QCOMPARE(int(ImportDrawFile(db.Path(), Game::Numbers3, file).outcome), int(ImportOutcome::Imported));
    db.Execute("UPDATE ナンバーズ3 SET kounyu1='123' WHERE kaisai=2");
}

void SelectRows(QTableView* list, const QList<int>& rows) {
    list->clearSelection();
    for (const int row : rows) {
        list->selectionModel()->select(list->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

} // namespace

class NumbersChangeTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { UseOwnSettings(); }

    void deletingAsksFirstAndTakesTheDrawsWithTheirResults_data();
    void deletingAsksFirstAndTakesTheDrawsWithTheirResults();
    void refusedImportOffersToLetTheFileWin();
};

void NumbersChangeTest::deletingAsksFirstAndTakesTheDrawsWithTheirResults_data() {
    QTest::addColumn<QList<int>>("rows"); // selected list rows
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QList<int>>("left"); // draws the book keeps
    QTest::addColumn<QString>("next");

    const QString warning = QStringLiteral("\n\n　抽せん日・当せん金の記録もいっしょに消え、元には戻せません。。");
    QTest::newRow("the newest, Yes") << QList<int>{3} << true
                                     << QStringLiteral("　第4回（当選数字 404）を削除しますか？") + warning
                                     << QList<int>{1, 2, 3} << QStringLiteral("4");
    QTest::newRow("two in the middle, Yes")
        << QList<int>{2, 1} << true
        << QStringLiteral("　第2回（当選数字 988）、第3回（当選数字 010）の2回分を削除しますか？") + warning
        << QList<int>{1, 4} << QStringLiteral("3");
    QTest::newRow("No keeps everything") << QList<int>{0} << false
                                         << QStringLiteral("　第1回（当選数字 191）を削除しますか？") + warning
                                         << QList<int>{1, 2, 3, 4} << QStringLiteral("5");
}

void NumbersChangeTest::deletingAsksFirstAndTakesTheDrawsWithTheirResults() {
    QFETCH(QList<int>, rows);
    QFETCH(bool, yes);
    QFETCH(QString, question);
    QFETCH(QList<int>, left);
    QFETCH(QString, next);

    RecordingDesktop desktop;
    TestDatabase db;
    FillBook(db);
    const std::string before = ReadBytes(db.Path());
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    Click(window.get(), IDC_LIST_ALL);
    SelectRows(window->m_listDraws, rows);
    desktop.answers = {yes};
    // The Delete key in the list, as the menu's shortcut.
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    window->m_listDraws->setFocus();
    QTest::keyClick(window->m_listDraws, Qt::Key_Delete);

    QCOMPARE(desktop.questions, std::vector<QString>{question});
    QCOMPARE(desktop.presets, std::vector<Desktop::Answer>{Desktop::Answer::No});
    QVERIFY(desktop.messages.empty());
    QStringList kept;
    for (const int draw : left) {
        kept << QString::number(draw);
        QCOMPARE(db.Count("SELECT COUNT(*) FROM draw_results WHERE game='3' AND kaisai=" + std::to_string(draw)), 1);
    }
    QCOMPARE(ListedDraws(window->m_listDraws), kept);
    QCOMPARE(db.Count("SELECT COUNT(*) FROM ナンバーズ3"), left.size());
    QCOMPARE(db.Count("SELECT COUNT(*) FROM draw_results"), left.size());
    QCOMPARE(TextOf(window.get(), IDC_NEXT_DRAW), next);
    if (!yes) {
        QCOMPARE(ReadBytes(db.Path()), before);
    }
}

void NumbersChangeTest::refusedImportOffersToLetTheFileWin() {
    RecordingDesktop desktop;
    TestDatabase db;
    FillBook(db);
    const std::string file = db.Dir().File("official.csv");
    // Draw 2 was typed as 988 but was 989; draw 4's payout differs; draw 5 is new.
    WriteBytes(file, kHeader + "2,989,1994-10-14,91000\n3,010,1994-10-21,92000\n4,404,1994-10-28,93500\n"
                               "5,555,1994-11-04,94000\n");
    const std::string before = ReadBytes(db.Path());
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());

    for (const bool yes : {false, true}) {
        desktop.messages.clear();
        desktop.questions.clear();
        desktop.presets.clear();
        desktop.answers = {yes};
        desktop.filesToOpen = {QString::fromStdString(file)};
        window->m_actionImportCsv->trigger();

        // The report keeps its text, then the question with No preset.
        QVERIFY(!desktop.messages.empty());
        QCOMPARE(
            desktop.messages.front().text,
            QStringLiteral("　CSVファイルを取り込めませんでした。記録は何も変わっていません。。\n"
                           "　2行目：第2回は当選数字988で登録済みです（ファイルでは989）。。\n"
                           "　4行目：第4回はストレートの当せん金93,000円で登録済みです（ファイルでは93,500円）。。"));
        QCOMPARE(desktop.questions.size(), std::size_t{1});
        QCOMPARE(
            desktop.questions.front(),
            QStringLiteral(
                "　ファイルの内容で置き換えますか？\n\n　第2回（当選数字 989）、第4回（当選数字 404）の当選数字・"
                "抽せん日・当せん金をファイルのとおりにして、ほかの回も取り込みます。予想数字はそのまま残ります。。"));
        QCOMPARE(desktop.presets, std::vector<Desktop::Answer>{Desktop::Answer::No});
        if (!yes) {
            QCOMPARE(desktop.messages.size(), std::size_t{1});
            QCOMPARE(ReadBytes(db.Path()), before);
        }
    }
    // Digits and payouts as the file has them; the number typed beside draw 2 stays.
    QCOMPARE(db.Row(Game::Numbers3, 2), std::string("2\t9\t8\t9\t123\t　\t　\t　\t　\t "));
    QCOMPARE(db.Count("SELECT straight FROM draw_results WHERE game='3' AND kaisai=4"), 93500);
    QCOMPARE(db.Count("SELECT COUNT(*) FROM ナンバーズ3"), 5);
    QCOMPARE(TextOf(window.get(), IDC_NEXT_DRAW), QStringLiteral("6"));
    QCOMPARE(desktop.messages.size(), std::size_t{2});
    QCOMPARE(desktop.messages.back().icon, Desktop::Icon::None);
}

QTEST_MAIN(NumbersChangeTest)
#include "NumbersChangeTest.moc"
