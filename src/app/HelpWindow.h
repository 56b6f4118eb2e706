#pragma once

#include <QWidget>

class QTextBrowser;

namespace drawbook {

// The program's own help viewer: a plain window beside the dialogs.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* owner);

    // Reads a help file as UTF-8 HTML; false when it is missing or unreadable.
    static bool ReadHelpFile(const QString& path, QString& html);

    void ShowHtml(const QString& html);

private:
    QTextBrowser* m_browser;
};

} // namespace drawbook
