#pragma once

#include "res/TemplateDialog.h"

namespace drawbook {

class Desktop;

// The About box: product name, version and the home-page button.
class CAboutDlg : public TemplateDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(Desktop& desktop, QWidget* parent = nullptr);

    void OnHomePage();

private:
    Desktop& m_desktop;
};

} // namespace drawbook
