// The one message queue of the process, fed by the backend when it is pumped.
#include <algorithm>

#include "platform/emul/backend.h"

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

// The WM_KEYDOWN of this key still waiting in the queue, where Windows counts auto-repeats.
MSG* queued_keydown(HWND h, WPARAM vk) {
    for (MSG& m : g_queue)
        if (m.hwnd == h && (m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN) && m.wParam == vk) return &m;
    return nullptr;
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

void post_mouse(Window* top, UINT msg, int x, int y, WPARAM keys) {
    HWND target = route_mouse(top, x, y);
    const LPARAM lp = MAKELPARAM(x, y);
    if (msg == WM_MOUSEMOVE && !g_queue.empty()) {
        MSG& last = g_queue.back();
        if (last.message == WM_MOUSEMOVE && last.hwnd == target) {
            // Moves are coalesced: a press is never stuck behind a backlog of positions.
            last.lParam = lp;
            last.wParam = keys;
            last.time = GetTickCount();
            return;
        }
    }
    g_queue.push_back(make(target, msg, keys, lp));
}

bool matches(const MSG& m, HWND h, UINT first, UINT last) {
    if (h && m.hwnd != h) return false;
    if (first == 0 && last == 0) return true;
    return m.message >= first && m.message <= last;
}

// A window that needs painting, for WM_PAINT when nothing else is queued.
HWND pending_paint(HWND filter) {
    for (auto& [id, w] : detail::g_windows) {
        if (w->destroying || !w->visible || !w->needs_paint || detail::UnderIconic(w.get())) continue;
        const HWND h = detail::HandleOf(w.get());
        if (!filter || filter == h) return h;
    }
    return nullptr;
}

void pump() { backend::PumpEvents(); }
}  // namespace

namespace detail {
void QueueMouse(Window* top, UINT msg, int x, int y, WPARAM keys) { post_mouse(top, msg, x, y, keys); }

void QueueKey(HWND h, UINT msg, WPARAM vk, LPARAM lp, bool repeat) {
    if (repeat && (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN)) {
        // Windows counts auto-repeats in the key-down still queued instead of queueing more (and more
        // characters): a click made while a key is held is not stuck behind a flood of them.
        if (MSG* queued = queued_keydown(h, vk)) {
            const LPARAM count = std::min<LPARAM>((queued->lParam & 0xFFFF) + 1, 0xFFFF);
            queued->lParam = (queued->lParam & ~LPARAM(0xFFFF)) | count | LPARAM(1) << 30;
            return;
        }
    }
    g_queue.push_back(make(h, msg, vk, lp));
}

void QueueClose(HWND h) {
    if (h && std::none_of(g_queue.begin(), g_queue.end(),
                          [&](const MSG& m) { return m.hwnd == h && m.message == WM_CLOSE; }))
        g_queue.push_back(make(h, WM_CLOSE, 0, 0));
}

void ForgetWindowMessages(HWND h) {
    g_queue.erase(std::remove_if(g_queue.begin(), g_queue.end(), [&](const MSG& m) { return m.hwnd == h; }),
                  g_queue.end());
    if (g_capture == h) g_capture = nullptr;
}

int QueuedMessages() {
    pump();
    return int(g_queue.size());
}
void FlushMessages() {
    pump();
    g_queue.clear();
    g_quit = false;
}
}  // namespace detail

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
        backend::WaitForEvents(50);
    }
    return m->message == WM_QUIT ? FALSE : TRUE;
}

BOOL WaitMessage() {
    // The backend wakes for the system's events; most of them become messages.
    constexpr int kSliceMs = 250;
    while (!PeekMessageA(nullptr, nullptr, 0, 0, PM_NOREMOVE)) backend::WaitForEvents(kSliceMs);
    return TRUE;
}

BOOL TranslateMessage(const MSG* m) {
    if (!m || m->message != WM_KEYDOWN) return FALSE;
    const int vk = int(m->wParam);
    const bool shift = backend::ShiftHeld();
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
    backend::CaptureMouse(true);
    return previous;
}

BOOL ReleaseCapture() {
    g_capture = nullptr;
    backend::CaptureMouse(false);
    return TRUE;
}

HWND GetCapture() { return g_capture; }

}  // namespace win32
