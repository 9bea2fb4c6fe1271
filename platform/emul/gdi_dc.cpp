// Memory device contexts, what is selected into them, and copying pixels between them and child
// windows.
#include <algorithm>

#include "platform/emul/backend.h"
#include "platform/emul/gdi_objects.h"

namespace win32 {
namespace {
std::map<uintptr_t, std::unique_ptr<detail::DeviceContext>> g_dcs;
uintptr_t g_next_dc = 0x20000;
}  // namespace

namespace detail {
DeviceContext* FindDC(HDC h) {
    auto it = g_dcs.find(reinterpret_cast<uintptr_t>(h));
    return it == g_dcs.end() ? nullptr : it->second.get();
}

HDC AddDC(std::unique_ptr<DeviceContext> dc) {
    dc->id = g_next_dc++;
    const HDC handle = reinterpret_cast<HDC>(dc->id);
    g_dcs[dc->id] = std::move(dc);
    return handle;
}

void RemoveDC(HDC h) { g_dcs.erase(reinterpret_cast<uintptr_t>(h)); }

int CountMemoryDCs() {
    int n = 0;
    for (const auto& [id, dc] : g_dcs)
        if (dc->memory) ++n;
    return n;
}

void ReleaseWindowResources(Window* w) {
    const HWND h = HandleOf(w);
    if (w->region) {
        DeleteObject(w->region);  // the window owned it
        w->region = nullptr;
    }
    for (auto it = g_dcs.begin(); it != g_dcs.end();) it = it->second->window == h ? g_dcs.erase(it) : std::next(it);
    if (w->native) backend::ReleaseNativeWindow(w);
}
}  // namespace detail

HDC GetDC(HWND h) {
    detail::Window* w = h ? detail::FindWindow(h) : nullptr;
    if (h && !w) return nullptr;
    if (w && w->dc && detail::FindDC(w->dc)) return w->dc;
    auto dc = std::make_unique<detail::DeviceContext>();
    dc->window = h;
    const HDC handle = detail::AddDC(std::move(dc));
    if (w) w->dc = handle;
    return handle;
}

int ReleaseDC(HWND, HDC h) {
    detail::DeviceContext* dc = detail::FindDC(h);
    if (!dc || dc->memory) return 0;
    // A window keeps its one DC; each GetDC(0) made a screen DC of its own.
    if (!dc->window) detail::RemoveDC(h);
    return 1;
}

namespace {

// Where a device context's pixels are: the bitmap of a memory DC or a child window's surface.
struct Canvas {
    GdiBitmap* bitmap = nullptr;
    detail::Window* window = nullptr;
    const GdiRegion* clip = nullptr;  // the window's region
    int width = 0, height = 0;

