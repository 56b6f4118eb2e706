#include "game/Numbers3Dlg.h"

#include "res/ResourceIds.h"

namespace drawbook {

CNumbers3Dlg::CNumbers3Dlg(Desktop& desktop, QWidget* parent)
    : CNumbersDlg(Game::Numbers3, IDD_NUMBERS3, desktop, parent) {}

} // namespace drawbook
