#pragma once

#include "res/Desktop.h"

#include <QPointer>

namespace drawbook {

class HelpWindow;

// The real desktop: Qt's message boxes, cursor and services.
class SystemDesktop : public Desktop {
public:
    void ShowMessage(QWidget* owner, const QString& text, Icon icon) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    int RunModal(QDialog& dialog) override;
    bool OpenHelp(QWidget* owner, const QString& path) override;
    void OpenUrl(const QString& url) override;
    QString ChooseFileToOpen(QWidget* owner, const QString& caption, const QString& filter) override;
    QString ChooseFileToSave(QWidget* owner, const QString& caption, const QString& suggestedPath,
                             const QString& filter) override;

private:
    QPointer<HelpWindow> m_help;
};

} // namespace drawbook
