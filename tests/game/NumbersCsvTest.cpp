#include "game/Numbers3Dlg.h"
#include "game/Numbers4Dlg.h"
#include "res/ResourceIds.h"
#include "support/DialogDriver.h"
#include "support/RecordingDesktop.h"
#include "support/TestDatabase.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTableView>
#include <QTest>
#include <QUrl>

#include <array>
#include <filesystem>
#include <memory>
#include <string_view>

using namespace drawbook;
using namespace drawbook::test;

namespace {

const QString kRefused = QStringLiteral("　CSVファイルを取り込めませんでした。記録は何も変わっていません。。");
const QString kNotStored = QStringLiteral("　登録できませんでした。。");
const QString kNoStop = QStringLiteral("(no stop icon) ");
// The five numbers of an imported draw, as the list shows them.
const QString kImportedNumbers = QStringLiteral("\t　\t　\t　\t　\t　");
const std::string kBom = "\xEF\xBB\xBF";
const std::string kHeader = "開催回数,当選数字,予想数字１,予想数字２,予想数字３,予想数字４,予想数字５,"
                            "抽せん日,ストレート,ボックス,セット（ストレート）,セット（ボックス）";

QString PathOf(const std::string& path) {
    return QString::fromStdString(path);
}

QStringList StoredRows(const TestDatabase& db, Game game) {
    QStringList rows;
    for (const std::string& row : db.Rows(game)) {
        rows << QString::fromStdString(row);
    }
    return rows;
}

// The draw number and the digits of each stored row.
QStringList StoredDigits(const TestDatabase& db, Game game) {
    const int cells = game == Game::Numbers3 ? 4 : 5;
    QStringList rows;
    for (const QString& row : StoredRows(db, game)) {
        rows << row.split(QLatin1Char('\t')).mid(0, cells).join(QLatin1Char('\t'));
    }
    return rows;
}

// The listed rows without their dates.
QStringList ListedRows(const CNumbersDlg& window) {
    QStringList rows;
    for (const QString& row : ListRows(window.m_listDraws)) {
        rows << row.section(QLatin1Char('\t'), 0, -2);
    }
    return rows;
}

// Everything a refused or cancelled import must leave alone: the list, every field
// of the window and both tables.
QStringList Everything(const CNumbersDlg& window, const TestDatabase& db) {
    QStringList all = ListRows(window.m_listDraws);
    const std::pair<const char*, QLineEdit*> fields[] = {
        {"N1000", window.m_editN1000}, {"N100", window.m_editN100},     {"N10", window.m_editN10},
        {"N1", window.m_editN1},       {"pred1", window.m_editPred1},   {"pred2", window.m_editPred2},
        {"pred3", window.m_editPred3}, {"pred4", window.m_editPred4},   {"pred5", window.m_editPred5},
        {"count", window.m_editCount}, {"next", window.m_editNextDraw},
    };
    for (const auto& [name, edit] : fields) {
        if (edit != nullptr) {
            all << QString::fromLatin1(name) + QLatin1Char('=') + edit->text();
        }
    }
    all << StoredRows(db, Game::Numbers3) << StoredRows(db, Game::Numbers4);
    return all;
}

// Narrows the list to the draws whose last digit is the one given and puts text in
// the other fields, so that a refresh or a reset shows.
void NarrowAndFill(CNumbersDlg& window, const QString& lastDigit) {
    ClickRadio(&window, IDC_STRAIGHT);
    Type(&window, IDC_N1, lastDigit);
    Click(&window, IDC_SEARCH);
    window.m_editPred1->setText(QStringLiteral("123"));
    window.m_editNextDraw->setText(QStringLiteral("99"));
}

void Import(CNumbersDlg& window, RecordingDesktop& desktop, const std::string& path) {
    desktop.filesToOpen = {PathOf(path)};
    window.m_actionImportCsv->trigger();
}

std::unique_ptr<QMimeData> FileUrls(const QStringList& urls) {
    auto mime = std::make_unique<QMimeData>();
    QList<QUrl> list;
    for (const QString& url : urls) {
        list << (url.contains(QStringLiteral("://")) ? QUrl(url) : QUrl::fromLocalFile(url));
    }
    mime->setUrls(list);
    return mime;
}

struct DragOutcome {
    bool entered = false;
    bool moved = false;
    bool dropped = false;
};

// Drags the data onto the widget, then drops it there, as the window system would
// deliver it; the drop is sent even when the drag was not accepted.
DragOutcome DragAndDrop(QWidget* target, const QMimeData* mime) {
    const QPoint pos(target->width() / 2, target->height() / 2);
    DragOutcome outcome;
    QDragEnterEvent enter(pos, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    outcome.entered = enter.isAccepted();
    QDragMoveEvent move(pos, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    outcome.moved = move.isAccepted();
    QDropEvent drop(QPointF(pos), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    outcome.dropped = drop.isAccepted();
    return outcome;
}

} // namespace

class NumbersCsvTest : public QObject {
    Q_OBJECT

private slots:
    void menuImportAddsTheMissingDraws_data();
    void menuImportAddsTheMissingDraws();
    void realHistoryFillsAnEmptyDatabase_data();
    void realHistoryFillsAnEmptyDatabase();
    void refusedFileChangesNothing_data();
    void refusedFileChangesNothing();
    void unreadableFileOrCancelChangesNothing();
    void databaseFailureStoresNothing();

    void exportWritesNumberedDrawsInOrder();
    void exportCancelledOrUnwritableWritesNothing();
    void exportedFileImportsBackTheSameDraws();

    void droppedCsvFilesAreImported();
    void dragsWithoutACsvFileAreNotTaken();
    void csvDraggedOverAFieldGoesToTheWindow();
};

void NumbersCsvTest::menuImportAddsTheMissingDraws_data() {
    QTest::addColumn<int>("game");
    QTest::addColumn<QString>("lastDigit"); // narrows the list beforehand
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("next");
    QTest::addColumn<QString>("storedNewest"); // digits, numbers, hit marker
    QTest::addColumn<QString>("summary");
    QTest::addColumn<QString>("again");

    QTest::newRow("three digits, newest first")
        << int(Game::Numbers3) << QStringLiteral("8")
        << QByteArray("回号,当せん番号\n第6回,600\n第5回,052\n第4回,404\n第3回,010\n")
        << QStringList{QStringLiteral("1\t191\t\t\t\t\t"),          QStringLiteral("2\t988\t\t\t\t\t"),
                       QStringLiteral("3\t010\t123\t\t\t\t"),       QStringLiteral("4\t404") + kImportedNumbers,
                       QStringLiteral("5\t052") + kImportedNumbers, QStringLiteral("6\t600") + kImportedNumbers}
        << QStringLiteral("7") << QStringLiteral("6\t0\t0\t　\t　\t　\t　\t　\t ")
        << QStringLiteral("　3回分を追加しました（第4回～第6回）。登録済みの1回分は飛ばしました。。")
        << QStringLiteral("　追加する回はありませんでした。登録済みの4回分は飛ばしました。。");
    QTest::newRow("four digits, CRLF")
        << int(Game::Numbers4) << QStringLiteral("9") << QByteArray("回号,当せん番号\r\n第4回,0012\r\n第3回,3850\r\n")
        << QStringList{QStringLiteral("1\t1149\t\t\t\t\t"), QStringLiteral("2\t7921\t\t\t\t\t"),
                       QStringLiteral("3\t3850") + kImportedNumbers, QStringLiteral("4\t0012") + kImportedNumbers}
        << QStringLiteral("5") << QStringLiteral("0\t0\t1\t2\t　\t　\t　\t　\t　\t ")
        << QStringLiteral("　2回分を追加しました（第3回～第4回）。。")
        << QStringLiteral("　追加する回はありませんでした。登録済みの2回分は飛ばしました。。");
}

void NumbersCsvTest::menuImportAddsTheMissingDraws() {
    QFETCH(int, game);
    QFETCH(QString, lastDigit);
    QFETCH(QByteArray, csv);
    QFETCH(QStringList, rows);
    QFETCH(QString, next);
    QFETCH(QString, storedNewest);
    QFETCH(QString, summary);
    QFETCH(QString, again);
    const Game g = Game(game);

    RecordingDesktop desktop;
    TestDatabase db;
    db.Insert(Game::Numbers3, {Draw(1, "191"), Draw(2, "988"), Draw(3, "010", {"123", "", "", "", ""})});
    db.Insert(Game::Numbers4, {Draw(1, "1149"), Draw(2, "7921")});
    const QStringList otherGame = StoredRows(db, g == Game::Numbers3 ? Game::Numbers4 : Game::Numbers3);
    const std::string file = db.Dir().File("当せん番号.csv");
    WriteBytes(file, csv.toStdString());

    const auto window = OpenGameWindow(g, desktop, db.Path());
    QCOMPARE(window->m_listDraws, FindControl(window.get(), IDC_DRAW_LIST));
    QStringList actions;
    for (const QAction* action : window->m_menuDrawList->actions()) {
        actions << action->text();
    }
    QCOMPARE(actions, (QStringList{QStringLiteral("CSVファイルから取り込む…"), QStringLiteral("CSVファイルに書き出す…"),
                                   QString(), QStringLiteral("最新の当せん番号を取り込む"),
                                   QStringLiteral("取り込み元の設定…"), QString(), QStringLiteral("購入記録…"),
                                   QStringLiteral("統計…"), QString(), QStringLiteral("この回を削除…")}));
    QCOMPARE(window->m_actionImportCsv, window->m_menuDrawList->actions().value(0));
    QCOMPARE(window->m_actionExportCsv, window->m_menuDrawList->actions().value(1));
    emit window->m_listDraws->customContextMenuRequested(QPoint(10, 10));
    QVERIFY(window->m_menuDrawList->isVisible());
    window->m_menuDrawList->hide();

    NarrowAndFill(*window, lastDigit);
    QCOMPARE(ListedRows(*window).size(), 1);
    const int shown = desktop.waitCursors;
    Import(*window, desktop, file);

    QCOMPARE(desktop.fileCaptions, std::vector<QString>{QStringLiteral("CSVファイルから取り込む")});
    QCOMPARE(desktop.Texts(), QStringList{kNoStop + summary});
    QCOMPARE(ListedRows(*window), rows);
    QCOMPARE(TextOf(window.get(), IDC_NEXT_DRAW), next);
    const int newest = rows.back().section(QLatin1Char('\t'), 0, 0).toInt();
    QCOMPARE(StoredRow(db, g, newest), storedNewest.split(QLatin1Char('\t')));
    QCOMPARE(db.Count("SELECT COUNT(*) FROM \"" + std::string(TableName(g)) + "\""),
             static_cast<long long>(rows.size()));
    QCOMPARE(StoredRows(db, g == Game::Numbers3 ? Game::Numbers4 : Game::Numbers3), otherGame);
    QCOMPARE(desktop.waitDepth, 0);
    QVERIFY(desktop.waitCursors > shown);

    // The same file again adds nothing.
    const QStringList stored = StoredRows(db, g);
    Import(*window, desktop, file);
    QCOMPARE(desktop.Texts(), (QStringList{kNoStop + summary, kNoStop + again}));
    QCOMPARE(ListedRows(*window), rows);
    QCOMPARE(StoredRows(db, g), stored);
}

void NumbersCsvTest::realHistoryFillsAnEmptyDatabase_data() {
    QTest::addColumn<int>("game");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("lastTip"); // the latest draw's date and payouts, as its file has them
    QTest::newRow("three digits, English header")
        << int(Game::Numbers3) << QStringLiteral("numbers3_results.csv") << QStringLiteral("1\t191")
        << QStringLiteral("7054\t286")
        << QStringLiteral("2026-08-21（金）　ストレート 100,100円　ボックス 16,600円　セット（ストレート） 58,300円　"
                          "セット（ボックス） 8,300円　ミニ 10,000円");
    QTest::newRow("four digits, Japanese header")
        << int(Game::Numbers4) << QStringLiteral("numbers4_results_ja.csv") << QStringLiteral("1\t1149")
        << QStringLiteral("7054\t9577")
        << QStringLiteral(
               "2026-08-21（金）　ストレート 2,128,400円　ボックス 177,300円　セット（ストレート） 1,152,800円　"
               "セット（ボックス） 88,600円");
}

void NumbersCsvTest::realHistoryFillsAnEmptyDatabase() {
    QFETCH(int, game);
    QFETCH(QString, name);
    QFETCH(QString, first);
    QFETCH(QString, last);
    const Game g = Game(game);
    // The Japanese-headed history is not shipped: the shared data holds it.
    const bool shipped = !name.endsWith(QStringLiteral("_ja.csv"));
    const auto bytes = shipped ? ShippedHistoryFile(name.toStdString()) : SharedDataFile(name.toStdString());
    const auto draws = RealDraws(g, 7054);
    if (!bytes || !draws) {
        QFAIL(("missing: " +
               (shipped ? "src/exchange/history/" + name.toStdString() : SharedDataPath(name.toStdString())) +
               " or the shipped draw history")
                  .c_str());
    }
    RecordingDesktop desktop;
    TestDatabase db;
    const std::string file = db.Dir().File(name.toStdString());
    WriteBytes(file, *bytes);
    const auto window = OpenGameWindow(g, desktop, db.Path());
    QCOMPARE(TextOf(window.get(), IDC_NEXT_DRAW), QStringLiteral("1"));

    Import(*window, desktop, file);
    QCOMPARE(desktop.Texts(), QStringList{kNoStop + QStringLiteral("　7054回分を追加しました（第1回～第7054回）。"
                                                                   "抽せん日・当せん金を7054回分に記録しました。。")});
    const QStringList rows = ListedRows(*window);
    QCOMPARE(rows.size(), 7054);
    QCOMPARE(rows.front(), first + kImportedNumbers);
    QCOMPARE(rows.back(), last + kImportedNumbers);
    QFETCH(QString, lastTip);
    QCOMPARE(window->m_listDraws->model()->index(7053, 0).data(Qt::ToolTipRole).toString(), lastTip);
    QCOMPARE(TextOf(window.get(), IDC_NEXT_DRAW), QStringLiteral("7055"));
    QCOMPARE(db.Count("SELECT COUNT(*) FROM \"" + std::string(TableName(g)) + "\""), 7054LL);
    // Every draw in order with the digits of the English file.
    for (int i = 0; i < 7054; ++i) {
        QString digits;
        for (const auto& digit : (*draws)[i].digits) {
            digits += QString::number(*digit);
        }
        QCOMPARE(rows[i].section(QLatin1Char('\t'), 0, 1), QString::number(i + 1) + QLatin1Char('\t') + digits);
    }
    QCOMPARE(desktop.waitDepth, 0);
}

void NumbersCsvTest::refusedFileChangesNothing_data() {
    QTest::addColumn<int>("game");
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QString>("line"); // a later report line names it; empty: not checked

    const int three = int(Game::Numbers3);
    const int four = int(Game::Numbers4);
    QTest::newRow("stored draw with other digits")
        << three << QByteArray("回号,当せん番号\n第4回,404\n第2回,989\n") << QStringLiteral("3行目");
    QTest::newRow("stored draw with other digits, four")
        << four << QByteArray("draw_no,winning_number\n3,3850\n1,1148\n") << QStringLiteral("3行目");
    QTest::newRow("letter among the digits")
        << three << QByteArray("回号,当せん番号\n第4回,404\n第5回,4O5\n第6回,600\n") << QStringLiteral("3行目");
    QTest::newRow("line without the winning number")
        << three << QByteArray("4,404\n5\n6,600\n") << QStringLiteral("2行目");
    QTest::newRow("draw number that is no number")
        << four << QByteArray("回号,当せん番号\n第3回,3850\n第4回,0012\n次回,1234\n") << QStringLiteral("4行目");
    QTest::newRow("four-digit file into three")
        << three << QByteArray("回号,当せん番号\n第4回,4044\n第5回,0505\n") << QString();
    QTest::newRow("three-digit file into four")
        << four << QByteArray("回号,当せん番号\n第3回,385\n第4回,012\n") << QString();
    QTest::newRow("four-digit history shape into three")
        << three
        << QByteArray("draw_no,draw_date,winning_number,digit1,digit2,digit3,digit4\n"
                      "4,2026-08-20,9298,9,2,9,8\n5,2026-08-21,9577,9,5,7,7\n")
        << QString();
}

void NumbersCsvTest::refusedFileChangesNothing() {
    QFETCH(int, game);
    QFETCH(QByteArray, csv);
    QFETCH(QString, line);
    RecordingDesktop desktop;
    TestDatabase db;
    db.Insert(Game::Numbers3, {Draw(1, "191"), Draw(2, "988"), Draw(3, "010")});
    db.Insert(Game::Numbers4, {Draw(1, "1149"), Draw(2, "7921")});
    const std::string file = db.Dir().File("draws.csv");
    WriteBytes(file, csv.toStdString());
    const auto window = OpenGameWindow(Game(game), desktop, db.Path());
    NarrowAndFill(*window, QStringLiteral("1"));
    const QStringList before = Everything(*window, db);

    Import(*window, desktop, file);
    QCOMPARE(desktop.messages.size(), size_t(1));
    QCOMPARE(desktop.messages[0].icon, Desktop::Icon::Stop);
    const QStringList report = desktop.messages[0].text.split(QLatin1Char('\n'));
    QCOMPARE(report.front(), kRefused);
    QVERIFY2(report.size() > 1, qPrintable(desktop.messages[0].text));
    if (!line.isEmpty()) {
        QVERIFY2(report[1].contains(line), qPrintable(desktop.messages[0].text));
    }
    QCOMPARE(Everything(*window, db), before);
    QCOMPARE(desktop.waitDepth, 0);
}

void NumbersCsvTest::unreadableFileOrCancelChangesNothing() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.Insert(Game::Numbers4, {Draw(1, "1149"), Draw(2, "7921")});
    const auto window = OpenGameWindow(Game::Numbers4, desktop, db.Path());
    NarrowAndFill(*window, QStringLiteral("1"));
    const QStringList before = Everything(*window, db);

    // Cancelled: no file is read and nothing is said.
    const int shown = desktop.waitCursors;
    window->m_actionImportCsv->trigger();
    QCOMPARE(desktop.fileCaptions, std::vector<QString>{QStringLiteral("CSVファイルから取り込む")});
    QVERIFY(desktop.messages.empty());
    QCOMPARE(desktop.waitCursors, shown);
    QCOMPARE(Everything(*window, db), before);

    const std::string missing = db.Dir().File("ない.csv");
    Import(*window, desktop, missing);
    QCOMPARE(desktop.Texts(),
             QStringList{QStringLiteral("　") + PathOf(missing) + QStringLiteral("を開けませんでした。。")});
    QCOMPARE(Everything(*window, db), before);

    // A directory is no file either.
    desktop.messages.clear();
    const std::string directory = db.Dir().File("folder.csv");
    std::filesystem::create_directory(directory);
    Import(*window, desktop, directory);
    QCOMPARE(desktop.Texts(),
             QStringList{QStringLiteral("　") + PathOf(directory) + QStringLiteral("を開けませんでした。。")});
    QCOMPARE(Everything(*window, db), before);
    QCOMPARE(desktop.waitDepth, 0);
}

void NumbersCsvTest::databaseFailureStoresNothing() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.Insert(Game::Numbers3, {Draw(1, "191"), Draw(2, "988")});
    // The database takes draw 3, then refuses draw 4.
    db.Execute("CREATE TRIGGER refuse BEFORE INSERT ON \"ナンバーズ3\" WHEN NEW.kaisai = 4 "
               "BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    const std::string file = db.Dir().File("draws.csv");
    WriteBytes(file, "3,303\n4,404\n5,505\n");
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    Click(window.get(), IDC_LIST_ALL);
    const QStringList before = Everything(*window, db);

    Import(*window, desktop, file);
    QCOMPARE(desktop.Texts(), QStringList{kNotStored});
    QCOMPARE(Everything(*window, db), before);
    QCOMPARE(db.Row(Game::Numbers3, 3), std::string("(none)"));
    QCOMPARE(desktop.waitDepth, 0);
}

void NumbersCsvTest::exportWritesNumberedDrawsInOrder() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.Insert(Game::Numbers3, {
                                  Draw(3, "007", {"123", "", "　", "1,2", "045"}),
                                  Draw(1, "910"),
                                  Draw(0, "555", {"999", "", "", "", ""}),
                                  Draw(2, "123", {"012", "", "", "", ""}),
                                  Draw(-1, "444"),
                              });
    db.Insert(Game::Numbers4, {Draw(2, "0001"), Draw(1, "1149", {"0001", "", "", "", "9999"})});
    const std::string three = db.Dir().File("書き出し.csv");
    WriteBytes(three, std::string(20000, 'x')); // replaced whole, not written over from the start
    const std::string four = db.Dir().File("n4.csv");

    const auto window3 = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    desktop.filesToSave = {PathOf(three)};
    window3->m_actionExportCsv->trigger();
    QCOMPARE(desktop.fileCaptions, std::vector<QString>{QStringLiteral("CSVファイルに書き出す")});
    QCOMPARE(desktop.suggestedPaths, std::vector<QString>{QDir::homePath() + QStringLiteral("/ナンバーズ3.csv")});
    QCOMPARE(ReadBytes(three), kBom + kHeader +
                                   ",ミニ\n"
                                   "1,910,,,,,,,,,,,\n"
                                   "2,123,012,,,,,,,,,,\n"
                                   "3,007,123,,　,\"1,2\",045,,,,,,\n");
    QCOMPARE(desktop.Texts(), QStringList{kNoStop + QStringLiteral("　3回分を書き出しました。。")});

    const auto window4 = OpenGameWindow(Game::Numbers4, desktop, db.Path());
    desktop.filesToSave = {PathOf(four)};
    window4->m_actionExportCsv->trigger();
    QCOMPARE(desktop.suggestedPaths.back(), QDir::homePath() + QStringLiteral("/ナンバーズ4.csv"));
    QCOMPARE(ReadBytes(four), kBom + kHeader +
                                  "\n"
                                  "1,1149,0001,,,,9999,,,,,\n"
                                  "2,0001,,,,,,,,,,\n");
    QCOMPARE(desktop.Texts().back(), kNoStop + QStringLiteral("　2回分を書き出しました。。"));
    QCOMPARE(desktop.waitDepth, 0);
}

void NumbersCsvTest::exportCancelledOrUnwritableWritesNothing() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.Insert(Game::Numbers3, {Draw(1, "191"), Draw(2, "988")});
    TempDir target;
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());

    window->m_actionExportCsv->trigger();
    QCOMPARE(desktop.fileCaptions, std::vector<QString>{QStringLiteral("CSVファイルに書き出す")});
    QVERIFY(desktop.messages.empty());
    QVERIFY(std::filesystem::is_empty(target.Path()));

    const std::string unwritable = target.File("ない") + "/n3.csv";
    desktop.filesToSave = {PathOf(unwritable)};
    window->m_actionExportCsv->trigger();
    QCOMPARE(desktop.Texts(),
             QStringList{QStringLiteral("　") + PathOf(unwritable) + QStringLiteral("に書き出せませんでした。。")});
    QVERIFY(std::filesystem::is_empty(target.Path()));
    QCOMPARE(desktop.waitDepth, 0);
}

