// The window interactions the bench times, one mode per process; run with
// QT_QPA_PLATFORM=offscreen. Timed modes print "key value" lines on stdout
// for drawbook-bench: milliseconds, kilobytes, and check lines that the
// drawbook mode and its floor must print alike.
//
//   list BOOK                  both game windows, 一覧表示 each
//   list-floor BOOK FONT FAMILIES LAYOUT...
//                              the same rows in a bare QTableView of the same size
//   stats 3|4 BOOK             the statistics window: first open, then again
//   startup BOOKDIR            what main.cpp does, up to the main menu's first paint
//   startup-floor              a dialog with a label and three buttons, started alike

#include "app/DrawBookApp.h"
#include "game/DrawListModel.h"
#include "game/Numbers3Dlg.h"
#include "game/Numbers4Dlg.h"
#include "platform/Display.h"
#include "res/AppIcon.h"
#include "res/Desktop.h"
#include "stats/StatisticsDlg.h"

#include <sqlite3.h>

#include <QAbstractTableModel>
#include <QApplication>
#include <QBrush>
#include <QDate>
#include <QDialog>
#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QLibraryInfo>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QTranslator>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Resident memory now, in kilobytes.
long RssKb() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "drawbook-window-bench: %s\n", what);
    std::exit(1);
}

// Shows nothing and never blocks; a message is said on stderr, since none is expected.
class QuietDesktop : public drawbook::Desktop {
public:
    void ShowMessage(QWidget*, const QString& text, Icon) override {
        std::fprintf(stderr, "drawbook-window-bench: the window said: %s\n", qPrintable(text));
    }
    bool AskQuestion(QWidget*, const QString& text, Answer) override {
        std::fprintf(stderr, "drawbook-window-bench: the window asked: %s\n", qPrintable(text));
        return false;
    }
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    int RunModal(QDialog&) override { return QDialog::Rejected; }
    bool OpenHelp(QWidget*, const QString&) override { return false; }
    void OpenUrl(const QString&) override {}
    QString ChooseFileToOpen(QWidget*, const QString&, const QString&) override { return {}; }
    QString ChooseFileToSave(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
};

// Counts paint events: of every widget, and of the one a measurement waits for.
class PaintCounter : public QObject {
public:
    int paints = 0;
    const QObject* target = nullptr;
    int targetPaints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
            targetPaints += watched == target ? 1 : 0;
        }
        return false;
    }
};

PaintCounter& Paints() {
    static PaintCounter* counter = [] {
        auto* c = new PaintCounter;
        QCoreApplication::instance()->installEventFilter(c);
        return c;
    }();
    return *counter;
}

// Runs the event loop as it runs after a change (posted events, deferred item
// and chart layouts, update requests and the paints they bring) until `target`
// has painted and two passes in a row paint nothing more. Without a target,
// until two passes paint nothing: whatever the change repainted is done then.
void PaintOut(const QWidget* target) {
    PaintCounter& counter = Paints();
    counter.target = target;
    counter.targetPaints = 0;
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    for (int quiet = 0; quiet < 2;) {
        const int before = counter.paints;
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        const bool painted = target == nullptr || counter.targetPaints > 0;
        quiet = painted && counter.paints == before ? quiet + 1 : 0;
        if (Clock::now() > deadline) {
            Fail("the window did not paint");
        }
    }
    counter.target = nullptr;
}

// One line of cells, as the check lines give a row.
QString RowText(const QAbstractItemModel& model, int row) {
    QStringList cells;
    for (int column = 0; column < model.columnCount(); ++column) {
        cells << model.data(model.index(row, column), Qt::DisplayRole).toString();
    }
    return cells.join(QLatin1Char('|'));
}

// FNV-1a over the text's UTF-16 units: the same in every process.
std::uint64_t Mix(const QString& text, std::uint64_t hash) {
    for (const QChar c : text) {
        hash = (hash ^ c.unicode()) * 0x100000001B3ULL;
    }
    return (hash ^ 0xFFFF) * 0x100000001B3ULL; // ends the text
}

