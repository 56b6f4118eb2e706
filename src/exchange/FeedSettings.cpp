#include "exchange/FeedSettings.h"

#include "exchange/FeedUpdate.h"
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
constexpr const char* kDeclinedBehindKey = "history/declinedBehind";

// One book and game: "3 /home/me/ナンバーズ.mdb"; behind the shipped history, that
// history's last draw first: "7054 3 /home/me/ナンバーズ.mdb".
QString BookKey(const QString& dbPath, Game game, bool behind) {
    const QString key = ToQString(GameCode(game)) + QLatin1Char(' ') + QFileInfo(dbPath).absoluteFilePath();
    return behind ? QString::number(kBundledLastDraw) + QLatin1Char(' ') + key : key;
}

QString DeclinedKey(bool behind) {
    return QLatin1String(behind ? kDeclinedBehindKey : kDeclinedKey);
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

bool FeedSettings::HistoryDeclined(const QString& dbPath, Game game, bool behind) const {
    return m_settings.value(DeclinedKey(behind)).toStringList().contains(BookKey(dbPath, game, behind));
}

void FeedSettings::DeclineHistory(const QString& dbPath, Game game, bool behind) {
    QStringList declined = m_settings.value(DeclinedKey(behind)).toStringList();
    const QString key = BookKey(dbPath, game, behind);
    if (!declined.contains(key)) {
        declined << key;
        m_settings.setValue(DeclinedKey(behind), declined);
    }
}

} // namespace drawbook
