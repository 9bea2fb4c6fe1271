// Child windows inside the framework window: properties, regions, painting and how they are shown.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "corvala/Corvala.h"
#include "platform/gl/gl.h"
#include "platform/gl/tracer/gltrace.h"
#include "platform/testing.h"
#include "tests/platform/sdl/sdl_events.h"
#include "tests/support/window.h"

using namespace win32;

namespace {

constexpr uint32_t kPaintColour = 0x3060C0;  // what the test child paints: red 0x30, green 0x60, blue 0xC0
std::vector<UINT> g_seen;                    // messages the test child received

// The test child paints itself from a memory DC holding a 32-bit DIB of one colour.
LRESULT child_proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    g_seen.push_back(msg);
    if (msg != WM_PAINT) return DefWindowProcA(h, msg, wp, lp);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    std::vector<uint8_t> info(sizeof(BITMAPINFO));
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof ih;
    ih.biWidth = 64;
    ih.biHeight = 64;
    ih.biPlanes = 1;
    ih.biBitCount = 32;
    std::memcpy(info.data(), &ih, sizeof ih);
    void* bits = nullptr;
    HBITMAP b = CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* p = static_cast<uint32_t*>(bits);
    for (int i = 0; i < 64 * 64; ++i) p[i] = kPaintColour;
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, b);
    BitBlt(dc, 0, 0, 64, 64, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(b);
    EndPaint(h, &ps);
    return 0;
}

class Children : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::EnsureWindow();
        testsupport::ResetInput();
        WNDCLASSEXA probe;
        if (!GetClassInfoExA(GetModuleHandleA(nullptr), "TestChild", &probe)) {
            WNDCLASSA wc{};
            wc.lpfnWndProc = child_proc;
            wc.lpszClassName = "TestChild";
            RegisterClassA(&wc);
        }
        g_seen.clear();
    }
    HWND make_child(int x, int y, int w, int h, int id = 7) {
        return CreateWindowExA(0, "TestChild", "", WS_CHILD | WS_VISIBLE, x, y, w, h, corvala::HWINDOW,
                               reinterpret_cast<HMENU>(intptr_t(id)), nullptr, nullptr);
    }
    static void clear_back_buffer() {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    // The pixel at client point (x, y), rows counted from the top as windows count them.
    static uint32_t client_pixel(int x, int y) {
        int w = 0, h = 0;
        SDL_GL_GetDrawableSize(SDL_GL_GetCurrentWindow(), &w, &h);
        return testsupport::ReadPixel(x, h - 1 - y);
    }
};

TEST_F(Children, PropertiesAreKeptByNameWithoutRegardToCase) {
    HWND c = make_child(0, 0, 10, 10);
    int a = 0, b = 0;
    EXPECT_TRUE(SetPropA(c, "NormalBitmap", &a));
    EXPECT_TRUE(SetPropA(c, "OTHER", &b));
    EXPECT_EQ(GetPropA(c, "NORMALBITMAP"), &a);
    EXPECT_EQ(RemovePropA(c, "normalbitmap"), &a);
    EXPECT_EQ(GetPropA(c, "NormalBitmap"), nullptr);
    EXPECT_EQ(RemovePropA(c, "NormalBitmap"), nullptr);
    EXPECT_EQ(GetPropA(c, "other"), &b);
    DestroyWindow(c);
    EXPECT_EQ(GetPropA(c, "other"), nullptr);
}

TEST_F(Children, ChildrenKnowTheirParentIdentifierAndPlaceOnScreen) {
    HWND c = make_child(30, 40, 20, 10, 4711);
    EXPECT_EQ(GetParent(c), corvala::HWINDOW);
    EXPECT_EQ(GetDlgCtrlID(c), 4711);
    EXPECT_EQ(GetDlgCtrlID(corvala::HWINDOW), 0);
    RECT parent, child;
    GetWindowRect(corvala::HWINDOW, &parent);
    GetWindowRect(c, &child);
    // Frame of 3 and caption of 16 around the client area.
    EXPECT_EQ(child.left - parent.left, 30 + 3);
    EXPECT_EQ(child.top - parent.top, 40 + 19);
    EXPECT_TRUE(MoveWindow(c, 5, 6, 70, 8, FALSE));
    GetWindowRect(c, &child);
    EXPECT_EQ(child.left - parent.left, 5 + 3);
    EXPECT_EQ(child.right - child.left, 70);
    EXPECT_EQ(child.bottom - child.top, 8);
    DestroyWindow(c);
}

