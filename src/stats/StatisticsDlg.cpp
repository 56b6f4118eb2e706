#include "stats/StatisticsDlg.h"

#include "draw/DrawResults.h"
#include "predict/MethodSettings.h"
#include "res/ChartView.h"
#include "res/Desktop.h"
#include "res/QtText.h"
#include "stats/StatisticsCharts.h"
#include "stats/StatisticsTables.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPen>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace drawbook {

namespace {

struct Period {
    const char* label;
    int last; // 0: every draw
};

constexpr std::array<Period, 4> kPeriods = {{
    {"全期間", 0},
    {"直近100回", 100},
    {"直近50回", 50},
    {"直近20回", 20},
}};

QString GameTitle(Game game) {
    return QStringLiteral("SOMARU屋　") + ToQString(GameLabel(game)) + QStringLiteral("　統計");
}

} // namespace

CStatisticsDlg::CStatisticsDlg(Desktop& desktop, Game game, QWidget* parent)
    : QDialog(parent, Qt::Window), m_desktop(desktop), m_game(game), m_report(game) {
    setWindowTitle(GameTitle(game));

    m_comboPeriod = new QComboBox;
    for (const Period& period : kPeriods) {
        m_comboPeriod->addItem(QString::fromUtf8(period.label), period.last);
    }
    m_labelPeriod = new QLabel;
    auto* top = new QHBoxLayout;
    auto* periodCaption = new QLabel(QStringLiteral("期間："));
    periodCaption->setBuddy(m_comboPeriod);
    top->addWidget(periodCaption);
    top->addWidget(m_comboPeriod);
    top->addSpacing(12);
    top->addWidget(m_labelPeriod, 1);

    m_tabs = new QTabWidget;
    m_tabs->addTab(BuildCountTab(), QStringLiteral("出現回数"));
    m_tabs->addTab(BuildSinceTab(), QStringLiteral("未出現回数"));
    m_tabs->addTab(BuildPatternTab(), QStringLiteral("数字の型"));
    m_tabs->addTab(BuildBacktestTab(), QStringLiteral("予想の成績"));
    m_tabs->addTab(BuildLedgerTab(), QStringLiteral("収支"));
    // Built when first shown: its chart would slow every first open.
    m_pageMethods = new QWidget;
    m_tabs->addTab(m_pageMethods, QStringLiteral("予想方法の比較"));

    m_buttonClose = new QPushButton(QStringLiteral("閉じる"));
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(m_buttonClose);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(bottom);

    connect(m_comboPeriod, &QComboBox::currentIndexChanged, this, &CStatisticsDlg::ShowStatistics);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] {
        if (m_tabs->currentWidget() == m_pageMethods) {
            if (m_tableMethods == nullptr) {
                BuildMethodsTab();
                ClearMethods();
            }
            ShowComparison();
        }
    });
    connect(m_buttonClose, &QPushButton::clicked, this, &QWidget::close);
    resize(800, 760);
    ClearAll();
}

QWidget* CStatisticsDlg::BuildCountTab() {
    m_labelCountNote = NoteLabel(QString());
    auto* grid = new QGridLayout;
    const int positions = Positions(m_game);
    // Two abreast leave room for three-figure counts above the bars.
    constexpr int columns = 2;
    QStringList digits;
    for (int d = 0; d <= 9; ++d) {
        digits << QString::number(d);
    }
    for (int position = 0; position < positions; ++position) {
        const QString label = ToQString(PositionLabel(m_game, position));
        auto* chart = new ChartView(label);
        chart->SetLegend(ChartView::Legend::None);
        chart->SetAxisTitles(QString(), QStringLiteral("回数"));
        chart->SetCategories(digits);
        chart->SetBarLabels(true);
        ChartSeries* bars = chart->AddBars(label, QColor(92, 128, 188));
        bars->ReplaceValues(QList<double>(10, 0));
        grid->addWidget(chart, position / columns, position % columns);
        m_chartsCount.push_back(chart);
        m_barsCount.push_back(bars);
    }

    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(m_labelCountNote);
    layout->addLayout(grid, 1);
    return page;
}