void NumbersCsvTest::exportedFileImportsBackTheSameDraws() {
    for (const Game game : {Game::Numbers3, Game::Numbers4}) {
        RecordingDesktop desktop;
        TestDatabase from;
        from.InsertSequence(game, 12); // draws 1 to 9 start with a zero
        from.Insert(game, Draw(0, game == Game::Numbers3 ? "555" : "5555"));
        TestDatabase to;
        const std::string file = to.Dir().File("往復.csv");

        const auto source = OpenGameWindow(game, desktop, from.Path());
        desktop.filesToSave = {PathOf(file)};
        source->m_actionExportCsv->trigger();
        const auto target = OpenGameWindow(game, desktop, to.Path());
        Import(*target, desktop, file);

        QCOMPARE(desktop.Texts(),
                 (QStringList{kNoStop + QStringLiteral("　12回分を書き出しました。。"),
                              kNoStop + QStringLiteral("　12回分を追加しました（第1回～第12回）。。")}));
        QStringList numbered = StoredDigits(from, game);
        numbered.removeFirst(); // draw 0 stays behind
        QCOMPARE(StoredDigits(to, game), numbered);
        QCOMPARE(TextOf(target.get(), IDC_NEXT_DRAW), QStringLiteral("13"));
    }
}

void NumbersCsvTest::droppedCsvFilesAreImported() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.Insert(Game::Numbers3, {Draw(1, "191"), Draw(2, "988"), Draw(3, "010")});
    const std::string lower = db.Dir().File("draws.csv");
    const std::string upper = db.Dir().File("MORE.CSV");
    const std::string text = db.Dir().File("notes.txt");
    WriteBytes(lower, "回号,当せん番号\n第5回,505\n第4回,404\n");
    WriteBytes(upper, "6,600\n7,077\n");
    WriteBytes(text, "8,808\n");
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    NarrowAndFill(*window, QStringLiteral("8"));

    const auto one = FileUrls({PathOf(lower)});
    const DragOutcome first = DragAndDrop(window.get(), one.get());
    QVERIFY(first.entered && first.moved && first.dropped);
    QCOMPARE(desktop.Texts(), QStringList{kNoStop + QStringLiteral("　2回分を追加しました（第4回～第5回）。。")});
    QCOMPARE(ListedRows(*window),
             (QStringList{QStringLiteral("1\t191\t\t\t\t\t"), QStringLiteral("2\t988\t\t\t\t\t"),
                          QStringLiteral("3\t010\t\t\t\t\t"), QStringLiteral("4\t404") + kImportedNumbers,
                          QStringLiteral("5\t505") + kImportedNumbers}));
    QCOMPARE(TextOf(window.get(), IDC_NEXT_DRAW), QStringLiteral("6"));

    // Several files at once: each .csv file in turn, whatever the case of its suffix.
    desktop.messages.clear();
    const auto three = FileUrls({PathOf(text), PathOf(upper), PathOf(lower)});
    const DragOutcome second = DragAndDrop(window.get(), three.get());
    QVERIFY(second.entered && second.moved && second.dropped);
    QCOMPARE(
        desktop.Texts(),
        (QStringList{kNoStop + QStringLiteral("　2回分を追加しました（第6回～第7回）。。"),
                     kNoStop + QStringLiteral("　追加する回はありませんでした。登録済みの2回分は飛ばしました。。")}));
    QCOMPARE(ListedRows(*window).size(), 7);
    QCOMPARE(ListedRows(*window).back(), QStringLiteral("7\t077") + kImportedNumbers);
    QCOMPARE(TextOf(window.get(), IDC_NEXT_DRAW), QStringLiteral("8"));
    QCOMPARE(db.Row(Game::Numbers3, 8), std::string("(none)"));

    // An old book of the Windows predecessor is taken too, and refused whole: its
    // third draw is 194.
    {
        const auto old = SharedDataFile("legacy/legacy_jet4.mdb");
        QVERIFY2(old, ("the shared old book is missing: " + SharedDataPath("legacy/legacy_jet4.mdb")).c_str());
        desktop.messages.clear();
        const std::string book = db.Dir().File("古い記録帳.MDB");
        WriteBytes(book, *old);
        const auto dropped = FileUrls({PathOf(book)});
        QVERIFY(DragAndDrop(window.get(), dropped.get()).dropped);
        QCOMPARE(desktop.Texts().size(), 1);
        QVERIFY(desktop.Texts()[0].contains(
            QStringLiteral("以前の形式の記録帳を取り込めませんでした。記録は何も変わっていません。。\n"
                           "　3行目：第3回は当選数字010で登録済みです（ファイルでは194）。。")));
        QCOMPARE(ListedRows(*window).size(), 7);
    }
    QCOMPARE(desktop.waitDepth, 0);
}

