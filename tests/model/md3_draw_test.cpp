// Drawing MD3 models through the GL call tracer: what reaches OpenGL for each corner, and that no
// frame, index or header count in the data can make the drawing read outside the model's arrays.
#include <gtest/gtest.h>

#include <cstring>

#include "corvala/model/CRVL_Model.h"
#include "corvala/window/CRVL_Window.h"
#include "platform/gl/gl.h"
#include "platform/gl/tracer/gltrace.h"
#include "tests/model/md3_builder.h"

using namespace corvala;
using gltrace::Call;

namespace {

TGLMD3MODEL loaded(const md3test::Model& mm) {
    TGLMD3MODEL m{};
    EXPECT_TRUE(md3test::load(mm, m));
    return m;
}

// Two frames of one triangle: frame 1 moves every vertex and uses other normals.
md3test::Model two_frames() {
    md3test::Model mm = md3test::one_triangle();
    mm.frames = 2;
    md3test::Surface& s = mm.surfaces[0];
    s.frames = 2;
    s.vertices = {md3test::vertex(0, 0, 0, 0, 0),      md3test::vertex(64, 0, 0, 0, 0),
                  md3test::vertex(64, -128, 32, 0, 0), md3test::vertex(128, 64, 0, 128, 0),
                  md3test::vertex(64, 64, 64, 128, 0), md3test::vertex(0, -64, 96, 128, 0)};
    return mm;
}

std::vector<Call> draw(TGLMD3MODEL& m, int32_t a, int32_t b, double pol) {
    gltrace::Scope trace;
    m.PUTMODELINT(a, b, pol);
    return gltrace::calls();
}

void expect_call(const Call& c, const char* name, std::vector<double> args) {
    EXPECT_EQ(name, c.name);
    EXPECT_EQ(args, c.args) << gltrace::format(c);
}

size_t count(const std::vector<Call>& calls, const std::string& name) {
    size_t n = 0;
    for (const Call& c : calls) n += c.name == name;
    return n;
}

}  // namespace

TEST(Md3Draw, EachCornerSendsFlippedTexCoordThenNormalThenPositionOverSixtyFour) {
    TGLMD3MODEL m = loaded(md3test::one_triangle());
    const std::vector<Call> calls = draw(m, 0, 0, 0.0);
    ASSERT_EQ(11u, calls.size()) << gltrace::dump();
    expect_call(calls[0], "glBegin", {GL_TRIANGLES});
    expect_call(calls[1], "glTexCoord2f", {0.0, 1.0});
    expect_call(calls[2], "glNormal3f", {0.0, 0.0, 1.0});
    expect_call(calls[3], "glVertex3f", {0.0, 0.0, 0.0});
    expect_call(calls[4], "glTexCoord2f", {1.0, 1.0});
    expect_call(calls[6], "glVertex3f", {1.0, 0.0, 0.0});
    expect_call(calls[7], "glTexCoord2f", {0.25, 0.75});
    expect_call(calls[9], "glVertex3f", {1.0, -2.0, 0.5});
    expect_call(calls[10], "glEnd", {});
}

TEST(Md3Draw, CornersFollowTheFilesOrderWithOneBeginEndPerTriangle) {
    md3test::Model mm = md3test::one_triangle();
    mm.surfaces[0].triangles = {{2, 0, 1}, {1, 1, 0}};
    TGLMD3MODEL m = loaded(mm);
    const std::vector<Call> calls = draw(m, 0, 0, 0.0);
    EXPECT_EQ(2u, count(calls, "glBegin"));
    EXPECT_EQ(2u, count(calls, "glEnd"));
    const std::vector<Call> v = gltrace::named("glVertex3f");
    ASSERT_EQ(6u, v.size());
    EXPECT_EQ((std::vector<double>{1.0, -2.0, 0.5}), v[0].args);
    EXPECT_EQ((std::vector<double>{0.0, 0.0, 0.0}), v[1].args);
    EXPECT_EQ((std::vector<double>{1.0, 0.0, 0.0}), v[3].args);
    EXPECT_EQ("glEnd", calls[10].name);
    EXPECT_EQ("glBegin", calls[11].name);
}

