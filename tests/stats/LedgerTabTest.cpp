#include "db/Connection.h"
#include "db/DrawResultsTable.h"
#include "db/TicketsTable.h"
#include "game/Numbers3Dlg.h"
#include "res/ChartView.h"
#include "res/ResourceIds.h"
#include "stats/StatisticsDlg.h"
#include "support/DialogDriver.h"
#include "support/RecordingDesktop.h"
#include "support/TestDatabase.h"
#include "tickets/TicketBook.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPen>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

using namespace drawbook;
using namespace drawbook::test;

namespace {

constexpr int kNone = kUnknownYen;

// Payouts in prize order: straight, box, set (straight), set (box), mini.
void WriteResults(const TestDatabase& db, Game game, int drawNo, int date, std::array<int, kPrizeCount> yen) {
    Connection connection(db.Path(), OpenMode::ReadWrite);
    CreateResultsTable(connection);
    ResultsWriter(connection, game, false).Write(drawNo, DrawResults{date, yen});
}

// Draws 1 123, 2 456, 3 to 19 012, 20 777, 21 456, 22 201; draw 23 holds a text
// digit and is left out. Payouts of draws 1, 2, 20 (none for box and set: the draw
// is all the same digit) and 22 (mini unknown); none of draw 21.
//
// Stored numbers that count: 1: 123 321 １２３; 2: 999 556; 20: 777 077; 22: 210.
// The prediction, hand-walked: 999 888 777 666 555 before draw 2 (nothing followed
// anything yet); 012 999 888 777 666 before draws 20 and 22 (0, 1, 2 followed each
// position's latest digit once or more).
void InsertBook(const TestDatabase& db) {
    db.Insert(Game::Numbers3, {Draw(1, "123", {"123", "321", "abc", "１２３", ""}), Draw(2, "456", {"999", "556"})});
    for (int drawNo = 3; drawNo <= 19; ++drawNo) {
        db.Insert(Game::Numbers3, Draw(drawNo, "012"));
    }
    db.Insert(Game::Numbers3,
              {Draw(20, "777", {"777", "077"}), Draw(21, "456", {"456"}), Draw(22, "201", {"1234", "210"})});
    db.Execute("INSERT INTO ナンバーズ3 (kaisai,N100,N10,N1) VALUES (23,2,'x',3)");
    WriteResults(db, Game::Numbers3, 1, 20260723, {90000, 15000, 52500, 7500, 9000});
    WriteResults(db, Game::Numbers3, 2, 20260724, {100100, 16600, 58300, 8300, 10200});
    WriteResults(db, Game::Numbers3, 20, 20260819, {500000, kNone, kNone, kNone, 20000});
    WriteResults(db, Game::Numbers3, 22, 20260821, {80000, 13300, 46600, 6600, kNone});
}

// The book of InsertBook, draw 21 paid on 2026-09-01, and tickets hand-scored:
//   1 (07-23, 123): 123 straight ×2 → 180,000; 321 box → 15,000
//   2 (07-24, 456): 465 set ×3 → セット（ボックス） 3 × 8,300 = 24,900; 111 mini → lost
//   5 (no payouts): 012 straight → unknown, not counted
//   20 (08-19, 777): 777 straight → 500,000; 177 mini ×4 → 80,000
//   21 (09-01, 456): 999 straight ×3 → lost
//   22 (08-21, 201): 201 set → セット（ストレート） 46,600; 345 mini ×2 → lost (45 is not 01; no payout needed)
//   30 (not drawn): 123 box → pending, not counted
bool InsertTicketBook(const TestDatabase& db) {
    InsertBook(db);
    WriteResults(db, Game::Numbers3, 21, 20260901, {100000, 16000, 58000, 8000, 10000});
    const std::vector<NewTicket> tickets = {
        {1, "123", Bet::Straight, 2}, {1, "321", Bet::Box, 1},       {2, "465", Bet::Set, 3},
        {2, "111", Bet::Mini, 1},     {5, "012", Bet::Straight, 1},  {20, "777", Bet::Straight, 1},
        {20, "177", Bet::Mini, 4},    {21, "999", Bet::Straight, 3}, {22, "201", Bet::Set, 1},
        {22, "345", Bet::Mini, 2},    {30, "123", Bet::Box, 1},
    };
    return RecordTickets(db.Path(), Game::Numbers3, tickets).outcome == TicketWrite::Done;
}

QStringList Bars(const ChartSeries* bars) {
    QStringList values;
    for (const double value : bars->Values()) {
        values << QString::number(value, 'f', 0);
    }
    return values;
}

QString Tip(const QAbstractItemModel* model, int row) {
    return model->index(row, 0).data(Qt::ToolTipRole).toString();
}

} // namespace

