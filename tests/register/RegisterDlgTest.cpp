#include "register/RegisterDlg.h"
#include "game/Numbers3Dlg.h"
#include "game/Numbers4Dlg.h"
#include "predict/PredictionQuery.h"
#include "res/ResourceIds.h"
#include "support/DialogDriver.h"
#include "support/RecordingDesktop.h"
#include "support/TestDatabase.h"

#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include <array>
#include <filesystem>
#include <memory>

using namespace drawbook;
using namespace drawbook::test;

namespace {

const QString kIncomplete4 = QStringLiteral("　ナンバーズ４に記入漏れがあります。。");
const QString kIncomplete3 = QStringLiteral("　ナンバーズ３に記入漏れがあります。。");
const QString kNotOneDigit4 = QStringLiteral("　ナンバーズ４の当選数字は一桁の数字で記入してください。。");
const QString kNotOneDigit3 = QStringLiteral("　ナンバーズ３の当選数字は一桁の数字で記入してください。。");
const QString kNotStored = QStringLiteral("　登録できませんでした。。");

// The seventeen input fields in tab order: three-digit game, then four-digit game.
constexpr std::array kInputs = {IDC_REG_N100_3,  IDC_REG_N10_3,   IDC_REG_N1_3,    IDC_REG_PRED3_1, IDC_REG_PRED3_2,
                                IDC_REG_PRED3_3, IDC_REG_PRED3_4, IDC_REG_PRED3_5, IDC_REG_N1000_4, IDC_REG_N100_4,
                                IDC_REG_N10_4,   IDC_REG_N1_4,    IDC_REG_PRED4_1, IDC_REG_PRED4_2, IDC_REG_PRED4_3,
                                IDC_REG_PRED4_4, IDC_REG_PRED4_5};
constexpr std::size_t kFirstFour = 8;

// Something in every input field: digits 4 0 9 and 1 2 3 4.
const QStringList kComplete{"4", "0", "9", "123",  "456",  "789",  "012",  "345", "1",
                            "2", "3", "4", "1111", "2222", "3333", "4444", "5555"};

std::unique_ptr<CRegisterDlg> Open(RecordingDesktop& desktop, const std::string& dbPath) {
    auto dialog = std::make_unique<CRegisterDlg>(desktop);
    dialog->m_strDbPath = QString::fromStdString(dbPath);
    dialog->show();
    return dialog;
}

void Fill(QWidget* dialog, const QStringList& texts) {
    for (std::size_t i = 0; i < kInputs.size(); ++i) {
        FindControlAs<QLineEdit>(dialog, kInputs[i])->setText(texts.value(static_cast<qsizetype>(i)));
    }
}

// The two draw numbers, then the seventeen inputs.
QStringList Shown(QWidget* dialog) {
    QStringList texts{TextOf(dialog, IDC_REG_DRAW3), TextOf(dialog, IDC_REG_DRAW4)};
    for (const int id : kInputs) {
        texts << TextOf(dialog, id);
    }
    return texts;
}

QStringList Predictions(QWidget* dialog, Game game) {
    return Shown(dialog).mid(game == Game::Numbers3 ? 5 : 14, 5);
}

QStringList Digits(QWidget* dialog) {
    const QStringList shown = Shown(dialog);
    return shown.mid(2, 3) + shown.mid(10, 4);
}

QStringList Predicted(const TestDatabase& db, Game game) {
    const PredictionResult result = PredictFromDatabase(db.Path(), game, "WHERE kaisai>0");
    QStringList numbers;
    for (const std::string& number : result.numbers) {
        numbers << QString::fromStdString(number);
    }
    return numbers;
}

} // namespace

class RegisterDlgTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { UseOwnSettings(); }

    void opensOnTheNextDrawOfEachGameWithPredictions();
    void addStoresBothDrawsAndMovesOnToTheNext();
    void incompleteEntriesAreRefusedFourDigitFirst();
    void digitsMustBeSingleDigits();
    void numbersAreStoredExactlyAsTyped();
    void failedAddStoresNeitherRowAndKeepsTheFields();
    void takenDrawNumberIsRefusedInBothTables();
    void closingAddsNothingAndHandsBackTheDigits();
    void registerButtonInEachGameWindowOpensTheDialog();
    void emptyGamesAreOfferedTheShippedHistoryFirst();
};

void RegisterDlgTest::opensOnTheNextDrawOfEachGameWithPredictions() {
    RecordingDesktop desktop;
    TestDatabase empty;
    const auto first = Open(desktop, empty.Path());
    QCOMPARE(first->windowTitle(), QStringLiteral("SOMARU屋　ナンバーズ　登録"));
    QVERIFY(QTest::qWaitForWindowActive(first.get()));
    QCOMPARE(QApplication::focusWidget(), first->Control(IDC_REG_N100_3));
    QCOMPARE(TextOf(first.get(), IDC_REG_DRAW3), QStringLiteral("1"));
    QCOMPARE(TextOf(first.get(), IDC_REG_DRAW4), QStringLiteral("1"));
    QCOMPARE(Digits(first.get()), QStringList(7, QString()));

    TestDatabase db;
    db.InsertSequence(Game::Numbers3, 100);
    db.InsertSequence(Game::Numbers4, 100);
    // Rows numbered 0 or below are neither counted nor learnt from.
    db.Insert(Game::Numbers3, {TestDraw{0, {7, 7, 7}}, TestDraw{-3, {7, 7, 7}}});
    db.Insert(Game::Numbers4, TestDraw{0, {7, 7, 7, 7}});
    const auto dialog = Open(desktop, db.Path());
    QCOMPARE(TextOf(dialog.get(), IDC_REG_DRAW3), QStringLiteral("101"));
    QCOMPARE(TextOf(dialog.get(), IDC_REG_DRAW4), QStringLiteral("101"));
    QCOMPARE(Predictions(dialog.get(), Game::Numbers3), Predicted(db, Game::Numbers3));
    QCOMPARE(Predictions(dialog.get(), Game::Numbers4), Predicted(db, Game::Numbers4));
    QCOMPARE(Predicted(db, Game::Numbers4).value(0).size(), 4);
    QCOMPARE(Digits(dialog.get()), QStringList(7, QString()));

    // A file that cannot be opened leaves every field empty, quietly.
    const std::string missing = db.Dir().File("missing.mdb");
    const auto none = Open(desktop, missing);
    QCOMPARE(Shown(none.get()), QStringList(19, QString()));
    QVERIFY(!std::filesystem::exists(missing));
    QVERIFY(desktop.messages.empty());
    QCOMPARE(desktop.waitDepth, 0);
}

