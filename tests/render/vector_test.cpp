#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "corvala/render/CRVL_Vector.h"
#include "corvala/window/CRVL_Window.h"
#include "platform/gl/gl.h"
#include "tests/render/trace_helpers.h"

using namespace corvala;
using rendertest::C;
using rendertest::Seq;
using rendertest::Trace;

namespace {

// The vertex path's switches and table are globals: every test starts from the program's state.
class VertexPath : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }
    static void Reset() {
        GLVERT3FREMOVE = false;
        GLVERT3FENABLEEDIT = false;
        std::memset(&GLBASEVERTEX3F, 0, sizeof GLBASEVERTEX3F);
    }
    static TGLVERTEX3F& T() { return GLBASEVERTEX3F; }
};

TEST(Vector, GlvectorNarrowsEachComponentTo32BitFloat) {
    static_assert(sizeof(TGLVECTOR) == 12, "three 32-bit floats");
    const TGLVECTOR v = GLVECTOR(0.1, -1e-50, 16777217.0);
    EXPECT_EQ(double(v.X), double(0.1f));
    EXPECT_NE(double(v.X), 0.1);
    EXPECT_EQ(v.Y, 0.0f);
    EXPECT_EQ(double(v.Z), 16777216.0);  // 2^24 + 1 has no float
}

TEST(Vector, FindnormalPointsTowardsTheViewerOfACounterClockwiseTriangle) {
    FINDNORMAL(0, 0, 0, 1, 0, 0, 1, 1, 0);
    EXPECT_EQ(FNORMAL[1], 0.0);
    EXPECT_EQ(FNORMAL[2], 0.0);
    EXPECT_EQ(FNORMAL[3], 1.0);
    FINDNORMAL(1, 1, 0, 1, 0, 0, 0, 0, 0);
    EXPECT_EQ(FNORMAL[1], 0.0);
    EXPECT_EQ(FNORMAL[2], 0.0);
    EXPECT_EQ(FNORMAL[3], -1.0);
}

TEST(Vector, FindnormalScalesATiltedNormalToUnitLength) {
    // Triangle in the plane x + y + z = 3, counter-clockwise seen from (1, 1, 1) * large.
    FINDNORMAL(3, 0, 0, 0, 3, 0, 0, 0, 3);
    const double k = 1.0 / std::sqrt(3.0);
    EXPECT_NEAR(FNORMAL[1], k, 1e-7);
    EXPECT_NEAR(FNORMAL[2], k, 1e-7);
    EXPECT_NEAR(FNORMAL[3], k, 1e-7);
    // The length is rounded to a 32-bit float before the division.
    const double len = double(float(std::sqrt(3.0 * 81.0)));
    EXPECT_EQ(FNORMAL[1], 9.0 / len);
}

TEST(Vector, FindnormalOfCollinearPointsIsTheZeroVector) {
    FINDNORMAL(0, 0, 0, 1, 1, 1, 2, 2, 2);
    EXPECT_EQ(FNORMAL[1], 0.0);
    EXPECT_EQ(FNORMAL[2], 0.0);
    EXPECT_EQ(FNORMAL[3], 0.0);
    EXPECT_FALSE(std::isnan(FNORMAL[1]));
}

TEST_F(VertexPath, PassesVerticesStraightToGlWhenBothSwitchesAreOff) {
    const Seq got = Trace([] {
        GLBEGIN(GL_QUADS);
        GLVERTEX3F(1.5f, 2, 3);
        GLVERTEX3F(-1, 0.25f, 7);
        GLVERTEX3F(0, 0, 0);
        GLVERTEX3F(1e6f, -2, 0.1f);
        GLEND();
    });
    EXPECT_EQ(got, (Seq{C("glBegin", {GL_QUADS}), C("glVertex3f", {1.5, 2, 3}), C("glVertex3f", {-1, 0.25, 7}),
                        C("glVertex3f", {0, 0, 0}), C("glVertex3f", {1e6, -2, 0.1f}), C("glEnd")}));
    EXPECT_EQ(T().GLVERT3FCOUNT, 0);  // nothing recorded
}

TEST_F(VertexPath, SuppressionKeepsEverythingFromGlButGlbeginStillSetsTheMaximum) {
    GLVERT3FREMOVE = true;
    T().GLVERT3FSETNUM = 17;
    const Seq got = Trace([] {
        GLBEGIN(GL_TRIANGLES);
        GLVERTEX3F(1, 2, 3);
        GLEND();
    });
    EXPECT_TRUE(got.empty()) << ::testing::PrintToString(got);
    EXPECT_EQ(T().GLVERT3FMAX, 17);
}

TEST_F(VertexPath, RecordingFillsSlotsUpToTheMaximumThenOverwritesTheLast) {
    GLVERT3FENABLEEDIT = true;
    T().GLVERT3FSETNUM = 4;
    for (int i = 0; i < 4; ++i) T().GLVERT3FTMP[i] = TGLVECTOR{float(10 * (i + 1)), 0.5f, -1};
    const Seq got = Trace([] {
        GLBEGIN(GL_POINTS);
        for (int v = 1; v <= 6; ++v) GLVERTEX3F(float(v), float(-v), 0);
        GLEND();
    });
    // Slots 1, 2, 3, 4, 4, 4: each vertex meets the displacement of the slot it landed in.
    EXPECT_EQ(got, (Seq{C("glBegin", {GL_POINTS}), C("glVertex3f", {11, -0.5, -1}), C("glVertex3f", {22, -1.5, -1}),
                        C("glVertex3f", {33, -2.5, -1}), C("glVertex3f", {44, -3.5, -1}),
                        C("glVertex3f", {45, -4.5, -1}), C("glVertex3f", {46, -5.5, -1}), C("glEnd")}));
    EXPECT_EQ(T().GLVERT3FCOUNT, 4);
    EXPECT_EQ(T().GLVERT3FMAX, 4);
    EXPECT_EQ(T().GLVERT3FOFFSET[0].X, 1.0f);  // slot 1
    EXPECT_EQ(T().GLVERT3FOFFSET[3].X, 6.0f);  // slot 4 holds the last vertex given
    EXPECT_EQ(T().GLVERT3F[3].X, 46.0f);
    EXPECT_EQ(T().GLVERT3F[3].Y, -5.5f);
    EXPECT_EQ(T().GLVERT3FOFFSET[4].X, 0.0f);  // slot 5 untouched
}