class LedgerTabTest : public QObject {
    Q_OBJECT

private slots:
    void tablesCountWhatWasBoughtInThePeriod_data();
    void tablesCountWhatWasBoughtInThePeriod();
    void newPayoutsOfTheSameDrawsScoreAgain();
    void bookWithoutPayoutsSaysSoAndStaysAsItWas();
    void numbersOnlyAtDrawsWithoutPayoutsSaySo();
    void drawNumberTipGivesDateAndPayouts();
    void recordedTicketsCountWhatWasSettledInThePeriod_data();
    void recordedTicketsCountWhatWasSettledInThePeriod();
    void ticketsTableOfOtherColumnsIsToldAndTheRestShown();
};

void LedgerTabTest::tablesCountWhatWasBoughtInThePeriod_data() {
    QTest::addColumn<int>("period");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QStringList>("picks");
    QTest::addColumn<QStringList>("prediction");
    QTest::addColumn<QList<QPointF>>("straightBalance");

    // 8 straight tickets paid 2 × 90,000 at draw 1 and 500,000 at draw 20: 680,000 for 1,600.
    QTest::newRow("全期間") << 0 << QStringLiteral("第1回～第22回の22回分（数字の欠けた1回分は除いています）")
                            << QStringList{QStringLiteral("8\t1,600円\t680,000円\t678,400円\t42500.0"),
                                           QStringLiteral("6\t1,200円\t58,300円\t57,100円\t4858.3"),
                                           QStringLiteral("6\t1,200円\t119,100円\t117,900円\t9925.0"),
                                           QStringLiteral("7\t1,400円\t68,200円\t66,800円\t4871.4")}
                            << QStringList{QStringLiteral("15\t3,000円\t500,000円\t497,000円\t16666.7"),
                                           QStringLiteral("2\t400円\t13,300円\t12,900円\t3325.0"),
                                           QStringLiteral("2\t400円\t6,600円\t6,200円\t1650.0"),
                                           QStringLiteral("10\t2,000円\t20,000円\t18,000円\t1000.0")}
                            << QList<QPointF>{{2, -1000}, {20, 498000}, {22, 497000}};
    // Draws 3 to 22: the tickets of draws 1 and 2 drop out.
    QTest::newRow("直近20回") << 3 << QStringLiteral("第3回～第22回の20回分（数字の欠けた1回分は除いています）")
                              << QStringList{QStringLiteral("3\t600円\t500,000円\t499,400円\t83333.3"),
                                             QStringLiteral("2\t400円\t13,300円\t12,900円\t3325.0"),
                                             QStringLiteral("2\t400円\t6,600円\t6,200円\t1650.0"),
                                             QStringLiteral("2\t400円\t40,000円\t39,600円\t10000.0")}
                              << QStringList{QStringLiteral("10\t2,000円\t500,000円\t498,000円\t25000.0"),
                                             QStringLiteral("2\t400円\t13,300円\t12,900円\t3325.0"),
                                             QStringLiteral("2\t400円\t6,600円\t6,200円\t1650.0"),
                                             QStringLiteral("5\t1,000円\t20,000円\t19,000円\t2000.0")}
                              << QList<QPointF>{{20, 499000}, {22, 498000}};
}

