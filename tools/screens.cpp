// Writes a PNG of every dialog, with the game windows listing a sample database.
// Usage: drawbook-screens [directory [database for the statistics windows]]

#include "app/AboutDlg.h"
#include "app/MainMenuDlg.h"
#include "app/SystemDesktop.h"
#include "db/Connection.h"
#include "db/DrawDatabase.h"
#include "db/DrawResultsTable.h"
#include "db/Statement.h"
#include "db/Transaction.h"
#include "edit/EditDrawDlg.h"
#include "exchange/DrawImport.h"
#include "exchange/FeedProgress.h"
#include "exchange/FeedSettings.h"
#include "exchange/FeedSettingsDlg.h"
#include "exchange/FeedUpdate.h"
#include "game/Numbers3Dlg.h"
#include "game/Numbers4Dlg.h"
#include "predict/MethodSettings.h"
#include "predict/PredictionQuery.h"
#include "register/RegisterDlg.h"
#include "res/AppIcon.h"
#include "res/Desktop.h"
#include "res/QtText.h"
#include "res/ResourceIds.h"
#include "stats/StatisticsDlg.h"
#include "support/LoopbackServer.h"
#include "tickets/TicketBook.h"
#include "tickets/TicketsDlg.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHelpEvent>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

namespace {

using namespace drawbook;

// Shows nothing: the screens are taken without anyone to answer a message.
class QuietDesktop : public Desktop {
public:
    void ShowMessage(QWidget*, const QString& text, Icon) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    bool AskQuestion(QWidget*, const QString& text, Answer) override {
        std::fprintf(stderr, "%s\n", qPrintable(text));
        return false;
    }
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    int RunModal(QDialog&) override { return 0; }
    bool OpenHelp(QWidget*, const QString&) override { return true; }
    void OpenUrl(const QString&) override {}
    QString ChooseFileToOpen(QWidget*, const QString&, const QString&) override { return {}; }
    QString ChooseFileToSave(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
};

// yyyymmdd of the draws, one each weekday from 2026-07-01 (a Wednesday) on.
std::vector<int> WeekdayDates(int count) {
    using namespace std::chrono;
    std::vector<int> dates;
    for (sys_days day = 2026y / July / 1; static_cast<int>(dates.size()) < count; day += days(1)) {
        const weekday on(day);
        if (on != Saturday && on != Sunday) {
            const year_month_day date(day);
            dates.push_back(static_cast<int>(date.year()) * 10000 + static_cast<int>(unsigned(date.month())) * 100 +
                            static_cast<int>(unsigned(date.day())));
        }
    }
    return dates;
}

// Tickets of each game over July and August: two that won in July among losses, only
// losses in August, and two for draws still to come.
void WriteSampleTickets(const std::string& path, const std::map<Game, std::vector<std::string>>& winning) {
    for (const auto& [game, drawn] : winning) {
        const auto won = [&drawn](int drawNo) { return drawn[static_cast<std::size_t>(drawNo - 1)]; };
        // Every digit one up: no bet of it wins.
        const auto lost = [&won](int drawNo) {
            std::string number = won(drawNo);
            for (char& digit : number) {
                digit = static_cast<char>('0' + (digit - '0' + 1) % 10);
            }
            return number;
        };
        // Box is not sold for a number of one digit.
        const auto box = [&won](int drawNo) {
            const std::string number = won(drawNo);
            return number.find_first_not_of(number[0]) == std::string::npos ? Bet::Straight : Bet::Box;
        };
        std::vector<NewTicket> tickets = {
            {2, lost(2), Bet::Straight, 2},   {4, won(4), box(4), 1},
            {9, lost(9), Bet::Box, 3},        {15, won(15), game == Game::Numbers3 ? Bet::Mini : box(15), 2},
            {25, lost(25), Bet::Straight, 5}, {30, lost(30), Bet::Set, 2},
            {35, lost(35), Bet::Box, 3},      {39, lost(38), Bet::Straight, 1},
            {40, lost(38), Bet::Straight, 1},
        };
        const RecordResult recorded = RecordTickets(path, game, tickets);
        if (recorded.outcome != TicketWrite::Done) {
            std::printf("could not record the sample's tickets: %s%s\n", recorded.message.c_str(),
                        recorded.error.c_str());
        }
    }
}

// Forty draws of each game, some with numbers, from a fixed sequence; every draw but
// the last two has its date and payouts.
void WriteSample(const std::string& path) {
    std::filesystem::remove(path);
    CreateDatabase(path);
    Connection connection(path, OpenMode::ReadWrite);
    Transaction transaction(connection);
    unsigned seed = 20261207;
    const auto next = [&seed] {
        seed = seed * 1103515245U + 12345U;
        return static_cast<char>('0' + (seed >> 16) % 10);
    };
    std::map<Game, std::vector<std::string>> winning; // each game's draws from 1 on
    for (const Game game : {Game::Numbers3, Game::Numbers4}) {
        const int digits = static_cast<int>(DigitColumns(game).size());
        std::string sql = "INSERT INTO " + std::string(TableName(game)) + " VALUES (?";
        for (int column = 1; column < digits + 6; ++column) {
            sql += ",?";
        }
        sql += ",' ')";
        for (int kaisai = 1; kaisai <= 40; ++kaisai) {
            Statement insert(connection, sql);
            insert.BindInt(1, kaisai);
            std::string& drawn = winning[game].emplace_back();
            for (int d = 0; d < digits; ++d) {
                drawn += next();
                insert.BindInt(2 + d, drawn.back() - '0');
            }
            for (int n = 0; n < 5; ++n) {
                std::string number;
                for (int d = 0; d < digits && kaisai % 3 != 0; ++d) {
                    number += next();
                }
                insert.BindText(2 + digits + n, number);
            }
            insert.Execute();
        }
    }
    CreateResultsTable(connection);
    const std::vector<int> dates = WeekdayDates(38);
    for (const Game game : {Game::Numbers3, Game::Numbers4}) {
        // Payouts near the usual ones, in hundreds of yen.
        const int straight = game == Game::Numbers3 ? 900 : 9000;
        const int box = game == Game::Numbers3 ? 150 : 375;
        ResultsWriter writer(connection, game, false);
        for (int kaisai = 1; kaisai <= static_cast<int>(dates.size()); ++kaisai) {
            const int spread = 80 + (next() - '0') * 4; // 80 to 116 percent
            DrawResults results;
            results.date = dates[static_cast<std::size_t>(kaisai - 1)];
            results.yen[static_cast<std::size_t>(Prize::Straight)] = straight * spread;
            results.yen[static_cast<std::size_t>(Prize::Box)] = box * spread;
            results.yen[static_cast<std::size_t>(Prize::SetStraight)] = (straight + box) / 2 * spread;
            results.yen[static_cast<std::size_t>(Prize::SetBox)] = box / 2 * spread;
            if (game == Game::Numbers3) {
                results.yen[static_cast<std::size_t>(Prize::Mini)] = 90 * spread;
            }
            writer.Write(kaisai, results);
        }
    }
    transaction.Commit();
    WriteSampleTickets(path, winning);
}

bool SaveShot(const QPixmap& shot, const QDir& dir, const QString& name) {
    const QString file = dir.filePath(name + QStringLiteral(".png"));
    const bool saved = shot.save(file);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(file));
    return saved;
}

bool Save(QWidget& dialog, const QDir& dir, const QString& name) {
    dialog.show();
    QApplication::processEvents();
    const bool saved = SaveShot(dialog.grab(), dir, name);
    dialog.close();
    return saved;
}

// The window widened and lengthened, after 一覧表示 and 予想: the newest draws with their dates.
template <class Window>
bool SaveGameWindow(Desktop& desktop, const QDir& dir, const QString& dbPath, const QString& name) {
    Window window(desktop);
    window.m_strDbPath = dbPath;
    window.show();
    window.resize(window.width() + 120, window.height() + 90);
    window.OnListAll();
    window.OnPredict();
    return Save(window, dir, name);
}

// The game window with its draw list's context menu open over the list.
bool SaveListMenu(Desktop& desktop, const QDir& dir, const QString& dbPath, const QString& name) {
    CNumbers3Dlg window(desktop);
    window.m_strDbPath = dbPath;
    window.show();
    window.OnListAll();
    const QPoint at = window.m_listDraws->viewport()->mapTo(&window, QPoint(120, 60));
    window.m_menuDrawList->popup(window.mapToGlobal(at));
    QApplication::processEvents();
    QPixmap shot = window.grab();
    {
        QPainter painter(&shot);
        painter.drawPixmap(at, window.m_menuDrawList->grab());
    }
    window.m_menuDrawList->close();
    window.close();
    return SaveShot(shot, dir, name);
}

// The window with the tooltip of the widget at the point.
bool SaveWithTip(QWidget& window, QWidget* widget, QPoint at, const QDir& dir, const QString& name) {
    QHelpEvent help(QEvent::ToolTip, at, widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &help);
    QApplication::processEvents();
    QWidget* tip = nullptr;
    for (QWidget* shown : QApplication::topLevelWidgets()) {
        if (shown->inherits("QTipLabel") && shown->isVisible()) {
            tip = shown;
        }
    }
    if (tip == nullptr) {
        std::printf("no tooltip in %s\n", qPrintable(name));
        return false;
    }
    // The tooltip may reach past the window: the picture holds both.
    const QRect tipRect(window.mapFromGlobal(tip->pos()), tip->size());
    const QRect whole = window.rect().united(tipRect);
    QPixmap shot(whole.size());
    shot.fill(Qt::darkGray);
    {
        QPainter painter(&shot);
        painter.drawPixmap(-whole.topLeft(), window.grab());
        painter.drawPixmap(tipRect.topLeft() - whole.topLeft(), tip->grab());
    }
    tip->hide();
    return SaveShot(shot, dir, name);
}

// The game window listing every draw, with the tooltip of a draw number's cell:
// its date and payouts.
bool SaveDrawTooltip(Desktop& desktop, const QDir& dir, const QString& dbPath, const QString& name) {
    CNumbers3Dlg window(desktop);
    window.m_strDbPath = dbPath;
    window.show();
    window.OnListAll();
    QApplication::processEvents();
    QTableView* list = window.m_listDraws;
    // A draw a few rows above the newest, which the list scrolled to.
    const QRect cell = list->visualRect(list->model()->index(list->model()->rowCount() - 3, 0));
    const bool saved = SaveWithTip(window, list->viewport(), cell.center(), dir, name);
    window.close();
    return saved;
}

// Answers every question Yes, and pictures each question and message as the real
// desktop shows them, "<name>-question", "<name>-message", ….
class PicturingDesktop : public QuietDesktop {
public:
    PicturingDesktop(const QDir& dir, QString name) : m_dir(dir), m_name(std::move(name)) {}

