#include "window/CRVL_HoverButton.h"

namespace corvala {

LRESULT HOVERBUTTONHANDLER(HWND WND, UINT IMSG, WPARAM WPARAM_, LPARAM LPARAM_) {
    return win32::DefWindowProcA(WND, IMSG, WPARAM_, LPARAM_);
}

}  // namespace corvala