void LedgerTabTest::tablesCountWhatWasBoughtInThePeriod() {
    QFETCH(int, period);
    QFETCH(QString, label);
    QFETCH(QStringList, picks);
    QFETCH(QStringList, prediction);
    QFETCH(QList<QPointF>, straightBalance);
    RecordingDesktop desktop;
    TestDatabase db;
    InsertBook(db);
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    CStatisticsDlg* statistics = OpenStatistics(*window);
    QVERIFY(statistics != nullptr);
    QCOMPARE(statistics->m_tabs->tabText(4), QStringLiteral("収支"));
    statistics->m_comboPeriod->setCurrentIndex(period);

    QCOMPARE(statistics->m_labelPeriod->text(), label);
    const QStringList tickets = {QStringLiteral("ストレート"), QStringLiteral("ボックス"), QStringLiteral("セット"),
                                 QStringLiteral("ミニ")};
    const QStringList columns = {QStringLiteral("口数"), QStringLiteral("購入額"), QStringLiteral("当せん金"),
                                 QStringLiteral("収支"), QStringLiteral("回収率 (%)")};
    for (const QTableWidget* table : {statistics->m_tableLedgerPicks, statistics->m_tableLedgerPrediction}) {
        QCOMPARE(Headers(table, Qt::Vertical), tickets);
        QCOMPARE(Headers(table, Qt::Horizontal), columns);
    }
    QCOMPARE(Cells(statistics->m_tableLedgerPicks), picks);
    QCOMPARE(Cells(statistics->m_tableLedgerPrediction), prediction);
    // Draws 3 to 19 and 21 have no payouts, in either period.
    QCOMPARE(statistics->m_labelLedgerMissing->text(), QStringLiteral("当せん金の記録がない18回分は数えていません。"));
    QVERIFY(statistics->m_labelLedgerNote->text().contains(QStringLiteral("法律で売上の半分以下")));
    QVERIFY(statistics->m_labelLedgerPicksNote->isHidden());

    QCOMPARE(statistics->m_seriesBalance.size(), size_t(4));
    QCOMPARE(statistics->m_seriesBalance[0]->Points(), straightBalance);
    for (std::size_t t = 0; t < statistics->m_seriesBalance.size(); ++t) {
        const ChartSeries* balance = statistics->m_seriesBalance[t];
        QCOMPARE(balance->Name(), tickets[static_cast<int>(t)]);
        // Each ends at its row's 収支.
        const QString cell = prediction[static_cast<int>(t)].split(QLatin1Char('\t'))[3];
        QCOMPARE(QString::number(balance->Points().back().y(), 'f', 0) + QStringLiteral("円"),
                 QString(cell).remove(QLatin1Char(',')));
    }
    // The backtest chart's colours.
    QCOMPARE(statistics->m_seriesBalance[0]->Pen().color(), statistics->m_seriesHits[0]->Pen().color());
    QCOMPARE(statistics->m_seriesBalance[3]->Pen().color(), statistics->m_seriesHits[2]->Pen().color());
    QVERIFY(desktop.messages.empty());
    QCOMPARE(desktop.waitDepth, 0);
}

void LedgerTabTest::newPayoutsOfTheSameDrawsScoreAgain() {
    RecordingDesktop desktop;
    TestDatabase db;
    InsertBook(db);
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    CStatisticsDlg* statistics = OpenStatistics(*window);
    const QList<QPointF> hits = statistics->m_seriesHits[0]->Points();

    // Draw 21: the stored 456 wins all four; the prediction 999 888 777 666 555
    // (nothing followed 7 yet) buys five straight and five mini tickets in vain.
    WriteResults(db, Game::Numbers3, 21, 20260820, {100000, 16000, 58000, 8000, 10000});
    QCOMPARE(OpenStatistics(*window), statistics);
    QCOMPARE(Cells(statistics->m_tableLedgerPicks),
             (QStringList{QStringLiteral("9\t1,800円\t780,000円\t778,200円\t43333.3"),
                          QStringLiteral("7\t1,400円\t74,300円\t72,900円\t5307.1"),
                          QStringLiteral("7\t1,400円\t177,100円\t175,700円\t12650.0"),
                          QStringLiteral("8\t1,600円\t78,200円\t76,600円\t4887.5")}));
    QCOMPARE(Cells(statistics->m_tableLedgerPrediction),
             (QStringList{QStringLiteral("20\t4,000円\t500,000円\t496,000円\t12500.0"),
                          QStringLiteral("2\t400円\t13,300円\t12,900円\t3325.0"),
                          QStringLiteral("2\t400円\t6,600円\t6,200円\t1650.0"),
                          QStringLiteral("15\t3,000円\t20,000円\t17,000円\t666.7")}));
    QCOMPARE(statistics->m_labelLedgerMissing->text(), QStringLiteral("当せん金の記録がない17回分は数えていません。"));
    QCOMPARE(statistics->m_seriesBalance[0]->Points().back(), QPointF(22, 496000));
    QCOMPARE(statistics->m_seriesHits[0]->Points(), hits);
    QCOMPARE(desktop.waitDepth, 0);
}

