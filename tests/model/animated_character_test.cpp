// The animated character: loading model and animations together, selecting animations, and the
// clock that PUTMODEL advances once per drawn frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "corvala/model/CRVL_ModelAnimate.h"
#include "platform/gl/tracer/gltrace.h"
#include "tests/model/md3_builder.h"
#include "tests/support/temp_dir.h"

using namespace corvala;

namespace {

// Frames 0..3 of the both group, torso from 4, legs from 10 in the file (4 after the legs shift).
const char kCfg[] =
    "// fish\r\n"
    "sex\tn\r\n"
    "\r\n"
    "0\t2\t0\t10\t\t// BOTH_DEATH1\r\n"
    "2\t2\t0\t10\t\t// BOTH_DEAD1\r\n"
    "0\t1\t0\t10\t\t// BOTH_DEATH2\r\n"
    "0\t1\t0\t10\t\t// BOTH_DEAD2\r\n"
    "0\t1\t0\t10\t\t// BOTH_DEATH3\r\n"
    "0\t4\t0\t10\t\t// BOTH_DEAD3\r\n"
    "4\t3\t0\t20\t\t// TORSO_GESTURE\r\n"
    "7\t3\t0\t20\t\t// TORSO_ATTACK\r\n"
    "4\t1\t0\t20\t\t// TORSO_ATTACK2\r\n"
    "4\t1\t0\t20\t\t// TORSO_DROP\r\n"
    "4\t1\t0\t20\t\t// TORSO_RAISE\r\n"
    "4\t1\t0\t20\t\t// TORSO_STAND\r\n"
    "4\t1\t0\t20\t\t// TORSO_STAND2\r\n"
    "10\t2\t2\t25\t\t// LEGS_WALKCR\r\n"
    "12\t3\t3\t25\t\t// LEGS_WALK\r\n";

// A model of ten frames, each a single triangle.
std::vector<uint8_t> ten_frames() {
    md3test::Model mm = md3test::one_triangle();
    mm.frames = 10;
    md3test::Surface& s = mm.surfaces[0];
    s.frames = 10;
    s.vertices.clear();
    for (int16_t f = 0; f < 10; ++f)
        for (int16_t v = 0; v < 3; ++v) s.vertices.push_back(md3test::vertex(int16_t(64 * f), v, 0));
    return md3test::build(mm).bytes;
}

struct Loaded {
    testsupport::TempDir dir;
    QUAKE3ANIMATION fish{};
    explicit Loaded(int32_t start) {
        std::filesystem::create_directory(dir.file("modelli"));
        dir.write("modelli/PesceRosso.md3", ten_frames());
        dir.write("modelli/animation.cfg", std::string(kCfg));
        fish.LOADMODEL(dir.path() + "\\modelli\\", "PesceRosso", start);
    }
};

}  // namespace

TEST(AnimatedCharacter, LoadModelReadsBothFilesAndSelectsTheStartAnimation) {
    Loaded l(Q3_LEGS_WALK);
    const QUAKE3ANIMATION& f = l.fish;
    EXPECT_EQ(l.dir.path() + "\\modelli\\PesceRosso.md3", f.MODEL.MD3NAME);
    EXPECT_EQ(1u, f.MODEL.MESHES.size());
    EXPECT_EQ(Q3_LEGS_WALK, f.ANIMMODEL);
    EXPECT_EQ(6, f.MODEL.STARTFRAME);  // 12 less the legs shift of 6
    EXPECT_EQ(8, f.MODEL.ENDFRAME);
    EXPECT_EQ(6, f.MODEL.NEXTFRAME);
    EXPECT_EQ(25, f.MODEL.FPS);
}

TEST(AnimatedCharacter, StartAnimationOutOfRangeLeavesTheRangeAtFrameZero) {
    Loaded l(40);
    EXPECT_EQ(40, l.fish.ANIMMODEL);
    EXPECT_EQ(0, l.fish.MODEL.STARTFRAME);
    EXPECT_EQ(0, l.fish.MODEL.ENDFRAME);
    EXPECT_EQ(0, l.fish.MODEL.FPS);
}

