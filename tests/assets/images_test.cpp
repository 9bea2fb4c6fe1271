// The pictures of the data set, read through the program's own TGA and BMP loaders.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "corvala/texture/CRVL_TGA.h"
#include "platform/testing.h"
#include "platform/win32.h"
#include "platform/win32_gdi.h"
#include "tests/assets/asset_files.h"

using namespace assettest;
using namespace win32;  // the constants are macros on Windows

namespace {

struct Decoded {
    bool ok = false;
    uint32_t width = 0, height = 0, bpp = 0;
    std::vector<uint8_t> pixels;  // R, G, B (, A), rows in file order
    uint8_t type = 0;

    const uint8_t* at(uint32_t x, uint32_t file_row) const { return &pixels[(file_row * width + x) * (bpp / 8)]; }
};

Decoded load(const std::string& relative) {
    Decoded d;
    const std::vector<uint8_t> file = read_bytes(run_path(relative));
    if (file.size() < 18) return d;
    d.type = file[2];
    corvala::TGATEXTURE t{};
    win32::testing::ClearRecordedBoxes();
    d.ok = corvala::LOADTGA(t, run_path(relative).c_str()) && win32::testing::RecordedBoxes().empty();
    if (t.IMAGEDATA != nullptr) {
        d.width = t.WIDTH;
        d.height = t.HEIGHT;
        d.bpp = t.BPP;
        d.pixels.assign(t.IMAGEDATA, t.IMAGEDATA + static_cast<size_t>(t.WIDTH) * t.HEIGHT * (t.BPP / 8));
        std::free(t.IMAGEDATA);
    }
    return d;
}

bool whitish(const uint8_t* p) { return p[0] > 220 && p[1] > 220 && p[2] > 220; }

const char* kButtons[] = {"scarica01",  "scarica02", "scarica03", "vortice", "comprimi01",
                          "comprimi02", "calore",    "freddo",    "info"};

}  // namespace

TEST(AssetImages, EveryFileOfTheSetIsThere) {
    for (const std::string& f : all_asset_files()) EXPECT_GT(read_bytes(run_path(f)).size(), 0u) << f;
}

TEST(AssetImages, ButtonsAreOpaqueSquaresTheLoaderTakesAndNoTwoAlike) {
    std::set<std::vector<uint8_t>> seen;
    for (const char* name : kButtons) {
        const Decoded d = load(std::string("immagini/") + name + ".tga");
        ASSERT_TRUE(d.ok) << name;
        EXPECT_EQ(d.width, 128u) << name;
        EXPECT_EQ(d.height, 128u) << name;
        EXPECT_EQ(d.bpp, 24u) << name;  // no alpha: drawn without blending
        seen.insert(d.pixels);
    }
    EXPECT_EQ(seen.size(), 9u);
}

TEST(AssetImages, ButtonPicturesAreStoredBottomUpSoTheInfoDotIsOnTop) {
    const Decoded d = load("immagini/info.tga");
    ASSERT_TRUE(d.ok);
    // The "i": its dot near the top of the picture (the last file rows), a gap, then the stem.
    EXPECT_TRUE(whitish(d.at(66, 127 - 30)));
    EXPECT_FALSE(whitish(d.at(66, 127 - 43)));
    EXPECT_TRUE(whitish(d.at(66, 127 - 75)));
    // The bottom-left corner lies outside the rounded tile: black like the scene behind the buttons.
    EXPECT_LT(d.at(0, 0)[0] + d.at(0, 0)[1] + d.at(0, 0)[2], 30);
}

TEST(AssetImages, FishSkinIsARunLengthFileOfAtLeast256Pixels) {
    const Decoded d = load("modelli/PesceRosso.tga");
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.type, 10);
    EXPECT_GE(d.width, 256u);
    EXPECT_GE(d.height, 256u);
    // Mostly orange: red well above blue over the body band (the top of the picture, the last file rows).
    size_t orange = 0, total = 0;
    for (uint32_t row = d.height / 2; row < d.height; ++row)
        for (uint32_t x = 0; x < d.width; ++x, ++total) {
            const uint8_t* p = d.at(x, row);
            if (p[0] > 180 && p[0] > p[2] + 80) ++orange;
        }
    EXPECT_GT(orange, total * 8 / 10);
}

TEST(AssetImages, GlassIsAFaintMostlyTransparentTintWithBrighterStreaks) {
    const Decoded d = load("immagini/vetro.tga");
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.bpp, 32u);
    double sum = 0;
    int lo = 255, hi = 0;
    for (uint32_t i = 0; i < d.width * d.height; ++i) {
        const int a = d.pixels[i * 4 + 3];
        sum += a;
        lo = std::min(lo, a);
        hi = std::max(hi, a);
    }
    EXPECT_LT(sum / (d.width * d.height), 0.25 * 255);
    EXPECT_LT(hi, 0.8 * 255);
    EXPECT_GT(hi - lo, 40);  // reflections show
}

