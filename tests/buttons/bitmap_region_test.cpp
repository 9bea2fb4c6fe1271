// Bitmap files into bitmaps with palettes, and into the regions of their non-transparent pixels.
#include <gtest/gtest.h>

#include <cstring>

#include "corvala/Corvala.h"
#include "platform/testing.h"
#include "tests/buttons/button_files.h"
#include "tests/support/systems.h"
#include "tests/support/temp_dir.h"

using namespace corvala;
using namespace win32;
using testsupport::Rgba;

namespace {

constexpr COLORREF kMagentaKey = 0x00FF00FF;

struct Leaks {
    int objects = win32::testing::LiveGdiObjects();
    int dcs = win32::testing::LiveMemoryDCs();
    int blocks = win32::testing::LiveGlobalBlocks();
    void expect_none() const {
        EXPECT_EQ(win32::testing::LiveGdiObjects(), objects);
        EXPECT_EQ(win32::testing::LiveMemoryDCs(), dcs);
        EXPECT_EQ(win32::testing::LiveGlobalBlocks(), blocks);
    }
};

class BitmapRegion : public ::testing::Test {
protected:
    std::string dir = testsupport::temp_dir();
    std::string write(const std::string& name, const testsupport::Bytes& data) {
        testsupport::write_file(dir + "/" + name, data);
        return dir + "/" + name;
    }
    void SetUp() override { win32::testing::ClearRegionCalls(); }
};

// The region of exactly the listed runs, built in one go.
HRGN runs_region(const std::vector<RECT>& runs) {
    std::vector<uint8_t> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    RGNDATAHEADER h{};
    h.dwSize = sizeof h;
    h.iType = RDH_RECTANGLES;
    h.nCount = DWORD(runs.size());
    std::memcpy(data.data(), &h, sizeof h);
    std::memcpy(data.data() + sizeof h, runs.data(), runs.size() * sizeof(RECT));
    return ExtCreateRegion(nullptr, DWORD(data.size()), reinterpret_cast<const RGNDATA*>(data.data()));
}

TEST_F(BitmapRegion, TheToleranceWidensTheTransparentColourUpwardOnly) {
    const Rgba row[6] = {{255, 1, 255, 0}, {254, 0, 255, 0}, {255, 2, 255, 0},
                         {255, 0, 255, 0}, {0, 0, 0, 0},     {255, 1, 254, 0}};
    for (int depth : {24, 8}) {
        SCOPED_TRACE(depth);
        auto pixel = [&](int x, int) { return row[x]; };
        const std::string file =
            write("tol" + std::to_string(depth) + ".bmp", depth == 24 ? testsupport::make_bmp(6, 2, 24, 40, pixel)
                                                                      : testsupport::make_palette_bmp(6, 2, pixel));
        const Leaks leaks;
        HRGN r = BITMAPTOREGION(file.c_str(), kMagentaKey, 1);
        ASSERT_NE(r, nullptr);
        for (int y : {0, 1}) {
            EXPECT_FALSE(PtInRegion(r, 0, y)) << "(255, 1, 255) is transparent";
            EXPECT_TRUE(PtInRegion(r, 1, y)) << "(254, 0, 255) is opaque";
            EXPECT_TRUE(PtInRegion(r, 2, y)) << "(255, 2, 255) is opaque";
            EXPECT_FALSE(PtInRegion(r, 3, y));
            EXPECT_TRUE(PtInRegion(r, 4, y));
            EXPECT_TRUE(PtInRegion(r, 5, y)) << "blue below the key is opaque";
        }
        EXPECT_FALSE(PtInRegion(r, 1, 2));
        DeleteObject(r);
        leaks.expect_none();
    }
    HRGN none = BITMAPTOREGION((dir + "/tol24.bmp").c_str(), kMagentaKey, 0);
    EXPECT_TRUE(PtInRegion(none, 0, 0)) << "without tolerance only the exact colour is transparent";
    DeleteObject(none);
}

TEST_F(BitmapRegion, ManyRunsAreBuiltInBatchesOfTwoThousandIntoTheirUnion) {
    // Opaque pixels where (x + y) is odd or x is a multiple of 7: thousands of short runs.
    const int w = 101, h = 100;
    auto opaque = [](int x, int y) { return (x + y) % 2 == 1 || x % 7 == 0; };
    const std::string file = write("many.bmp", testsupport::make_bmp(w, h, 24, 40, [&](int x, int y) {
                                       return opaque(x, y) ? Rgba{uint8_t(x), uint8_t(y), 9, 0} : testsupport::kMagenta;
                                   }));
    std::vector<RECT> runs;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (!opaque(x, y)) continue;
            const int x0 = x;
            while (x < w && opaque(x, y)) ++x;
            runs.push_back({x0, y, x, y + 1});
        }
    ASSERT_GT(runs.size(), 4000u);
    const Leaks leaks;
    HRGN r = BITMAPTOREGION(file.c_str(), kMagentaKey, 1);
    ASSERT_NE(r, nullptr);
    const auto calls = win32::testing::RegionCalls();
    HRGN expected = runs_region(runs);
    EXPECT_TRUE(EqualRgn(r, expected));
    for (const RECT& run : runs) {
        ASSERT_TRUE(PtInRegion(r, run.left, run.top));
        ASSERT_TRUE(PtInRegion(r, run.right - 1, run.top));
        ASSERT_FALSE(PtInRegion(r, run.right, run.top)) << "a run ends at a transparent pixel";
    }
    DeleteObject(expected);
    DeleteObject(r);
    leaks.expect_none();
    if (!testsupport::kStandIn) return;  // the batches are seen through the stand-in's record of them
    ASSERT_EQ(calls.size(), runs.size() / 2000 + 1);
    for (size_t i = 0; i + 1 < calls.size(); ++i) EXPECT_EQ(calls[i].count, 2000u);
    EXPECT_EQ(calls.back().count, runs.size() % 2000);
    for (const auto& c : calls) EXPECT_EQ(c.bytes, 32u + 16u * 2000u) << "the buffer has grown to 2000 rectangles";
}