void LedgerTabTest::bookWithoutPayoutsSaysSoAndStaysAsItWas() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.InsertSequence(Game::Numbers4, 30);
    const std::string before = ReadBytes(db.Path());
    const auto window = OpenGameWindow(Game::Numbers4, desktop, db.Path());
    window->OnListAll();
    const QAbstractItemModel* model = window->m_listDraws->model();
    QCOMPARE(model->rowCount(), 30);
    for (int row = 0; row < model->rowCount(); ++row) {
        QVERIFY(!model->index(row, 0).data(Qt::ToolTipRole).isValid());
    }
    CStatisticsDlg* statistics = OpenStatistics(*window);
    QVERIFY(statistics != nullptr);

    const QStringList none = {QStringLiteral("0\t0円\t0円\t0円\t0.0"), QStringLiteral("0\t0円\t0円\t0円\t0.0"),
                              QStringLiteral("0\t0円\t0円\t0円\t0.0")};
    for (const QTableWidget* table : {statistics->m_tableLedgerPicks, statistics->m_tableLedgerPrediction}) {
        QCOMPARE(Headers(table, Qt::Vertical),
                 (QStringList{QStringLiteral("ストレート"), QStringLiteral("ボックス"), QStringLiteral("セット")}));
        QCOMPARE(Cells(table), none);
    }
    QCOMPARE(statistics->m_labelLedgerMissing->text(),
             QStringLiteral("抽せん日と当せん金の記録がありません。F5（最新の当せん番号を取り込む）か、"
                            "プログラムに付いている当せん番号を取り込むと計算できます。"));
    QVERIFY(statistics->m_labelLedgerPicksNote->isHidden());
    // No tickets either: zeros, and how to record them.
    QCOMPARE(Cells(statistics->m_tableLedgerTickets), none);
    QCOMPARE(statistics->m_labelLedgerTicketsNote->text(),
             QStringLiteral("購入記録…（Ctrl+B）で買った券を記録すると、ここに収支が出ます。"));
    QCOMPARE(statistics->m_barsMonthly->Count(), 0);
    QCOMPARE(statistics->m_seriesBalance.size(), size_t(3));
    for (const ChartSeries* balance : statistics->m_seriesBalance) {
        QCOMPARE(balance->Count(), 0);
    }
    // The backtest runs all the same.
    QCOMPARE(statistics->m_seriesHits[0]->Count(), 29);
    QCOMPARE(ReadBytes(db.Path()), before);
    QCOMPARE(db.Count("SELECT count(*) FROM sqlite_master WHERE name='draw_results'"), 0LL);
}

// Payouts of draws 1 and 2, numbers stored only with draws 3 and 4 (typed in by
// hand): the stored numbers' table counts nothing and says why.
void LedgerTabTest::numbersOnlyAtDrawsWithoutPayoutsSaySo() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.Insert(Game::Numbers3,
              {Draw(1, "123"), Draw(2, "456"), Draw(3, "789", {"789", "111"}), Draw(4, "012", {"012"})});
    WriteResults(db, Game::Numbers3, 1, 20260723, {90000, 15000, 52500, 7500, 9000});
    WriteResults(db, Game::Numbers3, 2, 20260724, {100100, 16600, 58300, 8300, 10200});
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    CStatisticsDlg* statistics = OpenStatistics(*window);
    QVERIFY(statistics != nullptr);

    QCOMPARE(Cells(statistics->m_tableLedgerPicks).first(), QStringLiteral("0\t0円\t0円\t0円\t0.0"));
    QVERIFY(!statistics->m_labelLedgerPicksNote->isHidden());
    QCOMPARE(statistics->m_labelLedgerPicksNote->text(),
             QStringLiteral("予想数字が記録された回に当せん金の記録がありません。手で登録した回の当せん金は、"
                            "F5でその回を取り込むと記録されます。"));
    QCOMPARE(statistics->m_labelLedgerMissing->text(), QStringLiteral("当せん金の記録がない2回分は数えていません。"));

    // Payouts of draw 4 count its 012 and the note goes.
    WriteResults(db, Game::Numbers3, 4, 20260726, {80000, 13300, 46600, 6600, 9000});
    QCOMPARE(OpenStatistics(*window), statistics);
    QCOMPARE(Cells(statistics->m_tableLedgerPicks).first(), QStringLiteral("1\t200円\t80,000円\t79,800円\t40000.0"));
    QVERIFY(statistics->m_labelLedgerPicksNote->isHidden());
}

