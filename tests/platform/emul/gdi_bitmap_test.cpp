#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>

#include "platform/emul/backend.h"
#include "tests/support/image_files.h"
#include "tests/support/temp_dir.h"

using namespace win32;
using testsupport::Bytes;
using testsupport::Rgba;

namespace {

Rgba colour_at(int x, int y) { return {uint8_t(10 + x), uint8_t(100 + y), uint8_t(200 - x), uint8_t(1 + x + 7 * y)}; }

struct Loaded {
    HBITMAP handle = nullptr;
    BITMAP bm{};
    ~Loaded() {
        if (handle) DeleteObject(handle);
    }
    const uint8_t* pixel(int x, int y_from_top) const {
        const int row = bm.bmHeight - 1 - y_from_top;  // bottom-up in memory
        return static_cast<const uint8_t*>(bm.bmBits) + row * bm.bmWidthBytes + x * (bm.bmBitsPixel / 8);
    }
};

void load(const Bytes& file, Loaded& out) {
    out.handle = LoadBitmapFromMemory(file.data(), file.size());
    ASSERT_NE(out.handle, nullptr);
    ASSERT_EQ(GetObjectA(out.handle, sizeof(BITMAP), &out.bm), int(sizeof(BITMAP)));
}

void expect_dib_of(const Bytes& file, int w, int h, int bits, bool alpha) {
    SCOPED_TRACE(std::to_string(bits) + " bits");
    Loaded l;
    load(file, l);
    EXPECT_EQ(l.bm.bmWidth, w);
    EXPECT_EQ(l.bm.bmHeight, h);
    EXPECT_EQ(l.bm.bmBitsPixel, bits);
    EXPECT_EQ(l.bm.bmPlanes, 1);
    EXPECT_EQ(l.bm.bmWidthBytes, (w * bits / 8 + 3) / 4 * 4);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const Rgba want = colour_at(x, y);
            const uint8_t* p = l.pixel(x, y);
            ASSERT_EQ(p[0], want.b) << x << "," << y;
            ASSERT_EQ(p[1], want.g) << x << "," << y;
            ASSERT_EQ(p[2], want.r) << x << "," << y;
            if (alpha) {
                ASSERT_EQ(p[3], want.a) << x << "," << y;
            }
        }
    }
}

TEST(BitmapLoading, TwentyFourBitFilesBecomeBottomUpBgrRowsPaddedToFourBytes) {
    for (int w : {1, 3, 5, 256})
        for (int header : {40, 108, 124}) {
            SCOPED_TRACE("width " + std::to_string(w) + ", header " + std::to_string(header));
            expect_dib_of(testsupport::make_bmp(w, 3, 24, header, colour_at), w, 3, 24, false);
        }
}

TEST(BitmapLoading, ThirtyTwoBitFilesKeepTheirAlphaByte) {
    for (int w : {1, 3, 5, 256})
        for (int header : {40, 108, 124}) {
            SCOPED_TRACE("width " + std::to_string(w) + ", header " + std::to_string(header));
            expect_dib_of(testsupport::make_bmp(w, 3, 32, header, colour_at), w, 3, 32, true);
        }
}

TEST(BitmapLoading, TopDownFilesBecomeTheSameBottomUpRows) {
    for (int header : {40, 124}) {
        SCOPED_TRACE("header " + std::to_string(header));
        expect_dib_of(testsupport::make_bmp(5, 3, 24, header, colour_at, true), 5, 3, 24, false);
        expect_dib_of(testsupport::make_bmp(5, 3, 32, header, colour_at, true), 5, 3, 32, true);
    }
}

TEST(BitmapLoading, ThirtyTwoBitFilesWhoseFourthByteIsAlwaysZeroStayTransparent) {
    const auto clear = [](int x, int y) { return Rgba{uint8_t(x), uint8_t(y), 9, 0}; };
    Loaded l;
    load(testsupport::make_bmp(3, 2, 32, 40, clear), l);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(l.pixel(x, y)[0], 9);
            EXPECT_EQ(l.pixel(x, y)[3], 0) << x << "," << y;
        }
}

TEST(BitmapLoading, PaletteFilesComeOutAsEightBitIndices) {
    Loaded l;
    load(testsupport::make_bmp8(5, 2), l);
    EXPECT_EQ(l.bm.bmBitsPixel, 8);
    EXPECT_EQ(l.bm.bmWidthBytes, 8);
    EXPECT_EQ(l.pixel(4, 1)[0], 4);  // first row in the file is the bottom one
    EXPECT_EQ(l.pixel(4, 0)[0], 9);
}

