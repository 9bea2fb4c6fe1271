// Cases that cannot run the same on both systems: the stand-in's switches that Windows has nothing like,
// and the places where Wine is known to differ from Windows. Every skip says why in one line.
#pragma once
#include <gtest/gtest.h>

namespace testsupport {

#ifdef _WIN32
constexpr bool kStandIn = false;
#else
constexpr bool kStandIn = true;
#endif

// Whether this Windows program runs under Wine.
bool UnderWine();

}  // namespace testsupport

#define SKIP_ON_WINDOWS(why) \
    if (!testsupport::kStandIn) GTEST_SKIP() << (why)
#define SKIP_UNDER_WINE(why) \
    if (testsupport::UnderWine()) GTEST_SKIP() << (why)
