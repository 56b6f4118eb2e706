#include "res/AppIcon.h"

namespace drawbook {

QIcon AppIcon() {
    return QIcon(QStringLiteral(":/drawbook/drawbook.svg"));
}

} // namespace drawbook
