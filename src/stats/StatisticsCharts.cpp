#include "stats/StatisticsCharts.h"

#include "res/ChartView.h"

namespace drawbook {

QColor BetColour(Bet bet) {
    switch (bet) {
    case Bet::Straight:
        return QColor(200, 138, 0);
    case Bet::Box:
        return QColor(46, 139, 87);
    case Bet::Set:
        return QColor(128, 72, 160);
    case Bet::Mini:
        return QColor(31, 111, 180);
    }
    return Qt::black;
}

QColor MethodColour(Method method) {
    switch (method) {
    case Method::Follow:
        return QColor(200, 138, 0);
    case Method::Hot:
        return QColor(200, 60, 40);
    case Method::Cold:
        return QColor(31, 111, 180);
    case Method::Slide:
        return QColor(46, 139, 87);
    case Method::Random:
        return QColor(128, 128, 128);
    }
    return Qt::black;
}

ChartView* NewLineChart(const QString& title, const QString& xTitle, const QString& yTitle) {
    auto* chart = new ChartView(title);
    chart->SetLegend(ChartView::Legend::Right);
    chart->SetAxisTitles(xTitle, yTitle);
    return chart;
}

} // namespace drawbook
