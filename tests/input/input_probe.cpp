// A Corvala window that writes every character and wheel turn it is given, one line each, to standard
// output: test_wine types and turns the wheel at the Linux and the Windows build of it with the same X
// input and compares what each wrote. It ends on Escape or the close box.
#include <cstdio>

#include "corvala/Corvala.h"

using namespace corvala;
using namespace win32;

int main() {
    OGLWINDOWSETTING(ARROW, "", GENERIC, "");
    CREATEOGLWINDOW("Corvala input probe", 640, 480, 32, false);
    std::printf("ready\n");
    std::fflush(stdout);
    while (ACTIVE) {
        MSG_.message = WM_NULL;  // SETGLMSG leaves it as it was when nothing is queued
        SETGLMSG();
        if (MSG_.message == WM_CHAR) {
            std::printf("WM_CHAR 0x%02X\n", unsigned(MSG_.wParam));
        } else if (MSG_.message == WM_MOUSEWHEEL) {
            std::printf("WM_MOUSEWHEEL delta %d keys 0x%04X at %d,%d\n", GET_WHEEL_DELTA_WPARAM(MSG_.wParam),
                        unsigned(GET_KEYSTATE_WPARAM(MSG_.wParam)), int(short(LOWORD(MSG_.lParam))),
                        int(short(HIWORD(MSG_.lParam))));
        }
        std::fflush(stdout);
        SwapBuffers(DCWINDOW);
        PaceFrame();
    }
    DELETEOGLWINDOW();
    return 0;
}
