#include "tests/support/window.h"

#include <GL/gl.h>
#include <SDL.h>

#include <cstring>

#include "corvala/Corvala.h"
#include "platform/testing.h"

namespace testsupport {

void EnsureWindow() {
    if (corvala::HWINDOW && win32::IsWindow(corvala::HWINDOW)) {
        win32::wglMakeCurrent(corvala::DCWINDOW, corvala::RCWINDOW);
        return;
    }
    win32::testing::SetSwapPacing(false);
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

namespace {
Uint32 window_id() {
    SDL_Window* w = SDL_GL_GetCurrentWindow();
    return w ? SDL_GetWindowID(w) : 0;
}
}  // namespace

void PushMouseMotion(int x, int y, unsigned buttons) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = window_id();
    e.motion.state = buttons;
    e.motion.x = x;
    e.motion.y = y;
    SDL_PushEvent(&e);
}

void PushMouseButton(bool down, int x, int y, int button) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.windowID = window_id();
    e.button.button = Uint8(button);
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.x = x;
    e.button.y = y;
    SDL_PushEvent(&e);
}

void PushKey(bool down, int scancode, int keycode, bool repeat, int mods) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.windowID = window_id();
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.repeat = repeat ? 1 : 0;
    e.key.keysym.scancode = SDL_Scancode(scancode);
    e.key.keysym.sym = SDL_Keycode(keycode);
    e.key.keysym.mod = Uint16(mods);
    SDL_PushEvent(&e);
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
