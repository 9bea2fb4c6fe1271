// The SDL backend's events: SDL's events become the messages Windows would queue for them.
#include <SDL.h>

#include "platform/emul/backend.h"
#include "platform/sdl/sdl.h"

namespace win32 {
namespace {
using detail::Window;

// Virtual-key codes by key position (the US layout's), for every key Windows has a code for.
int vk_from_scancode(SDL_Scancode sc) {
    if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) return 'A' + (sc - SDL_SCANCODE_A);
    if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_9) return '1' + (sc - SDL_SCANCODE_1);
    if (sc >= SDL_SCANCODE_F1 && sc <= SDL_SCANCODE_F12) return VK_F1 + (sc - SDL_SCANCODE_F1);
    if (sc >= SDL_SCANCODE_F13 && sc <= SDL_SCANCODE_F24) return VK_F13 + (sc - SDL_SCANCODE_F13);
    if (sc >= SDL_SCANCODE_KP_1 && sc <= SDL_SCANCODE_KP_9) return VK_NUMPAD0 + 1 + (sc - SDL_SCANCODE_KP_1);
    switch (sc) {
    case SDL_SCANCODE_0: return '0';
    case SDL_SCANCODE_ESCAPE: return VK_ESCAPE;
    case SDL_SCANCODE_RETURN:
    case SDL_SCANCODE_KP_ENTER:
    case SDL_SCANCODE_RETURN2: return VK_RETURN;
    case SDL_SCANCODE_SPACE: return VK_SPACE;
    case SDL_SCANCODE_TAB: return VK_TAB;
    case SDL_SCANCODE_BACKSPACE: return VK_BACK;
    case SDL_SCANCODE_LEFT: return VK_LEFT;
    case SDL_SCANCODE_RIGHT: return VK_RIGHT;
    case SDL_SCANCODE_UP: return VK_UP;
    case SDL_SCANCODE_DOWN: return VK_DOWN;
    case SDL_SCANCODE_PAGEUP: return VK_PRIOR;
    case SDL_SCANCODE_PAGEDOWN: return VK_NEXT;
    case SDL_SCANCODE_HOME: return VK_HOME;
    case SDL_SCANCODE_END: return VK_END;
    case SDL_SCANCODE_INSERT: return VK_INSERT;
    case SDL_SCANCODE_DELETE: return VK_DELETE;
    case SDL_SCANCODE_PAUSE: return VK_PAUSE;
    case SDL_SCANCODE_PRINTSCREEN: return VK_SNAPSHOT;
    case SDL_SCANCODE_CAPSLOCK: return VK_CAPITAL;
    case SDL_SCANCODE_NUMLOCKCLEAR: return VK_NUMLOCK;
    case SDL_SCANCODE_SCROLLLOCK: return VK_SCROLL;
    case SDL_SCANCODE_LSHIFT:
    case SDL_SCANCODE_RSHIFT: return VK_SHIFT;
    case SDL_SCANCODE_LCTRL:
    case SDL_SCANCODE_RCTRL: return VK_CONTROL;
    case SDL_SCANCODE_LALT:
    case SDL_SCANCODE_RALT: return VK_MENU;
    case SDL_SCANCODE_LGUI: return VK_LWIN;
    case SDL_SCANCODE_RGUI: return VK_RWIN;
    case SDL_SCANCODE_APPLICATION:
    case SDL_SCANCODE_MENU: return VK_APPS;
    case SDL_SCANCODE_KP_0: return VK_NUMPAD0;
    case SDL_SCANCODE_KP_MULTIPLY: return VK_MULTIPLY;
    case SDL_SCANCODE_KP_PLUS: return VK_ADD;
    case SDL_SCANCODE_KP_COMMA: return VK_SEPARATOR;
    case SDL_SCANCODE_KP_MINUS: return VK_SUBTRACT;
    case SDL_SCANCODE_KP_PERIOD: return VK_DECIMAL;
    case SDL_SCANCODE_KP_DIVIDE: return VK_DIVIDE;
    case SDL_SCANCODE_SEMICOLON: return VK_OEM_1;
    case SDL_SCANCODE_EQUALS: return VK_OEM_PLUS;
    case SDL_SCANCODE_COMMA: return VK_OEM_COMMA;
    case SDL_SCANCODE_MINUS: return VK_OEM_MINUS;
    case SDL_SCANCODE_PERIOD: return VK_OEM_PERIOD;
    case SDL_SCANCODE_SLASH: return VK_OEM_2;
    case SDL_SCANCODE_GRAVE: return VK_OEM_3;
    case SDL_SCANCODE_LEFTBRACKET: return VK_OEM_4;
    case SDL_SCANCODE_BACKSLASH:
    case SDL_SCANCODE_NONUSHASH: return VK_OEM_5;
    case SDL_SCANCODE_RIGHTBRACKET: return VK_OEM_6;
    case SDL_SCANCODE_APOSTROPHE: return VK_OEM_7;
    case SDL_SCANCODE_NONUSBACKSLASH: return VK_OEM_102;
    default: return 0;
    }
}

