// A BMP file into a bitmap and a palette, and a bitmap's non-transparent pixels into a region.
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/host/host.h"
#include "window/CRVL_HoverButton.h"

namespace corvala {

using namespace win32;

namespace {
constexpr DWORD kRectsPerRegionCall = 2000;
constexpr LONG kBoundStart = 0x7FFFFFFF;

void reset_bounds(RGNDATAHEADER& h) { h.rcBound = RECT{kBoundStart, kBoundStart, 0, 0}; }
}  // namespace

HBITMAP LOADBMPFROMFILE(const char* FILENAME, HPALETTE& PAL) {
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), FILENAME, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!bitmap) return nullptr;
    BITMAP bm{};
    GetObjectA(bitmap, sizeof bm, &bm);
    if (bm.bmBitsPixel * bm.bmPlanes <= 8) {
        HDC mem = CreateCompatibleDC(nullptr);
        if (!mem) {  // no table to read: the caller gets nothing rather than a bitmap without its palette
            DeleteObject(bitmap);
            return nullptr;
        }
        const HGDIOBJ old = SelectObject(mem, bitmap);
        RGBQUAD table[256] = {};
        const UINT colours = GetDIBColorTable(mem, 0, 256, table);
        // A table shorter than 256 leaves the remaining entries black.
        std::vector<uint8_t> storage(sizeof(LOGPALETTE) + 255 * sizeof(PALETTEENTRY), 0);
        auto* logical = reinterpret_cast<LOGPALETTE*>(storage.data());
        logical->palVersion = 0x300;
        logical->palNumEntries = 256;
        PALETTEENTRY* entries = logical->palPalEntry;
        for (UINT i = 0; i < colours && i < 256; ++i)
            entries[i] = PALETTEENTRY{table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
        PAL = CreatePalette(logical);
        SelectObject(mem, old);
        DeleteDC(mem);
    } else {
        HDC screen = GetDC(nullptr);
        PAL = CreateHalftonePalette(screen);
        ReleaseDC(nullptr, screen);
    }
    return bitmap;
}

