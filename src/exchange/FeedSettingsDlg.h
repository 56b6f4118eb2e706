#pragma once

#include "res/TemplateDialog.h"

class QLineEdit;

namespace drawbook {

class Desktop;

// Where the latest results of each game are downloaded from.
class CFeedSettingsDlg : public TemplateDialog {
    Q_OBJECT

public:
    explicit CFeedSettingsDlg(Desktop& desktop, QWidget* parent = nullptr);

    // Keeps both URLs, or says which one cannot be used and stays open.
    void OnOK();

    QLineEdit* m_editUrl3;
    QLineEdit* m_editUrl4;

protected:
    bool OnInitDialog() override;

private:
    Desktop& m_desktop;
};

} // namespace drawbook
