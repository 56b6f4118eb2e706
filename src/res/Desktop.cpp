#include "res/Desktop.h"

namespace drawbook {

void LaunchHelp(Desktop& desktop, QWidget* owner, const QString& helpPath) {
    if (!desktop.OpenHelp(owner, helpPath)) {
        desktop.ShowMessage(owner, QStringLiteral("起動できませんでした"), Desktop::Icon::None);
    }
}

} // namespace drawbook
