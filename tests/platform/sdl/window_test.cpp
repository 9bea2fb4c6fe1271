// The SDL backend's top-level window as the window manager sees it.
#include <SDL.h>
#include <gtest/gtest.h>

#include "corvala/Corvala.h"
#include "platform/testing.h"
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

}  // namespace
