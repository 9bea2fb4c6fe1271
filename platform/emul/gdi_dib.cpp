// DIB sections made by the program or read from BMP files: their pixels, their colour tables, and how
// to read and write one pixel of any depth.
#include <algorithm>
#include <cstring>

#include "platform/emul/backend.h"
#include "platform/emul/dib_reader.h"
#include "platform/emul/gdi_objects.h"

namespace win32 {
namespace {
constexpr int64_t kMaxSide = 32768;
constexpr int64_t kMaxBytes = int64_t(1) << 30;

const uint8_t* row_of(const GdiBitmap& b, int y) {
    const int row = b.top_down ? y : b.height - 1 - y;
    return b.bits.data() + size_t(row) * size_t(b.stride);
}

int nearest_index(const std::vector<RgbQuad>& table, uint32_t rgb) {
    const int r = int(rgb >> 16 & 0xFF), g = int(rgb >> 8 & 0xFF), b = int(rgb & 0xFF);
    int best = 0, best_d = 1 << 30;
    for (size_t i = 0; i < table.size(); ++i) {
        const int dr = table[i].red - r, dg = table[i].green - g, db = table[i].blue - b;
        const int d = dr * dr + dg * dg + db * db;
        if (d < best_d) {
            best_d = d;
            best = int(i);
            if (d == 0) break;
        }
    }
    return best;
}
}  // namespace

uint32_t GdiBitmap::rgb_at(int x, int y) const {
    const uint8_t* p = row_of(*this, y);
    int index;
    switch (bpp) {
    case 32:
    case 24: {
        const uint8_t* q = p + size_t(x) * size_t(bpp / 8);
        return uint32_t(q[2]) << 16 | uint32_t(q[1]) << 8 | q[0];
    }
    case 8: index = p[x]; break;
    case 4: index = (p[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F; break;
    case 1: index = (p[x / 8] >> (7 - x % 8)) & 1; break;
    default: return 0;
    }
    if (size_t(index) >= colors.size()) return 0;
    const RgbQuad& c = colors[size_t(index)];
    return uint32_t(c.red) << 16 | uint32_t(c.green) << 8 | c.blue;
}

void GdiBitmap::set_rgb(int x, int y, uint32_t rgb) {
    uint8_t* p = const_cast<uint8_t*>(row_of(*this, y));
    if (bpp == 32 || bpp == 24) {
        uint8_t* q = p + size_t(x) * size_t(bpp / 8);
        q[0] = uint8_t(rgb);
        q[1] = uint8_t(rgb >> 8);
        q[2] = uint8_t(rgb >> 16);
        if (bpp == 32) q[3] = 0;  // GDI leaves the fourth byte clear
        return;
    }
    const int index = nearest_index(colors, rgb);
    if (bpp == 8) {
        p[x] = uint8_t(index);
    } else if (bpp == 4) {
        const int shift = x % 2 ? 0 : 4;
        p[x / 2] = uint8_t((p[x / 2] & ~(0x0F << shift)) | (index & 0x0F) << shift);
    } else if (bpp == 1) {
        const int shift = 7 - x % 8;
        p[x / 8] = uint8_t((p[x / 8] & ~(1 << shift)) | (index & 1) << shift);
    }
}

HBITMAP CreateDIBSection(HDC h, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD) {
    if (bits) *bits = nullptr;
    if (!info || section || (usage != DIB_RGB_COLORS && usage != DIB_PAL_COLORS)) return nullptr;
    const BITMAPINFOHEADER& ih = info->bmiHeader;
    const int bpp = ih.biBitCount;
    if (ih.biSize < sizeof(BITMAPINFOHEADER) || ih.biPlanes != 1 || ih.biCompression != BI_RGB) return nullptr;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return nullptr;
    const int64_t width = ih.biWidth, height = ih.biHeight < 0 ? -int64_t(ih.biHeight) : int64_t(ih.biHeight);
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return nullptr;
    const int64_t stride = host::DibStride(width, bpp);
    if (stride * height > kMaxBytes) return nullptr;

    auto b = std::make_unique<GdiBitmap>();
    b->width = int(width);
    b->height = int(height);
    b->bpp = bpp;
    b->stride = int(stride);
    b->top_down = ih.biHeight < 0;
    b->bits.assign(size_t(stride * height), 0);
    if (bpp <= 8) {
        const size_t most = size_t(1) << bpp;
        const size_t n = ih.biClrUsed == 0 || ih.biClrUsed > most ? most : ih.biClrUsed;
        // The table follows the header wherever the header says it ends.
        const auto* table = reinterpret_cast<const uint8_t*>(info) + ih.biSize;
        if (usage == DIB_RGB_COLORS) {
            for (size_t i = 0; i < n; ++i) {
                RGBQUAD q;
                std::memcpy(&q, table + i * sizeof q, sizeof q);
                b->colors.push_back({q.rgbBlue, q.rgbGreen, q.rgbRed, 0});
            }
        } else {  // indices into the palette selected into the DC
            detail::DeviceContext* dc = detail::FindDC(h);
            const GdiPalette* pal = gdi_palette(dc && dc->palette ? dc->palette : stock_palette());
            for (size_t i = 0; i < n; ++i) {
                WORD index;
                std::memcpy(&index, table + i * sizeof index, sizeof index);
                const PALETTEENTRY e = pal && index < pal->entries.size() ? pal->entries[index] : PALETTEENTRY{};
                b->colors.push_back({e.peBlue, e.peGreen, e.peRed, 0});
            }
        }
    }
    if (bits) *bits = b->bits.data();
    return static_cast<HBITMAP>(gdi_register(std::move(b)));
}

UINT GetDIBColorTable(HDC h, UINT start, UINT count, RGBQUAD* out) {
    detail::DeviceContext* dc = detail::FindDC(h);
    const GdiBitmap* b = dc && dc->memory ? gdi_bitmap(dc->bitmap) : nullptr;
    if (!b || b->bpp > 8 || !out || start >= b->colors.size()) return 0;
    const UINT n = UINT(std::min<size_t>(count, b->colors.size() - start));
    for (UINT i = 0; i < n; ++i) {
        const RgbQuad& c = b->colors[start + i];
        out[i] = RGBQUAD{c.blue, c.green, c.red, 0};
    }
    return n;
}

HBITMAP LoadBitmapFromMemory(const void* bytes, size_t size) {
    DibPicture picture;
    if (ReadDib(static_cast<const uint8_t*>(bytes), size, picture)) return nullptr;
    auto b = std::make_unique<GdiBitmap>();
    b->width = picture.width;
    b->height = picture.height;
    b->bpp = picture.bits;
    b->stride = picture.stride;
    b->bits = std::move(picture.rows);
    b->colors = std::move(picture.colours);
    return static_cast<HBITMAP>(gdi_register(std::move(b)));
}

HANDLE LoadImageA(HINSTANCE, LPCSTR name, UINT type, int cx, int cy, UINT flags) {
    // Stretching on load and loading from resources are not needed by anyone here.
    if (type != IMAGE_BITMAP || !(flags & LR_LOADFROMFILE) || cx != 0 || cy != 0 || !name) return nullptr;
    std::vector<uint8_t> data;
    return host::ReadWholeFile(name, data) ? LoadBitmapFromMemory(data.data(), data.size()) : nullptr;
}

}  // namespace win32