// What the list shows: its rows, the first and the last, how many cells are
// marked as hits, and a hash of every text, tooltips included.
void PrintCheck(const char* key, const QAbstractItemModel& model, const QTableView& view) {
    const int rows = model.rowCount();
    int hits = 0;
    std::uint64_t hash = 0xCBF29CE484222325ULL;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < model.columnCount(); ++column) {
            const QModelIndex index = model.index(row, column);
            hash = Mix(model.data(index, Qt::DisplayRole).toString(), hash);
            if (model.data(index, Qt::BackgroundRole).isValid()) {
                ++hits;
                hash = Mix(model.data(index, Qt::ToolTipRole).toString(), hash);
            }
        }
    }
    // The newest row is on screen and the view scrolls over every row.
    const bool laidOut = rows == 0 || (view.viewport()->rect().contains(view.visualRect(model.index(rows - 1, 0))) &&
                                       view.verticalScrollBar()->maximum() > 0);
    std::printf("%s rows=%d laid-out=%d hits=%d hash=%llx first=%s last=%s\n", key, rows, laidOut ? 1 : 0, hits,
                static_cast<unsigned long long>(hash), qPrintable(rows > 0 ? RowText(model, 0) : QString()),
                qPrintable(rows > 0 ? RowText(model, rows - 1) : QString()));
}

// --- list -------------------------------------------------------------------

int ListMode(const QString& book) {
    QuietDesktop desktop;
    drawbook::CNumbers3Dlg three(desktop);
    drawbook::CNumbers4Dlg four(desktop);
    for (drawbook::CNumbersDlg* dialog :
         {static_cast<drawbook::CNumbersDlg*>(&three), static_cast<drawbook::CNumbersDlg*>(&four)}) {
        dialog->m_strDbPath = book;
        dialog->show(); // runs OnInitDialog, as RunModal's exec does
        PaintOut(dialog);
    }

    // The floor paints a view of this size, in this font, with these columns.
    const QTableView& view = *three.m_listDraws;
    std::printf("layout %d %d %d %d %d %d %d", three.width(), three.height(), view.x(), view.y(), view.width(),
                view.height(), view.verticalHeader()->defaultSectionSize());
    for (int column = 0; column < view.model()->columnCount(); ++column) {
        std::printf(" %d", view.columnWidth(column));
    }
    std::printf("\nfont %s\nfamilies %s\n", qPrintable(three.font().toString()),
                qPrintable(three.font().families().join(QLatin1Char('|'))));

    const long before = RssKb();
    const auto start3 = Clock::now();
    three.OnListAll();
    PaintOut(three.m_listDraws->viewport());
    const auto end3 = Clock::now();
    const long after3 = RssKb();
    const auto start4 = Clock::now();
    four.OnListAll();
    PaintOut(four.m_listDraws->viewport());
    const auto end4 = Clock::now();
    const long after4 = RssKb();

    std::printf("list3_ms %.3f\nlist4_ms %.3f\n", Ms(start3, end3), Ms(start4, end4));
    std::printf("list3_kb %ld\nlist4_kb %ld\nboth_kb %ld\n", after3 - before, after4 - after3, after4 - before);
    PrintCheck("check3", three.DrawList(), *three.m_listDraws);
    PrintCheck("check4", four.DrawList(), *four.m_listDraws);
    return 0;
}

