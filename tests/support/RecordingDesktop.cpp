#include "support/RecordingDesktop.h"

#include <QDialog>

namespace drawbook::test {

void RecordingDesktop::ShowMessage(QWidget* /*owner*/, const QString& text, Icon icon) {
    messages.push_back({text, icon});
    if (onMessage) {
        onMessage(text);
    }
}

bool RecordingDesktop::AskQuestion(QWidget* /*owner*/, const QString& text, Answer preset) {
    questions.push_back(text);
    presets.push_back(preset);
    if (answers.empty()) {
        return false;
    }
    const bool yes = answers.front();
    answers.erase(answers.begin());
    return yes;
}

QStringList RecordingDesktop::Texts() const {
    QStringList texts;
    for (const auto& message : messages) {
        texts << (message.icon == Icon::Stop ? message.text : QStringLiteral("(no stop icon) ") + message.text);
    }
    return texts;
}

void RecordingDesktop::BeginWaitCursor() {
    ++waitDepth;
    ++waitCursors;
}

void RecordingDesktop::EndWaitCursor() {
    --waitDepth;
}

int RecordingDesktop::RunModal(QDialog& dialog) {
    dialog.show();
    modalTitles.push_back(dialog.windowTitle());
    const int result = onModal ? onModal(dialog) : QDialog::Rejected;
    dialog.close();
    return result;
}

bool RecordingDesktop::OpenHelp(QWidget* /*owner*/, const QString& path) {
    helpPaths.push_back(path);
    return helpOpens;
}

void RecordingDesktop::OpenUrl(const QString& url) {
    urls.push_back(url);
}

QString RecordingDesktop::ChooseFileToOpen(QWidget* /*owner*/, const QString& caption, const QString& /*filter*/) {
    fileCaptions.push_back(caption);
    return filesToOpen.isEmpty() ? QString() : filesToOpen.takeFirst();
}

QString RecordingDesktop::ChooseFileToSave(QWidget* /*owner*/, const QString& caption, const QString& suggestedPath,
                                           const QString& /*filter*/) {
    fileCaptions.push_back(caption);
    suggestedPaths.push_back(suggestedPath);
    return filesToSave.isEmpty() ? QString() : filesToSave.takeFirst();
}

} // namespace drawbook::test
