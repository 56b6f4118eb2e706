#include "app/SystemDesktop.h"

#include "app/HelpWindow.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace drawbook {

void SystemDesktop::ShowMessage(QWidget* owner, const QString& text, Icon icon) {
    // Message boxes carry the program's name as their title.
    QMessageBox box(icon == Icon::Stop ? QMessageBox::Critical : QMessageBox::NoIcon,
                    QApplication::applicationName(), text, QMessageBox::Ok, owner);
    box.exec();
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
