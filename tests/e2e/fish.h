// Where the goldfish shows in a screenshot of Wobblefin's window: for the tests that run the program
// from outside, on Linux or under Wine.
#pragma once
#include <algorithm>
#include <cstdint>

#include "tests/e2e/desktop.h"

namespace e2e {

// The goldfish is the only orange thing in the aquarium; the buttons stand outside the part looked at.
// False when fewer than 50 pixels are orange.
inline bool FishCentre(const Shot& s, const Geometry& g, double* cx, double* cy) {
    double sx = 0, sy = 0;
    long n = 0;
    const int x0 = std::max(g.x + 70, 0), x1 = std::min(g.x + 680, s.width);
    const int y0 = std::max(g.y + 70, 0), y1 = std::min(g.y + g.height - 10, s.height);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const uint8_t* p = s.at(x, y);
            if (p[0] > 120 && p[0] > p[1] + 40 && p[0] > p[2] + 60) {
                sx += x;
                sy += y;
                ++n;
            }
        }
    if (n < 50) return false;
    *cx = sx / double(n);
    *cy = sy / double(n);
    return true;
}

}  // namespace e2e
