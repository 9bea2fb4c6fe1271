// BMP files as the texture loader sees them: the depth probe, then the platform's decoder into a DIB section.
#include <cstdint>
#include <cstdlib>

#include "corvala/texture/CRVL_Texture.h"
#include "platform/emul/backend.h"
#include "platform/host/host.h"
#include "platform/win32.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const int32_t depth = corvala::bmp_depth_from_memory(data, size);
    win32::HBITMAP h = win32::LoadBitmapFromMemory(data, size);
    if (!h) return 0;
    win32::BITMAP bm{};
    if (win32::GetObjectA(h, sizeof bm, &bm) != int(sizeof bm)) std::abort();
    // The texture loader reads bmHeight rows of bmWidthBytes, and swaps bmWidth pixels of each 24-bit row.
    if (bm.bmWidth <= 0 || bm.bmHeight <= 0 || bm.bmWidthBytes % 4 != 0 ||
        int64_t(bm.bmWidthBytes) * 8 < int64_t(bm.bmWidth) * bm.bmBitsPixel || !bm.bmBits)
        std::abort();
    if ((depth == 24 || depth == 32) && bm.bmBitsPixel != depth) std::abort();
    auto* p = static_cast<uint8_t*>(bm.bmBits);
    const size_t total = size_t(bm.bmWidthBytes) * size_t(bm.bmHeight);
    volatile uint8_t sum = 0;
    for (size_t i = 0; i < total; ++i) sum = uint8_t(sum + p[i]);
    if (bm.bmBitsPixel == 24)
        for (int32_t row = 0; row < bm.bmHeight; ++row)
            corvala::SWAPRGB(p + size_t(row) * size_t(bm.bmWidthBytes), bm.bmWidth);
    win32::DeleteObject(h);
    return 0;
}