QWidget* CStatisticsDlg::BuildSinceTab() {
    QStringList columns;
    for (int d = 0; d <= 9; ++d) {
        columns << QString::number(d);
    }
    QStringList rows;
    for (int position = 0; position < Positions(m_game); ++position) {
        rows << ToQString(PositionLabel(m_game, position));
    }
    m_tableSince = NewTable(columns, rows);
    FitHeight(m_tableSince);

    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(NoteLabel(QStringLiteral("各桁に各数字が最後に出てから、何回続けて出ていないかを表します。"
                                               "0 は期間の最も新しい回に出た数字です。")));
    layout->addWidget(m_tableSince);
    layout->addStretch(1);
    return page;
}

QWidget* CStatisticsDlg::BuildPatternTab() {
    QStringList rows;
    for (const DigitPattern pattern : PatternsOf(m_game)) {
        rows << ToQString(PatternLabel(pattern));
    }
    m_tablePatterns =
        NewTable({QStringLiteral("回数"), QStringLiteral("割合 (%)"), QStringLiteral("理論値 (%)")}, rows);
    FitHeight(m_tablePatterns);

    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(NoteLabel(QStringLiteral("当選数字の中で同じ数字がいくつ重なったかの内訳です。"
                                               "理論値は、すべての数字が同じ確率で出るときの割合です。")));
    layout->addWidget(m_tablePatterns);
    layout->addStretch(1);
    return page;
}

QWidget* CStatisticsDlg::BuildBacktestTab() {
    QStringList rows;
    for (const Bet bet : ScoredBetsOf(m_game)) {
        rows << ToQString(BetLabel(bet));
    }
    m_tableBacktest = NewTable(
        {QStringLiteral("対象回数"), QStringLiteral("当選回数"), QStringLiteral("偶然での期待値"), QStringLiteral("z")},
        rows);
    FitHeight(m_tableBacktest);

    m_labelBacktestNote = NoteLabel(QStringLiteral(
        "各回について、その前の回までの記録から予想した５つの数字が当たったかどうかを数えました。"
        "「偶然での期待値」は、その５つの数字が偶然だけで当たる見込みを全部の回について足したものです。"
        "ナンバーズの数字は各桁とも毎回それぞれ独立に抽せんされるので、どんな予想も偶然より当たりやすくはなりません。"
        "z は当選回数と期待値の差をばらつきの大きさで割った値で、0 に近いほど「偶然どおり」という意味です。"));

    m_chartBacktest = NewLineChart(QStringLiteral("当選回数の累計（実線）と偶然での期待値の累計（破線）"),
                                   QStringLiteral("開催回"), QStringLiteral("回数（累計）"));
    for (const Bet bet : ScoredBetsOf(m_game)) {
        m_seriesHits.push_back(m_chartBacktest->AddLine(ToQString(BetLabel(bet)) + QStringLiteral("（当選）"),
                                                        QPen(BetColour(bet), 2, Qt::SolidLine)));
        m_seriesExpected.push_back(m_chartBacktest->AddLine(ToQString(BetLabel(bet)) + QStringLiteral("（期待値）"),
                                                            QPen(BetColour(bet), 2, Qt::DashLine)));
    }

    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(m_tableBacktest);
    layout->addWidget(m_labelBacktestNote);
    layout->addWidget(m_chartBacktest, 1);
    return page;
}

