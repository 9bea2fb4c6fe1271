// The SDL backend's video: bringing it up, refusing drivers that show nothing, and keeping X errors from ending the program.
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/emul/backend.h"
#include "platform/sdl/sdl.h"

namespace win32 {
namespace {
bool g_video_failed = false;
bool g_display_unreachable = false;

// Xlib's own handler prints the request and exits; a driver that cannot make a context must end in the
// program's message instead, so the error is kept as the reason and the call that caused it fails.
int keep_x_error(Display* display, XErrorEvent* e) {
    char text[256] = "";
    XGetErrorText(display, e->error_code, text, sizeof text);
    host::NoteFailure(std::string("X error: ") + text + " (request " + std::to_string(int(e->request_code)) + "." +
                      std::to_string(int(e->minor_code)) + ")");
    return 0;
}

// SDL would go on from an X server that is not there to its other drivers (Wayland's complains about
// its runtime folder on standard error) and end on one that shows nothing: the X display that cannot be
// opened is the reason. Left to SDL when a Wayland display is named too.
bool x_display_opens() {
    const char* name = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (!name || !*name || (wayland && *wayland)) return true;
    Display* probe = XOpenDisplay(name);
    if (probe) {
        XCloseDisplay(probe);
        return true;
    }
    host::NoteFailure(std::string("cannot open display \"") + name + "\"");
    sdl::NoteDisplayUnreachable();
    return false;
}
}  // namespace

namespace backend {
bool HaveDisplay() {
    if (g_display_unreachable) return false;
    const char* x = std::getenv("DISPLAY");
    const char* w = std::getenv("WAYLAND_DISPLAY");
    return (x && *x) || (w && *w);
}
}  // namespace backend

namespace sdl {

void NoteDisplayUnreachable() { g_display_unreachable = true; }

bool EnsureVideo() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
    if (g_video_failed) return false;  // said once; every later window, cursor or icon just fails
    const bool allow_invisible = detail::Switches().allow_invisible_driver;
    if (!allow_invisible && !backend::HaveDisplay()) {
        // SDL would quietly pick a driver nobody can see (and its probes talk on standard error).
        host::NoteFailure("no display: DISPLAY is not set");
        g_video_failed = true;
        return false;
    }
    if (!allow_invisible && !x_display_opens()) {
        g_video_failed = true;
        return false;
    }
    XSetErrorHandler(keep_x_error);  // SDL chains its own handler to this one
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
