#include "game/NumbersDlg.h"

#include "db/DrawCounter.h"
#include "db/DrawListQuery.h"
#include "db/DrawStore.h"
#include "db/ReadStatus.h"
#include "edit/EditDrawDlg.h"
#include "exchange/DrawExchange.h"
#include "game/DigitValidator.h"
#include "game/DrawDeletion.h"
#include "game/DrawListModel.h"
#include "game/SearchClause.h"
#include "predict/MethodSettings.h"
#include "predict/PredictNextDraw.h"
#include "predict/PredictionQuery.h"
#include "register/RegisterDlg.h"
#include "res/Desktop.h"
#include "res/QtText.h"
#include "res/ResourceIds.h"
#include "stats/StatisticsDlg.h"
#include "tickets/TicketSummary.h"
#include "tickets/TicketsDlg.h"

#include <QAction>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>

#include <algorithm>
#include <array>
#include <vector>

namespace drawbook {

namespace {

struct ListColumn {
    const char* caption;
    int width; // pixels
};

constexpr std::array<ListColumn, 8> kListColumns = {{
    {"開催回数", 60},
    {"当選数字", 60},
    {"予想数字１", 89},
    {"予想数字２", 89},
    {"予想数字３", 89},
    {"予想数字４", 89},
    {"予想数字５", 89},
    {"抽せん日", 110},
}};

} // namespace

CNumbersDlg::CNumbersDlg(Game game, int templateId, Desktop& desktop, QWidget* parent)
    : TemplateDialog(templateId, parent), m_desktop(desktop), m_game(game), m_model(new DrawListModel(game, this)) {
    m_editPred5 = ControlAs<QLineEdit>(IDC_PRED5);
    m_editPred4 = ControlAs<QLineEdit>(IDC_PRED4);
    m_editPred3 = ControlAs<QLineEdit>(IDC_PRED3);
    m_editPred2 = ControlAs<QLineEdit>(IDC_PRED2);
    m_editPred1 = ControlAs<QLineEdit>(IDC_PRED1);
    m_editCount = ControlAs<QLineEdit>(game == Game::Numbers3 ? IDC_COUNT3 : IDC_COUNT4);
    m_editN1 = ControlAs<QLineEdit>(IDC_N1);
    m_editN10 = ControlAs<QLineEdit>(IDC_N10);
    m_editN100 = ControlAs<QLineEdit>(IDC_N100);
    m_editN1000 = ControlAs<QLineEdit>(IDC_N1000);
    m_editNextDraw = ControlAs<QLineEdit>(IDC_NEXT_DRAW);
    m_listDraws = ControlAs<QTableView>(IDC_DRAW_LIST);
    m_listDraws->setModel(m_model);
    for (QLineEdit* edit : {m_editN1000, m_editN100, m_editN10, m_editN1}) {
        if (edit != nullptr) {
            edit->setValidator(new DigitValidator(edit));
        }
    }

    connect(ControlAs<QPushButton>(IDOK), &QPushButton::clicked, this, &QDialog::accept);
    connect(ControlAs<QPushButton>(IDC_LIST_ALL), &QPushButton::clicked, this, &CNumbersDlg::OnListAll);
    connect(ControlAs<QPushButton>(IDC_PREDICT), &QPushButton::clicked, this, &CNumbersDlg::OnPredict);
    ControlAs<QPushButton>(IDC_PREDICT)->setToolTip(MethodTip(MethodSettings().ChosenMethod(game)));
    connect(ControlAs<QPushButton>(IDC_SEARCH), &QPushButton::clicked, this, &CNumbersDlg::OnSearch);
    connect(ControlAs<QPushButton>(IDC_CLEAR), &QPushButton::clicked, this, &CNumbersDlg::OnClear);
    connect(ControlAs<QPushButton>(IDC_GAME_HELP), &QPushButton::clicked, this, &CNumbersDlg::OnHelpButton);
    connect(ControlAs<QPushButton>(IDC_REGISTER), &QPushButton::clicked, this, &CNumbersDlg::OnRegister);
    connect(m_listDraws, &QTableView::doubleClicked, this, &CNumbersDlg::OnListDblClk);

    m_menuDrawList = new QMenu(this);
    m_actionImportCsv = m_menuDrawList->addAction(QStringLiteral("CSVファイルから取り込む…"));
    m_actionExportCsv = m_menuDrawList->addAction(QStringLiteral("CSVファイルに書き出す…"));
    connect(m_actionImportCsv, &QAction::triggered, this, &CNumbersDlg::OnImportCsv);
    connect(m_actionExportCsv, &QAction::triggered, this, &CNumbersDlg::OnExportCsv);
    m_menuDrawList->addSeparator();
    m_actionUpdate = m_menuDrawList->addAction(QStringLiteral("最新の当せん番号を取り込む"));
    m_actionUpdate->setShortcut(QKeySequence(Qt::Key_F5));
    m_actionUpdate->setShortcutContext(Qt::WindowShortcut);
    addAction(m_actionUpdate);
    connect(m_actionUpdate, &QAction::triggered, this, &CNumbersDlg::OnUpdateResults);
    m_actionFeedSettings = m_menuDrawList->addAction(QStringLiteral("取り込み元の設定…"));
    connect(m_actionFeedSettings, &QAction::triggered, this, &CNumbersDlg::OnFeedSettings);
    m_menuDrawList->addSeparator();
    m_actionTickets = m_menuDrawList->addAction(QStringLiteral("購入記録…"));
    m_actionTickets->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    m_actionTickets->setShortcutContext(Qt::WindowShortcut);
    addAction(m_actionTickets);
    connect(m_actionTickets, &QAction::triggered, this, &CNumbersDlg::OnTickets);
    m_actionStatistics = m_menuDrawList->addAction(QStringLiteral("統計…"));
    m_actionStatistics->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    m_actionStatistics->setShortcutContext(Qt::WindowShortcut);
    addAction(m_actionStatistics);
    connect(m_actionStatistics, &QAction::triggered, this, &CNumbersDlg::OnStatistics);
    m_menuDrawList->addSeparator();
    m_actionDelete = m_menuDrawList->addAction(QStringLiteral("この回を削除…"));
    m_actionDelete->setShortcut(QKeySequence(Qt::Key_Delete));
    m_actionDelete->setShortcutContext(Qt::WidgetShortcut);
    m_listDraws->addAction(m_actionDelete);
    connect(m_actionDelete, &QAction::triggered, this, &CNumbersDlg::OnDeleteDraws);
    connect(m_menuDrawList, &QMenu::aboutToShow, this,
            [this] { m_actionDelete->setEnabled(m_listDraws->selectionModel()->hasSelection()); });
    m_listDraws->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_listDraws, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { m_menuDrawList->popup(m_listDraws->viewport()->mapToGlobal(pos)); });

