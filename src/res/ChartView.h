#pragma once

#include "res/ChartScale.h"

#include <QColor>
#include <QList>
#include <QPen>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <vector>

class QPainter;

namespace drawbook {

class ChartView;

// One series of a chart: a line through points (x, y), or bars with a value per category.
// Its chart repaints when it changes.
class ChartSeries {
public:
    enum class Kind { Line, Bars };

    ChartSeries(ChartView& chart, Kind kind, const QString& name, const QPen& pen);

    Kind GetKind() const { return m_kind; }
    const QString& Name() const { return m_name; }
    const QPen& Pen() const { return m_pen; }
    // A line's points; a bar's at (category, value).
    const QList<QPointF>& Points() const { return m_points; }
    qsizetype Count() const { return m_points.size(); }
    // Bars: the value of each category, in order.
    QList<double> Values() const;
    bool IsVisible() const { return m_visible; }
    bool PointsShown() const { return m_pointsShown; }

    void Replace(const QList<QPointF>& points);
    // Bars: one per category, from the first.
    void ReplaceValues(const QList<double>& values);
    void Clear() { Replace({}); }
    void SetVisible(bool visible);
    // A dot at every point of a line, for lines of few points.
    void ShowPoints(bool shown);

private:
    ChartView& m_chart;
    Kind m_kind;
    QString m_name;
    QPen m_pen;
    QList<QPointF> m_points;
    bool m_visible = true;
    bool m_pointsShown = false;
};

// A chart painted by hand: a title, a value axis up the left, along the bottom either a
// value axis or categories, lines and bars, and a legend of the shown series.
class ChartView : public QWidget {
public:
    enum class Legend { None, Right, Top };

    explicit ChartView(const QString& title, QWidget* parent = nullptr);
    ~ChartView() override;

    ChartSeries* AddLine(const QString& name, const QPen& pen);
    ChartSeries* AddBars(const QString& name, const QColor& colour);
    const std::vector<std::unique_ptr<ChartSeries>>& Series() const { return m_series; }

    const QString& Title() const { return m_title; }
    void SetLegend(Legend legend);
    Legend GetLegend() const { return m_legend; }
    // The series the legend names: those shown and named, in order; none without a legend.
    std::vector<const ChartSeries*> LegendEntries() const;
    void SetAxisTitles(const QString& x, const QString& y);
    // Tick labels with their thousands grouped.
    void SetGroupedLabels(bool grouped);
    // Each bar's value above it.
    void SetBarLabels(bool shown);

    void SetXScale(const ChartScale& scale);
    void SetYScale(const ChartScale& scale);
    const ChartScale& XScale() const { return m_xScale; }
    const ChartScale& YScale() const { return m_yScale; }
    // Categories along the bottom in place of the x scale; a line's x is then the category's index.
    void SetCategories(const QStringList& categories);
    const QStringList& Categories() const { return m_categories; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString Label(double value) const;
    // The legend drawn at the right of the area or above it, the area shrunk by it.
    void PaintLegend(QPainter& painter, QRectF& area) const;
    // The grid, the axes, their tick labels and titles; the plot within them, empty when too small.
    QRectF PaintAxes(QPainter& painter, const QRectF& area) const;
    void PaintBars(QPainter& painter, const QRectF& plot) const;
    void PaintLines(QPainter& painter, const QRectF& plot) const;
    // A category's width along the bottom.
    double Slot(const QRectF& plot) const;
    double XPixel(const QRectF& plot, double x) const;
    double YPixel(const QRectF& plot, double y) const;

    QString m_title;
    QString m_xTitle;
    QString m_yTitle;
    Legend m_legend = Legend::Right;
    bool m_grouped = false;
    bool m_barLabels = false;
    bool m_categoryAxis = false;
    ChartScale m_xScale;
    ChartScale m_yScale;
    QStringList m_categories;
    std::vector<std::unique_ptr<ChartSeries>> m_series;
};

} // namespace drawbook