void LedgerTabTest::drawNumberTipGivesDateAndPayouts() {
    RecordingDesktop desktop;
    TestDatabase db;
    InsertBook(db);
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    window->OnListAll();
    const QAbstractItemModel* model = window->m_listDraws->model();
    QCOMPARE(model->rowCount(), 23);

    const QString draw2 = QStringLiteral("2026-07-24（金）　ストレート 100,100円　ボックス 16,600円　"
                                         "セット（ストレート） 58,300円　セット（ボックス） 8,300円　ミニ 10,200円");
    const QString draw22 = QStringLiteral("2026-08-21（金）　ストレート 80,000円　ボックス 13,300円　"
                                          "セット（ストレート） 46,600円　セット（ボックス） 6,600円");
    QCOMPARE(Tip(model, 1), draw2);
    QCOMPARE(Tip(model, 19), QStringLiteral("2026-08-19（水）　ストレート 500,000円　ミニ 20,000円"));
    QCOMPARE(Tip(model, 20), QString()); // draw 21
    QVERIFY(!model->index(20, 0).data(Qt::ToolTipRole).isValid());
    QCOMPARE(Tip(model, 21), draw22);
    // The other cells keep theirs: the stored 210 won a box at draw 22.
    QCOMPARE(model->index(21, 1).data(Qt::ToolTipRole).toString(), QString());
    QCOMPARE(model->index(21, 3).data(Qt::ToolTipRole).toString(), QStringLiteral("ボックス当選"));
    QCOMPARE(model->columnCount(), 8);

    // Payouts stored later show once the list is read again.
    WriteResults(db, Game::Numbers3, 21, 20260820, {100000, kNone, kNone, kNone, kNone});
    QCOMPARE(Tip(model, 20), QString());
    window->OnListAll();
    QCOMPARE(Tip(model, 20), QStringLiteral("2026-08-20（木）　ストレート 100,000円"));

    // A search lists draw 22 alone, with its tip.
    ClickRadio(window.get(), IDC_STRAIGHT);
    Type(window.get(), IDC_N1, QStringLiteral("1"));
    Click(window.get(), IDC_SEARCH);
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(Tip(model, 0), draw22);
    QVERIFY(desktop.messages.empty());
}

