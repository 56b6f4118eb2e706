#include "exchange/DrawImport.h"
#include "exchange/FeedSettings.h"
#include "exchange/FeedSettingsDlg.h"
#include "game/Numbers3Dlg.h"
#include "game/Numbers4Dlg.h"
#include "res/ResourceIds.h"
#include "support/DialogDriver.h"
#include "support/LoopbackServer.h"
#include "support/RecordingDesktop.h"
#include "support/TestDatabase.h"

#include <QAction>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <sstream>
#include <string>

using namespace drawbook;
using namespace drawbook::test;

namespace {

constexpr const char* kFeedPath = "/data/numbers3_results_v2.csv";
const QString kNoStop = QStringLiteral("(no stop icon) ");

// The real ナンバーズ3 history without its last two draws, in a new book.
bool TwoDrawsBehind(const TestDatabase& db, std::string& real) {
    const auto file = ShippedHistoryFile("numbers3_results.csv");
    if (!file) {
        return false;
    }
    real = *file;
    std::size_t end = real.rfind('\n', real.rfind('\n', real.size() - 2) - 1);
    return ImportDrawCsv(db.Path(), Game::Numbers3, real.substr(0, end + 1)).added == 7052;
}

// Draws 1 to 400 of the real ナンバーズ3 history without dates or payouts, as a
// converted old book holds them.
bool First400Draws(const TestDatabase& db) {
    const auto file = ShippedHistoryFile("numbers3_results.csv");
    if (!file) {
        return false;
    }
    std::istringstream lines(*file);
    std::string line;
    std::getline(lines, line);
    std::string csv = "draw_no,winning_number\n";
    for (int drawNo = 1; drawNo <= 400 && std::getline(lines, line); ++drawNo) {
        const std::size_t date = line.find(',');
        csv += line.substr(0, date) + ',' + line.substr(line.find(',', date + 1) + 1, 3) + '\n';
    }
    const ImportResult result = ImportDrawCsv(db.Path(), Game::Numbers3, csv);
    return result.added == 400 && result.completed == 0;
}

} // namespace

class NumbersFeedTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { UseOwnSettings(); }
    void init() {
        QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("drawbook"), QStringLiteral("drawbook"))
            .clear();
    }

    void pointedAtAnotherFeedF5CatchesUp();
    void cancelChangesNothing();
    void offersTheShippedHistoryOnce();
    void offersTheRestOfTheShippedHistoryToABookBehind();
};

// The user sets the feed in the settings dialog, which refuses what is no URL, then presses F5.
void NumbersFeedTest::pointedAtAnotherFeedF5CatchesUp() {
    TestDatabase db;
    std::string real;
    if (!TwoDrawsBehind(db, real)) {
        QFAIL("the shipped draw history in src/exchange/history is missing");
    }
    LoopbackServer server;
    server.Serve(kFeedPath, {.body = real});
    RecordingDesktop desktop;
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    QCOMPARE(TextOf(window.get(), IDC_NEXT_DRAW), QStringLiteral("7053"));

    bool stayedOpen = false;
    QString shownUrl;
    desktop.onModal = [&](QDialog& dialog) {
        auto& settings = static_cast<CFeedSettingsDlg&>(dialog);
        shownUrl = settings.m_editUrl3->text();
        settings.m_editUrl3->setText(QStringLiteral("ftp://127.0.0.1/numbers3.csv"));
        Click(&dialog, IDOK);
        stayedOpen = dialog.isVisible() && settings.result() == QDialog::Rejected;
        settings.m_editUrl3->setText(QStringLiteral("  ") + QString::fromStdString(server.Url(kFeedPath)));
        settings.m_editUrl4->clear();
        Click(&dialog, IDOK);
        return dialog.result();
    };
    window->m_actionFeedSettings->trigger();
    QCOMPARE(shownUrl, QStringLiteral("https://hazimekom.github.io/numbers4-api/data/numbers3_results_v2.csv"));
    QVERIFY(stayedOpen);
    QCOMPARE(desktop.Texts(),
             QStringList{QStringLiteral("　取り込み元には https://、http://、file:// で始まるURLを入れてください"
                                        "（「ftp://127.0.0.1/numbers3.csv」は https://、http://、file:// "
                                        "のどれでも始まっていません）。。")});
    QCOMPARE(FeedSettings().Url(Game::Numbers3), QString::fromStdString(server.Url(kFeedPath)));
    QCOMPARE(FeedSettings().Url(Game::Numbers4),
             QStringLiteral("https://hazimekom.github.io/numbers4-api/data/numbers4_results_v2.csv"));

    desktop.messages.clear();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window->m_editN1, Qt::Key_F5);
    QCOMPARE(desktop.Texts(), QStringList{kNoStop + QStringLiteral("　第7053回～第7054回の2回分を追加しました。。")});
    QCOMPARE(TextOf(window.get(), IDC_NEXT_DRAW), QStringLiteral("7055"));
    QCOMPARE(ListRows(window->m_listDraws).size(), 7054);

    window->m_actionUpdate->trigger();
    QCOMPARE(desktop.Texts().last(), kNoStop + QStringLiteral("　記録帳は最新です（第7054回まで登録済み）。。"));

    // A failure is a stop.
    const std::string missing = server.Url("/data/gone.csv");
    FeedSettings().SetUrl(Game::Numbers3, QString::fromStdString(missing));
    window->m_actionUpdate->trigger();
    QCOMPARE(desktop.Texts().last(),
             QString::fromStdString("　「" + missing +
                                    "」から当せん番号を受け取れませんでした：サーバーの答えはHTTP "
                                    "404でした。。"));
}