    m_exchange = new DrawExchange(desktop, game, m_strDbPath, m_strHistoryPath, m_feedLimits, this);
    connect(m_exchange, &DrawExchange::DrawsImported, this, &CNumbersDlg::ShowImported);
    m_exchange->m_addedDrawsLines = [this](int first, int last) { return TicketLines(first, last); };
}

bool CNumbersDlg::OnInitDialog() {
    for (int i = 0; i < static_cast<int>(kListColumns.size()); ++i) {
        const ListColumn& column = kListColumns[static_cast<std::size_t>(i)];
        AddDrawListColumn(QString::fromUtf8(column.caption), i, column.width);
    }
    // Wide enough at first for every column, the dates included.
    const int needed = m_listDraws->horizontalHeader()->length() +
                       m_listDraws->verticalScrollBar()->sizeHint().width() + 2 * m_listDraws->frameWidth();
    if (needed > m_listDraws->width()) {
        resize(width() + needed - m_listDraws->width(), height());
    }

    ShowNextDraw();
    ControlAs<QRadioButton>(IDC_BOX)->setChecked(true);
    UpdateData(false);
    if (m_exchange->OffersHistory()) {
        // Once the window is up.
        QTimer::singleShot(0, this, &CNumbersDlg::OfferHistory);
    }
    return true;
}

