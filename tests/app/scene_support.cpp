#include "tests/app/scene_support.h"

#include <unistd.h>

#include <cmath>
#include <cstring>

#include "app/Scene.h"
#include "app/State.h"
#include "app/Wobblefin.h"
#include "corvala/Corvala.h"
#include "platform/gl/gl.h"
#include "platform/testing.h"
#include "tests/support/projection.h"
#include "tests/support/window.h"

namespace scene {

using namespace corvala;
using namespace wobblefin;
using namespace win32;  // the message numbers are macros on Windows

void EnsureStarted() {
    static bool started = false;
    if (started) return;
    started = true;
    if (chdir(WOBBLEFIN_RUN_DIR) != 0) std::abort();
    corvala::SetFramePacing(corvala::PaceMode::Unpaced);
    startup();
}

void Reset() {
    std::memset(CHECK, 0, sizeof CHECK);
    TIMER[0] = TIMER[1] = 0;
    TIMER[2] = 120;
    I = 0;
    POS = TGLVECTOR{0, 0, 0};
    SETINFO = false;
    PESCEMDL.SELECTMODELANIM(Q3_LEGS_WALK);
    testsupport::ResetInput();
    ACTIVE = true;
    // Two quiet frames: the menus pick again with the pointer away and nothing pressed.
    SETOMX = SETOMY = 1;
    Frames(2);
}

void Frame(const std::function<void()>& inspect) {
    glClear(GL_COLOR_BUFFER_BIT);
    SETGLMSG();
    OPENGL_DRAW();
    if (inspect) inspect();
    win32::SwapBuffers(DCWINDOW);
}

void Frames(int n) {
    for (int i = 0; i < n; ++i) Frame();
}

void Post(win32::UINT msg, int x, int y) {
    win32::WPARAM keys = (msg == WM_LBUTTONDOWN || (msg == WM_MOUSEMOVE && LEFTMOUSEDOWN)) ? MK_LBUTTON : 0;
    win32::PostMessageA(HWINDOW, msg, keys, MAKELPARAM(x, y));
}

int ClientHeight() {
    win32::RECT r;
    win32::GetClientRect(HWINDOW, &r);
    return r.bottom;
}

Pixel ProjectScene(float x, float y, float z) {
    const testsupport::ClientPoint p = testsupport::ScenePixel(x, y, z, WIDTH, HEIGHT, ClientHeight());
    return Pixel{p.x, p.y};
}

Pixel ProjectFish(float x, float y, float z) {
    // The frame's own steps, innermost first: the swim turn, the bob, the vortex tilt, the aquarium's turn.
    double px = x, py = y, pz = z;
    const double swim = double(POS.X) + double(POS.Y);
    testsupport::RotateAboutY(10 * std::sin(swim) * std::cos(swim), px, pz);
    py += double(float(std::sin(double(POS.Y))));
    if (TIMER[2] < kVortexTiltFrames) testsupport::RotateAboutX(30, py, pz);
    testsupport::RotateAboutY(-25, px, pz);
    const testsupport::ClientPoint p = testsupport::ScenePixel(px, py, pz, WIDTH, HEIGHT, ClientHeight());
    return Pixel{p.x, p.y};
}

uint32_t ClientPixel(Pixel p) { return testsupport::ReadPixel(p.x, ClientHeight() - 1 - p.y); }

}  // namespace scene
