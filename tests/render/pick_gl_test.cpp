// Picking with real selection rendering in the window's context: hover and click flags for elements
// at positions computed from the projection, nearest hits, ties, overflow and the framed-window y.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

#include "corvala/render/CRVL_Pick.h"
#include "corvala/render/CRVL_Render.h"
#include "corvala/render/CRVL_Vector.h"
#include "corvala/window/CRVL_Window.h"
#include "platform/gl/gl.h"
#include "tests/render/gl_helpers.h"
#include "tests/render/trace_helpers.h"
#include "tests/support/window.h"

using namespace corvala;
using rendertest::C;
using rendertest::ClientPixelOf;
using rendertest::FreshScene;
using rendertest::Pixel;

namespace {

void Square(float h) {
    GLBEGIN(GL_QUADS);
    GLVERTEX3F(-h, -h, 0);
    GLVERTEX3F(h, -h, 0);
    GLVERTEX3F(h, h, 0);
    GLVERTEX3F(-h, h, 0);
    GLEND();
}
// About 14 pixels across at the camera distance below: smaller than the caption and frames.
void SmallSquare() { Square(0.1f); }
void BigSquare() { Square(0.5f); }

constexpr float kCamera = -10;  // the menu's plane, in front of the eye

class Picking : public ::testing::Test {
protected:
    void SetUp() override {
        FreshScene();
        testsupport::ResetInput();
        glTranslatef(0, 0, kCamera);
        std::memset(&menu, 0, sizeof menu);
    }
    void TearDown() override {
        FULLSCREEN = false;
        testsupport::ResetInput();
    }
    void Hover(Pixel p) {
        SETOMX = p.x;
        SETOMY = p.y;
    }
    void Press(Pixel p) {
        SETMX = p.x;
        SETMY = p.y;
    }
    std::vector<bool> Over() const { return std::vector<bool>(menu.OVER, menu.OVER + menu.MAXNUMSEL); }
    std::vector<bool> Click() const { return std::vector<bool>(menu.CLICK, menu.CLICK + menu.MAXNUMSEL); }

