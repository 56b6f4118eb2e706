#include "res/ChartView.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace drawbook {

namespace {

constexpr int kMargin = 8;
constexpr int kGap = 6;
constexpr int kMarkerWidth = 18;
// The share of a category's width its bars fill together.
constexpr double kBarShare = 0.6;

const QColor kGridColour(224, 224, 224);
const QColor kAxisColour(96, 96, 96);
const QColor kTextColour(32, 32, 32);

} // namespace

ChartSeries::ChartSeries(ChartView& chart, Kind kind, const QString& name, const QPen& pen)
    : m_chart(chart), m_kind(kind), m_name(name), m_pen(pen) {}

QList<double> ChartSeries::Values() const {
    QList<double> values;
    values.reserve(m_points.size());
    for (const QPointF& point : m_points) {
        values.append(point.y());
    }
    return values;
}

void ChartSeries::Replace(const QList<QPointF>& points) {
    m_points = points;
    m_chart.update();
}

void ChartSeries::ReplaceValues(const QList<double>& values) {
    QList<QPointF> points;
    points.reserve(values.size());
    for (qsizetype i = 0; i < values.size(); ++i) {
        points.append(QPointF(static_cast<double>(i), values[i]));
    }
    Replace(points);
}

void ChartSeries::SetVisible(bool visible) {
    m_visible = visible;
    m_chart.update();
}

void ChartSeries::ShowPoints(bool shown) {
    m_pointsShown = shown;
    m_chart.update();
}

ChartView::ChartView(const QString& title, QWidget* parent) : QWidget(parent), m_title(title) {
    setMinimumSize(220, 200);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

ChartView::~ChartView() = default;

ChartSeries* ChartView::AddLine(const QString& name, const QPen& pen) {
    m_series.push_back(std::make_unique<ChartSeries>(*this, ChartSeries::Kind::Line, name, pen));
    update();
    return m_series.back().get();
}

ChartSeries* ChartView::AddBars(const QString& name, const QColor& colour) {
    m_series.push_back(std::make_unique<ChartSeries>(*this, ChartSeries::Kind::Bars, name, QPen(colour)));
    update();
    return m_series.back().get();
}

void ChartView::SetLegend(Legend legend) {
    m_legend = legend;
    update();
}

void ChartView::SetAxisTitles(const QString& x, const QString& y) {
    m_xTitle = x;
    m_yTitle = y;
    update();
}

void ChartView::SetGroupedLabels(bool grouped) {
    m_grouped = grouped;
    update();
}

void ChartView::SetBarLabels(bool shown) {
    m_barLabels = shown;
    update();
}

void ChartView::SetXScale(const ChartScale& scale) {
    m_xScale = scale;
    update();
}

void ChartView::SetYScale(const ChartScale& scale) {
    m_yScale = scale;
    update();
}

void ChartView::SetCategories(const QStringList& categories) {
    m_categoryAxis = true;
    m_categories = categories;
    update();
}

std::vector<const ChartSeries*> ChartView::LegendEntries() const {
    std::vector<const ChartSeries*> named;
    if (m_legend == Legend::None) {
        return named;
    }
    for (const auto& series : m_series) {
        if (series->IsVisible() && !series->Name().isEmpty()) {
            named.push_back(series.get());
        }
    }
    return named;
}

QSize ChartView::sizeHint() const {
    return {400, 300};
}

QString ChartView::Label(double value) const {
    return QString::fromStdString(TickLabel(value, m_grouped));
}

void ChartView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    QRectF area = QRectF(rect()).adjusted(kMargin, kMargin, -kMargin, -kMargin);
    if (!m_title.isEmpty()) {
        QFont bold = font();
        bold.setBold(true);
        painter.setFont(bold);
        painter.setPen(kTextColour);
        const QRectF band(area.left(), area.top(), area.width(), QFontMetrics(bold).height());
        painter.drawText(band, Qt::AlignCenter, m_title);
        area.setTop(band.bottom() + kGap);
        painter.setFont(font());
    }
    PaintLegend(painter, area);
    const QRectF plot = PaintAxes(painter, area);
    if (plot.isEmpty()) {
        return;
    }
    PaintBars(painter, plot);
    PaintLines(painter, plot);
}

double ChartView::Slot(const QRectF& plot) const {
    return m_categories.isEmpty() ? plot.width() : plot.width() / static_cast<double>(m_categories.size());
}

double ChartView::XPixel(const QRectF& plot, double x) const {
    return m_categoryAxis ? plot.left() + (x + 0.5) * Slot(plot) : ToPixel(m_xScale, x, plot.left(), plot.right());
}

double ChartView::YPixel(const QRectF& plot, double y) const {
    return ToPixel(m_yScale, y, plot.bottom(), plot.top());
}

