// Wobblefin's interaction, driven through the real loop with messages at the pixels where things are drawn.
#include <gtest/gtest.h>

#include <cmath>

#include "app/Scene.h"
#include "app/State.h"
#include "corvala/Corvala.h"
#include "platform/gl/tracer/gltrace.h"
#include "tests/app/scene_support.h"

using namespace corvala;
using namespace wobblefin;
using namespace win32;  // the message numbers are macros on Windows

namespace {

struct Button {
    int index;   // MENU element
    float x, y;  // scene position
};
const Button kButtons[9] = {{0, 12.75f, 11}, {1, 15, 11},       {2, 12.75f, 8.8f}, {3, 15, 8.8f}, {4, 12.75f, 6.6f},
                            {5, 15, 6.6f},   {6, 12.75f, 4.4f}, {7, 15, 4.4f},     {8, -15, 11}};

scene::Pixel at_button(int k) { return scene::ProjectScene(kButtons[k].x, kButtons[k].y, 0); }

class Interaction : public ::testing::Test {
protected:
    void SetUp() override {
        scene::EnsureStarted();
        scene::Reset();
    }
    void press(scene::Pixel p) { scene::Post(WM_LBUTTONDOWN, p.x, p.y); }
    void release(scene::Pixel p) { scene::Post(WM_LBUTTONUP, p.x, p.y); }
};

TEST_F(Interaction, AToolClickTakesEffectTheFrameAfterThePressAndStopsInTheReleaseFrame) {
    const scene::Pixel p = at_button(0);
    press(p);
    scene::Frame();  // frame N: the press is handled and picked, the callbacks still see nothing
    EXPECT_TRUE(LEFTMOUSEDOWN);
    EXPECT_FALSE(CHECK[0]);
    EXPECT_TRUE(MENU.CLICK[0]);
    const int32_t phase = I;
    scene::Frame();  // frame N + 1: the switch is on and the shake is drawn
    EXPECT_TRUE(CHECK[0]);
    EXPECT_EQ(I, phase + 1);
    scene::Frames(3);
    EXPECT_EQ(I, phase + 4);
    release(p);
    scene::Frame();  // frame R: the callback turns the switch off; no shake
    EXPECT_FALSE(CHECK[0]);
    EXPECT_EQ(I, phase + 4);
    EXPECT_FALSE(MENU.CLICK[0]) << "the pick at (0, 0) clears the flag";
    scene::Frame();
    EXPECT_EQ(I, phase + 4);
}

TEST_F(Interaction, EveryToolSwitchesWhileHeldAndSelectsItsAnimation) {
    const int32_t held[8] = {Q3_LEGS_WALK,   Q3_LEGS_LANDB,  Q3_LEGS_LANDB, Q3_LEGS_LANDB,
                             Q3_BOTH_DEATH1, Q3_BOTH_DEATH1, Q3_LEGS_LANDB, Q3_LEGS_LANDB};
    for (int k = 0; k < 8; ++k) {
        SCOPED_TRACE(k);
        scene::Reset();
        const scene::Pixel p = at_button(k);
        press(p);
        scene::Frames(3);
        for (int j = 0; j < 8; ++j) EXPECT_EQ(CHECK[j], j == k) << "tool " << j;
        EXPECT_EQ(PESCEMDL.ANIMMODEL, held[k]);
        release(p);
        scene::Frame();
        EXPECT_FALSE(CHECK[k]);
        EXPECT_EQ(PESCEMDL.ANIMMODEL, Q3_LEGS_WALK);
    }
}

TEST_F(Interaction, TheFishTiltsForExactly120FramesAfterTheVortexIsLetGo) {
    const scene::Pixel p = at_button(3);
    press(p);
    scene::Frames(4);
    EXPECT_TRUE(CHECK[3]);
    EXPECT_EQ(TIMER[2], 120) << "no tilt while held";
    release(p);
    scene::Frame();  // release frame R: TIMER[2] := 0
    EXPECT_EQ(TIMER[2], 0);
    int tilted = 0;
    for (int f = 0; f < 130; ++f) {
        gltrace::start();
        scene::Frame();
        gltrace::stop();
        for (const auto& c : gltrace::named("glRotatef"))
            if (c.args == std::vector<double>{30, 1, 0, 0}) ++tilted;
    }
    // Frames R .. R + 119 are tilted; the release frame drew its tilt before the trace started.
    EXPECT_EQ(tilted + 1, 120);
}

TEST_F(Interaction, TheInfoPanelTogglesOnReleaseOnly) {
    const scene::Pixel p = at_button(8);
    press(p);
    scene::Frames(5);
    EXPECT_FALSE(SETINFO);
    release(p);
    scene::Frame();
    EXPECT_TRUE(SETINFO);
    scene::Frames(3);
    EXPECT_TRUE(SETINFO);
    press(p);
    scene::Frames(2);
    release(p);
    scene::Frame();
    EXPECT_FALSE(SETINFO);
}

TEST_F(Interaction, NoseAndEyesPlayTheirAnimationWhileHeld) {
    const struct {
        float x, y, z;
        int32_t anim;
    } regions[] = {{0, 0, 3.5f, Q3_LEGS_TURN}, {-0.8f, 1, 2.8f, Q3_LEGS_IDLE}, {0.8f, 1, 2.8f, Q3_LEGS_IDLECR}};
    for (const auto& r : regions) {
        scene::Reset();
        const scene::Pixel p = scene::ProjectFish(r.x, r.y, r.z);
        press(p);
        scene::Frames(3);
        EXPECT_EQ(PESCEMDL.ANIMMODEL, r.anim);
        release(p);
        scene::Frame();
        EXPECT_EQ(PESCEMDL.ANIMMODEL, Q3_LEGS_WALK);
    }
}

TEST_F(Interaction, TheTailSpeedsUpOnlyAfterSeventyFiveHeldFrames) {
    // Held for 74 frames: animation 21 only, no faster swimming.
    scene::Pixel p = scene::ProjectFish(0, 0, -4.5f);
    press(p);
    scene::Frame();  // the press frame
    bool saw_run = false;
    for (int held = 1; held <= 74; ++held) {
        scene::Frame();
        ASSERT_EQ(TIMER[0], held) << "the region must stay under the press position";
        ASSERT_EQ(TIMER[1], held);
        if (held == 1) {
            EXPECT_EQ(PESCEMDL.ANIMMODEL, Q3_LEGS_LANDB);
        }
        saw_run = saw_run || PESCEMDL.ANIMMODEL == Q3_LEGS_RUN;
    }
    EXPECT_FALSE(saw_run);
    release(p);
    scene::Frame();
    EXPECT_EQ(TIMER[0], 0);
    EXPECT_EQ(TIMER[1], 0);
    EXPECT_EQ(POS.X, 0.0f);

    // Held for 80: animation 15 in the 75th held frame, POS.X moving from the 77th.
    scene::Reset();
    p = scene::ProjectFish(0, 0, -4.5f);
    press(p);
    scene::Frame();
    for (int held = 1; held <= 80; ++held) {
        const float x_before = POS.X;
        scene::Frame();
        ASSERT_EQ(TIMER[1], held) << "the region must stay under the press position";
        if (held == 75) {
            EXPECT_EQ(PESCEMDL.ANIMMODEL, Q3_LEGS_RUN);
        }
        if (held < 77) {
            EXPECT_EQ(POS.X, x_before) << held;
        } else {
            EXPECT_GT(POS.X, x_before) << held;
        }
    }
    release(p);
    scene::Frame();
    EXPECT_EQ(TIMER[1], 0);
    EXPECT_EQ(PESCEMDL.ANIMMODEL, Q3_LEGS_WALK);
}

TEST_F(Interaction, HeatAndColdFreezeTheSwimPhase) {
    for (int k : {6, 7}) {
        scene::Reset();
        scene::Frames(3);
        const scene::Pixel p = at_button(k);
        press(p);
        scene::Frames(2);
        ASSERT_TRUE(CHECK[k]);
        const TGLVECTOR before = POS;
        scene::Frames(10);
        EXPECT_EQ(POS.X, before.X);
        EXPECT_EQ(POS.Y, before.Y);
        release(p);
        scene::Frames(2);
        EXPECT_GT(POS.Y, before.Y);
    }
}

TEST_F(Interaction, AHoveredButtonIsDrawnBrightInTheNextFrame) {
    const scene::Pixel p = at_button(4);
    uint32_t dim = 0, bright = 0;
    scene::Frame([&] { dim = scene::ClientPixel(p); });
    scene::Post(WM_MOUSEMOVE, p.x, p.y);
    uint32_t same_frame = 0;
    scene::Frame([&] { same_frame = scene::ClientPixel(p); });
    scene::Frame([&] { bright = scene::ClientPixel(p); });
    EXPECT_TRUE(MENU.OVER[4]);
    EXPECT_EQ(same_frame, dim) << "the hover is picked at the end of the frame";
    auto sum = [](uint32_t c) { return int(c >> 16 & 255) + int(c >> 8 & 255) + int(c & 255); };
    ASSERT_GT(sum(dim), 30) << "the button is drawn";
    EXPECT_NEAR(double(sum(bright)) / sum(dim), 1.0 / 0.6, 0.12);
}

TEST_F(Interaction, CountersNearTheirLimitStayDefined) {
    TIMER[2] = INT32_MAX - 1;
    CLICKOFF8();
    CLICKOFF8();
    CLICKOFF8();
    EXPECT_EQ(TIMER[2], INT32_MAX);
    TIMER[0] = TIMER[1] = INT32_MAX - 1;
    LEFTMOUSEDOWN = true;
    CLICKON4();
    CLICKON4();
    EXPECT_EQ(TIMER[1], INT32_MAX);
    LEFTMOUSEDOWN = false;
    CLICKON4();
    EXPECT_EQ(TIMER[0], 0);
    // The effect phase: 3·I and the angles stay finite and continuous through the wrap.
    I = INT32_MAX - 10;
    gltrace::start();
    for (int i = 0; i < 20; ++i) {
        VORTICE();
        CALORE();
        SCOSSA2();
    }
    gltrace::stop();
    EXPECT_GE(I, 0);
    for (const auto& c : gltrace::named("glRotatef")) EXPECT_LT(std::abs(c.args[0]), 3.0e7) << gltrace::format(c);
}

TEST_F(Interaction, HeatAndVortexTurnByExactStepsHoweverLongAToolIsHeld) {
    // Each start lies below a point where an angle would stop being exact or the phase wraps, so the
    // steps run through it: the circle must keep turning by exactly its step, mod 360.
    const auto turned = [](double from, double to) { return std::fmod(std::fmod(to - from, 360.0) + 360.0, 360.0); };
    for (int32_t start : {3354000, 5039000}) {
        SCOPED_TRACE(start);
        I = start;
        gltrace::start();
        for (int i = 0; i < 2000; ++i) {
            CALORE();
            VORTICE();
        }
        gltrace::stop();
        const std::vector<gltrace::Call> r = gltrace::named("glRotatef");  // heat; vortex, spin, tilt
        ASSERT_EQ(r.size(), 2000u * 4);
        for (size_t k = 4; k < r.size(); k += 4) {
            ASSERT_EQ(turned(r[k - 4].args[0], r[k].args[0]), 5.0) << k;  // two heat steps of 2.5
            ASSERT_EQ(turned(r[k - 3].args[0], r[k + 1].args[0]), 6.0) << k;
            ASSERT_EQ(turned(r[k - 2].args[0], r[k + 2].args[0]), 1.0) << k;
        }
    }
}

}  // namespace