void RegisterDlgTest::addStoresBothDrawsAndMovesOnToTheNext() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.InsertSequence(Game::Numbers3, 100);
    db.InsertSequence(Game::Numbers4, 100);
    const QStringList before3 = Predicted(db, Game::Numbers3);
    const QStringList before4 = Predicted(db, Game::Numbers4);
    const auto dialog = Open(desktop, db.Path());
    Fill(dialog.get(), kComplete);
    Click(dialog.get(), IDC_REG_ADD);
    QVERIFY(desktop.messages.empty());
    QCOMPARE(StoredRow(db, Game::Numbers3, 101), (QStringList{"4", "0", "9", "123", "456", "789", "012", "345", " "}));
    QCOMPARE(StoredRow(db, Game::Numbers4, 101),
             (QStringList{"1", "2", "3", "4", "1111", "2222", "3333", "4444", "5555", " "}));
    QCOMPARE(db.Rows(Game::Numbers3).size(), std::size_t(101));
    QCOMPARE(db.Rows(Game::Numbers4).size(), std::size_t(101));
    QCOMPARE(db.Count("SELECT count(*) FROM \"ナンバーズ3\" WHERE typeof(N100)='integer' AND typeof(N1)='integer'"),
             101);

    // The next pair can be typed at once: new numbers, fresh predictions.
    QCOMPARE(TextOf(dialog.get(), IDC_REG_DRAW3), QStringLiteral("102"));
    QCOMPARE(TextOf(dialog.get(), IDC_REG_DRAW4), QStringLiteral("102"));
    QCOMPARE(Digits(dialog.get()), QStringList(7, QString()));
    QVERIFY(Predicted(db, Game::Numbers3) != before3);
    QVERIFY(Predicted(db, Game::Numbers4) != before4);
    QCOMPARE(Predictions(dialog.get(), Game::Numbers3), Predicted(db, Game::Numbers3));
    QCOMPARE(Predictions(dialog.get(), Game::Numbers4), Predicted(db, Game::Numbers4));

    // Full-width digits, as an input method types them, are stored as plain digits.
    Fill(dialog.get(),
         QStringList{"", "0", "０", "1", "1", "1", "1", "1", "９", "8", "１", "2", "1", "1", "1", "1", "1"});
    Type(dialog.get(), IDC_REG_N100_3, QStringLiteral("７"));
    Click(dialog.get(), IDC_REG_ADD);
    QVERIFY(desktop.messages.empty());
    QCOMPARE(StoredRow(db, Game::Numbers3, 102).mid(0, 3), (QStringList{"7", "0", "0"}));
    QCOMPARE(StoredRow(db, Game::Numbers4, 102).mid(0, 4), (QStringList{"9", "8", "1", "2"}));
    QCOMPARE(db.Count("SELECT count(*) FROM \"ナンバーズ4\" WHERE typeof(N1000)='integer' AND typeof(N10)='integer'"),
             102);
    QCOMPARE(TextOf(dialog.get(), IDC_REG_DRAW3), QStringLiteral("103"));
    QCOMPARE(TextOf(dialog.get(), IDC_REG_DRAW4), QStringLiteral("103"));
    QCOMPARE(desktop.waitDepth, 0);
}

void RegisterDlgTest::incompleteEntriesAreRefusedFourDigitFirst() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.InsertSequence(Game::Numbers3, 3);
    const std::string before = ReadBytes(db.Path());
    const auto dialog = Open(desktop, db.Path());

    // Each case: the index of the field emptied, and what is said.
    const QList<std::pair<QList<int>, QStringList>> cases = {
        {{16}, {kIncomplete4}}, // one four-digit number
        {{8}, {kIncomplete4}},  // the thousands digit
        {{2}, {kIncomplete3}},  // the three-digit units
        {{0, 12}, {kIncomplete4, kIncomplete3}},
    };
    int shown = 0;
    for (const auto& [emptied, said] : cases) {
        QStringList texts = kComplete;
        for (const int i : emptied) {
            texts[i].clear();
        }
        texts[9] = QStringLiteral("x"); // gaps are reported before a bad digit
        Fill(dialog.get(), texts);
        const QStringList fields = Shown(dialog.get());
        Click(dialog.get(), IDC_REG_ADD);
        QCOMPARE(desktop.Texts().mid(shown), said);
        QCOMPARE(Shown(dialog.get()), fields);
        shown += static_cast<int>(said.size());
    }
    QVERIFY(ReadBytes(db.Path()) == before);

    // A blank fills a number field.
    QStringList blanks = kComplete;
    blanks[4] = QStringLiteral(" ");
    blanks[13] = QStringLiteral("　");
    Fill(dialog.get(), blanks);
    Click(dialog.get(), IDC_REG_ADD);
    QCOMPARE(static_cast<int>(desktop.messages.size()), shown);
    QCOMPARE(StoredRow(db, Game::Numbers3, 4).value(4), QStringLiteral(" "));
    QCOMPARE(StoredRow(db, Game::Numbers4, 1).value(5), QStringLiteral("　"));
    QCOMPARE(desktop.waitDepth, 0);
}