QWidget* CStatisticsDlg::BuildLedgerTab() {
    QStringList rows;
    for (const Bet bet : BetsOf(m_game)) {
        rows << ToQString(BetLabel(bet));
    }
    const QStringList columns = {QStringLiteral("口数"), QStringLiteral("購入額"), QStringLiteral("当せん金"),
                                 QStringLiteral("収支"), QStringLiteral("回収率 (%)")};
    m_tableLedgerTickets = NewTable(columns, rows);
    m_tableLedgerPicks = NewTable(columns, rows);
    m_tableLedgerPrediction = NewTable(columns, rows);
    FitHeight(m_tableLedgerTickets);
    FitHeight(m_tableLedgerPicks);
    FitHeight(m_tableLedgerPrediction);
    m_labelLedgerTicketsNote = NoteLabel(QString());
    m_labelLedgerTicketsNote->hide();

    m_labelLedgerNote = NoteLabel(
        QStringLiteral("当せん金の記録がある回ごとに、数字１つにつき%1を１口200円ずつ買ったとした収支です"
                       "（数字になっていない予想と、ゾロ目のボックス・セットは除きます）。予想は「予想の成績」と同じ、"
                       "その前の回までの記録から予想した５つの数字です。当せん金は法律で売上の半分以下と決められて"
                       "いるので、どんな買い方をしても、平均すれば損になります。")
            .arg(rows.join(QStringLiteral("・"))));
    m_labelLedgerPicksNote =
        NoteLabel(QStringLiteral("予想数字が記録された回に当せん金の記録がありません。手で登録した回の当せん金は、"
                                 "F5でその回を取り込むと記録されます。"));
    m_labelLedgerPicksNote->hide();
    m_labelLedgerMissing = NoteLabel(QString());
    m_labelLedgerMissing->hide();

    m_chartLedger = NewLineChart(QStringLiteral("予想どおりに買った場合の収支の累計"), QStringLiteral("開催回"),
                                 QStringLiteral("円（累計）"));
    m_chartLedger->SetGroupedLabels(true);
    for (const Bet bet : BetsOf(m_game)) {
        m_seriesBalance.push_back(
            m_chartLedger->AddLine(ToQString(BetLabel(bet)), QPen(BetColour(bet), 2, Qt::SolidLine)));
    }
    m_chartTickets = NewMonthlyChart();

    auto* charts = new QHBoxLayout;
    charts->addWidget(m_chartTickets, 1);
    charts->addWidget(m_chartLedger, 1);
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(HeadingLabel(QStringLiteral("買った券")));
    layout->addWidget(m_tableLedgerTickets);
    layout->addWidget(m_labelLedgerTicketsNote);
    layout->addWidget(HeadingLabel(QStringLiteral("記録した予想数字")));
    layout->addWidget(m_tableLedgerPicks);
    layout->addWidget(m_labelLedgerPicksNote);
    layout->addWidget(HeadingLabel(QStringLiteral("予想どおりに買った場合")));
    layout->addWidget(m_tableLedgerPrediction);
    layout->addWidget(m_labelLedgerNote);
    layout->addWidget(m_labelLedgerMissing);
    layout->addLayout(charts, 1);
    return page;
}

void CStatisticsDlg::BuildMethodsTab() {
    const auto bets = ScoredBetsOf(m_game);
    const auto methods = AllMethods();
    m_tableMethods = NewTable({QStringLiteral("方法"), QStringLiteral("買い方"), QStringLiteral("当せん回数"),
                               QStringLiteral("期待値"), QStringLiteral("z"), QStringLiteral("p"),
                               QStringLiteral("補正p"), QStringLiteral("回収率 (%)")},
                              QStringList(static_cast<qsizetype>(methods.size() * bets.size()), QString()));
    m_tableMethods->verticalHeader()->hide();
    // A row is chosen to make its method the game window's.
    m_tableMethods->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tableMethods->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tableMethods->setFocusPolicy(Qt::StrongFocus);
    m_tableMethods->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    FitHeight(m_tableMethods);

    m_comboMethodBet = new QComboBox;
    for (const Bet bet : bets) {
        m_comboMethodBet->addItem(ToQString(BetLabel(bet)));
    }
    auto* betCaption = new QLabel(QStringLiteral("グラフの買い方："));
    betCaption->setBuddy(m_comboMethodBet);
    auto* chooser = new QHBoxLayout;
    chooser->addWidget(betCaption);
    chooser->addWidget(m_comboMethodBet);
    chooser->addStretch(1);

    m_chartMethods = NewLineChart(QStringLiteral("当せん回数の累計と偶然での期待値の累計の差"),
                                  QStringLiteral("開催回"), QStringLiteral("当せん回数－期待値"));
    for (const Method method : methods) {
        m_seriesMethods.push_back(m_chartMethods->AddLine(
            ToQString(MethodLabel(method)),
            QPen(MethodColour(method), 2, method == Method::Random ? Qt::DashLine : Qt::SolidLine)));
    }

    m_labelVerdict = HeadingLabel(QString());
    m_labelVerdict->setWordWrap(true);
    m_labelChosenMethod = new QLabel;
    m_buttonChooseMethod = new QPushButton(QStringLiteral("この方法で予想する"));
    m_buttonChooseMethod->setEnabled(false);
    auto* choice = new QHBoxLayout;
    choice->addWidget(m_labelChosenMethod, 1);
    choice->addWidget(m_buttonChooseMethod);

    auto* layout = new QVBoxLayout(m_pageMethods);
    layout->addWidget(m_tableMethods);
    layout->addWidget(
        NoteLabel(QStringLiteral("どの方法も、各回をその前の回までの記録から予想したとした成績です。"
                                 "p は偶然だけでその回数以上当たる確率、補正p は全部の行を同時に比べたことを"
                                 "考えに入れた値で、0.05 より小さくなければ偶然と区別できません。"
                                 "回収率は、当せん金の記録がある回に５つの数字を１口ずつ買ったとした場合です。")));
    layout->addLayout(chooser);
    layout->addWidget(m_chartMethods, 1);
    layout->addWidget(m_labelVerdict);
    layout->addLayout(choice);

    connect(m_comboMethodBet, &QComboBox::currentIndexChanged, this, &CStatisticsDlg::ShowMethodChart);
    connect(m_tableMethods, &QTableWidget::itemSelectionChanged, this,
            [this] { m_buttonChooseMethod->setEnabled(SelectedMethod().has_value()); });
    connect(m_buttonChooseMethod, &QPushButton::clicked, this, &CStatisticsDlg::OnChooseMethod);
}