TEST(BitmapLoading, FilesAreFoundThroughProgramPathsAndMissingOnesGiveNoBitmap) {
    const std::string dir = testsupport::temp_dir();
    ::mkdir((dir + "/Immagini").c_str(), 0755);
    testsupport::write_file(dir + "/Immagini/Water.bmp", testsupport::make_bmp(4, 4, 24, 40, colour_at));
    const std::string program_path = dir + "\\immagini\\WATER.BMP";
    const UINT flags = LR_LOADFROMFILE | LR_LOADTRANSPARENT | LR_CREATEDIBSECTION;
    HANDLE h = LoadImageA(nullptr, program_path.c_str(), IMAGE_BITMAP, 0, 0, flags);
    ASSERT_NE(h, nullptr);
    BITMAP bm{};
    EXPECT_EQ(GetObjectA(h, sizeof bm, &bm), int(sizeof bm));
    EXPECT_EQ(bm.bmWidth, 4);
    EXPECT_TRUE(DeleteObject(h));
    EXPECT_EQ(LoadImageA(nullptr, (dir + "/none.bmp").c_str(), IMAGE_BITMAP, 0, 0, flags), nullptr);
    EXPECT_EQ(LoadImageA(nullptr, dir.c_str(), IMAGE_BITMAP, 0, 0, flags), nullptr);  // reading fails
}

TEST(BitmapLoading, UnusableFilesGiveNoBitmap) {
    const Bytes good = testsupport::make_bmp(5, 4, 24, 40, colour_at);
    Bytes short_pixels(good.begin(), good.end() - 1);
    Bytes short_header(good.begin(), good.begin() + 30);
    Bytes not_bmp = good;
    not_bmp[0] = 'X';
    Bytes huge = good;  // claims 30000 x 30000 pixels in a few bytes
    for (int at : {18, 22}) {
        huge[size_t(at)] = 0x30;
        huge[size_t(at) + 1] = 0x75;
    }
    Bytes zero_width = good;
    std::memset(&zero_width[18], 0, 4);
    for (const Bytes* b : {&short_pixels, &short_header, &not_bmp, &huge, &zero_width})
        EXPECT_EQ(LoadBitmapFromMemory(b->data(), b->size()), nullptr);
    EXPECT_EQ(LoadBitmapFromMemory(nullptr, 0), nullptr);
}

// A file of any kind: a 40-byte info header (or a 12-byte core one) with `bits` and `compression`, then
// `table` (masks, colours) and `data`.
Bytes any_bmp(int width, int height, int bits, uint32_t compression, const Bytes& table, const Bytes& data,
              bool core = false) {
    const uint32_t header = core ? 12 : 40, offset = 14 + header + uint32_t(table.size());
    Bytes b;
    testsupport::put_le(b, 0x4D42, 2);
    testsupport::put_le(b, offset + data.size(), 4);
    testsupport::put_le(b, 0, 4);
    testsupport::put_le(b, offset, 4);
    testsupport::put_le(b, header, 4);
    testsupport::put_le(b, uint32_t(width), core ? 2 : 4);
    testsupport::put_le(b, uint32_t(height), core ? 2 : 4);
    testsupport::put_le(b, 1, 2);
    testsupport::put_le(b, uint32_t(bits), 2);
    if (!core) {
        testsupport::put_le(b, compression, 4);
        for (int i = 0; i < 5; ++i) testsupport::put_le(b, 0, 4);  // image size, resolution, colours
    }
    b.insert(b.end(), table.begin(), table.end());
    b.insert(b.end(), data.begin(), data.end());
    return b;
}

Bytes le16s(std::initializer_list<uint32_t> values) {
    Bytes b;
    for (uint32_t v : values) testsupport::put_le(b, v, 2);
    return b;
}

TEST(BitmapLoading, SixteenBitFilesBecomeOpaqueThirtyTwoBitsWithEveryChannelWidened) {
    // 5-5-5 by default; 5-6-5 by its masks, whose green keeps the rounding it always had.
    Bytes masks;
    for (uint32_t m : {0xF800u, 0x07E0u, 0x001Fu}) testsupport::put_le(masks, m, 4);
    const struct {
        Bytes file;
        uint8_t want[2][4];  // B, G, R, A of the two pixels
    } cases[] = {{any_bmp(2, 1, 16, BI_RGB, {}, le16s({0x7FFF, 1 << 10 | 16 << 5 | 4})),
                  {{255, 255, 255, 255}, {32, 131, 8, 255}}},
                 {any_bmp(2, 1, 16, BI_BITFIELDS, masks, le16s({63 << 5, 31 << 11 | 21 << 5})),
                  {{0, 254, 0, 255}, {0, 84, 255, 255}}}};
    for (const auto& c : cases) {
        Loaded l;
        load(c.file, l);
        ASSERT_EQ(l.bm.bmBitsPixel, 32);
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ(Bytes(l.pixel(x, 0), l.pixel(x, 0) + 4), Bytes(c.want[x], c.want[x] + 4)) << x;
    }
}

