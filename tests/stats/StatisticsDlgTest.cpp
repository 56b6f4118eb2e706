#include "stats/StatisticsDlg.h"
#include "game/Numbers3Dlg.h"
#include "game/Numbers4Dlg.h"
#include "res/ChartView.h"
#include "res/ResourceIds.h"
#include "support/DialogDriver.h"
#include "support/RecordingDesktop.h"
#include "support/TestDatabase.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QBrush>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPen>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

#include <fstream>
#include <memory>

using namespace drawbook;
using namespace drawbook::test;

namespace {

const QString kReadInterrupted = QStringLiteral("　データベースを最後まで読めませんでした。。");

// Draws 1 to 4 are 999, 998, 988, 777; draws 5 to 24 (i = 0 to 19) have the digits
// i%10, i%5, 1. Draw 0 is no draw and draw 25 lacks a digit: neither counts.
void InsertHistory(const TestDatabase& db) {
    db.Insert(Game::Numbers3, {Draw(0, "555"), Draw(1, "999"), Draw(2, "998"), Draw(3, "988"), Draw(4, "777")});
    for (int i = 0; i < 20; ++i) {
        db.Insert(Game::Numbers3, TestDraw{5 + i, {i % 10, i % 5, 1}});
    }
    db.Insert(Game::Numbers3, TestDraw{25, {std::nullopt, 1, 2}});
}

// The bar of each digit, per position, joined by tabs.
QStringList Bars(const CStatisticsDlg& statistics) {
    QStringList rows;
    for (const ChartSeries* bars : statistics.m_barsCount) {
        QStringList cells;
        for (const double count : bars->Values()) {
            cells << QString::number(count);
        }
        rows << cells.join(QLatin1Char('\t'));
    }
    return rows;
}

QString Tip(const QAbstractItemModel* model, int row, int column) {
    return model->index(row, column).data(Qt::ToolTipRole).toString();
}

QVariant Background(const QAbstractItemModel* model, int row, int column) {
    return model->index(row, column).data(Qt::BackgroundRole);
}

} // namespace

class StatisticsDlgTest : public QObject {
    Q_OBJECT

private slots:
    void menuOffersStatisticsAfterTheCsvActions();
    void ctrlTOpensTheWindowFromAnywhereInIt();
    void secondTriggerRaisesTheSameWindowReadAgain();
    void windowClosesWithTheGameWindow();
    void anOpenWindowFollowsAnImport();

    void wholeHistoryShowsCountsSinceAndPatterns();
    void lastTwentyDrawsDifferFromTheWholeHistory();
    void periodChangeUsesTheHistoryAlreadyRead();
    void emptyDatabaseShowsZeros();
    void backtestHasARowPerBet_data();
    void backtestHasARowPerBet();
    void longHistoryChartEndsWhereTheTableStands();
    void backtestFollowsChangedDraws();
    void unreadableDatabaseSaysSoAndShowsNothing_data();
    void unreadableDatabaseSaysSoAndShowsNothing();
    void failedRefreshEmptiesAnOpenWindow();

    void drawListMarksHitsOfThreeDigits();
    void drawListMarksHitsOfFourDigits();
};

void StatisticsDlgTest::menuOffersStatisticsAfterTheCsvActions() {
    RecordingDesktop desktop;
    TestDatabase db;
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    const QList<QAction*> actions = window->m_menuDrawList->actions();
    QCOMPARE(actions.size(), 10);
    QCOMPARE(actions[0], window->m_actionImportCsv);
    QCOMPARE(actions[1], window->m_actionExportCsv);
    QVERIFY(actions[2]->isSeparator());
    QCOMPARE(actions[3], window->m_actionUpdate);
    QCOMPARE(actions[4], window->m_actionFeedSettings);
    QVERIFY(actions[5]->isSeparator());
    QCOMPARE(actions[6], window->m_actionTickets);
    QCOMPARE(actions[7], window->m_actionStatistics);
    QVERIFY(actions[8]->isSeparator());
    QCOMPARE(actions[9], window->m_actionDelete);
    QCOMPARE(window->m_actionUpdate->shortcut(), QKeySequence(Qt::Key_F5));
    QCOMPARE(window->m_actionTickets->text(), QStringLiteral("購入記録…"));
    QCOMPARE(window->m_actionTickets->shortcut(), QKeySequence(QStringLiteral("Ctrl+B")));
    QVERIFY(window->actions().contains(window->m_actionTickets));
    QCOMPARE(window->m_actionStatistics->text(), QStringLiteral("統計…"));
    QCOMPARE(window->m_actionStatistics->shortcut(), QKeySequence(QStringLiteral("Ctrl+T")));
    QCOMPARE(window->m_actionStatistics->shortcutContext(), Qt::WindowShortcut);
    QVERIFY(window->actions().contains(window->m_actionStatistics));
    QCOMPARE(window->StatisticsWindow(), nullptr);
}

