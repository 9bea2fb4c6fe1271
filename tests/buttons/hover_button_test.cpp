// Image buttons on the framework window: creation, the state machine, the command, painting, teardown.
#include <gtest/gtest.h>

#include <tuple>

#include "corvala/Corvala.h"
#include "platform/gl/gl.h"
#include "platform/testing.h"
#include "tests/buttons/button_files.h"
#include "tests/buttons/button_window.h"
#include "tests/support/systems.h"
#include "tests/support/temp_dir.h"
#include "tests/support/window.h"

using namespace corvala;
using namespace win32;
using testsupport::Rgba;

namespace {

constexpr int kId = 101;
constexpr COLORREF kNormal = 0x0000C8, kHover = 0x00C800, kPressed = 0xC80000;  // COLORREFs: red, green, blue

// 40 x 30 pictures: magenta around an opaque 30 x 20 rectangle at (5, 5), in the state's colour.
testsupport::Bytes state_picture(COLORREF c) {
    return testsupport::make_bmp(40, 30, 24, 40, [c](int x, int y) {
        const bool inside = x >= 5 && x < 35 && y >= 5 && y < 25;
        return inside ? Rgba{GetRValue(c), GetGValue(c), GetBValue(c), 0} : testsupport::kMagenta;
    });
}

// The files, named in other cases than the program asks for them.
std::string button_prefix() {
    static const std::string prefix = [] {
        const std::string dir = testsupport::temp_dir();
        testsupport::write_file(dir + "/knopfn.bmp", state_picture(kNormal));
        testsupport::write_file(dir + "/KnopfH.bmp", state_picture(kHover));
        testsupport::write_file(dir + "/knopfp.BMP", state_picture(kPressed));
        return dir + "/KNOPF";
    }();
    return prefix;
}

struct Leaks {
    int objects = win32::testing::LiveGdiObjects();
    int dcs = win32::testing::LiveMemoryDCs();
    int blocks = win32::testing::LiveGlobalBlocks();
};

class HoverButton : public ::testing::Test {
protected:
    HWND button = nullptr;
    std::vector<MSG> commands;  // WM_COMMANDs that reached the framework window's queue

    void SetUp() override {
        testsupport::EnsureButtonWindow();
        // On Windows the moves of the real pointer reach the button as well: off the window there are none.
        // (On the stand-in the only pointer input here is the test's.)
        if (!testsupport::kStandIn) {
            SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
            win32::testing::FlushMessages();
        }
        ReleaseCapture();
        BMPTYPE = button_prefix();
    }
    void TearDown() override {
        if (button) DestroyWindow(button);
        BMPTYPE.clear();
    }
    HWND create(int x = 300, int y = 200) {
        button = CreateWindowExA(0, SZHOVERCLASS, "", WS_CHILD | WS_VISIBLE, x, y, 10, 10, HWINDOW,
                                 reinterpret_cast<HMENU>(intptr_t(kId)), nullptr, nullptr);
        return button;
    }
    intptr_t state() const { return reinterpret_cast<intptr_t>(GetPropA(button, HOVERMODE)); }
    // Posts a mouse message to the button and runs the queue dry, painting included; commands for the
    // framework window are kept instead of being dispatched.
    void mouse(UINT msg, WPARAM keys, int x, int y) {
        PostMessageA(button, msg, keys, MAKELPARAM(x, y));
        run_queue();
    }
    void run_queue() {
        MSG m;
        for (int i = 0; i < 50 && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE); ++i) {
            if (m.message == WM_COMMAND) commands.push_back(m);
            else DispatchMessageA(&m);
        }
    }
    COLORREF shown(int x = 20, int y = 15) const { return GetPixel(GetDC(button), x, y); }
};

