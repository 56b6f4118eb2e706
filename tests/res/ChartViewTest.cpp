#include "res/ChartView.h"

#include <QImage>
#include <QTest>

using namespace drawbook;

namespace {

QStringList LegendNames(const ChartView& chart) {
    QStringList names;
    for (const ChartSeries* series : chart.LegendEntries()) {
        names << series->Name();
    }
    return names;
}

// How many pixels of the chart are painted in the colour.
int PixelsOf(ChartView& chart, const QColor& colour) {
    const QImage image = chart.grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixelColor(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

} // namespace

class ChartViewTest : public QObject {
    Q_OBJECT

private slots:
    void legendNamesTheShownSeries();
    void hiddenSeriesAreNotPainted();
};

void ChartViewTest::legendNamesTheShownSeries() {
    ChartView chart(QStringLiteral("収支"));
    ChartSeries* bars = chart.AddBars(QStringLiteral("月ごとの収支"), Qt::blue);
    ChartSeries* line = chart.AddLine(QStringLiteral("収支の累計"), QPen(Qt::red, 2, Qt::DashLine));
    chart.AddLine(QString(), QPen(Qt::green));
    QCOMPARE(LegendNames(chart), (QStringList{QStringLiteral("月ごとの収支"), QStringLiteral("収支の累計")}));
    QCOMPARE(line->Pen().style(), Qt::DashLine);

    line->SetVisible(false);
    QCOMPARE(LegendNames(chart), QStringList{QStringLiteral("月ごとの収支")});
    line->SetVisible(true);
    bars->SetVisible(false);
    QCOMPARE(LegendNames(chart), QStringList{QStringLiteral("収支の累計")});
    chart.SetLegend(ChartView::Legend::None);
    QCOMPARE(LegendNames(chart), QStringList());
}

void ChartViewTest::hiddenSeriesAreNotPainted() {
    const QColor barColour(10, 200, 30);
    const QColor lineColour(200, 10, 30);
    ChartView chart(QStringLiteral("回数"));
    chart.SetLegend(ChartView::Legend::None);
    chart.resize(300, 240);
    chart.SetCategories({QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")});
    chart.SetYScale(CountScale(8));
    ChartSeries* bars = chart.AddBars(QStringLiteral("回数"), barColour);
    ChartSeries* line = chart.AddLine(QStringLiteral("累計"), QPen(lineColour, 3));
    bars->ReplaceValues({2, 8, 4});
    line->Replace({QPointF(0, 1), QPointF(2, 6)});
    QCOMPARE(bars->Values(), (QList<double>{2, 8, 4}));
    QVERIFY(PixelsOf(chart, barColour) > 100);
    QVERIFY(PixelsOf(chart, lineColour) > 20);

    line->SetVisible(false);
    QCOMPARE(PixelsOf(chart, lineColour), 0);
    QVERIFY(PixelsOf(chart, barColour) > 100);
    bars->Clear();
    QCOMPARE(PixelsOf(chart, barColour), 0);
}

QTEST_MAIN(ChartViewTest)
#include "ChartViewTest.moc"