TEST_F(BitmapRegion, AFullyTransparentBitmapStillMakesItsFinalEmptyBatch) {
    const std::string file =
        write("clear.bmp", testsupport::make_bmp(9, 4, 24, 40, [](int, int) { return testsupport::kMagenta; }));
    HRGN r = BITMAPTOREGION(file.c_str(), kMagentaKey, 1);
    ASSERT_NE(r, nullptr);
    RECT box;
    EXPECT_EQ(GetRgnBox(r, &box), NULLREGION);
    DeleteObject(r);
    if (!testsupport::kStandIn) return;  // the batches are seen through the stand-in's record of them
    const auto& calls = win32::testing::RegionCalls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].count, 0u);
    EXPECT_EQ(calls[0].bytes, 32u + 16u * 100u);
}

TEST_F(BitmapRegion, FailuresGiveNoRegionAndLeaveNothingBehind) {
    const Leaks leaks;
    EXPECT_EQ(BITMAPTOREGION((dir + "/missing.bmp").c_str(), kMagentaKey, 1), nullptr);
    const std::string junk = write("junk.bmp", testsupport::Bytes(100, 'x'));
    EXPECT_EQ(BITMAPTOREGION(junk.c_str(), kMagentaKey, 1), nullptr);
    if (!testsupport::kStandIn) return;  // running short of memory is staged by the stand-in's switches
    // Growing the rectangle buffer past 100 rectangles fails: the build gives up cleanly.
    const std::string striped = write("striped.bmp", testsupport::make_bmp(20, 20, 24, 40, [](int x, int) {
                                          return x % 2 ? testsupport::kMagenta : Rgba{0, 0, 0, 0};
                                      }));
    win32::testing::LimitGlobalMemory(32 + 16 * 100);
    EXPECT_EQ(BITMAPTOREGION(striped.c_str(), kMagentaKey, 1), nullptr);
    win32::testing::LimitGlobalMemory(0);
    leaks.expect_none();
    HRGN fine = BITMAPTOREGION(striped.c_str(), kMagentaKey, 1);
    EXPECT_TRUE(PtInRegion(fine, 18, 19));
    DeleteObject(fine);
}

TEST_F(BitmapRegion, PaletteFilesGetTheirTableAsA256EntryPaletteOthersTheHalftonePalette) {
    const std::string pal_file = write("pal.bmp", testsupport::make_palette_bmp(3, 1, [](int x, int) {
                                           return Rgba{uint8_t(10 * x), uint8_t(20 * x), uint8_t(30 + x), 0};
                                       }));
    HPALETTE pal = nullptr;
    HBITMAP b = LOADBMPFROMFILE(pal_file.c_str(), pal);
    ASSERT_NE(b, nullptr);
    PALETTEENTRY e[256];
    ASSERT_EQ(GetPaletteEntries(pal, 0, 256, e), 256u);
    EXPECT_EQ(e[2].peRed, 20);
    EXPECT_EQ(e[2].peGreen, 40);
    EXPECT_EQ(e[2].peBlue, 32);
    EXPECT_EQ(e[3].peRed + e[3].peGreen + e[3].peBlue + e[255].peBlue, 0) << "entries beyond the table are black";
    DeleteObject(pal);
    DeleteObject(b);

    const std::string rgb_file = write("rgb.bmp", testsupport::make_bmp(2, 2, 24, 40, [](int, int) {
                                           return Rgba{1, 2, 3, 0};
                                       }));
    pal = nullptr;
    b = LOADBMPFROMFILE(rgb_file.c_str(), pal);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(GetPaletteEntries(pal, 0, 0, nullptr), 256u);
    DeleteObject(pal);
    DeleteObject(b);

    HPALETTE untouched = reinterpret_cast<HPALETTE>(uintptr_t(0x1234));
    EXPECT_EQ(LOADBMPFROMFILE((dir + "/none.bmp").c_str(), untouched), nullptr);
    EXPECT_EQ(untouched, reinterpret_cast<HPALETTE>(uintptr_t(0x1234)));
}

TEST_F(BitmapRegion, APaletteFileWithoutAMemoryDeviceContextGivesNothingAndLeavesNothingBehind) {
    const std::string pal_file = write("pal.bmp", testsupport::make_palette_bmp(3, 1, [](int, int) {
                                           return Rgba{1, 2, 3, 0};
                                       }));
    SKIP_ON_WINDOWS("a system out of device contexts is staged by the stand-in's switches");
    const Leaks leaks;
    HPALETTE untouched = nullptr;
    win32::testing::RefuseMemoryDCs(true);
    EXPECT_EQ(LOADBMPFROMFILE(pal_file.c_str(), untouched), nullptr);
    win32::testing::RefuseMemoryDCs(false);
    EXPECT_EQ(untouched, nullptr);
    leaks.expect_none();
}

}  // namespace
