#include "app/AboutDlg.h"
#include "app/FileLocations.h"
#include "app/HelpWindow.h"
#include "app/MainMenuDlg.h"
#include "app/SystemDesktop.h"
#include "db/DrawCounter.h"
#include "game/Numbers3Dlg.h"
#include "game/Numbers4Dlg.h"
#include "res/AppIcon.h"
#include "res/ResourceIds.h"
#include "support/DialogDriver.h"
#include "support/RecordingDesktop.h"
#include "support/TestDatabase.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QTest>
#include <QTextBrowser>

#include <filesystem>
#include <fstream>

using namespace drawbook;
using namespace drawbook::test;

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// A main menu started from a program in a directory of its own.
struct OpenMenu {
    RecordingDesktop desktop;
    TempDir dir;
    CMainMenuDlg menu{desktop, Q(dir.File("drawbook"))};

    OpenMenu() { menu.show(); }
};

const QString kDatabaseMessage = QStringLiteral("　データベースを開けませんでした。。\n");

} // namespace

class MainMenuDlgTest : public QObject {
    Q_OBJECT

private slots:
    void locatesBothFilesBesideTheProgram();
    void createsAMissingDatabaseSilently();
    void leavesAGoodDatabaseAlone();
    void reportsAnUnusableDatabaseOnce();
    void opensWithFocusOnCloseSoEnterEndsIt();
    void tabThenSpaceOpensTheThreeDigitWindow();
    void handsTheSamePathsToBothGameWindows();
    void helpFailureSaysStartingFailed();
    void aboutOpensFromButtonAndFromTheWindowMenu();
    void realHelpWindowShowsTheShippedFile();
    void realHelpLaunchFailsForMissingOrUnreadableFiles();
    void applicationIconIsDrawn();
};

void MainMenuDlgTest::locatesBothFilesBesideTheProgram() {
    RecordingDesktop desktop;
    TempDir dir;
    CMainMenuDlg menu(desktop, Q(dir.File("drawbook")));
    QVERIFY(menu.m_strDbPath.isEmpty());
    menu.show();
    QCOMPARE(menu.m_strDbPath, Q(dir.File("ナンバーズ.mdb")));
    QCOMPARE(menu.m_strHelpPath, Q(dir.File("SOMARU屋　ナンバーズ.HLP")));
}

void MainMenuDlgTest::createsAMissingDatabaseSilently() {
    OpenMenu open;
    auto& [desktop, dir, menu] = open;
    QTest::qWait(10);
    QVERIFY(desktop.messages.empty());
    // Both tables exist and are empty: the next draw is the first.
    QCOMPARE(CountDrawsOrThrow(menu.m_strDbPath.toStdString(), Game::Numbers3, "WHERE kaisai>0"), "1");
    QCOMPARE(CountDrawsOrThrow(menu.m_strDbPath.toStdString(), Game::Numbers4, "WHERE kaisai>0"), "1");
}

void MainMenuDlgTest::leavesAGoodDatabaseAlone() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.Insert(Game::Numbers3, TestDraw{1, {0, 4, 7}, {"123", "", "", "", ""}});
    const std::string before = ReadBytes(db.Path());
    CMainMenuDlg menu(desktop, Q(db.Dir().File("drawbook")));
    menu.show();
    QTest::qWait(10);
    QVERIFY(desktop.messages.empty());
    QCOMPARE(ReadBytes(db.Path()), before);
}

void MainMenuDlgTest::reportsAnUnusableDatabaseOnce() {
    struct Case {
        const char* name;
        std::function<void(const TestDatabase&)> spoil;
    };
    const std::vector<Case> cases = {
        {"not a database",
         [](const TestDatabase& db) {
             std::ofstream(db.Path(), std::ios::trunc) << "kaisai,N100,N10,N1\n1,0,4,7\n";
         }},
        {"table missing", [](const TestDatabase& db) { db.Execute("DROP TABLE ナンバーズ4"); }},
        {"column missing", [](const TestDatabase& db) { db.Execute("ALTER TABLE ナンバーズ3 DROP COLUMN atari"); }},
    };
    for (const Case& c : cases) {
        RecordingDesktop desktop;
        TestDatabase db;
        c.spoil(db);
        const std::string before = ReadBytes(db.Path());
        CMainMenuDlg menu(desktop, Q(db.Dir().File("drawbook")));
        menu.show();
        QTest::qWait(10);
        menu.hide();
        menu.show();
        QTest::qWait(10);
        QVERIFY2(desktop.messages.size() == 1, c.name);
        QCOMPARE(desktop.messages[0].text, kDatabaseMessage + Q(db.Path()));
        QCOMPARE(desktop.messages[0].icon, Desktop::Icon::Stop);
        QVERIFY2(ReadBytes(db.Path()) == before, c.name);
    }
}

void MainMenuDlgTest::opensWithFocusOnCloseSoEnterEndsIt() {
    OpenMenu open;
    auto& [desktop, dir, menu] = open;
    QVERIFY(QTest::qWaitForWindowActive(&menu));
    QCOMPARE(QApplication::focusWidget(), menu.Control(IDOK));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(!menu.isVisible());
    QCOMPARE(menu.result(), int(QDialog::Accepted));
    QVERIFY(desktop.modalTitles.empty());
}

