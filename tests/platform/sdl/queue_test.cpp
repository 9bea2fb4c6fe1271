// The message queue as the framework relies on it, fed by the SDL backend from SDL's own events.
#include <gtest/gtest.h>

#include "corvala/Corvala.h"
#include "platform/testing.h"
#include "tests/platform/sdl/sdl_events.h"
#include "tests/support/window.h"

using namespace corvala;
using namespace win32;

namespace {

using sdltest::PushMouseButton;
using sdltest::PushMouseMotion;

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

#include "platform/sdl/sdl.h"

namespace {

using sdltest::PushKey;
using sdltest::PushText;
using sdltest::PushWheel;

// Takes the next queued message without handling it.
MSG Take() {
    MSG m{};
    EXPECT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    return m;
}

TEST_F(Queue, AutoRepeatsRaiseTheQueuedKeyDownsCountSoAClickIsTakenRightAfterTheKeyAndItsCharacter) {
    PushKey(true, SDL_SCANCODE_A, SDLK_a);
    PushText("a");
    for (int i = 0; i < 40; ++i) {
        PushKey(true, SDL_SCANCODE_A, SDLK_a, true);
        PushText("a");
    }
    PushMouseButton(true, 50, 60);
    EXPECT_EQ(win32::testing::QueuedMessages(), 2);
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(m.message, WM_KEYDOWN);
    EXPECT_EQ(m.wParam, WPARAM('A'));
    EXPECT_EQ(m.lParam & 0xFFFF, 41) << "the press and its 40 repeats";
    EXPECT_TRUE(m.lParam & (LPARAM(1) << 30)) << "the key was already down";
    SETGLMSG();
    EXPECT_EQ(SETKEY['A'], -1);
    // One character for the one key-down message, however many repeats it counts; posted, it is taken
    // before the input queued behind the key, as on Windows.
    SETGLMSG();
    EXPECT_EQ(MSG_.message, WM_CHAR);
    SETGLMSG();
    EXPECT_TRUE(LEFTMOUSEDOWN) << "the click is the third message taken";
    EXPECT_FALSE(PeekMessageA(&m, nullptr, WM_CHAR, WM_CHAR, PM_REMOVE));
    // Once taken, the next repeat queues a message of its own.
    PushKey(true, SDL_SCANCODE_A, SDLK_a, true);
    PushText("a");
    m = Take();
    EXPECT_EQ(m.message, WM_KEYDOWN);
    EXPECT_EQ(m.lParam & 0xFFFF, 1);
}

TEST_F(Queue, KeysArriveWithWindowsCodesByPositionAndEveryOtherKeyStillArrives) {
    struct Case {
        int scancode, keycode, vk;
        UINT down;
    } cases[] = {
        {SDL_SCANCODE_LGUI, SDLK_LGUI, VK_LWIN, WM_KEYDOWN},
        {SDL_SCANCODE_APPLICATION, SDLK_APPLICATION, VK_APPS, WM_KEYDOWN},
        {SDL_SCANCODE_PRINTSCREEN, SDLK_PRINTSCREEN, VK_SNAPSHOT, WM_KEYDOWN},
        {SDL_SCANCODE_PAUSE, SDLK_PAUSE, VK_PAUSE, WM_KEYDOWN},
        {SDL_SCANCODE_SCROLLLOCK, SDLK_SCROLLLOCK, VK_SCROLL, WM_KEYDOWN},
        {SDL_SCANCODE_NUMLOCKCLEAR, SDLK_NUMLOCKCLEAR, VK_NUMLOCK, WM_KEYDOWN},
        {SDL_SCANCODE_KP_5, SDLK_KP_5, VK_NUMPAD0 + 5, WM_KEYDOWN},
        {SDL_SCANCODE_KP_DIVIDE, SDLK_KP_DIVIDE, VK_DIVIDE, WM_KEYDOWN},
        {SDL_SCANCODE_F13, SDLK_F13, VK_F13, WM_KEYDOWN},
        {SDL_SCANCODE_F24, SDLK_F24, VK_F13 + 11, WM_KEYDOWN},
        {SDL_SCANCODE_F10, SDLK_F10, VK_F10, WM_SYSKEYDOWN},     // the menu key of Windows
        {SDL_SCANCODE_SEMICOLON, 0xF6, VK_OEM_1, WM_KEYDOWN},    // 'ö' on a German layout
        {SDL_SCANCODE_LEFTBRACKET, 0xE8, VK_OEM_4, WM_KEYDOWN},  // 'è' on an Italian layout
        {SDL_SCANCODE_NONUSBACKSLASH, '<', VK_OEM_102, WM_KEYDOWN},
        {SDL_SCANCODE_Q, SDLK_a, 'A', WM_KEYDOWN},  // AZERTY: letters follow the layout
        {SDL_SCANCODE_1, '&', '1', WM_KEYDOWN},     // ... digits their position
        {SDL_SCANCODE_A, 0x444, 'A', WM_KEYDOWN},   // a Cyrillic layout
        {SDL_SCANCODE_INTERNATIONAL1, 0, win32::sdl::kFirstPositionalKey + SDL_SCANCODE_INTERNATIONAL1, WM_KEYDOWN},
        {SDL_SCANCODE_AUDIONEXT, SDLK_AUDIONEXT, win32::sdl::kLastPositionalKey, WM_KEYDOWN},
    };
    for (const Case& c : cases) {
        PushKey(true, c.scancode, c.keycode);
        PushKey(false, c.scancode, c.keycode);
        const MSG down = Take(), up = Take();
        EXPECT_EQ(down.message, c.down) << "scancode " << c.scancode;
        EXPECT_EQ(down.wParam, WPARAM(c.vk)) << "scancode " << c.scancode;
        EXPECT_EQ(up.message, c.down + 1) << "scancode " << c.scancode;
        EXPECT_EQ(up.wParam, WPARAM(c.vk)) << "scancode " << c.scancode;
    }
    // A key Windows has no code for still sets the key table and ends mouse-look on release.
    PushKey(true, SDL_SCANCODE_INTERNATIONAL1, 0);
    SETGLMSG();
    EXPECT_EQ(SETKEY[win32::sdl::kFirstPositionalKey + SDL_SCANCODE_INTERNATIONAL1], -1);
    MOUSEFREE = true;
    PushKey(false, SDL_SCANCODE_INTERNATIONAL1, 0);
    SETGLMSG();
    EXPECT_EQ(SETKEY[win32::sdl::kFirstPositionalKey + SDL_SCANCODE_INTERNATIONAL1], 0);
    EXPECT_FALSE(MOUSEFREE);
}

TEST_F(Queue, MouseMessagesCarryTheButtonsOfTheirOwnMoment) {
    // One batch: press, drag, release, move on. Each message tells the buttons as they were then.
    PushMouseButton(true, 10, 10);
    PushMouseMotion(20, 20, SDL_BUTTON_LMASK);
    PushMouseButton(false, 30, 30);
    PushMouseMotion(40, 40, 0);
    PushMouseButton(true, 40, 40, SDL_BUTTON_RIGHT);
    const UINT want[] = {WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP, WM_MOUSEMOVE, WM_RBUTTONDOWN};
    const WPARAM keys[] = {MK_LBUTTON, MK_LBUTTON, 0, 0, MK_RBUTTON};
    for (int i = 0; i < 5; ++i) {
        const MSG m = Take();
        EXPECT_EQ(m.message, want[i]) << i;
        EXPECT_EQ(m.wParam, keys[i]) << i;
    }
    PushMouseButton(false, 40, 40, SDL_BUTTON_RIGHT);
    win32::testing::FlushMessages();
}

// Takes one message a frame, as the framework's loop does, until none is left; what came as WM_CHAR.
std::string CharactersOfOneMessageAFrame() {
    std::string got;
    for (int frame = 0; frame < 100 && win32::testing::QueuedMessages() > 0; ++frame) {
        SETGLMSG();
        if (MSG_.message == WM_CHAR) got += char(MSG_.wParam);
    }
    return got;
}

TEST_F(Queue, TypedCharactersAreTheLayoutsInTheProgramsCodePageWithTheModifiersOfTheirOwnKey) {
    // All of it arrives before the first message is taken: Shift is up again long before 'H' is translated.
    const auto type = [](int scancode, int keycode, const char* text, int mods = 0) {
        PushKey(true, scancode, keycode, false, mods);
        if (text) PushText(text);
        PushKey(false, scancode, keycode, false, mods);
    };
    PushKey(true, SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, false, KMOD_LSHIFT);
    type(SDL_SCANCODE_H, SDLK_h, "H", KMOD_LSHIFT);
    PushKey(false, SDL_SCANCODE_LSHIFT, SDLK_LSHIFT);
    type(SDL_SCANCODE_I, SDLK_i, "i");
    type(SDL_SCANCODE_1, SDLK_1, "!", KMOD_LSHIFT);
    type(SDL_SCANCODE_2, 0xE9, "\xC3\xA9");                   // 'é' on a French layout
    type(SDL_SCANCODE_E, SDLK_e, "\xE2\x82\xAC", KMOD_MODE);  // AltGr+E: the euro sign, 0x80 in Windows-1252
    type(SDL_SCANCODE_A, 0x444, "\xD1\x84");                  // Cyrillic: Windows-1252's default character
    PushText("\xC3\xA8");                                     // a key SDL has no code for: text alone
    type(SDL_SCANCODE_RETURN, SDLK_RETURN, nullptr);          // no text from SDL; Windows types CR
    type(SDL_SCANCODE_C, SDLK_c, nullptr, KMOD_LCTRL);        // Ctrl+C: ETX
    type(SDL_SCANCODE_LEFT, SDLK_LEFT, nullptr);
    EXPECT_EQ(CharactersOfOneMessageAFrame(), "Hi!\xE9\x80?\xE8\r\x03");
}

TEST_F(Queue, WheelNotchesComeAsWheelDeltasWithTheKeysAndThePointerOnScreenToTheWindowUnderIt) {
    POINT origin{0, 0};
    ClientToScreen(HWINDOW, &origin);
    PushKey(true, SDL_SCANCODE_LCTRL, SDLK_LCTRL, false, KMOD_LCTRL);
    PushWheel(1, 30, 40);
    PushWheel(-2, 31, 41);
    const MSG key = Take(), forward = Take(), back = Take();
    EXPECT_EQ(key.message, WM_KEYDOWN);
    for (const MSG& m : {forward, back}) {
        EXPECT_EQ(m.message, UINT(WM_MOUSEWHEEL));
        EXPECT_EQ(m.hwnd, HWINDOW);
        EXPECT_EQ(GET_KEYSTATE_WPARAM(m.wParam), MK_CONTROL);
    }
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(forward.wParam), WHEEL_DELTA);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(back.wParam), -2 * WHEEL_DELTA);
    EXPECT_EQ(forward.lParam, MAKELPARAM(origin.x + 30, origin.y + 40));
    EXPECT_EQ(back.lParam, MAKELPARAM(origin.x + 31, origin.y + 41));
    PushKey(false, SDL_SCANCODE_LCTRL, SDLK_LCTRL);
    win32::testing::FlushMessages();
}

