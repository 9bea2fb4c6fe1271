#include "tests/buttons/button_window.h"

#include "corvala/Corvala.h"
#include "corvala/window/CRVL_StatusBar.h"
#include "tests/support/window.h"

namespace testsupport {

void SetButtonWindowParts() {
    corvala::MAXSTATUSITEM = 3;
    corvala::STATUSITEM[1] = 200;
    corvala::STATUSITEM[2] = 500;
    corvala::STATUSITEM[3] = -1;
}

void EnsureButtonWindow() {
    if (!corvala::HWINDOW) {
        corvala::SHOWSTATUSBAR = true;
        SetButtonWindowParts();
    }
    EnsureWindow();
    ResetInput();
}

}  // namespace testsupport