void MainMenuDlgTest::tabThenSpaceOpensTheThreeDigitWindow() {
    OpenMenu open;
    auto& [desktop, dir, menu] = open;
    QVERIFY(QTest::qWaitForWindowActive(&menu));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(desktop.modalTitles, std::vector<QString>{QStringLiteral("SOMARU屋　ナンバーズ３　予想＆検索")});
    QVERIFY(menu.isVisible());
}

void MainMenuDlgTest::handsTheSamePathsToBothGameWindows() {
    OpenMenu open;
    auto& [desktop, dir, menu] = open;
    std::vector<std::pair<QString, QString>> handed;
    std::vector<bool> fourDigit;
    desktop.onModal = [&](QDialog& dialog) {
        auto& window = dynamic_cast<CNumbersDlg&>(dialog);
        handed.emplace_back(window.m_strDbPath, window.m_strHelpPath);
        fourDigit.push_back(qobject_cast<CNumbers4Dlg*>(&dialog) != nullptr);
        return int(QDialog::Accepted);
    };
    Click(&menu, IDC_NUMBERS3);
    Click(&menu, IDC_NUMBERS4);
    QCOMPARE(fourDigit, (std::vector<bool>{false, true}));
    const std::pair<QString, QString> expected{menu.m_strDbPath, menu.m_strHelpPath};
    QCOMPARE(handed, (std::vector<std::pair<QString, QString>>{expected, expected}));
    QCOMPARE(desktop.modalTitles[1], QStringLiteral("SOMARU屋　ナンバーズ４　予想＆検索"));
}

void MainMenuDlgTest::helpFailureSaysStartingFailed() {
    OpenMenu open;
    auto& [desktop, dir, menu] = open;
    Click(&menu, IDC_HELP_BUTTON);
    QCOMPARE(desktop.helpPaths, std::vector<QString>{menu.m_strHelpPath});
    QVERIFY(desktop.messages.empty());

    desktop.helpOpens = false;
    Click(&menu, IDC_HELP_BUTTON);
    QCOMPARE(desktop.messages.size(), size_t(1));
    QCOMPARE(desktop.messages[0].text, QStringLiteral("起動できませんでした"));
    QCOMPARE(desktop.messages[0].icon, Desktop::Icon::None);
    QVERIFY(menu.isVisible());
}

void MainMenuDlgTest::aboutOpensFromButtonAndFromTheWindowMenu() {
    OpenMenu open;
    auto& [desktop, dir, menu] = open;
    Click(&menu, IDC_VERSION);

    QVERIFY(menu.SystemMenu() != nullptr);
    const auto actions = menu.SystemMenu()->actions();
    QCOMPARE(actions.size(), 1);
    QCOMPARE(actions[0]->text(), QStringLiteral("SOMARU屋ナンバーズ のﾊﾞｰｼﾞｮﾝ情報(&A)..."));
    actions[0]->trigger();

    const QString about = QStringLiteral("SOMARU屋ナンバーズのﾊﾞｰｼﾞｮﾝ情報");
    QCOMPARE(desktop.modalTitles, (std::vector<QString>{about, about}));

    // Other commands of the window menu are left to the window itself.
    menu.OnSysCommand(0xF020);
    QCOMPARE(desktop.modalTitles.size(), size_t(2));
}

void MainMenuDlgTest::realHelpWindowShowsTheShippedFile() {
    // The build puts the help file beside the programs, this test among them.
    const QString helpPath = QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromUtf8(kHelpFileName));
    QVERIFY2(QFile::exists(helpPath), qPrintable(helpPath));
    SystemDesktop desktop;
    RecordingDesktop quiet;
    CMainMenuDlg menu(quiet, QStringLiteral("/nonexistent/drawbook"));
    menu.show();
    QVERIFY(desktop.OpenHelp(&menu, helpPath));
    auto* help = menu.findChild<HelpWindow*>();
    QVERIFY(help != nullptr);
    QVERIFY(help->isVisible());
    const QString text = help->findChild<QTextBrowser*>()->toPlainText();
    for (const char* word : {"一覧表示", "ボックス", "ストレート", "バージョン情報", "ナンバーズ.mdb"}) {
        QVERIFY2(text.contains(QString::fromUtf8(word)), word);
    }
    // Asking again reuses the window.
    QVERIFY(desktop.OpenHelp(&menu, helpPath));
    QCOMPARE(menu.findChildren<HelpWindow*>().size(), 1);
}

void MainMenuDlgTest::realHelpLaunchFailsForMissingOrUnreadableFiles() {
    TempDir dir;
    SystemDesktop desktop;
    QVERIFY(!desktop.OpenHelp(nullptr, Q(dir.File("SOMARU屋　ナンバーズ.HLP"))));
    QVERIFY(!desktop.OpenHelp(nullptr, Q(dir.Path().string())));
}

void MainMenuDlgTest::applicationIconIsDrawn() {
    const QIcon icon = AppIcon();
    QVERIFY(!icon.isNull());
    QVERIFY(!icon.pixmap(32, 32).isNull());
    QVERIFY(!icon.pixmap(16, 16).isNull());
}

QTEST_MAIN(MainMenuDlgTest)
#include "MainMenuDlgTest.moc"
