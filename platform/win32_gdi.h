// GDI: bitmaps and device-independent bitmaps, memory device contexts, palettes, regions, global memory.
// Included by win32.h; declared in namespace win32, the constants macros as there.
#pragma once
#if defined(_WIN32)
#include "win32.h"  // Windows' own GDI
#else
#include <cstddef>

namespace win32 {

// ---- bitmaps -----------------------------------------------------------------------------------
#pragma pack(push, 1)
struct BITMAPFILEHEADER {
    WORD bfType;  // "BM"
    DWORD bfSize;
    WORD bfReserved1;
    WORD bfReserved2;
    DWORD bfOffBits;
};
struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;  // negative: rows stored top-down
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};
#pragma pack(pop)
static_assert(sizeof(BITMAPFILEHEADER) == 14, "BITMAPFILEHEADER is 14 bytes");
static_assert(sizeof(BITMAPINFOHEADER) == 40, "BITMAPINFOHEADER is 40 bytes");

struct BITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;  // bytes per row, a multiple of 4 for a DIB section
    WORD bmPlanes;
    WORD bmBitsPixel;
    LPVOID bmBits;  // rows bottom-up
};

constexpr WORD BMP_SIGNATURE = 0x4D42;  // "BM"
#define BI_RGB 0L
#define BI_RLE8 1L
#define BI_RLE4 2L
#define BI_BITFIELDS 3L
#define IMAGE_BITMAP 0
#define LR_DEFAULTCOLOR 0x0000
#define LR_LOADTRANSPARENT 0x0020
#define LR_LOADFROMFILE 0x0010
#define LR_CREATEDIBSECTION 0x2000

// Only IMAGE_BITMAP with LR_LOADFROMFILE: the file becomes a DIB section at its own size
// (cx and cy must be 0). 24- and 32-bit files keep their depth (B, G, R (, A) per pixel);
// palette files come out as 8-bit indices; anything else as 32-bit. NULL when the file is unusable.
HANDLE LoadImageA(HINSTANCE inst, LPCSTR name, UINT type, int cx, int cy, UINT flags);
// Not a Windows call but one of ours beside LoadImageA: a BMP file's bytes already in memory become a
// DIB section as LoadImageA would make it, so that a file is read once. NULL when the bytes are unusable.
HBITMAP LoadBitmapFromMemory(const void* bytes, size_t size);
// A BITMAP record for a bitmap, or the WORD entry count of a palette; out == NULL asks for the size.
// 0 on failure or a short buffer.
int GetObjectA(HGDIOBJ obj, int size, void* out);
// Stock objects are never deleted; a bitmap still selected into a device context is not deleted.
BOOL DeleteObject(HGDIOBJ obj);

struct RGBQUAD {
    BYTE rgbBlue, rgbGreen, rgbRed, rgbReserved;
};
struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];  // biClrUsed entries (or 1 << bpp when 0) for palette formats
};
#define DIB_RGB_COLORS 0
#define DIB_PAL_COLORS 1
#define SRCCOPY ((::win32::DWORD)0x00CC0020)
#define OBJ_PAL 5
#define OBJ_BITMAP 7
#define CLR_INVALID 0xFFFFFFFF
#define RGB(r, g, b)                                                                         \
    ((::win32::COLORREF)(((::win32::BYTE)(r) | ((::win32::WORD)((::win32::BYTE)(g)) << 8)) | \
                         (((::win32::DWORD)(::win32::BYTE)(b)) << 16)))
#define GetRValue(rgb) (LOBYTE(rgb))
#define GetGValue(rgb) (LOBYTE(((::win32::WORD)(rgb)) >> 8))
#define GetBValue(rgb) (LOBYTE((rgb) >> 16))

