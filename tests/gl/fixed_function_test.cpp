// OpenGL 1.1's meaning of what the framework calls, checked by pictures and hit records. The same tests run
// on the system's GL and on our own (es2), so each expectation is GL's, not one implementation's.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/gl/gl.h"
#include "tests/support/window.h"

namespace {

using testsupport::ReadPixel;

// A 100 x 100 viewport with one scene unit a pixel, nothing switched on, cleared to black.
class FixedFunction : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::EnsureWindow();
        glViewport(0, 0, 100, 100);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, 100, 0, 100, -100, 100);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        for (GLenum cap : {GL_LIGHTING, GL_LIGHT0, GL_COLOR_MATERIAL, GL_TEXTURE_2D, GL_CULL_FACE, GL_BLEND,
                           GL_ALPHA_TEST, GL_DEPTH_TEST})
            glDisable(cap);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
        glFrontFace(GL_CCW);
        glCullFace(GL_BACK);
        glColor4f(1, 1, 1, 1);
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        while (glGetError() != GL_NO_ERROR) {}
    }
    static void Quad(float x0, float y0, float x1, float y1, bool ccw = true) {
        glBegin(GL_QUADS);
        glTexCoord2f(0, 0);
        glVertex3f(x0, y0, 0);
        if (ccw) {
            glTexCoord2f(1, 0);
            glVertex3f(x1, y0, 0);
        } else {
            glTexCoord2f(0, 1);
            glVertex3f(x0, y1, 0);
        }
        glTexCoord2f(1, 1);
        glVertex3f(x1, y1, 0);
        if (ccw) {
            glTexCoord2f(0, 1);
            glVertex3f(x0, y1, 0);
        } else {
            glTexCoord2f(1, 0);
            glVertex3f(x1, y0, 0);
        }
        glEnd();
    }
};

TEST_F(FixedFunction, StripsFansAndPolygonsCoverTheirArea) {
    glBegin(GL_QUAD_STRIP);
    for (float y : {10.0f, 30.0f, 50.0f}) {
        glVertex3f(10, y, 0);
        glVertex3f(30, y, 0);
    }
    glEnd();
    glColor3f(1, 0, 0);
    glBegin(GL_POLYGON);
    const float pentagon[5][2] = {{60, 15}, {80, 15}, {90, 35}, {70, 50}, {55, 35}};  // around (70, 30)
    for (const auto& p : pentagon) glVertex3f(p[0], p[1], 0);
    glEnd();
    glColor3f(0, 0, 1);
    glBegin(GL_TRIANGLE_FAN);
    glVertex3f(50, 70, 0);
    const float rim[5][2] = {{40, 60}, {60, 60}, {60, 80}, {40, 80}, {40, 60}};
    for (const auto& p : rim) glVertex3f(p[0], p[1], 0);
    glEnd();
    EXPECT_EQ(ReadPixel(20, 40), 0xffffffu);
    EXPECT_EQ(ReadPixel(70, 30), 0xff0000u);
    EXPECT_EQ(ReadPixel(45, 75), 0x0000ffu);
    EXPECT_EQ(ReadPixel(35, 40), 0u);
}

TEST_F(FixedFunction, ColourMaterialKeepsItsLastColourAndBackFacesAreLitFromBehind) {
    const float none[4] = {0, 0, 0, 1}, full[4] = {1, 1, 1, 1}, toward_eye[4] = {0, 0, 1, 0};
    glLightfv(GL_LIGHT0, GL_AMBIENT, none);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, full);
    glLightfv(GL_LIGHT0, GL_POSITION, toward_eye);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    glColor3f(1, 0, 0);
    glDisable(GL_COLOR_MATERIAL);
    glColor3f(0, 1, 0);  // no longer the material's
    glNormal3f(0, 0, 1);
    Quad(0, 0, 50, 50);
    // Two-sided: a back face takes the normal reversed, away from the light, and is left with the scene's
    // ambient (0.2) times the material's ambient (the red kept above).
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
    Quad(50, 0, 100, 50, false);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
    Quad(50, 50, 100, 100, false);
    EXPECT_EQ(ReadPixel(25, 25), 0xff0000u);
    EXPECT_NEAR(double(ReadPixel(75, 25) >> 16), 0.2 * 255, 2.0);
    EXPECT_EQ(ReadPixel(75, 75), 0xff0000u);
    glDisable(GL_LIGHT0);  // no light on: the scene's ambient alone
    Quad(0, 50, 50, 100);
    EXPECT_NEAR(double(ReadPixel(25, 75) >> 16), 0.2 * 255, 2.0);
}