int g_menus = 0;

TEST_F(Queue, TheContextMenuComesFromARightClickShiftF10AndTheMenuKey) {
    SHOWMENUBAR = true;
    CREATEMOUSEMENU = [] { ++g_menus; };
    g_menus = 0;
    PushMouseButton(true, 100, 120, SDL_BUTTON_RIGHT);
    PushMouseButton(false, 100, 120, SDL_BUTTON_RIGHT);
    SETGLMSG();
    SETGLMSG();
    EXPECT_EQ(g_menus, 1) << "right click in the client area";
    // Released outside the client area (the press captured the pointer): no menu.
    PushMouseButton(true, 100, 120, SDL_BUTTON_RIGHT);
    PushMouseButton(false, 100, 900, SDL_BUTTON_RIGHT);
    SETGLMSG();
    SETGLMSG();
    EXPECT_EQ(g_menus, 1);
    PushKey(true, SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, false, KMOD_LSHIFT);
    PushKey(true, SDL_SCANCODE_F10, SDLK_F10, false, KMOD_LSHIFT);
    SETGLMSG();
    SETGLMSG();
    EXPECT_EQ(g_menus, 2) << "Shift+F10";
    PushKey(false, SDL_SCANCODE_F10, SDLK_F10, false, KMOD_LSHIFT);
    PushKey(false, SDL_SCANCODE_LSHIFT, SDLK_LSHIFT);
    PushKey(true, SDL_SCANCODE_F10, SDLK_F10);
    PushKey(true, SDL_SCANCODE_APPLICATION, SDLK_APPLICATION);
    PushKey(false, SDL_SCANCODE_APPLICATION, SDLK_APPLICATION);
    for (int i = 0; i < 5; ++i) SETGLMSG();
    EXPECT_EQ(g_menus, 3) << "F10 alone is no menu request; the menu key is";
    // Without SHOWMENUBAR the framework shows no menu.
    SHOWMENUBAR = false;
    PushMouseButton(true, 100, 120, SDL_BUTTON_RIGHT);
    PushMouseButton(false, 100, 120, SDL_BUTTON_RIGHT);
    SETGLMSG();
    SETGLMSG();
    EXPECT_EQ(g_menus, 3);
    CREATEMOUSEMENU = nullptr;
}

}  // namespace