TEST(AssetImages, FontGridHoldsUprightWhiteGlyphsInItsCellsAndAnEmptyTopRow) {
    const Decoded d = load("immagini/font.tga");
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.bpp, 32u);
    ASSERT_GE(d.width, 512u);
    ASSERT_GE(d.height, 128u);
    const uint32_t cw = d.width / 32, ch = d.height / 4;
    // Alpha summed over a band of a cell; rows of the picture counted from the top, as the text writer sees them.
    auto ink = [&](int code, double from, double to) {
        const uint32_t grid_row = code / 32, col = code % 32;
        long sum = 0;
        for (uint32_t y = static_cast<uint32_t>(from * ch); y < static_cast<uint32_t>(to * ch); ++y)
            for (uint32_t x = 0; x < cw; ++x) {
                const uint32_t picture_row = grid_row * ch + y;
                const uint8_t* p = d.at(col * cw + x, d.height - 1 - picture_row);
                if (p[3] > 0.4 * 255) sum += 1;
                EXPECT_TRUE(p[3] == 0 || (p[0] == 255 && p[1] == 255 && p[2] == 255));
            }
        return sum;
    };
    for (int code = 0; code <= 32; ++code) EXPECT_EQ(ink(code, 0, 1), 0) << code;
    for (int code = 33; code <= 126; ++code) EXPECT_GT(ink(code, 0, 1), 4) << code;
    EXPECT_EQ(ink(127, 0, 1), 0);
    // "T" has its bar on top and "_" sits at the bottom, so the picture is not upside down.
    EXPECT_GT(ink('T', 0, 0.5), ink('T', 0.5, 1) * 3 / 2);
    EXPECT_EQ(ink('_', 0, 0.5), 0);
    // A margin keeps every glyph off its cell's border.
    for (int code = 33; code <= 126; ++code) {
        EXPECT_EQ(ink(code, 0, 1.0 / ch), 0) << code;
        EXPECT_EQ(ink(code, 1 - 1.0 / ch, 1), 0) << code;
    }
}

TEST(AssetImages, WaterIsA256SquareBottomUpBmpThatTilesWithoutASeam) {
    win32::HANDLE h = win32::LoadImageA(nullptr, run_path("immagini/water4.bmp").c_str(), IMAGE_BITMAP, 0, 0,
                                        LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    ASSERT_NE(h, nullptr);
    win32::BITMAP bm{};
    ASSERT_NE(win32::GetObjectA(h, sizeof bm, &bm), 0);
    EXPECT_EQ(bm.bmWidth, 256);
    EXPECT_EQ(bm.bmHeight, 256);
    EXPECT_EQ(bm.bmBitsPixel, 24);
    const uint8_t* bits = static_cast<const uint8_t*>(bm.bmBits);
    auto px = [&](int x, int y, int c) { return static_cast<int>(bits[y * bm.bmWidthBytes + x * 3 + c]); };
    // Across the wrap the step between neighbours is no bigger than steps inside the picture.
    long inner = 0, wrap = 0;
    for (int y = 0; y < 256; ++y)
        for (int c = 0; c < 3; ++c) {
            inner += std::abs(px(128, y, c) - px(127, y, c));
            wrap += std::abs(px(0, y, c) - px(255, y, c));
        }
    for (int x = 0; x < 256; ++x)
        for (int c = 0; c < 3; ++c) wrap += std::abs(px(x, 0, c) - px(x, 255, c));
    EXPECT_LT(wrap, 3 * inner);
    win32::DeleteObject(h);
}

TEST(AssetImages, IconHolds48And32And16PixelPicturesLargestFirstWithAlphaAndMask) {
    const std::vector<uint8_t> f = read_bytes(run_path("Wobblefin.ico"));
    ASSERT_GE(f.size(), 6u);
    EXPECT_EQ(le16(f, 0), 0u);
    EXPECT_EQ(le16(f, 2), 1u);
    ASSERT_EQ(le16(f, 4), 3u);
    const uint32_t sizes[] = {48, 32, 16};  // SDL_image takes the first entry for the window icon
    for (int i = 0; i < 3; ++i) {
        const size_t e = 6 + 16 * i;
        const uint32_t s = sizes[i];
        EXPECT_EQ(f.at(e), s);
        EXPECT_EQ(f.at(e + 1), s);
        EXPECT_EQ(le16(f, e + 6), 32u);
        const uint32_t size = le32(f, e + 8), at = le32(f, e + 12);
        ASSERT_LE(static_cast<size_t>(at) + size, f.size());
        const uint32_t mask_row = ((s + 31) / 32) * 4;
        EXPECT_EQ(size, 40 + s * s * 4 + mask_row * s);
        EXPECT_EQ(le32(f, at), 40u);
        EXPECT_EQ(le32(f, at + 4), s);
        EXPECT_EQ(le32(f, at + 8), 2 * s);  // colour and mask rows
        EXPECT_EQ(le16(f, at + 14), 32u);
        // Transparent corners, an opaque middle.
        auto alpha = [&](uint32_t x, uint32_t row) { return f.at(at + 40 + (row * s + x) * 4 + 3); };
        EXPECT_EQ(alpha(0, 0), 0);
        EXPECT_EQ(alpha(s - 1, s - 1), 0);
        EXPECT_EQ(alpha(s / 2, s / 2), 255);
    }
}