TEST(BitmapLoading, RunLengthCodedFilesFollowTheirEscapesAndMustReachTheirEnd) {
    const Bytes table(4 * 8, 0);
    // Bottom row first: a run of two, a move one right and one up, one pixel, the row's end, three as
    // they are (padded to an even count), the picture's end. What nothing writes stays 0.
    const Bytes rle8 = {2, 1, 0, 2, 1, 1, 1, 4, 0, 0, 0, 3, 5, 6, 7, 0, 0, 1};
    Loaded l;
    load(any_bmp(4, 3, 8, BI_RLE8, table, rle8), l);
    ASSERT_EQ(l.bm.bmBitsPixel, 8);
    const uint8_t want[3][4] = {{5, 6, 7, 0}, {0, 0, 0, 4}, {1, 1, 0, 0}};  // from the top
    for (int y = 0; y < 3; ++y) EXPECT_EQ(Bytes(l.pixel(0, y), l.pixel(0, y) + 4), Bytes(want[y], want[y] + 4)) << y;
    Loaded four;  // two indices a byte, high nibble first
    load(any_bmp(5, 1, 4, BI_RLE4, table, {5, 0x12, 0, 1}), four);
    EXPECT_EQ(Bytes(four.pixel(0, 0), four.pixel(0, 0) + 5), (Bytes{1, 2, 1, 2, 1}));

    const Bytes unended(rle8.begin(), rle8.end() - 2);
    const Bytes file = any_bmp(4, 3, 8, BI_RLE8, table, unended);
    EXPECT_EQ(LoadBitmapFromMemory(file.data(), file.size()), nullptr);
}

TEST(BitmapLoading, CoreHeaderFilesHaveThreeByteColourTableEntries) {
    const Bytes table = {10, 20, 30, 40, 50, 60};  // B, G, R twice
    Loaded l;
    load(any_bmp(3, 1, 8, BI_RGB, table, {1, 0, 1, 0}, true), l);
    ASSERT_EQ(l.bm.bmBitsPixel, 8);
    EXPECT_EQ(Bytes(l.pixel(0, 0), l.pixel(0, 0) + 3), (Bytes{1, 0, 1}));
    HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, l.handle);
    RGBQUAD colours[256];
    ASSERT_GE(GetDIBColorTable(dc, 0, 256, colours), 2u);
    EXPECT_EQ(colours[1].rgbBlue, 40);
    EXPECT_EQ(colours[1].rgbRed, 60);
    SelectObject(dc, old);
    DeleteDC(dc);
}

TEST(BitmapObjects, GetObjectAnswersTheSizeRefusesShortBuffersAndForgetsDeletedBitmaps) {
    const Bytes file = testsupport::make_bmp(2, 2, 24, 40, colour_at);
    HBITMAP h = LoadBitmapFromMemory(file.data(), file.size());
    ASSERT_NE(h, nullptr);
    BITMAP bm{};
    EXPECT_EQ(GetObjectA(h, 0, nullptr), int(sizeof(BITMAP)));
    EXPECT_EQ(GetObjectA(h, int(sizeof(BITMAP)) - 1, &bm), 0);
    EXPECT_TRUE(DeleteObject(h));
    EXPECT_FALSE(DeleteObject(h));
    EXPECT_EQ(GetObjectA(h, sizeof bm, &bm), 0);
}

}  // namespace

namespace {

// A bottom-up BMP of 1 or 4 bits with its own colour table of `colours` entries (biClrUsed 0 means all).
std::vector<uint8_t> low_depth_bmp(int bits, int width, int height, int clr_used) {
    const int colours = clr_used ? clr_used : 1 << bits;
    const int stride = (width * bits + 31) / 32 * 4;
    std::vector<uint8_t> b = testsupport::palette_bmp_headers(width, height, bits, colours, clr_used);
    for (int i = 0; i < colours; ++i)
        testsupport::put_le(b, uint32_t(i * 16) | uint32_t(255 - i) << 8 | 0x11u << 16, 4);  // B, G, R
    for (int i = 0; i < stride * height; ++i) b.push_back(0x10);
    return b;
}

TEST(Palettes, LoadedPaletteBitmapsKeepTheFilesColourTable) {
    const struct {
        int bits, clr_used;
        UINT entries;
    } cases[] = {{1, 0, 2}, {4, 0, 16}, {4, 5, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bits * 100 + c.clr_used);
        const auto file = low_depth_bmp(c.bits, 6, 2, c.clr_used);
        HBITMAP b = LoadBitmapFromMemory(file.data(), file.size());
        ASSERT_NE(b, nullptr);
        BITMAP bm{};
        GetObjectA(b, sizeof bm, &bm);
        EXPECT_LE(bm.bmBitsPixel * bm.bmPlanes, 8);
        HDC dc = CreateCompatibleDC(nullptr);
        const HGDIOBJ old = SelectObject(dc, b);
        RGBQUAD table[256];
        ASSERT_EQ(GetDIBColorTable(dc, 0, 256, table), c.entries);
        for (UINT i = 0; i < c.entries; ++i) {
            EXPECT_EQ(table[i].rgbBlue, i * 16);
            EXPECT_EQ(table[i].rgbGreen, 255 - i);
            EXPECT_EQ(table[i].rgbRed, 0x11);
        }
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(b);
    }
}

}  // namespace
