#include "stats/StatisticsCharts.h"

#include <QChart>
#include <QChartView>
#include <QLegend>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

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

QChart* NewLineChart(const QString& title) {
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    chart->setMargins(QMargins(4, 4, 4, 4));
    return chart;
}

QChartView* NewChartView(QChart* chart) {
    auto* view = new QChartView(chart);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(220, 200);
    return view;
}

double RoundStep(double span, int parts) {
    for (double scale = 1;; scale *= 10) {
        for (const double step : {scale, 2 * scale, 5 * scale}) {
            if (step * parts >= span) {
                return step;
            }
        }
    }
}

void SetCountRange(QValueAxis* axis, double maximum) {
    const double step = RoundStep(maximum, 5);
    const double top = std::max(step, std::ceil(maximum / step) * step);
    axis->setRange(0, top);
    axis->setTickCount(static_cast<int>(top / step) + 1);
}

void SetDrawRange(QValueAxis* axis, int first, int last) {
    last = std::max(last, first + 1);
    const double interval = RoundStep(last - first, 8);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    // A shown chart lays its ticks out at each change: never a narrow interval over a wide range.
    axis->setTickInterval(std::max(interval, axis->tickInterval()));
    axis->setRange(first, last);
    axis->setTickInterval(interval);
}

void SetBalanceRange(QValueAxis* axis, double low, double high, int parts) {
    const double step = RoundStep(std::max(high - low, 1.0), parts);
    const double bottom = std::floor(low / step) * step;
    const double top = std::max(std::ceil(high / step) * step, bottom + step);
    axis->setRange(bottom, top);
    axis->setTickCount(static_cast<int>(std::lround((top - bottom) / step)) + 1);
}

} // namespace drawbook
