// Window classes and windows: one top-level window, shown by the backend, with an emulated caption and
// frame, and child windows that live inside it as records with their own procedure, rectangle and pixel
// surface.
#include <algorithm>

#include "platform/emul/backend.h"

namespace win32 {
namespace detail {
std::map<uintptr_t, std::unique_ptr<Window>> g_windows;
}
namespace {
using detail::Window;

std::vector<std::unique_ptr<detail::WindowClass>> g_classes;
uintptr_t g_next_window = 0x10000;
ATOM g_next_atom = 0xC000;
struct ModuleToken {
} g_module;

detail::WindowClass* find_class(const char* name) {
    if (!name) return nullptr;
    for (auto& c : g_classes)
        if (host::EqualIgnoringCase(c->name.c_str(), name)) return c.get();
    return nullptr;
}

ATOM add_class(const WNDCLASSEXA& rec) {
    if (!rec.lpszClassName || !*rec.lpszClassName || !rec.lpfnWndProc) return 0;
    if (find_class(rec.lpszClassName)) return 0;  // already registered
    auto c = std::make_unique<detail::WindowClass>();
    c->name = rec.lpszClassName;
    c->rec = rec;
    c->rec.lpszClassName = c->name.c_str();
    c->rec.lpszMenuName = nullptr;
    if (!c->rec.hInstance) c->rec.hInstance = GetModuleHandleA(nullptr);  // as Windows registers it
    g_classes.push_back(std::move(c));
    return g_next_atom++;
}

void destroy_tree(Window* w);

}  // namespace

namespace detail {

Window* FindWindow(HWND h) {
    auto it = g_windows.find(reinterpret_cast<uintptr_t>(h));
    if (it == g_windows.end() || it->second->destroying) return nullptr;
    return it->second.get();
}
HWND HandleOf(const Window* w) { return w ? reinterpret_cast<HWND>(w->id) : nullptr; }
bool HasCaption(const Window* w) { return !w->parent && (w->style & WS_CAPTION) == WS_CAPTION; }
int ClientWidth(const Window* w) {
    const int outer = w->rect.right - w->rect.left;
    return std::max(0, HasCaption(w) ? outer - 2 * kFrame : outer);
}
int ClientHeight(const Window* w) {
    const int outer = w->rect.bottom - w->rect.top;
    return std::max(0, HasCaption(w) ? outer - kCaption - 2 * kFrame : outer);
}
POINT ClientOriginOnScreen(const Window* w) {
    if (!w->parent) {
        POINT p{w->rect.left, w->rect.top};
        if (w->native && backend::NativeClientOrigin(w, &p)) return p;
        if (HasCaption(w)) p = POINT{w->rect.left + kFrame, w->rect.top + kCaption + kFrame};
        return p;
    }
    const Window* parent = FindWindow(w->parent);
    POINT base = parent ? ClientOriginOnScreen(parent) : POINT{0, 0};
    return POINT{base.x + w->rect.left, base.y + w->rect.top};
}
HWND TopLevel() {
    for (auto& [id, w] : g_windows)
        if (!w->parent && !w->destroying) return HandleOf(w.get());
    return nullptr;
}

}  // namespace detail

namespace detail {
void ForgetClasses() { g_classes.clear(); }
}  // namespace detail

HINSTANCE GetModuleHandleA(LPCSTR) { return reinterpret_cast<HINSTANCE>(&g_module); }

ATOM RegisterClassA(const WNDCLASSA* wc) {
    if (!wc) return 0;
    WNDCLASSEXA ex{};
    ex.cbSize = sizeof ex;
    ex.style = wc->style;
    ex.lpfnWndProc = wc->lpfnWndProc;
    ex.cbClsExtra = wc->cbClsExtra;
    ex.cbWndExtra = wc->cbWndExtra;
    ex.hInstance = wc->hInstance;
    ex.hIcon = wc->hIcon;
    ex.hCursor = wc->hCursor;
    ex.hbrBackground = wc->hbrBackground;
    ex.lpszMenuName = wc->lpszMenuName;
    ex.lpszClassName = wc->lpszClassName;
    return add_class(ex);
}

// Like Windows, a record whose size is not this build's WNDCLASSEXA is refused.
ATOM RegisterClassExA(const WNDCLASSEXA* wc) { return wc && wc->cbSize == sizeof *wc ? add_class(*wc) : 0; }

// Without a module handle only the system's classes are found (and global ones, which comctl32's are):
// a program's own class is found through the module that registered it.
BOOL GetClassInfoExA(HINSTANCE inst, LPCSTR name, WNDCLASSEXA* out) {
    detail::WindowClass* c = find_class(name);
    if (!c || !out) return FALSE;
    if (!(c->rec.style & CS_GLOBALCLASS) && inst != c->rec.hInstance) return FALSE;
    *out = c->rec;
    return TRUE;
}

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y, int w, int h,
                     HWND parent, HMENU menu, HINSTANCE, LPVOID) {
    detail::WindowClass* cls = find_class(className);
    if (!cls) return nullptr;
    Window* parent_rec = parent ? detail::FindWindow(parent) : nullptr;
    if (parent && !parent_rec) return nullptr;

    auto rec = std::make_unique<Window>();
    rec->id = g_next_window++;
    rec->class_name = cls->name;
    rec->proc = cls->rec.lpfnWndProc;
    rec->title = title ? title : "";
    rec->style = style;
    rec->ex_style = exStyle;
    rec->parent = parent;
    rec->cursor = cls->rec.hCursor;
    if (x == CW_USEDEFAULT) x = 0;
    if (y == CW_USEDEFAULT) y = 0;
    if (w == CW_USEDEFAULT) w = 640;
    if (h == CW_USEDEFAULT) h = 480;
    rec->rect = RECT{x, y, x + std::max(0, w), y + std::max(0, h)};

    if (!parent) {
        const bool caption = detail::HasCaption(rec.get());
        const int sx = caption ? x + detail::kFrame : x;
        const int sy = caption ? y + detail::kCaption + detail::kFrame : y;
        // Titles are Windows-1252 like every other text of the program; the window manager wants UTF-8.
        if (!backend::CreateNativeWindow(rec.get(), host::Cp1252ToUtf8(rec->title.c_str()).c_str(), sx, sy,
                                         std::max(1, detail::ClientWidth(rec.get())),
                                         std::max(1, detail::ClientHeight(rec.get())), caption))
            return nullptr;
        if (cls->rec.hIcon) backend::SetNativeIcon(rec.get(), cls->rec.hIcon);
        if (cls->rec.hCursor) backend::SetNativeCursor(cls->rec.hCursor);
    } else {
        rec->control_id = int(reinterpret_cast<intptr_t>(menu));
        rec->surface_w = std::max(0, w);
        rec->surface_h = std::max(0, h);
        rec->pixels.assign(size_t(rec->surface_w) * size_t(rec->surface_h), 0);
    }

    Window* raw = rec.get();
    const HWND handle = detail::HandleOf(raw);
    detail::g_windows[raw->id] = std::move(rec);
    if (parent_rec) parent_rec->children.push_back(handle);

    if (SendMessageA(handle, WM_CREATE, 0, 0) == -1) {
        DestroyWindow(handle);
        return nullptr;
    }
    if (!detail::FindWindow(handle)) return nullptr;  // destroyed while being created
    if (style & WS_VISIBLE) ShowWindow(handle, SW_SHOW);
    return handle;
}

