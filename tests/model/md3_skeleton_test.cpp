// Models attached at tags: drawn in the tag's frame of reference, and never past the tag arrays.
#include <gtest/gtest.h>

#include "corvala/model/CRVL_Model.h"
#include "platform/gl/gl.h"
#include "platform/gl/tracer/gltrace.h"
#include "tests/model/md3_builder.h"

using namespace corvala;

namespace {

// Two frames with one tag each; the tag of frame f sits at (f + 1, 2, 3) with a recognisable matrix.
TGLMD3MODEL holder() {
    md3test::Model mm = md3test::one_triangle();
    mm.frames = 2;
    mm.tags_per_frame = 1;
    mm.surfaces[0].frames = 2;
    mm.surfaces[0].vertices.insert(mm.surfaces[0].vertices.end(), mm.surfaces[0].vertices.begin(),
                                   mm.surfaces[0].vertices.end());
    for (int f = 0; f < 2; ++f) {
        TGLTAG tag{};
        tag.POSITION = TGLVECTOR{float(f + 1), 2, 3};
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) tag.ROTATION[r][c] = float(10 * (r + 1) + c + 100 * f);
        mm.tags.push_back(tag);
    }
    TGLMD3MODEL m{};
    EXPECT_TRUE(md3test::load(mm, m));
    return m;
}

TGLMD3MODEL child() {
    md3test::Model mm = md3test::one_triangle();
    mm.surfaces[0].triangles = {{0, 1, 2}, {2, 1, 0}};  // two triangles, to tell it from the holder
    TGLMD3MODEL m{};
    EXPECT_TRUE(md3test::load(mm, m));
    return m;
}

std::vector<std::string> shape(const std::vector<gltrace::Call>& calls) {
    std::vector<std::string> out;
    for (const gltrace::Call& c : calls)
        if (c.name != "glTexCoord2f" && c.name != "glNormal3f" && c.name != "glVertex3f") out.push_back(c.name);
    return out;
}

}  // namespace

TEST(Md3Skeleton, UnlinkedModelIsDrawnAlone) {
    TGLMD3MODEL m = holder();
    TGLMD3MODEL unrelated{};
    gltrace::Scope trace;
    unrelated.DRAWSKELETON(m);  // the object the call is made on plays no part
    EXPECT_EQ((std::vector<std::string>{"glCullFace", "glBegin", "glEnd", "glCullFace"}), shape(gltrace::calls()));
}

TEST(Md3Skeleton, LinkedModelIsDrawnInItsTagsFrameOfTheCurrentFrame) {
    TGLMD3MODEL m = holder();
    TGLMD3MODEL c = child();
    m.LINKS[0] = &c;
    m.FRAME = 1;
    m.NEXTFRAME = 0;
    gltrace::Scope trace;
    m.DRAWSKELETON(m);
    EXPECT_EQ(
        (std::vector<std::string>{"glCullFace", "glBegin", "glEnd", "glCullFace", "glPushMatrix", "glMultMatrixf",
                                  "glCullFace", "glBegin", "glEnd", "glBegin", "glEnd", "glCullFace", "glPopMatrix"}),
        shape(gltrace::calls()));
    const std::vector<gltrace::Call> mult = gltrace::named("glMultMatrixf");
    ASSERT_EQ(1u, mult.size());
    // Row i of the rotation becomes column i; the position is the last column.
    EXPECT_EQ((std::vector<double>{110, 111, 112, 0, 120, 121, 122, 0, 130, 131, 132, 0, 2, 2, 3, 1}), mult[0].args);
}

TEST(Md3Skeleton, LinksNestAndACycleIsDrawnOnlyOnce) {
    TGLMD3MODEL a = holder();
    TGLMD3MODEL b = holder();
    a.LINKS[0] = &b;
    b.LINKS[0] = &a;
    gltrace::Scope trace;
    a.DRAWSKELETON(a);
    EXPECT_EQ(2u, gltrace::named("glBegin").size());
    EXPECT_EQ(1u, gltrace::named("glPushMatrix").size());
    EXPECT_EQ(1u, gltrace::named("glPopMatrix").size());
    a.LINKS[0] = &a;
    gltrace::start();
    a.DRAWSKELETON(a);
    EXPECT_EQ(1u, gltrace::named("glBegin").size());
}

TEST(Md3Skeleton, FrameWithoutTagsDrawsNoLinkedModel) {
    TGLMD3MODEL m = holder();
    TGLMD3MODEL c = child();
    m.LINKS[0] = &c;
    for (int32_t frame : {2, -1, INT32_MAX, INT32_MIN}) {
        m.FRAME = frame;
        gltrace::Scope trace;
        m.DRAWSKELETON(m);
        EXPECT_EQ(0u, gltrace::named("glPushMatrix").size()) << frame;
    }
    // A header that claims more tags than the links and tags hold is not followed past them.
    m.FRAME = 1;
    m.HEADER.NUMTAGS = 50;  // frame 1's tag 0 would be entry 50 of two
    gltrace::Scope trace;
    m.DRAWSKELETON(m);
    EXPECT_EQ(0u, gltrace::named("glPushMatrix").size());
    EXPECT_EQ(1u, gltrace::named("glBegin").size());
}
