// The message queue and the window tree on their own, over the backend that shows nothing: no display,
// no GL, only Win32 behaviour.
#include <gtest/gtest.h>

#include "platform/testing.h"
#include "platform/win32.h"

using namespace win32;

namespace {

MSG g_last_size;  // the last WM_SIZE a window got

LRESULT quiet_proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SIZE) g_last_size = MSG{h, msg, wp, lp, 0, {0, 0}};
    return DefWindowProcA(h, msg, wp, lp);
}

class Queue : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = quiet_proc;
        wc.lpszClassName = "QueueTest";
        RegisterClassExA(&wc);
        top = CreateWindowExA(0, "QueueTest", "top", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 100, 50, 400, 300,
                              nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(top, nullptr);
        win32::testing::FlushMessages();
    }
    void TearDown() override {
        DestroyWindow(top);
        win32::testing::FlushMessages();
        win32::testing::ResetClasses();
    }
    MSG take() {
        MSG m{};
        EXPECT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
        return m;
    }
    HWND top = nullptr;
};

TEST_F(Queue, MovesBecomeOneMessageWithTheLatestPositionAndAPressIsNeverStuckBehindThem) {
    for (int i = 0; i < 20; ++i) win32::testing::InjectMouseMove(10 + i, 20 + i);
    win32::testing::InjectMouseButton(WM_LBUTTONDOWN, 50, 60);
    for (int i = 0; i < 5; ++i) win32::testing::InjectMouseMove(70 + i, 80, MK_LBUTTON);
    EXPECT_EQ(win32::testing::QueuedMessages(), 3);
    MSG m = take();
    EXPECT_EQ(m.message, WM_MOUSEMOVE);
    EXPECT_EQ(m.lParam, MAKELPARAM(29, 39));
    EXPECT_EQ(take().message, WM_LBUTTONDOWN);
    m = take();
    EXPECT_EQ(m.lParam, MAKELPARAM(74, 80));
    EXPECT_EQ(m.wParam, MK_LBUTTON);
}

TEST_F(Queue, PostedMessagesComeInOrderThenQuitAndPaintOnlyWhenNothingElseIsQueued) {
    InvalidateRect(top, nullptr, FALSE);
    PostMessageA(top, WM_USER + 1, 1, 0);
    PostQuitMessage(3);
    PostMessageA(top, WM_USER + 2, 2, 0);
    EXPECT_EQ(take().message, WM_USER + 1u);
    EXPECT_EQ(take().message, WM_USER + 2u);
    MSG m = take();
    EXPECT_EQ(m.message, WM_QUIT);
    EXPECT_EQ(m.wParam, 3u);
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, WM_PAINT);
    EXPECT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) << "paint stays until the window is validated";
    ValidateRect(top, nullptr);
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Queue, AMinimizedWindowIsIconicAndToldSoAndIsPaintedOnlyOnceRestored) {
    ShowWindow(top, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(top));
    EXPECT_EQ(g_last_size.wParam, SIZE_MINIMIZED);
    InvalidateRect(top, nullptr, FALSE);
    MSG m;
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE)) << "a minimized window shows nothing to paint";
    ShowWindow(top, SW_SHOW);
    EXPECT_TRUE(IsIconic(top)) << "shown as it is";

    ShowWindow(top, SW_RESTORE);
    EXPECT_FALSE(IsIconic(top));
    RECT client;
    GetClientRect(top, &client);
    EXPECT_EQ(g_last_size.wParam, SIZE_RESTORED);
    EXPECT_EQ(g_last_size.lParam, MAKELPARAM(client.right, client.bottom));
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, WM_PAINT);
}

TEST_F(Queue, PointerMessagesGoToTheChildUnderThePointerInItsOwnCoordinatesOrToTheCaptureHolder) {
    HWND child =
        CreateWindowExA(0, "QueueTest", "", WS_CHILD | WS_VISIBLE, 40, 30, 50, 20, top, nullptr, nullptr, nullptr);
    ASSERT_NE(child, nullptr);
    win32::testing::FlushMessages();
    win32::testing::InjectMouseButton(WM_LBUTTONDOWN, 45, 35);
    MSG m = take();
    EXPECT_EQ(m.hwnd, child);
    EXPECT_EQ(m.lParam, MAKELPARAM(5, 5));
    win32::testing::InjectMouseButton(WM_LBUTTONDOWN, 10, 10);
    EXPECT_EQ(take().hwnd, top);

    SetCapture(child);
    win32::testing::InjectMouseButton(WM_LBUTTONUP, 10, 10);
    m = take();
    EXPECT_EQ(m.hwnd, child);
    EXPECT_EQ(m.lParam, MAKELPARAM(-30, -20));  // (10, 10) in the child at (40, 30)
    ReleaseCapture();
}

TEST_F(Queue, ClientPointsMapToTheScreenThroughTheEmulatedCaptionAndFrame) {
    POINT p{0, 0};
    ASSERT_TRUE(ClientToScreen(top, &p));
    EXPECT_EQ(p.x, 100 + GetSystemMetrics(SM_CXFIXEDFRAME));
    EXPECT_EQ(p.y, 50 + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFIXEDFRAME));
    HWND child = CreateWindowExA(0, "QueueTest", "", WS_CHILD, 7, 9, 5, 5, top, nullptr, nullptr, nullptr);
    POINT q[2] = {{1, 2}, {3, 4}};
    const int offset = MapWindowPoints(child, top, q, 2);
    EXPECT_EQ(q[0].x, 8);
    EXPECT_EQ(q[1].y, 13);
    EXPECT_EQ(offset, MAKELPARAM(7, 9));
    POINT s{0, 0};
    MapWindowPoints(child, nullptr, &s, 1);
    EXPECT_EQ(s.x, p.x + 7);
    EXPECT_EQ(s.y, p.y + 9);
    EXPECT_EQ(MapWindowPoints(reinterpret_cast<HWND>(uintptr_t(12345)), top, q, 1), 0);
}

}  // namespace
