// Creating, placing, closing and failing to create the framework window.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "corvala/Corvala.h"
#include "platform/gl/gl.h"
#include "platform/testing.h"
#include "tests/support/systems.h"
#include "tests/support/window.h"
#include "tests/support/x_display.h"

using namespace corvala;
using namespace win32;

namespace {

TEST(WindowLifecycle, CreationLeavesAVisibleActiveWindowWithACurrentContext) {
    testsupport::EnsureWindow();
    EXPECT_TRUE(IsWindow(HWINDOW));
    EXPECT_NE(DCWINDOW, nullptr);
    EXPECT_NE(RCWINDOW, nullptr);
    EXPECT_EQ(wglGetCurrentContext(), RCWINDOW);
    EXPECT_TRUE(ACTIVE);
    EXPECT_EQ(WIDTH, 800);
    EXPECT_EQ(HEIGHT, 600);
    RECT client;
    ASSERT_TRUE(GetClientRect(HWINDOW, &client));
    // A captioned window that cannot be resized: the caption and two fixed frames come off the outer size.
    EXPECT_EQ(client.right, 800 - 2 * GetSystemMetrics(SM_CXFIXEDFRAME));
    EXPECT_EQ(client.bottom, 600 - GetSystemMetrics(SM_CYCAPTION) - 2 * GetSystemMetrics(SM_CYFIXEDFRAME));
}

TEST(WindowLifecycle, TheImageButtonClassIsRegisteredAlongsideTheMainClass) {
    testsupport::EnsureWindow();
    WNDCLASSEXA wc;
    // Without a module handle only the system's classes are found.
    EXPECT_FALSE(GetClassInfoExA(nullptr, "GLWindow", &wc));
    const HINSTANCE module = GetModuleHandleA(nullptr);
    ASSERT_TRUE(GetClassInfoExA(module, "IMAGEBUTTON", &wc));
    EXPECT_EQ(wc.lpfnWndProc, HOVERBUTTONHANDLER);
    EXPECT_EQ(WINDOWCLASSEX.cbSize, sizeof(WNDCLASSEXA));
    ASSERT_TRUE(GetClassInfoExA(module, "GLWindow", &wc));
    EXPECT_EQ(wc.lpfnWndProc, GLWNDPROC);
    EXPECT_EQ(wc.style, CS_VREDRAW | CS_HREDRAW);
}

TEST(WindowLifecycle, PositionWindowMakesAnEightHundredBySixHundredWindow799Wide) {
    testsupport::EnsureWindow();
    POSITIONWINDOW(40, 30);
    RECT r;
    ASSERT_TRUE(GetWindowRect(HWINDOW, &r));
    EXPECT_EQ(r.right - r.left, 799);
    EXPECT_EQ(r.bottom - r.top, 600);
    EXPECT_EQ(GetForegroundWindow(), HWINDOW) << "SetWindowPos with no flags activates the window";
}

TEST(WindowLifecycle, ThePixelFormatRequestGetsTheClosestFormatNotAFailure) {
    testsupport::EnsureWindow();
    PIXELFORMATDESCRIPTOR want{};
    want.nSize = 40;
    want.nVersion = 1;
    want.dwFlags = 0x1067;  // double buffer, stereo, OpenGL, window, generic
    want.cColorBits = want.cAlphaBits = want.cAccumBits = want.cDepthBits = want.cStencilBits = 32;
    want.cAuxBuffers = 32;
    want.iLayerType = 1;
    const int format = ChoosePixelFormat(DCWINDOW, &want);
    ASSERT_NE(format, 0);
    PIXELFORMATDESCRIPTOR got{};
    ASSERT_NE(DescribePixelFormat(DCWINDOW, format, sizeof got, &got), 0);
    EXPECT_TRUE(got.dwFlags & PFD_DOUBLEBUFFER);
    EXPECT_TRUE(got.dwFlags & PFD_SUPPORT_OPENGL);
    EXPECT_FALSE(got.dwFlags & PFD_STEREO);
    EXPECT_EQ(got.iPixelType, PFD_TYPE_RGBA);
    EXPECT_GE(got.cDepthBits, 16);
    EXPECT_EQ(got.cAuxBuffers, 0);
}

TEST(WindowLifecycle, TheCloseBoxDestroysTheWindowDuringSetglmsg) {
    testsupport::EnsureWindow();
    testsupport::ResetInput();
    ACTIVE = true;
    PostMessageA(HWINDOW, WM_CLOSE, 0, 0);
    SETGLMSG();
    EXPECT_FALSE(ACTIVE);
    EXPECT_FALSE(IsWindow(HWINDOW));
    // As on Windows, the context lives until it is deleted: the rest of the frame draws into it.
    EXPECT_EQ(wglGetCurrentContext(), RCWINDOW);
    ASSERT_NE(glGetString(GL_VERSION), nullptr) << "no current GL context after the close box";
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    EXPECT_EQ(testsupport::ReadPixel(10, 10), 0x0000FFu);
    // Only the swap of a destroyed window fails.
    EXPECT_FALSE(SwapBuffers(DCWINDOW));
    DELETEOGLWINDOW();  // what the program does after the loop: must not fail on a destroyed window
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
}

TEST(WindowLifecycle, TeardownReleasesContextAndWindow) {
    testsupport::EnsureWindow();
    const HWND w = HWINDOW;
    DELETEOGLWINDOW();
    EXPECT_FALSE(IsWindow(w));
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    testsupport::EnsureWindow();  // a later test gets a fresh one
    EXPECT_TRUE(IsWindow(HWINDOW));
}

TEST(WindowLifecycle, VsyncThatDoesNotWaitGivesWayToTheFrameworksOwnPacingAtAboutSixty) {
    testsupport::EnsureWindow();
    // A driver that accepts the swap interval and never waits, as software drivers do.
    win32::testing::AcceptSwapIntervalAnyway(true);
    SetFramePacing(PaceMode::Display);
    EXPECT_EQ(FramePacingInUse().swap_interval, 1);
    const auto present = [] {
        SwapBuffers(DCWINDOW);
        PaceFrame();
    };
    for (int i = 0; i < 31 && FramePacingInUse().swap_interval; ++i) present();
    EXPECT_EQ(FramePacingInUse().swap_interval, 0) << "frames came back far faster than the interval allows";
    // A behaviour check, not a timing one: the timer now holds the rate near 60.
    const DWORD start = GetTickCount();
    for (int i = 0; i < 30; ++i) present();
    const double fps = 30.0 * 1000.0 / double(std::max<DWORD>(1, GetTickCount() - start));
    EXPECT_TRUE(fps > 40 && fps < 80) << fps << " frames a second";
    win32::testing::AcceptSwapIntervalAnyway(false);
    SetFramePacing(PaceMode::Unpaced);
}

TEST(WindowLifecycle, MinimizedTheFrameWaitsForAMessageAndLeavesItForTheNextTurnsSetglmsg) {
    testsupport::EnsureWindow();
    testsupport::ResetInput();
    ShowWindow(HWINDOW, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(HWINDOW));
    PostMessageA(HWINDOW, WM_USER, 7, 0);
    PaceFrame();
    MSG m;
    EXPECT_TRUE(PeekMessageA(&m, HWINDOW, WM_USER, WM_USER, PM_REMOVE)) << "the wait took the message";
    ShowWindow(HWINDOW, SW_RESTORE);
    EXPECT_FALSE(IsIconic(HWINDOW));
    testsupport::ResetInput();
}

#ifdef _WIN32
// Restored later from another thread, as the taskbar restores it: the frame waits until then. (The
// stand-in's queue belongs to one thread; test_platform_sdl restores it through SDL's events instead.)
TEST(WindowLifecycle, MinimizedTheFrameWaitsUntilTheWindowIsRestored) {
    testsupport::EnsureWindow();
    ShowWindow(HWINDOW, SW_MINIMIZE);
    testsupport::ResetInput();
    MSG m;
    // What minimizing left queued (Wine paints the minimized window once) is taken as the loop would.
    for (int turn = 0; turn < 100 && PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE); ++turn) SETGLMSG();
    std::atomic<bool> restoring{false};
    std::thread taskbar([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        restoring = true;
        ShowWindowAsync(HWINDOW, SW_RESTORE);
    });
    PaceFrame();
    const bool waited = restoring;
    taskbar.join();
    EXPECT_TRUE(waited) << "the next frame came while the window was still minimized";
    while (IsIconic(HWINDOW) && PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE)) {}  // takes what was sent
    EXPECT_FALSE(IsIconic(HWINDOW));
    testsupport::ResetInput();
}
#endif

