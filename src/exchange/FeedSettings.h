#pragma once

#include "draw/Game.h"

#include <QSettings>
#include <QString>

namespace drawbook {

// What the user chose about the results feed, kept between runs.
class FeedSettings {
public:
    FeedSettings();

    // Where the game's results come from: the stored URL, else the published one.
    QString Url(Game game) const;
    // An empty URL, or the published one, restores the default.
    void SetUrl(Game game, const QString& url);

    // Whether the user said No to the shipped history for this book and game: on a
    // book without the game's draws once for good, on a book behind it once for each
    // shipped history, so a newer one asks again.
    bool HistoryDeclined(const QString& dbPath, Game game, bool behind = false) const;
    void DeclineHistory(const QString& dbPath, Game game, bool behind = false);

private:
    QSettings m_settings;
};

} // namespace drawbook
