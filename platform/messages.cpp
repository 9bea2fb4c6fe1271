// The one message queue of the process, fed from SDL events when it is pumped.
#include <algorithm>

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

int vk_from_sdl(SDL_Keycode k) {
    if (k >= SDLK_a && k <= SDLK_z) return 'A' + (k - SDLK_a);
    if (k >= SDLK_0 && k <= SDLK_9) return '0' + (k - SDLK_0);
    if (k >= SDLK_F1 && k <= SDLK_F12) return VK_F1 + (k - SDLK_F1);
    if (k >= SDLK_KP_1 && k <= SDLK_KP_9) return VK_NUMPAD0 + 1 + (k - SDLK_KP_1);
    switch (k) {
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_TAB: return VK_TAB;
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_UP: return VK_UP;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_PAGEUP: return VK_PRIOR;
    case SDLK_PAGEDOWN: return VK_NEXT;
    case SDLK_HOME: return VK_HOME;
    case SDLK_END: return VK_END;
    case SDLK_INSERT: return VK_INSERT;
    case SDLK_DELETE: return VK_DELETE;
    case SDLK_PAUSE: return VK_PAUSE;
    case SDLK_CAPSLOCK: return VK_CAPITAL;
    case SDLK_NUMLOCKCLEAR: return VK_NUMLOCK;
    case SDLK_SCROLLLOCK: return VK_SCROLL;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return VK_CONTROL;
    case SDLK_LALT:
    case SDLK_RALT: return VK_MENU;
    case SDLK_KP_0: return VK_NUMPAD0;
    case SDLK_KP_MULTIPLY: return VK_MULTIPLY;
    case SDLK_KP_PLUS: return VK_ADD;
    case SDLK_KP_MINUS: return VK_SUBTRACT;
    case SDLK_KP_PERIOD: return VK_DECIMAL;
    case SDLK_KP_DIVIDE: return VK_DIVIDE;
    case SDLK_SEMICOLON: return VK_OEM_1;
    case SDLK_EQUALS: return VK_OEM_PLUS;
    case SDLK_COMMA: return VK_OEM_COMMA;
    case SDLK_MINUS: return VK_OEM_MINUS;
    case SDLK_PERIOD: return VK_OEM_PERIOD;
    case SDLK_SLASH: return VK_OEM_2;
    case SDLK_BACKQUOTE: return VK_OEM_3;
    case SDLK_LEFTBRACKET: return VK_OEM_4;
    case SDLK_BACKSLASH: return VK_OEM_5;
    case SDLK_RIGHTBRACKET: return VK_OEM_6;
    case SDLK_QUOTE: return VK_OEM_7;
    default: return 0;
    }
}

WPARAM mouse_keys() {
    const Uint32 b = SDL_GetMouseState(nullptr, nullptr);
    const SDL_Keymod mod = SDL_GetModState();
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
        Window* w = window_of(e.key.windowID);
        if (!w) w = detail::FindWindow(detail::TopLevel());
        const int vk = vk_from_sdl(e.key.keysym.sym);
        if (!w || vk == 0) break;
        const bool down = e.type == SDL_KEYDOWN;
        const bool alt = (e.key.keysym.mod & KMOD_ALT) != 0 || vk == VK_MENU;
        const UINT msg = alt ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
        LPARAM lp = 1 | LPARAM(e.key.keysym.scancode & 0xFF) << 16;
        if (e.key.repeat) lp |= LPARAM(1) << 30;
        if (!down) lp |= LPARAM(3) << 30;
        g_queue.push_back(make(detail::HandleOf(w), msg, WPARAM(vk), lp));
        break;
    }
    case SDL_MOUSEMOTION:
        if (Window* w = window_of(e.motion.windowID)) post_mouse(w, WM_MOUSEMOVE, e.motion.x, e.motion.y);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        Window* w = window_of(e.button.windowID);
        if (!w) break;
        const bool down = e.type == SDL_MOUSEBUTTONDOWN;
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