// The floor's model: a row is a few integers, its five numbers sit in one
// shared UTF-8 buffer, and every text is made when the view asks for it.
class FloorModel : public QAbstractTableModel {
public:
    FloorModel(int positions, QStringList captions) : m_positions(positions), m_captions(std::move(captions)) {}

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_captions.size());
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
            return m_captions.value(section);
        }
        return QAbstractTableModel::headerData(section, orientation, role);
    }

    QVariant data(const QModelIndex& index, int role) const override {
        const Row& row = m_rows[static_cast<std::size_t>(index.row())];
        const int column = index.column();
        switch (role) {
        case Qt::DisplayRole:
            if (column == 0) {
                return QString::number(row.kaisai);
            }
            if (column == 1) {
                QString winning;
                for (int p = 0; p < m_positions; ++p) {
                    if (row.digits[p] >= 0) {
                        winning += QString::number(row.digits[p]);
                    }
                }
                return winning;
            }
            if (column == 7) {
                return DateText(row.date);
            }
            return QString::fromUtf8(Number(row, column - 2));
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        case Qt::BackgroundRole:
        case Qt::ToolTipRole: {
            const int hit = column >= 2 && column < 7 ? Hit(row, column - 2) : 0;
            static const std::array<const char*, 4> kTips = {"", "ストレート当選", "ボックス当選", "ミニ当選"};
            if (hit == 0) {
                return {};
            }
            if (role == Qt::ToolTipRole) {
                return QString::fromUtf8(kTips[static_cast<std::size_t>(hit)]);
            }
            return QBrush(hit == 1 ? QColor(255, 224, 130) : QColor(200, 236, 200));
        }
        default:
            return {};
        }
    }

    static int CountDraws(const char* path, bool four) {
        sqlite3* db = nullptr;
        sqlite3_stmt* statement = Open(path,
                                       four ? "SELECT kaisai FROM ナンバーズ4 WHERE kaisai>0"
                                            : "SELECT kaisai FROM ナンバーズ3 WHERE kaisai>0",
                                       db);
        int draws = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            ++draws;
        }
        sqlite3_finalize(statement);
        sqlite3_close(db);
        return draws;
    }

    // The dates come with the rows, in the same statement.
    void Load(const char* path, bool four) {
        sqlite3* db = nullptr;
        sqlite3_stmt* statement =
            Open(path,
                 four ? "SELECT g.kaisai,N1000,N100,N10,N1,kounyu1,kounyu2,kounyu3,kounyu4,kounyu5,"
                        "r.draw_date FROM ナンバーズ4 g LEFT JOIN draw_results r "
                        "ON r.game='4' AND r.kaisai=g.kaisai WHERE g.kaisai>0"
                      : "SELECT g.kaisai,N100,N10,N1,kounyu1,kounyu2,kounyu3,kounyu4,kounyu5,"
                        "r.draw_date FROM ナンバーズ3 g LEFT JOIN draw_results r "
                        "ON r.game='3' AND r.kaisai=g.kaisai WHERE g.kaisai>0",
                 db);
        beginResetModel();
        while (sqlite3_step(statement) == SQLITE_ROW) {
            Row row{};
            row.kaisai = static_cast<std::int16_t>(sqlite3_column_int(statement, 0));
            for (int p = 0; p < m_positions; ++p) {
                row.digits[p] = sqlite3_column_type(statement, 1 + p) == SQLITE_NULL
                                    ? std::int8_t{-1}
                                    : static_cast<std::int8_t>(sqlite3_column_int(statement, 1 + p));
            }
            for (int n = 0; n < 5; ++n) {
                row.numbers[n] = static_cast<std::uint32_t>(m_text.size());
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 1 + m_positions + n));
                if (text != nullptr) {
                    m_text.append(text, static_cast<std::size_t>(sqlite3_column_bytes(statement, 1 + m_positions + n)));
                }
            }
            row.numbers[5] = static_cast<std::uint32_t>(m_text.size());
            row.date = ReadDate(sqlite3_column_text(statement, 6 + m_positions));
            m_rows.push_back(row);
        }
        endResetModel();
        sqlite3_finalize(statement);
        sqlite3_close(db);
    }