void StatisticsDlgTest::ctrlTOpensTheWindowFromAnywhereInIt() {
    for (const Game game : {Game::Numbers3, Game::Numbers4}) {
        RecordingDesktop desktop;
        TestDatabase db;
        db.InsertSequence(game, 3);
        const auto window = OpenGameWindow(game, desktop, db.Path());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        window->m_editN1->setFocus();
        QTest::keyClick(window->m_editN1, Qt::Key_T, Qt::ControlModifier);

        CStatisticsDlg* statistics = window->StatisticsWindow();
        QVERIFY(statistics != nullptr);
        QVERIFY(statistics->isVisible());
        QVERIFY(statistics->isWindow());
        QVERIFY(!statistics->isModal());
        QCOMPARE(statistics->parentWidget(), window.get());
        QCOMPARE(statistics->GetGame(), game);
        QCOMPARE(statistics->windowTitle(), game == Game::Numbers3 ? QStringLiteral("SOMARU屋　ナンバーズ３　統計")
                                                                   : QStringLiteral("SOMARU屋　ナンバーズ４　統計"));
        QCOMPARE(statistics->m_labelPeriod->text(), QStringLiteral("第1回～第3回の3回分"));
        QVERIFY(desktop.messages.empty());
        QCOMPARE(desktop.waitDepth, 0);
        QVERIFY(desktop.waitCursors > 0);
        QVERIFY(window->m_editN1->text().isEmpty());

        // The window's parts, in Japanese.
        QStringList periods;
        for (int i = 0; i < statistics->m_comboPeriod->count(); ++i) {
            periods << statistics->m_comboPeriod->itemText(i);
        }
        QCOMPARE(periods, (QStringList{QStringLiteral("全期間"), QStringLiteral("直近100回"),
                                       QStringLiteral("直近50回"), QStringLiteral("直近20回")}));
        QCOMPARE(statistics->m_comboPeriod->currentIndex(), 0);
        QStringList tabs;
        for (int i = 0; i < statistics->m_tabs->count(); ++i) {
            tabs << statistics->m_tabs->tabText(i);
        }
        QCOMPARE(tabs,
                 (QStringList{QStringLiteral("出現回数"), QStringLiteral("未出現回数"), QStringLiteral("数字の型"),
                              QStringLiteral("予想の成績"), QStringLiteral("収支"), QStringLiteral("予想方法の比較")}));
        QCOMPARE(statistics->m_buttonClose->text(), QStringLiteral("閉じる"));
        statistics->m_buttonClose->click();
        QVERIFY(!statistics->isVisible());
    }
}

void StatisticsDlgTest::secondTriggerRaisesTheSameWindowReadAgain() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.InsertSequence(Game::Numbers3, 3);
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    CStatisticsDlg* first = OpenStatistics(*window);
    QVERIFY(first != nullptr && first->isVisible());

    db.Insert(Game::Numbers3, Draw(4, "404"));
    CStatisticsDlg* second = OpenStatistics(*window);
    QCOMPARE(second, first);
    QCOMPARE(window->findChildren<CStatisticsDlg*>().size(), 1);
    QCOMPARE(second->m_labelPeriod->text(), QStringLiteral("第1回～第4回の4回分"));

    // Closed, it comes back on the next trigger.
    second->close();
    QVERIFY(!second->isVisible());
    QCOMPARE(OpenStatistics(*window), first);
    QVERIFY(first->isVisible());
    QCOMPARE(window->findChildren<CStatisticsDlg*>().size(), 1);
    QVERIFY(desktop.messages.empty());
    QCOMPARE(desktop.waitDepth, 0);
}