void CNumbersDlg::OfferHistory() {
    m_exchange->OfferHistory();
}

void CNumbersDlg::ShowNextDraw() {
    std::optional<std::string> next;
    {
        WaitCursor wait(m_desktop);
        next = CountDraws(m_strDbPath.toStdString(), m_game, std::string(kAllDrawsClause));
    }
    if (next) {
        m_editNextDraw->setText(QString::fromStdString(*next));
    }
}

void CNumbersDlg::UpdateData(bool saveAndValidate) {
    const std::array<std::pair<QLineEdit*, QString*>, 4> fields = {{
        {m_editN1000, &m_strN1000},
        {m_editN100, &m_strN100},
        {m_editN10, &m_strN10},
        {m_editN1, &m_strN1},
    }};
    for (const auto& [edit, text] : fields) {
        if (edit == nullptr) {
            continue;
        }
        edit->setMaxLength(1);
        if (saveAndValidate) {
            *text = edit->text();
        } else {
            edit->setText(*text);
        }
    }
}

bool CNumbersDlg::AddDrawListColumn(const QString& caption, int column, int width) {
    m_model->InsertColumn(column, caption);
    m_listDraws->horizontalHeader()->resizeSection(column, width);
    return true;
}

void CNumbersDlg::ClearDrawList() {
    m_model->Clear();
}

bool CNumbersDlg::FillDrawList(const QString& dbPath, const QString& clause) {
    RowsRead read;
    {
        WaitCursor wait(m_desktop);
        read = m_model->AppendRows(dbPath.toStdString(), clause.toStdString());
    }
    switch (read.status) {
    case ReadStatus::Complete:
        return true;
    case ReadStatus::NotOpened:
        return false;
    case ReadStatus::Interrupted:
        // The rows read so far stay listed; the user learns the list is short.
        m_desktop.ShowMessage(this, ToQString(kReadInterruptedMessage), Desktop::Icon::Stop);
        return false;
    }
    return false;
}

void CNumbersDlg::OnListAll() {
    m_listed = Listed::All;
    ClearDrawList();
    FillDrawList(m_strDbPath, ToQString(kAllDrawsClause));
    ShowNewestDraw();
}

void CNumbersDlg::ShowNewestDraw() {
    const int rows = m_model->rowCount();
    if (rows > 0) {
        m_listDraws->selectRow(rows - 1);
        m_listDraws->scrollToBottom();
    }
}

void CNumbersDlg::OnPredict() {
    m_predicted = true;
    PredictNextDraw(m_desktop, m_game, m_strDbPath, ToQString(kAllDrawsClause),
                    {m_editPred1, m_editPred2, m_editPred3, m_editPred4, m_editPred5},
                    MethodSettings().ChosenMethod(m_game));
}

void CNumbersDlg::OnMethodChosen() {
    ControlAs<QPushButton>(IDC_PREDICT)->setToolTip(MethodTip(MethodSettings().ChosenMethod(m_game)));
    if (m_predicted) {
        OnPredict();
    }
}

void CNumbersDlg::OnSearch() {
    UpdateData(true);
    const SearchMode mode = ControlAs<QRadioButton>(IDC_STRAIGHT)->isChecked() ? SearchMode::Straight : SearchMode::Box;
    const SearchClause search = BuildSearchClause(
        m_game, mode,
        {m_strN1000.toStdString(), m_strN100.toStdString(), m_strN10.toStdString(), m_strN1.toStdString()});
    if (search.Refused()) {
        m_desktop.ShowMessage(this, ToQString(search.refusal), Desktop::Icon::Stop);
        return;
    }

    m_listed = Listed::Search;
    m_strSearchClause = ToQString(search.clause);
    if (ListSearch() == 0) {
        m_desktop.ShowMessage(this, ToQString(kNothingFoundMessage), Desktop::Icon::Stop);
    }
}

