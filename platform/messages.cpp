// The one message queue of the process, fed from SDL events when it is pumped.
#include <algorithm>

#include "platform/host.h"
#include "platform/internal.h"
#include "platform/testing.h"

namespace win32 {
namespace {
using detail::Window;

std::deque<MSG> g_queue;
bool g_quit = false;
int g_quit_code = 0;
HWND g_capture = nullptr;

MSG make(HWND h, UINT m, WPARAM wp, LPARAM lp) {
    MSG msg{};
    msg.hwnd = h;
    msg.message = m;
    msg.wParam = wp;
    msg.lParam = lp;
    msg.time = GetTickCount();
    POINT p{0, 0};
    GetCursorPos(&p);
    msg.pt = p;
    return msg;
}

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
    return kFirstPositionalKey + std::min(int(key.scancode), kLastPositionalKey - kFirstPositionalKey);
}

// The WM_KEYDOWN of this key still waiting in the queue, where Windows counts auto-repeats.
MSG* queued_keydown(HWND h, WPARAM vk) {
    for (MSG& m : g_queue)
        if (m.hwnd == h && (m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN) && m.wParam == vk) return &m;
    return nullptr;
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

Window* window_of(Uint32 sdl_id) {
    SDL_Window* s = SDL_GetWindowFromID(sdl_id);
    if (!s) return nullptr;
    Window* w = static_cast<Window*>(SDL_GetWindowData(s, "win32"));
    return w && detail::FindWindow(detail::HandleOf(w)) ? w : nullptr;
}

// The window a mouse message at client point (x, y) of the top-level goes to, and the point in its
// own client coordinates: the capture holder, else the topmost visible child under the point.
HWND route_mouse(Window* top, int& x, int& y) {
    if (Window* cap = detail::FindWindow(g_capture)) {
        const POINT o = detail::ClientOriginOnScreen(cap), t = detail::ClientOriginOnScreen(top);
        x += t.x - o.x;
        y += t.y - o.y;
        return g_capture;
    }
    Window* target = top;
    for (bool descended = true; descended;) {
        descended = false;
        for (auto it = target->children.rbegin(); it != target->children.rend(); ++it) {
            Window* c = detail::FindWindow(*it);
            if (!c || !c->visible) continue;
            const int lx = x - c->rect.left, ly = y - c->rect.top;
            if (lx < 0 || ly < 0 || lx >= c->rect.right - c->rect.left || ly >= c->rect.bottom - c->rect.top) continue;
            if (!detail::RegionContains(c, lx, ly)) continue;
            x = lx;
            y = ly;
            target = c;
            descended = true;
            break;
        }
    }
    return detail::HandleOf(target);
}

void post_mouse(Window* top, UINT msg, int x, int y) {
    HWND target = route_mouse(top, x, y);
    const LPARAM lp = MAKELPARAM(x, y);
    if (msg == WM_MOUSEMOVE && !g_queue.empty()) {
        MSG& last = g_queue.back();
        if (last.message == WM_MOUSEMOVE && last.hwnd == target) {
            // Moves are coalesced: a press is never stuck behind a backlog of positions.
            last.lParam = lp;
            last.wParam = mouse_keys();
            last.time = GetTickCount();
            return;
        }
    }
    g_queue.push_back(make(target, msg, mouse_keys(), lp));
}

void translate(const SDL_Event& e) {
    switch (e.type) {
    case SDL_QUIT: {
        HWND top = detail::TopLevel();
        const bool queued = std::any_of(g_queue.begin(), g_queue.end(),
                                        [&](const MSG& m) { return m.hwnd == top && m.message == WM_CLOSE; });
        if (top && !queued) g_queue.push_back(make(top, WM_CLOSE, 0, 0));
        break;
    }
    case SDL_WINDOWEVENT: {
        Window* w = window_of(e.window.windowID);
        if (!w) break;
        const HWND h = detail::HandleOf(w);
        switch (e.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            if (std::none_of(g_queue.begin(), g_queue.end(),
                             [&](const MSG& m) { return m.hwnd == h && m.message == WM_CLOSE; }))
                g_queue.push_back(make(h, WM_CLOSE, 0, 0));
            break;
        case SDL_WINDOWEVENT_EXPOSED: w->needs_paint = true; break;
        case SDL_WINDOWEVENT_FOCUS_GAINED: SetForegroundWindow(h); break;
        case SDL_WINDOWEVENT_FOCUS_LOST: detail::LoseForeground(h); break;
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
        if (down && e.key.repeat) {
            // Windows counts auto-repeats in the key-down still queued instead of queueing more (and more
            // characters): a click made while a key is held is not stuck behind a flood of them.
            if (MSG* queued = queued_keydown(h, WPARAM(vk))) {
                const LPARAM count = std::min<LPARAM>((queued->lParam & 0xFFFF) + 1, 0xFFFF);
                queued->lParam = (queued->lParam & ~LPARAM(0xFFFF)) | count | LPARAM(1) << 30;
                break;
            }
        }
        // Alt, and F10 (the menu key of Windows), make system keys.
        const bool sys = (e.key.keysym.mod & KMOD_ALT) != 0 || vk == VK_MENU || vk == VK_F10;
        const UINT msg = sys ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
        LPARAM lp = 1 | LPARAM(e.key.keysym.scancode & 0xFF) << 16;
        if (e.key.repeat) lp |= LPARAM(1) << 30;
        if (!down) lp |= LPARAM(3) << 30;
        g_queue.push_back(make(h, msg, WPARAM(vk), lp));
        break;
    }
    case SDL_MOUSEMOTION:
        g_buttons = e.motion.state;
        if (Window* w = window_of(e.motion.windowID)) post_mouse(w, WM_MOUSEMOVE, e.motion.x, e.motion.y);
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
        if (msg) post_mouse(w, msg, e.button.x, e.button.y);
        break;
    }
    default: break;
    }
}

void pump() {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
    SDL_Event e;
    while (SDL_PollEvent(&e)) translate(e);
}

bool matches(const MSG& m, HWND h, UINT first, UINT last) {
    if (h && m.hwnd != h) return false;
    if (first == 0 && last == 0) return true;
    return m.message >= first && m.message <= last;
}

// A window that needs painting, for WM_PAINT when nothing else is queued.
HWND pending_paint(HWND filter) {
    for (auto& [id, w] : detail::g_windows) {
        if (w->destroying || !w->visible || !w->needs_paint) continue;
        const HWND h = detail::HandleOf(w.get());
        if (!filter || filter == h) return h;
    }
    return nullptr;
}
}  // namespace

namespace detail {
bool ShiftHeld() { return (g_mods & KMOD_SHIFT) != 0; }
void ForgetWindowMessages(HWND h) {
    g_queue.erase(std::remove_if(g_queue.begin(), g_queue.end(), [&](const MSG& m) { return m.hwnd == h; }),
                  g_queue.end());
    if (g_capture == h) g_capture = nullptr;
}
}  // namespace detail

namespace testing {
void PumpEvents() { pump(); }
int QueuedMessages() {
    pump();
    return int(g_queue.size());
}
void FlushMessages() {
    pump();
    g_queue.clear();
    g_quit = false;
}
}  // namespace testing

BOOL PeekMessageA(MSG* m, HWND h, UINT first, UINT last, UINT remove) {
    pump();
    for (auto it = g_queue.begin(); it != g_queue.end(); ++it) {
        if (!matches(*it, h, first, last)) continue;
        if (m) *m = *it;
        if (remove & PM_REMOVE) g_queue.erase(it);
        return TRUE;
    }
    if (g_quit && (first == 0 || (WM_QUIT >= first && WM_QUIT <= last))) {
        if (m) *m = make(nullptr, WM_QUIT, WPARAM(g_quit_code), 0);
        if (remove & PM_REMOVE) g_quit = false;
        return TRUE;
    }
    if (first == 0 || (WM_PAINT >= first && WM_PAINT <= last)) {
        if (HWND p = pending_paint(h)) {
            // WM_PAINT stays until the window is validated, as on Windows.
            if (m) *m = make(p, WM_PAINT, 0, 0);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL GetMessageA(MSG* m, HWND h, UINT first, UINT last) {
    MSG local;
    if (!m) m = &local;
    while (!PeekMessageA(m, h, first, last, PM_REMOVE)) {
        if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_WaitEventTimeout(nullptr, 50);
        else SDL_Delay(10);
    }
    return m->message == WM_QUIT ? FALSE : TRUE;
}

BOOL TranslateMessage(const MSG* m) {
    if (!m || m->message != WM_KEYDOWN) return FALSE;
    const int vk = int(m->wParam);
    const bool shift = (SDL_GetModState() & KMOD_SHIFT) != 0;
    int ch = 0;
    if (vk >= 'A' && vk <= 'Z') ch = shift ? vk : vk + ('a' - 'A');
    else if (vk >= '0' && vk <= '9') ch = vk;
    else if (vk == VK_SPACE || vk == VK_RETURN || vk == VK_ESCAPE || vk == VK_BACK || vk == VK_TAB) ch = vk;
    if (!ch) return FALSE;
    PostMessageA(m->hwnd, WM_CHAR, WPARAM(ch), m->lParam);
    return TRUE;
}

LRESULT DispatchMessageA(const MSG* m) {
    if (!m || !m->hwnd) return 0;
    return SendMessageA(m->hwnd, m->message, m->wParam, m->lParam);
}

BOOL PostMessageA(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (h && !detail::FindWindow(h)) return FALSE;
    g_queue.push_back(make(h, msg, wp, lp));
    return TRUE;
}

void PostQuitMessage(int code) {
    g_quit = true;
    g_quit_code = code;
}

HWND SetCapture(HWND h) {
    HWND previous = g_capture;
    if (!detail::FindWindow(h)) return previous;
    g_capture = h;
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_CaptureMouse(SDL_TRUE);  // releases outside the window still arrive
    return previous;
}

BOOL ReleaseCapture() {
    g_capture = nullptr;
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_CaptureMouse(SDL_FALSE);
    return TRUE;
}

HWND GetCapture() { return g_capture; }

}  // namespace win32
