// The table of live GDI objects, and the calls that work on any kind of them.
#include "platform/emul/gdi_objects.h"

#include <cstring>
#include <unordered_map>

#include "platform/emul/emul.h"

namespace win32 {
namespace {
std::unordered_map<HGDIOBJ, std::unique_ptr<GdiObject>>& table() {
    static std::unordered_map<HGDIOBJ, std::unique_ptr<GdiObject>> t;
    return t;
}

template <class T>
T* find_kind(HGDIOBJ h, GdiKind kind) {
    GdiObject* o = gdi_find(h);
    return o && o->kind == kind ? static_cast<T*>(o) : nullptr;
}
}  // namespace

HGDIOBJ gdi_register(std::unique_ptr<GdiObject> obj) {
    HGDIOBJ h = obj.get();
    table()[h] = std::move(obj);
    return h;
}

GdiObject* gdi_find(HGDIOBJ h) {
    auto it = table().find(h);
    return it == table().end() ? nullptr : it->second.get();
}

GdiBitmap* gdi_bitmap(HGDIOBJ h) { return find_kind<GdiBitmap>(h, GdiKind::Bitmap); }
GdiPalette* gdi_palette(HGDIOBJ h) { return find_kind<GdiPalette>(h, GdiKind::Palette); }
GdiRegion* gdi_region(HGDIOBJ h) { return find_kind<GdiRegion>(h, GdiKind::Region); }

HGDIOBJ stock_bitmap() {
    static HGDIOBJ h = [] {
        auto b = std::make_unique<GdiBitmap>();
        b->stock = true;
        b->width = b->height = 1;
        b->bpp = 1;
        b->stride = 4;
        b->bits.assign(4, 0);
        b->colors = {{0, 0, 0, 0}, {255, 255, 255, 0}};
        return gdi_register(std::move(b));
    }();
    return h;
}

HGDIOBJ stock_palette() {
    static HGDIOBJ h = [] {
        // The twenty static colours of the system palette.
        static const uint8_t rgb[20][3] = {{0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},
                                           {0, 0, 128},     {128, 0, 128},   {0, 128, 128},   {192, 192, 192},
                                           {192, 220, 192}, {166, 202, 240}, {255, 251, 240}, {160, 160, 164},
                                           {128, 128, 128}, {255, 0, 0},     {0, 255, 0},     {255, 255, 0},
                                           {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
        auto p = std::make_unique<GdiPalette>();
        p->stock = true;
        for (const auto& c : rgb) p->entries.push_back({c[0], c[1], c[2], 0});
        return gdi_register(std::move(p));
    }();
    return h;
}

namespace detail {
int CountLiveGdiObjects() {
    int n = 0;
    for (const auto& [h, o] : table())
        if (!o->stock) ++n;
    return n;
}
}  // namespace detail

int GetObjectA(HGDIOBJ obj, int size, void* out) {
    if (GdiBitmap* b = gdi_bitmap(obj)) {
        if (!out) return int(sizeof(BITMAP));
        if (size < int(sizeof(BITMAP))) return 0;
        BITMAP bm{};
        bm.bmType = 0;
        bm.bmWidth = b->width;
        bm.bmHeight = b->height;
        bm.bmWidthBytes = b->stride;
        bm.bmPlanes = 1;
        bm.bmBitsPixel = WORD(b->bpp);
        bm.bmBits = b->bits.empty() ? nullptr : b->bits.data();
        std::memcpy(out, &bm, sizeof bm);
        return int(sizeof(BITMAP));
    }
    if (GdiPalette* p = gdi_palette(obj)) {
        if (!out) return int(sizeof(WORD));
        if (size < int(sizeof(WORD))) return 0;
        const WORD n = WORD(p->entries.size());
        std::memcpy(out, &n, sizeof n);
        return int(sizeof(WORD));
    }
    return 0;
}

BOOL DeleteObject(HGDIOBJ obj) {
    GdiObject* o = gdi_find(obj);
    if (!o) return FALSE;
    if (o->stock) return TRUE;
    if (o->kind == GdiKind::Bitmap && static_cast<GdiBitmap*>(o)->selected > 0) return FALSE;
    table().erase(obj);
    return TRUE;
}

}  // namespace win32