TEST_F(FixedFunction, TexturesUnpackRowsSkipsAndBgraAndNeedEveryMipmapLevel) {
    // A 2 x 2 BGRA image inside a 3-pixel-wide source, one row and one pixel in.
    const unsigned char bgra[3 * 3 * 4] = {
        0, 0, 0, 0, 0,   0, 0,   0,   0,   0,   0,   0,    // skipped row
        0, 0, 0, 0, 255, 0, 0,   255, 0,   255, 0,   255,  // blue, green
        0, 0, 0, 0, 0,   0, 255, 255, 255, 255, 255, 255,  // red, white
    };
    GLuint t = 0;
    glGenTextures(1, &t);
    glBindTexture(GL_TEXTURE_2D, t);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 3);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 1);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 2, 0, GL_BGRA, GL_UNSIGNED_BYTE, bgra);
    for (GLenum p : {GL_UNPACK_ROW_LENGTH, GL_UNPACK_SKIP_ROWS, GL_UNPACK_SKIP_PIXELS}) glPixelStorei(p, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glEnable(GL_TEXTURE_2D);
    // Only level 0 with a mipmapping filter: GL 1.1 draws as if texturing were off.
    Quad(0, 50, 50, 100);
    EXPECT_EQ(ReadPixel(25, 75), 0xffffffu);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    Quad(0, 0, 50, 50);
    EXPECT_EQ(ReadPixel(10, 10), 0x0000ffu);
    EXPECT_EQ(ReadPixel(40, 10), 0x00ff00u);
    EXPECT_EQ(ReadPixel(10, 40), 0xff0000u);
    EXPECT_EQ(ReadPixel(40, 40), 0xffffffu);
    // GLU rounds 3 x 5 to the nearest powers of two and makes every level down to 1 x 1.
    const std::vector<unsigned char> grey(3 * 5 * 3, 128);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    EXPECT_EQ(gluBuild2DMipmaps(GL_TEXTURE_2D, 3, 3, 5, GL_RGB, GL_UNSIGNED_BYTE, grey.data()), 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    GLint w = 0, h = 0, last = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 2, GL_TEXTURE_WIDTH, &last);
    EXPECT_EQ(w, 4);
    EXPECT_EQ(h, 4);
    EXPECT_EQ(last, 1);
    glDeleteTextures(1, &t);
}

TEST_F(FixedFunction, WireFramePolygonsAreCulledAndShowOnlyTheirEdges) {
    glEnable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    Quad(10.5f, 10.5f, 40.5f, 40.5f);
    Quad(60.5f, 10.5f, 90.5f, 40.5f, false);  // facing away: culled
    EXPECT_EQ(ReadPixel(10, 25), 0xffffffu);
    EXPECT_EQ(ReadPixel(25, 25), 0u);  // no diagonal, no fill
    EXPECT_EQ(ReadPixel(60, 25), 0u);
}

TEST_F(FixedFunction, DisplayListsNestAndCompileAndExecute) {
    const GLuint lists = glGenLists(2);
    glNewList(lists, GL_COMPILE);
    glTranslatef(50, 0, 0);
    glColor3f(0, 1, 0);
    Quad(0, 0, 10, 10);
    glEndList();
    EXPECT_EQ(ReadPixel(55, 5), 0u);  // compiled only
    glNewList(lists + 1, GL_COMPILE_AND_EXECUTE);
    glCallList(lists);
    glTranslatef(0, 50, 0);
    glEndList();
    EXPECT_EQ(ReadPixel(55, 5), 0x00ff00u);
    glLoadIdentity();
    glTranslatef(-50, 50, 0);
    glCallList(lists + 1);  // the recorded translation applies again, from where the matrix is
    EXPECT_EQ(ReadPixel(5, 55), 0x00ff00u);
    EXPECT_EQ(ReadPixel(5, 5), 0u);
}

TEST_F(FixedFunction, SelectionClipsCullsAndCountsOverflow) {
    GLuint buffer[64] = {};
    auto pick = [&](GLsizei size, double x, double y, const std::function<void()>& draw) {
        GLint vp[4] = {0, 0, 100, 100};
        glSelectBuffer(size, buffer);
        glRenderMode(GL_SELECT);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        gluPickMatrix(x, y, 1, 1, vp);
        glOrtho(0, 100, 0, 100, -100, 100);
        glMatrixMode(GL_MODELVIEW);
        glInitNames();
        glPushName(0);
        draw();
        const GLint hits = glRenderMode(GL_RENDER);
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        return hits;
    };
    // A big triangle with no corner in the pick square still hits; its depth runs across z.
    auto big = [] {
        glLoadName(7);
        glBegin(GL_TRIANGLES);
        glVertex3f(-100, -100, -50);
        glVertex3f(200, -100, -50);
        glVertex3f(50, 200, 50);
        glEnd();
    };
    ASSERT_EQ(pick(64, 50, 50, big), 1);
    EXPECT_EQ(buffer[0], 1u);
    EXPECT_EQ(buffer[3], 7u);
    EXPECT_LT(buffer[1], buffer[2]);
    EXPECT_NEAR(double(buffer[1]) / 4294967295.0, 0.5, 0.02);
    // Facing away and culled: no hit.
    glEnable(GL_CULL_FACE);
    EXPECT_EQ(pick(64, 10, 10, [] { Quad(0, 0, 50, 50, false); }), 0);
    glDisable(GL_CULL_FACE);
    // Three words fit, a hit needs four: -1, and what fitted is there.
    buffer[3] = 99;
    EXPECT_EQ(pick(3, 50, 50, big), -1);
    EXPECT_EQ(buffer[0], 1u);
    EXPECT_EQ(buffer[3], 99u);
    // A name loaded on an empty stack is an error and changes nothing.
    pick(64, 50, 50, [] {
        glPopName();
        glLoadName(3);
        EXPECT_EQ(glGetError(), GLenum(GL_INVALID_OPERATION));
        glPopName();
        EXPECT_EQ(glGetError(), GLenum(GL_STACK_UNDERFLOW));
    });
}

TEST_F(FixedFunction, MatrixStacksHaveTheirDepths) {
    GLint most = 0, depth = 0;
    glGetIntegerv(GL_MAX_MODELVIEW_STACK_DEPTH, &most);
    ASSERT_GE(most, 32);
    for (GLint i = 1; i < most; ++i) glPushMatrix();
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, most);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    glPushMatrix();
    EXPECT_EQ(glGetError(), GLenum(GL_STACK_OVERFLOW));
    for (GLint i = 1; i < most; ++i) glPopMatrix();
    glPopMatrix();
    EXPECT_EQ(glGetError(), GLenum(GL_STACK_UNDERFLOW));
}

}  // namespace