void StatisticsDlgTest::windowClosesWithTheGameWindow() {
    RecordingDesktop desktop;
    TestDatabase db;
    auto window = OpenGameWindow(Game::Numbers4, desktop, db.Path());
    QPointer<CStatisticsDlg> statistics = OpenStatistics(*window);
    QVERIFY(!statistics.isNull());
    window.reset();
    QVERIFY(statistics.isNull());
}

void StatisticsDlgTest::anOpenWindowFollowsAnImport() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.InsertSequence(Game::Numbers3, 3);
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    CStatisticsDlg* statistics = OpenStatistics(*window);
    QCOMPARE(statistics->m_labelPeriod->text(), QStringLiteral("第1回～第3回の3回分"));

    const std::string csv = db.Dir().File("more.csv");
    std::ofstream(csv, std::ios::binary) << "4,404\n5,505\n";
    window->ImportCsvFile(QString::fromStdString(csv));
    QCOMPARE(statistics->m_labelPeriod->text(), QStringLiteral("第1回～第5回の5回分"));

    // A closed window is left closed.
    statistics->close();
    std::ofstream(csv, std::ios::binary) << "6,606\n";
    window->ImportCsvFile(QString::fromStdString(csv));
    QVERIFY(!statistics->isVisible());
    QCOMPARE(statistics->m_labelPeriod->text(), QStringLiteral("第1回～第5回の5回分"));
}

void StatisticsDlgTest::wholeHistoryShowsCountsSinceAndPatterns() {
    RecordingDesktop desktop;
    TestDatabase db;
    InsertHistory(db);
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    CStatisticsDlg* statistics = OpenStatistics(*window);
    QVERIFY(statistics != nullptr);

    QCOMPARE(statistics->m_labelPeriod->text(),
             QStringLiteral("第1回～第24回の24回分（数字の欠けた1回分は除いています）"));
    QCOMPARE(statistics->m_chartsCount.size(), size_t(3));
    QStringList titles;
    for (const ChartView* view : statistics->m_chartsCount) {
        titles << view->Title();
    }
    QCOMPARE(titles, (QStringList{QStringLiteral("三桁目"), QStringLiteral("二桁目"), QStringLiteral("一桁目")}));
    // One scale for all three: 20, the most, and a tenth more for its label fit 0 to 25 in steps of 5.
    for (const ChartView* view : statistics->m_chartsCount) {
        QCOMPARE(view->YScale(), (ChartScale{0, 25, 5}));
        QCOMPARE(view->Categories().join(QString()), QStringLiteral("0123456789"));
    }
    QCOMPARE(Bars(*statistics), (QStringList{
                                    QStringLiteral("2\t2\t2\t2\t2\t2\t2\t3\t2\t5"),
                                    QStringLiteral("4\t4\t4\t4\t4\t0\t0\t1\t1\t2"),
                                    QStringLiteral("0\t20\t0\t0\t0\t0\t0\t1\t2\t1"),
                                }));
    QCOMPARE(
        statistics->m_labelCountNote->text(),
        QStringLiteral("各桁に各数字が出た回数です。どの数字も出る確率は10分の1で、偶然での期待値は各 2.4 回です。"));

    QCOMPARE(Headers(statistics->m_tableSince, Qt::Vertical),
             (QStringList{QStringLiteral("三桁目"), QStringLiteral("二桁目"), QStringLiteral("一桁目")}));
    QCOMPARE(Headers(statistics->m_tableSince, Qt::Horizontal),
             (QStringList{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}));
    QCOMPARE(Cells(statistics->m_tableSince), (QStringList{
                                                  QStringLiteral("9\t8\t7\t6\t5\t4\t3\t2\t1\t0"),
                                                  QStringLiteral("4\t3\t2\t1\t0\t24\t24\t20\t21\t22"),
                                                  QStringLiteral("24\t0\t24\t24\t24\t24\t24\t20\t21\t23"),
                                              }));

    QCOMPARE(Headers(statistics->m_tablePatterns, Qt::Vertical),
             (QStringList{QStringLiteral("すべて異なる（シングル）"), QStringLiteral("2つ同じ（ダブル）"),
                          QStringLiteral("すべて同じ（ゾロ目）")}));
    QCOMPARE(Headers(statistics->m_tablePatterns, Qt::Horizontal),
             (QStringList{QStringLiteral("回数"), QStringLiteral("割合 (%)"), QStringLiteral("理論値 (%)")}));
    QCOMPARE(Cells(statistics->m_tablePatterns),
             (QStringList{QStringLiteral("8\t33.3\t72.0"), QStringLiteral("12\t50.0\t27.0"),
                          QStringLiteral("4\t16.7\t1.0")}));
    QVERIFY(desktop.messages.empty());
    QCOMPARE(desktop.waitDepth, 0);
}

