#include "register/RegisterDlg.h"

#include "db/DrawCounter.h"
#include "exchange/DrawExchange.h"
#include "exchange/FeedUpdate.h"
#include "predict/MethodSettings.h"
#include "predict/PredictNextDraw.h"
#include "register/DrawRegistration.h"
#include "res/Desktop.h"
#include "res/QtText.h"
#include "res/ResourceIds.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace drawbook {

CRegisterDlg::CRegisterDlg(Desktop& desktop, QWidget* parent)
    : TemplateDialog(IDD_REGISTER, parent), m_editN1000_4(ControlAs<QLineEdit>(IDC_REG_N1000_4)),
      m_editPred4_5(ControlAs<QLineEdit>(IDC_REG_PRED4_5)), m_editPred4_4(ControlAs<QLineEdit>(IDC_REG_PRED4_4)),
      m_editPred4_3(ControlAs<QLineEdit>(IDC_REG_PRED4_3)), m_editPred4_2(ControlAs<QLineEdit>(IDC_REG_PRED4_2)),
      m_editPred4_1(ControlAs<QLineEdit>(IDC_REG_PRED4_1)), m_editN100_4(ControlAs<QLineEdit>(IDC_REG_N100_4)),
      m_editN10_4(ControlAs<QLineEdit>(IDC_REG_N10_4)), m_editDraw4(ControlAs<QLineEdit>(IDC_REG_DRAW4)),
      m_editN1_4(ControlAs<QLineEdit>(IDC_REG_N1_4)), m_editPred3_5(ControlAs<QLineEdit>(IDC_REG_PRED3_5)),
      m_editPred3_4(ControlAs<QLineEdit>(IDC_REG_PRED3_4)), m_editPred3_3(ControlAs<QLineEdit>(IDC_REG_PRED3_3)),
      m_editPred3_2(ControlAs<QLineEdit>(IDC_REG_PRED3_2)), m_editPred3_1(ControlAs<QLineEdit>(IDC_REG_PRED3_1)),
      m_editN100_3(ControlAs<QLineEdit>(IDC_REG_N100_3)), m_editN10_3(ControlAs<QLineEdit>(IDC_REG_N10_3)),
      m_editDraw3(ControlAs<QLineEdit>(IDC_REG_DRAW3)), m_editN1_3(ControlAs<QLineEdit>(IDC_REG_N1_3)),
      m_desktop(desktop) {
    connect(ControlAs<QPushButton>(IDOK), &QPushButton::clicked, this, &CRegisterDlg::accept);
    connect(ControlAs<QPushButton>(IDC_REG_ADD), &QPushButton::clicked, this, &CRegisterDlg::OnAdd);
}

bool CRegisterDlg::OnInitDialog() {
    const QString clause = ToQString(kAllDrawsClause);
    ShowNextDraw3(m_strDbPath, clause);
    ShowNextDraw4(m_strDbPath, clause);
    Predict(Game::Numbers3, clause);
    Predict(Game::Numbers4, clause);
    UpdateData(false);
    if (!m_strHistoryDir.isEmpty()) {
        QTimer::singleShot(0, this, &CRegisterDlg::OfferHistory);
    }
    return true;
}

void CRegisterDlg::OfferHistory() {
    for (const Game game : {Game::Numbers3, Game::Numbers4}) {
        if ((game == Game::Numbers3 ? m_editDraw3 : m_editDraw4)->text() != QLatin1String("1")) {
            continue;
        }
        const QString path = QDir(m_strHistoryDir).filePath(ToQString(BundledHistoryFileName(game)));
        OfferShippedHistory(m_desktop, this, game, m_strDbPath, path, [this, game] {
            const QString clause = ToQString(kAllDrawsClause);
            ShowNextDraw(game, m_strDbPath, clause);
            Predict(game, clause);
            emit DrawsStored();
        });
    }
}

void CRegisterDlg::UpdateData(bool saveAndValidate) {
    const std::array<std::pair<QLineEdit*, QString*>, 7> fields = {{
        {m_editN1_3, &m_strN1_3},
        {m_editN10_3, &m_strN10_3},
        {m_editN100_3, &m_strN100_3},
        {m_editN1_4, &m_strN1_4},
        {m_editN10_4, &m_strN10_4},
        {m_editN100_4, &m_strN100_4},
        {m_editN1000_4, &m_strN1000_4},
    }};
    for (const auto& [edit, text] : fields) {
        if (saveAndValidate) {
            *text = edit->text();
        } else {
            edit->setText(*text);
        }
    }
}