void ChartView::PaintLegend(QPainter& painter, QRectF& area) const {
    const QFontMetrics metrics(font());
    const int line = metrics.height();
    // The legend names the shown series, each after a marker drawn as the series is.
    const std::vector<const ChartSeries*> named = LegendEntries();
    const auto entryWidth = [&](const ChartSeries* series) {
        return kMarkerWidth + kGap + metrics.horizontalAdvance(series->Name());
    };
    const auto drawEntry = [&](const ChartSeries* series, QPointF at) {
        const double middle = at.y() + line / 2.0;
        if (series->GetKind() == ChartSeries::Kind::Bars) {
            painter.fillRect(QRectF(at.x() + 3, middle - 6, 12, 12), series->Pen().color());
        } else {
            painter.setPen(series->Pen());
            painter.drawLine(QPointF(at.x(), middle), QPointF(at.x() + kMarkerWidth, middle));
        }
        painter.setPen(kTextColour);
        painter.drawText(QRectF(at.x() + kMarkerWidth + kGap, at.y(), area.width(), line),
                         Qt::AlignLeft | Qt::AlignVCenter, series->Name());
    };
    painter.setRenderHint(QPainter::Antialiasing);
    int rightWidth = 0;
    for (const ChartSeries* series : named) {
        rightWidth = std::max(rightWidth, entryWidth(series));
    }
    // A narrow chart keeps its plot: the legend goes above it instead.
    const Legend legend = m_legend == Legend::Right && rightWidth > area.width() * 0.4 ? Legend::Top : m_legend;
    if (legend == Legend::Right && !named.empty()) {
        const int width = rightWidth;
        // Rows a little apart, as a list reads best.
        const double row = line * 1.5;
        const double top = area.center().y() - static_cast<double>(named.size()) * row / 2;
        for (std::size_t i = 0; i < named.size(); ++i) {
            drawEntry(named[i], QPointF(area.right() - width, top + static_cast<double>(i) * row));
        }
        area.setRight(area.right() - width - 2 * kGap);
    } else if (legend == Legend::Top && !named.empty()) {
        // Side by side, centred; an entry that would pass the right edge starts a new row.
        std::vector<std::vector<const ChartSeries*>> rows(1);
        int rowWidth = 0;
        for (const ChartSeries* series : named) {
            const int width = entryWidth(series) + (rowWidth > 0 ? 2 * kGap : 0);
            if (rowWidth > 0 && rowWidth + width > area.width()) {
                rows.emplace_back();
                rowWidth = 0;
            }
            rows.back().push_back(series);
            rowWidth += rowWidth > 0 ? width : entryWidth(series);
        }
        for (const auto& entries : rows) {
            int width = 0;
            for (const ChartSeries* series : entries) {
                width += entryWidth(series) + (width > 0 ? 2 * kGap : 0);
            }
            double x = area.center().x() - width / 2.0;
            for (const ChartSeries* series : entries) {
                drawEntry(series, QPointF(x, area.top()));
                x += entryWidth(series) + 2 * kGap;
            }
            area.setTop(area.top() + line + kGap / 2.0);
        }
        area.setTop(area.top() + kGap / 2.0);
    }
}