    void ShowMessage(QWidget* owner, const QString& text, Icon icon) override {
        QuietDesktop::ShowMessage(owner, text, icon);
        Picture(*NewMessageBox(owner, text, icon), QStringLiteral("-message"));
    }
    bool AskQuestion(QWidget* owner, const QString& text, Answer preset) override {
        Picture(*NewQuestionBox(owner, text, preset), QStringLiteral("-question"));
        return true;
    }

    int boxes = 0;
    bool saved = true;

private:
    // A second message is "<name>-message-2", and so on.
    void Picture(QMessageBox& box, const QString& suffix) {
        box.show();
        QApplication::processEvents();
        const int seen = ++m_seen[suffix];
        saved &=
            SaveShot(box.grab(), m_dir, m_name + suffix + (seen > 1 ? QStringLiteral("-%1").arg(seen) : QString()));
        box.close();
        ++boxes;
    }

    QDir m_dir;
    QString m_name;
    std::map<QString, int> m_seen;
};

// A fresh directory holding a copy of the old Jet book as the program's database:
// the question the main menu asks, the message after the conversion, and the
// three-digit window listing the converted draws.
bool SaveMigration(const QDir& dir, const QString& name) {
    const std::filesystem::path jet = std::filesystem::path(DRAWBOOK_SHARED_DATA) / "legacy/legacy_jet4.mdb";
    const QDir home(dir.absoluteFilePath(name));
    const std::filesystem::path dbPath =
        std::filesystem::path(home.filePath(QString::fromUtf8(kDatabaseFileName)).toStdString());
    std::error_code error;
    std::filesystem::remove_all(home.path().toStdString(), error);
    std::filesystem::create_directories(home.path().toStdString(), error);
    if (!std::filesystem::copy_file(jet, dbPath, error)) {
        std::printf("could not copy %s: %s\n", jet.string().c_str(), error.message().c_str());
        return false;
    }
    std::filesystem::permissions(dbPath, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);

    PicturingDesktop desktop(dir, name);
    {
        CMainMenuDlg menu(desktop, home.filePath(QStringLiteral("drawbook")));
        menu.show();
        // The menu asks once it is painted; the question and the message follow.
        QElapsedTimer waited;
        waited.start();
        while (desktop.boxes < 2 && waited.elapsed() < 10000) {
            QApplication::processEvents();
        }
        menu.close();
    }
    if (desktop.boxes < 2) {
        std::printf("the main menu did not offer to convert %s\n", dbPath.string().c_str());
        return false;
    }
    return desktop.saved && SaveGameWindow<CNumbers3Dlg>(desktop, dir, QString::fromStdString(dbPath.string()),
                                                         name + QStringLiteral("-numbers3"));
}

// The statistics window as opened from the game window, one PNG per tab: "statistics3"
// for the first, "statistics3-backtest", "statistics3-ledger" and so on for the others.
template <class Window>
bool SaveStatistics(Desktop& desktop, const QDir& dir, const QString& dbPath, const QString& name) {
    Window window(desktop);
    window.m_strDbPath = dbPath;
    window.show();
    window.OnStatistics();
    CStatisticsDlg* statistics = window.StatisticsWindow();
    if (statistics == nullptr || !statistics->isVisible()) {
        std::printf("could not open the statistics of %s\n", qPrintable(name));
        return false;
    }
    const QString suffixes[] = {QString(),
                                QStringLiteral("-since"),
                                QStringLiteral("-patterns"),
                                QStringLiteral("-backtest"),
                                QStringLiteral("-ledger"),
                                QStringLiteral("-methods")};
    bool saved = true;
    for (int tab = 0; tab < statistics->m_tabs->count() && tab < static_cast<int>(std::size(suffixes)); ++tab) {
        statistics->m_tabs->setCurrentIndex(tab);
        QApplication::processEvents();
        saved &= SaveShot(statistics->grab(), dir, name + suffixes[tab]);
    }
    window.close();
    return saved;
}

// The game window after よく出る数字 was made its method in the statistics window:
// "<name>-chosen" with the statistics' row selected, "<name>" with the predictions
// made again and the 予想 button's tooltip. The choice is undone afterwards.
template <class Window>
bool SaveChosenMethod(Desktop& desktop, const QDir& dir, const QString& dbPath, const QString& name) {
    Window window(desktop);
    window.m_strDbPath = dbPath;
    window.show();
    window.OnListAll();
    window.OnPredict();
    window.OnStatistics();
    CStatisticsDlg* statistics = window.StatisticsWindow();
    if (statistics == nullptr || !statistics->isVisible()) {
        std::printf("could not open the statistics of %s\n", qPrintable(name));
        return false;
    }
    statistics->m_tabs->setCurrentWidget(statistics->m_pageMethods);
    // Hot's first row: the rows run method by method, each with every scored bet.
    statistics->m_tableMethods->selectRow(static_cast<int>(ScoredBetsOf(window.GetGame()).size()));
    statistics->m_buttonChooseMethod->click();
    QApplication::processEvents();
    bool saved = SaveShot(statistics->grab(), dir, name + QStringLiteral("-chosen"));
    statistics->close();
    auto* predict = window.template ControlAs<QPushButton>(IDC_PREDICT);
    saved &= SaveWithTip(window, predict, predict->rect().center(), dir, name);
    MethodSettings().Choose(window.GetGame(), Method::Follow);
    window.close();
    return saved;
}

// The window after a straight search for the digits given by field ID.
template <class Window>
bool SaveSearch(Desktop& desktop, const QDir& dir, const QString& dbPath, const QString& name,
                std::initializer_list<std::pair<int, const char*>> digits) {
    Window window(desktop);
    window.m_strDbPath = dbPath;
    window.show();
    window.template ControlAs<QRadioButton>(IDC_STRAIGHT)->setChecked(true);
    for (const auto& [id, digit] : digits) {
        window.template ControlAs<QLineEdit>(id)->setText(QString::fromLatin1(digit));
    }
    window.OnSearch();
    return Save(window, dir, name);
}

// The edit dialog on draw 11, opened as from the game window's list.
bool SaveEditDraw(Desktop& desktop, const QDir& dir, const QString& dbPath, const QString& game, const QString& name) {
    CEditDrawDlg dialog(desktop);
    dialog.m_strGame = game;
    dialog.m_strDbPath = dbPath;
    dialog.m_strDrawNo = QStringLiteral("11");
    dialog.m_strNextDrawNo = QStringLiteral("41");
    return Save(dialog, dir, name);
}

// The registration dialog as opened, with the winning digits typed in.
bool SaveRegister(Desktop& desktop, const QDir& dir, const QString& dbPath) {
    CRegisterDlg dialog(desktop);
    dialog.m_strDbPath = dbPath;
    dialog.show();
    for (const auto& [id, digit] : {std::pair{IDC_REG_N100_3, "4"},
                                    {IDC_REG_N10_3, "0"},
                                    {IDC_REG_N1_3, "9"},
                                    {IDC_REG_N1000_4, "1"},
                                    {IDC_REG_N100_4, "2"},
                                    {IDC_REG_N10_4, "3"},
                                    {IDC_REG_N1_4, "4"}}) {
        dialog.ControlAs<QLineEdit>(id)->setText(QString::fromLatin1(digit));
    }
    return Save(dialog, dir, QStringLiteral("register"));
}

// A three-digit window on a new book, or on one holding the first `draws` draws:
// the offer of the shipped history, the message after it was taken, and the
// window listing it.
bool SaveHistoryOffer(const QDir& dir, const QString& name, int draws = 0) {
    const QDir home(dir.absoluteFilePath(name));
    std::error_code error;
    std::filesystem::remove_all(home.path().toStdString(), error);
    std::filesystem::create_directories(home.path().toStdString(), error);
    const QString dbPath = home.filePath(QString::fromUtf8(kDatabaseFileName));
    if (PrepareDatabase(dbPath.toStdString()).state == DatabaseState::Unusable) {
        return false;
    }
    const QString historyPath =
        QDir(QCoreApplication::applicationDirPath()).filePath(ToQString(BundledHistoryFileName(Game::Numbers3)));
    if (draws > 0) {
        QFile history(historyPath);
        if (!history.open(QIODevice::ReadOnly)) {
            std::printf("could not read %s\n", qPrintable(historyPath));
            return false;
        }
        std::string head;
        for (int line = 0; line <= draws && !history.atEnd(); ++line) {
            head += history.readLine().toStdString();
        }
        if (ImportDrawCsv(dbPath.toStdString(), Game::Numbers3, head).added != static_cast<std::size_t>(draws)) {
            std::printf("could not store the first %d draws of %s\n", draws, qPrintable(historyPath));
            return false;
        }
    }
    PicturingDesktop desktop(dir, name);
    CNumbers3Dlg window(desktop);
    window.m_strDbPath = dbPath;
    window.m_strHistoryPath = historyPath;
    window.show();
    QElapsedTimer waited;
    waited.start();
    while (desktop.boxes < 2 && waited.elapsed() < 10000) {
        QApplication::processEvents();
    }
    std::printf("%s: asked, imported and listed in %lld ms\n", qPrintable(name), waited.elapsed());
    if (desktop.boxes < 2) {
        std::printf("the window did not offer %s\n", qPrintable(window.m_strHistoryPath));
        return false;
    }
    return desktop.saved && Save(window, dir, name + QStringLiteral("-numbers3"));
}

// The sample book's three-digit window: the question before the newest draw is
// deleted; then a file whose draw 1 has other digits, refused, the question whether
// it may replace the stored draw, and the message after it did.
bool SaveDeleteAndReplace(const QDir& dir, const QString& dbPath) {
    const QString copy = dir.filePath(QStringLiteral("changed.mdb"));
    QFile::remove(copy);
    if (!QFile::copy(dbPath, copy)) {
        return false;
    }
    bool saved = true;
    {
        PicturingDesktop desktop(dir, QStringLiteral("delete"));
        CNumbers3Dlg window(desktop);
        window.m_strDbPath = copy;
        window.show();
        window.OnListAll();
        window.m_listDraws->selectRow(window.m_listDraws->model()->rowCount() - 1);
        window.OnDeleteDraws();
        saved &= desktop.saved && desktop.boxes == 1;
    }
    const QString file = dir.filePath(QStringLiteral("changed.csv"));
    {
        QFile csv(file);
        saved &= csv.open(QIODevice::WriteOnly) && csv.write("開催回数,当選数字\n1,000\n2,000\n") > 0;
    }
    PicturingDesktop desktop(dir, QStringLiteral("replace"));
    CNumbers3Dlg window(desktop);
    window.m_strDbPath = copy;
    window.show();
    window.ImportCsvFile(file);
    window.close();
    QFile::remove(file);
    QFile::remove(copy);
    return saved && desktop.saved && desktop.boxes == 3;
}

// The settings dialog as opened, and the progress of a download halfway through.
bool SaveFeed(Desktop& desktop, const QDir& dir, const QString& dbPath) {
    bool saved = true;
    {
        CFeedSettingsDlg settings(desktop);
        saved &= Save(settings, dir, QStringLiteral("feed-settings"));
    }
    // The server holds back the rest of the file until the picture is taken.
    test::LoopbackServer server;
    const std::string path = "/data/numbers3_results_v2.csv";
    server.Serve(path,
                 {.body = std::string(386805, '1'), .delivery = test::Delivery::StallMidBody, .stallAfter = 163840});
    CNumbers3Dlg window(desktop);
    window.m_strDbPath = dbPath;
    window.show();
    bool pictured = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* progress = window.findChild<QProgressDialog*>();
        if (progress != nullptr && progress->labelText().endsWith(QStringLiteral("160 KB／378 KB"))) {
            watch.stop();
            QApplication::processEvents();
            pictured = SaveShot(progress->grab(), dir, QStringLiteral("feed-progress"));
            progress->cancel();
        }
    });
    watch.start(50);
    RunFeedUpdate(&window, dbPath, Game::Numbers3, QString::fromStdString(server.Url(path)),
                  FeedLimits{.transferSeconds = 10});
    window.close();
    return saved && pictured;
}

