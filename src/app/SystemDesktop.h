#pragma once

#include "res/Desktop.h"

#include <QPointer>

#include <memory>

class QMessageBox;

namespace drawbook {

class HelpWindow;

// The boxes ShowMessage and Ask show, not yet run: the program's name as their title.
std::unique_ptr<QMessageBox> NewMessageBox(QWidget* owner, const QString& text, Desktop::Icon icon);
// Yes and No, Yes the default: the question it asks changes nothing that cannot be undone.
std::unique_ptr<QMessageBox> NewQuestionBox(QWidget* owner, const QString& text,
                                            Desktop::Answer preset = Desktop::Answer::Yes);

// The real desktop: Qt's message boxes, cursor and services.
class SystemDesktop : public Desktop {
public:
    void ShowMessage(QWidget* owner, const QString& text, Icon icon) override;
    bool AskQuestion(QWidget* owner, const QString& text, Answer preset) override;
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