void CRegisterDlg::accept() {
    UpdateData(true);
    TemplateDialog::accept();
}

bool CRegisterDlg::ShowNextDraw3(QString dbPath, QString clause) {
    return ShowNextDraw(Game::Numbers3, dbPath, clause);
}

bool CRegisterDlg::ShowNextDraw4(QString dbPath, QString clause) {
    return ShowNextDraw(Game::Numbers4, dbPath, clause);
}

bool CRegisterDlg::ShowNextDraw(Game game, const QString& dbPath, const QString& clause) {
    std::optional<std::string> next;
    {
        WaitCursor wait(m_desktop);
        next = CountDraws(dbPath.toStdString(), game, clause.toStdString());
    }
    if (!next) {
        return false;
    }
    (game == Game::Numbers3 ? m_editDraw3 : m_editDraw4)->setText(ToQString(*next));
    return true;
}

bool CRegisterDlg::Predict(Game game, const QString& clause) {
    // By the method the player chose in the game's statistics window, as its 予想 button.
    return PredictNextDraw(m_desktop, game, m_strDbPath, clause, NumberFields(game),
                           MethodSettings().ChosenMethod(game));
}

std::array<QLineEdit*, 5> CRegisterDlg::NumberFields(Game game) const {
    if (game == Game::Numbers3) {
        return {m_editPred3_1, m_editPred3_2, m_editPred3_3, m_editPred3_4, m_editPred3_5};
    }
    return {m_editPred4_1, m_editPred4_2, m_editPred4_3, m_editPred4_4, m_editPred4_5};
}

DrawEdit CRegisterDlg::FieldTexts(Game game) const {
    DrawEdit draw;
    const bool three = game == Game::Numbers3;
    draw.drawNo = (three ? m_editDraw3 : m_editDraw4)->text().toStdString();
    const std::vector<QLineEdit*> digits = three ? std::vector{m_editN100_3, m_editN10_3, m_editN1_3}
                                                 : std::vector{m_editN1000_4, m_editN100_4, m_editN10_4, m_editN1_4};
    for (QLineEdit* digit : digits) {
        draw.digits.push_back(digit->text().toStdString());
    }
    const auto numbers = NumberFields(game);
    for (std::size_t n = 0; n < numbers.size(); ++n) {
        draw.numbers[n] = numbers[n]->text().toStdString();
    }
    return draw;
}

void CRegisterDlg::ShowMessages(const std::vector<std::string>& messages) {
    for (const std::string& message : messages) {
        m_desktop.ShowMessage(this, ToQString(message), Desktop::Icon::Stop);
    }
}

void CRegisterDlg::OnAdd() {
    DrawEdit three = FieldTexts(Game::Numbers3);
    DrawEdit four = FieldTexts(Game::Numbers4);
    const std::vector<std::string> refusals = PrepareRegistration(three, four);
    if (!refusals.empty()) {
        ShowMessages(refusals);
        return;
    }
    if (!InsertDraws(m_strDbPath, three, four)) {
        return;
    }
    for (QLineEdit* digit :
         {m_editN1_3, m_editN10_3, m_editN100_3, m_editN1_4, m_editN10_4, m_editN100_4, m_editN1000_4}) {
        digit->clear();
    }
    const QString clause = ToQString(kAllDrawsClause);
    ShowNextDraw3(m_strDbPath, clause);
    Predict(Game::Numbers3, clause);
    ShowNextDraw4(m_strDbPath, clause);
    Predict(Game::Numbers4, clause);
}

bool CRegisterDlg::InsertDraws(QString dbPath, const DrawEdit& three, const DrawEdit& four) {
    RegisterResult result;
    {
        WaitCursor wait(m_desktop);
        result = RegisterDraws(dbPath.toStdString(), three, four);
    }
    switch (result.outcome) {
    case RegisterOutcome::Registered:
        emit DrawsStored();
        return true;
    case RegisterOutcome::Taken:
        ShowMessages(result.messages);
        return false;
    case RegisterOutcome::Failed:
        break;
    }
    m_desktop.ShowMessage(this, ToQString(kStoreFailedMessage), Desktop::Icon::Stop);
    return false;
}

} // namespace drawbook
