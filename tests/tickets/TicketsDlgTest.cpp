#include "tickets/TicketsDlg.h"
#include "exchange/DrawImport.h"
#include "res/ResourceIds.h"
#include "support/DialogDriver.h"
#include "support/RecordingDesktop.h"
#include "support/TestDatabase.h"

#include <QItemSelectionModel>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

#include <memory>

using namespace drawbook;
using namespace drawbook::test;

namespace {

// Draw 1 came in as 123, draw 2 as 456, with every payout known.
constexpr const char* kTwoDraws = "draw_no,winning_number,straight_payout,box_payout,set_straight_payout,"
                                  "set_box_payout,mini_payout\n"
                                  "1,123,90000,15000,52500,7500,9000\n"
                                  "2,456,100100,16600,58300,8300,10000\n";

void ImportTwoDraws(const TestDatabase& db) {
    const std::string file = db.Dir().File("results.csv");
    WriteBytes(file, kTwoDraws);
    QCOMPARE(ImportDrawFile(db.Path(), Game::Numbers3, file).outcome, ImportOutcome::Imported);
}

std::unique_ptr<CTicketsDlg> Open(RecordingDesktop& desktop, const TestDatabase& db, Game game) {
    auto dialog = std::make_unique<CTicketsDlg>(desktop, game);
    dialog->m_strDbPath = QString::fromStdString(db.Path());
    dialog->m_strNextDrawNo = QStringLiteral("3");
    dialog->m_strPredictions = {QStringLiteral("123"), QStringLiteral("777"), QString(), QString(), QString()};
    dialog->show();
    return dialog;
}

void SetText(QWidget* dialog, int id, const QString& text) {
    FindControlAs<QLineEdit>(dialog, id)->setText(text);
}

// Every field the dialog reads, for checking a refusal kept them.
QStringList Fields(QWidget* dialog) {
    QStringList texts;
    for (const int id : {IDC_TK_DRAW, IDC_TK_NUMBER, IDC_TK_STRAIGHT_UNITS, IDC_TK_BOX_UNITS, IDC_TK_SET_UNITS,
                         IDC_TK_MINI_UNITS, IDC_TK_DRAWS}) {
        texts << TextOf(dialog, id);
    }
    return texts;
}

} // namespace

class TicketsDlgTest : public QObject {
    Q_OBJECT

private slots:
    void recordsListsAndDeletes();
    void badFieldIsNamedAndKept_data();
    void badFieldIsNamedAndKept();
};

void TicketsDlgTest::recordsListsAndDeletes() {
    RecordingDesktop desktop;
    TestDatabase db;
    ImportTwoDraws(db);
    const auto dialog = Open(desktop, db, Game::Numbers3);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("SOMARU屋　ナンバーズ３　購入記録"));
    QCOMPARE(Fields(dialog.get()), (QStringList{"3", "", "1", "1", "1", "1", "1"}));
    QCOMPARE(TextOf(dialog.get(), IDC_TK_PRED1), QStringLiteral("123"));
    QVERIFY(!dialog->Control(IDC_TK_PRED3)->isEnabled());
    QVERIFY(dialog->Control(IDC_TK_MINI)->isEnabled());

    // 123 as a straight of 2 units, a box and a set, for draws 1 to 3.
    Click(dialog.get(), IDC_TK_PRED2);
    Click(dialog.get(), IDC_TK_PRED1);
    QCOMPARE(TextOf(dialog.get(), IDC_TK_NUMBER), QStringLiteral("123"));
    SetText(dialog.get(), IDC_TK_DRAW, QStringLiteral("１"));
    for (const int id : {IDC_TK_STRAIGHT, IDC_TK_BOX, IDC_TK_SET, IDC_TK_CONTINUE}) {
        ClickRadio(dialog.get(), id);
    }
    SetText(dialog.get(), IDC_TK_STRAIGHT_UNITS, QStringLiteral("2"));
    SetText(dialog.get(), IDC_TK_DRAWS, QStringLiteral("3"));
    // Enter in a field adds; it does not close the dialog over what was typed.
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    dialog->Control(IDC_TK_NUMBER)->setFocus();
    QTest::keyClick(dialog->Control(IDC_TK_NUMBER), Qt::Key_Return);
    QVERIFY(dialog->isVisible());

    QCOMPARE(desktop.Texts(), QStringList());
    // Latest draw first; draw 2 (456) misses, draw 1 (123) pays 90,000, 15,000 and 52,500 yen a unit.
    const QStringList rows = {
        "3\t123\tセット\t1\t200円\t未抽せん",
        "3\t123\tボックス\t1\t200円\t未抽せん",
        "3\t123\tストレート\t2\t400円\t未抽せん",
        "2\t123\tセット\t1\t200円\tはずれ",
        "2\t123\tボックス\t1\t200円\tはずれ",
        "2\t123\tストレート\t2\t400円\tはずれ",
        "1\t123\tセット\t1\t200円\tセット（ストレート）当せん 52,500円",
        "1\t123\tボックス\t1\t200円\tボックス当せん 15,000円",
        "1\t123\tストレート\t2\t400円\tストレート当せん 180,000円",
    };
    QCOMPARE(ListRows(dialog->m_listTickets), rows);
    // Won rows take the draw list's colours: in order yellow, in any order green; the rest none.
    const QStandardItemModel& list = dialog->TicketList();
    const QColor yellow(255, 224, 130);
    const QColor green(200, 236, 200);
    const QList<QVariant> backgrounds = {QVariant(), QVariant(), QVariant(), QVariant(), QVariant(),
                                         QVariant(), yellow,     green,      yellow};
    for (int row = 0; row < list.rowCount(); ++row) {
        for (int column = 0; column < list.columnCount(); ++column) {
            const QVariant brush = list.index(row, column).data(Qt::BackgroundRole);
            const QVariant expected = backgrounds[row];
            QCOMPARE(brush.isValid() ? QVariant(brush.value<QBrush>().color()) : QVariant(), expected);
        }
    }

    // The two tickets of draw 1 in any order: asked with No preset, kept on No, gone on Yes.
    const auto select = [&dialog](int row) {
        dialog->m_listTickets->selectionModel()->select(dialog->TicketList().index(row, 0),
                                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    };
    select(7);
    select(6);
    desktop.answers = {false, true};
    Click(dialog.get(), IDC_TK_DELETE);
    QCOMPARE(ListRows(dialog->m_listTickets), rows);
    // The Delete key in the list asks the same.
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    dialog->m_listTickets->setFocus();
    QTest::keyClick(dialog->m_listTickets, Qt::Key_Delete);
    const QString question = QStringLiteral("　第1回 123 セット 1口ほか1枚を削除しますか？\n\n"
                                            "　購入記録から消え、元には戻せません。。");
    QCOMPARE(desktop.questions, (std::vector<QString>{question, question}));
    QCOMPARE(desktop.presets, (std::vector<Desktop::Answer>{Desktop::Answer::No, Desktop::Answer::No}));
    QCOMPARE(ListRows(dialog->m_listTickets), rows.mid(0, 6) + rows.mid(8));
    QCOMPARE(db.Count("SELECT COUNT(*) FROM tickets"), 7LL);
    QCOMPARE(desktop.Texts(), QStringList());
}

