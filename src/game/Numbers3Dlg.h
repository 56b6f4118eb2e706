#pragma once

#include "game/NumbersDlg.h"

namespace drawbook {

// The window of the three-digit game.
class CNumbers3Dlg : public CNumbersDlg {
    Q_OBJECT

public:
    explicit CNumbers3Dlg(Desktop& desktop, QWidget* parent = nullptr);
};

} // namespace drawbook
