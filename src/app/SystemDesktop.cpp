#include "app/SystemDesktop.h"

#include "app/HelpWindow.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace drawbook {

std::unique_ptr<QMessageBox> NewMessageBox(QWidget* owner, const QString& text, Desktop::Icon icon) {
    return std::make_unique<QMessageBox>(icon == Desktop::Icon::Stop ? QMessageBox::Critical : QMessageBox::NoIcon,
                                         QApplication::applicationName(), text, QMessageBox::Ok, owner);
}

std::unique_ptr<QMessageBox> NewQuestionBox(QWidget* owner, const QString& text, Desktop::Answer preset) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::Question, QApplication::applicationName(), text,
                                             QMessageBox::Yes | QMessageBox::No, owner);
    box->setDefaultButton(preset == Desktop::Answer::Yes ? QMessageBox::Yes : QMessageBox::No);
    box->setEscapeButton(QMessageBox::No);
    return box;
}

void SystemDesktop::ShowMessage(QWidget* owner, const QString& text, Icon icon) {
    NewMessageBox(owner, text, icon)->exec();
}

bool SystemDesktop::AskQuestion(QWidget* owner, const QString& text, Answer preset) {
    return NewQuestionBox(owner, text, preset)->exec() == QMessageBox::Yes;
}

void SystemDesktop::BeginWaitCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void SystemDesktop::EndWaitCursor() {
    QApplication::restoreOverrideCursor();
}

int SystemDesktop::RunModal(QDialog& dialog) {
    return dialog.exec();
}

bool SystemDesktop::OpenHelp(QWidget* owner, const QString& path) {
    QString html;
    if (!HelpWindow::ReadHelpFile(path, html)) {
        return false;
    }
    // The help window belongs to the window that asked for it, so that a modal
    // dialog does not block it; it closes with that window.
    QWidget* parent = owner != nullptr ? owner->window() : nullptr;
    if (m_help.isNull() || m_help->parentWidget() != parent) {
        delete m_help;
        m_help = new HelpWindow(parent);
    }
    m_help->ShowHtml(html);
    return true;
}

void SystemDesktop::OpenUrl(const QString& url) {
    QDesktopServices::openUrl(QUrl(url));
}

QString SystemDesktop::ChooseFileToOpen(QWidget* owner, const QString& caption, const QString& filter) {
    return QFileDialog::getOpenFileName(owner, caption, QString(), filter);
}

QString SystemDesktop::ChooseFileToSave(QWidget* owner, const QString& caption, const QString& suggestedPath,
                                        const QString& filter) {
    return QFileDialog::getSaveFileName(owner, caption, suggestedPath, filter);
}

} // namespace drawbook