// The message of a download that failed: nothing listens on port 1.
bool SaveFeedFailure(const QDir& dir, const QString& dbPath) {
    PicturingDesktop desktop(dir, QStringLiteral("feed-failed"));
    FeedSettings settings;
    settings.SetUrl(Game::Numbers3, QStringLiteral("http://127.0.0.1:1/data/numbers3_results_v2.csv"));
    CNumbers3Dlg window(desktop);
    window.m_strDbPath = dbPath;
    window.show();
    window.OnUpdateResults();
    settings.SetUrl(Game::Numbers3, {});
    window.close();
    return desktop.saved && desktop.boxes == 1;
}

// The winning number of a stored three-digit draw.
std::string WinningNumber(Connection& connection, int kaisai) {
    std::string sql = "SELECT ";
    for (const std::string_view column : DigitColumns(Game::Numbers3)) {
        sql += std::string(column) + (column == DigitColumns(Game::Numbers3).back() ? "" : " || ");
    }
    Statement select(connection, sql + " FROM " + std::string(TableName(Game::Numbers3)) + " WHERE kaisai = ?");
    select.BindInt(1, kaisai);
    return select.Step() ? select.ColumnText(0) : std::string();
}

// A copy of the sample book with three-digit tickets for draws 35 to 43, some of them
// won: the purchase dialog listing them ("tickets3"); then a file bringing draws 41
// and 42, and the summary after its import ("tickets-summary-message") with the
// window listing the two draws with their tickets' numbers.
bool SaveTickets(const QDir& dir, const QString& dbPath) {
    const QString copy = dir.filePath(QStringLiteral("tickets.mdb"));
    QFile::remove(copy);
    if (!QFile::copy(dbPath, copy)) {
        return false;
    }
    std::vector<std::string> won;
    {
        Connection connection(copy.toStdString(), OpenMode::ReadOnly);
        for (int kaisai = 35; kaisai <= 39; ++kaisai) {
            won.push_back(WinningNumber(connection, kaisai));
        }
    }
    const auto other = [](std::string number, std::size_t position) {
        number[position] = static_cast<char>('0' + (number[position] - '0' + 1) % 10);
        return number;
    };
    std::vector<NewTicket> tickets = {
        {35, won[0], Bet::Straight, 2},
        {35, won[0], Bet::Box, 1},
        {36, std::string(won[1].rbegin(), won[1].rend()), Bet::Set, 1},
        {37, other(won[2], 0), Bet::Mini, 3},
        {38, other(won[3], 2), Bet::Straight, 1},
        {39, won[4], Bet::Box, 1},
    };
    for (const Bet bet : {Bet::Straight, Bet::Box}) {
        const std::vector<NewTicket> continued = ContinuedTickets({41, "123", bet, 1}, 3);
        tickets.insert(tickets.end(), continued.begin(), continued.end());
    }
    const RecordResult recorded = RecordTickets(copy.toStdString(), Game::Numbers3, tickets);
    if (recorded.outcome != TicketWrite::Done) {
        std::printf("could not record the tickets: %s%s\n", recorded.message.c_str(), recorded.error.c_str());
        return false;
    }
    QuietDesktop quiet;
    bool saved = true;
    {
        CTicketsDlg dialog(quiet, Game::Numbers3);
        dialog.m_strDbPath = copy;
        dialog.m_strNextDrawNo = QStringLiteral("41");
        const PredictionResult predicted =
            PredictFromDatabase(copy.toStdString(), Game::Numbers3, std::string(kAllDrawsClause));
        for (std::size_t k = 0; k < dialog.m_strPredictions.size(); ++k) {
            dialog.m_strPredictions[k] = ToQString(predicted.numbers[k]);
        }
        saved &= Save(dialog, dir, QStringLiteral("tickets3"));
    }
    const QString file = dir.filePath(QStringLiteral("tickets.csv"));
    {
        QFile csv(file);
        saved &= csv.open(QIODevice::WriteOnly) &&
                 csv.write("開催回数,当選数字,ストレート,ボックス,セット（ストレート）,セット（ボックス）,ミニ\n"
                           "41,123,90000,15000,52500,7500,9000\n"
                           "42,456,100100,16600,58300,8300,10000\n") > 0;
    }
    PicturingDesktop desktop(dir, QStringLiteral("tickets-summary"));
    CNumbers3Dlg window(desktop);
    window.m_strDbPath = copy;
    window.show();
    window.ImportCsvFile(file);
    saved &= desktop.saved && desktop.boxes == 1 && Save(window, dir, QStringLiteral("tickets-summary-numbers3"));
    QFile::remove(file);
    QFile::remove(copy);
    return saved;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setWindowIcon(AppIcon());
    // The message box buttons in Japanese, as the program shows them.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTranslator);
    }
    // Settings as a new user has them, whatever this machine's user chose or a test left behind.
    const QTemporaryDir settingsFolder;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsFolder.path());
    const QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screens"));
    if (!QDir().mkpath(dir.path())) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(dir.path()));
        return 1;
    }
    const QString dbPath = dir.filePath(QString::fromUtf8(kDatabaseFileName));
    WriteSample(dbPath.toStdString());

    QuietDesktop desktop;
    bool ok = true;
    {
        CMainMenuDlg menu(desktop, dir.filePath(QStringLiteral("drawbook")));
        ok &= Save(menu, dir, QStringLiteral("main-menu"));
    }
    {
        CAboutDlg about(desktop);
        ok &= Save(about, dir, QStringLiteral("about"));
    }
    ok &= SaveGameWindow<CNumbers3Dlg>(desktop, dir, dbPath, QStringLiteral("numbers3"));
    ok &= SaveGameWindow<CNumbers4Dlg>(desktop, dir, dbPath, QStringLiteral("numbers4"));
    ok &= SaveSearch<CNumbers3Dlg>(desktop, dir, dbPath, QStringLiteral("numbers3-search"), {{IDC_N10, "5"}});
    ok &= SaveSearch<CNumbers4Dlg>(desktop, dir, dbPath, QStringLiteral("numbers4-search"), {{IDC_N1000, "3"}});
    ok &= SaveListMenu(desktop, dir, dbPath, QStringLiteral("numbers3-menu"));
    ok &= SaveDrawTooltip(desktop, dir, dbPath, QStringLiteral("numbers3-tooltip"));
    ok &= SaveRegister(desktop, dir, dbPath);
    ok &= SaveEditDraw(desktop, dir, dbPath, QStringLiteral("3"), QStringLiteral("edit3"));
    ok &= SaveEditDraw(desktop, dir, dbPath, QStringLiteral("4"), QStringLiteral("edit4"));
    // The statistics may come from another database, such as one holding the real history.
    const QString statisticsDb = argc > 2 ? QString::fromLocal8Bit(argv[2]) : dbPath;
    ok &= SaveStatistics<CNumbers3Dlg>(desktop, dir, statisticsDb, QStringLiteral("statistics3"));
    ok &= SaveStatistics<CNumbers4Dlg>(desktop, dir, statisticsDb, QStringLiteral("statistics4"));
    ok &= SaveChosenMethod<CNumbers3Dlg>(desktop, dir, statisticsDb, QStringLiteral("numbers3-method"));
    ok &= SaveMigration(dir, QStringLiteral("migrate"));
    ok &= SaveHistoryOffer(dir, QStringLiteral("history"));
    ok &= SaveHistoryOffer(dir, QStringLiteral("history-behind"), 400);
    ok &= SaveDeleteAndReplace(dir, dbPath);
    ok &= SaveFeed(desktop, dir, dbPath);
    ok &= SaveFeedFailure(dir, dbPath);
    ok &= SaveTickets(dir, dbPath);
    return ok ? 0 : 1;
}