TEST(AnimatedCharacter, SelectingTorsoOrLegsRestartsAtTheirFirstFrame) {
    Loaded l(Q3_BOTH_DEATH1);
    QUAKE3ANIMATION& f = l.fish;
    f.MODEL.FRAME = 3;
    f.SELECTMODELANIM(Q3_LEGS_WALK);
    EXPECT_EQ(Q3_LEGS_WALK, f.ANIMMODEL);
    EXPECT_EQ(f.ANIM[Q3_LEGS_WALK].FIRSTFRAME, f.MODEL.STARTFRAME);
    EXPECT_EQ(f.ANIM[Q3_LEGS_WALK].FIRSTFRAME + 3 - 1, f.MODEL.ENDFRAME);
    EXPECT_EQ(f.ANIM[Q3_LEGS_WALK].FIRSTFRAME, f.MODEL.NEXTFRAME);
    EXPECT_EQ(25, f.MODEL.FPS);
    EXPECT_EQ(3, f.MODEL.FRAME);  // the shape showing now is blended into the new range
    f.SELECTMODELANIM(Q3_TORSO_ATTACK);
    EXPECT_EQ(7, f.MODEL.STARTFRAME);
    EXPECT_EQ(9, f.MODEL.ENDFRAME);
    EXPECT_EQ(7, f.MODEL.NEXTFRAME);
}

TEST(AnimatedCharacter, SelectingFromTheBothGroupRunsOnFromTheCurrentNextFrame) {
    Loaded l(Q3_TORSO_ATTACK);
    QUAKE3ANIMATION& f = l.fish;
    ASSERT_EQ(7, f.MODEL.NEXTFRAME);
    f.SETANIM(Q3_BOTH_DEAD1);
    EXPECT_EQ(2, f.MODEL.STARTFRAME);
    EXPECT_EQ(3, f.MODEL.ENDFRAME);
    EXPECT_EQ(7, f.MODEL.NEXTFRAME);
    EXPECT_EQ(Q3_BOTH_DEAD1, f.ANIMMODEL);
    f.MODEL.UPDATEFRAME(1.0f);  // past its end, so the next step falls into the range
    EXPECT_EQ(2, f.MODEL.NEXTFRAME);
}

TEST(AnimatedCharacter, NumbersOutsideTheListAreIgnoredButRemembered) {
    Loaded l(Q3_LEGS_WALK);
    QUAKE3ANIMATION& f = l.fish;
    const TGLMD3MODEL before = f.MODEL;
    for (int32_t n : {30, Q3_MAX_ANIMATIONS, -1, INT32_MIN}) {
        f.SELECTMODELANIM(n);
        EXPECT_EQ(n, f.ANIMMODEL);
        EXPECT_EQ(before.STARTFRAME, f.MODEL.STARTFRAME);
        EXPECT_EQ(before.ENDFRAME, f.MODEL.ENDFRAME);
        EXPECT_EQ(before.NEXTFRAME, f.MODEL.NEXTFRAME);
        EXPECT_EQ(before.FPS, f.MODEL.FPS);
    }
    f.ANIMMODEL = 3;
    f.SETANIM(Q3_MAX_ANIMATIONS);
    EXPECT_EQ(3, f.ANIMMODEL);
}

TEST(AnimatedCharacter, PutModelHundredTimesAdvancesTheClockByThreeQuarters) {
    QUAKE3ANIMATION f{};
    for (int i = 0; i < 100; ++i) f.PUTMODEL(75.0f);
    // Each call rounds the float clock once; below 1 that costs at most half of 2^-24, so a hundred
    // calls stay within 100 x 2^-25 of the exact sum (the increment's own rounding is far smaller).
    EXPECT_NEAR(0.75, f.TIMER, 100 * std::ldexp(1.0, -25));
}

TEST(AnimatedCharacter, PutModelStepsWhenTheClockPassesOneFrameAndDraws) {
    Loaded l(Q3_LEGS_WALKCR);  // 25 frames per unit: a frame lasts 0.04, 5.33 drawn frames
    QUAKE3ANIMATION& f = l.fish;
    ASSERT_EQ(4, f.MODEL.NEXTFRAME);
    for (int i = 0; i < 5; ++i) f.PUTMODEL(75.0f);
    EXPECT_EQ(4, f.MODEL.NEXTFRAME);
    gltrace::Scope trace;
    f.PUTMODEL(75.0f);
    EXPECT_EQ(5, f.MODEL.NEXTFRAME);
    EXPECT_EQ(4, f.MODEL.FRAME);
    EXPECT_FLOAT_EQ(f.TIMER, f.MODEL.LASTUPDATE);
    EXPECT_EQ(1u, gltrace::named("glBegin").size());
    EXPECT_EQ(2u, gltrace::named("glCullFace").size());
}

