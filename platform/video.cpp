// Bringing SDL's video up, and refusing drivers that show nothing.
#include <cstdio>
#include <cstring>

#include "platform/internal.h"
#include "platform/testing.h"

namespace win32 {
namespace {
bool g_allow_invisible = false;
}

namespace testing {
void AllowInvisibleDriver(bool on) { g_allow_invisible = on; }
}  // namespace testing

namespace detail {

bool EnsureVideo() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
    // A first click on an inactive window is a click, as on Windows.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "video: %s\n", SDL_GetError());
        return false;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!g_allow_invisible && driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)) {
        // With no display SDL quietly falls back to a driver nobody can see; a window there is a failure.
        std::fprintf(stderr, "video: no display (SDL picked the \"%s\" driver)\n", driver);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    SDL_StopTextInput();  // key messages come from key events; characters from TranslateMessage
    return true;
}

}  // namespace detail
}  // namespace win32