void RegisterDlgTest::digitsMustBeSingleDigits() {
    RecordingDesktop desktop;
    TestDatabase db;
    const std::string before = ReadBytes(db.Path());
    const auto dialog = Open(desktop, db.Path());
    const QStringList refused{"a", "12", " ", "　", "Ａ", "-1", "1 ", "'", "1.0"};
    for (const QString& text : refused) {
        for (const auto& [index, said] : {std::pair{std::size_t(1), QStringList{kNotOneDigit3}},
                                          std::pair{kFirstFour + 3, QStringList{kNotOneDigit4}}}) {
            QStringList texts = kComplete;
            texts[static_cast<qsizetype>(index)] = text;
            Fill(dialog.get(), texts);
            const QStringList fields = Shown(dialog.get());
            desktop.messages.clear();
            Click(dialog.get(), IDC_REG_ADD);
            QCOMPARE(desktop.Texts(), said);
            QCOMPARE(Shown(dialog.get()), fields);
        }
    }
    // Both games wrong: both messages, the four-digit game's first.
    QStringList texts = kComplete;
    texts[0] = QStringLiteral("x");
    texts[kFirstFour] = QStringLiteral("10");
    Fill(dialog.get(), texts);
    desktop.messages.clear();
    Click(dialog.get(), IDC_REG_ADD);
    QCOMPARE(desktop.Texts(), (QStringList{kNotOneDigit4, kNotOneDigit3}));
    QVERIFY(ReadBytes(db.Path()) == before);
    QCOMPARE(desktop.waitDepth, 0);
}

void RegisterDlgTest::numbersAreStoredExactlyAsTyped() {
    RecordingDesktop desktop;
    TestDatabase db;
    const auto dialog = Open(desktop, db.Path());
    QStringList texts = kComplete;
    texts[3] = QString();
    texts[5] = QStringLiteral("''");
    texts[6] = QStringLiteral(" 45 ");
    texts[7] = QStringLiteral("予想");
    texts[12] = QStringLiteral("'); DROP TABLE ナンバーズ4; --");
    texts[16] = QStringLiteral("0012");
    Fill(dialog.get(), texts);
    Type(dialog.get(), IDC_REG_PRED3_1, QStringLiteral("12'3"));
    Click(dialog.get(), IDC_REG_ADD);
    QVERIFY(desktop.messages.empty());
    QCOMPARE(StoredRow(db, Game::Numbers3, 1), (QStringList{"4", "0", "9", "12'3", "456", "''", " 45 ", "予想", " "}));
    QCOMPARE(StoredRow(db, Game::Numbers4, 1),
             (QStringList{"1", "2", "3", "4", "'); DROP TABLE ナンバーズ4; --", "2222", "3333", "4444", "0012", " "}));
    QCOMPARE(db.Count("SELECT count(*) FROM sqlite_master WHERE type='table' AND name IN "
                      "('ナンバーズ3','ナンバーズ4')"),
             2);
    QCOMPARE(db.Rows(Game::Numbers4).size(), std::size_t(1));
    QCOMPARE(TextOf(dialog.get(), IDC_REG_DRAW4), QStringLiteral("2"));
}

