// The SDL backend's windows: the top-level window is an SDL window whose drawable is the client area.
#include <SDL.h>

#include "platform/emul/backend.h"
#include "platform/gl/provider.h"
#include "platform/sdl/sdl.h"

namespace win32 {
namespace {

void set_gl_attributes(bool alpha, int depth, bool es) {
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, alpha ? 8 : 0);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depth);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, depth >= 24 ? 8 : 0);
    if (es) {
        // A GL of our own over ES 2 draws through ES alone; later versions serve it as well.
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
    } else {
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    }
}

// The closest double-buffered RGBA visual with depth that the system has.
SDL_Window* create_gl_window(const char* title, int x, int y, int w, int h, Uint32 flags) {
    const struct {
        bool alpha;
        int depth;
    } tries[] = {{true, 24}, {false, 24}, {false, 16}};
    for (const auto& t : tries) {
        set_gl_attributes(t.alpha, t.depth, glprovider::kWantsES);
        if (SDL_Window* s = SDL_CreateWindow(title, x, y, w, h, flags | SDL_WINDOW_OPENGL)) return s;
    }
    if (!glprovider::kWantsES) return nullptr;
    // SDL reaches ES through GLX or EGL and, when neither offers it (a driver that cannot load), makes no
    // window at all. Made as for desktop GL instead, the window is asked for an ES context that then fails
    // as a missing GL does, and the program says what it says on a system without OpenGL.
    for (const auto& t : tries) {
        set_gl_attributes(t.alpha, t.depth, false);
        if (SDL_Window* s = SDL_CreateWindow(title, x, y, w, h, flags | SDL_WINDOW_OPENGL)) {
            set_gl_attributes(t.alpha, t.depth, true);
            return s;
        }
    }
    return nullptr;
}

}  // namespace

namespace backend {

bool CreateNativeWindow(detail::Window* w, const char* title_utf8, int x, int y, int width, int height, bool framed) {
    if (!sdl::EnsureVideo()) return false;
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (!framed) flags |= SDL_WINDOW_BORDERLESS;
    SDL_Window* s = create_gl_window(title_utf8, x, y, width, height, flags);
    if (!s) {
        host::NoteFailure(std::string("video: ") + SDL_GetError());
        return false;
    }
    SDL_SetWindowData(s, "win32", w);
    w->native = s;
    return true;
}

void ShowNativeWindow(detail::Window* w, bool show) {
    SDL_Window* s = sdl::WindowOf(w);
    if (!s) return;
    if (!show) {
        SDL_HideWindow(s);
        return;
    }
    SDL_ShowWindow(s);
    SDL_RaiseWindow(s);
}

void PlaceNativeWindow(detail::Window* w, int x, int y, int width, int height) {
    if (SDL_Window* s = sdl::WindowOf(w)) {
        SDL_SetWindowSize(s, width, height);
        SDL_SetWindowPosition(s, x, y);
    }
}

void RaiseNativeWindow(detail::Window* w) {
    if (SDL_Window* s = sdl::WindowOf(w)) SDL_RaiseWindow(s);
}

void FocusNativeWindow(detail::Window* w) {
    SDL_Window* s = sdl::WindowOf(w);
    if (s && !(SDL_GetWindowFlags(s) & SDL_WINDOW_INPUT_FOCUS)) SDL_SetWindowInputFocus(s);
}

void MinimizeNativeWindow(detail::Window* w, bool minimize) {
    SDL_Window* s = sdl::WindowOf(w);
    if (!s) return;
    if (minimize) SDL_MinimizeWindow(s);
    else SDL_RestoreWindow(s);
}

bool NativeClientOrigin(const detail::Window* w, POINT* p) {
    SDL_Window* s = sdl::WindowOf(w);
    if (!s) return false;
    int x = 0, y = 0;
    SDL_GetWindowPosition(s, &x, &y);
    *p = POINT{x, y};
    return true;
}

void ReleaseNativeWindow(detail::Window* w) {
    SDL_Window* s = sdl::WindowOf(w);
    if (!s) return;
    SDL_SetWindowData(s, "win32", nullptr);
    // As on Windows, a GL context lives until it is deleted: the rest of a frame in which the close box
    // destroyed the window still draws into it, so the drawable stays, hidden, while one is made for it.
    if (sdl::AdoptDrawable(detail::HandleOf(w))) SDL_HideWindow(s);
    else SDL_DestroyWindow(s);
    w->native = nullptr;
}

}  // namespace backend
}  // namespace win32