void StatisticsDlgTest::lastTwentyDrawsDifferFromTheWholeHistory() {
    RecordingDesktop desktop;
    TestDatabase db;
    InsertHistory(db);
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    CStatisticsDlg* statistics = OpenStatistics(*window);
    QVERIFY(statistics != nullptr);
    const QStringList backtest = Cells(statistics->m_tableBacktest);
    const int shown = desktop.waitCursors;

    statistics->m_comboPeriod->setCurrentIndex(3);
    QCOMPARE(statistics->m_comboPeriod->currentText(), QStringLiteral("直近20回"));
    QCOMPARE(statistics->m_labelPeriod->text(),
             QStringLiteral("第5回～第24回の20回分（数字の欠けた1回分は除いています）"));
    QCOMPARE(Bars(*statistics), (QStringList{
                                    QStringLiteral("2\t2\t2\t2\t2\t2\t2\t2\t2\t2"),
                                    QStringLiteral("4\t4\t4\t4\t4\t0\t0\t0\t0\t0"),
                                    QStringLiteral("0\t20\t0\t0\t0\t0\t0\t0\t0\t0"),
                                }));
    QCOMPARE(Cells(statistics->m_tableSince), (QStringList{
                                                  QStringLiteral("9\t8\t7\t6\t5\t4\t3\t2\t1\t0"),
                                                  QStringLiteral("4\t3\t2\t1\t0\t20\t20\t20\t20\t20"),
                                                  QStringLiteral("20\t0\t20\t20\t20\t20\t20\t20\t20\t20"),
                                              }));
    QCOMPARE(Cells(statistics->m_tablePatterns),
             (QStringList{QStringLiteral("8\t40.0\t72.0"), QStringLiteral("10\t50.0\t27.0"),
                          QStringLiteral("2\t10.0\t1.0")}));
    QVERIFY(statistics->m_labelCountNote->text().contains(QStringLiteral("各 2.0 回")));
    // The backtest always covers the whole history.
    QCOMPARE(Cells(statistics->m_tableBacktest), backtest);
    QVERIFY(desktop.waitCursors > shown);
    QCOMPARE(desktop.waitDepth, 0);

    // Fifty draws back reaches past the first draw: the whole history again.
    statistics->m_comboPeriod->setCurrentIndex(2);
    QCOMPARE(statistics->m_labelPeriod->text(),
             QStringLiteral("第1回～第24回の24回分（数字の欠けた1回分は除いています）"));
    QCOMPARE(Cells(statistics->m_tablePatterns),
             (QStringList{QStringLiteral("8\t33.3\t72.0"), QStringLiteral("12\t50.0\t27.0"),
                          QStringLiteral("4\t16.7\t1.0")}));
}