void RegisterDlgTest::failedAddStoresNeitherRowAndKeepsTheFields() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.InsertSequence(Game::Numbers3, 5);
    db.InsertSequence(Game::Numbers4, 7);
    db.Execute("CREATE TRIGGER t BEFORE INSERT ON \"ナンバーズ4\" BEGIN SELECT RAISE(ABORT, 'no'); END;");
    const auto dialog = Open(desktop, db.Path());
    Fill(dialog.get(), kComplete);
    const QStringList fields = Shown(dialog.get());
    QCOMPARE(fields.mid(0, 2), (QStringList{"6", "8"}));
    Click(dialog.get(), IDC_REG_ADD);
    QCOMPARE(desktop.Texts(), QStringList{kNotStored});
    QCOMPARE(Shown(dialog.get()), fields);
    QCOMPARE(db.Rows(Game::Numbers3).size(), std::size_t(5));
    QCOMPARE(db.Rows(Game::Numbers4).size(), std::size_t(7));

    // Once the table takes rows again, the same entries go in.
    db.Execute("DROP TRIGGER t;");
    Click(dialog.get(), IDC_REG_ADD);
    QCOMPARE(desktop.messages.size(), size_t(1));
    QCOMPARE(StoredRow(db, Game::Numbers3, 6).value(3), QStringLiteral("123"));
    QCOMPARE(StoredRow(db, Game::Numbers4, 8).value(4), QStringLiteral("1111"));

    // No database at all: nothing to add to.
    const std::string missing = db.Dir().File("missing.mdb");
    const auto none = Open(desktop, missing);
    Fill(none.get(), kComplete);
    Click(none.get(), IDC_REG_ADD);
    QCOMPARE(desktop.Texts(), (QStringList{kNotStored, kNotStored}));
    QCOMPARE(Shown(none.get()), (QStringList{"", ""} + kComplete));
    QVERIFY(!std::filesystem::exists(missing));
    QCOMPARE(desktop.waitDepth, 0);
}

void RegisterDlgTest::takenDrawNumberIsRefusedInBothTables() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.Insert(Game::Numbers3, {TestDraw{1, {1, 1, 1}}, TestDraw{2, {2, 2, 2}}, TestDraw{4, {4, 4, 4}}});
    db.InsertSequence(Game::Numbers4, 3);
    const std::string before = ReadBytes(db.Path());
    const auto dialog = Open(desktop, db.Path());
    // The row count plus one, although draw 4 is already there.
    QCOMPARE(TextOf(dialog.get(), IDC_REG_DRAW3), QStringLiteral("4"));
    QCOMPARE(TextOf(dialog.get(), IDC_REG_DRAW4), QStringLiteral("4"));
    Fill(dialog.get(), kComplete);
    const QStringList fields = Shown(dialog.get());
    Click(dialog.get(), IDC_REG_ADD);
    QCOMPARE(desktop.Texts(), QStringList{QStringLiteral("　第4回はナンバーズ３に登録済みです。。")});
    QCOMPARE(Shown(dialog.get()), fields);
    QVERIFY(ReadBytes(db.Path()) == before);

    TestDatabase both;
    for (const Game game : {Game::Numbers3, Game::Numbers4}) {
        both.InsertSequence(game, 10);
        both.Execute("DELETE FROM \"" + std::string(TableName(game)) + "\" WHERE kaisai=5;");
    }
    const auto twice = Open(desktop, both.Path());
    Fill(twice.get(), kComplete);
    desktop.messages.clear();
    Click(twice.get(), IDC_REG_ADD);
    QCOMPARE(desktop.Texts(), (QStringList{QStringLiteral("　第10回はナンバーズ４に登録済みです。。"),
                                           QStringLiteral("　第10回はナンバーズ３に登録済みです。。")}));
    QCOMPARE(both.Rows(Game::Numbers3).size(), std::size_t(9));
    QCOMPARE(both.Rows(Game::Numbers4).size(), std::size_t(9));
    QCOMPARE(StoredRow(both, Game::Numbers4, 10).value(4), QStringLiteral("n10"));
    QCOMPARE(Digits(twice.get()), (QStringList{"4", "0", "9", "1", "2", "3", "4"}));
    QCOMPARE(desktop.waitDepth, 0);
}

