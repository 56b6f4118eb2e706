#pragma once

#include <QString>

namespace drawbook {

// The application: runs the main menu, and ends when it closes.
class CDrawBookApp {
public:
    explicit CDrawBookApp(QString executablePath);

    // Always false: there is no message loop beyond the menu's own.
    bool InitInstance();

private:
    QString m_executablePath;
};

} // namespace drawbook
