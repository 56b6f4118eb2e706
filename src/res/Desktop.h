#pragma once

#include <QString>

class QDialog;
class QWidget;

namespace drawbook {

// Everything the dialogs ask of the desktop: message boxes and questions, the wait cursor,
// running a dialog, the help window, the web browser and the file dialogs. Tests put a recorder here.
class Desktop {
public:
    enum class Icon {
        None, // "OK" alone
        Stop, // the stop icon and "OK"
    };

    // What Enter answers a question with; Escape always answers No.
    enum class Answer {
        Yes,
        No, // for a question whose Yes changes or removes stored draws
    };

    virtual ~Desktop() = default;

    virtual void ShowMessage(QWidget* owner, const QString& text, Icon icon) = 0;
    // A question answered Yes or No; true for Yes.
    bool Ask(QWidget* owner, const QString& text, Answer preset = Answer::Yes) {
        return AskQuestion(owner, text, preset);
    }
    virtual bool AskQuestion(QWidget* owner, const QString& text, Answer preset) = 0;
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
    // Runs the dialog modally and returns its result.
    virtual int RunModal(QDialog& dialog) = 0;
    // Shows the help file; false when it cannot be read.
    virtual bool OpenHelp(QWidget* owner, const QString& path) = 0;
    // Opens a web page; whether the browser started is not reported.
    virtual void OpenUrl(const QString& url) = 0;
    // Asks for a file to read, or for where to write one; empty when the user cancels.
    virtual QString ChooseFileToOpen(QWidget* owner, const QString& caption, const QString& filter) = 0;
    virtual QString ChooseFileToSave(QWidget* owner, const QString& caption, const QString& suggestedPath,
                                     const QString& filter) = 0;
};

// Shows the wait cursor for as long as it lives.
class WaitCursor {
public:
    explicit WaitCursor(Desktop& desktop) : m_desktop(desktop) { m_desktop.BeginWaitCursor(); }
    ~WaitCursor() { m_desktop.EndWaitCursor(); }

    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    Desktop& m_desktop;
};

// The help launch shared by the main menu and the game windows.
void LaunchHelp(Desktop& desktop, QWidget* owner, const QString& helpPath);

} // namespace drawbook