void RegisterDlgTest::closingAddsNothingAndHandsBackTheDigits() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.InsertSequence(Game::Numbers3, 2);
    const std::string before = ReadBytes(db.Path());

    // Enter presses the close button, not 追　　加.
    for (const int id : {IDC_REG_N1_3, IDC_REG_PRED4_5}) {
        const auto entered = Open(desktop, db.Path());
        Fill(entered.get(), kComplete);
        QTest::keyClick(entered->Control(id), Qt::Key_Return);
        QVERIFY(!entered->isVisible());
        QCOMPARE(entered->result(), int(QDialog::Accepted));
    }
    const auto escaped = Open(desktop, db.Path());
    Fill(escaped.get(), kComplete);
    QTest::keyClick(escaped->Control(IDC_REG_PRED3_2), Qt::Key_Escape);
    QVERIFY(!escaped->isVisible());
    QCOMPARE(escaped->result(), int(QDialog::Rejected));

    const auto closed = Open(desktop, db.Path());
    QCOMPARE(TextOf(closed.get(), IDOK), QStringLiteral("閉　じ　る"));
    QCOMPARE(TextOf(closed.get(), IDC_REG_ADD), QStringLiteral("追　　加"));
    Fill(closed.get(), {"1", "2", "3", "", "", "", "", "", "4", "5", "6", "7"});
    Click(closed.get(), IDOK);
    QVERIFY(!closed->isVisible());
    QCOMPARE(closed->result(), int(QDialog::Accepted));
    QCOMPARE((QStringList{closed->m_strN100_3, closed->m_strN10_3, closed->m_strN1_3, closed->m_strN1000_4,
                          closed->m_strN100_4, closed->m_strN10_4, closed->m_strN1_4}),
             (QStringList{"1", "2", "3", "4", "5", "6", "7"}));
    QVERIFY(ReadBytes(db.Path()) == before);
    QVERIFY(desktop.messages.empty());
}

void RegisterDlgTest::registerButtonInEachGameWindowOpensTheDialog() {
    RecordingDesktop desktop;
    TestDatabase db;
    db.InsertSequence(Game::Numbers3, 20);
    db.InsertSequence(Game::Numbers4, 30);
    int added = 0;
    for (const Game game : {Game::Numbers3, Game::Numbers4}) {
        std::unique_ptr<CNumbersDlg> window;
        if (game == Game::Numbers3) {
            window = std::make_unique<CNumbers3Dlg>(desktop);
        } else {
            window = std::make_unique<CNumbers4Dlg>(desktop);
        }
        window->m_strDbPath = QString::fromStdString(db.Path());
        window->show();
        Click(window.get(), IDC_LIST_ALL);
        Click(window.get(), IDC_PREDICT);
        const QStringList rows = ListRows(window->m_listDraws);
        const QString next = TextOf(window.get(), IDC_NEXT_DRAW);
        QStringList windowPredictions;
        for (const int id : {IDC_PRED1, IDC_PRED2, IDC_PRED3, IDC_PRED4, IDC_PRED5}) {
            windowPredictions << TextOf(window.get(), id);
        }

        QStringList seen;
        QStringList dialogPredictions;
        desktop.onModal = [&](QDialog& d) {
            if (auto* dialog = qobject_cast<CRegisterDlg*>(&d)) {
                seen = Shown(dialog).mid(0, 2);
                dialogPredictions = Predictions(dialog, game);
                Fill(dialog, kComplete);
                Click(dialog, IDC_REG_ADD);
                ++added;
            }
            return int(QDialog::Accepted);
        };
        Click(window.get(), IDC_REGISTER);
        QCOMPARE(desktop.modalTitles.back(), QStringLiteral("SOMARU屋　ナンバーズ　登録"));
        QCOMPARE(seen, (QStringList{QString::number(20 + added), QString::number(30 + added)}));
        QCOMPARE(dialogPredictions, windowPredictions);
        // The window behind shows the added draw and counts on from it.
        QCOMPARE(ListRows(window->m_listDraws).mid(0, rows.size()), rows);
        QCOMPARE(ListRows(window->m_listDraws).size(), rows.size() + 1);
        QCOMPARE(TextOf(window.get(), IDC_NEXT_DRAW), QString::number(next.toInt() + 1));
    }
    QCOMPARE(desktop.modalTitles.size(), size_t(2));
    QCOMPARE(added, 2);
    QCOMPARE(db.Rows(Game::Numbers3).size(), std::size_t(22));
    QCOMPARE(db.Rows(Game::Numbers4).size(), std::size_t(32));
    QVERIFY(desktop.messages.empty());
    QCOMPARE(desktop.waitDepth, 0);
}

