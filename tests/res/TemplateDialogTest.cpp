#include "res/TemplateDialog.h"
#include "app/AboutDlg.h"
#include "app/MainMenuDlg.h"
#include "edit/EditDrawDlg.h"
#include "game/Numbers3Dlg.h"
#include "game/Numbers4Dlg.h"
#include "register/RegisterDlg.h"
#include "res/ResourceIds.h"
#include "support/DialogDriver.h"
#include "support/RecordingDesktop.h"

#include <QAbstractButton>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include <memory>

using namespace drawbook;
using namespace drawbook::test;

namespace {

std::unique_ptr<TemplateDialog> Make(int id, RecordingDesktop& desktop) {
    switch (id) {
    case IDD_ABOUTBOX:
        return std::make_unique<CAboutDlg>(desktop);
    case IDD_MAIN_MENU:
        return std::make_unique<CMainMenuDlg>(desktop, QStringLiteral("/nonexistent/drawbook"));
    case IDD_NUMBERS3:
        return std::make_unique<CNumbers3Dlg>(desktop);
    case IDD_NUMBERS4:
        return std::make_unique<CNumbers4Dlg>(desktop);
    case IDD_REGISTER:
        return std::make_unique<CRegisterDlg>(desktop);
    case IDD_EDIT_DRAW:
        return std::make_unique<CEditDrawDlg>(desktop);
    default:
        return std::make_unique<TemplateDialog>(id);
    }
}

QWidget* FocusAfterTab(QWidget* dialog) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* focus = QApplication::focusWidget();
    return focus != nullptr && focus->window() == dialog ? focus : nullptr;
}

} // namespace

class TemplateDialogTest : public QObject {
    Q_OBJECT

private slots:
    void fontAndUnitsFollowTheDialogFont();
    void controlsAreFoundByIdWithTheirKind();
    void textsAreNotClipped();
    void groupBoxesDoNotCoverTheirControls();
    void tabVisitsTabStopsInTemplateOrder_data();
    void tabVisitsTabStopsInTemplateOrder();
    void radioButtonsFormOneGroup();
};

void TemplateDialogTest::fontAndUnitsFollowTheDialogFont() {
    RecordingDesktop desktop;
    CMainMenuDlg menu(desktop, QStringLiteral("/nonexistent/drawbook"));
    const QFontInfo info(menu.font());
    QCOMPARE(menu.font().pointSize(), 9);
    if (info.family() != QStringLiteral("IPAPGothic")) {
        QSKIP("IPAPGothic is not installed");
    }
    // IPAPGothic at 9 pt: letters average 7 px, the font is 13 px high.
    QCOMPARE(menu.Units().baseX, 7);
    QCOMPARE(menu.Units().baseY, 13);
    // 123 × 81 units.
    QCOMPARE(menu.size(), QSize(215, 132));
    // Button 1000 at 7, 3, 53, 28.
    QCOMPARE(menu.Control(IDC_NUMBERS3)->geometry(), QRect(12, 5, 93, 46));
}

