#include "tests/support/window.h"

#include <cstring>

#include "corvala/Corvala.h"
#include "platform/gl/gl.h"
#include "platform/testing.h"

namespace testsupport {

void EnsureWindow() {
    if (corvala::HWINDOW && win32::IsWindow(corvala::HWINDOW)) {
        win32::wglMakeCurrent(corvala::DCWINDOW, corvala::RCWINDOW);
        return;
    }
    corvala::SetFramePacing(corvala::PaceMode::Unpaced);
    win32::testing::ResetClasses();
    corvala::OGLWINDOWSETTING(corvala::ARROW, "", corvala::GENERIC, "");
    corvala::CREATEOGLWINDOW("Corvala test", 800, 600, 32, false);
    ResetInput();
}

uint32_t ReadPixel(int x, int y) {
    unsigned char p[4] = {0, 0, 0, 0};
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
}

bool CanReadDepth() {
    while (glGetError() != GL_NO_ERROR) {}
    float d = 0;
    glReadPixels(0, 0, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &d);
    return glGetError() == GL_NO_ERROR;
}

void PushMouseMotion(int x, int y, unsigned keys) { win32::testing::InjectMouseMove(x, y, keys); }

void PushMouseButton(bool down, int x, int y, bool right) {
    using namespace win32;  // the message numbers are macros on Windows
    const unsigned message = right ? (down ? WM_RBUTTONDOWN : WM_RBUTTONUP) : (down ? WM_LBUTTONDOWN : WM_LBUTTONUP);
    win32::testing::InjectMouseButton(message, x, y);
}

void ResetInput() {
    win32::testing::FlushMessages();
    using namespace corvala;
    std::memset(SETKEY, 0, sizeof SETKEY);
    SETOMX = SETOMY = SETMX = SETMY = 0;
    LEFTMOUSEDOWN = LEFTMOUSEDOWN2 = RIGHTMOUSEDOWN = RIGHTMOUSEDOWN2 = false;
    XCOORD = YCOORD = ZCOORD = 0;
    XROT = YROT = XROT2 = YROT2 = DEPTH = DEPTH2 = 0;
    MSPEED = 0;
    MOUSEFREE = false;
}

}  // namespace testsupport