    static TMENU3D menu;
};
TMENU3D Picking::menu;

TEST_F(Picking, HoverAndClickFlagTheElementsUnderTheirPositions) {
    menu.ADDSELECTON(GLVECTOR(-2, 0, 0), 11);
    menu.ADDSELECTON(GLVECTOR(0, 1, 0), 22);
    menu.ADDSELECTON(GLVECTOR(2, -1, 0), 33);
    menu.SETSELECTON(SmallSquare);
    Hover(ClientPixelOf(0, 1, 0));
    Press(ClientPixelOf(2, -1, 0));
    menu.ELEMENTSELECTON();
    EXPECT_EQ(Over(), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(Click(), (std::vector<bool>{false, false, true}));

    // The pick is redone every call: the flags follow the positions.
    Hover(ClientPixelOf(-2.05, 0.05, 0));
    Press(ClientPixelOf(-2, 0, 0));
    menu.ELEMENTSELECTON();
    EXPECT_EQ(Over(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(Click(), (std::vector<bool>{true, false, false}));
}

TEST_F(Picking, NothingUnderThePointerClearsEveryFlag) {
    menu.ADDSELECTON(GLVECTOR(-2, 0, 0), 1);
    menu.ADDSELECTON(GLVECTOR(2, 0, 0), 2);
    menu.SETSELECTON(SmallSquare);
    menu.OVER[0] = menu.CLICK[1] = true;
    Hover(ClientPixelOf(0, 0, 0));
    Press(ClientPixelOf(0, 2, 0));
    menu.ELEMENTSELECTON();
    EXPECT_EQ(Over(), (std::vector<bool>{false, false}));
    EXPECT_EQ(Click(), (std::vector<bool>{false, false}));
    EXPECT_EQ(SELECTOBJID(SETOMX, SETOMY, int32_t(menu.EVENTSELECTION)), 0);
}

TEST_F(Picking, ReleasedButtonPicksAtTheClientOriginWhereOnlyACoveringElementIsClicked) {
    menu.ADDSELECTON(GLVECTOR(0, 0, 0), 1);
    // An element whose square covers the top-left corner of the client area.
    double x, y, z, wx, wy, wz;
    rendertest::Project(0, 0, 0, &wx, &wy, &wz);
    GLdouble mv[16], pr[16];
    GLint vp[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, mv);
    glGetDoublev(GL_PROJECTION_MATRIX, pr);
    glGetIntegerv(GL_VIEWPORT, vp);
    gluUnProject(0.5, vp[3] - rendertest::ViewportRowsAboveClient() - 0.5, wz, mv, pr, vp, &x, &y, &z);
    menu.ADDSELECTON(GLVECTOR(x, y, z), 2);
    menu.SETSELECTON(BigSquare);
    Hover(ClientPixelOf(0, 0, 0));
    // SETMX, SETMY stay at 0, 0: the button is up.
    menu.ELEMENTSELECTON();
    EXPECT_EQ(Over(), (std::vector<bool>{true, false}));
    EXPECT_EQ(Click(), (std::vector<bool>{false, true}));
}

TEST_F(Picking, TheNearestOfOverlappingElementsWinsWhateverTheOrder) {
    menu.ADDSELECTON(GLVECTOR(0, 0, 0), 5);
    menu.ADDSELECTON(GLVECTOR(0.2f, 0, 2), 6);  // nearer the eye
    menu.ADDSELECTON(GLVECTOR(-0.2f, 0, -3), 7);
    menu.SETSELECTON(BigSquare);
    Hover(ClientPixelOf(0, 0, 0));
    menu.ELEMENTSELECTON();
    EXPECT_EQ(Over(), (std::vector<bool>{false, true, false}));

    std::memset(&menu, 0, sizeof menu);
    menu.ADDSELECTON(GLVECTOR(-0.2f, 0, -3), 7);
    menu.ADDSELECTON(GLVECTOR(0.2f, 0, 2), 6);
    menu.ADDSELECTON(GLVECTOR(0, 0, 0), 5);
    menu.SETSELECTON(BigSquare);
    menu.ELEMENTSELECTON();
    EXPECT_EQ(Over(), (std::vector<bool>{false, true, false}));
}

TEST_F(Picking, SelectionHitsHandsBackEveryRecordInCompileOrderAndOverflowsAsGLDoes) {
    menu.ADDSELECTON(GLVECTOR(0, 0, 0), 5);
    menu.ADDSELECTON(GLVECTOR(0.2f, 0, 2), 6);  // nearest
    menu.ADDSELECTON(GLVECTOR(-0.2f, 0, -3), 7);
    menu.SETSELECTON(BigSquare);
    const Pixel p = ClientPixelOf(0, 0, 0);
    uint32_t words[12] = {};
    ASSERT_EQ(SelectionHits(p.x, p.y, int32_t(menu.EVENTSELECTION), words, 12), 3);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(words[4 * k], 1u);
        EXPECT_EQ(words[4 * k + 3], uint32_t(5 + k));
    }
    EXPECT_LT(words[5], words[1]);
    EXPECT_LT(words[1], words[9]);
    EXPECT_EQ(SelectionHits(p.x, p.y, int32_t(menu.EVENTSELECTION), words, 11), -1);
}

TEST_F(Picking, DepthsCompareAsUnsignedWords) {
    // Close to the eye the depth word is below 2^31, far away above it: as signed numbers the far
    // element would look nearer.
    menu.ADDSELECTON(GLVECTOR(0, 0, 0), 1);
    menu.ADDSELECTON(GLVECTOR(0, 0, -kCamera - 0.8f), 2);  // 0.8 in front of the eye
    menu.SETSELECTON(BigSquare);
    Hover(ClientPixelOf(0, 0, 0));
    menu.ELEMENTSELECTON();
    EXPECT_EQ(Over(), (std::vector<bool>{false, true}));
}

TEST_F(Picking, EqualDepthsGoToTheElementCompiledFirst) {
    menu.ADDSELECTON(GLVECTOR(0, 0, 0), 8);
    menu.ADDSELECTON(GLVECTOR(0, 0, 0), 3);
    menu.SETSELECTON(BigSquare);
    Hover(ClientPixelOf(0, 0, 0));
    menu.ELEMENTSELECTON();
    EXPECT_EQ(Over(), (std::vector<bool>{true, false}));
}

TEST_F(Picking, EightHitsPickTheFirstAndNineOverflowToNothing) {
    for (int32_t id = 1; id <= 8; ++id) menu.ADDSELECTON(GLVECTOR(0, 0, 0), id);
    menu.SETSELECTON(BigSquare);
    const Pixel p = ClientPixelOf(0, 0, 0);
    EXPECT_EQ(SELECTOBJID(p.x, p.y, int32_t(menu.EVENTSELECTION)), 1);

    menu.ADDSELECTON(GLVECTOR(0, 0, 0), 9);
    menu.SETSELECTON(BigSquare);
    EXPECT_EQ(SELECTOBJID(p.x, p.y, int32_t(menu.EVENTSELECTION)), 0);
    Hover(p);
    menu.ELEMENTSELECTON();
    EXPECT_EQ(Over(), std::vector<bool>(9, false));
}

TEST_F(Picking, AnElementNamedZeroCountsAsHitWhenNothingIs) {
    menu.ADDSELECTON(GLVECTOR(-2, 0, 0), 0);
    menu.ADDSELECTON(GLVECTOR(2, 0, 0), 4);
    menu.SETSELECTON(SmallSquare);
    Hover(ClientPixelOf(0, 2, 0));  // empty
    menu.ELEMENTSELECTON();
    EXPECT_EQ(Over(), (std::vector<bool>{true, false}));
    EXPECT_EQ(Click(), (std::vector<bool>{true, false}));  // the button is up: (0, 0) is empty too
    Hover(ClientPixelOf(2, 0, 0));
    menu.ELEMENTSELECTON();
    EXPECT_EQ(Over(), (std::vector<bool>{false, true}));
}

TEST_F(Picking, FramedWindowPicksMoveYByCaptionAndFramesButFullScreenPicksDoNot) {
    ASSERT_FALSE(FULLSCREEN);
    using namespace win32;  // the metrics' names are macros on Windows
    const int rows = rendertest::ViewportRowsAboveClient();
    ASSERT_EQ(rows, GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFIXEDFRAME));
    menu.ADDSELECTON(GLVECTOR(1, 1, 0), 9);
    menu.SETSELECTON(SmallSquare);
    const Pixel framed = ClientPixelOf(1, 1, 0);
    EXPECT_EQ(SELECTOBJID(framed.x, framed.y, int32_t(menu.EVENTSELECTION)), 9);

    FULLSCREEN = true;  // the same client position now means a point that many rows lower
    EXPECT_EQ(SELECTOBJID(framed.x, framed.y, int32_t(menu.EVENTSELECTION)), 0);
    const Pixel full = ClientPixelOf(1, 1, 0);
    EXPECT_EQ(full.y, framed.y + rows);
    EXPECT_EQ(SELECTOBJID(full.x, full.y, int32_t(menu.EVENTSELECTION)), 9);
}

TEST_F(Picking, PickHitsExactlyWhatIsDrawnUnderThePointer) {
    const float colours[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    const uint32_t rgb[3] = {0xFF0000, 0x00FF00, 0x0000FF};
    menu.ADDSELECTON(GLVECTOR(-1.5f, 0.3f, 0), 1);
    menu.ADDSELECTON(GLVECTOR(0, 0.3f, 0), 2);
    menu.ADDSELECTON(GLVECTOR(1.5f, 0.3f, 0), 3);
    menu.SETSELECTON(SmallSquare);
    for (int i = 0; i < 3; ++i) {
        glColor3f(colours[i][0], colours[i][1], colours[i][2]);
        glPushMatrix();
        glTranslatef(menu.POS[i].X, menu.POS[i].Y, menu.POS[i].Z);
        SmallSquare();
        glPopMatrix();
    }
    const int client_h = HEIGHT - rendertest::ViewportRowsAboveClient();
    win32::RECT client{};
    win32::GetClientRect(HWINDOW, &client);
    const int client_w = client.right - client.left;
    ASSERT_EQ(client.bottom - client.top, client_h);
    std::vector<unsigned char> pixels(size_t(client_w) * client_h * 4);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, client_w, client_h, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    auto drawn = [&](int x, int y) {  // which element's colour is at client pixel (x, y), 0 for none
        const unsigned char* p = &pixels[(size_t(client_h - 1 - y) * client_w + x) * 4];
        const uint32_t c = uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
        for (int i = 0; i < 3; ++i)
            if (c == rgb[i]) return i + 1;
        return 0;
    };
    const Pixel row = ClientPixelOf(0, 0.3f, 0);
    int checked = 0, hits = 0;
    for (int y = row.y - 12; y <= row.y + 12; ++y) {
        for (int x = 150; x < 650; ++x) {
            const int here = drawn(x, y);
            // The 2 x 2 pick region is centred on a pixel corner and takes in partly covered pixels,
            // so within two pixels of an edge either answer is right.
            bool edge = false;
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx) edge = edge || drawn(x + dx, y + dy) != here;
            if (edge) continue;
            ++checked;
            hits += here != 0;
            EXPECT_EQ(SELECTOBJID(x, y, int32_t(menu.EVENTSELECTION)), here) << x << ", " << y;
        }
    }
    EXPECT_GT(hits, 3 * 100);
    EXPECT_GT(checked, 5000);
}

TEST_F(Picking, SelectobjidMakesItsSelectionPassAndRestoresTheMatrices) {
    menu.ADDSELECTON(GLVECTOR(0, 0, 0), 1);
    menu.SETSELECTON(SmallSquare);
    GLdouble before[16], after[16];
    glGetDoublev(GL_PROJECTION_MATRIX, before);
    gltrace::Scope scope;
    SELECTOBJID(100, 200, int32_t(menu.EVENTSELECTION));
    const double list = menu.EVENTSELECTION;
    EXPECT_EQ(
        rendertest::Recorded(),
        (rendertest::Seq{
            C("glSelectBuffer", {32}), C("glGetIntegerv", {GL_VIEWPORT}), C("glMatrixMode", {GL_PROJECTION}),
            C("glPushMatrix"), C("glRenderMode", {GL_SELECT}), C("glLoadIdentity"),
            C("gluPickMatrix", {100, double(600 - 200 - rendertest::ViewportRowsAboveClient()), 2, 2, 0, 0, 800, 600}),
            C("gluPerspective", {45, 800.0 / 600.0, 0.5, 150}), C("glMatrixMode", {GL_MODELVIEW}), C("glInitNames"),
            C("glPushName", {0}), C("glCallList", {list}), C("glPopName"), C("glRenderMode", {GL_RENDER}),
            C("glMatrixMode", {GL_PROJECTION}), C("glPopMatrix"), C("glMatrixMode", {GL_MODELVIEW})}));
    glGetDoublev(GL_PROJECTION_MATRIX, after);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(before[i], after[i]) << i;
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
}

// A pick list that empties the name stack gives three-word records: ten of them fit in the buffer,
// and the walk must follow the records' own sizes instead of reading ten four-word records.
TEST_F(Picking, RecordsOfOtherSizesAreWalkedWithinTheBuffer) {
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glLoadName(7);
    glPushMatrix();
    glTranslatef(0, 0, 1);  // nearest
    BigSquare();
    glPopMatrix();
    glPopName();  // writes the named record; the stack is empty from here
    for (int i = 0; i < 9; ++i) {
        glPushMatrix();
        glTranslatef(0, 0, -float(i) - 1);
        BigSquare();
        glPopMatrix();
        glPushName(0);  // writes a record with no name
        glPopName();
    }
    glEndList();
    const Pixel p = ClientPixelOf(0, 0, 0);
    gltrace::Scope scope;
    EXPECT_EQ(SELECTOBJID(p.x, p.y, int32_t(list)), 7);
    EXPECT_EQ(gltrace::named("glRenderMode").size(), 2u);
    while (glGetError() != GL_NO_ERROR) {}  // the final pop on an empty stack
}

}  // namespace
