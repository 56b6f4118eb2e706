#include "cli/Cli.h"
#include "db/Connection.h"
#include "db/DrawResultsTable.h"
#include "edit/EditDrawDlg.h"
#include "game/DrawListModel.h"
#include "game/NumbersDlg.h"
#include "register/RegisterDlg.h"
#include "res/ResourceIds.h"
#include "support/DialogDriver.h"
#include "support/RecordingDesktop.h"
#include "support/TestDatabase.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include <fstream>
#include <sstream>

using namespace drawbook;
using namespace drawbook::test;

namespace {

QStringList CliLines(const std::vector<std::string>& args, const std::string& dbPath) {
    std::ostringstream out;
    std::ostringstream err;
    RunCli(args, out, err, dbPath);
    return QString::fromStdString(out.str()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QStringList Predictions(const CNumbersDlg& window) {
    return {window.m_editPred1->text(), window.m_editPred2->text(), window.m_editPred3->text(),
            window.m_editPred4->text(), window.m_editPred5->text()};
}

// The draw number of the selected row; empty without one.
QString SelectedDraw(const CNumbersDlg& window) {
    const QModelIndex current = window.m_listDraws->currentIndex();
    return current.isValid() ? window.DrawList().Cell(current.row(), 0) : QString();
}

bool OnScreen(const QTableView* view, int row) {
    return view->viewport()->rect().contains(view->visualRect(view->model()->index(row, 0)));
}

} // namespace

class NumbersRefreshTest : public QObject {
    Q_OBJECT

private slots:
    void bookChangeFillsTheListAsItWasFilled_data();
    void bookChangeFillsTheListAsItWasFilled();
    void importShowsTheNextDrawAndItsPredictions();
    void registrationShowsInTheWindowBehindTheDialog();
    void storedEditShowsInTheListBehindTheDialog();
    void listAllShowsTheNewestDrawWithItsDate();
    void extraRoomGoesToTheList();
};

void NumbersRefreshTest::bookChangeFillsTheListAsItWasFilled_data() {
    QTest::addColumn<int>("filled"); // 0 nothing, 1 一覧表示, 2 search
    QTest::addColumn<QString>("lastDigit");
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("selected");

    QTest::newRow("nothing listed stays empty") << 0 << "" << QStringList{} << QStringList{} << ""
                                                << "";
    QTest::newRow("every draw, the newest selected")
        << 1 << "" << QStringList{"1", "2", "3"} << QStringList{"1", "2", "3", "4"} << ""
        << "4";
    QTest::newRow("the search again, the selected draw kept")
        << 2 << "8" << QStringList{"2"} << QStringList{"2", "4"} << "2"
        << "2";
    QTest::newRow("a search finding nothing now, quietly") << 2 << "3" << QStringList{"3"} << QStringList{} << "0"
                                                           << "";
}

// Draws 1 191, 2 988 and 3 333; then draw 4 128 is added and draw 3 becomes 335.
void NumbersRefreshTest::bookChangeFillsTheListAsItWasFilled() {
    QFETCH(int, filled);
    QFETCH(QString, lastDigit);
    QFETCH(QStringList, before);
    QFETCH(QStringList, after);
    QFETCH(QString, count);
    QFETCH(QString, selected);

    RecordingDesktop desktop;
    TestDatabase db;
    db.Insert(Game::Numbers3, {Draw(1, "191"), Draw(2, "988"), Draw(3, "333")});
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    if (filled == 1) {
        Click(window.get(), IDC_LIST_ALL);
    } else if (filled == 2) {
        ClickRadio(window.get(), IDC_STRAIGHT);
        Type(window.get(), IDC_N1, lastDigit);
        Click(window.get(), IDC_SEARCH);
        window->m_listDraws->selectRow(0);
        // What the fields hold now is no search the user asked for.
        window->m_editN1->setText(QStringLiteral("1"));
        ClickRadio(window.get(), IDC_BOX);
    }
    QCOMPARE(ListedDraws(window->m_listDraws), before);

    db.Insert(Game::Numbers3, Draw(4, "128"));
    db.Execute("UPDATE \"ナンバーズ3\" SET N1=5 WHERE kaisai=3");
    window->ShowBookChanged();
    QCOMPARE(ListedDraws(window->m_listDraws), after);
    QCOMPARE(TextOf(window.get(), IDC_COUNT3), count);
    QCOMPARE(SelectedDraw(*window), selected);
    QCOMPARE(TextOf(window.get(), IDC_NEXT_DRAW), QStringLiteral("5"));
    QVERIFY(desktop.messages.empty());
    QCOMPARE(desktop.waitDepth, 0);
}

// A dropped file goes the way of every import: afterwards every draw is listed.
void NumbersRefreshTest::importShowsTheNextDrawAndItsPredictions() {
    for (const bool predicted : {true, false}) {
        RecordingDesktop desktop;
        TestDatabase db;
        db.InsertSequence(Game::Numbers3, 20);
        const std::string file = db.Dir().File("当せん番号.csv");
        std::ofstream(file) << "21,123\n22,456\n";

        const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
        if (predicted) {
            Click(window.get(), IDC_PREDICT);
            QCOMPARE(Predictions(*window), CliLines({"predict", "3"}, db.Path()));
        }
        window->ImportCsvFile(QString::fromStdString(file));

        QCOMPARE(desktop.messages.size(), std::size_t(1)); // the summary
        QCOMPARE(TextOf(window.get(), IDC_NEXT_DRAW), QStringLiteral("23"));
        const QStringList now = CliLines({"predict", "3"}, db.Path());
        QCOMPARE(now.size(), 5);
        QCOMPARE(Predictions(*window), predicted ? now : QStringList(5));
        QCOMPARE(ListedDraws(window->m_listDraws).size(), 22);
        QCOMPARE(SelectedDraw(*window), QStringLiteral("22"));
    }
}

void NumbersRefreshTest::registrationShowsInTheWindowBehindTheDialog() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.InsertSequence(Game::Numbers3, 20);
    db.InsertSequence(Game::Numbers4, 30);
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    Click(window.get(), IDC_LIST_ALL);
    Click(window.get(), IDC_PREDICT);

    const std::vector<std::pair<int, QString>> inputs = {
        {IDC_REG_N100_3, "4"},     {IDC_REG_N10_3, "0"},      {IDC_REG_N1_3, "9"},       {IDC_REG_PRED3_1, "409"},
        {IDC_REG_PRED3_2, "456"},  {IDC_REG_PRED3_3, "789"},  {IDC_REG_PRED3_4, "012"},  {IDC_REG_PRED3_5, "345"},
        {IDC_REG_N1000_4, "1"},    {IDC_REG_N100_4, "2"},     {IDC_REG_N10_4, "3"},      {IDC_REG_N1_4, "4"},
        {IDC_REG_PRED4_1, "1111"}, {IDC_REG_PRED4_2, "2222"}, {IDC_REG_PRED4_3, "3333"}, {IDC_REG_PRED4_4, "4444"},
        {IDC_REG_PRED4_5, "5555"},
    };
    QString next;
    QString newest;
    QString selected;
    QStringList predictions;
    desktop.onModal = [&](QDialog& dialog) {
        for (const auto& [id, text] : inputs) {
            FindControlAs<QLineEdit>(&dialog, id)->setText(text);
        }
        Click(&dialog, IDC_REG_ADD);
        // The dialog is still open; the window behind it is current.
        next = TextOf(window.get(), IDC_NEXT_DRAW);
        newest = ListRows(window->m_listDraws).value(20);
        selected = SelectedDraw(*window);
        predictions = Predictions(*window);
        return int(QDialog::Accepted);
    };
    Click(window.get(), IDC_REGISTER);
    QVERIFY(desktop.messages.empty());
    QCOMPARE(next, QStringLiteral("22"));
    QCOMPARE(newest, QStringLiteral("21\t409\t409\t456\t789\t012\t345\t"));
    QCOMPARE(selected, QStringLiteral("21"));
    QCOMPARE(predictions, CliLines({"predict", "3"}, db.Path()));
    QCOMPARE(window->DrawList().Hit(20, DrawListModel::kFirstNumberColumn), std::optional(Bet::Straight));
}

void NumbersRefreshTest::storedEditShowsInTheListBehindTheDialog() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.Insert(Game::Numbers4, {Draw(1, "1149"), Draw(2, "7921"), Draw(3, "0005")});
    const auto window = OpenGameWindow(Game::Numbers4, desktop, db.Path());
    Click(window.get(), IDC_LIST_ALL);