QRectF ChartView::PaintAxes(QPainter& painter, const QRectF& area) const {
    const QFontMetrics metrics(font());
    const int line = metrics.height();
    // The plot: what is left once the axis titles and tick labels have their room.
    const std::vector<double> yTicks = Ticks(m_yScale);
    int yLabelWidth = 0;
    for (const double tick : yTicks) {
        yLabelWidth = std::max(yLabelWidth, metrics.horizontalAdvance(Label(tick)));
    }
    QRectF plot = area;
    plot.setLeft(area.left() + (m_yTitle.isEmpty() ? 0 : line + kGap) + yLabelWidth + kGap);
    plot.setBottom(area.bottom() - line - kGap / 2.0 - (m_xTitle.isEmpty() ? 0 : line + kGap / 2.0));
    // Half a label's height above the top tick, and room for the last x label to centre on its tick.
    plot.setTop(area.top() + line / 2.0);
    if (!m_categoryAxis) {
        plot.setRight(area.right() - metrics.horizontalAdvance(Label(m_xScale.max)) / 2.0);
    }
    if (plot.width() < 10 || plot.height() < 10) {
        return {};
    }
    const auto yPixel = [&](double y) { return YPixel(plot, y); };
    const auto xPixel = [&](double x) { return XPixel(plot, x); };
    const double slot = Slot(plot);

    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const double tick : yTicks) {
        const double y = std::round(yPixel(tick));
        painter.setPen(kGridColour);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(kTextColour);
        painter.drawText(QRectF(plot.left() - kGap - yLabelWidth, y - line / 2.0, yLabelWidth, line),
                         Qt::AlignRight | Qt::AlignVCenter, Label(tick));
    }
    const double labelTop = plot.bottom() + kGap / 2.0;
    if (m_categoryAxis) {
        // Every label fits its slot, or only every few are written.
        int widest = 1;
        for (const QString& category : m_categories) {
            widest = std::max(widest, metrics.horizontalAdvance(category));
        }
        const auto every = static_cast<qsizetype>(std::max(1.0, std::ceil((widest + kGap) / slot)));
        painter.setPen(kTextColour);
        for (qsizetype i = 0; i < m_categories.size(); i += every) {
            const double x = xPixel(static_cast<double>(i));
            painter.drawText(QRectF(x - widest, labelTop, 2.0 * widest, line), Qt::AlignCenter, m_categories[i]);
        }
    } else {
        double written = -1e9; // the right end of the last label written
        for (const double tick : Ticks(m_xScale)) {
            const double x = std::round(xPixel(tick));
            painter.setPen(kGridColour);
            painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
            const QString label = Label(tick);
            const double half = metrics.horizontalAdvance(label) / 2.0;
            if (x - half > written + kGap) {
                painter.setPen(kTextColour);
                painter.drawText(QRectF(x - half - 1, labelTop, 2 * half + 2, line), Qt::AlignCenter, label);
                written = x + half;
            }
        }
    }
    painter.setPen(kAxisColour);
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());

    painter.setPen(kTextColour);
    if (!m_xTitle.isEmpty()) {
        painter.drawText(QRectF(plot.left(), labelTop + line + kGap / 2.0, plot.width(), line), Qt::AlignCenter,
                         m_xTitle);
    }
    if (!m_yTitle.isEmpty()) {
        painter.save();
        painter.translate(area.left(), plot.center().y());
        painter.rotate(-90);
        painter.drawText(QRectF(-plot.height() / 2, 0, plot.height(), line), Qt::AlignCenter, m_yTitle);
        painter.restore();
    }
    return plot;
}

void ChartView::PaintBars(QPainter& painter, const QRectF& plot) const {
    const int line = QFontMetrics(font()).height();
    const double slot = Slot(plot);
    const auto yPixel = [&](double y) { return YPixel(plot, y); };
    // Bars side by side within each category, from the zero line or the scale's nearer end.
    painter.save();
    painter.setClipRect(plot.adjusted(0, -line, 0, 0));
    std::vector<const ChartSeries*> bars;
    for (const auto& series : m_series) {
        if (series->IsVisible() && series->GetKind() == ChartSeries::Kind::Bars) {
            bars.push_back(series.get());
        }
    }
    const double barWidth = bars.empty() ? 0 : slot * kBarShare / static_cast<double>(bars.size());
    const double base = yPixel(std::clamp(0.0, m_yScale.min, m_yScale.max));
    for (std::size_t b = 0; b < bars.size(); ++b) {
        for (const QPointF& point : bars[b]->Points()) {
            const double left = XPixel(plot, point.x()) - slot * kBarShare / 2 + static_cast<double>(b) * barWidth;
            const double end = yPixel(point.y());
            const QRectF bar(QPointF(left, std::min(base, end)), QPointF(left + barWidth, std::max(base, end)));
            painter.fillRect(bar, bars[b]->Pen().color());
            if (m_barLabels) {
                painter.setPen(kTextColour);
                const QRectF above(left - slot, end - line - 1, barWidth + 2 * slot, line);
                painter.drawText(point.y() < 0 ? above.translated(0, line + 2) : above, Qt::AlignCenter,
                                 Label(point.y()));
            }
        }
    }
    painter.restore();
}

void ChartView::PaintLines(QPainter& painter, const QRectF& plot) const {
    const auto yPixel = [&](double y) { return YPixel(plot, y); };
    const auto xPixel = [&](double x) { return XPixel(plot, x); };
    painter.save();
    painter.setClipRect(plot.adjusted(-4, -4, 4, 4));
    painter.setRenderHint(QPainter::Antialiasing);
    for (const auto& series : m_series) {
        if (!series->IsVisible() || series->GetKind() != ChartSeries::Kind::Line || series->Points().isEmpty()) {
            continue;
        }
        QPainterPath path;
        path.moveTo(xPixel(series->Points().front().x()), yPixel(series->Points().front().y()));
        for (const QPointF& point : series->Points()) {
            path.lineTo(xPixel(point.x()), yPixel(point.y()));
        }
        QPen pen = series->Pen();
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::RoundJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
        if (series->PointsShown()) {
            painter.setBrush(pen.color());
            for (const QPointF& point : series->Points()) {
                painter.drawEllipse(QPointF(xPixel(point.x()), yPixel(point.y())), 2.5, 2.5);
            }
        }
    }
    painter.restore();
}

} // namespace drawbook