void TicketsDlgTest::badFieldIsNamedAndKept_data() {
    QTest::addColumn<int>("game");
    QTest::addColumn<QString>("drawNo");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QList<int>>("checked");
    QTest::addColumn<QString>("units"); // of every bet
    QTest::addColumn<QString>("draws");
    QTest::addColumn<QString>("message");

    const QList<int> box{IDC_TK_BOX};
    QTest::newRow("draw not a number") << 3 << "第5回"
                                       << "123" << box << "1"
                                       << "1"
                                       << "　開催回は1から32767までで記入してください。。";
    QTest::newRow("draw zero") << 3 << "0"
                               << "123" << box << "1"
                               << "1"
                               << "　開催回は1から32767までで記入してください。。";
    QTest::newRow("no bet") << 3 << "3"
                            << "123" << QList<int>{} << "1"
                            << "1"
                            << "　買い方を一つ以上選んでください。。";
    QTest::newRow("units 100") << 3 << "3"
                               << "123" << QList<int>{IDC_TK_STRAIGHT, IDC_TK_SET} << "100"
                               << "1"
                               << "　ストレートの口数は1から99までで記入してください。。";
    QTest::newRow("units empty") << 3 << "3"
                                 << "123" << QList<int>{IDC_TK_MINI} << ""
                                 << "1"
                                 << "　ミニの口数は1から99までで記入してください。。";
    QTest::newRow("draws 21") << 3 << "3"
                              << "123" << QList<int>{IDC_TK_CONTINUE, IDC_TK_BOX} << "1"
                              << "21"
                              << "　継続は1から20回までで記入してください。。";
    QTest::newRow("continued past the last draw") << 3 << "32767"
                                                  << "123" << QList<int>{IDC_TK_CONTINUE, IDC_TK_BOX} << "1"
                                                  << "2"
                                                  << "　開催回は1から32767までで記入してください。。";
    QTest::newRow("all the same as a set") << 3 << "3"
                                           << "777" << QList<int>{IDC_TK_STRAIGHT, IDC_TK_SET} << "1"
                                           << "1"
                                           << "　ゾロ目（777）のボックス・セットは販売されていません。。";
    QTest::newRow("three digits for four") << 4 << "3"
                                           << "123" << QList<int>{IDC_TK_STRAIGHT} << "1"
                                           << "1"
                                           << "　数字は四桁の数字で記入してください。。";
    QTest::newRow("mini for four") << 4 << "3"
                                   << "1234" << QList<int>{IDC_TK_MINI} << "1"
                                   << "1"
                                   << "　買い方を一つ以上選んでください。。";
}

void TicketsDlgTest::badFieldIsNamedAndKept() {
    QFETCH(int, game);
    QFETCH(QString, drawNo);
    QFETCH(QString, number);
    QFETCH(QList<int>, checked);
    QFETCH(QString, units);
    QFETCH(QString, draws);
    QFETCH(QString, message);

    RecordingDesktop desktop;
    TestDatabase db;
    const std::string before = ReadBytes(db.Path());
    const auto dialog = Open(desktop, db, game == 3 ? Game::Numbers3 : Game::Numbers4);
    SetText(dialog.get(), IDC_TK_DRAW, drawNo);
    SetText(dialog.get(), IDC_TK_NUMBER, number);
    for (const int id : {IDC_TK_STRAIGHT_UNITS, IDC_TK_BOX_UNITS, IDC_TK_SET_UNITS, IDC_TK_MINI_UNITS}) {
        SetText(dialog.get(), id, units);
    }
    SetText(dialog.get(), IDC_TK_DRAWS, draws);
    for (const int id : checked) {
        ClickRadio(dialog.get(), id);
    }
    const QStringList typed = Fields(dialog.get());
    Click(dialog.get(), IDC_TK_ADD);

    QCOMPARE(desktop.Texts(), QStringList{message});
    QCOMPARE(Fields(dialog.get()), typed);
    QCOMPARE(dialog->TicketList().rowCount(), 0);
    QVERIFY(ReadBytes(db.Path()) == before);
}

QTEST_MAIN(TicketsDlgTest)
#include "TicketsDlgTest.moc"
