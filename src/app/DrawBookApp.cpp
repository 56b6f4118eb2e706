#include "app/DrawBookApp.h"

#include "app/MainMenuDlg.h"
#include "app/SystemDesktop.h"

namespace drawbook {

CDrawBookApp::CDrawBookApp(QString executablePath) : m_executablePath(std::move(executablePath)) {}

bool CDrawBookApp::InitInstance() {
    SystemDesktop desktop;
    CMainMenuDlg menu(desktop, m_executablePath);
    desktop.RunModal(menu);
    return false;
}

} // namespace drawbook
