#include "game/Numbers3Dlg.h"
#include "predict/MethodComparison.h"
#include "predict/MethodSettings.h"
#include "register/RegisterDlg.h"
#include "res/ChartView.h"
#include "res/QtText.h"
#include "res/ResourceIds.h"
#include "stats/StatisticsDlg.h"
#include "support/DialogDriver.h"
#include "support/RecordingDesktop.h"
#include "support/TestDatabase.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <memory>

using namespace drawbook;
using namespace drawbook::test;

namespace {

const QString kFollowTip = QStringLiteral("予想方法：次に出た数字");
const QString kHotTip = QStringLiteral("予想方法：よく出る数字");

// Hand-ranked after 123 123 456 789 120:
//   follow, the successors of each position's latest digit (1, 2, 0): 4 1, 5 2, none;
//   hot, the counts of each position: 1×3 7 4, 2×3 8 5, 3×2 9 6 0; ties the larger digit first.
const QStringList kFollowNumbers = {"459", "128", "997", "886", "775"};
const QStringList kHotNumbers = {"123", "789", "456", "990", "878"};

void InsertFiveDraws(const TestDatabase& db) {
    db.Insert(Game::Numbers3, {Draw(1, "123"), Draw(2, "123"), Draw(3, "456"), Draw(4, "789"), Draw(5, "120")});
}

QStringList Texts(const std::array<QLineEdit*, 5>& fields) {
    QStringList texts;
    for (const QLineEdit* field : fields) {
        texts << field->text();
    }
    return texts;
}

QStringList Predictions(const CNumbersDlg& window) {
    return Texts({window.m_editPred1, window.m_editPred2, window.m_editPred3, window.m_editPred4, window.m_editPred5});
}

QString PredictTip(CNumbersDlg& window) {
    return window.ControlAs<QPushButton>(IDC_PREDICT)->toolTip();
}

CStatisticsDlg* OpenMethodsTab(CNumbersDlg& window) {
    CStatisticsDlg* statistics = OpenStatistics(window);
    if (statistics != nullptr) {
        statistics->m_tabs->setCurrentWidget(statistics->m_pageMethods);
    }
    return statistics;
}

void ClickRow(QTableWidget* table, int row) {
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(table->item(row, 0)).center());
}

} // namespace

class MethodsTabTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { UseOwnSettings(); }
    void init() { MethodSettings().Choose(Game::Numbers3, Method::Follow); }

    void tableAndVerdictOfTheWindowsPeriod_data();
    void tableAndVerdictOfTheWindowsPeriod();
    void chosenMethodPredictsInEveryWindow();
};

void MethodsTabTest::tableAndVerdictOfTheWindowsPeriod_data() {
    QTest::addColumn<int>("sames");       // draws of 111; 0 for the two draws 123 456
    QTest::addColumn<int>("periodIndex"); // of the window's period chooser
    QTest::addColumn<int>("hotStraightHits");
    QTest::addColumn<QString>("verdict");
    // Before 456 follow, hot and cold propose 999 888 777 666 555 or 123 999 888 777 666, slide
    // 123 234 012 345 901, random (splitmix64 from 3,000,002) 833 280 038 977 331: nothing wins.
    QTest::newRow("nothing wins") << 0 << 0 << 0
                                  << QStringLiteral("どの方法も偶然と区別できません（最小の補正p 1.000）。");
    // From the second draw on hot's first number is 111, from the third follow's too: each
    // straight or box of theirs wins at 0.005 a draw. Over every draw follow missed the
    // second; over the last twenty the first row of the equal smallest adjusted p is follow's.
    const QString chance =
        QStringLiteral("は偶然より多く当たっています（補正p 0.000）が、それでも偶然の可能性はあります。");
    QTest::newRow("every draw") << 25 << 0 << 24 << QStringLiteral("「よく出る数字」のストレート") + chance;
    QTest::newRow("last twenty") << 25 << 3 << 20 << QStringLiteral("「次に出た数字」のストレート") + chance;
}

