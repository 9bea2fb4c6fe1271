// A real context in a known state, and the mapping between scene points and client pixels.
#pragma once
#include <cmath>

#include "corvala/render/CRVL_Render.h"
#include "corvala/window/CRVL_Window.h"
#include "platform/gl/gl.h"
#include "tests/support/window.h"

namespace rendertest {
using namespace win32;  // the constants are macros on Windows

// The window's context with the perspective set-up, nothing lit, textured, culled or blended, and
// cleared to black. Every test that draws starts here: the context outlives each test.
inline void FreshScene() {
    testsupport::EnsureWindow();
    corvala::OPENGL_INIT(100, 0, 0, 0, 0);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glDepthMask(GL_TRUE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glColor4f(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// Rows of the viewport above the client area: what the caption and frames take off the outer height,
// as the system measures it.
inline int ViewportRowsAboveClient() {
    if (corvala::FULLSCREEN) return 0;
    win32::RECT client{};
    win32::GetClientRect(corvala::HWINDOW, &client);
    return corvala::HEIGHT - client.bottom;
}

struct Pixel {
    int x, y;
};

// Window coordinates (origin bottom-left of the viewport) of a point under the current matrices.
inline void Project(double x, double y, double z, double* wx, double* wy, double* wz = nullptr) {
    GLdouble mv[16], pr[16], dz;
    GLint vp[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, mv);
    glGetDoublev(GL_PROJECTION_MATRIX, pr);
    glGetIntegerv(GL_VIEWPORT, vp);
    gluProject(x, y, z, mv, pr, vp, wx, wy, &dz);
    if (wz) *wz = dz;
}

// The client pixel (origin top-left, as the mouse reports it) over which a scene point is drawn.
inline Pixel ClientPixelOf(double x, double y, double z) {
    double wx, wy;
    Project(x, y, z, &wx, &wy);
    GLint vp[4];
    glGetIntegerv(GL_VIEWPORT, vp);
    return Pixel{int(std::floor(wx)), int(std::floor(vp[3] - ViewportRowsAboveClient() - wy))};
}

}  // namespace rendertest
