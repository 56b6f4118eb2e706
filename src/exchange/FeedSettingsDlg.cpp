#include "exchange/FeedSettingsDlg.h"

#include "exchange/FeedSettings.h"
#include "exchange/ResultsFeed.h"
#include "res/Desktop.h"
#include "res/QtText.h"
#include "res/ResourceIds.h"

#include <QLineEdit>
#include <QPushButton>

#include <array>
#include <utility>

namespace drawbook {

CFeedSettingsDlg::CFeedSettingsDlg(Desktop& desktop, QWidget* parent)
    : TemplateDialog(IDD_FEED_SETTINGS, parent), m_editUrl3(ControlAs<QLineEdit>(IDC_FEED_URL3)),
      m_editUrl4(ControlAs<QLineEdit>(IDC_FEED_URL4)), m_desktop(desktop) {
    connect(ControlAs<QPushButton>(IDOK), &QPushButton::clicked, this, &CFeedSettingsDlg::OnOK);
    connect(ControlAs<QPushButton>(IDCANCEL), &QPushButton::clicked, this, &QDialog::reject);
}

bool CFeedSettingsDlg::OnInitDialog() {
    const FeedSettings settings;
    for (const auto& [edit, game] : {std::pair{m_editUrl3, Game::Numbers3}, std::pair{m_editUrl4, Game::Numbers4}}) {
        edit->setText(settings.Url(game));
        edit->setPlaceholderText(ToQString(DefaultFeedUrl(game)));
        edit->setCursorPosition(0);
    }
    return true;
}

void CFeedSettingsDlg::OnOK() {
    const std::array<std::pair<QLineEdit*, Game>, 2> fields = {{
        {m_editUrl3, Game::Numbers3},
        {m_editUrl4, Game::Numbers4},
    }};
    for (const auto& [edit, game] : fields) {
        const QString url = edit->text().trimmed();
        if (url.isEmpty()) {
            continue;
        }
        if (const auto problem = FeedUrlProblem(url.toStdString())) {
            m_desktop.ShowMessage(this, ToQString(FeedUrlMessage(*problem)), Desktop::Icon::Stop);
            edit->setFocus();
            edit->selectAll();
            return;
        }
    }
    FeedSettings settings;
    for (const auto& [edit, game] : fields) {
        settings.SetUrl(game, edit->text().trimmed());
    }
    accept();
}

} // namespace drawbook