TEST_F(Children, TheWindowOwnsItsRegionAndDeletesItWhenReplacedOrDestroyed) {
    const int objects = win32::testing::LiveGdiObjects();
    HWND c = make_child(0, 0, 10, 10);
    HRGN first = CreateRectRgn(0, 0, 5, 5);
    EXPECT_NE(SetWindowRgn(c, first, FALSE), 0);
    EXPECT_NE(SetWindowRgn(c, CreateRectRgn(1, 1, 2, 2), FALSE), 0);
    EXPECT_FALSE(PtInRegion(first, 0, 0)) << "the first region is gone";
    EXPECT_EQ(win32::testing::LiveGdiObjects(), objects + 1);
    DestroyWindow(c);
    EXPECT_EQ(win32::testing::LiveGdiObjects(), objects);
}

TEST_F(Children, AnInvalidChildIsPaintedThroughTheQueueOrAtOnceByUpdateWindow) {
    HWND c = make_child(10, 10, 20, 20);
    EXPECT_EQ(GetPixel(GetDC(c), 5, 5), RGB(0, 0, 0));
    PostMessageA(corvala::HWINDOW, WM_USER, 0, 0);
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, WM_USER) << "painting waits while other messages are queued";
    // The framework window may want painting too; dispatch paints until the child's comes.
    bool painted = false;
    for (int i = 0; i < 5 && !painted && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE); ++i) {
        if (m.message != WM_PAINT) continue;
        DispatchMessageA(&m);
        painted = m.hwnd == c;
    }
    ASSERT_TRUE(painted);
    EXPECT_EQ(GetPixel(GetDC(c), 5, 5), RGB(0x30, 0x60, 0xC0));
    EXPECT_FALSE(PeekMessageA(&m, c, 0, 0, PM_NOREMOVE)) << "painting validated the child";

    g_seen.clear();
    InvalidateRect(c, nullptr, FALSE);
    UpdateWindow(c);
    EXPECT_EQ(g_seen, std::vector<UINT>{WM_PAINT});
    UpdateWindow(c);
    EXPECT_EQ(g_seen.size(), 1u) << "nothing left to paint";
    DestroyWindow(c);
}

TEST_F(Children, PaintedChildrenAreShownOverTheGlPictureInsideTheirRegion) {
    HWND c = make_child(100, 50, 40, 30);
    // An L shape: the top row band and the left column band.
    HRGN r = CreateRectRgn(0, 0, 40, 10);
    HRGN left = CreateRectRgn(0, 0, 10, 30);
    CombineRgn(r, r, left, RGN_OR);
    DeleteObject(left);
    SetWindowRgn(c, r, FALSE);
    UpdateWindow(c);
    clear_back_buffer();
    win32::testing::CompositeChildrenNow();
    EXPECT_EQ(client_pixel(100, 50), kPaintColour);
    EXPECT_EQ(client_pixel(139, 59), kPaintColour);
    EXPECT_EQ(client_pixel(105, 79), kPaintColour);
    EXPECT_EQ(client_pixel(120, 70), 0u) << "outside the region the GL picture shows";
    EXPECT_EQ(client_pixel(140, 55), 0u) << "right of the window";
    EXPECT_EQ(client_pixel(99, 55), 0u) << "left of the window";
    ShowWindow(c, SW_HIDE);
    clear_back_buffer();
    win32::testing::CompositeChildrenNow();
    EXPECT_EQ(client_pixel(100, 50), 0u) << "hidden children are not shown";
    DestroyWindow(c);
}