void NumbersCsvTest::dragsWithoutACsvFileAreNotTaken() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.Insert(Game::Numbers3, {Draw(1, "191"), Draw(2, "988")});
    const std::string text = db.Dir().File("notes.txt");
    const std::string noSuffix = db.Dir().File("csv");
    const std::string csv = db.Dir().File("draws.csv");
    for (const std::string& file : {text, noSuffix, csv}) {
        WriteBytes(file, "3,303\n");
    }
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    NarrowAndFill(*window, QStringLiteral("1"));
    const QStringList before = Everything(*window, db);
    const int shown = desktop.waitCursors;

    std::vector<std::pair<const char*, std::unique_ptr<QMimeData>>> drags;
    drags.emplace_back("a .txt file", FileUrls({PathOf(text)}));
    drags.emplace_back("a file named csv", FileUrls({PathOf(noSuffix)}));
    drags.emplace_back("a remote .csv", FileUrls({QStringLiteral("https://example.com/draws.csv")}));
    auto plain = std::make_unique<QMimeData>();
    plain->setText(PathOf(csv));
    drags.emplace_back("text naming a .csv file", std::move(plain));
    for (const auto& [name, mime] : drags) {
        const DragOutcome outcome = DragAndDrop(window.get(), mime.get());
        QVERIFY2(!outcome.entered && !outcome.moved && !outcome.dropped, name);
    }
    QVERIFY(desktop.messages.empty());
    QCOMPARE(desktop.waitCursors, shown);
    QCOMPARE(Everything(*window, db), before);
}

