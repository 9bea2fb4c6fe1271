// SDL events as SDL itself would deliver them to the framework window, for the SDL backend's tests of
// its translation (client coordinates, SDL's own numbering of buttons, scancodes and keycodes).
#pragma once
#include <SDL.h>

namespace sdltest {

inline Uint32 window_id() {
    SDL_Window* w = SDL_GL_GetCurrentWindow();
    return w ? SDL_GetWindowID(w) : 0;
}

inline void PushMouseMotion(int x, int y, unsigned buttons = 0) {  // buttons: SDL's mask of those held
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = window_id();
    e.motion.state = buttons;
    e.motion.x = x;
    e.motion.y = y;
    SDL_PushEvent(&e);
}

inline void PushMouseButton(bool down, int x, int y, int button = SDL_BUTTON_LEFT) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.windowID = window_id();
    e.button.button = Uint8(button);
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.x = x;
    e.button.y = y;
    SDL_PushEvent(&e);
}

// SDL's scancode (the key's position) and keycode (what the layout makes of it), whether it is an
// auto-repeat, and the modifier state SDL reports with it.
inline void PushKey(bool down, int scancode, int keycode, bool repeat = false, int mods = 0) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.windowID = window_id();
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.repeat = repeat ? 1 : 0;
    e.key.keysym.scancode = SDL_Scancode(scancode);
    e.key.keysym.sym = SDL_Keycode(keycode);
    e.key.keysym.mod = Uint16(mods);
    SDL_PushEvent(&e);
}

// What the layout made of the key just pressed, as SDL's text input reports it (UTF-8).
inline void PushText(const char* utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    e.text.windowID = window_id();
    SDL_strlcpy(e.text.text, utf8, sizeof e.text.text);
    SDL_PushEvent(&e);
}

// Wheel notches (forward positive) with the pointer at client pixel (x, y).
inline void PushWheel(int notches, int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.windowID = window_id();
    e.wheel.y = notches;
    e.wheel.preciseY = float(notches);
    e.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    e.wheel.mouseX = x;
    e.wheel.mouseY = y;
    SDL_PushEvent(&e);
}

// What SDL reports when the window manager minimizes or restores the window (SDL_WINDOWEVENT_...); from
// another thread, with the window's id taken on the thread whose context is current.
inline void PushWindowEvent(int event, Uint32 window = window_id()) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = window;
    e.window.event = Uint8(event);
    SDL_PushEvent(&e);
}

}  // namespace sdltest