void StatisticsDlgTest::periodChangeUsesTheHistoryAlreadyRead() {
    RecordingDesktop desktop;
    TestDatabase db;
    InsertHistory(db);
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    CStatisticsDlg* statistics = OpenStatistics(*window);
    QVERIFY(statistics != nullptr);

    db.Insert(Game::Numbers3, Draw(26, "555"));
    statistics->m_comboPeriod->setCurrentIndex(3);
    QCOMPARE(Bars(*statistics).front(), QStringLiteral("2\t2\t2\t2\t2\t2\t2\t2\t2\t2"));
    statistics->m_comboPeriod->setCurrentIndex(0);
    QCOMPARE(Bars(*statistics).front(), QStringLiteral("2\t2\t2\t2\t2\t2\t2\t3\t2\t5"));

    // Opening it again reads the new draw, for the period still chosen.
    QCOMPARE(OpenStatistics(*window), statistics);
    QCOMPARE(statistics->m_comboPeriod->currentIndex(), 0);
    QCOMPARE(Bars(*statistics).front(), QStringLiteral("2\t2\t2\t2\t2\t3\t2\t3\t2\t5"));
    QCOMPARE(statistics->m_labelPeriod->text(),
             QStringLiteral("第1回～第26回の25回分（数字の欠けた1回分は除いています）"));
    QCOMPARE(desktop.waitDepth, 0);
}

void StatisticsDlgTest::emptyDatabaseShowsZeros() {
    for (const Game game : {Game::Numbers3, Game::Numbers4}) {
        RecordingDesktop desktop;
        TestDatabase db;
        const auto window = OpenGameWindow(game, desktop, db.Path());
        CStatisticsDlg* statistics = OpenStatistics(*window);
        QVERIFY(statistics != nullptr);
        QVERIFY(statistics->isVisible());
        QVERIFY(desktop.messages.empty());

        const QString zeros = QStringLiteral("0\t0\t0\t0\t0\t0\t0\t0\t0\t0");
        const QStringList everyPosition =
            game == Game::Numbers3 ? QStringList{zeros, zeros, zeros} : QStringList{zeros, zeros, zeros, zeros};
        QCOMPARE(statistics->m_labelPeriod->text(), QStringLiteral("記録された回はありません"));
        QCOMPARE(Bars(*statistics), everyPosition);
        QCOMPARE(Cells(statistics->m_tableSince), everyPosition);
        if (game == Game::Numbers3) {
            QCOMPARE(Cells(statistics->m_tablePatterns),
                     (QStringList{QStringLiteral("0\t0.0\t72.0"), QStringLiteral("0\t0.0\t27.0"),
                                  QStringLiteral("0\t0.0\t1.0")}));
            QCOMPARE(Cells(statistics->m_tableBacktest),
                     (QStringList{QStringLiteral("0\t0\t0.000\t0.000"), QStringLiteral("0\t0\t0.000\t0.000"),
                                  QStringLiteral("0\t0\t0.000\t0.000")}));
        } else {
            QCOMPARE(Headers(statistics->m_tablePatterns, Qt::Vertical),
                     (QStringList{QStringLiteral("すべて異なる（シングル）"), QStringLiteral("2つ同じ（ダブル）"),
                                  QStringLiteral("2つずつ同じ（ダブルダブル）"), QStringLiteral("3つ同じ（トリプル）"),
                                  QStringLiteral("すべて同じ（ゾロ目）")}));
            QCOMPARE(Cells(statistics->m_tablePatterns),
                     (QStringList{QStringLiteral("0\t0.0\t50.4"), QStringLiteral("0\t0.0\t43.2"),
                                  QStringLiteral("0\t0.0\t2.7"), QStringLiteral("0\t0.0\t3.6"),
                                  QStringLiteral("0\t0.0\t0.1")}));
            QCOMPARE(Cells(statistics->m_tableBacktest),
                     (QStringList{QStringLiteral("0\t0\t0.000\t0.000"), QStringLiteral("0\t0\t0.000\t0.000")}));
        }
        for (const ChartSeries* series : statistics->m_seriesHits) {
            QCOMPARE(series->Count(), 0);
        }
        statistics->m_comboPeriod->setCurrentIndex(3);
        QCOMPARE(Bars(*statistics), everyPosition);
        QCOMPARE(desktop.waitDepth, 0);
    }
}

void StatisticsDlgTest::backtestHasARowPerBet_data() {
    QTest::addColumn<int>("game");
    QTest::addColumn<QStringList>("bets");
    QTest::newRow("three digits") << int(Game::Numbers3)
                                  << QStringList{QStringLiteral("ストレート"), QStringLiteral("ボックス"),
                                                 QStringLiteral("ミニ")};
    QTest::newRow("four digits") << int(Game::Numbers4)
                                 << QStringList{QStringLiteral("ストレート"), QStringLiteral("ボックス")};
}

