// The SDL backend's video: bringing it up, refusing drivers that show nothing, and whether there is a
// display at all.
#include <cstring>

#include "platform/emul/backend.h"
#include "platform/sdl/native.h"
#include "platform/sdl/sdl.h"

namespace win32 {
namespace {
bool g_video_failed = false;
bool g_display_unreachable = false;
}  // namespace

namespace backend {
bool HaveDisplay() { return !g_display_unreachable && sdl::DisplayNamed(); }
}  // namespace backend

namespace sdl {

void NoteDisplayUnreachable() { g_display_unreachable = true; }

bool EnsureVideo() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
    if (g_video_failed) return false;  // said once; every later window, cursor or icon just fails
    const bool allow_invisible = detail::Switches().allow_invisible_driver;
    if (!allow_invisible && !ReachDisplay()) {
        g_video_failed = true;
        return false;
    }
    KeepWindowingErrors();
    // A first click on an inactive window is a click, as on Windows.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        host::NoteFailure(std::string("video: ") + SDL_GetError());
        g_video_failed = true;
        return false;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!allow_invisible && driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)) {
        host::NoteFailure(std::string("no display: SDL offers only the \"") + driver + "\" video driver");
        NoteDisplayUnreachable();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        g_video_failed = true;
        return false;
    }
    SDL_StartTextInput();  // the layout's characters, which TranslateMessage gives the key-downs they came with
    return true;
}

}  // namespace sdl
}  // namespace win32
