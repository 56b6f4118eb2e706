#pragma once

#include "draw/Bet.h"
#include "predict/PredictionMethod.h"

#include <QColor>
#include <QString>

class QChart;
class QChartView;
class QValueAxis;

namespace drawbook {

// The hit marks of the draw list in deeper shades, mini in blue, the set in purple.
QColor BetColour(Bet bet);

// One colour per prediction method; random, the yardstick, in grey.
QColor MethodColour(Method method);

// A chart of lines over the draws, its legend at the right.
QChart* NewLineChart(const QString& title);
QChartView* NewChartView(QChart* chart);

// The smallest of 1, 2, 5, 10, 20, 50, … that cuts the span into at most `parts` parts.
double RoundStep(double span, int parts);
// 0 to a round number at or above the maximum, with whole-number ticks.
void SetCountRange(QValueAxis* axis, double maximum);
// Ticks at round draw numbers between the first draw and the last.
void SetDrawRange(QValueAxis* axis, int first, int last);
// From the round step at or below the lowest value to the one at or above the highest,
// in at most about `parts` steps.
void SetBalanceRange(QValueAxis* axis, double low, double high, int parts = 6);

} // namespace drawbook
