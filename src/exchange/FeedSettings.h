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

    // Whether the user said No to the shipped history for this book and game.
    bool HistoryDeclined(const QString& dbPath, Game game) const;
    void DeclineHistory(const QString& dbPath, Game game);

private:
    QSettings m_settings;
};

} // namespace drawbook
