#include "exchange/FeedProgress.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <limits>
#include <thread>

namespace drawbook {

namespace {

QString Kilobytes(std::size_t bytes) {
    return QStringLiteral("%L1 KB").arg(static_cast<qulonglong>((bytes + 1023) / 1024));
}

} // namespace

QString ReceivedText(std::size_t received, std::size_t total) {
    return total > 0 ? Kilobytes(received) + QStringLiteral("／") + Kilobytes(total) : Kilobytes(received);
}

FeedUpdate RunFeedUpdate(QWidget* owner, const QString& dbPath, Game game, const QString& url,
                         const FeedLimits& limits) {
    const QString caption = QStringLiteral("「%1」から受け取っています…\n").arg(url);
    QProgressDialog progress(owner);
    progress.setWindowTitle(QStringLiteral("最新の当せん番号を取り込む"));
    progress.setLabelText(caption + ReceivedText(0, 0));
    progress.setCancelButtonText(QStringLiteral("キャンセル"));
    progress.setRange(0, 0);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    progress.setMinimumDuration(0);
    progress.setMinimumWidth(420);
    progress.setWindowModality(Qt::WindowModal);

    std::atomic<bool> cancel = false;
    std::atomic<std::size_t> received = 0;
    std::atomic<std::size_t> total = 0;
    FeedUpdate update;
    QEventLoop loop;
    const auto stop = [&] {
        cancel = true;
        progress.setLabelText(QStringLiteral("やめています…"));
    };
    QObject::connect(&progress, &QProgressDialog::canceled, &progress, stop);
    QObject::connect(&progress, &QDialog::rejected, &progress, stop); // Escape
    QTimer shown;
    shown.setInterval(100);
    QObject::connect(&shown, &QTimer::timeout, &progress, [&] {
        if (cancel) {
            return;
        }
        if (progress.wasCanceled()) {
            stop();
            return;
        }
        const std::size_t size = total;
        const std::size_t bytes = received;
        if (size > 0 && size <= static_cast<std::size_t>(std::numeric_limits<int>::max())) {
            progress.setRange(0, static_cast<int>(size));
            progress.setValue(static_cast<int>(std::min(bytes, size)));
        }
        progress.setLabelText(caption + ReceivedText(bytes, size));
    });
    shown.start();
    progress.show();

    std::thread worker([&] {
        update = UpdateFromFeed(dbPath.toStdString(), game, url.toStdString(), limits,
                                [&](std::size_t bytes, std::size_t size) {
                                    received = bytes;
                                    total = size;
                                    return !cancel;
                                });
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    return update;
}

} // namespace drawbook