void TemplateDialogTest::controlsAreFoundByIdWithTheirKind() {
    RecordingDesktop desktop;
    CNumbers4Dlg window(desktop);
    QVERIFY(window.ControlAs<QLineEdit>(IDC_N1000) != nullptr);
    QVERIFY(window.ControlAs<QTableView>(IDC_DRAW_LIST) != nullptr);
    QVERIFY(window.ControlAs<QRadioButton>(IDC_STRAIGHT) != nullptr);
    QVERIFY(window.ControlAs<QPushButton>(IDOK)->isDefault());
    QVERIFY(!window.ControlAs<QPushButton>(IDC_SEARCH)->isDefault());
    QVERIFY(window.ControlAs<QLineEdit>(IDC_NEXT_DRAW)->isReadOnly());
    QVERIFY(!window.ControlAs<QLineEdit>(IDC_NEXT_DRAW)->hasFrame());
    QCOMPARE(window.ControlAs<QLineEdit>(IDC_COUNT4)->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    QVERIFY(window.Control(IDC_COUNT3) == nullptr);
    QCOMPARE(window.findChildren<QGroupBox*>().size(), 2);

    CEditDrawDlg edit(desktop);
    auto* byTen = edit.ControlAs<QPushButton>(IDC_EDIT_BY_TEN);
    QVERIFY(byTen->isCheckable() && !byTen->isChecked());
    QVERIFY(edit.Control(IDC_EDIT_GAME)->isHidden());
    QVERIFY(edit.ControlAs<QLineEdit>(IDC_EDIT_LABEL1)->isReadOnly());
    QVERIFY(!edit.ControlAs<QLineEdit>(IDC_EDIT_DIGIT4)->isReadOnly());
    QCOMPARE(edit.findChild<QGroupBox*>()->title(), QStringLiteral("予想数字　＆　購入数字"));
    QCOMPARE(edit.windowTitle(), QStringLiteral("　　編　集"));
    QCOMPARE(edit.size(), QSize(453, 216)); // 259 x 133 units

    CNumbers3Dlg three(desktop);
    QVERIFY(three.Control(IDC_N1000) == nullptr);
    QCOMPARE(three.ControlAs<QLineEdit>(IDC_N100)->alignment() & Qt::AlignHCenter, Qt::AlignmentFlag(0));
    QVERIFY(three.ControlAs<QLineEdit>(IDC_COUNT3)->isReadOnly());

    CRegisterDlg reg(desktop);
    QCOMPARE(reg.windowTitle(), QStringLiteral("SOMARU屋　ナンバーズ　登録"));
    QStringList titles;
    for (const QGroupBox* box : reg.findChildren<QGroupBox*>()) {
        titles << box->title();
    }
    titles.sort();
    QCOMPARE(titles, (QStringList{"ナンバーズ３　登録", "ナンバーズ４　登録"}));
    QVERIFY(reg.ControlAs<QLineEdit>(IDC_REG_DRAW3)->isReadOnly());
    QVERIFY(reg.ControlAs<QLineEdit>(IDC_REG_DRAW4)->isReadOnly());
    QVERIFY(!reg.ControlAs<QLineEdit>(IDC_REG_N100_3)->isReadOnly());
    QVERIFY(reg.ControlAs<QPushButton>(IDOK)->isDefault());
    QVERIFY(!reg.ControlAs<QPushButton>(IDC_REG_ADD)->isDefault());
    const QList<QLineEdit*> fields = reg.findChildren<QLineEdit*>();
    QCOMPARE(fields.size(), 19);
    for (const QLineEdit* field : fields) {
        QCOMPARE(field->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    }
}

void TemplateDialogTest::textsAreNotClipped() {
    RecordingDesktop desktop;
    for (const int id : DialogTemplateIds()) {
        const auto dialog = Make(id, desktop);
        const QFontMetrics metrics(dialog->font());
        for (QWidget* child : dialog->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            QString text;
            int room = child->width();
            if (auto* label = qobject_cast<QLabel*>(child)) {
                text = label->text();
            } else if (auto* radio = qobject_cast<QRadioButton*>(child)) {
                text = radio->text();
                room -= 16; // the indicator
            } else if (auto* button = qobject_cast<QPushButton*>(child)) {
                text = button->text();
                room -= 6;
            }
            QVERIFY2(metrics.horizontalAdvance(text) <= room,
                     qPrintable(QStringLiteral("%1 in dialog %2").arg(text).arg(id)));
            QVERIFY2(child->geometry().right() < dialog->width(), qPrintable(text));
        }
    }
}

void TemplateDialogTest::groupBoxesDoNotCoverTheirControls() {
    RecordingDesktop desktop;
    CNumbers3Dlg window(desktop);
    for (const int id : {IDC_N100, IDC_SEARCH, IDC_BOX, IDC_LIST_ALL, IDC_PRED1, IDC_PREDICT, IDC_NEXT_DRAW}) {
        QWidget* control = window.Control(id);
        QCOMPARE(window.childAt(control->geometry().center()), control);
    }
}

void TemplateDialogTest::tabVisitsTabStopsInTemplateOrder_data() {
    QTest::addColumn<int>("dialog");
    QTest::addColumn<QList<int>>("order");
    QTest::newRow("main menu") << IDD_MAIN_MENU
                               << QList<int>{IDOK, IDC_NUMBERS3, IDC_NUMBERS4, IDC_HELP_BUTTON, IDC_VERSION, IDOK};
    QTest::newRow("three digits") << IDD_NUMBERS3
                                  << QList<int>{IDC_N100, IDC_N10, IDC_N1, IDC_SEARCH, IDC_CLEAR, IDC_N100};
    QTest::newRow("four digits") << IDD_NUMBERS4 << QList<int>{IDC_N1000,  IDC_N100,  IDC_N10,      IDC_N1,
                                                               IDC_SEARCH, IDC_CLEAR, IDC_REGISTER, IDC_N1000};
    // Labels, the draw number and the hidden game code are passed over.
    QTest::newRow("edit") << IDD_EDIT_DRAW
                          << QList<int>{IDOK,
                                        IDC_EDIT_DIGIT1,
                                        IDC_EDIT_DIGIT2,
                                        IDC_EDIT_DIGIT3,
                                        IDC_EDIT_DIGIT4,
                                        IDC_EDIT_NUMBER1,
                                        IDC_EDIT_NUMBER2,
                                        IDC_EDIT_NUMBER3,
                                        IDC_EDIT_NUMBER4,
                                        IDC_EDIT_NUMBER5,
                                        IDC_EDIT_STORE,
                                        IDC_EDIT_UP,
                                        IDC_EDIT_DOWN,
                                        IDC_EDIT_BY_TEN,
                                        IDC_EDIT_CLEAR_NUMBERS,
                                        IDOK};
    // The close button and both draw numbers are passed over.
    QTest::newRow("register") << IDD_REGISTER
                              << QList<int>{IDC_REG_N100_3,  IDC_REG_N10_3,   IDC_REG_N1_3,    IDC_REG_PRED3_1,
                                            IDC_REG_PRED3_2, IDC_REG_PRED3_3, IDC_REG_PRED3_4, IDC_REG_PRED3_5,
                                            IDC_REG_N1000_4, IDC_REG_N100_4,  IDC_REG_N10_4,   IDC_REG_N1_4,
                                            IDC_REG_PRED4_1, IDC_REG_PRED4_2, IDC_REG_PRED4_3, IDC_REG_PRED4_4,
                                            IDC_REG_PRED4_5, IDC_REG_ADD,     IDC_REG_N100_3};
}

void TemplateDialogTest::tabVisitsTabStopsInTemplateOrder() {
    QFETCH(int, dialog);
    QFETCH(QList<int>, order);
    RecordingDesktop desktop;
    const auto window = Make(dialog, desktop);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QCOMPARE(QApplication::focusWidget(), window->Control(order.front()));
    for (qsizetype i = 1; i < order.size(); ++i) {
        QCOMPARE(FocusAfterTab(window.get()), window->Control(order[i]));
    }
}

void TemplateDialogTest::radioButtonsFormOneGroup() {
    RecordingDesktop desktop;
    CNumbers3Dlg window(desktop);
    window.show();
    QVERIFY(IsChecked(&window, IDC_BOX));
    ClickRadio(&window, IDC_STRAIGHT);
    QVERIFY(IsChecked(&window, IDC_STRAIGHT));
    QVERIFY(!IsChecked(&window, IDC_BOX));
    ClickRadio(&window, IDC_STRAIGHT);
    QVERIFY(IsChecked(&window, IDC_STRAIGHT));
}

QTEST_MAIN(TemplateDialogTest)
#include "TemplateDialogTest.moc"