    QStringList rows;
    QString limit;
    desktop.onModal = [&](QDialog& dialog) {
        Type(&dialog, IDC_EDIT_NUMBER2, QStringLiteral("1297"));
        Click(&dialog, IDC_EDIT_STORE);
        rows = ListRows(window->m_listDraws);
        limit = static_cast<CEditDrawDlg&>(dialog).m_strNextDrawNo;
        return int(QDialog::Accepted);
    };
    window->OnListDblClk(window->DrawList().index(1, 0));
    QVERIFY(desktop.messages.empty());
    // An empty number is stored as a full-width space.
    QCOMPARE(rows, (QStringList{"1\t1149\t\t\t\t\t\t", "2\t7921\t　\t1297\t　\t　\t　\t", "3\t0005\t\t\t\t\t\t"}));
    QCOMPARE(limit, QStringLiteral("4"));
    QCOMPARE(window->DrawList().Hit(1, DrawListModel::kFirstNumberColumn + 1), std::optional(Bet::Box));
}

// 2026-08-21 is a Friday, 2026-08-18 a Tuesday.
void NumbersRefreshTest::listAllShowsTheNewestDrawWithItsDate() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.InsertSequence(Game::Numbers3, 40);
    {
        Connection connection(db.Path(), OpenMode::ReadWrite);
        CreateResultsTable(connection);
        ResultsWriter writer(connection, Game::Numbers3, false);
        writer.Write(38, DrawResults{20260818, {-1, -1, -1, -1, -1}});
        writer.Write(40, DrawResults{20260821, {90000, -1, -1, -1, -1}});
    }
    const auto window = OpenGameWindow(Game::Numbers3, desktop, db.Path());
    Click(window.get(), IDC_LIST_ALL);
    QCOMPARE(SelectedDraw(*window), QStringLiteral("40"));
    QVERIFY(OnScreen(window->m_listDraws, 39));
    QVERIFY(!OnScreen(window->m_listDraws, 0));

    const QAbstractItemModel& model = window->DrawList();
    QCOMPARE(model.headerData(7, Qt::Horizontal).toString(), QStringLiteral("抽せん日"));
    const QStringList dates = {model.index(36, 7).data().toString(), model.index(37, 7).data().toString(),
                               model.index(38, 7).data().toString(), model.index(39, 7).data().toString()};
    QCOMPARE(dates, (QStringList{"", "2026-08-18（火）", "", "2026-08-21（金）"}));
    QCOMPARE(model.index(39, 0).data(Qt::ToolTipRole).toString(),
             QStringLiteral("2026-08-21（金）　ストレート 90,000円"));
    // The command line lists the draws without their dates.
    QCOMPARE(CliLines({"list", "3"}, db.Path()).value(39), QStringLiteral("40\t409\tn40\t\t\t\t"));
}