TEST(Md3Draw, BlendFactorZeroAndOneGiveTheTwoFramesExactly) {
    TGLMD3MODEL m = loaded(two_frames());
    draw(m, 0, 1, 0.0);
    std::vector<Call> v = gltrace::named("glVertex3f");
    ASSERT_EQ(3u, v.size());
    EXPECT_EQ((std::vector<double>{1.0, -2.0, 0.5}), v[2].args);
    draw(m, 0, 1, 1.0);
    v = gltrace::named("glVertex3f");
    EXPECT_EQ((std::vector<double>{0.0, -1.0, 1.5}), v[2].args);
    const std::vector<Call> n = gltrace::named("glNormal3f");
    EXPECT_EQ((std::vector<double>{float(MD3NORMAL[128][0][0]), 0.0, float(MD3NORMAL[128][0][2])}), n[0].args);
    draw(m, 1, 0, 0.0);  // the order of the frames is the caller's
    EXPECT_EQ((std::vector<double>{2.0, 1.0, 0.0}), gltrace::named("glVertex3f")[0].args);
}

TEST(Md3Draw, HalfwayGivesMidpointsAndTheUnnormalisedMeanOfTheNormals) {
    TGLMD3MODEL m = loaded(two_frames());
    draw(m, 0, 1, 0.5);
    const std::vector<Call> v = gltrace::named("glVertex3f");
    ASSERT_EQ(3u, v.size());
    EXPECT_EQ((std::vector<double>{1.0, 0.5, 0.0}), v[0].args);
    EXPECT_EQ((std::vector<double>{0.5, -1.5, 1.0}), v[2].args);
    const std::vector<Call> n = gltrace::named("glNormal3f");
    const float ax = float(MD3NORMAL[0][0][0]), az = float(MD3NORMAL[0][0][2]);
    const float bx = float(MD3NORMAL[128][0][0]), bz = float(MD3NORMAL[128][0][2]);
    EXPECT_FLOAT_EQ(float((double(ax) + bx) / 2), float(n[0].args[0]));
    EXPECT_FLOAT_EQ(float((double(az) + bz) / 2), float(n[0].args[2]));
    const double length2 = n[0].args[0] * n[0].args[0] + n[0].args[2] * n[0].args[2];
    EXPECT_LT(length2, 0.1);  // nearly opposite normals: their mean is far from unit length
    // The texture coordinate belongs to the vertex, not to a frame.
    EXPECT_EQ((std::vector<double>{0.25, 0.75}), gltrace::named("glTexCoord2f")[2].args);
}

TEST(Md3Draw, PutModelCullsFrontFacesAroundTheModelAndUsesTheFrameCounter) {
    TGLMD3MODEL m = loaded(two_frames());
    m.FRAME = 1;
    m.NEXTFRAME = 0;
    m.POLL = 0.25f;
    gltrace::Scope trace;
    m.PUTMODEL();
    const std::vector<Call>& calls = gltrace::calls();
    ASSERT_EQ(13u, calls.size()) << gltrace::dump();
    expect_call(calls.front(), "glCullFace", {GL_FRONT});
    expect_call(calls.back(), "glCullFace", {GL_BACK});
    EXPECT_EQ((std::vector<double>{1.5, 0.75, 0.0}), gltrace::named("glVertex3f")[0].args);
    EXPECT_EQ(0u, count(calls, "glEnable") + count(calls, "glDisable"));
}

TEST(Md3Draw, SurfaceTextureIsBoundOnlyWhenTheSurfaceAsksForIt) {
    md3test::Model mm = md3test::one_triangle();
    mm.surfaces.push_back(mm.surfaces[0]);
    TGLMD3MODEL m = loaded(mm);
    m.MESHES[1].TEXTURE = 42;
    m.MESHES[1].SETTEXTURE = true;
    const std::vector<Call> calls = draw(m, 0, 0, 0.0);
    const std::vector<Call> binds = gltrace::named("glBindTexture");
    ASSERT_EQ(1u, binds.size());
    EXPECT_EQ((std::vector<double>{GL_TEXTURE_2D, 42}), binds[0].args);
    EXPECT_EQ("glBindTexture", calls[11].name);  // after the first surface, before the second's triangle
}

TEST(Md3Draw, NoSurfacesDrawsNothing) {
    md3test::Model mm = md3test::one_triangle();
    mm.surfaces.clear();
    TGLMD3MODEL m = loaded(mm);
    EXPECT_TRUE(draw(m, 0, 0, 0.5).empty());
}

