#pragma once

#include <QColor>

namespace drawbook {

// The background of what won, in every list: soft enough for black text to stay readable.
inline const QColor kStraightHitColour(255, 224, 130);
inline const QColor kBoxHitColour(200, 236, 200); // mini and set share the box's green

} // namespace drawbook