private:
    static sqlite3_stmt* Open(const char* path, const char* sql, sqlite3*& db) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_open_v2(path, &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK ||
            sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK) {
            Fail("the floor cannot read the book");
        }
        return statement;
    }

    struct Row {
        std::int32_t date; // yyyymmdd; 0 when unknown
        std::int16_t kaisai;
        std::array<std::int8_t, 4> digits;    // -1: missing
        std::array<std::uint32_t, 6> numbers; // where each number starts in m_text; [5]: the end
    };

    // "2026-08-21" as 20260821; 0 for anything else.
    static std::int32_t ReadDate(const unsigned char* text) {
        int y = 0;
        int m = 0;
        int d = 0;
        if (text == nullptr || std::sscanf(reinterpret_cast<const char*>(text), "%4d-%2d-%2d", &y, &m, &d) != 3 ||
            !QDate(y, m, d).isValid()) {
            return 0;
        }
        return y * 10000 + m * 100 + d;
    }

    static QString DateText(std::int32_t date) {
        if (date == 0) {
            return {};
        }
        static const QStringList kDays = {QStringLiteral("月"), QStringLiteral("火"), QStringLiteral("水"),
                                          QStringLiteral("木"), QStringLiteral("金"), QStringLiteral("土"),
                                          QStringLiteral("日")};
        const QDate day(date / 10000, date / 100 % 100, date % 100);
        return QStringLiteral("%1-%2-%3（%4）")
            .arg(day.year(), 4, 10, QLatin1Char('0'))
            .arg(day.month(), 2, 10, QLatin1Char('0'))
            .arg(day.day(), 2, 10, QLatin1Char('0'))
            .arg(kDays[day.dayOfWeek() - 1]);
    }

    QByteArray Number(const Row& row, int n) const {
        return QByteArray::fromRawData(m_text.data() + row.numbers[n], row.numbers[n + 1] - row.numbers[n]);
    }

    // 0 none, 1 straight, 2 box, 3 mini (three digits: the last two in order).
    int Hit(const Row& row, int n) const {
        const QByteArray text = Number(row, n);
        std::array<int, 4> digits{};
        int count = 0;
        for (int i = 0; i < text.size() && count <= m_positions;) {
            const auto c = static_cast<unsigned char>(text[i]);
            if (c >= '0' && c <= '9') {
                digits[static_cast<std::size_t>(count < 4 ? count : 3)] = c - '0';
                i += 1;
            } else if (c == 0xEF && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0xBC &&
                       static_cast<unsigned char>(text[i + 2]) >= 0x90 &&
                       static_cast<unsigned char>(text[i + 2]) <= 0x99) {
                digits[static_cast<std::size_t>(count < 4 ? count : 3)] =
                    static_cast<unsigned char>(text[i + 2]) - 0x90;
                i += 3;
            } else {
                return 0;
            }
            ++count;
        }
        if (count != m_positions) {
            return 0;
        }
        std::array<int, 4> winning{};
        for (int p = 0; p < m_positions; ++p) {
            if (row.digits[p] < 0 || row.digits[p] > 9) {
                return 0;
            }
            winning[p] = row.digits[p];
        }
        if (digits == winning) {
            return 1;
        }
        std::array<int, 4> a = digits;
        std::array<int, 4> b = winning;
        std::sort(a.begin(), a.end());
        std::sort(b.begin(), b.end());
        if (a == b) {
            return 2;
        }
        const int last = m_positions - 1;
        return m_positions == 3 && digits[last - 1] == winning[last - 1] && digits[last] == winning[last] ? 3 : 0;
    }

    int m_positions;
    QStringList m_captions;
    std::vector<Row> m_rows;
    std::string m_text;
};

// A dialog of the game window's size holding nothing but the list.
struct FloorWindow {
    QDialog dialog;
    QTableView* view;
    FloorModel model;