void StatisticsDlgTest::backtestHasARowPerBet() {
    QFETCH(int, game);
    QFETCH(QStringList, bets);
    RecordingDesktop desktop;
    TestDatabase db;
    db.InsertSequence(Game(game), 30);
    const auto window = OpenGameWindow(Game(game), desktop, db.Path());
    CStatisticsDlg* statistics = OpenStatistics(*window);
    QVERIFY(statistics != nullptr);

    const QTableWidget* table = statistics->m_tableBacktest;
    QCOMPARE(Headers(table, Qt::Vertical), bets);
    QCOMPARE(Headers(table, Qt::Horizontal), (QStringList{QStringLiteral("対象回数"), QStringLiteral("当選回数"),
                                                          QStringLiteral("偶然での期待値"), QStringLiteral("z")}));
    QCOMPARE(statistics->m_seriesHits.size(), size_t(bets.size()));
    QCOMPARE(statistics->m_seriesExpected.size(), size_t(bets.size()));
    const QRegularExpression threeDecimals(QStringLiteral("^-?\\d+\\.\\d{3}$"));
    for (int row = 0; row < table->rowCount(); ++row) {
        const QStringList cells = Cells(table)[row].split(QLatin1Char('\t'));
        QCOMPARE(cells[0], QStringLiteral("29"));
        QVERIFY2(threeDecimals.match(cells[2]).hasMatch(), qPrintable(cells[2]));
        QVERIFY2(threeDecimals.match(cells[3]).hasMatch(), qPrintable(cells[3]));

        // The chart ends where the table stands: draws 2 to 30.
        const ChartSeries* hits = statistics->m_seriesHits[static_cast<std::size_t>(row)];
        const ChartSeries* expected = statistics->m_seriesExpected[static_cast<std::size_t>(row)];
        QCOMPARE(hits->Name(), bets[row] + QStringLiteral("（当選）"));
        QCOMPARE(expected->Name(), bets[row] + QStringLiteral("（期待値）"));
        QCOMPARE(hits->Count(), 29);
        QCOMPARE(expected->Count(), 29);
        QCOMPARE(hits->Points().at(0).x(), 2.0);
        QCOMPARE(hits->Points().at(28).x(), 30.0);
        QCOMPARE(QString::number(hits->Points().at(28).y()), cells[1]);
        QCOMPARE(QString::number(expected->Points().at(28).y(), 'f', 3), cells[2]);
        QCOMPARE(hits->Pen().color(), expected->Pen().color());
        QCOMPARE(hits->Pen().style(), Qt::SolidLine);
        QCOMPARE(expected->Pen().style(), Qt::DashLine);
    }
    QVERIFY(statistics->m_labelBacktestNote->text().contains(QStringLiteral("独立")));
    QCOMPARE(desktop.waitDepth, 0);
}

void StatisticsDlgTest::longHistoryChartEndsWhereTheTableStands() {
    const auto draws = RealDraws(Game::Numbers4, 7054);
    if (!draws) {
        QFAIL("the shipped draw history in src/exchange/history is missing");
    }
    RecordingDesktop desktop;
    TestDatabase db;
    db.Insert(Game::Numbers4, *draws);
    const auto window = OpenGameWindow(Game::Numbers4, desktop, db.Path());
    CStatisticsDlg* statistics = OpenStatistics(*window);
    // Fewer points than draws, spread evenly; the axis spans draws 2 to 7054 all the same.
    const ChartScale& axis = statistics->m_chartBacktest->XScale();
    QCOMPARE(QPointF(axis.min, axis.max), QPointF(2, 7054));
    for (std::size_t b = 0; b < statistics->m_seriesHits.size(); ++b) {
        const QList<QPointF> hits = statistics->m_seriesHits[b]->Points();
        QVERIFY(hits.size() >= 1000 && hits.size() < 7053 && hits.front().x() <= 2 + 7053 / hits.size());
        const QStringList cells = Cells(statistics->m_tableBacktest)[static_cast<int>(b)].split(QLatin1Char('\t'));
        QCOMPARE(hits.back(), QPointF(7054, cells[1].toDouble()));
        QCOMPARE(QString::number(statistics->m_seriesExpected[b]->Points().back().y(), 'f', 3), cells[2]);
    }
}