int CNumbersDlg::ListSearch() {
    ClearDrawList();
    FillDrawList(m_strDbPath, m_strSearchClause);
    const int found = m_model->rowCount();
    m_editCount->setText(QString::number(found));
    return found;
}

void CNumbersDlg::OnClear() {
    for (QLineEdit* edit : {m_editN1, m_editN10, m_editN100, m_editN1000}) {
        if (edit != nullptr) {
            edit->clear();
        }
    }
}

void CNumbersDlg::OnListDblClk(const QModelIndex& index) {
    if (!index.isValid()) {
        return;
    }
    m_strNextDrawNo = m_editNextDraw->text();
    CEditDrawDlg dialog(m_desktop, this);
    dialog.m_strDbPath = m_strDbPath;
    dialog.m_strGame = ToQString(GameCode(m_game));
    dialog.m_strNextDrawNo = m_strNextDrawNo;
    dialog.m_strDrawNo = m_model->Cell(index.row(), 0);
    connect(&dialog, &CEditDrawDlg::DrawsStored, this, [this, &dialog] {
        ShowBookChanged();
        dialog.m_strNextDrawNo = m_editNextDraw->text();
    });
    m_desktop.RunModal(dialog);
}

void CNumbersDlg::OnRegister() {
    CRegisterDlg dialog(m_desktop, this);
    dialog.m_strDbPath = m_strDbPath;
    if (!m_strHistoryPath.isEmpty()) {
        dialog.m_strHistoryDir = QFileInfo(m_strHistoryPath).path();
    }
    connect(&dialog, &CRegisterDlg::DrawsStored, this, [this, &dialog] {
        // The registration adds the draw the window counted next, or the shipped history up to it.
        const int first = m_editNextDraw->text().toInt();
        ShowBookChanged();
        const QStringList lines = TicketLines(first, m_editNextDraw->text().toInt() - 1);
        if (!lines.isEmpty()) {
            m_desktop.ShowMessage(&dialog, lines.join(u'\n'), Desktop::Icon::None);
        }
    });
    m_desktop.RunModal(dialog);
}

QStringList CNumbersDlg::TicketLines(int first, int last) const {
    QStringList lines;
    if (first < 1 || last < first) {
        return lines;
    }
    for (const std::string& line : NewDrawsSummary(m_strDbPath.toStdString(), m_game, first, last)) {
        lines << ToQString(line);
    }
    return lines;
}

void CNumbersDlg::OnImportCsv() {
    m_exchange->ImportCsv();
}

void CNumbersDlg::OnExportCsv() {
    m_exchange->ExportCsv();
}

void CNumbersDlg::ImportCsvFile(const QString& path) {
    m_exchange->ImportFile(path);
}

void CNumbersDlg::OnUpdateResults() {
    m_exchange->UpdateResults();
}

void CNumbersDlg::OnFeedSettings() {
    m_exchange->EditFeedSettings();
}

void CNumbersDlg::ShowImported() {
    m_listed = Listed::All;
    ShowBookChanged();
}

void CNumbersDlg::ShowBookChanged() {
    ShowNextDraw();
    if (m_predicted) {
        OnPredict();
    }
    switch (m_listed) {
    case Listed::Nothing:
        break;
    case Listed::All:
        OnListAll();
        break;
    case Listed::Search:
        RefillSearch();
        break;
    }
    if (m_statistics != nullptr && m_statistics->isVisible()) {
        m_statistics->Refresh();
    }
}