TEST_F(Children, ShowingChildrenLeavesTheGlStateAsItWasAndIsNotTheProgramsDrawing) {
    HWND c = make_child(0, 0, 16, 16);
    UpdateWindow(c);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-3, 5, -2, 7, 1, 9);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(1, 2, 3);
    glViewport(0, 0, 800, 600);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glRasterPos2f(0.25f, 0.5f);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
    glTexCoord2f(0.125f, 0.75f);
    glPolygonMode(GL_BACK, GL_LINE);
    glEnable(GL_CULL_FACE);
    auto snapshot = [] {
        std::vector<double> s;
        GLdouble m[16];
        for (GLenum which : {GLenum(GL_PROJECTION_MATRIX), GLenum(GL_MODELVIEW_MATRIX)}) {
            glGetDoublev(which, m);
            s.insert(s.end(), m, m + 16);
        }
        GLint v[4];
        glGetIntegerv(GL_VIEWPORT, v);
        s.insert(s.end(), v, v + 4);
        for (GLenum e : {GLenum(GL_DEPTH_TEST), GLenum(GL_TEXTURE_2D), GLenum(GL_BLEND), GLenum(GL_ALPHA_TEST),
                         GLenum(GL_CULL_FACE)})
            s.push_back(glIsEnabled(e));
        GLint i[2] = {0, 0}, bound = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        s.push_back(bound);
        for (GLenum e : {GLenum(GL_UNPACK_ALIGNMENT), GLenum(GL_MATRIX_MODE), GLenum(GL_ALPHA_TEST_FUNC),
                         GLenum(GL_POLYGON_MODE)}) {
            glGetIntegerv(e, i);
            s.insert(s.end(), i, i + (e == GL_POLYGON_MODE ? 2 : 1));
        }
        glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, i);
        s.push_back(i[0]);
        GLdouble raster[4];
        glGetDoublev(GL_CURRENT_RASTER_POSITION, raster);
        s.insert(s.end(), raster, raster + 4);
        glGetDoublev(GL_CURRENT_TEXTURE_COORDS, raster);
        s.insert(s.end(), raster, raster + 4);
        // The default texture carries the children's pixels meanwhile, and is left without an image.
        glBindTexture(GL_TEXTURE_2D, 0);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, i);
        s.push_back(i[0]);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, i);
        s.push_back(i[0]);
        glBindTexture(GL_TEXTURE_2D, GLuint(bound));
        return s;
    };
    const std::vector<double> before = snapshot();
    {
        gltrace::Scope trace;
        win32::testing::CompositeChildrenNow();
        EXPECT_TRUE(gltrace::calls().empty()) << gltrace::dump();
    }
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    glPolygonMode(GL_BACK, GL_FILL);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDeleteTextures(1, &texture);
    DestroyWindow(c);
}

TEST_F(Children, ChildrenAreShownWhateverDrawingStateTheProgramLeft) {
    HWND c = make_child(20, 30, 20, 12);
    UpdateWindow(c);
    clear_back_buffer();
    // Drawn under any of these, the children's pixels would be hidden, or changed, or taken from elsewhere.
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_FRONT_AND_BACK);
    glColorMask(GL_FALSE, GL_TRUE, GL_TRUE, GL_TRUE);
    glMatrixMode(GL_TEXTURE);
    glScalef(2, 2, 1);
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_TEXTURE_GEN_S);
    win32::testing::CompositeChildrenNow();
    glDisable(GL_TEXTURE_GEN_S);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glCullFace(GL_BACK);
    glDisable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    for (auto [x, y] : {std::pair{20, 30}, std::pair{39, 30}, std::pair{29, 35}, std::pair{20, 41}, std::pair{39, 41}})
        EXPECT_EQ(client_pixel(x, y), kPaintColour) << x << "," << y;
    EXPECT_EQ(client_pixel(40, 35), 0u) << "right of the window";
    DestroyWindow(c);
}

TEST_F(Children, ClicksOnTheCutAwayPartOfAShapedChildGoToTheWindowBehind) {
    HWND c = make_child(200, 100, 20, 20);
    SetWindowRgn(c, CreateRectRgn(0, 0, 10, 20), FALSE);
    auto press_at = [](int x, int y) {
        testsupport::PushMouseButton(true, x, y);
        MSG m{};
        EXPECT_TRUE(PeekMessageA(&m, nullptr, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE));
        return m;
    };
    MSG m = press_at(205, 103);
    EXPECT_EQ(m.hwnd, c);
    EXPECT_EQ(LOWORD(m.lParam), 5);
    EXPECT_EQ(HIWORD(m.lParam), 3);
    m = press_at(215, 103);
    EXPECT_EQ(m.hwnd, corvala::HWINDOW);
    EXPECT_EQ(LOWORD(m.lParam), 215);
    DestroyWindow(c);
}

TEST_F(Children, AWheelTurnOverAChildGoesToItAndWhatItLeavesToDefWindowProcToItsParent) {
    HWND outer = make_child(200, 100, 40, 40);
    HWND inner = CreateWindowExA(0, "TestChild", "", WS_CHILD | WS_VISIBLE, 5, 5, 20, 20, outer,
                                 reinterpret_cast<HMENU>(intptr_t(8)), nullptr, nullptr);
    sdltest::PushWheel(1, 210, 110);
    MSG m{};
    ASSERT_TRUE(PeekMessageA(&m, nullptr, WM_MOUSEWHEEL, WM_MOUSEWHEEL, PM_REMOVE));
    EXPECT_EQ(m.hwnd, inner);
    g_seen.clear();
    DispatchMessageA(&m);
    EXPECT_EQ(std::count(g_seen.begin(), g_seen.end(), UINT(WM_MOUSEWHEEL)), 2) << "the child, then its parent";
    DestroyWindow(outer);
}

}  // namespace
