#include <gtest/gtest.h>

#include <cmath>

#include "corvala/render/CRVL_Primitives.h"
#include "corvala/render/CRVL_Vector.h"
#include "platform/gl/gl.h"
#include "tests/render/trace_helpers.h"

using namespace corvala;
using rendertest::C;
using rendertest::Seq;
using rendertest::Trace;

namespace {

TEST(Primitives, LinefreeWithoutTextureEmitsOnlyTheTwoVertices) {
    const Seq got = Trace([] { LINEFREE(0.1f, 0.2f, 0.3f, 0.4f, 1, 2, 3, 4, 5, 6, false); });
    EXPECT_EQ(got, (Seq{C("glVertex3f", {1, 2, 3}), C("glVertex3f", {4, 5, 6})}));
}

TEST(Primitives, LinefreeWithTexturePrecedesEachVertexByItsCoordinate) {
    const Seq got = Trace([] { LINEFREE(0.5f, 0.25f, 2, 3, 1, 2, 3, 4, 5, 6, true); });
    EXPECT_EQ(got, (Seq{C("glTexCoord2f", {0.5, 0.25}), C("glVertex3f", {1, 2, 3}), C("glTexCoord2f", {2, 3}),
                        C("glVertex3f", {4, 5, 6})}));
}

TEST(Primitives, CuboEmitsSixFacesWithTheirNormalsAndTextureCorners) {
    // Distinct values on every axis so that a swapped corner shows.
    const float X1 = -1, Y1 = -2, Z1 = -3, X2 = 4, Y2 = 5, Z2 = 6, T = 2;
    const Seq got = Trace([&] { CUBO(7, 8, 9, X1, Y1, Z1, X2, Y2, Z2, T); });
    struct V {
        float x, y, z, s, t;
    };
    struct Face {
        float nx, ny, nz;
        V v[4];
    };
    const Face faces[6] = {
        {0, 0, 1, {{X1, Y1, Z2, 0, 0}, {X2, Y1, Z2, T, 0}, {X2, Y2, Z2, T, T}, {X1, Y2, Z2, 0, T}}},
        {0, 0, -1, {{X1, Y1, Z1, T, 0}, {X1, Y2, Z1, T, T}, {X2, Y2, Z1, 0, T}, {X2, Y1, Z1, 0, 0}}},
        {0, 1, 0, {{X1, Y2, Z1, 0, T}, {X1, Y2, Z2, 0, 0}, {X2, Y2, Z2, T, 0}, {X2, Y2, Z1, T, T}}},
        {0, -1, 0, {{X1, Y1, Z1, T, T}, {X2, Y1, Z1, 0, T}, {X2, Y1, Z2, 0, 0}, {X1, Y1, Z2, T, 0}}},
        {1, 0, 0, {{X2, Y1, Z1, T, 0}, {X2, Y2, Z1, T, T}, {X2, Y2, Z2, 0, T}, {X2, Y1, Z2, 0, 0}}},
        {-1, 0, 0, {{X1, Y1, Z1, 0, 0}, {X1, Y1, Z2, T, 0}, {X1, Y2, Z2, T, T}, {X1, Y2, Z1, 0, T}}},
    };
    Seq expected{C("glPushMatrix"), C("glTranslatef", {7, 8, 9}), C("glBegin", {GL_QUADS})};
    for (const Face& f : faces) {
        expected.push_back(C("glNormal3f", {f.nx, f.ny, f.nz}));
        for (const V& v : f.v) {
            expected.push_back(C("glTexCoord2f", {v.s, v.t}));
            expected.push_back(C("glVertex3f", {v.x, v.y, v.z}));
        }
    }
    expected.push_back(C("glEnd"));
    expected.push_back(C("glPopMatrix"));
    EXPECT_EQ(got, expected);
}

TEST(Primitives, CuboFacesWindCounterClockwiseFromOutsideAndNormalsPointOut) {
    gltrace::Scope scope;
    CUBO(0, 0, 0, -10, -6, -10.5f, 10, 6, 10.5f, 1);  // the tank
    const auto normals = gltrace::named("glNormal3f");
    const auto verts = gltrace::named("glVertex3f");
    const auto tex = gltrace::named("glTexCoord2f");
    ASSERT_EQ(normals.size(), 6u);
    ASSERT_EQ(verts.size(), 24u);
    ASSERT_EQ(tex.size(), 24u);
    for (const auto& t : tex)
        for (double c : t.args) EXPECT_TRUE(c == 0.0 || c == 1.0);
    for (int f = 0; f < 6; ++f) {
        const auto& n = normals[f].args;
        EXPECT_EQ(std::fabs(n[0]) + std::fabs(n[1]) + std::fabs(n[2]), 1.0) << f;  // unit, along an axis
        double centre[3] = {0, 0, 0};
        for (int k = 0; k < 4; ++k)
            for (int a = 0; a < 3; ++a) centre[a] += verts[4 * f + k].args[a] / 4;
        EXPECT_GT(n[0] * centre[0] + n[1] * centre[1] + n[2] * centre[2], 0.0) << "face " << f << " points in";
        // Polygon normal by Newell's method: it must agree with the given one (counter-clockwise outside).
        double p[3] = {0, 0, 0};
        for (int k = 0; k < 4; ++k) {
            const auto& a = verts[4 * f + k].args;
            const auto& b = verts[4 * f + (k + 1) % 4].args;
            p[0] += (a[1] - b[1]) * (a[2] + b[2]);
            p[1] += (a[2] - b[2]) * (a[0] + b[0]);
            p[2] += (a[0] - b[0]) * (a[1] + b[1]);
        }
        EXPECT_GT(p[0] * n[0] + p[1] * n[1] + p[2] * n[2], 0.0) << "face " << f << " winds clockwise";
    }
}

TEST(Primitives, CuboTextureSizeRepeatsTheTextureAcrossEachFace) {
    gltrace::Scope scope;
    CUBO(0, 0, 0, 0, 0, 0, 1, 1, 1, 2);
    double lo = 1e9, hi = -1e9;
    for (const auto& t : gltrace::named("glTexCoord2f"))
        for (double c : t.args) lo = std::min(lo, c), hi = std::max(hi, c);
    EXPECT_EQ(lo, 0.0);
    EXPECT_EQ(hi, 2.0);
}

TEST(Primitives, SferaEmitsOneClosedStripPerBandFromPoleToPole) {
    const float R = 0.75f, PX = 1, PY = -2, PZ = 3;
    const int N = 32, L = 32;
    gltrace::Scope scope;
    SFERA(PX, PY, PZ, R, N, L, 1);
    const auto& calls = gltrace::calls();
    int strips = 0, in_strip = 0;
    std::vector<int> counts;
    for (const auto& c : calls) {
        if (c.name == "glBegin") {
            EXPECT_EQ(c.args[0], GL_TRIANGLE_STRIP);
            ++strips;
            in_strip = 0;
        } else if (c.name == "glVertex3f") {
            ++in_strip;
        } else if (c.name == "glEnd") {
            counts.push_back(in_strip);
        }
    }
    EXPECT_EQ(strips, L);
    EXPECT_EQ(counts, std::vector<int>(L, 2 * (N + 1)));

    // Normal, texture coordinate, vertex: in that order for every vertex.
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ(calls[1].name, "glNormal3f");
    EXPECT_EQ(calls[2].name, "glTexCoord2f");
    EXPECT_EQ(calls[3].name, "glVertex3f");
    EXPECT_EQ(calls[1].args, (std::vector<double>{0, 0, 1}));
    EXPECT_EQ(calls[3].args, (std::vector<double>{PX, PY, PZ + R}));  // +z pole, centre added

    const auto normals = gltrace::named("glNormal3f");
    const auto verts = gltrace::named("glVertex3f");
    ASSERT_EQ(normals.size(), verts.size());
    for (size_t i = 0; i < verts.size(); ++i) {
        const double d[3] = {verts[i].args[0] - PX, verts[i].args[1] - PY, verts[i].args[2] - PZ};
        EXPECT_NEAR(std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]), R, 1e-5) << i;
        for (int a = 0; a < 3; ++a) EXPECT_NEAR(normals[i].args[a], d[a] / R, 1e-5) << i;
    }
    EXPECT_NEAR(verts.back().args[2], PZ - R, 1e-6);  // the last band ends at the -z pole
}

TEST(Primitives, SferaTextureRunsBackwardsAroundAndDownToTheSouthPole) {
    gltrace::Scope scope;
    SFERA(0, 0, 0, 2, 4, 2, 0.5f);
    const auto tex = gltrace::named("glTexCoord2f");
    ASSERT_EQ(tex.size(), 2u * 2 * 5);
    // Band 0, column 0 then 1: s goes 0, -1/4/0.5; t is 0 at the top ring, 1/2/0.5 at the bottom one.
    EXPECT_EQ(tex[0].args, (std::vector<double>{0, 0}));
    EXPECT_EQ(tex[1].args, (std::vector<double>{0, 1}));
    EXPECT_EQ(tex[2].args, (std::vector<double>{-0.5, 0}));
    EXPECT_EQ(tex[9].args, (std::vector<double>{-2, 1}));      // last column of band 0: -1/TSIZE
    EXPECT_EQ(tex.back().args, (std::vector<double>{-2, 2}));  // -z pole: t = 1/TSIZE
}

}  // namespace
