// The platform's message queue as the framework relies on it.
#include <gtest/gtest.h>

#include "corvala/Corvala.h"
#include "platform/testing.h"
#include "tests/support/window.h"

using namespace corvala;
using namespace win32;

namespace {

using testsupport::PushMouseButton;
using testsupport::PushMouseMotion;

class Queue : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::EnsureWindow();
        testsupport::ResetInput();
        ACTIVE = true;
    }
};

TEST_F(Queue, ABacklogOfMovesBecomesOneMessageWithTheLatestPosition) {
    for (int i = 0; i < 20; ++i) PushMouseMotion(10 + i, 20 + i);
    EXPECT_EQ(win32::testing::QueuedMessages(), 1);
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(m.message, WM_MOUSEMOVE);
    EXPECT_EQ(LOWORD(m.lParam), 29);
    EXPECT_EQ(HIWORD(m.lParam), 39);
}

TEST_F(Queue, APressIsNeverStuckBehindMoves) {
    for (int i = 0; i < 10; ++i) PushMouseMotion(i, i);
    PushMouseButton(true, 50, 60);
    for (int i = 0; i < 10; ++i) PushMouseMotion(100 + i, 100);
    EXPECT_EQ(win32::testing::QueuedMessages(), 3);
    SETGLMSG();
    SETGLMSG();
    EXPECT_TRUE(LEFTMOUSEDOWN) << "the press is the second message";
    EXPECT_EQ(SETMX, 50);
    EXPECT_EQ(SETMY, 60);
    SETGLMSG();
    EXPECT_EQ(SETOMX, 109);
}

TEST_F(Queue, PostedMessagesComeOutInOrderAndSendIsImmediate) {
    PostMessageA(HWINDOW, WM_USER + 1, 1, 0);
    PostMessageA(HWINDOW, WM_USER + 2, 2, 0);
    MSG m;
    ASSERT_TRUE(GetMessageA(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, WM_USER + 1u);
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, WM_USER + 2u);
    SendMessageA(HWINDOW, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4));
    EXPECT_TRUE(LEFTMOUSEDOWN);
    SendMessageA(HWINDOW, WM_LBUTTONUP, 0, 0);
}

TEST_F(Queue, TheQuitMessageComesAfterEverythingElseAndEndsGetMessage) {
    PostQuitMessage(3);
    PostMessageA(HWINDOW, WM_USER, 0, 0);
    MSG m;
    EXPECT_TRUE(GetMessageA(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, WM_USER);
    EXPECT_FALSE(GetMessageA(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, WM_QUIT);
    EXPECT_EQ(m.wParam, 3u);
}

TEST_F(Queue, PaintIsOfferedOnlyWhenNothingElseIsQueuedAndGoesAwayOncePainted) {
    InvalidateRect(HWINDOW, nullptr, FALSE);
    PostMessageA(HWINDOW, WM_USER, 0, 0);
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(m.message, WM_USER);
    SETGLMSG();
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(m.message, WM_PAINT);
    SETGLMSG();  // the window procedure validates the window
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE));
}

}  // namespace
