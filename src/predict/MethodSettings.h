#pragma once

#include "draw/Game.h"
#include "predict/PredictionMethod.h"

#include <QSettings>
#include <QString>

namespace drawbook {

// The prediction method the player chose for each game, kept between runs.
class MethodSettings {
public:
    MethodSettings();

    // follow until another is chosen.
    Method ChosenMethod(Game game) const;
    void Choose(Game game, Method method);

private:
    QSettings m_settings;
};

// 「予想方法：よく出る数字」: what the 予想 button's tooltip says.
QString MethodTip(Method method);

} // namespace drawbook