// Letters follow the layout, as Windows' codes for them do; every other key is known by its position.
// A key Windows has no code for still arrives, with a code above Windows' own that its position gives,
// so that the key table and the end of mouse-look follow every key.
int vk_from_key(const SDL_Keysym& key) {
    if (key.sym >= SDLK_a && key.sym <= SDLK_z) return 'A' + (key.sym - SDLK_a);
    if (const int vk = vk_from_scancode(key.scancode)) return vk;
    return sdl::kFirstPositionalKey + std::min(int(key.scancode), sdl::kLastPositionalKey - sdl::kFirstPositionalKey);
}

// The buttons and modifiers as of the event being translated, not as of the end of the batch.
Uint32 g_buttons = 0;
Uint16 g_mods = 0;

WPARAM mouse_keys() {
    const Uint32 b = g_buttons;
    const Uint16 mod = g_mods;
    WPARAM k = 0;
    if (b & SDL_BUTTON_LMASK) k |= MK_LBUTTON;
    if (b & SDL_BUTTON_RMASK) k |= MK_RBUTTON;
    if (b & SDL_BUTTON_MMASK) k |= MK_MBUTTON;
    if (mod & KMOD_SHIFT) k |= MK_SHIFT;
    if (mod & KMOD_CTRL) k |= MK_CONTROL;
    return k;
}

// SDL's text is UTF-8; the emulation takes code points, as Windows' layouts give UTF-16 units.
std::u32string code_points(const char* utf8) {
    std::u32string out;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(utf8); *p;) {
        const int length = *p < 0x80 ? 1 : *p >= 0xF0 ? 4 : *p >= 0xE0 ? 3 : *p >= 0xC0 ? 2 : 0;
        if (length == 0) {  // a stray continuation byte
            ++p;
            continue;
        }
        char32_t c = length == 1 ? *p : *p & (0x7F >> length);
        int i = 1;
        for (; i < length && (p[i] & 0xC0) == 0x80; ++i) c = c << 6 | (p[i] & 0x3F);
        if (i == length) out += c;
        p += i;
    }
    return out;
}

Window* window_of(Uint32 sdl_id) {
    SDL_Window* s = SDL_GetWindowFromID(sdl_id);
    if (!s) return nullptr;
    Window* w = static_cast<Window*>(SDL_GetWindowData(s, "win32"));
    return w && detail::FindWindow(detail::HandleOf(w)) ? w : nullptr;
}