TEST_F(HoverButton, TakesTheSizeOfItsNormalPictureWhereItWasPlacedAndItsShape) {
    ASSERT_NE(create(), nullptr);
    RECT r;
    GetWindowRect(button, &r);
    POINT client{0, 0};  // whatever caption and frame the system gives the parent
    ClientToScreen(HWINDOW, &client);
    EXPECT_EQ(r.right - r.left, 40);
    EXPECT_EQ(r.bottom - r.top, 30);
    EXPECT_EQ(r.left - client.x, 300);
    EXPECT_EQ(r.top - client.y, 200);
    EXPECT_EQ(state(), 1);
    for (const char* prop : {NORMALBMP, HOVERBMP, PRESSBMP}) EXPECT_NE(GetPropA(button, prop), nullptr) << prop;
    const HRGN hit = static_cast<HRGN>(GetPropA(button, BUTTONRGN));
    ASSERT_NE(hit, nullptr);
    EXPECT_TRUE(PtInRegion(hit, 5, 5));
    EXPECT_TRUE(PtInRegion(hit, 34, 24));
    EXPECT_FALSE(PtInRegion(hit, 4, 5));
    EXPECT_FALSE(PtInRegion(hit, 35, 24));
}

TEST_F(HoverButton, APressAndReleaseOnTheShapePostsOneCommandToTheParent) {
    create();
    mouse(WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
    EXPECT_EQ(state(), 3);
    EXPECT_EQ(GetCapture(), button);
    EXPECT_TRUE(commands.empty());
    mouse(WM_LBUTTONUP, 0, 12, 11);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].hwnd, HWINDOW);
    EXPECT_EQ(LOWORD(commands[0].wParam), kId);
    EXPECT_EQ(HIWORD(commands[0].wParam), 0);
    EXPECT_EQ(commands[0].lParam, 0) << "not the button's handle";
    EXPECT_EQ(state(), 1);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(HoverButton, MovingOffTheShapeWhilePressedCancelsTheClick) {
    create();
    mouse(WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
    mouse(WM_MOUSEMOVE, MK_LBUTTON, 2, 2);  // inside the window, outside the shape
    EXPECT_EQ(state(), 1);
    EXPECT_EQ(GetCapture(), nullptr);
    mouse(WM_LBUTTONUP, 0, 2, 2);
    EXPECT_TRUE(commands.empty());
    // Coming back onto the shape with the button still held presses it again.
    mouse(WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
    mouse(WM_MOUSEMOVE, MK_LBUTTON, -5, 10);  // left of the button, seen through the capture
    EXPECT_EQ(state(), 1);
    mouse(WM_MOUSEMOVE, MK_LBUTTON, 10, 10);
    EXPECT_EQ(state(), 3);
    mouse(WM_LBUTTONUP, 0, 10, 10);
    EXPECT_EQ(commands.size(), 1u);
}

TEST_F(HoverButton, HoverFollowsThePointerOverTheShapeAndHoldsTheCaptureMeanwhile) {
    create();
    mouse(WM_MOUSEMOVE, 0, 3, 3);
    EXPECT_EQ(state(), 1) << "the cut-away corner is not the shape";
    mouse(WM_MOUSEMOVE, 0, 20, 15);
    EXPECT_EQ(state(), 2);
    EXPECT_EQ(GetCapture(), button);
    mouse(WM_MOUSEMOVE, MK_LBUTTON, 21, 15);
    EXPECT_EQ(state(), 2) << "only a move from normal changes the state";
    mouse(WM_MOUSEMOVE, 0, 100, 15);
    EXPECT_EQ(state(), 1);
    EXPECT_EQ(GetCapture(), nullptr);
    mouse(WM_MOUSEMOVE, MK_RBUTTON, 20, 15);
    EXPECT_EQ(state(), 3) << "entering with a button held shows it pressed";
    EXPECT_TRUE(commands.empty());
}

TEST_F(HoverButton, ShowsThePictureOfItsStateAndTheNormalOneAfterAClick) {
    SKIP_UNDER_WINE("Wine gives no pixels of a child of a window with a GL context (GetPixel: CLR_INVALID)");
    create();
    run_queue();
    EXPECT_EQ(shown(), kNormal);
    mouse(WM_MOUSEMOVE, 0, 20, 15);
    EXPECT_EQ(shown(), kHover);
    mouse(WM_LBUTTONDOWN, MK_LBUTTON, 20, 15);
    EXPECT_EQ(shown(), kPressed);
    mouse(WM_LBUTTONUP, 0, 20, 15);
    EXPECT_EQ(shown(), kNormal) << "after a release over the shape, until the pointer moves";
    mouse(WM_MOUSEMOVE, 0, 21, 15);
    EXPECT_EQ(shown(), kHover);
}

TEST_F(HoverButton, IsShownOverTheGlPictureOnlyWhereItIsOpaque) {
    SKIP_UNDER_WINE("Wine gives no pixels of a child of a window with a GL context (GetPixel: CLR_INVALID)");
    create(100, 100);
    UpdateWindow(button);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    win32::testing::CompositeChildrenNow();
    RECT client{};
    GetClientRect(HWINDOW, &client);
    const int h = client.bottom;
    auto at = [h](int x, int y) { return testsupport::ReadPixel(x, h - 1 - y); };
    EXPECT_EQ(at(100 + 20, 100 + 15), 0xC80000u);  // 0xRRGGBB: the normal picture's red
    EXPECT_EQ(at(100 + 5, 100 + 5), 0xC80000u);
    EXPECT_EQ(at(100 + 2, 100 + 2), 0u) << "magenta corners are cut away";
    EXPECT_EQ(at(100 + 37, 100 + 27), 0u);
}

TEST_F(HoverButton, DestroyingItReleasesEveryBitmapPaletteDcRegionAndProperty) {
    SKIP_UNDER_WINE("Wine's GetGuiResources counts no GDI objects");
    const Leaks before;
    create();
    run_queue();
    EXPECT_GT(win32::testing::LiveGdiObjects(), before.objects);
    DestroyWindow(button);
    EXPECT_EQ(win32::testing::LiveGdiObjects(), before.objects);
    EXPECT_EQ(win32::testing::LiveMemoryDCs(), before.dcs);
    EXPECT_EQ(win32::testing::LiveGlobalBlocks(), before.blocks);
    EXPECT_EQ(GetPropA(button, HOVERMODE), nullptr);
    button = nullptr;
}

TEST_F(HoverButton, WithoutPicturesItKeepsItsSizeStaysRectangularAndStillClicks) {
    BMPTYPE = testsupport::temp_dir() + "/none";
    const Leaks before;
    create();
    RECT r;
    GetWindowRect(button, &r);
    EXPECT_EQ(r.right - r.left, 10);
    EXPECT_EQ(state(), 1);
    EXPECT_EQ(GetPropA(button, BUTTONRGN), nullptr);
    mouse(WM_MOUSEMOVE, 0, 5, 5);
    EXPECT_EQ(state(), 1) << "no shape, no hover";
    mouse(WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    mouse(WM_LBUTTONUP, 0, 5, 5);
    EXPECT_EQ(commands.size(), 1u);
    MSG m;
    EXPECT_FALSE(PeekMessageA(&m, button, 0, 0, PM_NOREMOVE)) << "no endless paint requests";
    DestroyWindow(button);
    button = nullptr;
    EXPECT_EQ(win32::testing::LiveGdiObjects(), before.objects);
    EXPECT_EQ(win32::testing::LiveMemoryDCs(), before.dcs);
}

TEST_F(HoverButton, AClickThroughTheRealPointerPathReachesTheButton) {
    create(400, 300);
    run_queue();
    testsupport::PushMouseButton(true, 402, 302);  // the cut-away corner: the framework window's
    run_queue();
    EXPECT_EQ(state(), 1);
    EXPECT_TRUE(LEFTMOUSEDOWN);
    // One at a time: where a press goes depends on the capture that the previous one left.
    for (auto [down, x, y] : {std::tuple<bool, int, int>{false, 402, 302}, {true, 420, 315}, {false, 420, 315}}) {
        testsupport::PushMouseButton(down, x, y);
        run_queue();
    }
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(LOWORD(commands[0].wParam), kId);
}

}  // namespace
