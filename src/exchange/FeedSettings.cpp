#include "exchange/FeedSettings.h"

#include "exchange/ResultsFeed.h"
#include "res/QtText.h"

#include <QFileInfo>
#include <QStringList>

namespace drawbook {

namespace {

QString UrlKey(Game game) {
    return QStringLiteral("feed/numbers") + ToQString(GameCode(game));
}

constexpr const char* kDeclinedKey = "history/declined";

// One book and game: "3 /home/me/ナンバーズ.mdb".
QString BookKey(const QString& dbPath, Game game) {
    return ToQString(GameCode(game)) + QLatin1Char(' ') + QFileInfo(dbPath).absoluteFilePath();
}

} // namespace

FeedSettings::FeedSettings()
    : m_settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("drawbook"), QStringLiteral("drawbook")) {}

QString FeedSettings::Url(Game game) const {
    const QString stored = m_settings.value(UrlKey(game)).toString();
    return stored.isEmpty() ? ToQString(DefaultFeedUrl(game)) : stored;
}

void FeedSettings::SetUrl(Game game, const QString& url) {
    if (url.isEmpty() || url == ToQString(DefaultFeedUrl(game))) {
        m_settings.remove(UrlKey(game));
    } else {
        m_settings.setValue(UrlKey(game), url);
    }
}

bool FeedSettings::HistoryDeclined(const QString& dbPath, Game game) const {
    return m_settings.value(QLatin1String(kDeclinedKey)).toStringList().contains(BookKey(dbPath, game));
}

void FeedSettings::DeclineHistory(const QString& dbPath, Game game) {
    QStringList declined = m_settings.value(QLatin1String(kDeclinedKey)).toStringList();
    const QString key = BookKey(dbPath, game);
    if (!declined.contains(key)) {
        declined << key;
        m_settings.setValue(QLatin1String(kDeclinedKey), declined);
    }
}

} // namespace drawbook
