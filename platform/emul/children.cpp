// Child windows: properties, regions, placement and painting bookkeeping.
#include <algorithm>
#include <cctype>

#include "platform/emul/backend.h"
#include "platform/emul/gdi_objects.h"

namespace win32 {
namespace {
std::string prop_key(LPCSTR name) {
    std::string k(name);
    for (char& c : k) c = char(std::tolower(static_cast<unsigned char>(c)));
    return k;
}
}  // namespace

namespace detail {

void ResizeSurface(Window* w) {
    const int cw = std::max(0, int(w->rect.right - w->rect.left));
    const int ch = std::max(0, int(w->rect.bottom - w->rect.top));
    if (cw == w->surface_w && ch == w->surface_h) return;
    w->surface_w = cw;
    w->surface_h = ch;
    w->pixels.assign(size_t(cw) * size_t(ch), 0);
}

bool RegionContains(const Window* w, int x, int y) {
    const GdiRegion* r = w->region ? gdi_region(w->region) : nullptr;
    return !r || region_contains(*r, x, y);
}

void BlendCoverage(Window* w, const uint8_t* coverage, int width, int height, int x, int y, const RECT& clip,
                   uint32_t rgb) {
    const int left = std::max<int>(clip.left, 0), top = std::max<int>(clip.top, 0);
    const int right = std::min<int>(clip.right, w->surface_w), bottom = std::min<int>(clip.bottom, w->surface_h);
    for (int gy = 0; gy < height; ++gy) {
        const int py = y + gy;
        if (py < top || py >= bottom) continue;
        for (int gx = 0; gx < width; ++gx) {
            const int px = x + gx, a = coverage[size_t(gy) * size_t(width) + size_t(gx)];
            if (px < left || px >= right || a == 0) continue;
            uint32_t& p = w->pixels[size_t(py) * size_t(w->surface_w) + size_t(px)];
            uint32_t out = 0xFF000000u;
            for (int shift = 0; shift < 24; shift += 8) {
                const int u = int(p >> shift & 0xFF), o = int(rgb >> shift & 0xFF);
                out |= uint32_t((u * (255 - a) + o * a + 127) / 255) << shift;
            }
            p = out;
        }
    }
}

}  // namespace detail

BOOL ValidateRect(HWND h, const RECT*) {
    detail::Window* w = detail::FindWindow(h);
    if (!w) return FALSE;
    w->needs_paint = false;
    return TRUE;
}

BOOL MoveWindow(HWND h, int x, int y, int cx, int cy, BOOL repaint) {
    if (!SetWindowPos(h, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE)) return FALSE;
    if (repaint) InvalidateRect(h, nullptr, TRUE);
    return TRUE;
}

HWND GetParent(HWND h) {
    detail::Window* w = detail::FindWindow(h);
    return w ? w->parent : nullptr;
}

int GetDlgCtrlID(HWND h) {
    detail::Window* w = detail::FindWindow(h);
    return w && w->parent ? w->control_id : 0;
}

BOOL SetPropA(HWND h, LPCSTR name, HANDLE data) {
    detail::Window* w = detail::FindWindow(h);
    if (!w || !name || !*name) return FALSE;
    w->props[prop_key(name)] = data;
    return TRUE;
}

HANDLE GetPropA(HWND h, LPCSTR name) {
    detail::Window* w = detail::FindWindow(h);
    if (!w || !name) return nullptr;
    auto it = w->props.find(prop_key(name));
    return it == w->props.end() ? nullptr : it->second;
}

HANDLE RemovePropA(HWND h, LPCSTR name) {
    detail::Window* w = detail::FindWindow(h);
    if (!w || !name) return nullptr;
    auto it = w->props.find(prop_key(name));
    if (it == w->props.end()) return nullptr;
    const HANDLE data = it->second;
    w->props.erase(it);
    return data;
}

int SetWindowRgn(HWND h, HRGN rgn, BOOL redraw) {
    detail::Window* w = detail::FindWindow(h);
    if (!w || (rgn && !gdi_region(rgn))) return 0;
    if (w->region && w->region != rgn) DeleteObject(w->region);
    w->region = rgn;
    if (redraw) InvalidateRect(h, nullptr, TRUE);
    return 1;
}

}  // namespace win32
