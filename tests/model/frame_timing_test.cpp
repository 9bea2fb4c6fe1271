// Frame timing: when UPDATEFRAME steps the counter, where it wraps, and what it does without a rate.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "corvala/model/CRVL_Model.h"

using namespace corvala;

namespace {

TGLMD3MODEL counter(int32_t start, int32_t end, int32_t frame, int32_t next, int32_t fps) {
    TGLMD3MODEL m{};
    m.STARTFRAME = start;
    m.ENDFRAME = end;
    m.FRAME = frame;
    m.NEXTFRAME = next;
    m.FPS = fps;
    return m;
}

}  // namespace

TEST(FrameTiming, ElapsedTimeExactlyOneFrameDoesNotStep) {
    TGLMD3MODEL m = counter(0, 9, 3, 4, 10);
    m.UPDATEFRAME(1.0f / 10);  // 0.1 as a float is a little more than a tenth: still one frame
    EXPECT_EQ(3, m.FRAME);
    EXPECT_EQ(4, m.NEXTFRAME);
    EXPECT_EQ(1.0f / 10, m.POLL);
    EXPECT_EQ(0.0f, m.LASTUPDATE);

    m = counter(0, 9, 3, 4, 4);
    m.LASTUPDATE = 0.5f;
    m.UPDATEFRAME(0.75f);
    EXPECT_EQ(4, m.NEXTFRAME);
    EXPECT_EQ(0.25f, m.POLL);
}

TEST(FrameTiming, AnyMoreThanOneFrameStepsOnce) {
    TGLMD3MODEL m = counter(0, 9, 3, 4, 10);
    const float later = std::nextafter(1.0f / 10, 1.0f);
    m.UPDATEFRAME(later);
    EXPECT_EQ(4, m.FRAME);
    EXPECT_EQ(5, m.NEXTFRAME);
    EXPECT_EQ(later, m.LASTUPDATE);
    EXPECT_EQ(later, m.POLL);  // not reset: the drawing after a step still uses the elapsed time

    // However long it has been, one call steps one frame.
    m.UPDATEFRAME(1000.0f);
    EXPECT_EQ(5, m.FRAME);
    EXPECT_EQ(6, m.NEXTFRAME);
    // And the next call counts from the step.
    m.UPDATEFRAME(1000.05f);
    EXPECT_EQ(6, m.NEXTFRAME);
    EXPECT_NEAR(0.05f, m.POLL, 1e-4);
}

TEST(FrameTiming, NextFramePastTheEndWrapsToTheStart) {
    TGLMD3MODEL m = counter(0, 2, 1, 2, 25);
    m.UPDATEFRAME(1.0f);
    EXPECT_EQ(2, m.FRAME);
    EXPECT_EQ(0, m.NEXTFRAME);
    m.UPDATEFRAME(2.0f);
    EXPECT_EQ(0, m.FRAME);
    EXPECT_EQ(1, m.NEXTFRAME);
}

TEST(FrameTiming, OneFrameRangeHoldsTheNextFrame) {
    TGLMD3MODEL m = counter(5, 5, 9, 12, 25);
    m.UPDATEFRAME(1.0f);
    EXPECT_EQ(12, m.FRAME);
    EXPECT_EQ(5, m.NEXTFRAME);
    m.UPDATEFRAME(2.0f);
    EXPECT_EQ(5, m.FRAME);
    EXPECT_EQ(5, m.NEXTFRAME);
}

TEST(FrameTiming, NextFrameBelowTheRangeCountsUpIntoIt) {
    TGLMD3MODEL m = counter(10, 12, 0, 3, 25);
    m.UPDATEFRAME(1.0f);
    EXPECT_EQ(4, m.NEXTFRAME);
}

TEST(FrameTiming, WithoutAPositiveRateTheModelStandsAtFrameUntilARateIsSelected) {
    for (int32_t fps : {0, -5, INT32_MIN}) {
        SCOPED_TRACE(fps);
        TGLMD3MODEL m = counter(0, 9, 3, 4, fps);
        m.LASTUPDATE = 1.0f;
        for (float t : {1.0f, 2.0f, 1e30f, INFINITY, 3.0f}) {
            m.UPDATEFRAME(t);
            EXPECT_EQ(3, m.FRAME);
            EXPECT_EQ(4, m.NEXTFRAME);
            EXPECT_EQ(0.0f, m.POLL);  // the blend factor: the shape stays at FRAME
        }
        m.FPS = 10;  // timing goes on from the moment a rate is back
        m.UPDATEFRAME(3.0625f);
        EXPECT_EQ(0.0625f, m.POLL);
        EXPECT_EQ(4, m.NEXTFRAME);
        m.UPDATEFRAME(3.25f);
        EXPECT_EQ(5, m.NEXTFRAME);
    }
}

TEST(FrameTiming, WrapAtTheLargestFrameNumberDoesNotOverflow) {
    TGLMD3MODEL m = counter(7, INT32_MAX, 0, INT32_MAX, 1);
    m.UPDATEFRAME(2.0f);
    EXPECT_EQ(INT32_MAX, m.FRAME);
    EXPECT_EQ(7, m.NEXTFRAME);
}
