#pragma once

#include "exchange/FeedUpdate.h"

#include <QString>

class QWidget;

namespace drawbook {

// Updates the book from the feed on a thread of its own, under a progress dialog
// with the bytes received and a Cancel button; returns when the update is over.
FeedUpdate RunFeedUpdate(QWidget* owner, const QString& dbPath, Game game, const QString& url,
                         const FeedLimits& limits = {});

// "386 KB" and, once the size is known, "386 KB／386 KB".
QString ReceivedText(std::size_t received, std::size_t total);

} // namespace drawbook
