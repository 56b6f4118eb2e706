#include "app/MainMenuDlg.h"

#include "app/AboutDlg.h"
#include "app/FileLocations.h"
#include "db/DrawDatabase.h"
#include "exchange/BookMigration.h"
#include "exchange/FeedUpdate.h"
#include "exchange/JetBook.h"
#include "game/Numbers3Dlg.h"
#include "game/Numbers4Dlg.h"
#include "res/Desktop.h"
#include "res/ResourceIds.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

namespace drawbook {

CMainMenuDlg::CMainMenuDlg(Desktop& desktop, QString executablePath, QWidget* parent)
    : TemplateDialog(IDD_MAIN_MENU, parent), m_desktop(desktop), m_executablePath(std::move(executablePath)) {
    connect(ControlAs<QPushButton>(IDOK), &QPushButton::clicked, this, &QDialog::accept);
    connect(ControlAs<QPushButton>(IDC_NUMBERS3), &QPushButton::clicked, this, &CMainMenuDlg::OnNumbers3);
    connect(ControlAs<QPushButton>(IDC_NUMBERS4), &QPushButton::clicked, this, &CMainMenuDlg::OnNumbers4);
    connect(ControlAs<QPushButton>(IDC_HELP_BUTTON), &QPushButton::clicked, this, &CMainMenuDlg::OnHelpButton);
    connect(ControlAs<QPushButton>(IDC_VERSION), &QPushButton::clicked, this, &CMainMenuDlg::OnVersion);
}

bool CMainMenuDlg::OnInitDialog() {
    const QString about = QString::fromStdString(LoadString(IDS_ABOUTBOX));
    if (!about.isEmpty()) {
        m_systemMenu = new QMenu(this);
        QAction* entry = m_systemMenu->addAction(about);
        connect(entry, &QAction::triggered, this, [this] { OnSysCommand(IDM_ABOUTBOX); });
    }
    LocateFiles();
    return true;
}

void CMainMenuDlg::paintEvent(QPaintEvent* event) {
    TemplateDialog::paintEvent(event);
    if (!m_databasePrepared) {
        // Once the menu is on screen.
        m_databasePrepared = true;
        QTimer::singleShot(0, this, &CMainMenuDlg::PrepareDatabaseFile);
    }
}

void CMainMenuDlg::PrepareDatabaseFile() {
    const std::string path = m_strDbPath.toStdString();
    // A conversion stopped halfway is finished before a missing book is made anew.
    RecoverInterruptedMigration(path);
    if (IsJetFile(path) && !OfferMigration(path)) {
        return;
    }
    // A fresh install gets an empty database; an existing one is only checked.
    if (PrepareDatabase(path).state == DatabaseState::Unusable) {
        ReportUnusableDatabase();
    }
}

bool CMainMenuDlg::OfferMigration(const std::string& path) {
    const JetBook book = ReadJetBook(path);
    if (!book.read) {
        MigrationResult unread;
        unread.outcome = book.noReader ? MigrationOutcome::NoReader : MigrationOutcome::Unreadable;
        unread.error = book.error;
        m_desktop.ShowMessage(this, QString::fromStdString(MigrationMessage(unread)), Desktop::Icon::Stop);
        return false;
    }
    if (!m_desktop.Ask(this, QString::fromStdString(MigrationQuestion(book, path)))) {
        // Without a book, as for any file that cannot be opened.
        ReportUnusableDatabase();
        return false;
    }
    MigrationResult result;
    {
        WaitCursor wait(m_desktop);
        result = MigrateBook(path);
    }
    const bool migrated = result.outcome == MigrationOutcome::Migrated;
    m_desktop.ShowMessage(this, QString::fromStdString(MigrationMessage(result)),
                          migrated ? Desktop::Icon::None : Desktop::Icon::Stop);
    return migrated;
}

int CMainMenuDlg::LocateFiles() {
    const FileLocations files = LocateProgramFiles(m_executablePath.toStdString());
    m_strDbPath = QString::fromStdString(files.dbPath);
    m_strHelpPath = QString::fromStdString(files.helpPath);
    m_strHistoryDir = QString::fromStdString(files.historyDir);
    return 0;
}

void CMainMenuDlg::ReportUnusableDatabase() {
    m_desktop.ShowMessage(this, QStringLiteral("　データベースを開けませんでした。。\n") + m_strDbPath,
                          Desktop::Icon::Stop);
}

void CMainMenuDlg::contextMenuEvent(QContextMenuEvent* event) {
    if (m_systemMenu != nullptr) {
        m_systemMenu->popup(event->globalPos());
    }
}

void CMainMenuDlg::OnSysCommand(int commandId) {
    if ((commandId & 0xFFF0) == IDM_ABOUTBOX) {
        OnVersion();
    }
}

template <class Dialog> void CMainMenuDlg::RunGameWindow() {
    Dialog dialog(m_desktop);
    dialog.m_strDbPath = m_strDbPath;
    dialog.m_strHelpPath = m_strHelpPath;
    dialog.m_strHistoryPath = m_strHistoryDir + QString::fromUtf8(BundledHistoryFileName(dialog.GetGame()));
    m_desktop.RunModal(dialog);
}

void CMainMenuDlg::OnNumbers3() {
    RunGameWindow<CNumbers3Dlg>();
}

void CMainMenuDlg::OnNumbers4() {
    RunGameWindow<CNumbers4Dlg>();
}

void CMainMenuDlg::OnHelpButton() {
    LaunchHelp(m_desktop, this, m_strHelpPath);
}

void CMainMenuDlg::OnVersion() {
    CAboutDlg about(m_desktop);
    m_desktop.RunModal(about);
}

} // namespace drawbook
