#include "exchange/DrawExchange.h"
#include "exchange/FeedSettings.h"
#include "support/DialogDriver.h"
#include "support/RecordingDesktop.h"
#include "support/TestDatabase.h"

#include <QProgressDialog>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <functional>
#include <stdexcept>

using namespace drawbook;
using namespace drawbook::test;

class DrawExchangeTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { UseOwnSettings(); }
    void init() {
        QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("drawbook"), QStringLiteral("drawbook"))
            .clear();
    }

    void feedThatThrowsFailsAndChangesNothing();
};

// Whatever the update throws halfway through the download, the user reads that nothing came
// from the feed, the book and the window stay as they were, and the next F5 runs again.
void DrawExchangeTest::feedThatThrowsFailsAndChangesNothing() {
    const QString url = QStringLiteral("http://127.0.0.1:1/data/numbers3_results_v2.csv");
    const struct {
        const char* name;
        std::function<void()> fault;
        QString message;
    } cases[] = {
        {"a standard exception", [] { throw std::runtime_error("disk full"); },
         QStringLiteral("　「%1」から当せん番号を受け取れませんでした：思いがけない問題が起きました（disk full）。。")
             .arg(url)},
        {"anything else", [] { throw 42; },
         QStringLiteral("　「%1」から当せん番号を受け取れませんでした：思いがけない問題が起きました。。").arg(url)},
    };
    for (const auto& c : cases) {
        TestDatabase db;
        db.InsertSequence(Game::Numbers3, 3);
        const std::string before = ReadBytes(db.Path());
        FeedSettings().SetUrl(Game::Numbers3, url);
        RecordingDesktop desktop;
        QWidget window;
        const QString dbPath = QString::fromStdString(db.Path());
        const QString historyPath;
        const FeedLimits limits;
        DrawExchange exchange(desktop, Game::Numbers3, dbPath, historyPath, limits, &window);
        QSignalSpy imported(&exchange, &DrawExchange::DrawsImported);
        int runs = 0;
        exchange.m_feedWork = [&](const FeedProgress& progress) -> FeedUpdate {
            ++runs;
            progress(5000, 10000);
            c.fault();
            return {};
        };
        window.show();

        exchange.UpdateResults();
        exchange.UpdateResults();
        QVERIFY2(runs == 2, c.name);
        QCOMPARE(desktop.Texts(), (QStringList{c.message, c.message}));
        QCOMPARE(imported.count(), 0);
        QVERIFY2(window.findChild<QProgressDialog*>() == nullptr, c.name);
        QVERIFY2(ReadBytes(db.Path()) == before, c.name);
    }
}

QTEST_MAIN(DrawExchangeTest)
#include "DrawExchangeTest.moc"