void CNumbersDlg::RefillSearch() {
    // The draw selected before stays selected when it is still found.
    const QModelIndex current = m_listDraws->currentIndex();
    const QString selected = current.isValid() ? m_model->Cell(current.row(), 0) : QString();
    ListSearch();
    for (int row = 0; row < m_model->rowCount() && !selected.isEmpty(); ++row) {
        if (m_model->Cell(row, 0) == selected) {
            m_listDraws->selectRow(row);
            m_listDraws->scrollTo(m_model->index(row, 0));
            break;
        }
    }
}

void CNumbersDlg::OnTickets() {
    CTicketsDlg dialog(m_desktop, m_game, this);
    dialog.m_strDbPath = m_strDbPath;
    dialog.m_strNextDrawNo = m_editNextDraw->text();
    const std::array<QLineEdit*, 5> shown = {m_editPred1, m_editPred2, m_editPred3, m_editPred4, m_editPred5};
    if (m_predicted) {
        for (std::size_t k = 0; k < shown.size(); ++k) {
            dialog.m_strPredictions[k] = shown[k]->text();
        }
    } else {
        PredictionResult predicted;
        {
            WaitCursor wait(m_desktop);
            predicted = PredictFromDatabase(m_strDbPath.toStdString(), m_game, std::string(kAllDrawsClause),
                                            MethodSettings().ChosenMethod(m_game));
        }
        // Without the whole history the buttons offer nothing.
        if (predicted.status == ReadStatus::Complete) {
            for (std::size_t k = 0; k < shown.size(); ++k) {
                dialog.m_strPredictions[k] = ToQString(predicted.numbers[k]);
            }
        }
    }
    m_desktop.RunModal(dialog);
    // 収支 counts the tickets recorded or deleted there.
    if (m_statistics != nullptr && m_statistics->isVisible()) {
        m_statistics->Refresh();
    }
}

void CNumbersDlg::OnStatistics() {
    if (m_statistics == nullptr) {
        m_statistics = new CStatisticsDlg(m_desktop, m_game, this);
        connect(m_statistics, &CStatisticsDlg::MethodChosen, this, &CNumbersDlg::OnMethodChosen);
    }
    m_statistics->m_strDbPath = m_strDbPath;
    if (!m_statistics->Refresh()) {
        return;
    }
    m_statistics->show();
    m_statistics->raise();
    m_statistics->activateWindow();
}

void CNumbersDlg::OnDeleteDraws() {
    std::vector<int> rows;
    for (const QModelIndex& index : m_listDraws->selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    if (rows.empty()) {
        return;
    }
    std::sort(rows.begin(), rows.end());
    std::vector<NamedDraw> draws;
    for (const int row : rows) {
        bool isNumber = false;
        const int drawNo = m_model->Cell(row, 0).toInt(&isNumber);
        if (isNumber) {
            draws.push_back({drawNo, m_model->Cell(row, 1).toStdString()});
        }
    }
    if (draws.empty() || !m_desktop.Ask(this, QString::fromStdString(DeleteQuestion(draws)), Desktop::Answer::No)) {
        return;
    }
    std::vector<int> drawNos;
    for (const NamedDraw& draw : draws) {
        drawNos.push_back(draw.drawNo);
    }
    DeleteResult result;
    {
        WaitCursor wait(m_desktop);
        result = DeleteDraws(m_strDbPath.toStdString(), m_game, drawNos);
    }
    switch (result.outcome) {
    case DeleteOutcome::Deleted:
        ShowBookChanged();
        return;
    case DeleteOutcome::NotInBook:
        ShowBookChanged();
        m_desktop.ShowMessage(this, QString::fromStdString(NotInBookMessage(result.missing)), Desktop::Icon::Stop);
        return;
    case DeleteOutcome::Failed:
        break;
    }
    m_desktop.ShowMessage(this, ToQString(kStoreFailedMessage), Desktop::Icon::Stop);
}

void CNumbersDlg::OnHelpButton() {
    LaunchHelp(m_desktop, this, m_strHelpPath);
}

} // namespace drawbook
