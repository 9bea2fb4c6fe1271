#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/win32.h"

using namespace win32;

namespace {

// Region data as ExtCreateRegion takes it.
std::vector<uint8_t> region_data(const std::vector<RECT>& rects, size_t spare = 0) {
    std::vector<uint8_t> d(sizeof(RGNDATAHEADER) + (rects.size() + spare) * sizeof(RECT));
    RGNDATAHEADER h{};
    h.dwSize = sizeof h;
    h.iType = RDH_RECTANGLES;
    h.nCount = DWORD(rects.size());
    std::memcpy(d.data(), &h, sizeof h);
    if (!rects.empty()) std::memcpy(d.data() + sizeof h, rects.data(), rects.size() * sizeof(RECT));
    return d;
}

HRGN make(const std::vector<RECT>& rects) {
    const auto d = region_data(rects);
    return ExtCreateRegion(nullptr, DWORD(d.size()), reinterpret_cast<const RGNDATA*>(d.data()));
}

std::vector<RECT> rects_of(HRGN r) {
    const DWORD need = GetRegionData(r, 0, nullptr);
    std::vector<uint8_t> buf(need);
    EXPECT_EQ(GetRegionData(r, need, reinterpret_cast<RGNDATA*>(buf.data())), need);
    RGNDATAHEADER h;
    std::memcpy(&h, buf.data(), sizeof h);
    std::vector<RECT> out(h.nCount);
    if (h.nCount) std::memcpy(out.data(), buf.data() + sizeof h, h.nCount * sizeof(RECT));
    return out;
}

// Every pixel of a w x h area, inside or not.
std::vector<bool> mask_of(HRGN r, int w, int h) {
    std::vector<bool> m;
    for (int y = -1; y <= h; ++y)
        for (int x = -1; x <= w; ++x) m.push_back(PtInRegion(r, x, y) != FALSE);
    return m;
}

TEST(Regions, RectanglesIncludeTheirTopLeftAndExcludeTheirBottomRight) {
    HRGN r = CreateRectRgn(2, 3, 5, 7);
    EXPECT_TRUE(PtInRegion(r, 2, 3));
    EXPECT_TRUE(PtInRegion(r, 4, 6));
    EXPECT_FALSE(PtInRegion(r, 5, 6));
    EXPECT_FALSE(PtInRegion(r, 4, 7));
    EXPECT_FALSE(PtInRegion(r, 1, 3));
    RECT box;
    EXPECT_EQ(GetRgnBox(r, &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 2);
    EXPECT_EQ(box.bottom, 7);
    DeleteObject(r);
}

TEST(Regions, OverlappingAndTouchingRectanglesBecomeTheSameAreaWhateverTheirOrder) {
    HRGN a = make({{0, 0, 4, 2}, {2, 1, 6, 3}, {6, 1, 8, 3}, {0, 2, 1, 3}});
    HRGN b = make({{6, 1, 8, 3}, {0, 2, 1, 3}, {2, 1, 6, 3}, {0, 0, 4, 2}});
    EXPECT_TRUE(EqualRgn(a, b));
    EXPECT_TRUE(PtInRegion(a, 7, 2));
    EXPECT_FALSE(PtInRegion(a, 1, 2));
    EXPECT_FALSE(PtInRegion(a, 5, 0));
    // Disjoint, sorted rectangles come back, rows with the same spans merged.
    const auto rects = rects_of(a);
    ASSERT_EQ(rects.size(), 4u);
    EXPECT_EQ(rects[0].top, 0);
    EXPECT_EQ(rects[0].right, 4);
    EXPECT_EQ(rects[1].top, 1);
    EXPECT_EQ(rects[1].right, 8);
    EXPECT_EQ(rects[2].left, 0);
    EXPECT_EQ(rects[3].left, 2);
    DeleteObject(a);
    DeleteObject(b);
}

TEST(Regions, CombiningFollowsTheModeAndMayWriteIntoASource) {
    HRGN a = CreateRectRgn(0, 0, 4, 4);
    HRGN b = CreateRectRgn(2, 2, 6, 6);
    HRGN d = CreateRectRgn(0, 0, 0, 0);
    const struct {
        int mode;
        bool at_1_1, at_3_3, at_5_5;
    } cases[] = {{RGN_AND, false, true, false},
                 {RGN_OR, true, true, true},
                 {RGN_XOR, true, false, true},
                 {RGN_DIFF, true, false, false},
                 {RGN_COPY, true, true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        EXPECT_NE(CombineRgn(d, a, b, c.mode), RGN_ERROR);
        EXPECT_EQ(PtInRegion(d, 1, 1) != 0, c.at_1_1);
        EXPECT_EQ(PtInRegion(d, 3, 3) != 0, c.at_3_3);
        EXPECT_EQ(PtInRegion(d, 5, 5) != 0, c.at_5_5);
    }
    EXPECT_EQ(CombineRgn(a, a, b, RGN_OR), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(a, 5, 5));
    EXPECT_EQ(CombineRgn(d, b, b, RGN_DIFF), NULLREGION);
    EXPECT_EQ(CombineRgn(d, a, nullptr, RGN_OR), RGN_ERROR);
    for (HRGN r : {a, b, d}) DeleteObject(r);
}

TEST(Regions, UnionInPiecesEqualsTheWholeBuiltAtOnce) {
    std::vector<RECT> all;
    for (int y = 0; y < 40; ++y)
        for (int x = (y % 3); x < 60; x += 4) all.push_back({x, y, x + 1 + (y % 2), y + 1});
    HRGN whole = make(all);
    HRGN pieces = nullptr;
    for (size_t at = 0; at < all.size(); at += 97) {
        HRGN part = make(std::vector<RECT>(all.begin() + long(at), all.begin() + long(std::min(all.size(), at + 97))));
        if (!pieces) {
            pieces = part;
        } else {
            CombineRgn(pieces, pieces, part, RGN_OR);
            DeleteObject(part);
        }
    }
    EXPECT_TRUE(EqualRgn(whole, pieces));
    EXPECT_EQ(mask_of(whole, 60, 40), mask_of(pieces, 60, 40));
    DeleteObject(whole);
    DeleteObject(pieces);
}

TEST(Regions, RegionDataIsCheckedAgainstItsSize) {
    auto d = region_data({{0, 0, 1, 1}, {1, 1, 2, 2}}, 3);
    const auto* rd = reinterpret_cast<const RGNDATA*>(d.data());
    HRGN spare = ExtCreateRegion(nullptr, DWORD(d.size()), rd);  // room beyond the count is fine
    EXPECT_NE(spare, nullptr);
    DeleteObject(spare);
    EXPECT_EQ(ExtCreateRegion(nullptr, DWORD(sizeof(RGNDATAHEADER) + sizeof(RECT)), rd), nullptr);
    EXPECT_EQ(ExtCreateRegion(nullptr, 16, rd), nullptr);
    EXPECT_EQ(ExtCreateRegion(nullptr, DWORD(d.size()), nullptr), nullptr);
    RGNDATAHEADER h;
    std::memcpy(&h, d.data(), sizeof h);
    h.nCount = 0x40000000;  // would wrap a 32-bit byte count
    std::memcpy(d.data(), &h, sizeof h);
    EXPECT_EQ(ExtCreateRegion(nullptr, DWORD(d.size()), rd), nullptr);
    h.nCount = 1;
    h.iType = 2;
    std::memcpy(d.data(), &h, sizeof h);
    EXPECT_EQ(ExtCreateRegion(nullptr, DWORD(d.size()), rd), nullptr);
}

TEST(Regions, NoRectanglesGiveAnEmptyRegionNotAFailure) {
    HRGN r = make({});
    ASSERT_NE(r, nullptr);
    RECT box{1, 1, 1, 1};
    EXPECT_EQ(GetRgnBox(r, &box), NULLREGION);
    EXPECT_EQ(box.right, 0);
    EXPECT_FALSE(PtInRegion(r, 0, 0));
    EXPECT_EQ(GetRegionData(r, 0, nullptr), DWORD(sizeof(RGNDATAHEADER)));
    DeleteObject(r);
}

TEST(Regions, OffsetMovesEveryPoint) {
    HRGN r = make({{0, 0, 2, 1}, {5, 3, 6, 4}});
    OffsetRgn(r, 10, -3);
    EXPECT_TRUE(PtInRegion(r, 11, -3));
    EXPECT_TRUE(PtInRegion(r, 15, 0));
    EXPECT_FALSE(PtInRegion(r, 1, 0));
    DeleteObject(r);
}

}  // namespace
