#pragma once

#include "game/NumbersDlg.h"

namespace drawbook {

// The window of the four-digit game.
class CNumbers4Dlg : public CNumbersDlg {
    Q_OBJECT

public:
    explicit CNumbers4Dlg(Desktop& desktop, QWidget* parent = nullptr);
};

} // namespace drawbook
