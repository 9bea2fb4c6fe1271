#include <gtest/gtest.h>

#include <cstring>

#include "platform/testing.h"
#include "platform/win32.h"

using namespace win32;

namespace {

TEST(GlobalMemory, MovableBlocksKeepTheirHandleAndContentsWhenTheyGrow) {
    const int before = win32::testing::LiveGlobalBlocks();
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 32);
    ASSERT_NE(h, nullptr);
    auto* p = static_cast<uint8_t*>(GlobalLock(h));
    ASSERT_NE(p, nullptr);
    for (int i = 0; i < 32; ++i) p[i] = uint8_t(i * 3);
    EXPECT_FALSE(GlobalUnlock(h));  // the lock count is back at 0
    EXPECT_EQ(GlobalReAlloc(h, 100000, GMEM_MOVEABLE), h);
    EXPECT_EQ(GlobalSize(h), 100000u);
    p = static_cast<uint8_t*>(GlobalLock(h));
    for (int i = 0; i < 32; ++i) ASSERT_EQ(p[i], uint8_t(i * 3));
    p[99999] = 1;
    GlobalUnlock(h);
    EXPECT_EQ(GlobalFree(h), nullptr);
    EXPECT_EQ(GlobalFree(h), h);  // already gone
    EXPECT_EQ(win32::testing::LiveGlobalBlocks(), before);
}

TEST(GlobalMemory, ALockedBlockGrowsOnlyWhenTheCallerLetsItMove) {
    HGLOBAL h = GlobalAlloc(GHND, 16);
    auto* p = static_cast<uint8_t*>(GlobalLock(h));
    EXPECT_EQ(p[15], 0);  // zero-filled
    EXPECT_EQ(GlobalReAlloc(h, 64, 0), nullptr);
    EXPECT_EQ(GlobalSize(h), 16u);
    EXPECT_EQ(GlobalReAlloc(h, 64, GMEM_MOVEABLE | GMEM_ZEROINIT), h);
    p = static_cast<uint8_t*>(GlobalLock(h));
    EXPECT_EQ(p[63], 0);
    EXPECT_TRUE(GlobalUnlock(h));  // locked twice
    EXPECT_FALSE(GlobalUnlock(h));
    GlobalFree(h);
}

TEST(GlobalMemory, AllocationsBeyondTheLimitFailAndLeaveTheBlockAsItWas) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 100);
    win32::testing::LimitGlobalMemory(1000);
    EXPECT_EQ(GlobalAlloc(GMEM_MOVEABLE, 1001), nullptr);
    EXPECT_EQ(GlobalReAlloc(h, 1001, GMEM_MOVEABLE), nullptr);
    EXPECT_EQ(GlobalSize(h), 100u);
    win32::testing::LimitGlobalMemory(0);
    EXPECT_EQ(GlobalReAlloc(h, 1001, GMEM_MOVEABLE), h);
    GlobalFree(h);
}

}  // namespace