void NumbersRefreshTest::extraRoomGoesToTheList() {
    RecordingDesktop desktop;
    TestDatabase db;
    for (const Game game : {Game::Numbers3, Game::Numbers4}) {
        const auto window = OpenGameWindow(game, desktop, db.Path());
        QVERIFY(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        // It opens as tall as the template and wide enough for every column, the dates included.
        QCOMPARE(window->minimumHeight(), window->height());
        QVERIFY(window->m_listDraws->horizontalHeader()->length() <= window->m_listDraws->viewport()->width());
        const QRect list = window->m_listDraws->geometry();
        const QRect search = window->Control(IDC_SEARCH)->geometry();
        const QRect help = window->Control(IDC_GAME_HELP)->geometry();
        const QRect close = window->Control(IDOK)->geometry();
        const QRect reg = window->Control(IDC_REGISTER)->geometry();
        const QRect count = window->m_editCount->geometry();

        window->resize(window->width() + 200, window->height() + 150);
        QCOMPARE(window->m_listDraws->geometry(), list.adjusted(0, 0, 200, 150));
        QCOMPARE(window->Control(IDC_SEARCH)->geometry(), search);
        QCOMPARE(window->Control(IDC_GAME_HELP)->geometry(), help.translated(0, 150));
        QCOMPARE(window->Control(IDOK)->geometry(), close.translated(200, 150));
        QCOMPARE(window->Control(IDC_REGISTER)->geometry(), reg.translated(0, 150));
        QCOMPARE(window->m_editCount->geometry(), count.translated(0, 150));
    }
}

QTEST_MAIN(NumbersRefreshTest)
#include "NumbersRefreshTest.moc"
