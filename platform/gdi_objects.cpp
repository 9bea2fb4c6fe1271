// The table of live GDI objects, and the calls that work on any kind of them.
#include "platform/gdi_objects.h"

#include <cstring>
#include <unordered_map>

namespace win32 {
namespace {
std::unordered_map<HGDIOBJ, std::unique_ptr<GdiObject>>& table() {
    static std::unordered_map<HGDIOBJ, std::unique_ptr<GdiObject>> t;
    return t;
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

GdiBitmap* gdi_bitmap(HGDIOBJ h) {
    GdiObject* o = gdi_find(h);
    return o && o->kind == GdiKind::Bitmap ? static_cast<GdiBitmap*>(o) : nullptr;
}

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
    return 0;
}

BOOL DeleteObject(HGDIOBJ obj) {
    return table().erase(obj) ? TRUE : FALSE;
}

}  // namespace win32
