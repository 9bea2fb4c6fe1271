// The test switches on Windows, where the surface is the system's own: what Windows lets a program see
// of itself is done with it (boxes through a hook, input as posted messages, GDI counts, children read
// back); what only an emulation can do (refusing formats, contexts or memory, a pretend screen) is
// accepted and does nothing, and the tests that need it skip on Windows.
#include "platform/testing.h"

#include <string>
#include <vector>

#include "platform/gl/gl.h"
#include "platform/win32.h"

namespace win32 {
namespace testing {
namespace {

std::vector<Box> g_boxes;
HHOOK g_box_hook = nullptr;
unsigned g_buttons = 0;  // MK_ flags of the buttons injected down and not yet up

std::string text_of(HWND w) {
    char buf[1024] = "";
    GetWindowTextA(w, buf, sizeof buf);
    return buf;
}

std::string class_of(HWND w) {
    char buf[64] = "";
    GetClassNameA(w, buf, sizeof buf);
    return buf;
}

// A message box is a dialog whose text is its one static control with text; the icon is a static too.
BOOL CALLBACK find_box_text(HWND child, LPARAM out) {
    if (class_of(child) == "Static" && !text_of(child).empty()) {
        *reinterpret_cast<std::string*>(out) = text_of(child);
        return FALSE;
    }
    return TRUE;
}

LRESULT CALLBACK box_hook(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_ACTIVATE) {
        HWND w = reinterpret_cast<HWND>(wparam);
        if (class_of(w) == "#32770") {
            Box b;
            b.caption = text_of(w);
            EnumChildWindows(w, find_box_text, reinterpret_cast<LPARAM>(&b.text));
            g_boxes.push_back(b);
            EndDialog(w, IDOK);
        }
    }
    return CallNextHookEx(g_box_hook, code, wparam, lparam);
}

BOOL CALLBACK find_top_level(HWND w, LPARAM out) {
    if (IsWindowVisible(w) && class_of(w) != "#32770") {
        *reinterpret_cast<HWND*>(out) = w;
        return FALSE;
    }
    return TRUE;
}

HWND top_level() {
    HWND w = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), find_top_level, reinterpret_cast<LPARAM>(&w));
    return w;
}

// Where the system would deliver pointer input at a client point of the top-level window: the window
// with the capture, else the window under the point (shapes count), with the point in its client terms.
HWND pointer_target(HWND top, POINT* pt) {
    HWND target = GetCapture();
    if (!target) {
        POINT screen = *pt;
        ClientToScreen(top, &screen);
        target = WindowFromPoint(screen);
        if (target != top && !IsChild(top, target)) target = top;
    }
    MapWindowPoints(top, target, pt, 1);
    return target;
}

}  // namespace

void RecordMessageBoxes(bool on) {
    if (on && !g_box_hook) g_box_hook = SetWindowsHookExA(WH_CBT, box_hook, nullptr, GetCurrentThreadId());
    if (!on && g_box_hook) {
        UnhookWindowsHookEx(g_box_hook);
        g_box_hook = nullptr;
    }
}
const std::vector<Box>& RecordedBoxes() { return g_boxes; }
void ClearRecordedBoxes() { g_boxes.clear(); }

void AllowInvisibleDriver(bool) {}
void AcceptSwapIntervalAnyway(bool) {}
void RefusePixelFormats(bool) {}
void RefuseContexts(bool) {}
void RefuseMemoryDCs(bool) {}
void LimitGlobalMemory(size_t) {}
void SetScreenSize(int, int) {}

void InjectMouseMove(int x, int y, unsigned keys) {
    HWND top = top_level();
    POINT pt{x, y};
    HWND target = pointer_target(top, &pt);
    PostMessageA(target, WM_MOUSEMOVE, keys, MAKELPARAM(pt.x, pt.y));
}

void InjectMouseButton(unsigned message, int x, int y) {
    const unsigned flag = message == WM_LBUTTONDOWN || message == WM_LBUTTONUP   ? MK_LBUTTON
                          : message == WM_RBUTTONDOWN || message == WM_RBUTTONUP ? MK_RBUTTON
                                                                                 : MK_MBUTTON;
    const bool down = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
    g_buttons = down ? g_buttons | flag : g_buttons & ~flag;
    HWND top = top_level();
    POINT pt{x, y};
    HWND target = pointer_target(top, &pt);
    PostMessageA(target, message, g_buttons, MAKELPARAM(pt.x, pt.y));
}