void translate(const SDL_Event& e) {
    switch (e.type) {
    case SDL_QUIT: {
        detail::QueueClose(detail::TopLevel());
        break;
    }
    case SDL_WINDOWEVENT: {
        Window* w = window_of(e.window.windowID);
        if (!w) break;
        const HWND h = detail::HandleOf(w);
        switch (e.window.event) {
        case SDL_WINDOWEVENT_CLOSE: detail::QueueClose(h); break;
        case SDL_WINDOWEVENT_EXPOSED: w->needs_paint = true; break;
        case SDL_WINDOWEVENT_FOCUS_GAINED: SetForegroundWindow(h); break;
        case SDL_WINDOWEVENT_FOCUS_LOST: detail::LoseForeground(h); break;
        // Hiding the window unmaps it too, which SDL also calls minimizing.
        case SDL_WINDOWEVENT_MINIMIZED:
            if (w->visible) detail::SetIconic(w, true);
            break;
        case SDL_WINDOWEVENT_RESTORED: detail::SetIconic(w, false); break;
        default: break;
        }
        break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        g_mods = e.key.keysym.mod;
        Window* w = window_of(e.key.windowID);
        if (!w) w = detail::FindWindow(detail::TopLevel());
        if (!w) break;
        const int vk = vk_from_key(e.key.keysym);
        const HWND h = detail::HandleOf(w);
        const bool down = e.type == SDL_KEYDOWN;
        // Alt, and F10 (the menu key of Windows), make system keys.
        const bool sys = (e.key.keysym.mod & KMOD_ALT) != 0 || vk == VK_MENU || vk == VK_F10;
        const UINT msg = sys ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
        LPARAM lp = 1 | LPARAM(e.key.keysym.scancode & 0xFF) << 16;
        if (e.key.repeat) lp |= LPARAM(1) << 30;
        if (!down) lp |= LPARAM(3) << 30;
        WPARAM keys = 0;
        if (e.key.keysym.mod & KMOD_SHIFT) keys |= MK_SHIFT;
        if (e.key.keysym.mod & KMOD_CTRL) keys |= MK_CONTROL;
        detail::QueueKey(h, msg, WPARAM(vk), lp, e.key.repeat != 0, keys);
        break;
    }
    case SDL_TEXTINPUT: detail::QueueText(code_points(e.text.text)); break;
    case SDL_MOUSEWHEEL: {
        // X11 and most systems report whole notches, each a WHEEL_DELTA on Windows.
        const int notches = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
        if (notches == 0) break;
        if (Window* w = window_of(e.wheel.windowID))
            detail::QueueWheel(w, e.wheel.mouseX, e.wheel.mouseY, notches * WHEEL_DELTA, mouse_keys());
        break;
    }
    case SDL_MOUSEMOTION:
        g_buttons = e.motion.state;
        if (Window* w = window_of(e.motion.windowID))
            detail::QueueMouse(w, WM_MOUSEMOVE, e.motion.x, e.motion.y, mouse_keys());
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        Window* w = window_of(e.button.windowID);
        if (!w) break;
        const bool down = e.type == SDL_MOUSEBUTTONDOWN;
        if (e.button.button >= 1 && e.button.button <= 32) {
            const Uint32 mask = SDL_BUTTON(e.button.button);
            g_buttons = down ? g_buttons | mask : g_buttons & ~mask;
        }
        UINT msg = 0;
        if (e.button.button == SDL_BUTTON_LEFT) msg = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
        else if (e.button.button == SDL_BUTTON_RIGHT) msg = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
        else if (e.button.button == SDL_BUTTON_MIDDLE) msg = down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
        if (msg) detail::QueueMouse(w, msg, e.button.x, e.button.y, mouse_keys());
        break;
    }
    default: break;
    }
}

}  // namespace

namespace backend {
void PumpEvents() {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
    SDL_Event e;
    while (SDL_PollEvent(&e)) translate(e);
}

void WaitForEvents(int ms) {
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_WaitEventTimeout(nullptr, ms);
    else SDL_Delay(Uint32(std::min(ms, 10)));
}

void CaptureMouse(bool on) {
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_CaptureMouse(on ? SDL_TRUE : SDL_FALSE);
}
}  // namespace backend
}  // namespace win32
