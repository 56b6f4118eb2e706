#include "edit/EditDrawDlg.h"

#include "db/DrawListQuery.h"
#include "edit/DrawStepper.h"
#include "edit/DrawUpdate.h"
#include "res/Desktop.h"
#include "res/QtText.h"
#include "res/ResourceIds.h"

#include <QLineEdit>
#include <QPushButton>

namespace drawbook {

namespace {

std::optional<Game> GameOf(const QString& code) {
    return GameFromCode(code.toStdString());
}

} // namespace

CEditDrawDlg::CEditDrawDlg(Desktop& desktop, QWidget* parent)
    : TemplateDialog(IDD_EDIT_DRAW, parent), m_desktop(desktop), m_editDrawNo(ControlAs<QLineEdit>(IDC_EDIT_DRAW_NO)),
      m_editGame(ControlAs<QLineEdit>(IDC_EDIT_GAME)),
      m_buttonByTen(ControlAs<QPushButton>(IDC_EDIT_BY_TEN)), m_editLabels{ControlAs<QLineEdit>(IDC_EDIT_LABEL1),
                                                                           ControlAs<QLineEdit>(IDC_EDIT_LABEL2),
                                                                           ControlAs<QLineEdit>(IDC_EDIT_LABEL3),
                                                                           ControlAs<QLineEdit>(IDC_EDIT_LABEL4)},
      m_editDigits{ControlAs<QLineEdit>(IDC_EDIT_DIGIT1), ControlAs<QLineEdit>(IDC_EDIT_DIGIT2),
                   ControlAs<QLineEdit>(IDC_EDIT_DIGIT3), ControlAs<QLineEdit>(IDC_EDIT_DIGIT4)},
      m_editNumbers{ControlAs<QLineEdit>(IDC_EDIT_NUMBER1), ControlAs<QLineEdit>(IDC_EDIT_NUMBER2),
                    ControlAs<QLineEdit>(IDC_EDIT_NUMBER3), ControlAs<QLineEdit>(IDC_EDIT_NUMBER4),
                    ControlAs<QLineEdit>(IDC_EDIT_NUMBER5)} {
    connect(ControlAs<QPushButton>(IDOK), &QPushButton::clicked, this, &CEditDrawDlg::accept);
    connect(ControlAs<QPushButton>(IDC_EDIT_STORE), &QPushButton::clicked, this, &CEditDrawDlg::OnStore);
    connect(ControlAs<QPushButton>(IDC_EDIT_UP), &QPushButton::clicked, this, &CEditDrawDlg::OnUp);
    connect(ControlAs<QPushButton>(IDC_EDIT_DOWN), &QPushButton::clicked, this, &CEditDrawDlg::OnDown);
    connect(ControlAs<QPushButton>(IDC_EDIT_CLEAR_NUMBERS), &QPushButton::clicked, this, &CEditDrawDlg::OnClearNumbers);
}

bool CEditDrawDlg::OnInitDialog() {
    UpdateData(false);
    const QString clause = ToQString(DrawClause(m_editDrawNo->text().toStdString()));
    ApplyLabels();
    LoadDraw(m_strDbPath, clause);
    // The draw number stays shown even when no row has it.
    UpdateData(false);
    return true;
}

void CEditDrawDlg::UpdateData(bool saveAndValidate) {
    if (saveAndValidate) {
        m_strGame = m_editGame->text();
        m_strDrawNo = m_editDrawNo->text();
    } else {
        m_editGame->setText(m_strGame);
        m_editDrawNo->setText(m_strDrawNo);
    }
}

void CEditDrawDlg::accept() {
    UpdateData(true);
    TemplateDialog::accept();
}

void CEditDrawDlg::ApplyLabels() {
    if (m_strGame == QLatin1String("3")) {
        SetReadOnly(m_editDigits[3]);
        // Tab passes over the fourth digit, which this game does not have.
        m_editDigits[3]->setFocusPolicy(Qt::ClickFocus);
    }
    // The positions' labels, highest first; an unknown game keeps the template's.
    if (const auto game = GameOf(m_strGame)) {
        for (int p = 0; p < Positions(*game); ++p) {
            m_editLabels[static_cast<std::size_t>(p)]->setText(ToQString(PositionLabel(*game, p)));
        }
    }
}

std::vector<QLineEdit*> CEditDrawDlg::DigitFields() const {
    const auto game = GameOf(m_strGame);
    const std::size_t count = game ? static_cast<std::size_t>(Positions(*game)) : 0;
    return {m_editDigits.begin(), m_editDigits.begin() + static_cast<std::ptrdiff_t>(count)};
}

bool CEditDrawDlg::LoadDraw(QString dbPath, QString clause) {
    const auto game = GameOf(m_strGame);
    if (!game) {
        return false;
    }
    DrawListResult result;
    {
        WaitCursor wait(m_desktop);
        result = ReadDrawList(dbPath.toStdString(), *game, clause.toStdString());
    }
    if (result.status == ReadStatus::NotOpened) {
        return false;
    }
    if (result.status == ReadStatus::Interrupted) {
        m_desktop.ShowMessage(this, ToQString(kReadInterruptedMessage), Desktop::Icon::Stop);
        return false;
    }

    // The last row read is the one shown; without one, every field empties.
    const DrawListRow shown = result.rows.empty() ? DrawListRow{} : result.rows.back();
    m_editDrawNo->setText(ToQString(shown.drawNo));
    const std::vector<QLineEdit*> digits = DigitFields();
    for (std::size_t p = 0; p < digits.size(); ++p) {
        digits[p]->setText(p < shown.digits.size() ? ToQString(shown.digits[p]) : QString());
    }
    for (std::size_t n = 0; n < m_editNumbers.size(); ++n) {
        m_editNumbers[n]->setText(ToQString(shown.numbers[n]));
    }
    return true;
}

void CEditDrawDlg::OnUp() {
    Step(true);
}

void CEditDrawDlg::OnDown() {
    Step(false);
}

void CEditDrawDlg::Step(bool up) {
    const DrawStep step = StepDraw(m_editDrawNo->text().toStdString(), m_strNextDrawNo.toStdString(),
                                   m_buttonByTen->isChecked(), up ? StepDirection::Up : StepDirection::Down);
    if (!step.target) {
        m_desktop.ShowMessage(this, ToQString(step.refusal), Desktop::Icon::Stop);
        return;
    }
    const QString clause = ToQString(DrawClause(std::to_string(*step.target)));
    ApplyLabels();
    LoadDraw(m_strDbPath, clause);
}

void CEditDrawDlg::OnClearNumbers() {
    for (QLineEdit* edit : m_editNumbers) {
        edit->clear();
    }
}

void CEditDrawDlg::OnStore() {
    UpdateDraw(m_strDbPath, ToQString(DrawClause(m_editDrawNo->text().toStdString())));
}

bool CEditDrawDlg::UpdateDraw(QString dbPath, QString clause) {
    const auto game = GameOf(m_strGame);
    if (!game) {
        return false;
    }
    DrawEdit edit;
    edit.drawNo = m_editDrawNo->text().toStdString();
    for (QLineEdit* digit : DigitFields()) {
        edit.digits.push_back(digit->text().toStdString());
    }
    for (std::size_t n = 0; n < m_editNumbers.size(); ++n) {
        edit.numbers[n] = m_editNumbers[n]->text().toStdString();
    }
    if (const auto refusal = PrepareDrawEdit(*game, edit)) {
        m_desktop.ShowMessage(this, ToQString(*refusal), Desktop::Icon::Stop);
        return false;
    }

    StoreResult result;
    {
        WaitCursor wait(m_desktop);
        result = WriteDraw(dbPath.toStdString(), *game, clause.toStdString(), edit);
    }
    if (result.outcome != StoreOutcome::Stored) {
        // Nothing was written; the fields keep what the user typed.
        m_desktop.ShowMessage(this, ToQString(kStoreFailedMessage), Desktop::Icon::Stop);
        return false;
    }
    emit DrawsStored();
    return true;
}

} // namespace drawbook