void MethodsTabTest::tableAndVerdictOfTheWindowsPeriod() {
    QFETCH(int, sames);
    QFETCH(int, periodIndex);
    QFETCH(int, hotStraightHits);
    QFETCH(QString, verdict);
    RecordingDesktop desktop;
    TestDatabase db;
    if (sames == 0) {
        db.Insert(Game::Numbers3, {Draw(1, "123"), Draw(2, "456")});
    }
    for (int drawNo = 1; drawNo <= sames; ++drawNo) {
        db.Insert(Game::Numbers3, Draw(drawNo, "111"));
    }
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    CStatisticsDlg* statistics = OpenMethodsTab(*window);
    QVERIFY(statistics != nullptr);
    statistics->m_comboPeriod->setCurrentIndex(periodIndex);

    QCOMPARE(statistics->m_tabs->tabText(statistics->m_tabs->currentIndex()), QStringLiteral("予想方法の比較"));
    QCOMPARE(Headers(statistics->m_tableMethods, Qt::Horizontal),
             (QStringList{"方法", "買い方", "当せん回数", "期待値", "z", "p", "補正p", "回収率 (%)"}));
    QCOMPARE(statistics->m_labelVerdict->text(), verdict);

    const int last = statistics->m_comboPeriod->currentData().toInt();
    const MethodComparison expected =
        CompareFromDatabase(db.Path(), Game::Numbers3, last > 0 ? static_cast<std::size_t>(last) : kEveryDraw);
    QCOMPARE(expected.rows.size(), std::size_t{15});
    QStringList rows;
    for (const ComparisonRow& row : expected.rows) {
        rows << QStringList{ToQString(MethodLabel(row.method)),      ToQString(BetLabel(row.score.bet)),
                            QString::number(row.score.hits),         ToQString(ThreeDecimals(row.score.expected)),
                            ToQString(ThreeDecimals(row.score.Z())), ToQString(ThreeDecimals(row.p)),
                            ToQString(ThreeDecimals(row.adjustedP)), QString()}
                    .join(QLatin1Char('\t'));
    }
    QCOMPARE(Cells(statistics->m_tableMethods), rows);
    // Rows run method by method, bets straight, box, mini: hot's straight is the fourth.
    QCOMPARE(statistics->m_tableMethods->item(3, 0)->text(), QStringLiteral("よく出る数字"));
    QCOMPARE(statistics->m_tableMethods->item(3, 2)->text(), QString::number(hotStraightHits));

    // One line per method, named in Japanese, through the steps kept.
    QCOMPARE(statistics->m_seriesMethods.size(), std::size_t{5});
    QCOMPARE(statistics->m_seriesMethods[1]->Name(), QStringLiteral("よく出る数字"));
    QCOMPARE(statistics->m_seriesMethods[4]->Name(), QStringLiteral("無作為（比べるための基準）"));
    if (hotStraightHits > 0) {
        // Each win adds 1 - 0.005 to hot's straight excess.
        const QPointF end = statistics->m_seriesMethods[1]->Points().constLast();
        QCOMPARE(end.x(), 25.0);
        QVERIFY(qAbs(end.y() - hotStraightHits * 0.995) < 1e-9);
    }
}

void MethodsTabTest::chosenMethodPredictsInEveryWindow() {
    RecordingDesktop desktop;
    TestDatabase db;
    InsertFiveDraws(db);
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    QCOMPARE(PredictTip(*window), kFollowTip);
    Click(window.get(), IDC_PREDICT);
    QCOMPARE(Predictions(*window), kFollowNumbers);

    CStatisticsDlg* statistics = OpenMethodsTab(*window);
    QVERIFY(statistics != nullptr);
    QCOMPARE(statistics->m_labelChosenMethod->text(), kFollowTip);
    QCOMPARE(statistics->m_buttonChooseMethod->text(), QStringLiteral("この方法で予想する"));
    QVERIFY(!statistics->m_buttonChooseMethod->isEnabled());
    // Hot's box row: any row of the method chooses it.
    ClickRow(statistics->m_tableMethods, 4);
    QVERIFY(statistics->m_buttonChooseMethod->isEnabled());
    QTest::mouseClick(statistics->m_buttonChooseMethod, Qt::LeftButton);

    // The shown predictions are made again by hot.
    QCOMPARE(statistics->m_labelChosenMethod->text(), kHotTip);
    QCOMPARE(PredictTip(*window), kHotTip);
    QCOMPARE(Predictions(*window), kHotNumbers);

    CRegisterDlg registration(desktop);
    registration.m_strDbPath = QString::fromStdString(db.Path());
    registration.show();
    QCOMPARE(Texts({registration.m_editPred3_1, registration.m_editPred3_2, registration.m_editPred3_3,
                    registration.m_editPred3_4, registration.m_editPred3_5}),
             kHotNumbers);
    registration.close();

    // A window opened later remembers the choice; the other game keeps follow.
    const auto again = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    QCOMPARE(PredictTip(*again), kHotTip);
    QVERIFY(Predictions(*again).join(QString()).isEmpty());
    Click(again.get(), IDC_PREDICT);
    QCOMPARE(Predictions(*again), kHotNumbers);
    QCOMPARE(MethodSettings().ChosenMethod(Game::Numbers4), Method::Follow);
}

QTEST_MAIN(MethodsTabTest)
#include "MethodsTabTest.moc"