TEST(AnimatedCharacter, WithoutAnAnimationFileTheCharacterStandsStill) {
    testsupport::TempDir dir;
    dir.write("fish.md3", ten_frames());
    QUAKE3ANIMATION f{};
    f.LOADMODEL(dir.path() + "/", "fish", Q3_LEGS_IDLE);
    EXPECT_EQ(0, f.MODEL.FPS);
    for (int i = 0; i < 1000; ++i) f.PUTMODEL(75.0f);
    EXPECT_EQ(0, f.MODEL.FRAME);
    EXPECT_EQ(0, f.MODEL.NEXTFRAME);
}

TEST(AnimatedCharacter, AnAnimationWithoutARateHoldsItsPoseBetweenTwoDifferentFrames) {
    Loaded l(Q3_LEGS_WALK);
    QUAKE3ANIMATION& f = l.fish;
    f.ANIM[Q3_TORSO_GESTURE].FPS = 0;  // what a data line with a bad rate field gives
    f.SELECTMODELANIM(Q3_TORSO_GESTURE);
    ASSERT_NE(f.MODEL.FRAME, f.MODEL.NEXTFRAME);
    const float lo = float(std::min(f.MODEL.FRAME, f.MODEL.NEXTFRAME));  // frame f lies at x = f
    const float hi = float(std::max(f.MODEL.FRAME, f.MODEL.NEXTFRAME));
    gltrace::Scope trace;
    for (int i = 0; i < 1000; ++i) f.PUTMODEL(75.0f);
    const std::vector<gltrace::Call> v = gltrace::named("glVertex3f");
    ASSERT_EQ(v.size(), 3000u);
    for (const gltrace::Call& c : v) {
        ASSERT_GE(c.args[0], lo);
        ASSERT_LE(c.args[0], hi);
    }
}

TEST(AnimatedCharacter, AnAnimationWithoutARateSelectedWhileMovingDrawsExactlyItsFrame) {
    Loaded l(Q3_LEGS_WALK);
    QUAKE3ANIMATION& f = l.fish;
    for (int i = 0; i < 3; ++i) f.PUTMODEL(75.0f);  // part way into a frame: blend factor above 0
    ASSERT_GT(f.MODEL.POLL, 0.0f);
    f.ANIM[Q3_TORSO_GESTURE].FPS = 0;
    f.SELECTMODELANIM(Q3_TORSO_GESTURE);
    gltrace::Scope trace;
    f.PUTMODEL(75.0f);
    EXPECT_EQ(0.0f, f.MODEL.POLL);
    const std::vector<gltrace::Call> v = gltrace::named("glVertex3f");
    ASSERT_EQ(3u, v.size());
    for (const gltrace::Call& c : v) EXPECT_EQ(float(f.MODEL.FRAME), c.args[0]);  // frame f lies at x = f
}

TEST(AnimatedCharacter, ALongRunningClockKeepsSteppingAtTheSamePace) {
    Loaded l(Q3_LEGS_WALKCR);  // a frame lasts 0.04 clock units: a step every 5 or 6 drawn frames
    QUAKE3ANIMATION& f = l.fish;
    // Days of drawing: a float clock this large would no longer advance by 0.0075 at all.
    f.TIMER = 131072.0f;
    f.MODEL.LASTUPDATE = 131072.0f;
    int steps = 0;
    for (int i = 0; i < 5400; ++i) {
        const int32_t before = f.MODEL.NEXTFRAME;
        f.PUTMODEL(75.0f);
        if (f.MODEL.NEXTFRAME != before) ++steps;
        ASSERT_GE(f.MODEL.POLL, 0.0f);
        ASSERT_LT(f.MODEL.POLL, 0.05f);
    }
    // A frame of 0.04 units is passed on every sixth drawn frame (5 x 0.0075 is not more than 0.04),
    // exactly as early in a run: 5400 drawn frames make 900 steps.
    EXPECT_NEAR(steps, 900, 2);
    EXPECT_LT(f.TIMER, 131072.0f);
}