void NumbersCsvTest::csvDraggedOverAFieldGoesToTheWindow() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.Insert(Game::Numbers4, {Draw(1, "1149"), Draw(2, "7921")});
    const std::string file = db.Dir().File("draws.csv");
    WriteBytes(file, "回号,当せん番号\n第4回,0012\n第3回,3850\n");
    const auto window = OpenGameWindow(Game::Numbers4, desktop, db.Path());
    Type(window.get(), IDC_N100, QStringLiteral("5"));
    window->m_editPred1->setText(QStringLiteral("1234"));

    // A file manager offers the file's address as text as well, which a field would take.
    const auto mime = FileUrls({PathOf(file)});
    mime->setText(QUrl::fromLocalFile(PathOf(file)).toString());
    const DragOutcome outcome = DragAndDrop(window->m_editN100, mime.get());
    QVERIFY(outcome.entered && outcome.moved && outcome.dropped);
    QCOMPARE(desktop.Texts(), QStringList{kNoStop + QStringLiteral("　2回分を追加しました（第3回～第4回）。。")});
    QCOMPARE(TextOf(window.get(), IDC_N100), QStringLiteral("5"));
    QCOMPARE(ListedRows(*window).size(), 4);
    QCOMPARE(TextOf(window.get(), IDC_NEXT_DRAW), QStringLiteral("5"));

    // A prediction field hands the file on too, and keeps its text.
    const DragOutcome again = DragAndDrop(window->m_editPred1, mime.get());
    QVERIFY(again.entered && again.dropped);
    QCOMPARE(desktop.Texts().back(),
             kNoStop + QStringLiteral("　追加する回はありませんでした。登録済みの2回分は飛ばしました。。"));
    QCOMPARE(TextOf(window.get(), IDC_PRED1), QStringLiteral("1234"));

    // Plain text still goes to the field under it.
    QMimeData digit;
    digit.setText(QStringLiteral("7"));
    const DragOutcome typed = DragAndDrop(window->m_editN10, &digit);
    QVERIFY(typed.entered && typed.dropped);
    QCOMPARE(TextOf(window.get(), IDC_N10), QStringLiteral("7"));
    QCOMPARE(desktop.Texts().size(), 2);
    QCOMPARE(desktop.waitDepth, 0);
}

QTEST_MAIN(NumbersCsvTest)
#include "NumbersCsvTest.moc"