    uint32_t get(int x, int y) const {
        return bitmap ? bitmap->rgb_at(x, y) : window->pixels[size_t(y) * size_t(width) + size_t(x)] & 0xFFFFFF;
    }
    void put(int x, int y, uint32_t rgb) {
        if (bitmap) {
            bitmap->set_rgb(x, y, rgb);
        } else if (!clip || region_contains(*clip, x, y)) {
            window->pixels[size_t(y) * size_t(width) + size_t(x)] = 0xFF000000u | rgb;  // painted: shown
        }
    }
};

bool canvas_of(HDC h, Canvas& c) {
    detail::DeviceContext* dc = detail::FindDC(h);
    if (!dc) return false;
    if (dc->memory) {
        c.bitmap = gdi_bitmap(dc->bitmap);
        if (!c.bitmap) return false;
        c.width = c.bitmap->width;
        c.height = c.bitmap->height;
        return true;
    }
    detail::Window* w = detail::FindWindow(dc->window);
    if (!w || !w->parent) return false;  // the top-level window is OpenGL's
    c.window = w;
    c.clip = w->region ? gdi_region(w->region) : nullptr;
    c.width = w->surface_w;
    c.height = w->surface_h;
    return true;
}

detail::DeviceContext* memory_dc(HDC h) {
    detail::DeviceContext* dc = detail::FindDC(h);
    return dc && dc->memory ? dc : nullptr;
}

void deselect_bitmap(detail::DeviceContext* dc) {
    if (GdiBitmap* b = gdi_bitmap(dc->bitmap))
        if (!b->stock && b->selected > 0) --b->selected;
    dc->bitmap = nullptr;
}

}  // namespace

namespace {}  // namespace

HDC CreateCompatibleDC(HDC h) {
    if (detail::Switches().refuse_memory_dcs || (h && !detail::FindDC(h))) return nullptr;
    auto dc = std::make_unique<detail::DeviceContext>();
    dc->memory = true;
    dc->bitmap = stock_bitmap();
    dc->palette = stock_palette();
    return detail::AddDC(std::move(dc));
}

BOOL DeleteDC(HDC h) {
    detail::DeviceContext* dc = memory_dc(h);
    if (!dc) return FALSE;
    deselect_bitmap(dc);
    detail::RemoveDC(h);
    return TRUE;
}

HGDIOBJ SelectObject(HDC h, HGDIOBJ obj) {
    detail::DeviceContext* dc = memory_dc(h);
    GdiBitmap* b = gdi_bitmap(obj);
    if (!dc || !b) return nullptr;
    if (obj == dc->bitmap) return obj;
    if (!b->stock && b->selected > 0) return nullptr;  // in another DC already
    const HGDIOBJ previous = dc->bitmap;
    deselect_bitmap(dc);
    dc->bitmap = obj;
    if (!b->stock) ++b->selected;
    return previous;
}

HGDIOBJ GetCurrentObject(HDC h, UINT type) {
    detail::DeviceContext* dc = detail::FindDC(h);
    if (!dc) return nullptr;
    if (type == OBJ_BITMAP) return dc->memory ? dc->bitmap : nullptr;
    if (type == OBJ_PAL) return dc->palette ? dc->palette : stock_palette();
    return nullptr;
}

HPALETTE SelectPalette(HDC h, HPALETTE pal, BOOL) {
    detail::DeviceContext* dc = detail::FindDC(h);
    if (!dc || !gdi_palette(pal)) return nullptr;
    const HPALETTE previous = static_cast<HPALETTE>(dc->palette ? dc->palette : stock_palette());
    dc->palette = pal;
    return previous;
}

UINT RealizePalette(HDC h) {
    // The display is true colour: realising maps nothing, it only reports the palette's size.
    detail::DeviceContext* dc = detail::FindDC(h);
    if (!dc) return 0;
    const GdiPalette* p = gdi_palette(dc->palette ? dc->palette : stock_palette());
    return p ? UINT(p->entries.size()) : 0;
}

BOOL BitBlt(HDC dst, int x, int y, int cx, int cy, HDC src, int x1, int y1, DWORD rop) {
    Canvas to, from;
    if (rop != SRCCOPY || !canvas_of(dst, to) || !canvas_of(src, from)) return FALSE;
    // Only the part that lies inside both pictures is copied.
    const int64_t i0 = std::max<int64_t>({0, -int64_t(x), -int64_t(x1)});
    const int64_t j0 = std::max<int64_t>({0, -int64_t(y), -int64_t(y1)});
    const int64_t i1 = std::min<int64_t>({cx, int64_t(to.width) - x, int64_t(from.width) - x1});
    const int64_t j1 = std::min<int64_t>({cy, int64_t(to.height) - y, int64_t(from.height) - y1});
    if (i0 >= i1 || j0 >= j1) return TRUE;
    const bool same = to.bitmap == from.bitmap && to.window == from.window;
    std::vector<uint32_t> staged;  // overlapping copies within one picture read before they write
    if (same) staged.reserve(size_t((i1 - i0) * (j1 - j0)));
    if (same)
        for (int64_t j = j0; j < j1; ++j)
            for (int64_t i = i0; i < i1; ++i) staged.push_back(from.get(int(x1 + i), int(y1 + j)));
    size_t k = 0;
    for (int64_t j = j0; j < j1; ++j)
        for (int64_t i = i0; i < i1; ++i)
            to.put(int(x + i), int(y + j), same ? staged[k++] : from.get(int(x1 + i), int(y1 + j)));
    return TRUE;
}

COLORREF GetPixel(HDC h, int x, int y) {
    Canvas c;
    if (!canvas_of(h, c) || x < 0 || y < 0 || x >= c.width || y >= c.height) return CLR_INVALID;
    const uint32_t rgb = c.get(x, y);
    return RGB(int(rgb >> 16 & 0xFF), int(rgb >> 8 & 0xFF), int(rgb & 0xFF));
}

}  // namespace win32
