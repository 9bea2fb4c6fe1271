// What a user sees: the first frame, and a frame with the info panel.
#include <gtest/gtest.h>

#include "app/State.h"
#include "corvala/Corvala.h"
#include "platform/gl/gl.h"
#include "tests/app/scene_support.h"

using namespace corvala;
using namespace wobblefin;
using namespace win32;  // the message numbers are macros on Windows

namespace {

int brightness(uint32_t c) { return int(c >> 16 & 255) + int(c >> 8 & 255) + int(c & 255); }
bool orange(uint32_t c) {
    const int r = c >> 16 & 255, g = c >> 8 & 255, b = c & 255;
    return r > 120 && r > g + 30 && g > b;
}

class Picture : public ::testing::Test {
protected:
    void SetUp() override {
        scene::EnsureStarted();
        scene::Reset();
    }
};

TEST_F(Picture, TheNineButtonsAreDrawnWherePickingFindsThem) {
    const float pos[9][2] = {{12.75f, 11}, {15, 11},       {12.75f, 8.8f}, {15, 8.8f}, {12.75f, 6.6f},
                             {15, 6.6f},   {12.75f, 4.4f}, {15, 4.4f},     {-15, 11}};
    for (int k = 0; k < 9; ++k) {
        const scene::Pixel p = scene::ProjectScene(pos[k][0], pos[k][1], 0);
        uint32_t c = 0;
        scene::Frame([&] { c = scene::ClientPixel(p); });
        EXPECT_GT(brightness(c), 40) << "button " << k << " at " << p.x << "," << p.y;
        // The same pixel is what the menu picks.
        scene::Post(WM_MOUSEMOVE, p.x, p.y);
        scene::Frame();
        EXPECT_TRUE(MENU.OVER[k]) << k;
    }
}

TEST_F(Picture, TheFishShowsOrangeNearTheMiddleOfTheTank) {
    const scene::Pixel centre = scene::ProjectFish(0, 0, 0);
    int orange_pixels = 0;
    scene::Frame([&] {
        for (int dy = -40; dy <= 40; dy += 4)
            for (int dx = -80; dx <= 80; dx += 4)
                if (orange(scene::ClientPixel({centre.x + dx, centre.y + dy}))) ++orange_pixels;
    });
    EXPECT_GT(orange_pixels, 40) << "around " << centre.x << "," << centre.y;
}

TEST_F(Picture, TheInfoPanelWritesTextAtTheUpperLeft) {
    // Overlay x from -2 to 2 over the 800-pixel viewport, y from -1.5 to 1.5 over its 600.
    auto count_text = [&] {
        int n = 0;
        for (int wy = 380; wy <= 510; wy += 2)
            for (int wx = 30; wx <= 420; wx += 2) {
                const uint32_t c = scene::ClientPixel({wx, scene::ClientHeight() - wy});
                const int r = c >> 16 & 255, g = c >> 8 & 255, b = c & 255;
                if (r > 90 && std::abs(r - g) < 20 && std::abs(g - b) < 20) ++n;
            }
        return n;
    };
    int hidden = 0, shown = 0;
    scene::Frame([&] { hidden = count_text(); });
    SETINFO = true;
    scene::Frame([&] { shown = count_text(); });
    SETINFO = false;
    EXPECT_GT(shown, hidden + 200);
}

}  // namespace
