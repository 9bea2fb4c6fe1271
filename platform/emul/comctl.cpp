// The common status bar: a child window docked along the bottom of its parent's client area, divided
// into parts with sunken edges, each showing its text.
#include <cstring>

#include "platform/emul/backend.h"

namespace win32 {
namespace {
constexpr int kStatusBarHeight = 20;  // the bar's font is fixed, so is its height
constexpr const char* kStatusClass = "msctls_statusbar32";
constexpr int kMaxParts = 256;
constexpr int kPartGap = 2;  // between two parts
constexpr int kTopGap = 2;   // above the parts
constexpr int kTextIndent = 4;
constexpr UINT SBT_NOBORDERS = 0x0100, SBT_POPOUT = 0x0200, SBT_OWNERDRAW = 0x1000;

// The system's button colours (Windows 10's defaults, 0xRRGGBB), which the status bar is drawn with.
constexpr uint32_t kFace = 0xF0F0F0, kShadow = 0xA0A0A0, kLight = 0xFFFFFF, kText = 0x000000;

struct Part {
    int edge = -1;  // right edge in client pixels, -1 for "to the end of the bar"
    std::string text;
    UINT type = 0;    // SBT_ drawing flags given with the text
    LPARAM data = 0;  // an owner-drawn part's value
};
std::map<HWND, std::vector<Part>> g_status;

RECT part_rect(const detail::Window* w, const std::vector<Part>& parts, size_t i) {
    int left = 0;
    for (size_t k = 0; k < i; ++k) left = (parts[k].edge < 0 ? w->surface_w : parts[k].edge) + kPartGap;
    int right = parts[i].edge < 0 ? w->surface_w : std::min(parts[i].edge, w->surface_w);
    left = std::min(left, w->surface_w);
    right = std::max(right, left);
    return RECT{left, kTopGap, right, w->surface_h};
}

void fill(detail::Window* w, RECT r, uint32_t rgb) {
    r = RECT{std::max<LONG>(r.left, 0), std::max<LONG>(r.top, 0), std::min<LONG>(r.right, w->surface_w),
             std::min<LONG>(r.bottom, w->surface_h)};
    for (LONG y = r.top; y < r.bottom; ++y)
        for (LONG x = r.left; x < r.right; ++x)
            w->pixels[size_t(y) * size_t(w->surface_w) + size_t(x)] = 0xFF000000u | rgb;
}

void edge(detail::Window* w, const RECT& r, bool sunken) {
    const uint32_t top_left = sunken ? kShadow : kLight, bottom_right = sunken ? kLight : kShadow;
    fill(w, RECT{r.left, r.top, r.right, r.top + 1}, top_left);
    fill(w, RECT{r.left, r.top, r.left + 1, r.bottom}, top_left);
    fill(w, RECT{r.left, r.bottom - 1, r.right, r.bottom}, bottom_right);
    fill(w, RECT{r.right - 1, r.top, r.right, r.bottom}, bottom_right);
}

void paint(HWND h) {
    PAINTSTRUCT ps;
    BeginPaint(h, &ps);
    detail::Window* w = detail::FindWindow(h);
    auto it = g_status.find(h);
    if (w && it != g_status.end()) {
        fill(w, RECT{0, 0, w->surface_w, w->surface_h}, kFace);
        const std::vector<Part>& parts = it->second;
        for (size_t i = 0; i < parts.size(); ++i) {
            const RECT r = part_rect(w, parts, i);
            if (r.right - r.left < 2) continue;
            if (!(parts[i].type & SBT_NOBORDERS)) edge(w, r, !(parts[i].type & SBT_POPOUT));
            const RECT inner{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
            const int top = inner.top + (inner.bottom - inner.top - backend::SurfaceTextHeight()) / 2;
            backend::DrawSurfaceText(w, parts[i].text, inner, inner.left + kTextIndent - 1, top, kText);
        }
    }
    EndPaint(h, &ps);
}

LRESULT text_result(const Part& p) { return LRESULT(MAKELPARAM(int(p.text.size()), int(p.type))); }

LRESULT status_proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: g_status[h] = {Part{}}; return 0;
    case WM_DESTROY: g_status.erase(h); return 0;
    case WM_PAINT: paint(h); return 0;
    case SB_SETPARTS: {
        // A bar has at least one part: asking for none (or too many) changes nothing.
        const auto* edges = reinterpret_cast<const int32_t*>(lp);
        if (wp == 0 || wp > WPARAM(kMaxParts) || !edges) return FALSE;
        std::vector<Part>& parts = g_status[h];
        parts.resize(wp);
        for (size_t i = 0; i < wp; ++i) parts[i].edge = edges[i];
        InvalidateRect(h, nullptr, TRUE);
        return TRUE;
    }
    case SB_GETPARTS: {
        const std::vector<Part>& parts = g_status[h];
        auto* out = reinterpret_cast<int32_t*>(lp);
        for (size_t i = 0; out && i < parts.size() && i < wp; ++i) out[i] = parts[i].edge;
        return LRESULT(parts.size());
    }
    case SB_SETTEXTA: {
        std::vector<Part>& parts = g_status[h];
        const size_t part = wp & 0xFF;
        if (part >= parts.size()) return FALSE;
        // An owner-drawn part's LPARAM is the owner's data, not text.
        parts[part].text = lp && !(wp & SBT_OWNERDRAW) ? reinterpret_cast<const char*>(lp) : "";
        parts[part].type = UINT(wp & 0xFF00);
        parts[part].data = wp & SBT_OWNERDRAW ? lp : 0;
        InvalidateRect(h, nullptr, TRUE);
        return TRUE;
    }
    case SB_GETTEXTA:
    case SB_GETTEXTLENGTHA: {
        const std::vector<Part>& parts = g_status[h];
        if (wp >= parts.size()) return 0;
        // An owner-drawn part answers with its value instead of text, length and type.
        if (msg == SB_GETTEXTA && parts[wp].type & SBT_OWNERDRAW) return parts[wp].data;
        if (msg == SB_GETTEXTA && lp)
            std::memcpy(reinterpret_cast<char*>(lp), parts[wp].text.c_str(), parts[wp].text.size() + 1);
        return text_result(parts[wp]);
    }
    case SB_GETRECT: {
        detail::Window* w = detail::FindWindow(h);
        const std::vector<Part>& parts = g_status[h];
        if (!w || wp >= parts.size() || !lp) return FALSE;
        *reinterpret_cast<RECT*>(lp) = part_rect(w, parts, wp);
        return TRUE;
    }
    default: return DefWindowProcA(h, msg, wp, lp);
    }
}
}  // namespace

COLORREF GetSysColor(int index) {
    const uint32_t rgb = index == COLOR_BTNFACE        ? kFace
                         : index == COLOR_BTNSHADOW    ? kShadow
                         : index == COLOR_BTNHIGHLIGHT ? kLight
                                                       : kText;
    return COLORREF((rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16 & 0xFF));  // 0x00BBGGRR
}

HWND CreateStatusWindowA(LONG style, LPCSTR text, HWND parent, UINT id) {
    detail::Window* p = detail::FindWindow(parent);
    if (!p) return nullptr;
    WNDCLASSEXA probe;
    if (!GetClassInfoExA(nullptr, kStatusClass, &probe)) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_GLOBALCLASS;
        wc.lpfnWndProc = status_proc;
        wc.lpszClassName = kStatusClass;
        RegisterClassExA(&wc);
    }
    const int cw = detail::ClientWidth(p), ch = detail::ClientHeight(p);
    HWND h = CreateWindowExA(0, kStatusClass, text, DWORD(style), 0, ch - kStatusBarHeight, cw, kStatusBarHeight,
                             parent, reinterpret_cast<HMENU>(uintptr_t(id)), nullptr, nullptr);
    if (h && text) g_status[h][0].text = text;
    return h;
}

}  // namespace win32
