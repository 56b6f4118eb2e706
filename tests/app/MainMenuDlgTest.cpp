#include "app/MainMenuDlg.h"
#include "app/AboutDlg.h"
#include "app/FileLocations.h"
#include "app/HelpWindow.h"
#include "app/SystemDesktop.h"
#include "db/DrawCounter.h"
#include "exchange/BookMigration.h"
#include "game/Numbers3Dlg.h"
#include "game/Numbers4Dlg.h"
#include "res/AppIcon.h"
#include "res/ResourceIds.h"
#include "support/DialogDriver.h"
#include "support/RecordingDesktop.h"
#include "support/TestDatabase.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
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

// The old Jet book the tests convert: 400 draws and a placeholder of draw 0 in each table.
const char* const kJetBook = "legacy/legacy_jet4.mdb";

// The program's directory holding the bytes given as its database, writable.
struct BookBeside {
    TempDir dir;
    std::string path = dir.File("ナンバーズ.mdb");

    explicit BookBeside(const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
        std::filesystem::permissions(path, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
    }
    QString Program() const { return Q(dir.File("drawbook")); }
    // The names of the directory's files, sorted.
    QStringList Files() const { return QDir(Q(dir.Path().string())).entryList(QDir::Files, QDir::Name); }
};

// 一覧表示 in each game window opened from the menu's buttons: the rows listed.
std::pair<QStringList, QStringList> ListBothGames(CMainMenuDlg& menu, RecordingDesktop& desktop) {
    QStringList listed;
    desktop.onModal = [&](QDialog& dialog) {
        Click(&dialog, IDC_LIST_ALL);
        listed.clear();
        // Without the date, the last cell.
        for (const QString& row : ListRows(dynamic_cast<CNumbersDlg&>(dialog).m_listDraws)) {
            listed << row.section(QLatin1Char('\t'), 0, -2);
        }
        return int(QDialog::Accepted);
    };
    Click(&menu, IDC_NUMBERS3);
    QStringList three = listed;
    Click(&menu, IDC_NUMBERS4);
    desktop.onModal = nullptr;
    return {three, listed};
}

} // namespace

class MainMenuDlgTest : public QObject {
    Q_OBJECT

private slots:
    void locatesBothFilesBesideTheProgram();
    void createsAMissingDatabaseSilently();
    void leavesAGoodDatabaseAlone();
    void reportsAnUnusableDatabaseOnce();
    void convertsAnOldBookWhenTheUserSaysYes();
    void leavesAnOldBookAsItIsWhenTheUserSaysNo();
    void reportsAnOldBookThatCannotBeRead();
    void finishesAConversionStoppedBetweenItsRenames();
    void questionBoxDefaultsToYesAndEscapesToNo();
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
    QVERIFY(desktop.questions.empty());
    QCOMPARE(ReadBytes(db.Path()), before);
}