namespace {
void destroy_tree(Window* w) {
    const HWND h = detail::HandleOf(w);
    // Windows tells the parent first, then its children, then frees them bottom-up.
    SendMessageA(h, WM_DESTROY, 0, 0);
    w->destroying = true;
    for (HWND c : std::vector<HWND>(w->children))
        if (Window* cw = detail::FindWindow(c)) destroy_tree(cw);
}
}  // namespace

BOOL DestroyWindow(HWND h) {
    Window* w = detail::FindWindow(h);
    if (!w) return FALSE;
    if (GetCapture() == h) ReleaseCapture();
    destroy_tree(w);
    // Free the whole subtree: the records, their messages, their regions and surfaces.
    std::vector<HWND> doomed{h};
    for (size_t i = 0; i < doomed.size(); ++i) {
        auto it = detail::g_windows.find(reinterpret_cast<uintptr_t>(doomed[i]));
        if (it == detail::g_windows.end()) continue;
        for (HWND c : it->second->children) doomed.push_back(c);
    }
    auto parent = detail::g_windows.find(reinterpret_cast<uintptr_t>(w->parent));
    if (w->parent && parent != detail::g_windows.end()) {
        auto& kids = parent->second->children;
        kids.erase(std::remove(kids.begin(), kids.end(), h), kids.end());
    }
    for (HWND d : doomed) {
        auto it = detail::g_windows.find(reinterpret_cast<uintptr_t>(d));
        if (it == detail::g_windows.end()) continue;
        detail::ForgetWindowMessages(d);
        detail::ReleaseWindowResources(it->second.get());
        detail::g_windows.erase(it);
    }
    return TRUE;
}

BOOL IsWindow(HWND h) { return detail::FindWindow(h) != nullptr; }

BOOL IsIconic(HWND h) {
    const Window* w = detail::FindWindow(h);
    return w && (w->style & WS_MINIMIZE) ? TRUE : FALSE;
}

