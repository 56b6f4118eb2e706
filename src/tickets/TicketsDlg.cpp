#include "tickets/TicketsDlg.h"

#include "db/DrawStore.h"
#include "db/ReadStatus.h"
#include "draw/Bet.h"
#include "res/Desktop.h"
#include "res/HitColours.h"
#include "res/QtText.h"
#include "res/ResourceIds.h"
#include "tickets/TicketBook.h"
#include "tickets/TicketForm.h"
#include "tickets/TicketListText.h"
#include "tickets/TicketResult.h"

#include <QAction>
#include <QBrush>
#include <QCheckBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>

#include <algorithm>
#include <vector>

namespace drawbook {

namespace {

struct ListColumn {
    const char* caption;
    int width; // pixels
};

constexpr std::array<ListColumn, kTicketColumns> kListColumns = {{
    {"開催回", 60},
    {"数字", 60},
    {"買い方", 80},
    {"口数", 40},
    {"購入額", 80},
    {"結果", 190},
}};

// The check box and 口数 of each bet, indexed by Bet.
constexpr std::array<std::array<int, 2>, kBetCount> kBetControls = {{
    {IDC_TK_STRAIGHT, IDC_TK_STRAIGHT_UNITS},
    {IDC_TK_BOX, IDC_TK_BOX_UNITS},
    {IDC_TK_SET, IDC_TK_SET_UNITS},
    {IDC_TK_MINI, IDC_TK_MINI_UNITS},
}};

constexpr std::array<int, 5> kPredictionButtons = {IDC_TK_PRED1, IDC_TK_PRED2, IDC_TK_PRED3, IDC_TK_PRED4,
                                                   IDC_TK_PRED5};

// A ticket that won in order is marked as a straight hit is, any other win as a box hit.
QBrush WonBrush(Prize prize) {
    return QBrush(prize == Prize::Straight || prize == Prize::SetStraight ? kStraightHitColour : kBoxHitColour);
}

// Says why a write did not go through; true when it did.
bool Written(Desktop& desktop, QWidget* owner, TicketWrite outcome, const std::string& message) {
    switch (outcome) {
    case TicketWrite::Done:
        return true;
    case TicketWrite::Refused:
    case TicketWrite::Unusable:
        desktop.ShowMessage(owner, ToQString(message), Desktop::Icon::Stop);
        return false;
    case TicketWrite::Failed:
        break;
    }
    desktop.ShowMessage(owner, ToQString(kStoreFailedMessage), Desktop::Icon::Stop);
    return false;
}

} // namespace

CTicketsDlg::CTicketsDlg(Desktop& desktop, Game game, QWidget* parent)
    : TemplateDialog(IDD_TICKETS, parent), m_editDrawNo(ControlAs<QLineEdit>(IDC_TK_DRAW)),
      m_editNumber(ControlAs<QLineEdit>(IDC_TK_NUMBER)), m_editDraws(ControlAs<QLineEdit>(IDC_TK_DRAWS)),
      m_checkContinue(ControlAs<QCheckBox>(IDC_TK_CONTINUE)), m_listTickets(ControlAs<QTableView>(IDC_TK_LIST)),
      m_desktop(desktop), m_game(game), m_model(new QStandardItemModel(this)) {
    setWindowTitle(game == Game::Numbers3 ? QStringLiteral("SOMARU屋　ナンバーズ３　購入記録")
                                          : QStringLiteral("SOMARU屋　ナンバーズ４　購入記録"));
    m_model->setColumnCount(static_cast<int>(kListColumns.size()));
    for (std::size_t c = 0; c < kListColumns.size(); ++c) {
        m_model->setHorizontalHeaderItem(static_cast<int>(c),
                                         new QStandardItem(QString::fromUtf8(kListColumns[c].caption)));
    }
    m_listTickets->setModel(m_model);
    for (std::size_t c = 0; c < kListColumns.size(); ++c) {
        m_listTickets->horizontalHeader()->resizeSection(static_cast<int>(c), kListColumns[c].width);
    }
    m_editNumber->setMaxLength(kMaxPositions);
    // Mini is sold for three digits only.
    const bool mini = game == Game::Numbers3;
    Control(IDC_TK_MINI)->setEnabled(mini);
    Control(IDC_TK_MINI_UNITS)->setEnabled(mini);

    connect(ControlAs<QPushButton>(IDOK), &QPushButton::clicked, this, &QDialog::accept);
    connect(ControlAs<QPushButton>(IDC_TK_ADD), &QPushButton::clicked, this, &CTicketsDlg::OnAdd);
    connect(ControlAs<QPushButton>(IDC_TK_DELETE), &QPushButton::clicked, this, &CTicketsDlg::OnDelete);
    // The Delete key in the list, as in the draw list.
    auto* deleteKey = new QAction(m_listTickets);
    deleteKey->setShortcut(QKeySequence(Qt::Key_Delete));
    deleteKey->setShortcutContext(Qt::WidgetShortcut);
    m_listTickets->addAction(deleteKey);
    connect(deleteKey, &QAction::triggered, this, &CTicketsDlg::OnDelete);
    for (std::size_t k = 0; k < kPredictionButtons.size(); ++k) {
        connect(ControlAs<QPushButton>(kPredictionButtons[k]), &QPushButton::clicked, this,
                [this, k] { m_editNumber->setText(m_strPredictions[k]); });
    }
}

bool CTicketsDlg::OnInitDialog() {
    m_editDrawNo->setText(m_strNextDrawNo);
    for (const auto& [check, units] : kBetControls) {
        ControlAs<QLineEdit>(units)->setText(QStringLiteral("1"));
    }
    m_editDraws->setText(QStringLiteral("1"));
    for (std::size_t k = 0; k < kPredictionButtons.size(); ++k) {
        auto* button = ControlAs<QPushButton>(kPredictionButtons[k]);
        button->setText(m_strPredictions[k]);
        button->setEnabled(!m_strPredictions[k].trimmed().isEmpty());
    }
    FillTicketList();
    return true;
}

void CTicketsDlg::FillTicketList() {
    m_model->removeRows(0, m_model->rowCount());
    m_listed.clear();
    TicketsRead read;
    {
        WaitCursor wait(m_desktop);
        read = ReadTickets(m_strDbPath.toStdString(), m_game);
    }
    if (!read.error.empty()) {
        m_desktop.ShowMessage(this, ToQString(read.error), Desktop::Icon::Stop);
    } else if (read.status == ReadStatus::Interrupted) {
        m_desktop.ShowMessage(this, ToQString(kReadInterruptedMessage), Desktop::Icon::Stop);
    }
    // The latest draw first.
    for (auto it = read.rows.rbegin(); it != read.rows.rend(); ++it) {
        QList<QStandardItem*> items;
        for (const std::string& cell : TicketCells(*it)) {
            auto* item = new QStandardItem(ToQString(cell));
            if (it->result.state == TicketState::Won) {
                item->setBackground(WonBrush(it->result.prize));
            }
            items << item;
        }
        m_model->appendRow(items);
        m_listed.push_back(it->ticket);
    }
}

void CTicketsDlg::OnAdd() {
    TicketFields fields;
    fields.drawNo = m_editDrawNo->text().toStdString();
    fields.number = m_editNumber->text().toStdString();
    for (std::size_t b = 0; b < kBetCount; ++b) {
        const auto* check = ControlAs<QCheckBox>(kBetControls[b][0]);
        if (check->isEnabled() && check->isChecked()) {
            fields.units[b] = ControlAs<QLineEdit>(kBetControls[b][1])->text().toStdString();
        }
    }
    if (m_checkContinue->isChecked()) {
        fields.draws = m_editDraws->text().toStdString();
    }
    const TicketForm form = ReadTicketForm(fields);
    if (!form.refusal.empty()) {
        m_desktop.ShowMessage(this, ToQString(form.refusal), Desktop::Icon::Stop);
        return;
    }
    RecordResult result;
    {
        WaitCursor wait(m_desktop);
        result = RecordTickets(m_strDbPath.toStdString(), m_game, form.tickets);
    }
    if (Written(m_desktop, this, result.outcome, result.message)) {
        FillTicketList();
    }
}

void CTicketsDlg::OnDelete() {
    std::vector<int> rows;
    for (const QModelIndex& index : m_listTickets->selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    if (rows.empty()) {
        return;
    }
    std::sort(rows.begin(), rows.end());
    std::vector<Ticket> tickets;
    std::vector<long long> ids;
    for (const int row : rows) {
        const Ticket& ticket = m_listed.at(static_cast<std::size_t>(row));
        ids.push_back(ticket.id);
        tickets.push_back(ticket);
    }
    if (!m_desktop.Ask(this, ToQString(DeleteTicketsQuestion(tickets)), Desktop::Answer::No)) {
        return;
    }
    DeleteTicketsResult result;
    {
        WaitCursor wait(m_desktop);
        result = DeleteTickets(m_strDbPath.toStdString(), m_game, ids);
    }
    FillTicketList();
    Written(m_desktop, this, result.outcome, result.message);
}

} // namespace drawbook
