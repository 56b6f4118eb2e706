#pragma once

#include "res/Desktop.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace drawbook::test {

// A desktop that records what the user would have seen instead of showing it.
class RecordingDesktop : public Desktop {
public:
    struct Message {
        QString text;
        Icon icon;
    };

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

    // The texts shown; one without the stop icon is marked.
    QStringList Texts() const;

    std::vector<Message> messages;
    std::vector<QString> questions; // the questions asked, in order
    std::vector<Answer> presets;    // what Enter would have answered each
    // What the questions are answered, in turn (true for Yes); No once these run out.
    std::vector<bool> answers;
    std::vector<QString> modalTitles; // window titles of the dialogs run, in order
    std::vector<QString> helpPaths;
    std::vector<QString> urls;
    // What the file dialogs answer, in turn; empty as a cancel once these run out.
    QStringList filesToOpen;
    QStringList filesToSave;
    std::vector<QString> fileCaptions;   // the file dialogs asked, in order
    std::vector<QString> suggestedPaths; // what each save dialog proposed
    int waitDepth = 0;
    int waitCursors = 0;   // how often the wait cursor was shown
    bool helpOpens = true; // what OpenHelp answers
    // Called as each message is shown, to look at the window behind it.
    std::function<void(const QString&)> onMessage;
    // Called for each modal dialog, already shown; the default closes it at once.
    std::function<int(QDialog&)> onModal;
};

} // namespace drawbook::test