namespace detail {
bool UnderIconic(const Window* w) {
    for (; w; w = FindWindow(w->parent))
        if (w->style & WS_MINIMIZE) return true;
    return false;
}

void SetIconic(Window* w, bool iconic) {
    if (iconic == ((w->style & WS_MINIMIZE) != 0)) return;
    if (iconic) {
        w->style |= WS_MINIMIZE;
        SendMessageA(HandleOf(w), WM_SIZE, SIZE_MINIMIZED, 0);
        return;
    }
    w->style &= ~WS_MINIMIZE;
    w->needs_paint = w->visible;
    SendMessageA(HandleOf(w), WM_SIZE, SIZE_RESTORED, MAKELPARAM(ClientWidth(w), ClientHeight(w)));
}
}  // namespace detail

BOOL ShowWindow(HWND h, int cmd) {
    Window* w = detail::FindWindow(h);
    if (!w) return FALSE;
    const BOOL was_visible = w->visible;
    if (cmd == SW_HIDE) {
        w->visible = false;
        w->style &= ~WS_VISIBLE;
        if (w->native) backend::ShowNativeWindow(w, false);
        return was_visible;
    }
    w->visible = true;
    w->style |= WS_VISIBLE;
    const bool iconic = (w->style & WS_MINIMIZE) != 0;
    if (cmd == SW_MINIMIZE || cmd == SW_SHOWMINIMIZED) {
        if (w->native) backend::MinimizeNativeWindow(w, true);
        detail::SetIconic(w, true);
        return was_visible;
    }
    if (iconic && cmd == SW_SHOW) return was_visible;  // shown as it is: still minimized
    if (iconic) {
        if (w->native) backend::MinimizeNativeWindow(w, false);
        detail::SetIconic(w, false);
    }
    w->needs_paint = true;
    if (w->native) {
        backend::ShowNativeWindow(w, true);
        SetForegroundWindow(h);
    }
    return was_visible;
}

BOOL UpdateWindow(HWND h) {
    Window* w = detail::FindWindow(h);
    if (!w) return FALSE;
    if (w->needs_paint && w->visible && !detail::UnderIconic(w)) SendMessageA(h, WM_PAINT, 0, 0);
    return TRUE;
}

BOOL SetWindowPos(HWND h, HWND, int x, int y, int cx, int cy, UINT flags) {
    Window* w = detail::FindWindow(h);
    if (!w) return FALSE;
    if (flags & SWP_NOMOVE) {
        x = w->rect.left;
        y = w->rect.top;
    }
    if (flags & SWP_NOSIZE) {
        cx = w->rect.right - w->rect.left;
        cy = w->rect.bottom - w->rect.top;
    }
    w->rect = RECT{x, y, x + std::max(0, cx), y + std::max(0, cy)};
    if (w->native) {
        const bool caption = detail::HasCaption(w);
        backend::PlaceNativeWindow(w, caption ? x + detail::kFrame : x,
                                   caption ? y + detail::kCaption + detail::kFrame : y,
                                   std::max(1, detail::ClientWidth(w)), std::max(1, detail::ClientHeight(w)));
        if (!(flags & (SWP_NOACTIVATE | SWP_NOZORDER))) {
            backend::RaiseNativeWindow(w);
            SetForegroundWindow(h);
        }
    } else {
        detail::ResizeSurface(w);
    }
    if (flags & SWP_SHOWWINDOW) ShowWindow(h, SW_SHOW);
    if (flags & SWP_HIDEWINDOW) ShowWindow(h, SW_HIDE);
    SendMessageA(h, WM_MOVE, 0,
                 MAKELPARAM(w->parent ? x : x + detail::kFrame, w->parent ? y : y + detail::kCaption + detail::kFrame));
    SendMessageA(h, WM_SIZE, 0, MAKELPARAM(detail::ClientWidth(w), detail::ClientHeight(w)));
    w->needs_paint = w->visible;
    return TRUE;
}

BOOL GetWindowRect(HWND h, RECT* r) {
    Window* w = detail::FindWindow(h);
    if (!w || !r) return FALSE;
    if (!w->parent) {
        const POINT c = detail::ClientOriginOnScreen(w);
        const bool caption = detail::HasCaption(w);
        const int left = caption ? c.x - detail::kFrame : c.x;
        const int top = caption ? c.y - detail::kCaption - detail::kFrame : c.y;
        *r = RECT{left, top, left + (w->rect.right - w->rect.left), top + (w->rect.bottom - w->rect.top)};
        return TRUE;
    }
    const POINT o = detail::ClientOriginOnScreen(w);
    *r = RECT{o.x, o.y, o.x + (w->rect.right - w->rect.left), o.y + (w->rect.bottom - w->rect.top)};
    return TRUE;
}

