#include "exchange/FeedProgress.h"

#include <QEventLoop>
#include <QObject>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <exception>
#include <limits>
#include <memory>

namespace drawbook {

namespace {

QString Kilobytes(std::size_t bytes) {
    return QStringLiteral("%L1 KB").arg(static_cast<qulonglong>((bytes + 1023) / 1024));
}

// Whatever goes wrong on the feed's thread is told as a download that failed.
FeedUpdate Guarded(const std::string& url, const FeedWork& work, const FeedProgress& progress) {
    std::string reason = "思いがけない問題が起きました";
    try {
        return work(progress);
    } catch (const std::exception& e) {
        reason += "（" + std::string(e.what()) + "）";
    } catch (...) {
        // No more to tell than that.
    }
    FeedUpdate update;
    update.outcome = UpdateOutcome::NotDownloaded;
    update.message = NotDownloadedMessage(url, reason);
    return update;
}

} // namespace

// Carries the update from the feed's thread to the dialog's.
class FeedDelivery : public QObject {
    Q_OBJECT

signals:
    void Delivered(const drawbook::FeedUpdate& update);
};

QString ReceivedText(std::size_t received, std::size_t total) {
    return total > 0 ? Kilobytes(received) + QStringLiteral("／") + Kilobytes(total) : Kilobytes(received);
}

FeedUpdate RunFeedWork(QWidget* owner, const QString& url, const FeedWork& work) {
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
    FeedDelivery delivery;
    QObject::connect(&delivery, &FeedDelivery::Delivered, &loop, [&](const FeedUpdate& delivered) {
        update = delivered;
        loop.quit();
    });
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

    const std::string source = url.toStdString();
    const std::unique_ptr<QThread> worker(QThread::create([&] {
        emit delivery.Delivered(Guarded(source, work, [&](std::size_t bytes, std::size_t size) {
            received = bytes;
            total = size;
            return !cancel;
        }));
    }));
    worker->start();
    loop.exec();
    worker->wait();
    return update;
}

FeedUpdate RunFeedUpdate(QWidget* owner, const QString& dbPath, Game game, const QString& url,
                         const FeedLimits& limits) {
    const std::string book = dbPath.toStdString();
    const std::string source = url.toStdString();
    return RunFeedWork(
        owner, url, [&](const FeedProgress& progress) { return UpdateFromFeed(book, game, source, limits, progress); });
}

} // namespace drawbook

#include "FeedProgress.moc"
