// The framework window's status bar: its creation, its parts and how it looks.
#include <gtest/gtest.h>

#include <cstring>

#include "corvala/Corvala.h"
#include "corvala/window/CRVL_StatusBar.h"
#include "platform/gl/gl.h"
#include "platform/testing.h"
#include "tests/buttons/button_window.h"
#include "tests/support/window.h"

using namespace corvala;
using namespace win32;

namespace {

std::string part_text(HWND bar, int part) {
    char buf[300] = {};
    const LRESULT r = SendMessageA(bar, SB_GETTEXTA, WPARAM(part), reinterpret_cast<LPARAM>(buf));
    EXPECT_EQ(LOWORD(uintptr_t(r)), std::strlen(buf));
    return buf;
}

std::vector<int32_t> parts_of(HWND bar) {
    int32_t edges[32];
    const int n = int(SendMessageA(bar, SB_GETPARTS, 32, reinterpret_cast<LPARAM>(edges)));
    return std::vector<int32_t>(edges, edges + n);
}

RECT part_rect(HWND bar, int part) {
    RECT r{};
    EXPECT_TRUE(SendMessageA(bar, SB_GETRECT, WPARAM(part), reinterpret_cast<LPARAM>(&r)));
    return r;
}

class StatusBar : public ::testing::Test {
protected:
    void SetUp() override { testsupport::EnsureButtonWindow(); }
};

TEST_F(StatusBar, IsDockedAlongTheBottomOfTheClientAreaShowingTheInitialText) {
    ASSERT_NE(HSTATUS, nullptr);
    EXPECT_EQ(HSTATUS, AWND);
    EXPECT_EQ(GetParent(HSTATUS), HWINDOW);
    EXPECT_EQ(GetDlgCtrlID(HSTATUS), 30482);
    RECT client, bar;
    GetClientRect(HWINDOW, &client);
    GetWindowRect(HSTATUS, &bar);
    POINT bottom{0, client.bottom};
    ClientToScreen(HWINDOW, &bottom);
    EXPECT_EQ(bar.right - bar.left, client.right);
    EXPECT_EQ(bar.bottom, bottom.y) << "its bottom is the client area's";
    EXPECT_EQ(part_text(HSTATUS, 0), "Percorso file");
    EXPECT_STREQ(FILENAME, "Percorso file");
    for (size_t i = std::strlen("Percorso file"); i < sizeof FILENAME; ++i) ASSERT_EQ(FILENAME[i], 0) << i;
}

TEST_F(StatusBar, GetsThePartLayoutTheApplicationSetBeforeCreation) {
    EXPECT_EQ(parts_of(HSTATUS), (std::vector<int32_t>{200, 500, -1}));
    EXPECT_EQ(EDGES[1], 200);
    EXPECT_EQ(EDGES[3], -1);
    EXPECT_EQ(part_rect(HSTATUS, 0).right, 200);
    EXPECT_EQ(part_rect(HSTATUS, 1).right, 500);
    RECT client;
    GetClientRect(HWINDOW, &client);
    EXPECT_EQ(part_rect(HSTATUS, 2).right, client.right) << "-1 runs to the end of the bar";
    EXPECT_GT(part_rect(HSTATUS, 1).left, 200);
    EXPECT_TRUE(SendMessageA(HSTATUS, SB_SETTEXTA, 2, reinterpret_cast<LPARAM>("terzo")));
    EXPECT_EQ(part_text(HSTATUS, 2), "terzo");
    EXPECT_FALSE(SendMessageA(HSTATUS, SB_SETTEXTA, 3, reinterpret_cast<LPARAM>("none")));
    // An owner-drawn part carries the owner's data, which is never read as text.
    EXPECT_TRUE(SendMessageA(HSTATUS, SB_SETTEXTA, 2 | 0x1000, LPARAM(0x1234)));
    EXPECT_EQ(HIWORD(uintptr_t(SendMessageA(HSTATUS, SB_GETTEXTLENGTHA, 2, 0))), 0x1000);
    char untouched[4] = "abc";
    EXPECT_EQ(SendMessageA(HSTATUS, SB_GETTEXTA, 2, reinterpret_cast<LPARAM>(untouched)), 0x1234);
    EXPECT_STREQ(untouched, "abc");
    SendMessageA(HSTATUS, SB_SETTEXTA, 2, reinterpret_cast<LPARAM>(""));
}

TEST_F(StatusBar, WithNoPartsAskedForItKeepsOnePartAcrossTheBar) {
    const int32_t saved_count = MAXSTATUSITEM;
    const int32_t saved_edge = EDGES[1];
    const HWND saved_awnd = AWND;
    MAXSTATUSITEM = 0;
    STATUSITEM[1] = 123;
    HWND bar = CREATESTATUSBAR(HWINDOW);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(EDGES[1], saved_edge) << "nothing is copied";
    EXPECT_EQ(parts_of(bar), std::vector<int32_t>{-1});
    EXPECT_EQ(part_text(bar, 0), "Percorso file");
    EXPECT_EQ(SendMessageA(bar, SB_SETPARTS, 0, reinterpret_cast<LPARAM>(&EDGES[1])), FALSE);
    DestroyWindow(bar);
    MAXSTATUSITEM = saved_count;
    STATUSITEM[1] = 200;
    AWND = saved_awnd;
}

TEST_F(StatusBar, MoreThanTwentyPartsAreHeldToTheTables) {
    const int32_t saved_count = MAXSTATUSITEM;
    const HWND saved_awnd = AWND;
    int32_t saved_edges[21];
    std::memcpy(saved_edges, EDGES, sizeof EDGES);
    for (int i = 1; i <= 20; ++i) STATUSITEM[i] = 30 * i;
    MAXSTATUSITEM = 25;
    HWND bar = CREATESTATUSBAR(HWINDOW);
    EXPECT_EQ(parts_of(bar).size(), 20u);
    DestroyWindow(bar);
    MAXSTATUSITEM = saved_count;
    testsupport::SetButtonWindowParts();
    std::memcpy(EDGES, saved_edges, sizeof EDGES);
    AWND = saved_awnd;
}

TEST_F(StatusBar, IsDrawnLightGreyWithSunkenPartsAndDarkLegibleText) {
    UpdateWindow(HSTATUS);
    glClearColor(0, 0, 0.5f, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    win32::testing::CompositeChildrenNow();
    // Rows of the bar in GL terms: the bottom 20 rows of the drawable.
    const RECT first = part_rect(HSTATUS, 0);
    const int mid = 20 / 2;
    // In the system's button colours, as 0xRRGGBB.
    const auto colour = [](int index) {
        const COLORREF c = GetSysColor(index);
        return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
    };
    EXPECT_EQ(testsupport::ReadPixel(first.right + 1, mid), colour(COLOR_BTNFACE)) << "the gap between two parts";
    EXPECT_EQ(testsupport::ReadPixel(first.right - 1, mid), colour(COLOR_BTNHIGHLIGHT)) << "a part's lit right edge";
    EXPECT_EQ(testsupport::ReadPixel(first.right + 2, mid), colour(COLOR_BTNSHADOW))
        << "the next part's shaded left edge";
    EXPECT_EQ(testsupport::ReadPixel(100, 20 - 1 - first.top), colour(COLOR_BTNSHADOW)) << "a part's shaded top edge";
    EXPECT_EQ(testsupport::ReadPixel(100, 20), 0x000080u) << "above the bar the GL picture shows";
    // The text: dark pixels at the left of the first part and none in the empty second part.
    int dark_first = 0, dark_second = 0;
    for (int y = 2; y < 18; ++y)
        for (int x = 0; x < 150; ++x) {
            const uint32_t p = testsupport::ReadPixel(x, y);
            if ((p >> 16 & 0xFF) < 0x60) ++dark_first;
            const uint32_t q = testsupport::ReadPixel(first.right + 10 + x, y);
            if ((q >> 16 & 0xFF) < 0x60) ++dark_second;
        }
    EXPECT_GT(dark_first, 40);
    EXPECT_EQ(dark_second, 0);
}

}  // namespace