TEST_F(VertexPath, RecordingCounterRunsOnAcrossPrimitives) {
    GLVERT3FENABLEEDIT = true;
    T().GLVERT3FSETNUM = 10;
    GLBEGIN(GL_LINES);
    GLVERTEX3F(1, 0, 0);
    GLVERTEX3F(2, 0, 0);
    GLEND();
    GLBEGIN(GL_LINES);
    GLVERTEX3F(3, 0, 0);
    GLEND();
    EXPECT_EQ(T().GLVERT3FCOUNT, 3);
    EXPECT_EQ(T().GLVERT3FOFFSET[2].X, 3.0f);
}

TEST_F(VertexPath, RecordingWithSuppressionFillsTheTableWithoutDrawing) {
    GLVERT3FENABLEEDIT = true;
    GLVERT3FREMOVE = true;
    T().GLVERT3FSETNUM = 3;
    T().GLVERT3FTMP[1] = TGLVECTOR{0, 0, 5};
    const Seq got = Trace([] {
        GLBEGIN(GL_TRIANGLES);
        GLVERTEX3F(1, 1, 1);
        GLVERTEX3F(2, 2, 2);
        GLEND();
    });
    EXPECT_TRUE(got.empty()) << ::testing::PrintToString(got);
    EXPECT_EQ(T().GLVERT3FCOUNT, 2);
    EXPECT_EQ(T().GLVERT3F[1].Z, 7.0f);
    EXPECT_EQ(T().GLVERT3FOFFSET[1].Z, 2.0f);
}

// A maximum or counter outside 1..10000 must never reach memory outside the table. The arrays sit
// back to back in one record, so an overrun would land in the next array or in the counters:
// sentinels there tell.
TEST_F(VertexPath, RecordingBeyondTheCapacityStaysInTheLastSlot) {
    GLVERT3FENABLEEDIT = true;
    T().GLVERT3FSETNUM = 20000;
    T().GLVERT3FCOUNT = 9998;
    T().GLVERT3FTMP[0] = TGLVECTOR{123, 456, 789};
    T().GLVERT3FTMP[9999] = TGLVECTOR{1, 1, 1};
    const Seq got = Trace([] {
        GLBEGIN(GL_POINTS);
        for (int v = 0; v < 4; ++v) GLVERTEX3F(float(v), 0, 0);
        GLEND();
    });
    EXPECT_EQ(T().GLVERT3FCOUNT, 10000);
    EXPECT_EQ(T().GLVERT3FMAX, 20000);
    EXPECT_EQ(T().GLVERT3FOFFSET[9998].X, 0.0f);  // slot 9999
    EXPECT_EQ(T().GLVERT3FOFFSET[9999].X, 3.0f);  // slot 10000 took the rest
    EXPECT_EQ(T().GLVERT3F[9999].X, 4.0f);
    EXPECT_EQ(T().GLVERT3FTMP[0].X, 123.0f);
    EXPECT_EQ(T().GLVERT3FTMP[0].Z, 789.0f);
    EXPECT_EQ(T().GLVERT3FSETNUM, 20000);
    EXPECT_EQ(got.size(), 6u);
}

TEST_F(VertexPath, RecordingWithACounterOutsideTheTableIsHeldInsideIt) {
    GLVERT3FENABLEEDIT = true;
    T().GLVERT3FSETNUM = 5;
    T().GLVERT3FCOUNT = -7;
    GLBEGIN(GL_POINTS);
    GLVERTEX3F(9, 9, 9);
    EXPECT_EQ(T().GLVERT3FCOUNT, 1);
    EXPECT_EQ(T().GLVERT3FOFFSET[0].X, 9.0f);

    T().GLVERT3FCOUNT = 123456;
    GLVERTEX3F(8, 8, 8);
    GLEND();
    EXPECT_EQ(T().GLVERT3FCOUNT, 10000);
    EXPECT_EQ(T().GLVERT3FOFFSET[9999].X, 8.0f);
    EXPECT_EQ(T().GLVERT3FMAX, 5);
}

TEST_F(VertexPath, RecordingWithNoValidSlotDrawsTheVertexUndisplacedAndRecordsNothing) {
    GLVERT3FENABLEEDIT = true;
    T().GLVERT3FTMP[0] = TGLVECTOR{100, 100, 100};
    for (int32_t setnum : {0, -3}) {
        T().GLVERT3FSETNUM = setnum;
        T().GLVERT3FCOUNT = 0;
        const Seq got = Trace([] {
            GLBEGIN(GL_POINTS);
            GLVERTEX3F(1, 2, 3);
            GLEND();
        });
        EXPECT_EQ(got, (Seq{C("glBegin", {GL_POINTS}), C("glVertex3f", {1, 2, 3}), C("glEnd")})) << setnum;
        EXPECT_EQ(T().GLVERT3FCOUNT, 0) << setnum;
        EXPECT_EQ(T().GLVERT3FOFFSET[0].X, 0.0f) << setnum;
        EXPECT_EQ(T().GLVERT3F[0].X, 0.0f) << setnum;
    }
}

}  // namespace