ChartView* CStatisticsDlg::NewMonthlyChart() {
    // The legend names it in place of a title, above the chart, so that the months keep
    // the width their names need and the yen the height theirs do.
    auto* chart = new ChartView(QString());
    chart->SetLegend(ChartView::Legend::Top);
    chart->SetGroupedLabels(true);
    chart->SetAxisTitles(QStringLiteral("抽せん月"), QStringLiteral("円"));
    chart->SetCategories({});
    m_barsMonthly = chart->AddBars(QStringLiteral("買った券の月ごとの収支"), QColor(92, 128, 188));
    m_seriesMonthlyTotal = chart->AddLine(QStringLiteral("収支の累計"), QPen(QColor(200, 60, 40), 2, Qt::SolidLine));
    m_seriesMonthlyTotal->ShowPoints(true);
    return chart;
}

bool CStatisticsDlg::Refresh() {
    {
        WaitCursor wait(m_desktop);
        switch (m_report.Refresh(m_strDbPath.toStdString(), ChartPoints())) {
        case ReportChange::Failed:
            break;
        case ReportChange::BacktestRun:
            ShowBacktest(m_report.Backtest());
            [[fallthrough]];
        case ReportChange::LedgerScored:
            // New draws or payouts: the methods are compared again when next shown.
            m_comparisonPeriod = -1;
            [[fallthrough]];
        case ReportChange::PicksScored:
        case ReportChange::Reused:
            ShowStatistics();
            return true;
        }
    }
    ClearAll();
    m_desktop.ShowMessage(isVisible() ? this : parentWidget(), ToQString(kReadInterruptedMessage), Desktop::Icon::Stop);
    return false;
}

void CStatisticsDlg::ShowStatistics() {
    if (!m_report.IsRead()) {
        return;
    }
    PeriodReport report;
    {
        WaitCursor wait(m_desktop);
        report = m_report.ForPeriod(m_comboPeriod->currentData().toInt());
    }
    const DrawStatistics& statistics = report.statistics;

    QString period = report.draws.empty() ? QStringLiteral("記録された回はありません")
                                          : QStringLiteral("第%1回～第%2回の%3回分")
                                                .arg(report.draws.front().drawNo)
                                                .arg(report.draws.back().drawNo)
                                                .arg(static_cast<int>(report.draws.size()));
    if (m_report.SkippedRows() > 0) {
        period += QStringLiteral("（数字の欠けた%1回分は除いています）").arg(m_report.SkippedRows());
    }
    m_labelPeriod->setText(period);

    m_labelCountNote->setText(QStringLiteral("各桁に各数字が出た回数です。どの数字も出る確率は10分の1で、"
                                             "偶然での期待値は各 %1 回です。")
                                  .arg(QString::number(statistics.draws / 10.0, 'f', 1)));

    // One scale for every position, so that their bars compare.
    int maximum = 0;
    std::vector<QList<double>> counts(m_barsCount.size());
    for (std::size_t position = 0; position < m_barsCount.size(); ++position) {
        for (int d = 0; d <= 9; ++d) {
            const int count = position < statistics.counts.size() ? statistics.counts[position][d] : 0;
            counts[position].append(count);
            maximum = std::max(maximum, count);
        }
    }
    for (std::size_t position = 0; position < m_barsCount.size(); ++position) {
        m_barsCount[position]->ReplaceValues(counts[position]);
        // Room above the tallest bar for its label.
        m_chartsCount[position]->SetYScale(CountScale(maximum * 1.1));
    }

    for (int position = 0; position < m_tableSince->rowCount(); ++position) {
        for (int d = 0; d <= 9; ++d) {
            const auto p = static_cast<std::size_t>(position);
            const int since = p < statistics.drawsSinceSeen.size() ? statistics.drawsSinceSeen[p][d] : 0;
            SetCell(m_tableSince, position, d, QString::number(since));
        }
    }

    const auto patterns = PatternsOf(m_game);
    for (int row = 0; row < static_cast<int>(patterns.size()); ++row) {
        const DigitPattern pattern = patterns[static_cast<std::size_t>(row)];
        PatternCount count{pattern, 0, 0, TheoreticalShare(m_game, pattern)};
        const auto found = std::find_if(statistics.patterns.begin(), statistics.patterns.end(),
                                        [&count](const PatternCount& c) { return c.pattern == count.pattern; });
        if (found != statistics.patterns.end()) {
            count = *found;
        }
        SetCell(m_tablePatterns, row, 0, QString::number(count.draws));
        SetCell(m_tablePatterns, row, 1, Percent(count.share));
        SetCell(m_tablePatterns, row, 2, Percent(count.theoretical));
    }

    ShowLedger(report);
    if (m_tabs->currentWidget() == m_pageMethods) {
        ShowComparison();
    }
}

