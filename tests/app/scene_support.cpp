#include "tests/app/scene_support.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <unistd.h>

#include <cmath>
#include <cstring>

#include "app/Scene.h"
#include "app/State.h"
#include "app/Wobblefin.h"
#include "corvala/Corvala.h"
#include "platform/testing.h"
#include "tests/support/window.h"

namespace scene {

using namespace corvala;
using namespace wobblefin;

void EnsureStarted() {
    static bool started = false;
    if (started) return;
    started = true;
    if (chdir(WOBBLEFIN_RUN_DIR) != 0) std::abort();
    win32::testing::SetSwapPacing(false);
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
    win32::WPARAM keys =
        (msg == win32::WM_LBUTTONDOWN || (msg == win32::WM_MOUSEMOVE && LEFTMOUSEDOWN)) ? win32::MK_LBUTTON : 0;
    win32::PostMessageA(HWINDOW, msg, keys, win32::MAKELPARAM(x, y));
}

int ClientHeight() {
    win32::RECT r;
    win32::GetClientRect(HWINDOW, &r);
    return r.bottom;
}

namespace {
// Projects with the program's own projection; the modelview is built by `place` from the identity.
Pixel project(const std::function<void()>& place, float x, float y, float z) {
    GLdouble model[16], proj[16];
    GLint viewport[4] = {0, 0, WIDTH, HEIGHT};
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPerspective(45.0, double(WIDTH) / double(HEIGHT), 0.1, 100.0);
    glGetDoublev(GL_PROJECTION_MATRIX, proj);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    place();
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glPopMatrix();
    GLdouble wx, wy, wz;
    gluProject(x, y, z, model, proj, viewport, &wx, &wy, &wz);
    // Window y counts up from the bottom of the viewport, which sits at the bottom of the client area.
    return Pixel{int(std::lround(wx)), ClientHeight() - int(std::lround(wy))};
}
}  // namespace

Pixel ProjectScene(float x, float y, float z) {
    return project([] { glTranslatef(0, -1, -30); }, x, y, z);
}

Pixel ProjectFish(float x, float y, float z) {
    return project(
        [] {
            glTranslatef(0, -1, -30);
            glRotatef(25, 0, -1, 0);
            if (TIMER[2] < 120) glRotatef(30, 1, 0, 0);
            glTranslatef(0, float(std::sin(double(POS.Y))), 0);
            const double swim = double(POS.X) + double(POS.Y);
            glRotatef(float(10 * std::sin(swim) * std::cos(swim)), 0, 1, 0);
        },
        x, y, z);
}

uint32_t ClientPixel(Pixel p) { return testsupport::ReadPixel(p.x, ClientHeight() - 1 - p.y); }

}  // namespace scene