TEST(WindowLifecycle, ASecondCreationEndsWithTheRegistrationMessage) {
    EXPECT_EXIT(
        {
            testsupport::EnsureWindow();
            CREATEOGLWINDOW("again", 800, 600, 32, false);
        },
        ::testing::ExitedWithCode(1), "Errore di registro per la rispettiva applicazione!");
}

#ifndef _WIN32  // a display to be without is the X server's
TEST(WindowLifecycle, NoDisplayEndsWithTheWindowMessageAndWhyOnceAndExitCodeOne) {
    // The whole of standard error: one line, the message and its reason, nothing from the probes before.
    EXPECT_EXIT(
        {
            unsetenv("DISPLAY");
            unsetenv("WAYLAND_DISPLAY");
            win32::testing::RecordMessageBoxes(false);
            win32::testing::ResetClasses();
            OGLWINDOWSETTING(ARROW, "", FILEICON, "Wobblefin.ico");
            CREATEOGLWINDOW("nowhere", 800, 600, 32, false);
        },
        ::testing::ExitedWithCode(1),
        "^Error: Impossibile creare la finestra per la rispettiva applicazione! \\(no display: DISPLAY is not "
        "set\\)\n$");
    EXPECT_EXIT(
        {
            unsetenv("DISPLAY");
            win32::testing::RecordMessageBoxes(false);
            TEXTURESELECTID(501);
        },
        ::testing::ExitedWithCode(1), "^Error: BMP texture slot 501 is outside 0\\.\\.500\n$");
}