void StatisticsDlgTest::backtestFollowsChangedDraws() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.InsertSequence(Game::Numbers3, 40);
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    CStatisticsDlg* statistics = OpenStatistics(*window);
    const QStringList before = Cells(statistics->m_tableBacktest);
    // As many draws as before, some with other digits: shown as a window opened afresh shows them.
    db.Execute("UPDATE ナンバーズ3 SET N100=7, N10=7, N1=7 WHERE kaisai>20");
    OpenStatistics(*window);
    const auto fresh = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    QCOMPARE(Cells(statistics->m_tableBacktest), Cells(OpenStatistics(*fresh)->m_tableBacktest));
    QVERIFY(Cells(statistics->m_tableBacktest) != before);
    QCOMPARE(statistics->m_seriesHits.front()->Points(), fresh->StatisticsWindow()->m_seriesHits.front()->Points());
}

void StatisticsDlgTest::unreadableDatabaseSaysSoAndShowsNothing_data() {
    QTest::addColumn<bool>("missing");
    QTest::newRow("no database") << true;
    QTest::newRow("damaged database") << false;
}

void StatisticsDlgTest::unreadableDatabaseSaysSoAndShowsNothing() {
    QFETCH(bool, missing);
    RecordingDesktop desktop;
    TestDatabase db;
    if (!missing) {
        db.FillAndDamageMiddle(3000);
    }
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    if (missing) {
        window->m_strDbPath = QString::fromStdString(db.Dir().File("ない.mdb"));
    }
    desktop.messages.clear();
    window->m_actionStatistics->trigger();
    QCOMPARE(desktop.Texts(), QStringList{kReadInterrupted});
    QVERIFY(window->StatisticsWindow() == nullptr || !window->StatisticsWindow()->isVisible());
    QCOMPARE(desktop.waitDepth, 0);
    QVERIFY(desktop.waitCursors > 0);
}

void StatisticsDlgTest::failedRefreshEmptiesAnOpenWindow() {
    RecordingDesktop desktop;
    TestDatabase db;
    InsertHistory(db);
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    CStatisticsDlg* statistics = OpenStatistics(*window);
    QVERIFY(statistics != nullptr);

    window->m_strDbPath = QString::fromStdString(db.Dir().File("ない.mdb"));
    window->m_actionStatistics->trigger();
    QCOMPARE(desktop.Texts(), QStringList{kReadInterrupted});
    QCOMPARE(statistics->m_labelPeriod->text(), QString());
    const QString empty = QStringLiteral("\t\t\t\t\t\t\t\t\t");
    QCOMPARE(Cells(statistics->m_tableSince), (QStringList{empty, empty, empty}));
    QCOMPARE(Cells(statistics->m_tablePatterns), (QStringList{"\t\t", "\t\t", "\t\t"}));
    QCOMPARE(Cells(statistics->m_tableBacktest), (QStringList{"\t\t\t", "\t\t\t", "\t\t\t"}));
    QCOMPARE(Bars(*statistics).front(), QStringLiteral("0\t0\t0\t0\t0\t0\t0\t0\t0\t0"));
    for (const ChartSeries* series : statistics->m_seriesHits) {
        QCOMPARE(series->Count(), 0);
    }
    // A period chosen now has nothing to count either.
    statistics->m_comboPeriod->setCurrentIndex(3);
    QCOMPARE(statistics->m_labelPeriod->text(), QString());
    QCOMPARE(Cells(statistics->m_tableSince), (QStringList{empty, empty, empty}));
    QCOMPARE(desktop.waitDepth, 0);
}

