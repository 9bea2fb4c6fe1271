// The window procedure's input state, driven through the real message queue.
#include <gtest/gtest.h>

#include "corvala/Corvala.h"
#include "platform/testing.h"
#include "tests/support/window.h"

using namespace corvala;
using namespace win32;

namespace {

class InputState : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::EnsureWindow();
        testsupport::ResetInput();
        ACTIVE = true;
    }
    // Posts one message and lets SETGLMSG take it.
    void deliver(UINT msg, WPARAM wp, LPARAM lp) {
        ASSERT_TRUE(PostMessageA(HWINDOW, msg, wp, lp));
        SETGLMSG();
    }
};

TEST_F(InputState, EscapeEndsTheRunInTheSameCallButKeepsTheWindowAndTheKeyTable) {
    PostMessageA(HWINDOW, WM_KEYDOWN, VK_ESCAPE, 0);
    SETGLMSG();
    EXPECT_FALSE(ACTIVE);
    EXPECT_EQ(SETKEY[VK_ESCAPE], 0);
    EXPECT_TRUE(IsWindow(HWINDOW));
}

TEST_F(InputState, KeysAreHeldAsAllBitsSetUntilReleased) {
    deliver(WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(SETKEY['A'], -1);
    EXPECT_TRUE(ACTIVE);
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(m.message, WM_CHAR) << "translation posts the character, as on Windows";
    EXPECT_EQ(m.wParam, WPARAM('a'));
    SETGLMSG();
    deliver(WM_KEYUP, 'A', 0);
    EXPECT_EQ(SETKEY['A'], 0);
}

TEST_F(InputState, KeyCodesBeyondTheTableAreIgnored) {
    deliver(WM_KEYDOWN, 501, 0);
    deliver(WM_KEYDOWN, 70000, 0);
    deliver(WM_KEYUP, 1000000, 0);
    for (int i = 0; i <= 500; ++i) EXPECT_EQ(SETKEY[i], 0) << i;
}

TEST_F(InputState, PressRecordsThePositionAndReleaseResetsItToTheOrigin) {
    deliver(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(123, 456));
    EXPECT_TRUE(LEFTMOUSEDOWN);
    EXPECT_TRUE(LEFTMOUSEDOWN2);
    EXPECT_EQ(SETMX, 123);
    EXPECT_EQ(SETMY, 456);
    EXPECT_EQ(GetCapture(), HWINDOW);
    deliver(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 300));
    EXPECT_EQ(SETMX, 123) << "moving while held does not move the click position";
    EXPECT_EQ(SETOMX, 200);
    EXPECT_EQ(SETOMY, 300);
    deliver(WM_LBUTTONUP, 0, MAKELPARAM(200, 300));
    EXPECT_FALSE(LEFTMOUSEDOWN);
    EXPECT_FALSE(LEFTMOUSEDOWN2);
    EXPECT_EQ(SETMX, 0);
    EXPECT_EQ(SETMY, 0);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(InputState, PointerCoordinatesAreTheUnsignedHalvesOfLparam) {
    deliver(WM_MOUSEMOVE, 0, MAKELPARAM(-1, -2));  // a captured pointer left of and above the window
    EXPECT_EQ(SETOMX, 65535);
    EXPECT_EQ(SETOMY, 65534);
}

TEST_F(InputState, EachSetglmsgHandlesExactlyOneMessage) {
    PostMessageA(HWINDOW, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    PostMessageA(HWINDOW, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6));
    PostMessageA(HWINDOW, WM_LBUTTONUP, 0, MAKELPARAM(5, 6));
    SETGLMSG();
    EXPECT_EQ(SETOMX, 1);
    EXPECT_FALSE(LEFTMOUSEDOWN);
    SETGLMSG();
    EXPECT_TRUE(LEFTMOUSEDOWN) << "the press is seen by at least one frame";
    SETGLMSG();
    EXPECT_FALSE(LEFTMOUSEDOWN);
    win32::testing::FlushMessages();
    SETGLMSG();  // nothing pending: returns at once
    EXPECT_FALSE(LEFTMOUSEDOWN);
}

TEST_F(InputState, DragsDoNothingWithTheDefaultGain) {
    deliver(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
    deliver(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(140, 60));
    deliver(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(140, 60));
    deliver(WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(10, 300));
    EXPECT_EQ(XROT, 0.0f);
    EXPECT_EQ(YROT, 0.0f);
    EXPECT_EQ(XROT2, 0.0f);
    EXPECT_EQ(YROT2, 0.0f);
    EXPECT_EQ(DEPTH, 0.0f);
    EXPECT_EQ(DEPTH2, 0.0f);
}

TEST_F(InputState, LeftDragTurnsVerticalMovementIntoXrotAndHorizontalIntoYrot) {
    MSPEED = 3;
    deliver(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
    deliver(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(105, 90));  // dx = 5, dy = -10
    EXPECT_FLOAT_EQ(XROT, -10 / 2.0f * 3);
    EXPECT_FLOAT_EQ(YROT, 5 / 2.0f * 3);
    EXPECT_FLOAT_EQ(XROT2, XROT);
    EXPECT_FLOAT_EQ(YROT2, YROT);
    deliver(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(106, 90));  // the anchor moved with the pointer
    EXPECT_FLOAT_EQ(YROT, 5 / 2.0f * 3 + 1 / 2.0f * 3);
    EXPECT_EQ(XCOORD, 106);
    deliver(WM_LBUTTONUP, 0, MAKELPARAM(106, 90));
    EXPECT_EQ(XCOORD, 0);
    EXPECT_EQ(YCOORD, 0);
}

TEST_F(InputState, RightDragDownDecreasesDepth) {
    MSPEED = 2;
    deliver(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(50, 50));
    EXPECT_TRUE(RIGHTMOUSEDOWN);
    deliver(WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(50, 75));
    EXPECT_FLOAT_EQ(DEPTH, -25 / 10.0f * 2);
    EXPECT_FLOAT_EQ(DEPTH2, DEPTH);
    EXPECT_EQ(ZCOORD, 75);
    deliver(WM_RBUTTONUP, 0, MAKELPARAM(50, 75));
    EXPECT_FALSE(RIGHTMOUSEDOWN);
    EXPECT_FALSE(RIGHTMOUSEDOWN2);
}

TEST_F(InputState, MouseLookClampsYrotToSixtyAndEndsOnAnyKeyRelease) {
    ASSERT_TRUE(SetForegroundWindow(HWINDOW));
    MSPEED = 1000;
    MOUSEFREE = true;
    // The pointer is re-centred at (WIDTH/2, HEIGHT/2) on the screen after every move. The warps make
    // pointer events of their own, so the moves go straight to the window procedure here.
    for (int i = 0; i < 3; ++i) {
        SetCursorPos(WIDTH / 2 + 7, HEIGHT / 2 - 20);
        SendMessageA(HWINDOW, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
        EXPECT_GE(YROT, -60.0f);
        EXPECT_LE(YROT, 60.0f);
        EXPECT_GE(YROT2, -60.0f);
        EXPECT_LE(YROT2, 60.0f);
    }
    EXPECT_EQ(YROT, -60.0f);
    EXPECT_EQ(YROT2, -60.0f);
    EXPECT_FLOAT_EQ(XROT, 3 * 7 / 100.0f * 1000) << "XROT is not bounded";
    POINT p;
    GetCursorPos(&p);
    EXPECT_EQ(p.x, WIDTH / 2);
    EXPECT_EQ(p.y, HEIGHT / 2);
    deliver(WM_KEYUP, 'Q', 0);
    EXPECT_FALSE(MOUSEFREE);
}

TEST_F(InputState, MouseLookAndLeftDragAddUpOnOneMove) {
    ASSERT_TRUE(SetForegroundWindow(HWINDOW));
    MSPEED = 1;
    SendMessageA(HWINDOW, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
    MOUSEFREE = true;
    SetCursorPos(WIDTH / 2 + 50, HEIGHT / 2);
    SendMessageA(HWINDOW, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, 120));
    EXPECT_FLOAT_EQ(XROT, 20 / 2.0f + 50 / 100.0f);
    MOUSEFREE = false;
}

TEST_F(InputState, CommandsReachTheHookOnlyWithAMenuBar) {
    static int calls = 0;
    calls = 0;
    GETINPUTCOMMAND = [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return ++calls; };
    deliver(WM_COMMAND, 7, 0);
    EXPECT_EQ(calls, 0);
    SHOWMENUBAR = true;
    deliver(WM_COMMAND, 7, 0);
    EXPECT_EQ(calls, 1);
    SHOWMENUBAR = false;
    GETINPUTCOMMAND = nullptr;
}

}  // namespace
