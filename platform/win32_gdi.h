// GDI: bitmaps and device-independent bitmaps, memory device contexts, palettes, regions, global memory.
// Included by win32.h; declared in namespace win32.
#pragma once
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
    LPVOID bmBits;      // rows bottom-up
};

constexpr WORD BMP_SIGNATURE = 0x4D42;  // "BM"
constexpr DWORD BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3;
constexpr UINT IMAGE_BITMAP = 0;
constexpr UINT LR_DEFAULTCOLOR = 0x0000, LR_LOADTRANSPARENT = 0x0020, LR_LOADFROMFILE = 0x0010,
               LR_CREATEDIBSECTION = 0x2000;

// Only IMAGE_BITMAP with LR_LOADFROMFILE: the file becomes a DIB section at its own size
// (cx and cy must be 0). 24- and 32-bit files keep their depth (B, G, R (, A) per pixel);
// palette files come out as 8-bit indices; anything else as 32-bit. NULL when the file is unusable.
HANDLE LoadImageA(HINSTANCE inst, LPCSTR name, UINT type, int cx, int cy, UINT flags);
// The same from a file's bytes in memory (what LoadImageA does after reading the file).
HBITMAP LoadBitmapFromMemory(const void* bytes, size_t size);
// A BITMAP record for a bitmap; out == NULL asks for the size. 0 on failure or a short buffer.
int GetObjectA(HGDIOBJ obj, int size, void* out);
BOOL DeleteObject(HGDIOBJ obj);

}  // namespace win32