TEST(WindowLifecycle, AnUnreachableDisplayEndsWithTheWindowMessageNamingItOnce) {
    // The whole of standard error: no second copy from a box that cannot be shown, no driver SDL fell back
    // to, nothing from Wayland's probe about its runtime folder.
    const std::string display = testsupport::UnusedXDisplay(77);
    EXPECT_EXIT(
        {
            setenv("DISPLAY", display.c_str(), 1);
            unsetenv("WAYLAND_DISPLAY");
            unsetenv("XDG_RUNTIME_DIR");
            win32::testing::RecordMessageBoxes(false);
            win32::testing::ResetClasses();
            CREATEOGLWINDOW("unreachable", 800, 600, 32, false);
        },
        ::testing::ExitedWithCode(1),
        "^Error: Impossibile creare la finestra per la rispettiva applicazione! \\(cannot open display \"" + display +
            "\"\\)\n$");
}
#endif

TEST(WindowLifecycle, NoPixelFormatOrContextEndsWithTheInitialisationMessage) {
    SKIP_ON_WINDOWS("a system without OpenGL is staged by the stand-in's switches");
    EXPECT_EXIT(
        {
            win32::testing::ResetClasses();
            win32::testing::RefusePixelFormats(true);
            CREATEOGLWINDOW("no format", 800, 600, 32, false);
        },
        ::testing::ExitedWithCode(1), "la rispettiva applicazione non \xC3\xA8 stata inizilizata!");
    EXPECT_EXIT(
        {
            win32::testing::ResetClasses();
            win32::testing::RefuseContexts(true);
            CREATEOGLWINDOW("no context", 800, 600, 32, false);
        },
        ::testing::ExitedWithCode(1), "la rispettiva applicazione non \xC3\xA8 stata inizilizata!");
}

TEST(WindowLifecycle, FatalMessagesShowABoxCaptionedError) {
    win32::testing::ClearRecordedBoxes();
    if (testsupport::kStandIn) {  // a refused context is staged by the stand-in's switches
        EXPECT_EXIT(
            {
                win32::testing::ResetClasses();
                win32::testing::RefuseContexts(true);
                win32::testing::RecordMessageBoxes(true);
                CREATEOGLWINDOW("no context", 800, 600, 32, false);
            },
            ::testing::ExitedWithCode(1), "");
    }
    // The box itself is checked in-process: THROWERROR records it before ending the program.
    EXPECT_EXIT(
        {
            win32::testing::RecordMessageBoxes(true);
            atexit([] {
                const auto& boxes = win32::testing::RecordedBoxes();
                if (boxes.size() == 1 && boxes[0].caption == "Error" && boxes[0].text == "x") fputs("box:ok\n", stderr);
            });
            THROWERROR("x");
        },
        ::testing::ExitedWithCode(1), "box:ok");
}

}  // namespace