void StatisticsDlgTest::drawListMarksHitsOfThreeDigits() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.Insert(Game::Numbers3, {
                                  Draw(1, "123", {"123", "321", "923", "　", "12"}),
                                  Draw(2, "456", {"abc", "123", "４５６", "556", "1234"}),
                                  TestDraw{3, {std::nullopt, 7, 8}, {"078", "178", "", "878", "78"}},
                                  Draw(4, "900", {"009", "090", "900", "100", "0"}),
                              });
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    window->OnListAll();
    const QAbstractItemModel* model = window->m_listDraws->model();
    QCOMPARE(model->rowCount(), 4);

    const QString straight = QStringLiteral("ストレート当選");
    const QString box = QStringLiteral("ボックス当選");
    const QString mini = QStringLiteral("ミニ当選");
    const QStringList tips[] = {
        {QString(), QString(), straight, box, mini, QString(), QString()},
        {QString(), QString(), QString(), QString(), straight, mini, QString()},
        {QString(), QString(), QString(), QString(), QString(), QString(), QString()},
        {QString(), QString(), box, box, straight, mini, QString()},
    };
    const QStringList texts[] = {
        {"1", "123", "123", "321", "923", QStringLiteral("　"), "12"},
        {"2", "456", "abc", "123", QStringLiteral("４５６"), "556", "1234"},
        {"3", "78", "078", "178", "", "878", "78"},
        {"4", "900", "009", "090", "900", "100", "0"},
    };
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 7; ++column) {
            const QString at = QStringLiteral("row %1 column %2").arg(row).arg(column);
            QCOMPARE(model->index(row, column).data(Qt::DisplayRole).toString(), texts[row][column]);
            QCOMPARE(Tip(model, row, column), tips[row][column]);
            QVERIFY2(Background(model, row, column).isValid() == !tips[row][column].isEmpty(), qPrintable(at));
        }
    }

    const QColor straightColour = Background(model, 0, 2).value<QBrush>().color();
    const QColor boxColour = Background(model, 0, 3).value<QBrush>().color();
    QVERIFY(straightColour != boxColour);
    QCOMPARE(Background(model, 0, 4).value<QBrush>().color(), boxColour);
    QCOMPARE(Background(model, 1, 4).value<QBrush>().color(), straightColour);
    QCOMPARE(Background(model, 3, 2).value<QBrush>().color(), boxColour);
    // Pale enough for black text.
    for (const QColor& colour : {straightColour, boxColour}) {
        QVERIFY(0.299 * colour.red() + 0.587 * colour.green() + 0.114 * colour.blue() > 180);
    }

    // Listed again, or narrowed by a search, the marks follow their rows.
    window->OnListAll();
    QCOMPARE(Tip(model, 0, 2), straight);
    QCOMPARE(Tip(model, 3, 5), mini);
    ClickRadio(window.get(), IDC_STRAIGHT);
    Type(window.get(), IDC_N1, QStringLiteral("0"));
    Click(window.get(), IDC_SEARCH);
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("4"));
    QCOMPARE(Tip(model, 0, 2), box);
    QCOMPARE(Tip(model, 0, 4), straight);
    QVERIFY(desktop.messages.empty());
}

void StatisticsDlgTest::drawListMarksHitsOfFourDigits() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.Insert(Game::Numbers4, {
                                  Draw(1, "1149", {"9411", "0149", "1149", "7921", "149"}),
                                  Draw(2, "7921", {"1149", "1297", "７９２１", "792", "79210"}),
                              });
    const auto window = OpenGameWindow(Game::Numbers4, desktop, db.Path());
    window->OnListAll();
    const QAbstractItemModel* model = window->m_listDraws->model();
    QCOMPARE(model->rowCount(), 2);

    const QString straight = QStringLiteral("ストレート当選");
    const QString box = QStringLiteral("ボックス当選");
    // The last two digits in order win nothing in four digits.
    const QStringList tips[] = {
        {QString(), QString(), box, QString(), straight, QString(), QString()},
        {QString(), QString(), QString(), box, straight, QString(), QString()},
    };
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 7; ++column) {
            QCOMPARE(Tip(model, row, column), tips[row][column]);
            QCOMPARE(Background(model, row, column).isValid(), !tips[row][column].isEmpty());
        }
    }
    QCOMPARE(model->index(1, 4).data().toString(), QStringLiteral("７９２１"));
    QCOMPARE(model->index(0, 3).data().toString(), QStringLiteral("0149"));
    QVERIFY(Background(model, 0, 2).value<QBrush>().color() != Background(model, 0, 4).value<QBrush>().color());
}

QTEST_MAIN(StatisticsDlgTest)
#include "StatisticsDlgTest.moc"
