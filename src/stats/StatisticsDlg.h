#pragma once

#include "draw/Game.h"
#include "predict/MethodComparison.h"
#include "stats/StatisticsReport.h"

#include <QDialog>
#include <QString>

#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace drawbook {

class ChartSeries;
class ChartView;
class Desktop;

// The statistics of a game's history in a window of its own beside the game window:
// how often each digit came at each position, how long each has stayed away, how the
// digits of the winning numbers repeat, how the prediction would have done, and what
// buying the stored numbers or the prediction would have cost and paid, and how each
// prediction method compares with luck; there the player chooses the game window's method.
class CStatisticsDlg : public QDialog {
    Q_OBJECT

public:
    CStatisticsDlg(Desktop& desktop, Game game, QWidget* parent = nullptr);

    Game GetGame() const { return m_game; }

    // Reads the history, the numbers and the payouts again and runs the backtest over
    // them. When the database cannot be read the user is told and the window is left
    // empty; false then.
    bool Refresh();
    // The statistics of the chosen period, from the history read last; nothing
    // when the last read failed.
    void ShowStatistics();

    QString m_strDbPath;

    QComboBox* m_comboPeriod = nullptr; // 全期間, 直近100回, 直近50回, 直近20回
    QLabel* m_labelPeriod = nullptr;    // the draws the period holds
    QTabWidget* m_tabs = nullptr;
    QLabel* m_labelCountNote = nullptr;
    std::vector<ChartView*> m_chartsCount;   // per position, highest first
    std::vector<ChartSeries*> m_barsCount;   // per position: the count of each digit
    QTableWidget* m_tableSince = nullptr;    // positions by digits
    QTableWidget* m_tablePatterns = nullptr; // patterns by 回数, 割合, 理論値
    QTableWidget* m_tableBacktest = nullptr; // bets by 対象回数, 当選回数, 偶然での期待値, z
    QLabel* m_labelBacktestNote = nullptr;
    ChartView* m_chartBacktest = nullptr;
    std::vector<ChartSeries*> m_seriesHits;     // per bet: cumulative hits by draw
    std::vector<ChartSeries*> m_seriesExpected; // per bet: cumulative expectation by draw
    // Tickets by 口数, 購入額, 当せん金, 収支, 回収率 (%): those recorded as bought, the stored
    // numbers', the prediction's.
    QTableWidget* m_tableLedgerTickets = nullptr;
    QLabel* m_labelLedgerTicketsNote = nullptr; // how to record tickets, or why they cannot be read
    ChartView* m_chartTickets = nullptr;
    ChartSeries* m_barsMonthly = nullptr;        // the recorded tickets' 収支 of each month
    ChartSeries* m_seriesMonthlyTotal = nullptr; // and its running total, one point a month
    QTableWidget* m_tableLedgerPicks = nullptr;
    QTableWidget* m_tableLedgerPrediction = nullptr;
    QLabel* m_labelLedgerNote = nullptr;      // what was bought, and that prizes return at most half
    QLabel* m_labelLedgerPicksNote = nullptr; // under the stored numbers' table when none of them could count
    QLabel* m_labelLedgerMissing = nullptr;   // the draws without payouts; hidden when there are none
    ChartView* m_chartLedger = nullptr;
    std::vector<ChartSeries*> m_seriesBalance; // per ticket: the prediction's cumulative balance by draw
    // Methods by bets, one row each: 方法, 買い方, 当せん回数, 期待値, z, p, 補正p, 回収率 (%).
    QWidget* m_pageMethods = nullptr;
    QTableWidget* m_tableMethods = nullptr;
    QComboBox* m_comboMethodBet = nullptr; // the bet the chart shows
    ChartView* m_chartMethods = nullptr;
    std::vector<ChartSeries*> m_seriesMethods; // per method: cumulative hits minus expectation by draw
    QLabel* m_labelVerdict = nullptr;
    QLabel* m_labelChosenMethod = nullptr;       // the game window's method
    QPushButton* m_buttonChooseMethod = nullptr; // この方法で予想する: the selected row's method
    QPushButton* m_buttonClose = nullptr;

signals:
    // The player made the method the game's: it is stored already.
    void MethodChosen();

private:
    QWidget* BuildCountTab();
    QWidget* BuildSinceTab();
    QWidget* BuildPatternTab();
    QWidget* BuildBacktestTab();
    QWidget* BuildLedgerTab();
    // The comparison's page, filled when it is first shown.
    void BuildMethodsTab();
    // The comparison's table labelled, its cells, chart and verdict empty.
    void ClearMethods();
    // The recorded tickets' 収支 by month as bars, their running total as a line.
    ChartView* NewMonthlyChart();
    void ShowBacktest(const BacktestResult& result);
    // The ledger of the period's draws.
    void ShowLedger(const PeriodReport& report);
    // The recorded tickets of the period's draws, and their months.
    void ShowTickets(const PeriodReport& report);
    // The methods compared over the chosen period: computed when their tab is shown, and
    // only again after a read changed the draws or payouts or the period changed.
    void ShowComparison();
    // The chart of the bet chosen above it.
    void ShowMethodChart();
    void OnChooseMethod();
    // 方法 and 買い方 of every row, which stay whatever is read.
    void LabelMethodRows();
    // The method of the selected row; none when no row is.
    std::optional<Method> SelectedMethod() const;
    // The backtest steps the chart is drawn through.
    std::size_t ChartPoints() const;
    // Empty tables and charts, as after a failed read.
    void ClearAll();

    Desktop& m_desktop;
    Game m_game;
    StatisticsReport m_report; // what is shown, and what a refresh need not compute again
    MethodComparison m_comparison;
    int m_comparisonPeriod = -1; // the period m_comparison scored; -1 when it is out of date
};

} // namespace drawbook