HRGN BITMAPTOREGION(const char* BMPNAME, COLORREF TRANSCOLOR, BYTE TOLERANCE) {
    HPALETTE palette = nullptr;
    HBITMAP source = LOADBMPFROMFILE(BMPNAME, palette);
    if (!source) return nullptr;
    HRGN result = nullptr;
    HDC mem = nullptr, copy_dc = nullptr;
    HBITMAP dib = nullptr;
    HGDIOBJ old_dib = nullptr;
    HGLOBAL block = nullptr;
    bool ok = false;

    do {
        mem = CreateCompatibleDC(nullptr);
        if (!mem) break;
        BITMAP bm{};
        GetObjectA(source, sizeof bm, &bm);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = bm.bmWidth;
        info.bmiHeader.biHeight = bm.bmHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits32 = nullptr;
        dib = CreateDIBSection(mem, &info, DIB_RGB_COLORS, &bits32, nullptr, 0);
        if (!dib) break;
        old_dib = SelectObject(mem, dib);

        // The source, whatever its depth, becomes 32-bit pixels.
        copy_dc = CreateCompatibleDC(mem);
        if (!copy_dc) break;
        const HGDIOBJ old_source = SelectObject(copy_dc, source);
        const HPALETTE old_palette = SelectPalette(copy_dc, palette, TRUE);
        RealizePalette(copy_dc);
        BitBlt(mem, 0, 0, bm.bmWidth, bm.bmHeight, copy_dc, 0, 0, SRCCOPY);
        if (old_palette) SelectPalette(copy_dc, old_palette, TRUE);
        SelectObject(copy_dc, old_source);
        DeleteDC(copy_dc);
        copy_dc = nullptr;

        BITMAP bm32{};
        GetObjectA(dib, sizeof bm32, &bm32);
        bm32.bmWidthBytes = LONG(host::DibStride(bm32.bmWidth, bm32.bmBitsPixel));

        DWORD capacity = ALLOC_UNIT;
        block = GlobalAlloc(GMEM_MOVEABLE, sizeof(RGNDATAHEADER) + sizeof(RECT) * capacity);
        auto* data = static_cast<RGNDATA*>(block ? GlobalLock(block) : nullptr);
        if (!data) break;
        data->rdh.dwSize = sizeof(RGNDATAHEADER);
        data->rdh.iType = RDH_RECTANGLES;
        data->rdh.nCount = 0;
        data->rdh.nRgnSize = 0;
        reset_bounds(data->rdh);

        const int lr = GetRValue(TRANSCOLOR), lg = GetGValue(TRANSCOLOR), lb = GetBValue(TRANSCOLOR);
        const int hr = std::min(0xFF, lr + TOLERANCE), hg = std::min(0xFF, lg + TOLERANCE),
                  hb = std::min(0xFF, lb + TOLERANCE);

        // Adds the rectangles gathered so far to the result and starts a new batch.
        auto flush = [&]() -> bool {
            HRGN part = ExtCreateRegion(nullptr, DWORD(sizeof(RGNDATAHEADER) + sizeof(RECT) * capacity), data);
            if (!part) return false;  // a batch that cannot be made would leave holes in the shape
            if (result) {
                CombineRgn(result, result, part, RGN_OR);
                DeleteObject(part);
            } else {
                result = part;
            }
            data->rdh.nCount = 0;
            reset_bounds(data->rdh);
            return true;
        };

        bool failed = false;
        // Picture row 0 is the last row in memory.
        const uint8_t* row =
            static_cast<const uint8_t*>(bm32.bmBits) + size_t(bm32.bmHeight - 1) * size_t(bm32.bmWidthBytes);
        for (LONG y = 0; y < bm32.bmHeight && !failed; ++y, row -= bm32.bmWidthBytes) {
            for (LONG x = 0; x < bm32.bmWidth && !failed; ++x) {
                const LONG x0 = x;
                for (; x < bm32.bmWidth; ++x) {
                    const uint8_t* p = row + size_t(x) * 4;  // B, G, R, unused
                    const int b = p[0], g = p[1], r = p[2];
                    if (r >= lr && r <= hr && g >= lg && g <= hg && b >= lb && b <= hb) break;
                }
                if (x == x0) continue;
                if (data->rdh.nCount >= capacity) {
                    GlobalUnlock(block);
                    capacity += ALLOC_UNIT;
                    // On failure the old block is still ours: it is freed below with everything else.
                    HGLOBAL grown =
                        GlobalReAlloc(block, sizeof(RGNDATAHEADER) + sizeof(RECT) * capacity, GMEM_MOVEABLE);
                    data = static_cast<RGNDATA*>(grown ? GlobalLock(grown) : nullptr);
                    if (!data) {
                        failed = true;
                        break;
                    }
                    block = grown;
                }
                RECT* rects = reinterpret_cast<RECT*>(data->Buffer);
                rects[data->rdh.nCount] = RECT{x0, y, x, y + 1};
                RECT& bound = data->rdh.rcBound;
                bound.left = std::min(bound.left, x0);
                bound.top = std::min(bound.top, y);
                bound.right = std::max(bound.right, x);
                bound.bottom = std::max(bound.bottom, y + 1);
                ++data->rdh.nCount;
                if (data->rdh.nCount == kRectsPerRegionCall && !flush()) failed = true;
            }
        }
        if (failed || !flush()) break;  // the last batch goes in even when it is empty
        ok = true;
    } while (false);

    if (block) GlobalFree(block);
    if (mem) {
        if (old_dib) SelectObject(mem, old_dib);
        DeleteDC(mem);
    }
    if (copy_dc) DeleteDC(copy_dc);
    if (dib) DeleteObject(dib);
    if (palette) DeleteObject(palette);
    DeleteObject(source);
    if (!ok && result) {
        DeleteObject(result);
        result = nullptr;
    }
    return result;
}

}  // namespace corvala
