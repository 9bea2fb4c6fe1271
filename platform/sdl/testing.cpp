// The SDL backend's part of the test library: input as SDL delivers it, and compositing on demand.
#include <SDL.h>

#include "platform/sdl/native.h"
#include "platform/sdl/sdl.h"
#include "platform/testing.h"

namespace win32 {
namespace testing {
namespace {
Uint32 window_id() {
    detail::Window* top = detail::FindWindow(detail::TopLevel());
    SDL_Window* s = sdl::WindowOf(top);
    return s ? SDL_GetWindowID(s) : 0;
}

Uint32 sdl_buttons(unsigned keys) {
    Uint32 b = 0;
    if (keys & MK_LBUTTON) b |= SDL_BUTTON_LMASK;
    if (keys & MK_RBUTTON) b |= SDL_BUTTON_RMASK;
    if (keys & MK_MBUTTON) b |= SDL_BUTTON_MMASK;
    return b;
}

SDL_Scancode scancode_of(int vk) {
    if (vk >= 'A' && vk <= 'Z') return SDL_Scancode(SDL_SCANCODE_A + (vk - 'A'));
    if (vk >= '1' && vk <= '9') return SDL_Scancode(SDL_SCANCODE_1 + (vk - '1'));
    if (vk >= VK_F1 && vk <= VK_F12) return SDL_Scancode(SDL_SCANCODE_F1 + (vk - VK_F1));
    switch (vk) {
    case '0': return SDL_SCANCODE_0;
    case VK_ESCAPE: return SDL_SCANCODE_ESCAPE;
    case VK_RETURN: return SDL_SCANCODE_RETURN;
    case VK_SPACE: return SDL_SCANCODE_SPACE;
    case VK_SHIFT: return SDL_SCANCODE_LSHIFT;
    case VK_LEFT: return SDL_SCANCODE_LEFT;
    case VK_RIGHT: return SDL_SCANCODE_RIGHT;
    case VK_UP: return SDL_SCANCODE_UP;
    case VK_DOWN: return SDL_SCANCODE_DOWN;
    default: return SDL_SCANCODE_UNKNOWN;
    }
}

}  // namespace

void InjectMouseMove(int x, int y, unsigned keys) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = window_id();
    e.motion.state = sdl_buttons(keys);
    e.motion.x = x;
    e.motion.y = y;
    SDL_PushEvent(&e);
}

void InjectMouseButton(unsigned message, int x, int y) {
    SDL_Event e{};
    const bool down = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.windowID = window_id();
    e.button.button = message == WM_LBUTTONDOWN || message == WM_LBUTTONUP   ? SDL_BUTTON_LEFT
                      : message == WM_RBUTTONDOWN || message == WM_RBUTTONUP ? SDL_BUTTON_RIGHT
                                                                             : SDL_BUTTON_MIDDLE;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.x = x;
    e.button.y = y;
    SDL_PushEvent(&e);
}

void InjectKey(int vk, bool down) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.windowID = window_id();
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.scancode = scancode_of(vk);
    e.key.keysym.sym = SDL_GetKeyFromScancode(e.key.keysym.scancode);
    SDL_PushEvent(&e);
}

void CompositeChildrenNow() {
    if (detail::Window* w = detail::FindWindow(detail::TopLevel())) sdl::CompositeChildren(w);
}

void CloseBackend() {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
    sdl::KeepLoadedLibraries();
    sdl::DeleteContexts();
    for (auto& [id, w] : detail::g_windows) {
        if (SDL_Window* s = sdl::WindowOf(w.get())) {
            SDL_DestroyWindow(s);
            w->native = nullptr;
        }
    }
    SDL_Quit();
}

}  // namespace testing
}  // namespace win32
