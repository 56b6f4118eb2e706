#include "predict/MethodSettings.h"

#include "res/QtText.h"

namespace drawbook {

namespace {

QString MethodKey(Game game) {
    return QStringLiteral("predict/method") + ToQString(GameCode(game));
}

} // namespace

MethodSettings::MethodSettings()
    : m_settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("drawbook"), QStringLiteral("drawbook")) {}

Method MethodSettings::ChosenMethod(Game game) const {
    // A name this version does not know, written by another, falls back as none would.
    const QByteArray name = m_settings.value(MethodKey(game)).toString().toUtf8();
    return MethodFromName(std::string_view(name.constData(), static_cast<std::size_t>(name.size())))
        .value_or(Method::Follow);
}

void MethodSettings::Choose(Game game, Method method) {
    if (method == Method::Follow) {
        m_settings.remove(MethodKey(game));
    } else {
        m_settings.setValue(MethodKey(game), ToQString(MethodName(method)));
    }
}

QString MethodTip(Method method) {
    return QStringLiteral("予想方法：") + ToQString(MethodLabel(method));
}

} // namespace drawbook
