#pragma once

#include "draw/Game.h"
#include "predict/PredictionMethod.h"

#include <QString>

#include <array>

class QLineEdit;

namespace drawbook {

class Desktop;

// Proposes five numbers for the game's next draw by the method from its whole history and
// writes them into the five fields, rank 1 first. Nothing is written unless the
// whole history was read; a database that cannot be opened is passed over in
// silence. Returns whether the fields were written.
bool PredictNextDraw(Desktop& desktop, Game game, const QString& dbPath, const QString& filter,
                     const std::array<QLineEdit*, 5>& fields, Method method = Method::Follow);

} // namespace drawbook
