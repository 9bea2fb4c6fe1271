// The foreground window, screen metrics, the pointer, and the stock brushes and objects.
#include "platform/emul/backend.h"

namespace win32 {
namespace {
HWND g_foreground = nullptr;
struct Token {
} g_btnface_brush, g_stock[20];
}  // namespace

namespace detail {
TestSwitches& Switches() {
    static TestSwitches s;
    return s;
}
std::vector<RecordedBox>& RecordedBoxes() {
    static std::vector<RecordedBox> boxes;
    return boxes;
}
void LoseForeground(HWND h) {
    if (g_foreground == h) g_foreground = nullptr;
}
}  // namespace detail

BOOL GetCursorPos(POINT* p) {
    if (!p) return FALSE;
    if (!backend::CursorPos(p)) *p = POINT{0, 0};
    return TRUE;
}

BOOL SetCursorPos(int x, int y) { return backend::SetCursorPos(x, y) ? TRUE : FALSE; }

HWND GetForegroundWindow() { return detail::FindWindow(g_foreground) ? g_foreground : nullptr; }

BOOL SetForegroundWindow(HWND h) {
    detail::Window* w = detail::FindWindow(h);
    if (!w) return FALSE;
    if (w->native) backend::FocusNativeWindow(w);
    g_foreground = h;
    return TRUE;
}

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXSCREEN:
    case SM_CYSCREEN: {
        const detail::TestSwitches& t = detail::Switches();
        int w = t.screen_w, h = t.screen_h;
        if ((w <= 0 || h <= 0) && !backend::ScreenSize(&w, &h)) return 0;
        return index == SM_CXSCREEN ? w : h;
    }
    case SM_CYCAPTION: return detail::kCaption;
    case SM_CXFRAME:
    case SM_CYFRAME:
    case SM_CXFIXEDFRAME:
    case SM_CYFIXEDFRAME: return detail::kFrame;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    default: return 0;
    }
}

HBRUSH GetSysColorBrush(int) { return reinterpret_cast<HBRUSH>(&g_btnface_brush); }
HGDIOBJ GetStockObject(int index) { return index >= 0 && index < 20 ? &g_stock[index] : nullptr; }

}  // namespace win32