void MainMenuDlgTest::reportsAnUnusableDatabaseOnce() {
    struct Case {
        const char* name;
        std::function<void(const TestDatabase&)> spoil;
    };
    const std::vector<Case> cases = {
        {"not a database",
         [](const TestDatabase& db) { std::ofstream(db.Path(), std::ios::trunc) << "kaisai,N100,N10,N1\n1,0,4,7\n"; }},
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

void MainMenuDlgTest::convertsAnOldBookWhenTheUserSaysYes() {
    const auto jet = SharedDataFile(kJetBook);
    if (!jet) {
        QFAIL(("the shared old book is missing: " + SharedDataPath(kJetBook)).c_str());
    }
    BookBeside book(*jet);
    RecordingDesktop desktop;
    desktop.answers = {true};
    CMainMenuDlg menu(desktop, book.Program());
    menu.show();
    QTRY_COMPARE(desktop.messages.size(), size_t(1));

    QCOMPARE(desktop.questions,
             std::vector<QString>{QStringLiteral(
                 "　以前の形式の記録帳です。新しい形式の記録帳に移しますか？\n\n"
                 "　ナンバーズ3の400回分とナンバーズ4の400回分（回数のない行2行も）を、そのまま新しい記録帳に移します。"
                 "元のファイルは中身を変えずに「ナンバーズ（移行前）.mdb」という名前で残します。。")});
    const std::string oldPath = book.dir.File("ナンバーズ（移行前）.mdb");
    QCOMPARE(desktop.Texts(), QStringList{QStringLiteral("(no stop icon) 　記録帳を移しました（ナンバーズ3は400回分、"
                                                         "ナンバーズ4は400回分、回数のない行2行）。元のファイルは") +
                                          Q(oldPath) + QStringLiteral("にあります。。")});
    QCOMPARE(desktop.waitCursors, 1);
    QCOMPARE(desktop.waitDepth, 0);
    QVERIFY(ReadBytes(oldPath) == *jet);
    QCOMPARE(QString::fromStdString(ReadBytes(book.path).substr(0, 16)), QString::fromLatin1("SQLite format 3\0", 16));
    QCOMPARE(book.Files(), (QStringList{QStringLiteral("ナンバーズ.mdb"), QStringLiteral("ナンバーズ（移行前）.mdb")}));

    // The draws as the old book holds them: draw, winning digits, five numbers; draw 0 is no draw.
    const auto [three, four] = ListBothGames(menu, desktop);
    QCOMPARE(three.size(), 400);
    QCOMPARE(three.mid(0, 2), (QStringList{QStringLiteral("1\t191\t　\t485\t380\t968\t"),
                                           QStringLiteral("2\t988\t534\t712\t\t495\t961")}));
    QCOMPARE(three.last(), QStringLiteral("400\t596\t　\t434\t\t\t　"));
    QCOMPARE(four.size(), 400);
    QCOMPARE(four.mid(0, 2), (QStringList{QStringLiteral("1\t1149\t7085\t　\t5731\t2162\t"),
                                          QStringLiteral("2\t7921\t　\t\t　\t0686\t9865")}));
    QCOMPARE(desktop.messages.size(), size_t(1));
}

void MainMenuDlgTest::leavesAnOldBookAsItIsWhenTheUserSaysNo() {
    const auto jet = SharedDataFile(kJetBook);
    if (!jet) {
        QFAIL(("the shared old book is missing: " + SharedDataPath(kJetBook)).c_str());
    }
    BookBeside book(*jet);
    RecordingDesktop desktop;
    CMainMenuDlg menu(desktop, book.Program());
    menu.show();
    QTRY_COMPARE(desktop.messages.size(), size_t(1));
    QCOMPARE(desktop.questions.size(), size_t(1));
    QCOMPARE(desktop.messages[0].text, kDatabaseMessage + Q(book.path));
    QCOMPARE(desktop.messages[0].icon, Desktop::Icon::Stop);
    QCOMPARE(desktop.waitCursors, 0);
    QVERIFY(ReadBytes(book.path) == *jet);
    QCOMPARE(book.Files(), QStringList{QStringLiteral("ナンバーズ.mdb")});
    // Asked once only, however often the menu is painted.
    menu.hide();
    menu.show();
    QTest::qWait(10);
    QCOMPARE(desktop.questions.size(), size_t(1));
}

void MainMenuDlgTest::reportsAnOldBookThatCannotBeRead() {
    const auto jet = SharedDataFile(kJetBook);
    if (!jet) {
        QFAIL(("the shared old book is missing: " + SharedDataPath(kJetBook)).c_str());
    }
    const std::string cut = jet->substr(0, 100000);
    BookBeside book(cut);
    RecordingDesktop desktop;
    desktop.answers = {true};
    CMainMenuDlg menu(desktop, book.Program());
    menu.show();
    QTRY_COMPARE(desktop.messages.size(), size_t(1));
    QVERIFY(desktop.questions.empty());
    const QString text = desktop.messages[0].text;
    QVERIFY2(text.startsWith(QStringLiteral("　以前の形式の記録帳を読めませんでした。何も変えていません（")) &&
                 text.endsWith(QStringLiteral("）。。")),
             qPrintable(text));
    QCOMPARE(desktop.messages[0].icon, Desktop::Icon::Stop);
    QVERIFY(ReadBytes(book.path) == cut);
    QCOMPARE(book.Files(), QStringList{QStringLiteral("ナンバーズ.mdb")});
}

// Killed after the old file was renamed: the start finds the converted book beside it and
// puts it in place, instead of making an empty one.
void MainMenuDlgTest::finishesAConversionStoppedBetweenItsRenames() {
    const auto jet = SharedDataFile(kJetBook);
    if (!jet) {
        QFAIL(("the shared old book is missing: " + SharedDataPath(kJetBook)).c_str());
    }
    BookBeside book(*jet);
    QCOMPARE(MigrateBook(book.path).outcome, MigrationOutcome::Migrated);
    std::filesystem::rename(book.path, book.path + ".new");
    RecordingDesktop desktop;
    CMainMenuDlg menu(desktop, book.Program());
    menu.show();
    QTRY_VERIFY(std::filesystem::exists(book.path));
    QTest::qWait(10);
    QCOMPARE(book.Files(), (QStringList{QStringLiteral("ナンバーズ.mdb"), QStringLiteral("ナンバーズ（移行前）.mdb")}));
    const auto [three, four] = ListBothGames(menu, desktop);
    QCOMPARE(three.size(), 400);
    QCOMPARE(four.size(), 400);
    QVERIFY(desktop.messages.empty());
}

void MainMenuDlgTest::questionBoxDefaultsToYesAndEscapesToNo() {
    const auto box = NewQuestionBox(nullptr, QStringLiteral("　移しますか？。。"));
    QCOMPARE(box->text(), QStringLiteral("　移しますか？。。"));
    QCOMPARE(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(static_cast<QAbstractButton*>(box->defaultButton()), box->button(QMessageBox::Yes));
    QCOMPARE(box->escapeButton(), box->button(QMessageBox::No));
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
