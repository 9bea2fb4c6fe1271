#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/testing.h"
#include "platform/win32.h"

using namespace win32;

namespace {

struct Dib {
    HBITMAP bitmap = nullptr;
    uint8_t* bits = nullptr;
};

Dib make_dib(int w, int h, int bpp, const std::vector<RGBQUAD>& table = {}) {
    std::vector<uint8_t> buf(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof ih;
    ih.biWidth = w;
    ih.biHeight = h;
    ih.biPlanes = 1;
    ih.biBitCount = WORD(bpp);
    ih.biCompression = BI_RGB;
    ih.biClrUsed = DWORD(table.size());
    std::memcpy(buf.data(), &ih, sizeof ih);
    if (!table.empty()) std::memcpy(buf.data() + sizeof ih, table.data(), table.size() * sizeof(RGBQUAD));
    Dib d;
    void* bits = nullptr;
    d.bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(buf.data()), DIB_RGB_COLORS, &bits, nullptr, 0);
    d.bits = static_cast<uint8_t*>(bits);
    return d;
}

// A memory DC holding a bitmap, released with the bitmap at the end of the scope.
struct MemDC {
    HDC dc;
    HGDIOBJ old;
    HBITMAP bitmap;
    explicit MemDC(HBITMAP b) : dc(CreateCompatibleDC(nullptr)), old(SelectObject(dc, b)), bitmap(b) {}
    ~MemDC() {
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
};

TEST(DeviceContexts, ABitmapLivesInOneMemoryDcAtATimeAndIsDeletedOnlyOnceOut) {
    const int objects = win32::testing::LiveGdiObjects(), dcs = win32::testing::LiveMemoryDCs();
    Dib d = make_dib(4, 4, 32);
    HDC a = CreateCompatibleDC(nullptr);
    HDC b = CreateCompatibleDC(nullptr);
    const HGDIOBJ stock = GetCurrentObject(a, OBJ_BITMAP);
    ASSERT_NE(stock, nullptr);
    BITMAP bm{};
    GetObjectA(stock, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 1);  // a new memory DC holds a 1 x 1 bitmap
    EXPECT_EQ(SelectObject(a, d.bitmap), stock);
    EXPECT_EQ(SelectObject(b, d.bitmap), nullptr);
    EXPECT_FALSE(DeleteObject(d.bitmap));
    EXPECT_EQ(GetCurrentObject(a, OBJ_BITMAP), d.bitmap);
    EXPECT_TRUE(DeleteDC(a));
    EXPECT_TRUE(DeleteObject(d.bitmap));
    EXPECT_TRUE(DeleteDC(b));
    EXPECT_FALSE(DeleteDC(b));
    EXPECT_EQ(win32::testing::LiveGdiObjects(), objects);
    EXPECT_EQ(win32::testing::LiveMemoryDCs(), dcs);
}

TEST(DeviceContexts, BitBltCopiesBetweenDepthsClippedToBothBitmaps) {
    Dib src = make_dib(3, 2, 32);
    // Picture row 0 is the last row in memory: (x, y) gets blue x, green y, red 200.
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            uint8_t* p = src.bits + (1 - y) * 12 + x * 4;
            p[0] = uint8_t(x);
            p[1] = uint8_t(y);
            p[2] = 200;
        }
    Dib dst = make_dib(4, 4, 24);
    MemDC s(src.bitmap), d(dst.bitmap);
    EXPECT_TRUE(BitBlt(d.dc, 2, -1, 10, 10, s.dc, 0, 0, SRCCOPY));
    // Only source row 1 lands (at row 0), only columns 0 and 1 fit.
    EXPECT_EQ(GetPixel(d.dc, 2, 0), RGB(200, 1, 0));
    EXPECT_EQ(GetPixel(d.dc, 3, 0), RGB(200, 1, 1));
    EXPECT_EQ(GetPixel(d.dc, 1, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(d.dc, 2, 1), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(d.dc, 4, 0), CLR_INVALID);
    EXPECT_FALSE(BitBlt(d.dc, 0, 0, 1, 1, s.dc, 0, 0, 0x00EE0086));  // SRCPAINT is not offered
}

TEST(DeviceContexts, PaletteBitmapsReadThroughTheirTableAndTakeItsNearestColour) {
    const std::vector<RGBQUAD> table = {{0, 0, 0, 0}, {255, 0, 255, 0}, {10, 200, 30, 0}};
    for (int bpp : {1, 4, 8}) {
        SCOPED_TRACE(bpp);
        Dib pal = make_dib(9, 2, bpp, bpp == 1 ? std::vector<RGBQUAD>(table.begin(), table.begin() + 2) : table);
        ASSERT_NE(pal.bitmap, nullptr);
        Dib rgb = make_dib(9, 2, 32);
        MemDC p(pal.bitmap), r(rgb.bitmap);
        RGBQUAD got[4] = {};
        EXPECT_EQ(GetDIBColorTable(p.dc, 0, 4, got), bpp == 1 ? 2u : 3u);
        EXPECT_EQ(got[1].rgbRed, 255);
        EXPECT_EQ(GetDIBColorTable(p.dc, 1, 4, got), bpp == 1 ? 1u : 2u);
        // Into the palette bitmap: (250, 5, 250) is nearest to entry 1.
        uint8_t* px = rgb.bits + 8 * 4;  // picture (8, 1)
        px[0] = 250;
        px[1] = 5;
        px[2] = 250;
        EXPECT_TRUE(BitBlt(p.dc, 0, 0, 9, 2, r.dc, 0, 0, SRCCOPY));
        EXPECT_EQ(GetPixel(p.dc, 8, 1), RGB(255, 0, 255));
        EXPECT_EQ(GetPixel(p.dc, 7, 1), RGB(0, 0, 0));
        // And back out through the table.
        EXPECT_TRUE(BitBlt(r.dc, 0, 0, 9, 2, p.dc, 0, 0, SRCCOPY));
        EXPECT_EQ(px[0], 255);
        EXPECT_EQ(px[1], 0);
        EXPECT_EQ(px[2], 255);
    }
}

TEST(DeviceContexts, TopDownSectionsStoreTheFirstRowFirst) {
    std::vector<uint8_t> buf(sizeof(BITMAPINFO));
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof ih;
    ih.biWidth = 2;
    ih.biHeight = -3;
    ih.biPlanes = 1;
    ih.biBitCount = 32;
    std::memcpy(buf.data(), &ih, sizeof ih);
    void* bits = nullptr;
    HBITMAP b = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(buf.data()), DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(b, nullptr);
    static_cast<uint8_t*>(bits)[2] = 77;  // red of picture (0, 0)
    MemDC m(b);
    EXPECT_EQ(GetPixel(m.dc, 0, 0), RGB(77, 0, 0));
    BITMAP bm{};
    GetObjectA(b, sizeof bm, &bm);
    EXPECT_EQ(bm.bmHeight, 3);
}

TEST(DeviceContexts, UnusableDibRequestsAreRefused) {
    for (int bpp : {0, 2, 16, 33}) EXPECT_EQ(make_dib(2, 2, bpp).bitmap, nullptr) << bpp;
    EXPECT_EQ(make_dib(0, 2, 32).bitmap, nullptr);
    EXPECT_EQ(make_dib(2, 0, 32).bitmap, nullptr);
    EXPECT_EQ(make_dib(40000, 2, 32).bitmap, nullptr);
    EXPECT_EQ(make_dib(30000, 30000, 32).bitmap, nullptr);  // more than a gigabyte
    EXPECT_EQ(CreateDIBSection(nullptr, nullptr, DIB_RGB_COLORS, nullptr, nullptr, 0), nullptr);
}

TEST(Palettes, LogicalPalettesKeepTheirEntriesAndSelectingReturnsThePreviousOne) {
    const int objects = win32::testing::LiveGdiObjects();
    std::vector<uint8_t> buf(4 + 3 * sizeof(PALETTEENTRY));
    auto* lp = reinterpret_cast<LOGPALETTE*>(buf.data());
    lp->palVersion = 0x300;
    lp->palNumEntries = 3;
    lp->palPalEntry[0] = {1, 2, 3, 0};
    (lp->palPalEntry + 2)[0] = {7, 8, 9, 0};
    HPALETTE p = CreatePalette(lp);
    ASSERT_NE(p, nullptr);
    WORD n = 0;
    EXPECT_EQ(GetObjectA(p, sizeof n, &n), int(sizeof n));
    EXPECT_EQ(n, 3);
    PALETTEENTRY e[3];
    EXPECT_EQ(GetPaletteEntries(p, 0, 3, e), 3u);
    EXPECT_EQ(e[2].peBlue, 9);
    HDC dc = CreateCompatibleDC(nullptr);
    const HPALETTE stock = SelectPalette(dc, p, FALSE);
    EXPECT_NE(stock, nullptr);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PAL), p);
    EXPECT_EQ(RealizePalette(dc), 3u);
    EXPECT_EQ(SelectPalette(dc, stock, TRUE), p);
    EXPECT_TRUE(DeleteObject(stock));  // a stock object: deleting it does nothing
    EXPECT_NE(GetObjectA(stock, sizeof n, &n), 0);
    DeleteDC(dc);
    DeleteObject(p);
    lp->palVersion = 0x200;
    EXPECT_EQ(CreatePalette(lp), nullptr);
    EXPECT_EQ(win32::testing::LiveGdiObjects(), objects);
}

TEST(Palettes, TheHalftonePaletteHasAllTwoHundredFiftySixEntriesFromBlackToWhite) {
    HDC screen = GetDC(nullptr);
    ASSERT_NE(screen, nullptr);
    HPALETTE p = CreateHalftonePalette(screen);
    EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
    EXPECT_EQ(ReleaseDC(nullptr, screen), 0);  // a screen DC is released once
    PALETTEENTRY e[256];
    ASSERT_EQ(GetPaletteEntries(p, 0, 256, e), 256u);
    EXPECT_EQ(e[0].peRed + e[0].peGreen + e[0].peBlue, 0);
    EXPECT_EQ(e[255].peRed + e[255].peGreen + e[255].peBlue, 3 * 255);
    bool has_pure_red = false;
    for (const auto& x : e) has_pure_red |= x.peRed == 255 && x.peGreen == 0 && x.peBlue == 0;
    EXPECT_TRUE(has_pure_red);
    DeleteObject(p);
}

}  // namespace
