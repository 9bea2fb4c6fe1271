// The common status bar: a child window docked along the bottom of its parent's client area.
#include <cstring>

#include "platform/internal.h"

namespace win32 {
namespace {
constexpr const char* kStatusClass = "msctls_statusbar32";

struct StatusData {
    std::vector<int> edges;           // right edge of each part, -1 for "to the end"
    std::vector<std::string> texts;   // text of each part
};
std::map<HWND, StatusData> g_status;

LRESULT status_proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        g_status[h].edges = {-1};
        g_status[h].texts = {""};
        return 0;
    case WM_DESTROY:
        g_status.erase(h);
        return 0;
    case SB_SETPARTS: {
        StatusData& d = g_status[h];
        const int n = int(wp > 256 ? 256 : wp);
        const auto* edges = reinterpret_cast<const int32_t*>(lp);
        d.edges.assign(edges && n > 0 ? edges : nullptr, edges && n > 0 ? edges + n : nullptr);
        if (d.edges.empty()) d.edges = {-1};
        d.texts.resize(d.edges.size());
        InvalidateRect(h, nullptr, TRUE);
        return TRUE;
    }
    case SB_SETTEXTA: {
        StatusData& d = g_status[h];
        const size_t part = wp & 0xFF;
        if (part >= d.texts.size()) return FALSE;
        d.texts[part] = lp ? reinterpret_cast<const char*>(lp) : "";
        InvalidateRect(h, nullptr, TRUE);
        return TRUE;
    }
    default:
        return DefWindowProcA(h, msg, wp, lp);
    }
}
}  // namespace

HWND CreateStatusWindowA(LONG style, LPCSTR text, HWND parent, UINT id) {
    detail::Window* p = detail::FindWindow(parent);
    if (!p) return nullptr;
    WNDCLASSEXA probe;
    if (!GetClassInfoExA(nullptr, kStatusClass, &probe)) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = status_proc;
        wc.lpszClassName = kStatusClass;
        RegisterClassExA(&wc);
    }
    const int cw = detail::ClientWidth(p), ch = detail::ClientHeight(p);
    HWND h = CreateWindowExA(0, kStatusClass, text, DWORD(style), 0, ch - kStatusBarHeight, cw, kStatusBarHeight,
                             parent, reinterpret_cast<HMENU>(uintptr_t(id)), nullptr, nullptr);
    if (h && text) g_status[h].texts[0] = text;
    return h;
}

}  // namespace win32
