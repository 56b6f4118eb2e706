#pragma once

#include "res/TemplateDialog.h"

#include <QString>

#include <string>

class QContextMenuEvent;
class QMenu;
class QPaintEvent;

namespace drawbook {

class Desktop;

// The main menu: opens both game windows, the help file and the About box.
class CMainMenuDlg : public TemplateDialog {
    Q_OBJECT

public:
    // The command of the About entry in the window's own menu.
    static constexpr int IDM_ABOUTBOX = 0x0010;

    CMainMenuDlg(Desktop& desktop, QString executablePath, QWidget* parent = nullptr);

    int LocateFiles();
    void OnSysCommand(int commandId);
    void OnNumbers3();
    void OnNumbers4();
    void OnHelpButton();
    void OnVersion();

    // The window's own menu, offered on a right click.
    QMenu* SystemMenu() const { return m_systemMenu; }

    QString m_strHelpPath;
    QString m_strHistoryDir; // the shipped histories, with its trailing separator
    QString m_strDbPath;

protected:
    bool OnInitDialog() override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // The database is prepared once the menu is first painted.
    void paintEvent(QPaintEvent* event) override;

private:
    template <class Dialog> void RunGameWindow();
    void PrepareDatabaseFile();
    // Offers to convert the old Jet book at path; true once it is a book of this program.
    bool OfferMigration(const std::string& path);
    void ReportUnusableDatabase();

    Desktop& m_desktop;
    QString m_executablePath;
    QMenu* m_systemMenu = nullptr;
    bool m_databasePrepared = false;
};

} // namespace drawbook