void CStatisticsDlg::ShowComparison() {
    m_labelChosenMethod->setText(MethodTip(MethodSettings().ChosenMethod(m_game)));
    const int period = m_comboPeriod->currentData().toInt();
    if (!m_report.IsRead() || period == m_comparisonPeriod) {
        return;
    }
    {
        WaitCursor wait(m_desktop);
        // Five lines share the chart beside their legend: half the backtest's points keep the
        // tab's first show within the window's goal, and still one for every other column.
        m_comparison = CompareMethods(m_game, m_report.History(), m_report.Results(),
                                      period > 0 ? static_cast<std::size_t>(period) : kEveryDraw, ChartPoints() / 2);
    }
    m_comparisonPeriod = period;

    for (int row = 0; row < static_cast<int>(m_comparison.rows.size()) && row < m_tableMethods->rowCount(); ++row) {
        const ComparisonRow& line = m_comparison.rows[static_cast<std::size_t>(row)];
        SetCell(m_tableMethods, row, 2, QString::number(line.score.hits));
        SetCell(m_tableMethods, row, 3, ToQString(ThreeDecimals(line.score.expected)));
        SetCell(m_tableMethods, row, 4, ToQString(ThreeDecimals(line.score.Z())));
        SetCell(m_tableMethods, row, 5, ToQString(ThreeDecimals(line.p)));
        SetCell(m_tableMethods, row, 6, ToQString(ThreeDecimals(line.adjustedP)));
        SetCell(m_tableMethods, row, 7, ToQString(line.ReturnText()));
    }
    m_labelVerdict->setText(ToQString(ComparisonVerdict(m_comparison.rows)));
    ShowMethodChart();
}

void CStatisticsDlg::ShowMethodChart() {
    const auto b = static_cast<std::size_t>(std::max(0, m_comboMethodBet->currentIndex()));
    double low = 0;
    double high = 0;
    int first = 0;
    int last = 1;
    for (std::size_t m = 0; m < m_seriesMethods.size(); ++m) {
        QList<QPointF> excess;
        if (m < m_comparison.walks.size()) {
            const std::vector<BacktestStep>& steps = m_comparison.walks[m].steps;
            excess.reserve(static_cast<qsizetype>(steps.size()));
            for (const BacktestStep& step : steps) {
                if (b < step.cumulativeHits.size() && b < step.cumulativeExpected.size()) {
                    const double value = step.cumulativeHits[b] - step.cumulativeExpected[b];
                    excess.append(QPointF(step.drawNo, value));
                    low = std::min(low, value);
                    high = std::max(high, value);
                }
            }
            if (!steps.empty()) {
                first = steps.front().drawNo;
                last = steps.back().drawNo;
            }
        }
        m_seriesMethods[m]->Replace(excess);
    }
    m_chartMethods->SetXScale(DrawScale(first, last));
    m_chartMethods->SetYScale(BalanceScale(low, high));
}

