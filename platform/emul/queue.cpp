// The one message queue of the process, fed by the backend when it is pumped.
#include <algorithm>

#include "platform/emul/backend.h"

namespace win32 {
namespace {
using detail::Window;

// A queued message, with what the system said along with a key message: the modifiers held and the text
// the key typed, which Windows keeps in its key state and keyboard layout.
struct Queued {
    MSG msg;
    bool from_keyboard = false;
    bool translated = false;  // a character TranslateMessage posted
    WPARAM keys = 0;
    std::u32string text;
    uint64_t serial = 0;
};

std::deque<Queued> g_queue;
bool g_quit = false;
int g_quit_code = 0;
HWND g_capture = nullptr;
uint64_t g_serial = 0;
// The key-down the next text belongs to; kNoTextWanted after an auto-repeat counted in a queued one.
constexpr uint64_t kNoKeyDown = 0, kNoTextWanted = ~uint64_t(0);
uint64_t g_text_for = kNoKeyDown;
// The last key message taken, with its modifiers and text, for TranslateMessage.
Queued g_last_key;

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

void push(const MSG& m) {
    Queued q;
    q.msg = m;
    q.serial = ++g_serial;
    g_queue.push_back(std::move(q));
}

// The WM_KEYDOWN of this key still waiting in the queue, where Windows counts auto-repeats.
MSG* queued_keydown(HWND h, WPARAM vk) {
    for (Queued& q : g_queue) {
        MSG& m = q.msg;
        if (m.hwnd == h && (m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN) && m.wParam == vk) return &m;
    }
    return nullptr;
}

bool same_message(const MSG& a, const MSG& b) {
    return a.hwnd == b.hwnd && a.message == b.message && a.wParam == b.wParam && a.lParam == b.lParam &&
           a.time == b.time && a.pt.x == b.pt.x && a.pt.y == b.pt.y;
}

// The program's windows are ANSI windows: their characters come in its code page, and one the code page
// cannot hold comes as its default character, as Windows' translation from Unicode gives it.
void queue_char(HWND h, uint32_t code_point, LPARAM lp, bool translated) {
    constexpr int kDefaultChar = '?';
    if (!detail::FindWindow(h)) return;
    const int byte = host::Cp1252Byte(code_point);
    Queued q;
    q.msg = make(h, WM_CHAR, WPARAM(byte < 0 ? kDefaultChar : byte), lp);
    q.serial = ++g_serial;
    q.translated = translated;
    if (!translated) {
        g_queue.push_back(std::move(q));
        return;
    }
    // Posted messages are taken before input on Windows: a key's character comes right after its key-down,
    // behind only the characters translated before it.
    auto at = g_queue.begin();
    while (at != g_queue.end() && at->translated) ++at;
    g_queue.insert(at, std::move(q));
}

// The characters Windows' layouts give keys that type no text: Return, Escape, Backspace, Tab, and
// Ctrl with a letter.
uint32_t control_char(int vk, WPARAM keys) {
    if (vk == VK_RETURN || vk == VK_ESCAPE || vk == VK_BACK || vk == VK_TAB) return uint32_t(vk);
    if ((keys & MK_CONTROL) && vk >= 'A' && vk <= 'Z') return uint32_t(vk - 'A' + 1);
    return 0;
}

// A key-down the program posted itself has no text from the system: the letters, digits and space of
// the US layout, with Shift as of the last key taken.
uint32_t posted_key_char(int vk) {
    const bool shift = (g_last_key.keys & MK_SHIFT) != 0;
    if (vk >= 'A' && vk <= 'Z') return uint32_t(shift ? vk : vk + ('a' - 'A'));
    if ((vk >= '0' && vk <= '9') || vk == VK_SPACE) return uint32_t(vk);
    return control_char(vk, g_last_key.keys);
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
        MSG& last = g_queue.back().msg;
        if (last.message == WM_MOUSEMOVE && last.hwnd == target) {
            // Moves are coalesced: a press is never stuck behind a backlog of positions.
            last.lParam = lp;
            last.wParam = keys;
            last.time = GetTickCount();
            return;
        }
    }
    push(make(target, msg, keys, lp));
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

void QueueKey(HWND h, UINT msg, WPARAM vk, LPARAM lp, bool repeat, WPARAM keys) {
    const bool down = msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN;
    g_text_for = down ? kNoTextWanted : kNoKeyDown;
    if (repeat && down) {
        // Windows counts auto-repeats in the key-down still queued instead of queueing more (and more
        // characters): a click made while a key is held is not stuck behind a flood of them.
        if (MSG* queued = queued_keydown(h, vk)) {
            const LPARAM count = std::min<LPARAM>((queued->lParam & 0xFFFF) + 1, 0xFFFF);
            queued->lParam = (queued->lParam & ~LPARAM(0xFFFF)) | count | LPARAM(1) << 30;
            return;
        }
    }
    push(make(h, msg, vk, lp));
    g_queue.back().from_keyboard = true;
    g_queue.back().keys = keys;
    if (down) g_text_for = g_queue.back().serial;
}

void QueueText(const std::u32string& typed) {
    if (g_text_for == kNoTextWanted) return;
    for (Queued& q : g_queue)
        if (q.serial == g_text_for) {
            q.text += typed;
            return;
        }
    if (const HWND focus = GetForegroundWindow())
        for (char32_t c : typed) queue_char(focus, uint32_t(c), 1, false);
}

void QueueWheel(Window* top, int x, int y, int delta, WPARAM keys) {
    const POINT o = detail::ClientOriginOnScreen(top);
    const LPARAM screen = MAKELPARAM(o.x + x, o.y + y);
    push(make(route_mouse(top, x, y), WM_MOUSEWHEEL, MAKEWPARAM(int(keys), delta), screen));
}

WPARAM KeysOfLastKeyTaken() { return g_last_key.keys; }

void QueueClose(HWND h) {
    if (h && std::none_of(g_queue.begin(), g_queue.end(),
                          [&](const Queued& q) { return q.msg.hwnd == h && q.msg.message == WM_CLOSE; }))
        push(make(h, WM_CLOSE, 0, 0));
}

void ForgetWindowMessages(HWND h) {
    g_queue.erase(std::remove_if(g_queue.begin(), g_queue.end(), [&](const Queued& q) { return q.msg.hwnd == h; }),
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
    g_text_for = kNoKeyDown;
    g_last_key = Queued();
}
}  // namespace detail

BOOL PeekMessageA(MSG* m, HWND h, UINT first, UINT last, UINT remove) {
    pump();
    for (auto it = g_queue.begin(); it != g_queue.end(); ++it) {
        if (!matches(it->msg, h, first, last)) continue;
        if (m) *m = it->msg;
        if (remove & PM_REMOVE) {
            if (it->from_keyboard) g_last_key = std::move(*it);
            g_queue.erase(it);
        }
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
    if (!m) return FALSE;
    if (m->message == WM_KEYUP || m->message == WM_SYSKEYDOWN || m->message == WM_SYSKEYUP) return TRUE;
    if (m->message != WM_KEYDOWN) return FALSE;
    const int vk = int(m->wParam);
    // The characters of the key as it was pressed: its text from the system's layout, with the modifiers
    // of that moment, however many frames ago that was.
    if (g_last_key.from_keyboard && same_message(*m, g_last_key.msg)) {
        if (g_last_key.text.empty()) {
            if (const uint32_t c = control_char(vk, g_last_key.keys)) queue_char(m->hwnd, c, m->lParam, true);
        }
        for (char32_t c : g_last_key.text) queue_char(m->hwnd, uint32_t(c), m->lParam, true);
        return TRUE;
    }
    if (const uint32_t c = posted_key_char(vk)) queue_char(m->hwnd, c, m->lParam, true);
    return TRUE;
}

LRESULT DispatchMessageA(const MSG* m) {
    if (!m || !m->hwnd) return 0;
    return SendMessageA(m->hwnd, m->message, m->wParam, m->lParam);
}

BOOL PostMessageA(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (h && !detail::FindWindow(h)) return FALSE;
    push(make(h, msg, wp, lp));
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