// ---- device contexts ---------------------------------------------------------------------------
// A memory device context starts with a stock 1 x 1 bitmap and the stock palette selected.
HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);
// Bitmaps into memory DCs (one DC at a time); returns the previous bitmap, NULL on failure.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ obj);
HGDIOBJ GetCurrentObject(HDC dc, UINT type);  // OBJ_BITMAP or OBJ_PAL
// 1, 4, 8, 24 or 32 bits per pixel, BI_RGB; a negative height stores rows top-down.
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset);
UINT GetDIBColorTable(HDC dc, UINT start, UINT count, RGBQUAD* out);
// SRCCOPY between memory DCs and child windows' DCs, clipped to both pictures (and the window's region).
BOOL BitBlt(HDC dst, int x, int y, int cx, int cy, HDC src, int x1, int y1, DWORD rop);
COLORREF GetPixel(HDC dc, int x, int y);

// ---- palettes ----------------------------------------------------------------------------------
struct PALETTEENTRY {
    BYTE peRed, peGreen, peBlue, peFlags;
};
struct LOGPALETTE {
    WORD palVersion;  // 0x300
    WORD palNumEntries;
    PALETTEENTRY palPalEntry[1];  // palNumEntries of them
};
HPALETTE CreatePalette(const LOGPALETTE* pal);
HPALETTE CreateHalftonePalette(HDC dc);
HPALETTE SelectPalette(HDC dc, HPALETTE pal, BOOL background);  // the previous palette
UINT RealizePalette(HDC dc);
UINT GetPaletteEntries(HPALETTE pal, UINT start, UINT count, PALETTEENTRY* out);

// ---- regions -----------------------------------------------------------------------------------
struct RGNDATAHEADER {
    DWORD dwSize;  // 32
    DWORD iType;   // RDH_RECTANGLES
    DWORD nCount;  // rectangles that follow
    DWORD nRgnSize;
    RECT rcBound;
};
struct RGNDATA {
    RGNDATAHEADER rdh;
    char Buffer[1];  // nCount RECTs
};
static_assert(sizeof(RGNDATAHEADER) == 32, "RGNDATAHEADER is 32 bytes");
struct XFORM {
    float eM11, eM12, eM21, eM22, eDx, eDy;
};
#define RDH_RECTANGLES 1
#define RGN_AND 1
#define RGN_OR 2
#define RGN_XOR 3
#define RGN_DIFF 4
#define RGN_COPY 5
#define RGN_ERROR 0
#define NULLREGION 1
#define SIMPLEREGION 2
#define COMPLEXREGION 3

HRGN CreateRectRgn(int left, int top, int right, int bottom);
// From a header and its rectangles (any order, overlaps allowed); `bytes` is the size of the data.
// Only the identity transform (NULL) is supported. Zero rectangles give an empty region.
HRGN ExtCreateRegion(const XFORM* xform, DWORD bytes, const RGNDATA* data);
int CombineRgn(HRGN dst, HRGN src1, HRGN src2, int mode);  // the kind of the result, RGN_ERROR on failure
BOOL PtInRegion(HRGN rgn, int x, int y);
BOOL EqualRgn(HRGN a, HRGN b);
int GetRgnBox(HRGN rgn, RECT* out);
int OffsetRgn(HRGN rgn, int dx, int dy);
// The region as a header and disjoint rectangles, top to bottom, left to right; out == NULL asks for
// the size in bytes. 0 on failure or a short buffer.
DWORD GetRegionData(HRGN rgn, DWORD bytes, RGNDATA* out);

// ---- global memory -----------------------------------------------------------------------------
#define GMEM_FIXED 0x0
#define GMEM_MOVEABLE 0x2
#define GMEM_ZEROINIT 0x40
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)
HGLOBAL GlobalAlloc(UINT flags, size_t bytes);
// A movable block may move when it is not locked; a locked one only with GMEM_MOVEABLE in flags.
HGLOBAL GlobalReAlloc(HGLOBAL mem, size_t bytes, UINT flags);
LPVOID GlobalLock(HGLOBAL mem);
BOOL GlobalUnlock(HGLOBAL mem);  // FALSE once the lock count is back at 0
size_t GlobalSize(HGLOBAL mem);
HGLOBAL GlobalFree(HGLOBAL mem);  // NULL on success, the handle on failure

}  // namespace win32
#endif  // _WIN32