    FloorWindow(int positions, const std::vector<int>& layout, const QFont& font)
        : view(new QTableView(&dialog)),
          model(positions, {QStringLiteral("開催回数"), QStringLiteral("当選数字"), QStringLiteral("予想数字１"),
                            QStringLiteral("予想数字２"), QStringLiteral("予想数字３"), QStringLiteral("予想数字４"),
                            QStringLiteral("予想数字５"), QStringLiteral("抽せん日")}) {
        dialog.setFont(font);
        dialog.setFixedSize(layout[0], layout[1]);
        view->setGeometry(layout[2], layout[3], layout[4], layout[5]);
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setShowGrid(false);
        view->setWordWrap(false);
        view->verticalHeader()->hide();
        view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        view->verticalHeader()->setDefaultSectionSize(layout[6]);
        view->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        view->setModel(&model);
        for (int column = 0; column < 8; ++column) {
            view->setColumnWidth(column, layout[7 + static_cast<std::size_t>(column)]);
        }
    }

    // As 一覧表示: the newest row selected and in view.
    void ShowNewest() {
        view->selectRow(model.rowCount() - 1);
        view->scrollToBottom();
    }
};

int ListFloorMode(const char* book, const QString& fontText, const QString& families, const std::vector<int>& layout) {
    QFont font;
    font.fromString(fontText);
    font.setFamilies(families.split(QLatin1Char('|')));
    FloorWindow three(3, layout, font);
    FloorWindow four(4, layout, font);
    for (FloorWindow* window : {&three, &four}) {
        // As the game window counts the draws when it opens, SQLite has run before the list.
        window->model.CountDraws(book, window == &four);
        window->dialog.show();
        PaintOut(&window->dialog);
    }

    const long before = RssKb();
    const auto start3 = Clock::now();
    three.model.Load(book, false);
    three.ShowNewest();
    PaintOut(three.view->viewport());
    const auto end3 = Clock::now();
    const long after3 = RssKb();
    const auto start4 = Clock::now();
    four.model.Load(book, true);
    four.ShowNewest();
    PaintOut(four.view->viewport());
    const auto end4 = Clock::now();
    const long after4 = RssKb();

    std::printf("list3_ms %.3f\nlist4_ms %.3f\n", Ms(start3, end3), Ms(start4, end4));
    std::printf("list3_kb %ld\nlist4_kb %ld\nboth_kb %ld\n", after3 - before, after4 - after3, after4 - before);
    PrintCheck("check3", three.model, *three.view);
    PrintCheck("check4", four.model, *four.view);
    return 0;
}

// --- statistics ---------------------------------------------------------------

int StatsMode(drawbook::Game game, const QString& book) {
    QuietDesktop desktop;
    // It opens from its game window, which is on screen already.
    std::unique_ptr<drawbook::CNumbersDlg> owner;
    if (game == drawbook::Game::Numbers3) {
        owner = std::make_unique<drawbook::CNumbers3Dlg>(desktop);
    } else {
        owner = std::make_unique<drawbook::CNumbers4Dlg>(desktop);
    }
    owner->m_strDbPath = book;
    owner->show();
    PaintOut(owner.get());

    const long before = RssKb();
    auto* statistics = new drawbook::CStatisticsDlg(desktop, game, owner.get());
    statistics->m_strDbPath = book;
    const auto openStart = Clock::now();
    if (!statistics->Refresh()) {
        Fail("the statistics window could not read the book");
    }
    statistics->show();
    PaintOut(statistics);
    const auto openEnd = Clock::now();
    const long after = RssKb();
    const auto againStart = Clock::now();
    if (!statistics->Refresh()) {
        Fail("the statistics window could not read the book again");
    }
    PaintOut(nullptr);
    const auto againEnd = Clock::now();
    // The methods are compared only when their tab is first shown.
    const auto methodsStart = Clock::now();
    statistics->m_tabs->setCurrentWidget(statistics->m_pageMethods);
    PaintOut(statistics);
    const auto methodsEnd = Clock::now();

    std::printf("open_ms %.3f\nagain_ms %.3f\nmethods_ms %.3f\nwindow_kb %ld\n", Ms(openStart, openEnd),
                Ms(againStart, againEnd), Ms(methodsStart, methodsEnd), after - before);
    return 0;
}

