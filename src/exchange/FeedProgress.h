#pragma once

#include "exchange/FeedUpdate.h"

#include <QString>

#include <functional>

class QWidget;

namespace drawbook {

// The update itself: it tells progress how far the download is, and stops when told to.
using FeedWork = std::function<FeedUpdate(const FeedProgress& progress)>;

// Runs the work on a thread of its own, under a progress dialog with the bytes
// received and a Cancel button; returns when the work is over. Work that throws
// ends as a download that failed from the URL.
FeedUpdate RunFeedWork(QWidget* owner, const QString& url, const FeedWork& work);

// Updates the book from the feed that way.
FeedUpdate RunFeedUpdate(QWidget* owner, const QString& dbPath, Game game, const QString& url,
                         const FeedLimits& limits = {});

// "386 KB" and, once the size is known, "386 KB／386 KB".
QString ReceivedText(std::size_t received, std::size_t total);

} // namespace drawbook