std::optional<Method> CStatisticsDlg::SelectedMethod() const {
    const QList<QTableWidgetItem*> selected = m_tableMethods->selectedItems();
    if (selected.isEmpty()) {
        return std::nullopt;
    }
    const auto row = static_cast<std::size_t>(selected[0]->row());
    return AllMethods()[row / ScoredBetsOf(m_game).size()];
}

void CStatisticsDlg::LabelMethodRows() {
    const auto bets = ScoredBetsOf(m_game);
    int row = 0;
    for (const Method method : AllMethods()) {
        for (const Bet bet : bets) {
            SetCell(m_tableMethods, row, 0, ToQString(MethodLabel(method)));
            SetCell(m_tableMethods, row, 1, ToQString(BetLabel(bet)));
            for (const int column : {0, 1}) {
                m_tableMethods->item(row, column)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            }
            ++row;
        }
    }
}

void CStatisticsDlg::ClearMethods() {
    ClearCells(m_tableMethods);
    LabelMethodRows();
    for (ChartSeries* series : m_seriesMethods) {
        series->Clear();
    }
    m_labelVerdict->clear();
    m_chartMethods->SetXScale(DrawScale(0, 1));
    m_chartMethods->SetYScale(BalanceScale(0, 0));
}

void CStatisticsDlg::OnChooseMethod() {
    const std::optional<Method> method = SelectedMethod();
    if (!method) {
        return;
    }
    MethodSettings().Choose(m_game, *method);
    m_labelChosenMethod->setText(MethodTip(*method));
    emit MethodChosen();
}

void CStatisticsDlg::ShowTickets(const PeriodReport& report) {
    ShowLedgerLines(m_tableLedgerTickets, report.tickets);
    QString note;
    if (!m_report.TicketsError().empty()) {
        note = ToQString(m_report.TicketsError());
    } else if (!m_report.HasTickets()) {
        note = QStringLiteral("購入記録…（Ctrl+B）で買った券を記録すると、ここに収支が出ます。");
    } else if (report.months.empty() &&
               std::ranges::all_of(report.tickets, [](const LedgerLine& line) { return line.tickets == 0; })) {
        note = QStringLiteral("この期間に当たりはずれの決まった券はありません。まだ抽せんされていない回の券と、"
                              "当せん金の記録がない回の券は数えていません。");
    }
    m_labelLedgerTicketsNote->setText(note);
    m_labelLedgerTicketsNote->setVisible(!note.isEmpty());

    QStringList months;
    QList<double> balances;
    QList<QPointF> total;
    long long low = 0;
    long long high = 0;
    for (const MonthBalance& month : report.months) {
        total.append(QPointF(static_cast<qreal>(months.size()), static_cast<qreal>(month.running)));
        months << QStringLiteral("%1年%2月").arg(month.month / 100).arg(month.month % 100);
        balances << static_cast<double>(month.Balance());
        low = std::min({low, month.Balance(), month.running});
        high = std::max({high, month.Balance(), month.running});
    }
    m_chartTickets->SetCategories(months);
    m_barsMonthly->ReplaceValues(balances);
    m_seriesMonthlyTotal->Replace(total);
    m_chartTickets->SetYScale(BalanceScale(static_cast<double>(low), static_cast<double>(high), 4));
}

void CStatisticsDlg::ShowLedger(const PeriodReport& report) {
    ShowTickets(report);
    ShowLedgerLines(m_tableLedgerPicks, report.picks);
    m_labelLedgerPicksNote->setVisible(report.numbersWithoutResults);
    ShowLedgerLines(m_tableLedgerPrediction, report.prediction);

    QString missing;
    if (!m_report.HasResults()) {
        missing = QStringLiteral("抽せん日と当せん金の記録がありません。F5（最新の当せん番号を取り込む）か、"
                                 "プログラムに付いている当せん番号を取り込むと計算できます。");
    } else if (report.drawsWithoutResults > 0) {
        missing = QStringLiteral("当せん金の記録がない%1回分は数えていません。").arg(report.drawsWithoutResults);
    }
    m_labelLedgerMissing->setText(missing);
    m_labelLedgerMissing->setVisible(!missing.isEmpty());

    for (std::size_t t = 0; t < report.balance.size() && t < m_seriesBalance.size(); ++t) {
        QList<QPointF> line;
        line.reserve(static_cast<qsizetype>(report.balance[t].size()));
        for (const BalancePoint& point : report.balance[t]) {
            line.append(QPointF(point.drawNo, static_cast<double>(point.yen)));
        }
        m_seriesBalance[t]->Replace(line);
    }
    m_chartLedger->SetXScale(DrawScale(report.draws.empty() ? 0 : report.draws.front().drawNo,
                                       report.draws.empty() ? 1 : report.draws.back().drawNo));
    m_chartLedger->SetYScale(
        BalanceScale(static_cast<double>(report.lowestBalance), static_cast<double>(report.highestBalance)));
}

