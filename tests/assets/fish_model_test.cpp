// The goldfish model, read through the program's MD3 loader: size, winding, normals, and where its features are.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "corvala/model/CRVL_Model.h"
#include "tests/assets/asset_files.h"

using namespace assettest;
using corvala::TGLMD3MODEL;
using corvala::TMESH;

namespace {

struct P {
    double x, y, z;
};
P sub(P a, P b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
P cross(P a, P b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double dot(P a, P b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
double dist(P a, P b) { return std::sqrt(dot(sub(a, b), sub(a, b))); }

// The fish's pick regions as the program places them (fish frame), turned into model units: the frame code draws
// the model scaled by 0.3 and turned so that a model point (x, y, z) lands at 0.3 * (y, z, x).
P model_point(double X, double Y, double Z) { return {Z / 0.3, X / 0.3, Y / 0.3}; }
const double kPickRadius = 0.75 / 0.3;

const TGLMD3MODEL& fish() {
    static TGLMD3MODEL* model = [] {
        auto* m = new TGLMD3MODEL();
        m->LOADMODEL(run_path("modelli/PesceRosso.md3"));
        return m;
    }();
    return *model;
}

const TMESH* surface(const char* name) {
    for (const TMESH& m : fish().MESHES)
        if (std::strncmp(m.MESHHEADER.NAME, name, 64) == 0) return &m;
    return nullptr;
}

P position(const TMESH& m, int frame, int v) {
    const auto& t = m.VERTEX.at(static_cast<size_t>(frame) * m.MESHHEADER.NUMVERTEXES + v);
    return {t.VERTEX[0] * corvala::kMd3XyzScale, t.VERTEX[1] * corvala::kMd3XyzScale,
            t.VERTEX[2] * corvala::kMd3XyzScale};
}

P normal(const TMESH& m, int frame, int v) {
    const auto& t = m.VERTEX.at(static_cast<size_t>(frame) * m.MESHHEADER.NUMVERTEXES + v);
    const double* n = corvala::MD3NORMAL[t.NORMAL[0]][t.NORMAL[1]];
    return {n[0], n[1], n[2]};
}

// Model frames of the rest animation (14), as animation.cfg gives them.
constexpr int kRestFirst = 54, kRestLast = 101;
constexpr int kFrames = 210;

}  // namespace

TEST(FishModel, LoadsWithThreeSurfacesAllFramesAndAModestTriangleCount) {
    const TGLMD3MODEL& m = fish();
    ASSERT_EQ(m.MESHES.size(), 3u);
    EXPECT_EQ(m.HEADER.NUMBONEFRAMES, kFrames - 1);
    int triangles = 0;
    for (const TMESH& s : m.MESHES) {
        EXPECT_EQ(s.MESHHEADER.NUMMESHFRAMES, kFrames);
        EXPECT_EQ(s.VERTEX.size(), static_cast<size_t>(kFrames) * s.MESHHEADER.NUMVERTEXES);
        EXPECT_LE(s.MESHHEADER.NUMVERTEXES, 1000);  // what Quake III itself allows a surface
        triangles += s.MESHHEADER.NUMTRIANGLES;
        for (const auto& t : s.TRIANGLE)
            for (int k = 0; k < 3; ++k) {
                EXPECT_GE(t.VERTEX[k], 0);
                EXPECT_LT(t.VERTEX[k], s.MESHHEADER.NUMVERTEXES);
            }
        for (const auto& c : s.TEXCOORD)
            for (float st : c.COORD) {
                EXPECT_GE(st, 0.0f);
                EXPECT_LE(st, 1.0f);
            }
    }
    EXPECT_GE(triangles, 1000);
    EXPECT_LE(triangles, 3000);
    EXPECT_LT(read_bytes(run_path("modelli/PesceRosso.md3")).size(), 4u << 20);
}

// The drawing culls front (counter-clockwise) faces, so the outside must wind clockwise seen from where its
// normals point.
TEST(FishModel, OutsideWindsClockwiseAgainstItsNormalsInEveryFrame) {
    for (const TMESH& s : fish().MESHES) {
        for (int f = 0; f < kFrames; f += 7) {
            int agree = 0, counted = 0;
            for (const auto& t : s.TRIANGLE) {
                const P a = position(s, f, t.VERTEX[0]), b = position(s, f, t.VERTEX[1]),
                        c = position(s, f, t.VERTEX[2]);
                const P n = cross(sub(b, a), sub(c, a));
                if (dot(n, n) < 1e-8) continue;
                const P avg{normal(s, f, t.VERTEX[0]).x + normal(s, f, t.VERTEX[1]).x + normal(s, f, t.VERTEX[2]).x,
                            normal(s, f, t.VERTEX[0]).y + normal(s, f, t.VERTEX[1]).y + normal(s, f, t.VERTEX[2]).y,
                            normal(s, f, t.VERTEX[0]).z + normal(s, f, t.VERTEX[1]).z + normal(s, f, t.VERTEX[2]).z};
                ++counted;
                if (dot(n, avg) < 0) ++agree;
            }
            EXPECT_GT(agree, counted * 97 / 100) << s.MESHHEADER.NAME << " frame " << f;
        }
    }
}

TEST(FishModel, BodyNormalsPointOutOfTheBody) {
    const TMESH* body = surface("body");
    ASSERT_NE(body, nullptr);
    int out = 0;
    const int n = body->MESHHEADER.NUMVERTEXES;
    for (int v = 0; v < n; ++v) {
        const P p = position(*body, kRestFirst, v);
        // Away from the body's long axis (the mouth's inside, a small part, faces inward).
        if (dot(normal(*body, kRestFirst, v), P{0, p.y, p.z - 0.5}) > 0) ++out;
    }
    EXPECT_GT(out, n * 85 / 100);
}

TEST(FishModel, SnoutEyesAndTailFinSitInTheirPickRegionsThroughoutTheRestAnimation) {
    const TMESH* body = surface("body");
    const TMESH* eyes = surface("eyes");
    const TMESH* fins = surface("fins");
    ASSERT_TRUE(body && eyes && fins);
    const P nose = model_point(0, 0, 3.5);
    const P eye[2] = {model_point(-0.8, 1, 2.8), model_point(0.8, 1, 2.8)};
    const P tail[3] = {model_point(0, 0, -4.5), model_point(0, 1, -5.5), model_point(0, -1, -5.5)};
    EXPECT_NEAR(nose.x, 11.67, 0.01);
    EXPECT_NEAR(eye[0].y, -2.67, 0.01);
    EXPECT_NEAR(tail[1].z, 3.33, 0.01);
    for (int f = kRestFirst; f <= kRestLast; ++f) {
        // The tip of the snout is the body's frontmost point, inside the nose region.
        P tip{-1e9, 0, 0};
        for (int v = 0; v < body->MESHHEADER.NUMVERTEXES; ++v)
            if (position(*body, f, v).x > tip.x) tip = position(*body, f, v);
        EXPECT_LT(dist(tip, nose), kPickRadius) << "frame " << f;
        // Each eyeball lies wholly inside its region, on its own side.
        for (int e = 0; e < 2; ++e) {
            int inside = 0;
            for (int v = 0; v < eyes->MESHHEADER.NUMVERTEXES; ++v) {
                const P p = position(*eyes, f, v);
                if ((p.y < 0) != (eye[e].y < 0)) continue;
                EXPECT_LT(dist(p, eye[e]), kPickRadius);
                ++inside;
            }
            EXPECT_GT(inside, 50);
        }
        // The tail fin (behind the tail root) passes through all three tail regions.
        for (const P& c : tail) {
            int hits = 0;
            for (int v = 0; v < fins->MESHHEADER.NUMVERTEXES; ++v) {
                const P p = position(*fins, f, v);
                if (p.x < -14.0 && dist(p, c) < kPickRadius) ++hits;
            }
            EXPECT_GT(hits, 3) << "frame " << f << " region at " << c.x << ", " << c.z;
        }
    }
}

TEST(FishModel, LoopsStepInSmallMovesIncludingTheWrapBackToTheStart) {
    // Rest (14) and fast swim (15): no vertex jumps far from one key to the next, wrap included.
    const struct {
        int first, last;
        double limit;
    } loops[] = {{kRestFirst, kRestLast, 0.8}, {102, 125, 1.8}};
    for (const auto& loop : loops) {
        for (const TMESH& s : fish().MESHES) {
            double worst = 0;
            for (int f = loop.first; f <= loop.last; ++f) {
                const int next = f == loop.last ? loop.first : f + 1;
                for (int v = 0; v < s.MESHHEADER.NUMVERTEXES; ++v)
                    worst = std::max(worst, dist(position(s, f, v), position(s, next, v)));
            }
            EXPECT_LT(worst, loop.limit) << s.MESHHEADER.NAME << " from frame " << loop.first;
            EXPECT_GT(worst, 0.02) << s.MESHHEADER.NAME << " moves";
        }
    }
}

// Poking the first eye region (the -y eye) plays 22, the second 23: each shuts the poked eye and only that one.
TEST(FishModel, EyePokeAnimationsShutThePokedEyeFromTheirFirstFrame) {
    const TMESH* eyes = surface("eyes");
    ASSERT_NE(eyes, nullptr);
    // How far the eye's parts reach from their middle: a shut lid is a shell just outside the eyeball.
    auto reach = [&](int frame, int side) {
        P mid{0, 0, 0};
        int n = 0;
        for (int v = 0; v < eyes->MESHHEADER.NUMVERTEXES; ++v) {
            const P p = position(*eyes, frame, v);
            if ((p.y < 0) != (side < 0)) continue;
            mid = {mid.x + p.x, mid.y + p.y, mid.z + p.z};
            ++n;
        }
        mid = {mid.x / n, mid.y / n, mid.z / n};
        double farthest = 0;
        for (int v = 0; v < eyes->MESHHEADER.NUMVERTEXES; ++v) {
            const P p = position(*eyes, frame, v);
            if ((p.y < 0) == (side < 0)) farthest = std::max(farthest, dist(p, mid));
        }
        return farthest;
    };
    const int rest = kRestFirst, poke_neg = 150, poke_pos = 170;
    EXPECT_GT(reach(poke_neg, -1), reach(rest, -1) + 0.1);
    EXPECT_NEAR(reach(poke_neg, +1), reach(rest, +1), 0.05);
    EXPECT_GT(reach(poke_pos, +1), reach(rest, +1) + 0.1);
    EXPECT_NEAR(reach(poke_pos, -1), reach(rest, -1), 0.05);
}