void LedgerTabTest::recordedTicketsCountWhatWasSettledInThePeriod_data() {
    QTest::addColumn<int>("period");
    QTest::addColumn<QStringList>("tickets");
    QTest::addColumn<QStringList>("months");
    QTest::addColumn<QStringList>("balances");
    QTest::addColumn<QList<QPointF>>("running");
    // The yen axis in four round steps around the bars and the line: bottom, top, step.
    QTest::addColumn<QList<double>>("yen");

    // Straight: 2 + 1 + 3 units for 1,200円, 180,000 + 500,000 back; July 1,400円 for 219,900.
    QTest::newRow("全期間") << 0
                            << QStringList{QStringLiteral("6\t1,200円\t680,000円\t678,800円\t56666.7"),
                                           QStringLiteral("1\t200円\t15,000円\t14,800円\t7500.0"),
                                           QStringLiteral("4\t800円\t71,500円\t70,700円\t8937.5"),
                                           QStringLiteral("7\t1,400円\t80,000円\t78,600円\t5714.3")}
                            << QStringList{QStringLiteral("2026年7月"), QStringLiteral("2026年8月"),
                                           QStringLiteral("2026年9月")}
                            << QStringList{QStringLiteral("218500"), QStringLiteral("625000"), QStringLiteral("-600")}
                            << QList<QPointF>{{0, 218500}, {1, 843500}, {2, 842900}}
                            << QList<double>{-500000, 1000000, 500000};
    // Draws 3 to 22: July's draws drop out.
    QTest::newRow("直近20回") << 3
                              << QStringList{QStringLiteral("4\t800円\t500,000円\t499,200円\t62500.0"),
                                             QStringLiteral("0\t0円\t0円\t0円\t0.0"),
                                             QStringLiteral("1\t200円\t46,600円\t46,400円\t23300.0"),
                                             QStringLiteral("6\t1,200円\t80,000円\t78,800円\t6666.7")}
                              << QStringList{QStringLiteral("2026年8月"), QStringLiteral("2026年9月")}
                              << QStringList{QStringLiteral("625000"), QStringLiteral("-600")}
                              << QList<QPointF>{{0, 625000}, {1, 624400}} << QList<double>{-200000, 800000, 200000};
}

void LedgerTabTest::recordedTicketsCountWhatWasSettledInThePeriod() {
    QFETCH(int, period);
    QFETCH(QStringList, tickets);
    QFETCH(QStringList, months);
    QFETCH(QStringList, balances);
    QFETCH(QList<QPointF>, running);
    QFETCH(QList<double>, yen);
    RecordingDesktop desktop;
    TestDatabase db;
    QVERIFY(InsertTicketBook(db));
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    CStatisticsDlg* statistics = OpenStatistics(*window);
    QVERIFY(statistics != nullptr);
    statistics->m_comboPeriod->setCurrentIndex(period);

    QCOMPARE(Headers(statistics->m_tableLedgerTickets, Qt::Vertical),
             (QStringList{QStringLiteral("ストレート"), QStringLiteral("ボックス"), QStringLiteral("セット"),
                          QStringLiteral("ミニ")}));
    QCOMPARE(Cells(statistics->m_tableLedgerTickets), tickets);
    QVERIFY(statistics->m_labelLedgerTicketsNote->isHidden());
    QCOMPARE(statistics->m_chartTickets->Categories(), months);
    QCOMPARE(Bars(statistics->m_barsMonthly), balances);
    QCOMPARE(statistics->m_seriesMonthlyTotal->Points(), running);
    const ChartScale& scale = statistics->m_chartTickets->YScale();
    QCOMPARE((QList<double>{scale.min, scale.max, scale.step}), yen);
    QCOMPARE(statistics->m_barsMonthly->Name(), QStringLiteral("買った券の月ごとの収支"));
    QCOMPARE(statistics->m_seriesMonthlyTotal->Name(), QStringLiteral("収支の累計"));
    QVERIFY(desktop.messages.empty());
}

// A tickets table made by another program is named, and the rest of the window stands.
void LedgerTabTest::ticketsTableOfOtherColumnsIsToldAndTheRestShown() {
    RecordingDesktop desktop;
    TestDatabase db;
    InsertBook(db);
    db.Execute("CREATE TABLE tickets (id INTEGER PRIMARY KEY, note TEXT)");
    const std::string before = ReadBytes(db.Path());
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    CStatisticsDlg* statistics = OpenStatistics(*window);
    QVERIFY(statistics != nullptr);

    QVERIFY(!statistics->m_labelLedgerTicketsNote->isHidden());
    QCOMPARE(statistics->m_labelLedgerTicketsNote->text(), QString::fromUtf8(kTicketsUnusableMessage.data()));
    QCOMPARE(Cells(statistics->m_tableLedgerTickets).first(), QStringLiteral("0\t0円\t0円\t0円\t0.0"));
    QCOMPARE(Cells(statistics->m_tableLedgerPicks).first(),
             QStringLiteral("8\t1,600円\t680,000円\t678,400円\t42500.0"));
    QVERIFY(desktop.messages.empty());
    QCOMPARE(ReadBytes(db.Path()), before);
}

QTEST_MAIN(LedgerTabTest)
#include "LedgerTabTest.moc"
