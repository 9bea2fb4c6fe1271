// animation.cfg and the model read together by the program's character loader, and played the program's way.
#include <gtest/gtest.h>

#include <set>

#include "corvala/model/CRVL_ModelAnimate.h"
#include "tests/assets/asset_files.h"

using namespace assettest;
using corvala::QUAKE3ANIMATION;

namespace {

constexpr int kLastFrame = 209;
constexpr float kClockStep = 75.0f / 10000.0f;  // what the program's PUTMODEL(75) adds per drawn frame

QUAKE3ANIMATION& fresh_fish() {
    static QUAKE3ANIMATION* fish = new QUAKE3ANIMATION();
    *fish = QUAKE3ANIMATION();
    fish->LOADMODEL(run_path("modelli/"), "PesceRosso", 14);
    return *fish;
}

// One drawn frame of a held button: the callback selects the animation, then the clock steps the model.
void held_frame(QUAKE3ANIMATION& fish, int anim) {
    fish.SELECTMODELANIM(anim);
    fish.TIMER += kClockStep;
    fish.MODEL.UPDATEFRAME(fish.TIMER);
}

}  // namespace

TEST(AnimationTable, FileCarriesTheUsualNonDataLinesAndCommentsAfterTwoTabs) {
    const std::vector<uint8_t> b = read_bytes(run_path("modelli/animation.cfg"));
    const std::string text(b.begin(), b.end());
    EXPECT_NE(text.find("\nsex\t"), std::string::npos);
    EXPECT_NE(text.find("\nheadoffset\t"), std::string::npos);
    EXPECT_NE(text.find("\nfootsteps\t"), std::string::npos);
    EXPECT_NE(text.find("\n\n"), std::string::npos);
    EXPECT_NE(text.find("\t\t// LEGS_WALK\n"), std::string::npos);
    // Exactly 25 data lines: a 26th would fill the never-selectable last entry.
    EXPECT_EQ(fresh_fish().ANIM[corvala::Q3_MAX_ANIMATIONS].FPS, 0);
}

TEST(AnimationTable, TheAnimationsTheProgramSelectsGetTheirIntendedRanges) {
    const QUAKE3ANIMATION& fish = fresh_fish();
    ASSERT_EQ(fish.MODEL.HEADER.NUMBONEFRAMES, kLastFrame);
    struct Want {
        int anim, first, last;
    };
    const Want want[] = {
        {0, 0, 23},      // squashed: struggling loop
        {14, 54, 101},   // rest: swimming loop
        {15, 102, 125},  // fast swim
        {21, 126, 149},  // startled
        {22, 150, 169},  // eye poked, -y eye shut
        {23, 170, 189},  // eye poked, +y eye shut
        {24, 190, 209},  // nose poked
    };
    for (const Want& w : want) {
        EXPECT_EQ(fish.ANIM[w.anim].FIRSTFRAME, w.first) << w.anim;
        EXPECT_EQ(fish.ANIM[w.anim].FIRSTFRAME + fish.ANIM[w.anim].NUMFRAMES, w.last) << w.anim;
        EXPECT_EQ(fish.ANIM[w.anim].FPS, 70) << w.anim;
    }
    // Loaded with 14 selected, as the program starts.
    EXPECT_EQ(fish.MODEL.STARTFRAME, 54);
    EXPECT_EQ(fish.MODEL.ENDFRAME, 101);
    EXPECT_EQ(fish.MODEL.NEXTFRAME, 54);
}

TEST(AnimationTable, EveryLineStaysInsideTheModelsFrames) {
    const QUAKE3ANIMATION& fish = fresh_fish();
    for (int i = 0; i <= 24; ++i) {
        EXPECT_GE(fish.ANIM[i].FIRSTFRAME, 0) << i;
        EXPECT_GT(fish.ANIM[i].NUMFRAMES, 0) << i;
        EXPECT_LE(fish.ANIM[i].FIRSTFRAME + fish.ANIM[i].NUMFRAMES, kLastFrame) << i;
        EXPECT_GT(fish.ANIM[i].FPS, 0) << i;
    }
}

TEST(AnimationTable, AHeldToolFreezesTheStartleOnItsFirstFrameWhileSquashingKeepsStruggling) {
    QUAKE3ANIMATION& fish = fresh_fish();
    for (int i = 0; i < 30; ++i) {
        fish.TIMER += kClockStep;
        fish.MODEL.UPDATEFRAME(fish.TIMER);
    }
    for (int i = 0; i < 10; ++i) held_frame(fish, corvala::Q3_LEGS_LANDB);
    for (int i = 0; i < 120; ++i) {
        held_frame(fish, corvala::Q3_LEGS_LANDB);
        EXPECT_EQ(fish.MODEL.FRAME, 126);
        EXPECT_LE(fish.MODEL.NEXTFRAME, 127);
    }
    std::set<int> shown;
    for (int i = 0; i < 10; ++i) held_frame(fish, corvala::Q3_BOTH_DEATH1);
    for (int i = 0; i < 120; ++i) {
        held_frame(fish, corvala::Q3_BOTH_DEATH1);
        EXPECT_LE(fish.MODEL.FRAME, 23);
        shown.insert(fish.MODEL.FRAME);
    }
    EXPECT_EQ(shown.size(), 24u);  // the whole loop plays
}
