#include "app/DrawBookApp.h"

#include "app/MainMenuDlg.h"
#include "app/SystemDesktop.h"

#include <cstdlib>

namespace drawbook {

CDrawBookApp::CDrawBookApp(QString executablePath) : m_executablePath(std::move(executablePath)) {}

bool CDrawBookApp::InitInstance() {
    SystemDesktop desktop;
    CMainMenuDlg menu(desktop, m_executablePath);
    desktop.RunModal(menu);
    return false;
}

bool HasDisplay() {
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    // A platform chosen by hand (offscreen, vnc, …) needs no display of ours.
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

} // namespace drawbook
