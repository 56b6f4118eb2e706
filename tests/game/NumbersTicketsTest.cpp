#include "game/NumbersDlg.h"
#include "res/ResourceIds.h"
#include "support/DialogDriver.h"
#include "support/RecordingDesktop.h"
#include "support/TestDatabase.h"
#include "tickets/TicketBook.h"
#include "tickets/TicketsDlg.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>

using namespace drawbook;
using namespace drawbook::test;

namespace {

const QString kNoStop = QStringLiteral("(no stop icon) ");

void Buy(const TestDatabase& db, Game game, const std::vector<NewTicket>& tickets) {
    QCOMPARE(RecordTickets(db.Path(), game, tickets).outcome, TicketWrite::Done);
}

} // namespace

class NumbersTicketsTest : public QObject {
    Q_OBJECT

private slots:
    void ctrlBOpensThePurchaseDialogOnTheNextDraw();
    void importSummaryEndsWithTheNewDrawsTickets_data();
    void importSummaryEndsWithTheNewDrawsTickets();
    void registrationNamesItsDrawsTickets();
};

void NumbersTicketsTest::ctrlBOpensThePurchaseDialogOnTheNextDraw() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.InsertSequence(Game::Numbers4, 3);
    const auto window = OpenGameWindow(Game::Numbers4, desktop, db.Path());
    QStringList shown; // title, 開催回, mini's state, the five buttons
    desktop.onModal = [&shown](QDialog& dialog) {
        shown << dialog.windowTitle() << TextOf(&dialog, IDC_TK_DRAW)
              << (FindControl(&dialog, IDC_TK_MINI)->isEnabled() ? "mini" : "no mini");
        for (const int id : {IDC_TK_PRED1, IDC_TK_PRED2, IDC_TK_PRED3, IDC_TK_PRED4, IDC_TK_PRED5}) {
            shown << TextOf(&dialog, id);
        }
        return int(QDialog::Rejected);
    };
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    window->m_editN1->setFocus();
    QTest::keyClick(window->m_editN1, Qt::Key_B, Qt::ControlModifier);

    // Before 予想 the dialog predicts as the window would.
    window->OnPredict();
    QCOMPARE(shown, (QStringList{QStringLiteral("SOMARU屋　ナンバーズ４　購入記録"), "4", "no mini",
                                 window->m_editPred1->text(), window->m_editPred2->text(), window->m_editPred3->text(),
                                 window->m_editPred4->text(), window->m_editPred5->text()}));
    QVERIFY(!window->m_editPred1->text().isEmpty());
    QCOMPARE(desktop.modalTitles.size(), std::size_t(1));
}

void NumbersTicketsTest::importSummaryEndsWithTheNewDrawsTickets_data() {
    QTest::addColumn<QString>("draw3number");
    QTest::addColumn<QString>("draw4number");
    QTest::addColumn<QStringList>("lines");

    // Draw 3 comes in as 123, draw 4 as 789.
    QTest::newRow("won") << "123"
                         << "456"
                         << QStringList{"第3回：123 ストレート 2口 当せん 180,000円",
                                        "第3回：123 ボックス 1口 当せん 15,000円"};
    QTest::newRow("all lost") << "456"
                              << "456" << QStringList{"記録した券はすべてはずれました（3枚）"};
}

void NumbersTicketsTest::importSummaryEndsWithTheNewDrawsTickets() {
    QFETCH(QString, draw3number);
    QFETCH(QString, draw4number);
    QFETCH(QStringList, lines);

    RecordingDesktop desktop;
    TestDatabase db;
    db.Insert(Game::Numbers3, {Draw(1, "191"), Draw(2, "988")});
    // A straight of two units and a box for draw 3, a set for draw 4, and one for draw 5 still to come.
    Buy(db, Game::Numbers3,
        {{3, draw3number.toStdString(), Bet::Straight, 2},
         {3, draw3number.toStdString(), Bet::Box, 1},
         {4, draw4number.toStdString(), Bet::Set, 1},
         {5, "555", Bet::Straight, 1}});
    const std::string file = db.Dir().File("results.csv");
    WriteBytes(file, "draw_no,winning_number,straight_payout,box_payout,set_straight_payout,set_box_payout,"
                     "mini_payout\n"
                     "3,123,90000,15000,52500,7500,9000\n"
                     "4,789,100100,16600,58300,8300,10000\n");
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    desktop.filesToOpen = {QString::fromStdString(file)};
    window->m_actionImportCsv->trigger();

    QCOMPARE(desktop.Texts(), QStringList{kNoStop +
                                          QStringLiteral("　2回分を追加しました（第3回～第4回）。"
                                                         "抽せん日・当せん金を2回分に記録しました。。\n\n") +
                                          lines.join(u'\n')});
}

void NumbersTicketsTest::registrationNamesItsDrawsTickets() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.InsertSequence(Game::Numbers3, 2);
    db.InsertSequence(Game::Numbers4, 2);
    Buy(db, Game::Numbers3, {{3, "123", Bet::Box, 1}, {4, "123", Bet::Box, 1}});
    Buy(db, Game::Numbers4, {{3, "1234", Bet::Straight, 1}});
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    desktop.onModal = [](QDialog& dialog) {
        const std::pair<int, const char*> digits[] = {
            {IDC_REG_N100_3, "3"}, {IDC_REG_N10_3, "2"}, {IDC_REG_N1_3, "1"}, {IDC_REG_N1000_4, "1"},
            {IDC_REG_N100_4, "2"}, {IDC_REG_N10_4, "3"}, {IDC_REG_N1_4, "4"},
        };
        for (const auto& [id, digit] : digits) {
            FindControlAs<QLineEdit>(&dialog, id)->setText(QString::fromUtf8(digit));
        }
        Click(&dialog, IDC_REG_ADD);
        return int(QDialog::Accepted);
    };
    Click(window.get(), IDC_REGISTER);

    // A registration stores no payouts; the window speaks of its own game's draw alone.
    QCOMPARE(desktop.Texts(), QStringList{kNoStop + QStringLiteral("第3回：123 ボックス 1口 当せん金不明")});
}

QTEST_MAIN(NumbersTicketsTest)
#include "NumbersTicketsTest.moc"
