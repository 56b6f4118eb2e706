#pragma once

#include "draw/Bet.h"
#include "predict/PredictionMethod.h"

#include <QColor>
#include <QString>

namespace drawbook {

class ChartView;

// The hit marks of the draw list in deeper shades, mini in blue, the set in purple.
QColor BetColour(Bet bet);

// One colour per prediction method; random, the yardstick, in grey.
QColor MethodColour(Method method);

// A chart of lines over the draws, its legend at the right.
ChartView* NewLineChart(const QString& title, const QString& xTitle, const QString& yTitle);

} // namespace drawbook