// Before anything is typed, each game without a draw is offered the shipped
// history, ナンバーズ３ first; Yes shows the next draw and predictions after it,
// No is remembered.
void RegisterDlgTest::emptyGamesAreOfferedTheShippedHistoryFirst() {
    const auto question = [](const QString& game) {
        return QStringLiteral(
                   "　過去の当せん番号（第1回～第7054回）を取り込みますか？\n\n　この記録帳には、まだ%1の回が"
                   "ありません。プログラムに付いている当せん番号を、抽せん日・当せん金とともに取り込みます。。")
            .arg(game);
    };
    const auto open = [](RecordingDesktop& desktop, const TestDatabase& db) {
        auto dialog = std::make_unique<CRegisterDlg>(desktop);
        dialog->m_strDbPath = QString::fromStdString(db.Path());
        dialog->m_strHistoryDir = QStringLiteral(DRAWBOOK_BUNDLED_DIR);
        dialog->show();
        QTest::qWait(50);
        return dialog;
    };

    TestDatabase db;
    db.InsertSequence(Game::Numbers3, 3);
    RecordingDesktop yes;
    yes.answers = {true};
    QString drawShown;
    yes.onMessage = [&drawShown](const QString&) {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* shown = qobject_cast<CRegisterDlg*>(widget)) {
                drawShown = TextOf(shown, IDC_REG_DRAW4);
            }
        }
    };
    const auto dialog = open(yes, db);
    QCOMPARE(yes.questions, std::vector<QString>{question(QStringLiteral("ナンバーズ４"))});
    QCOMPARE(yes.Texts(), QStringList{QStringLiteral("(no stop icon) 　7054回分を追加しました（第1回～第7054回）。"
                                                     "抽せん日・当せん金を7054回分に記録しました。。")});
    QCOMPARE(TextOf(dialog.get(), IDC_REG_DRAW3), QStringLiteral("4"));
    QCOMPARE(drawShown, QStringLiteral("7055")); // before the summary
    QCOMPARE(TextOf(dialog.get(), IDC_REG_DRAW4), QStringLiteral("7055"));
    QCOMPARE(Predictions(dialog.get(), Game::Numbers4), Predicted(db, Game::Numbers4));
    QCOMPARE(db.Rows(Game::Numbers3).size(), std::size_t(3));

    TestDatabase empty;
    RecordingDesktop no;
    open(no, empty);
    open(no, empty);
    QCOMPARE(no.questions, (std::vector<QString>{question(QStringLiteral("ナンバーズ３")),
                                                 question(QStringLiteral("ナンバーズ４"))}));
    QVERIFY(no.messages.empty());
    QCOMPARE(empty.Rows(Game::Numbers4).size(), std::size_t(0));

    // Opened from a game window, which hands over the folder of its shipped history.
    TestDatabase behind;
    behind.InsertSequence(Game::Numbers3, 3);
    RecordingDesktop fromWindow;
    fromWindow.onModal = [](QDialog& dialog) {
        QTest::qWait(50);
        return dialog.result();
    };
    const auto window = OpenGameWindow(Game::Numbers3, fromWindow, behind.Path(),
                                       QStringLiteral(DRAWBOOK_BUNDLED_DIR "numbers3_results.csv"));
    QTest::qWait(50);
    Click(window.get(), IDC_REGISTER);
    QCOMPARE(fromWindow.questions.size(), std::size_t(2)); // first the window's own offer to its book behind
    QCOMPARE(fromWindow.questions.back(), question(QStringLiteral("ナンバーズ４")));
}

QTEST_MAIN(RegisterDlgTest)
#include "RegisterDlgTest.moc"