void CStatisticsDlg::ShowBacktest(const BacktestResult& result) {
    const auto bets = ScoredBetsOf(m_game);
    double maximum = 0;
    for (std::size_t b = 0; b < bets.size(); ++b) {
        BetScore score{bets[b]};
        if (b < result.scores.size()) {
            score = result.scores[b];
        }
        const int row = static_cast<int>(b);
        SetCell(m_tableBacktest, row, 0, QString::number(score.draws));
        SetCell(m_tableBacktest, row, 1, QString::number(score.hits));
        SetCell(m_tableBacktest, row, 2, ToQString(ThreeDecimals(score.expected)));
        SetCell(m_tableBacktest, row, 3, ToQString(ThreeDecimals(score.Z())));

        QList<QPointF> hits;
        QList<QPointF> expected;
        hits.reserve(static_cast<qsizetype>(result.steps.size()));
        expected.reserve(static_cast<qsizetype>(result.steps.size()));
        for (const BacktestStep& step : result.steps) {
            if (b < step.cumulativeHits.size() && b < step.cumulativeExpected.size()) {
                hits.append(QPointF(step.drawNo, step.cumulativeHits[b]));
                expected.append(QPointF(step.drawNo, step.cumulativeExpected[b]));
                maximum = std::max({maximum, double(step.cumulativeHits[b]), step.cumulativeExpected[b]});
            }
        }
        m_seriesHits[b]->Replace(hits);
        m_seriesExpected[b]->Replace(expected);
    }
    if (result.steps.empty()) {
        m_chartBacktest->SetXScale(DrawScale(0, 1));
    } else {
        // From the first draw scored, which need not be among the steps kept.
        m_chartBacktest->SetXScale(DrawScale(m_report.History()[1].drawNo, result.steps.back().drawNo));
    }
    m_chartBacktest->SetYScale(CountScale(maximum));
}

std::size_t CStatisticsDlg::ChartPoints() const {
    // One point for each column of pixels the chart could ever span; more would not show.
    const QScreen* shown = screen();
    const double columns = shown == nullptr ? 0 : shown->geometry().width() * shown->devicePixelRatio();
    return std::max<std::size_t>(1000, static_cast<std::size_t>(columns));
}

void CStatisticsDlg::ClearAll() {
    m_labelPeriod->clear();
    m_labelCountNote->clear();
    for (std::size_t position = 0; position < m_barsCount.size(); ++position) {
        m_barsCount[position]->ReplaceValues(QList<double>(10, 0));
        m_chartsCount[position]->SetYScale(CountScale(0));
    }
    for (QTableWidget* table : {m_tableSince, m_tablePatterns, m_tableBacktest, m_tableLedgerTickets,
                                m_tableLedgerPicks, m_tableLedgerPrediction}) {
        ClearCells(table);
    }
    for (const auto* lines : {&m_seriesHits, &m_seriesExpected, &m_seriesBalance}) {
        for (ChartSeries* series : *lines) {
            series->Clear();
        }
    }
    m_comparison = MethodComparison{};
    m_comparisonPeriod = -1;
    if (m_tableMethods != nullptr) {
        ClearMethods();
    }
    m_labelLedgerMissing->clear();
    m_labelLedgerMissing->hide();
    m_labelLedgerTicketsNote->clear();
    m_labelLedgerTicketsNote->hide();
    m_chartTickets->SetCategories({});
    m_barsMonthly->Clear();
    m_seriesMonthlyTotal->Clear();
    m_chartTickets->SetYScale(BalanceScale(0, 0, 4));
    m_chartBacktest->SetXScale(DrawScale(0, 1));
    m_chartBacktest->SetYScale(CountScale(0));
    m_chartLedger->SetXScale(DrawScale(0, 1));
    m_chartLedger->SetYScale(BalanceScale(0, 0));
}

} // namespace drawbook
