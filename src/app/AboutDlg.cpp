#include "app/AboutDlg.h"

#include "res/Desktop.h"
#include "res/HomePage.h"
#include "res/ResourceIds.h"

#include <QPushButton>

namespace drawbook {

CAboutDlg::CAboutDlg(Desktop& desktop, QWidget* parent) : TemplateDialog(IDD_ABOUTBOX, parent), m_desktop(desktop) {
    connect(ControlAs<QPushButton>(IDOK), &QPushButton::clicked, this, &QDialog::accept);
    connect(ControlAs<QPushButton>(IDC_HOMEPAGE), &QPushButton::clicked, this, &CAboutDlg::OnHomePage);
}

void CAboutDlg::OnHomePage() {
    // Nothing is reported when no browser starts; the box stays open.
    m_desktop.OpenUrl(QString::fromUtf8(kHomePageAddress));
}

} // namespace drawbook