void InjectKey(int vk, bool down) {
    const LPARAM scan = LPARAM(MapVirtualKeyA(UINT(vk), MAPVK_VK_TO_VSC)) << 16;
    const LPARAM lparam = down ? 1 | scan : 1 | scan | (LPARAM(1) << 30) | (LPARAM(1) << 31);
    PostMessageA(top_level(), down ? WM_KEYDOWN : WM_KEYUP, WPARAM(vk), lparam);
}

// Posted messages are in the queue as soon as they are posted; sent ones are delivered by a peek.
void PumpEvents() {
    MSG m;
    PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE);
}

// WM_PAINT is no queued message: it is made up while a window is invalid and a peek never takes it,
// so it is where a loop that takes the queue out has to stop. It comes after posted and input messages.
namespace {
bool take(MSG* m) { return PeekMessageA(m, nullptr, 0, 0, PM_REMOVE) && m->message != WM_PAINT; }
}  // namespace

// Windows cannot count a queue: take every message out and post it back in the same order.
int QueuedMessages() {
    std::vector<MSG> taken;
    MSG m;
    bool quit = false;
    int quit_code = 0;
    while (take(&m)) {
        if (m.message == WM_QUIT) {
            quit = true;
            quit_code = int(m.wParam);
            continue;
        }
        taken.push_back(m);
    }
    for (const MSG& t : taken)
        if (t.hwnd) PostMessageA(t.hwnd, t.message, t.wParam, t.lParam);
        else PostThreadMessageA(GetCurrentThreadId(), t.message, t.wParam, t.lParam);
    if (quit) PostQuitMessage(quit_code);
    return int(taken.size()) + (quit ? 1 : 0);
}

void FlushMessages() {
    MSG m;
    while (take(&m)) {}
}

// Windows has no list of a program's classes; these are the ones the framework registers.
void ResetClasses() {
    for (const char* name : {"GLWindow", "IMAGEBUTTON"}) UnregisterClassA(name, GetModuleHandleA(nullptr));
}

int LiveGdiObjects() { return int(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)); }
// Windows keeps no count of these; 0 before and after says nothing, and the tests skip those checks.
int LiveMemoryDCs() { return 0; }
int LiveGlobalBlocks() { return 0; }

const std::vector<RegionCall>& RegionCalls() {
    static const std::vector<RegionCall> none;
    return none;
}
void ClearRegionCalls() {}

// The children are windows of their own here, drawn by the system and not into the GL picture; each is
// printed into a bitmap and drawn over the back buffer where it lies, inside its shape if it has one.
void CompositeChildrenNow() {
    HWND top = top_level();
    RECT client{};
    GetClientRect(top, &client);
    for (HWND child = GetWindow(top, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, top, reinterpret_cast<POINT*>(&r), 2);
        const int w = r.right - r.left, h = r.bottom - r.top;
        if (w <= 0 || h <= 0) continue;
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = h;  // bottom-up, as GL reads rows
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(dc, bmp);
        PrintWindow(child, dc, 0);
        GdiFlush();
        HRGN shape = CreateRectRgn(0, 0, 0, 0);
        const bool shaped = GetWindowRgn(child, shape) != ERROR;
        auto* px = static_cast<unsigned char*>(bits);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                unsigned char* p = px + (size_t(h - 1 - y) * size_t(w) + size_t(x)) * 4;
                p[3] = (!shaped || PtInRegion(shape, x, y)) ? 255 : 0;
            }
        DeleteObject(shape);
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        glOrtho(0, client.right, 0, client.bottom, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_LIGHTING);
        glEnable(GL_ALPHA_TEST);
        glAlphaFunc(GL_GREATER, 0.5f);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glRasterPos2i(r.left, client.bottom - r.bottom);
        glDrawPixels(w, h, GL_BGRA_EXT, GL_UNSIGNED_BYTE, bits);
        glPopMatrix();
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopAttrib();
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
    }
}

// Windows ends what a process has open with the process, and no leak checker runs here.
void CloseBackend() {}

}  // namespace testing
}  // namespace win32
