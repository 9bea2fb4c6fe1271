// The SDL backend's top-level window as the window manager sees it.
#include <SDL.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "corvala/Corvala.h"
#include "platform/testing.h"
#include "tests/platform/sdl/sdl_events.h"
#include "tests/support/window.h"

using namespace corvala;

namespace {

TEST(WindowLifecycle, TheTitleIsWindows1252TextShownInUtf8) {
    testsupport::EnsureWindow();
    DELETEOGLWINDOW();
    win32::testing::ResetClasses();
    CREATEOGLWINDOW("Caff\xE8 \x80 1", 800, 600, 32, false);
    EXPECT_STREQ(SDL_GetWindowTitle(SDL_GL_GetCurrentWindow()), "Caff\xC3\xA8 \xE2\x82\xAC 1");
    DELETEOGLWINDOW();
    testsupport::EnsureWindow();
}

// The frame after a minimized one waits until the window is back, however long that takes.
TEST(WindowLifecycle, MinimizedByTheSystemItIsIconicAndTheLoopWaitsUntilItIsRestored) {
    testsupport::EnsureWindow();
    testsupport::ResetInput();
    sdltest::PushWindowEvent(SDL_WINDOWEVENT_MINIMIZED);
    win32::testing::PumpEvents();
    ASSERT_TRUE(win32::IsIconic(HWINDOW));
    std::atomic<bool> restored{false};
    const Uint32 window = sdltest::window_id();
    std::thread system([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        restored = true;
        sdltest::PushWindowEvent(SDL_WINDOWEVENT_RESTORED, window);
    });
    PaceFrame();
    const bool waited = restored;
    system.join();
    EXPECT_TRUE(waited) << "the next frame came while the window was still minimized";
    EXPECT_FALSE(win32::IsIconic(HWINDOW));
    testsupport::ResetInput();
}

}  // namespace
