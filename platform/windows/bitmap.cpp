// LoadBitmapFromMemory on Windows: the file's own BITMAPINFO and bits, into a DIB section of its size.
#include <cstring>

#include "platform/win32.h"

namespace win32 {

HBITMAP LoadBitmapFromMemory(const void* bytes, size_t size) {
    const auto* p = static_cast<const uint8_t*>(bytes);
    BITMAPFILEHEADER fh;
    BITMAPINFOHEADER ih;
    if (!p || size < sizeof fh + sizeof ih) return nullptr;
    std::memcpy(&fh, p, sizeof fh);
    std::memcpy(&ih, p + sizeof fh, sizeof ih);
    if (fh.bfType != BMP_SIGNATURE || ih.biSize < sizeof ih || ih.biSize > size - sizeof fh) return nullptr;
    if (ih.biWidth <= 0 || ih.biHeight == 0 || ih.biWidth > 32768 || ih.biHeight > 32768 || ih.biHeight < -32768)
        return nullptr;
    if (ih.biCompression != BI_RGB && ih.biCompression != BI_BITFIELDS) return nullptr;  // LoadImageA's job
    const uint64_t rows = uint64_t(ih.biHeight < 0 ? -int64_t(ih.biHeight) : ih.biHeight);
    const uint64_t stride = (uint64_t(ih.biWidth) * ih.biBitCount + 31) / 32 * 4;
    if (fh.bfOffBits > size || stride * rows > size - fh.bfOffBits) return nullptr;
    void* bits = nullptr;
    const HBITMAP h = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(p + sizeof fh), DIB_RGB_COLORS,
                                       &bits, nullptr, 0);
    if (!h || !bits) return nullptr;
    std::memcpy(bits, p + fh.bfOffBits, size_t(stride * rows));
    return h;
}

}  // namespace win32