// Cancel while the server holds back the rest of the file: no message, nothing written, the window as it was.
void NumbersFeedTest::cancelChangesNothing() {
    TestDatabase db;
    db.InsertSequence(Game::Numbers3, 3);
    const std::string before = ReadBytes(db.Path());
    LoopbackServer server;
    server.Serve(kFeedPath, {.body = std::string(100000, '1'), .delivery = Delivery::StallMidBody, .stallAfter = 5000});
    FeedSettings().SetUrl(Game::Numbers3, QString::fromStdString(server.Url(kFeedPath)));
    RecordingDesktop desktop;
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    window->m_feedLimits.transferSeconds = 10;
    const QStringList rows = ListRows(window->m_listDraws);

    QString shown;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* progress = window->findChild<QProgressDialog*>();
        if (progress != nullptr && progress->labelText().contains(QStringLiteral("5 KB／98 KB"))) {
            shown = progress->labelText();
            QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
            watch.stop();
        }
    });
    watch.start(20);
    window->m_actionUpdate->trigger();
    QCOMPARE(
        shown,
        QStringLiteral("「%1」から受け取っています…\n5 KB／98 KB").arg(QString::fromStdString(server.Url(kFeedPath))));
    QVERIFY(desktop.Texts().isEmpty());
    QVERIFY(window->findChild<QProgressDialog*>() == nullptr);
    QCOMPARE(ListRows(window->m_listDraws), rows);
    QCOMPARE(ReadBytes(db.Path()), before);
}

// A new book's window asks once per book and game; Yes brings in the whole shipped history.
void NumbersFeedTest::offersTheShippedHistoryOnce() {
    const QString question = QStringLiteral("　過去の当せん番号（第1回～第7054回）を取り込みますか？\n\n"
                                            "　この記録帳には、まだナンバーズ３の回がありません。プログラムに付いている"
                                            "当せん番号を、抽せん日・当せん金とともに取り込みます。。");
    const auto open = [](RecordingDesktop& desktop, const TestDatabase& db, Game game) {
        auto window =
            OpenGameWindow(game, desktop, db.Path(),
                           game == Game::Numbers3 ? QStringLiteral(DRAWBOOK_BUNDLED_DIR "numbers3_results.csv")
                                                  : QStringLiteral(DRAWBOOK_BUNDLED_DIR "numbers4_results.csv"));
        QTest::qWait(50);
        return window;
    };

    TestDatabase declined;
    RecordingDesktop no;
    open(no, declined, Game::Numbers3);
    QCOMPARE(no.questions, std::vector<QString>{question});
    open(no, declined, Game::Numbers3);
    QCOMPARE(no.questions.size(), std::size_t{1});
    open(no, declined, Game::Numbers4); // the other game is asked on its own
    QCOMPARE(no.questions.size(), std::size_t{2});
    QCOMPARE(declined.Count("SELECT COUNT(*) FROM ナンバーズ3"), 0);

    TestDatabase accepted;
    RecordingDesktop yes;
    yes.answers = {true};
    const auto window = open(yes, accepted, Game::Numbers3);
    QCOMPARE(yes.questions, std::vector<QString>{question});
    QCOMPARE(yes.Texts(), QStringList{kNoStop + QStringLiteral("　7054回分を追加しました（第1回～第7054回）。"
                                                               "抽せん日・当せん金を7054回分に記録しました。。")});
    QCOMPARE(TextOf(window.get(), IDC_NEXT_DRAW), QStringLiteral("7055"));
}

// A book with draws 1 to 400 is offered the rest, even after its empty book declined
// the whole history; No is not asked again, Yes brings the book to 第7054回.
void NumbersFeedTest::offersTheRestOfTheShippedHistoryToABookBehind() {
    const QString question = QStringLiteral("　第401回～第7054回の当せん番号がありません。プログラムに付いている"
                                            "当せん番号から取り込みますか？");
    const QString history = QStringLiteral(DRAWBOOK_BUNDLED_DIR "numbers3_results.csv");

    TestDatabase declined;
    QVERIFY2(First400Draws(declined), "the shipped draw history in src/exchange/history is missing");
    FeedSettings().DeclineHistory(QString::fromStdString(declined.Path()), Game::Numbers3);
    RecordingDesktop no;
    for (int run = 0; run < 2; ++run) {
        const auto window = OpenGameWindow(Game::Numbers3, no, declined.Path(), history);
        QTest::qWait(50);
        QCOMPARE(TextOf(window.get(), IDC_NEXT_DRAW), QStringLiteral("401"));
    }
    QCOMPARE(no.questions, std::vector<QString>{question});
    QVERIFY(no.messages.empty());

    TestDatabase accepted;
    QVERIFY(First400Draws(accepted));
    RecordingDesktop yes;
    yes.answers = {true};
    const auto window = OpenGameWindow(Game::Numbers3, yes, accepted.Path(), history);
    QTest::qWait(50);
    QCOMPARE(yes.questions, std::vector<QString>{question});
    QCOMPARE(yes.Texts(),
             QStringList{kNoStop + QStringLiteral("　6654回分を追加しました（第401回～第7054回）。登録済みの400回分は"
                                                  "飛ばしました。抽せん日・当せん金を7054回分に記録しました。。")});
    QCOMPARE(TextOf(window.get(), IDC_NEXT_DRAW), QStringLiteral("7055"));
    QCOMPARE(ListRows(window->m_listDraws).size(), 7054);
}

QTEST_MAIN(NumbersFeedTest)
#include "NumbersFeedTest.moc"
