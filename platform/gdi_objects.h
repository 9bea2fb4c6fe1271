// Inside the platform: what a GDI handle points at. Every handle the GDI calls give out is a
// registered GdiObject; calls check the handle and its kind before trusting it.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/win32.h"

namespace win32 {

enum class GdiKind { Bitmap };

struct GdiObject {
    explicit GdiObject(GdiKind k) : kind(k) {}
    virtual ~GdiObject() = default;
    GdiKind kind;
};

struct RgbQuad {
    uint8_t blue, green, red, reserved;
};

// A DIB section: rows bottom-up, each `stride` bytes (a multiple of 4).
struct GdiBitmap : GdiObject {
    GdiBitmap() : GdiObject(GdiKind::Bitmap) {}
    int width = 0;
    int height = 0;
    int bpp = 0;     // 8 (indices into colors), 24 (B, G, R) or 32 (B, G, R, A)
    int stride = 0;
    std::vector<uint8_t> bits;
    std::vector<RgbQuad> colors;  // colour table of an 8-bit bitmap
};

HGDIOBJ gdi_register(std::unique_ptr<GdiObject> obj);
GdiObject* gdi_find(HGDIOBJ h);  // nullptr for anything not live
GdiBitmap* gdi_bitmap(HGDIOBJ h);

}  // namespace win32
