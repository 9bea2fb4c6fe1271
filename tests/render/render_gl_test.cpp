// Render state and primitives on the window's real context, checked by what reaches the pixels.
#include <gtest/gtest.h>

#include "corvala/render/CRVL_Primitives.h"
#include "corvala/render/CRVL_Render.h"
#include "corvala/render/CRVL_Vector.h"
#include "platform/gl/gl.h"
#include "tests/render/gl_helpers.h"
#include "tests/support/window.h"

using namespace corvala;
using rendertest::FreshScene;
using testsupport::ReadPixel;

namespace {

constexpr uint32_t kWhite = 0xFFFFFF, kBlack = 0x000000, kRed = 0xFF0000;

float DepthAt(int x, int y) {
    float d = -1;
    glReadPixels(x, y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &d);
    return d;
}

TEST(RenderGl, EveryCuboFaceSurvivesBackFaceCullingSeenFromOutside) {
    struct View {
        const char* face;
        float angle, ax, ay, az;  // turns that face towards the camera
    } views[] = {{"z = Z2", 0, 0, 1, 0},   {"z = Z1", 180, 0, 1, 0}, {"y = Y2", 90, 1, 0, 0},
                 {"y = Y1", -90, 1, 0, 0}, {"x = X2", -90, 0, 1, 0}, {"x = X1", 90, 0, 1, 0}};
    for (const View& v : views) {
        FreshScene();
        SETGLREFRACTIVE();
        glTranslatef(0, 0, -10);
        glRotatef(v.angle, v.ax, v.ay, v.az);
        CUBO(0, 0, 0, -1, -1, -1, 1, 1, 1, 1);
        EXPECT_EQ(ReadPixel(400, 300), kWhite) << v.face;
    }
}

TEST(RenderGl, CuboFacesVanishUnderCullingSeenFromInside) {
    FreshScene();
    SETGLREFRACTIVE();
    CUBO(0, 0, 0, -20, -20, -20, 20, 20, 20, 1);  // the eye at the origin is inside
    EXPECT_EQ(ReadPixel(400, 300), kBlack);
    EXPECT_EQ(ReadPixel(100, 100), kBlack);

    glDisable(GL_CULL_FACE);  // the faces are there: only culling hid them
    CUBO(0, 0, 0, -20, -20, -20, 20, 20, 20, 1);
    EXPECT_EQ(ReadPixel(400, 300), kWhite);
}

TEST(RenderGl, SferaShowsItsNearSideUnderBackFaceCulling) {
    FreshScene();
    if (!testsupport::CanReadDepth()) GTEST_SKIP() << "this GL reads no depth back";
    double wx, wy, near_depth, far_depth;
    rendertest::Project(0, 0, -4, &wx, &wy, &near_depth);
    rendertest::Project(0, 0, -6, &wx, &wy, &far_depth);
    SETGLREFRACTIVE();
    SFERA(0, 0, -5, 1, 32, 32, 1);
    EXPECT_EQ(ReadPixel(400, 300), kWhite);
    EXPECT_NEAR(DepthAt(400, 300), near_depth, 5e-4);

    // Culling the other side instead leaves only the far hemisphere's inside.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glCullFace(GL_FRONT);
    SFERA(0, 0, -5, 1, 32, 32, 1);
    glCullFace(GL_BACK);
    EXPECT_NEAR(DepthAt(400, 300), far_depth, 5e-4);
}

TEST(RenderGl, LightPlacedRightAfterOpenglInitSitsAtTheEye) {
    testsupport::EnsureWindow();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(3, 4, 5);  // a camera left over from a previous frame
    OPENGL_INIT(100, 0, 0, 0, 0);
    SETGLLIGHT(GL_LIGHT0, 0, 0, 0, 0.1f);
    GLfloat p[4];
    glGetLightfv(GL_LIGHT0, GL_POSITION, p);  // GL keeps it in eye coordinates
    EXPECT_EQ(p[0], 0.0f);
    EXPECT_EQ(p[1], 0.0f);
    EXPECT_EQ(p[2], 0.0f);
    EXPECT_EQ(p[3], 0.1f);

    // Placed after the camera, a light is fixed in the scene instead.
    glTranslatef(0, 0, -10);
    PUTGLPOINTLIGHT(GL_LIGHT1, 0, 1, 0, 0, 0.1f);
    glGetLightfv(GL_LIGHT1, GL_POSITION, p);
    EXPECT_FLOAT_EQ(p[0], 1.0f);
    EXPECT_FLOAT_EQ(p[2], -1.0f);  // -10 * w
    EXPECT_FLOAT_EQ(p[3], 0.1f);
    glDisable(GL_LIGHTING);
}

TEST(RenderGl, OpenglInitClampsTheClearDepthToOne) {
    testsupport::EnsureWindow();
    OPENGL_INIT(100, 0, 0, 0, 0);
    GLdouble d = 0;
    glGetDoublev(GL_DEPTH_CLEAR_VALUE, &d);
    EXPECT_EQ(d, 1.0);
    GLboolean test = glIsEnabled(GL_DEPTH_TEST);
    EXPECT_TRUE(test);
}

void FillRect(float x0, float y0, float x1, float y1) {
    GLBEGIN(GL_QUADS);
    GLVERTEX3F(x0, y0, 0);
    GLVERTEX3F(x1, y0, 0);
    GLVERTEX3F(x1, y1, 0);
    GLVERTEX3F(x0, y1, 0);
    GLEND();
}

TEST(RenderGl, OpenglI2dMapsFourUnitsAcrossAndThreeUpOnto800By600) {
    FreshScene();
    ASSERT_EQ(WIDTH, 800);
    ASSERT_EQ(HEIGHT, 600);
    OPENGL_I2D(0, 0, 0, 0);
    glColor4f(1, 0, 0, 1);
    FillRect(-2.0f, -1.5f, -1.9f, -1.4f);  // bottom-left corner: pixels 0..19
    FillRect(1.0f, 1.0f, 1.1f, 1.1f);      // 200 pixels a unit: x 600..619, y 500..519
    EXPECT_EQ(ReadPixel(0, 0), kRed);
    EXPECT_EQ(ReadPixel(19, 19), kRed);
    EXPECT_EQ(ReadPixel(21, 10), kBlack);
    EXPECT_EQ(ReadPixel(10, 21), kBlack);
    EXPECT_EQ(ReadPixel(600, 500), kRed);
    EXPECT_EQ(ReadPixel(619, 519), kRed);
    EXPECT_EQ(ReadPixel(598, 510), kBlack);
    EXPECT_EQ(ReadPixel(621, 510), kBlack);
    EXPECT_EQ(ReadPixel(610, 498), kBlack);
    EXPECT_EQ(ReadPixel(610, 521), kBlack);
    OPENGL_INIT(100, 0, 0, 0, 0);
}

TEST(RenderGl, SpriteOffLeavesDepthWritesOnAndBlendingAndAlphaTestOff) {
    testsupport::EnsureWindow();
    OPENGL_INIT(100, 0, 0, 0, 0);
    GLint src = 0, dst = 0;
    SETGLSPRITE(false);
    glGetIntegerv(GL_BLEND_SRC, &src);
    glGetIntegerv(GL_BLEND_DST, &dst);
    EXPECT_EQ(src, GL_SRC_ALPHA);  // the function OPENGL_INIT set is kept
    EXPECT_EQ(dst, GL_ONE);
    SETGLSPRITE(true);
    glGetIntegerv(GL_BLEND_SRC, &src);
    glGetIntegerv(GL_BLEND_DST, &dst);
    EXPECT_EQ(src, GL_ONE);
    EXPECT_EQ(dst, GL_ONE);
    SETGLSPRITE();
    GLboolean mask = GL_TRUE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
    EXPECT_FALSE(mask);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_ALPHA_TEST));

    SETGLSPRITEOFF();
    glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
    EXPECT_TRUE(mask);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));

    OPENGL_INIT(100, 0, 0, 0, 0);  // and the next pass gets its blend function back
    glGetIntegerv(GL_BLEND_SRC, &src);
    EXPECT_EQ(src, GL_SRC_ALPHA);
}

TEST(RenderGl, PointLightMarkerIsOnePointOfTheGivenSize) {
    FreshScene();
    glTranslatef(0, 0, -10);
    PUTGLPOINTLIGHT(GL_LIGHT2, 5, 0, 0, 0, 0);  // a directional light still gets its marker
    EXPECT_EQ(ReadPixel(400, 300), kWhite);
    EXPECT_EQ(ReadPixel(402, 302), kWhite);
    EXPECT_EQ(ReadPixel(404, 300), kBlack);
    GLfloat size = 0;
    glGetFloatv(GL_POINT_SIZE, &size);
    EXPECT_EQ(size, 5.0f);
    glPointSize(1);
}

}  // namespace
