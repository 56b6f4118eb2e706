#include "app/HelpWindow.h"

#include "res/AppIcon.h"

#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace drawbook {

HelpWindow::HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window), m_browser(new QTextBrowser(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("SOMARU屋　ナンバーズ　ヘルプ"));
    setWindowIcon(AppIcon());
    m_browser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(640, 560);
}

bool HelpWindow::ReadHelpFile(const QString& path, QString& html) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    html = QString::fromUtf8(file.readAll());
    return file.error() == QFileDevice::NoError;
}

void HelpWindow::ShowHtml(const QString& html) {
    m_browser->setHtml(html);
    show();
    raise();
    activateWindow();
}

} // namespace drawbook
