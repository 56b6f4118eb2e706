#include "platform/Display.h"

namespace drawbook {

bool HasDisplay() {
    return true; // a Windows program always runs on a desktop
}

} // namespace drawbook
