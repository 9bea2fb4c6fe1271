// Image-button bitmaps as the framework reads them: the file into a bitmap and a palette, and into
// the region of its non-magenta pixels. Nothing may be left behind, and the region lies on the picture.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "corvala/window/CRVL_HoverButton.h"
#include "platform/testing.h"
#include "platform/win32.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/fuzz_button_bitmap_" + std::to_string(getpid()) + ".bmp";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    const bool written = std::fwrite(data, 1, size, f) == size;
    std::fclose(f);
    if (!written) return 0;

    const int objects = win32::testing::LiveGdiObjects();
    const int dcs = win32::testing::LiveMemoryDCs();
    const int blocks = win32::testing::LiveGlobalBlocks();

    win32::HPALETTE palette = nullptr;
    win32::HBITMAP bitmap = corvala::LOADBMPFROMFILE(path.c_str(), palette);
    win32::BITMAP bm{};
    if (bitmap) {
        if (!palette || win32::GetObjectA(bitmap, sizeof bm, &bm) != int(sizeof bm)) std::abort();
        win32::DeleteObject(palette);
        win32::DeleteObject(bitmap);
    }
    win32::HRGN region = corvala::BITMAPTOREGION(path.c_str(), 0x00FF00FF, 1);
    if (bool(region) != bool(bitmap)) std::abort();
    if (region) {
        win32::RECT box{};
        if (win32::GetRgnBox(region, &box) != NULLREGION &&
            (box.left < 0 || box.top < 0 || box.right > bm.bmWidth || box.bottom > bm.bmHeight))
            std::abort();
        win32::DeleteObject(region);
    }
    if (win32::testing::LiveGdiObjects() != objects || win32::testing::LiveMemoryDCs() != dcs ||
        win32::testing::LiveGlobalBlocks() != blocks)
        std::abort();
    unlink(path.c_str());
    return 0;
}
