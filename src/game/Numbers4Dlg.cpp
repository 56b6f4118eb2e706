#include "game/Numbers4Dlg.h"

#include "res/ResourceIds.h"

namespace drawbook {

CNumbers4Dlg::CNumbers4Dlg(Desktop& desktop, QWidget* parent)
    : CNumbersDlg(Game::Numbers4, IDD_NUMBERS4, desktop, parent) {}

} // namespace drawbook