BOOL GetClientRect(HWND h, RECT* r) {
    Window* w = detail::FindWindow(h);
    if (!w || !r) return FALSE;
    *r = RECT{0, 0, detail::ClientWidth(w), detail::ClientHeight(w)};
    return TRUE;
}

BOOL ClientToScreen(HWND h, POINT* p) {
    Window* w = detail::FindWindow(h);
    if (!w || !p) return FALSE;
    const POINT o = detail::ClientOriginOnScreen(w);
    p->x += o.x;
    p->y += o.y;
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
    Window* f = from ? detail::FindWindow(from) : nullptr;
    Window* t = to ? detail::FindWindow(to) : nullptr;
    if ((from && !f) || (to && !t)) return 0;
    const POINT a = f ? detail::ClientOriginOnScreen(f) : POINT{0, 0};
    const POINT b = t ? detail::ClientOriginOnScreen(t) : POINT{0, 0};
    const LONG dx = a.x - b.x, dy = a.y - b.y;
    for (UINT i = 0; points && i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    return int(uint32_t(uint16_t(dx)) | uint32_t(uint16_t(dy)) << 16);
}

BOOL InvalidateRect(HWND h, const RECT*, BOOL) {
    Window* w = detail::FindWindow(h);
    if (!w) return FALSE;
    w->needs_paint = true;
    return TRUE;
}

HDC BeginPaint(HWND h, PAINTSTRUCT* ps) {
    Window* w = detail::FindWindow(h);
    if (!w) return nullptr;
    w->needs_paint = false;
    HDC dc = GetDC(h);
    if (ps) {
        *ps = PAINTSTRUCT{};
        ps->hdc = dc;
        ps->rcPaint = RECT{0, 0, detail::ClientWidth(w), detail::ClientHeight(w)};
    }
    return dc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT*) { return TRUE; }

LRESULT DefWindowProcA(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    constexpr WPARAM SC_CLOSE = 0xF060;
    const LPARAM kFromKeyboard = MAKELPARAM(-1, -1);
    switch (msg) {
    case WM_RBUTTONUP: {
        // A right click in the client area asks for the context menu, at the pointer in screen pixels.
        const Window* w = detail::FindWindow(h);
        const int x = int16_t(LOWORD(uintptr_t(lp))), y = int16_t(HIWORD(uintptr_t(lp)));
        if (!w || x < 0 || y < 0 || x >= detail::ClientWidth(w) || y >= detail::ClientHeight(w)) return 0;
        const POINT o = detail::ClientOriginOnScreen(w);
        SendMessageA(h, WM_CONTEXTMENU, WPARAM(h), MAKELPARAM(o.x + x, o.y + y));
        return 0;
    }
    case WM_KEYUP:
        if (wp == WPARAM(VK_APPS)) SendMessageA(h, WM_CONTEXTMENU, WPARAM(h), kFromKeyboard);
        return 0;
    case WM_CONTEXTMENU:
    case WM_MOUSEWHEEL:
        // A child that shows no menu of its own, or does not scroll, hands the message to its parent.
        if (const Window* w = detail::FindWindow(h); w && w->parent) return SendMessageA(w->parent, msg, wp, lp);
        return 0;
    case WM_CLOSE: DestroyWindow(h); return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(h, &ps);
        EndPaint(h, &ps);
        return 0;
    }
    case WM_SYSKEYDOWN:
        if (wp == WPARAM(VK_F4)) SendMessageA(h, WM_SYSCOMMAND, SC_CLOSE, 0);  // Alt+F4
        if (wp == WPARAM(VK_F10) && (detail::KeysOfLastKeyTaken() & MK_SHIFT))
            SendMessageA(h, WM_CONTEXTMENU, WPARAM(h), kFromKeyboard);
        return 0;
    case WM_SYSCOMMAND:
        if ((wp & 0xFFF0) == SC_CLOSE) SendMessageA(h, WM_CLOSE, 0, 0);
        return 0;
    default: return 0;
    }
}

LRESULT SendMessageA(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    auto it = detail::g_windows.find(reinterpret_cast<uintptr_t>(h));
    if (it == detail::g_windows.end()) return 0;
    Window* w = it->second.get();
    // WM_DESTROY still reaches a window that is being torn down; nothing else does.
    if (w->destroying && msg != WM_DESTROY) return 0;
    WNDPROC proc = w->proc;
    return proc ? proc(h, msg, wp, lp) : 0;
}

}  // namespace win32

// The host's fatal-error path asks whether a box can be shown; under the emulation only the backend knows.
bool host::HaveDisplay() { return win32::backend::HaveDisplay(); }