// --- start-up -----------------------------------------------------------------

// Closes the first window to paint, once that paint is done.
class FirstPaintCloser : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!m_done && event->type() == QEvent::Paint && watched->isWidgetType()) {
            auto* window = static_cast<QWidget*>(watched)->window();
            if (auto* dialog = qobject_cast<QDialog*>(window)) {
                m_done = true;
                // The whole window paints in this pass; the timer runs after it.
                QTimer::singleShot(0, dialog, [dialog] { dialog->done(QDialog::Accepted); });
            }
        }
        return false;
    }

private:
    bool m_done = false;
};

// Qt's own translations, as main.cpp loads them.
void LoadQtTranslation(QTranslator& translator) {
    if (translator.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&translator);
    }
}

int StartupMode(int argc, char* argv[], const QString& bookDir) {
    // main.cpp, with the book's directory standing in for the program's.
    if (!drawbook::HasDisplay()) {
        Fail("no display");
    }
    QApplication application(argc, argv);
    FirstPaintCloser closer;
    application.installEventFilter(&closer);
    QApplication::setWindowIcon(drawbook::AppIcon());
    QTranslator qtTranslator;
    LoadQtTranslation(qtTranslator);
    drawbook::CDrawBookApp app(bookDir + QStringLiteral("/drawbook"));
    return app.InitInstance() ? QApplication::exec() : 0;
}

int StartupFloorMode(int argc, char* argv[]) {
    QApplication application(argc, argv);
    FirstPaintCloser closer;
    application.installEventFilter(&closer);
    QTranslator qtTranslator;
    LoadQtTranslation(qtTranslator);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("SOMARU屋ナンバーズ"));
    auto* label = new QLabel(QStringLiteral("ナンバーズ"), &dialog);
    label->setGeometry(10, 10, 160, 20);
    int y = 36;
    for (const char* caption : {"ナンバーズ　３", "ナンバーズ　４", "閉　　　じ　　　る"}) {
        auto* button = new QPushButton(QString::fromUtf8(caption), &dialog);
        button->setGeometry(10, y, 160, 30);
        y += 34;
    }
    dialog.setFixedSize(180, y + 6);
    dialog.exec();
    return 0;
}

int Usage() {
    std::fputs("usage: drawbook-window-bench list BOOK | list-floor BOOK FONT FAMILIES LAYOUT... |\n"
               "                             stats 3|4 BOOK |\n"
               "                             startup BOOKDIR | startup-floor\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        return Usage();
    }
    const std::string mode = argv[1];
    if (mode == "startup" && argc == 3) {
        return StartupMode(argc, argv, QString::fromLocal8Bit(argv[2]));
    }
    if (mode == "startup-floor" && argc == 2) {
        return StartupFloorMode(argc, argv);
    }

    QApplication application(argc, argv);
    if (mode == "list" && argc == 3) {
        return ListMode(QString::fromLocal8Bit(argv[2]));
    }
    if (mode == "list-floor" && argc == 5 + 15) {
        std::vector<int> layout;
        for (int i = 5; i < argc; ++i) {
            layout.push_back(std::atoi(argv[i]));
        }
        return ListFloorMode(argv[2], QString::fromUtf8(argv[3]), QString::fromUtf8(argv[4]), layout);
    }
    if (mode == "stats" && argc == 4) {
        const std::string code = argv[2];
        if (code != "3" && code != "4") {
            return Usage();
        }
        return StatsMode(code == "3" ? drawbook::Game::Numbers3 : drawbook::Game::Numbers4,
                         QString::fromLocal8Bit(argv[3]));
    }
    return Usage();
}
