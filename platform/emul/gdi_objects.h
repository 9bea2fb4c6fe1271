// Inside the platform: what a GDI handle points at. Every handle the GDI calls give out is a
// registered GdiObject; calls check the handle and its kind before trusting it.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/emul/dib_reader.h"  // RgbQuad
#include "platform/win32.h"

namespace win32 {

enum class GdiKind { Bitmap, Palette, Region };

struct GdiObject {
    explicit GdiObject(GdiKind k) : kind(k) {}
    virtual ~GdiObject() = default;
    GdiKind kind;
    bool stock = false;  // shared by the system: never deleted
};

// A DIB section: rows bottom-up (top-down when top_down), each `stride` bytes (a multiple of 4).
struct GdiBitmap : GdiObject {
    GdiBitmap() : GdiObject(GdiKind::Bitmap) {}
    int width = 0;
    int height = 0;
    int bpp = 0;  // 1, 4 or 8 (indices into colors), 24 (B, G, R) or 32 (B, G, R, A)
    int stride = 0;
    bool top_down = false;
    int selected = 0;  // device contexts it is selected into (0 or 1)
    std::vector<uint8_t> bits;
    std::vector<RgbQuad> colors;  // colour table of a palette bitmap

    uint32_t rgb_at(int x, int y) const;       // 0x00RRGGBB of the pixel in picture row y (0 = top)
    void set_rgb(int x, int y, uint32_t rgb);  // palette bitmaps take the nearest table colour
};

struct GdiPalette : GdiObject {
    GdiPalette() : GdiObject(GdiKind::Palette) {}
    std::vector<PALETTEENTRY> entries;
};

// A region as horizontal bands, top to bottom, none empty and none overlapping; each band's spans
// are disjoint, sorted and not touching, and no two adjacent bands with equal spans touch.
struct Span {
    int left, right;
};
struct Band {
    int top, bottom;
    std::vector<Span> spans;
};
struct GdiRegion : GdiObject {
    GdiRegion() : GdiObject(GdiKind::Region) {}
    std::vector<Band> bands;
};

HGDIOBJ gdi_register(std::unique_ptr<GdiObject> obj);
GdiObject* gdi_find(HGDIOBJ h);  // nullptr for anything not live
GdiBitmap* gdi_bitmap(HGDIOBJ h);
GdiPalette* gdi_palette(HGDIOBJ h);
GdiRegion* gdi_region(HGDIOBJ h);

HGDIOBJ stock_bitmap();   // the 1 x 1 bitmap a new memory DC holds
HGDIOBJ stock_palette();  // the default palette

bool region_contains(const GdiRegion& r, int x, int y);

}  // namespace win32