TEST(Md3Draw, DrawingGoesThroughTheVertexPath) {
    TGLMD3MODEL m = loaded(md3test::one_triangle());
    GLVERT3FREMOVE = true;
    const std::vector<Call> calls = draw(m, 0, 0, 0.0);
    GLVERT3FREMOVE = false;
    EXPECT_EQ(0u, count(calls, "glBegin") + count(calls, "glVertex3f") + count(calls, "glEnd"));
    EXPECT_EQ(3u, count(calls, "glNormal3f"));
}

// ---- data that does not fit the arrays -----------------------------------------------------------

TEST(Md3DrawSafety, FrameBeyondASurfacesStoredFramesDrawsNothingOfThatSurface) {
    md3test::Model mm = two_frames();
    md3test::Surface one_frame = md3test::one_triangle().surfaces[0];
    mm.surfaces.insert(mm.surfaces.begin(), one_frame);  // stores frame 0 only
    TGLMD3MODEL m = loaded(mm);
    std::vector<Call> calls = draw(m, 0, 1, 0.0);
    EXPECT_EQ(1u, count(calls, "glBegin"));  // only the two-frame surface
    calls = draw(m, 0, 0, 0.0);
    EXPECT_EQ(2u, count(calls, "glBegin"));
    for (auto frames :
         {std::pair<int32_t, int32_t>{2, 0}, {0, 2}, {-1, 0}, {0, -1}, {INT32_MAX, INT32_MAX}, {INT32_MIN, 1}}) {
        EXPECT_EQ(0u, count(draw(m, frames.first, frames.second, 0.5), "glBegin"))
            << frames.first << ", " << frames.second;
    }
}

TEST(Md3DrawSafety, TriangleWithACornerOutsideTheVerticesIsSkipped) {
    md3test::Model mm = md3test::one_triangle();
    mm.surfaces[0].triangles = {{0, 1, 3}, {-1, 0, 1}, {INT32_MIN, 0, 0}, {0, 1, 2}, {2, 2, INT32_MAX}};
    TGLMD3MODEL m = loaded(mm);
    const std::vector<Call> calls = draw(m, 0, 0, 0.0);
    EXPECT_EQ(1u, count(calls, "glBegin"));
    EXPECT_EQ(1u, count(calls, "glEnd"));
    EXPECT_EQ(3u, count(calls, "glVertex3f"));
}

TEST(Md3DrawSafety, SurfaceWithoutVerticesDrawsNothing) {
    md3test::Model mm = md3test::one_triangle();
    mm.surfaces[0].texcoords.clear();
    mm.surfaces[0].vertices.clear();
    TGLMD3MODEL m = loaded(mm);
    EXPECT_TRUE(draw(m, 0, 0, 0.0).empty());
}

TEST(Md3DrawSafety, ArraysShorterThanTheirHeadersAreNotTrusted) {
    // What a caller could do to a model by hand: headers that promise more than the arrays hold.
    TGLMD3MODEL m = loaded(two_frames());
    m.MESHES[0].MESHHEADER.NUMVERTEXES = 1000;
    EXPECT_TRUE(draw(m, 0, 0, 0.0).empty());
    m = loaded(two_frames());
    m.MESHES[0].TEXCOORD.resize(2);
    EXPECT_EQ(0u, count(draw(m, 0, 1, 0.0), "glBegin"));
}

TEST(Md3DrawSafety, RejectedFileAfterAnEmptyModelDrawsNothing) {
    md3test::Model mm = two_frames();
    mm.version = 14;
    TGLMD3MODEL m{};
    EXPECT_FALSE(md3test::load(mm, m));
    EXPECT_EQ(1, m.HEADER.NUMMESHES);
    m.FRAME = 1;
    gltrace::Scope trace;
    m.DRAWSKELETON(m);
    EXPECT_EQ((std::vector<std::string>{"glCullFace", "glCullFace"}), gltrace::names());
}

TEST(Md3DrawSafety, RejectedFileWithMoreTagsThanTheOldArraysDrawsTheOldModelOnly) {
    TGLMD3MODEL m = loaded(md3test::one_triangle());
    md3test::Model big = two_frames();
    big.version = 3;
    big.tags_per_frame = 4;
    EXPECT_FALSE(md3test::load(big, m));
    EXPECT_EQ(4, m.HEADER.NUMTAGS);
    m.FRAME = 0;
    gltrace::Scope trace;
    m.DRAWSKELETON(m);
    EXPECT_EQ(1u, count(gltrace::calls(), "glBegin"));
    EXPECT_EQ(0u, count(gltrace::calls(), "glPushMatrix"));
}
