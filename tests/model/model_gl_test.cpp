// A model drawn on the window's real context: which faces survive culling, and where the vertices land.
#include <gtest/gtest.h>

#include "corvala/model/CRVL_Model.h"
#include "platform/gl/gl.h"
#include "tests/model/md3_builder.h"
#include "tests/render/gl_helpers.h"
#include "tests/support/window.h"

using namespace corvala;
using testsupport::ReadPixel;

namespace {

// One big triangle in the plane z = 0 around the origin, corners in the order given.
TGLMD3MODEL triangle(bool clockwise) {
    md3test::Model mm = md3test::one_triangle();
    md3test::Surface& s = mm.surfaces[0];
    s.vertices = {md3test::vertex(-192, -192, 0), md3test::vertex(192, -192, 0), md3test::vertex(0, 192, 0)};
    if (clockwise) s.triangles = {{0, 2, 1}};
    TGLMD3MODEL m{};
    EXPECT_TRUE(md3test::load(mm, m));
    return m;
}

// The colour drawn over a scene point, read back from the drawable.
uint32_t ColourAt(double x, double y, double z) {
    const rendertest::Pixel p = rendertest::ClientPixelOf(x, y, z);
    GLint vp[4];
    glGetIntegerv(GL_VIEWPORT, vp);
    const int client_height = vp[3] - rendertest::ViewportRowsAboveClient();
    return ReadPixel(p.x, client_height - 1 - p.y);
}

}  // namespace

TEST(ModelGl, ModelsShowTheirClockwiseFacesUnderCullingAndLeaveBackFaceCullingBehind) {
    rendertest::FreshScene();
    glEnable(GL_CULL_FACE);
    glTranslatef(0, 0, -10);
    TGLMD3MODEL ccw = triangle(false);
    ccw.PUTMODEL();
    EXPECT_EQ(0x000000u, ColourAt(0, 0, 0));

    TGLMD3MODEL cw = triangle(true);
    cw.PUTMODEL();
    EXPECT_EQ(0xFFFFFFu, ColourAt(0, 0, 0));

    // The cull face is back to GL_BACK for whatever is drawn next.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glBegin(GL_TRIANGLES);
    glVertex3f(-3, -3, 0);
    glVertex3f(3, -3, 0);
    glVertex3f(0, 3, 0);
    glEnd();
    EXPECT_EQ(0xFFFFFFu, ColourAt(0, 0, 0));
    glDisable(GL_CULL_FACE);
}

TEST(ModelGl, PositionsAreSixtyFourthsOfTheStoredCoordinates) {
    rendertest::FreshScene();
    glTranslatef(0, 0, -10);
    TGLMD3MODEL m = triangle(false);  // corners at +-3 and 3 units
    m.PUTMODEL();
    EXPECT_EQ(0xFFFFFFu, ColourAt(0, 2.5, 0));
    EXPECT_EQ(0x000000u, ColourAt(0, 3.5, 0));
    EXPECT_EQ(0xFFFFFFu, ColourAt(-2.8, -2.8, 0));
    EXPECT_EQ(0x000000u, ColourAt(-3.2, -2.8, 0));
}
