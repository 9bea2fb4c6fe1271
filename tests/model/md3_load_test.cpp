// Loading MD3 files: what is read from where, and what a rejected or broken file leaves behind.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>

#include "corvala/model/CRVL_Model.h"
#include "platform/gl/tracer/gltrace.h"
#include "tests/model/md3_builder.h"
#include "tests/support/temp_dir.h"

using namespace corvala;
using md3test::build;
using md3test::put_i32;

namespace {

bool load(TGLMD3MODEL& m, const std::vector<uint8_t>& bytes) {
    return load_md3_from_memory(m, bytes.data(), bytes.size());
}

// A model with two frames, two tags per frame and one surface of two triangles over four vertices.
md3test::Model two_frame_model() {
    md3test::Model m;
    m.frames = 2;
    m.tags_per_frame = 2;
    for (int f = 0; f < 2; ++f) {
        for (int t = 0; t < 2; ++t) {
            TGLTAG tag{};
            std::snprintf(tag.NAME, sizeof tag.NAME, "tag_%d", t);
            tag.POSITION = TGLVECTOR{float(f), float(t), 10.0f * f + t};
            m.tags.push_back(tag);
        }
    }
    md3test::Surface s;
    s.name = "fin";
    s.frames = 2;
    s.skins = {"a.tga", "b.tga"};
    s.triangles = {{0, 1, 2}, {2, 3, 0}};
    s.texcoords = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (int f = 0; f < 2; ++f)
        for (int v = 0; v < 4; ++v) s.vertices.push_back(md3test::vertex(int16_t(v), int16_t(f), 7, uint8_t(v), 3));
    m.surfaces.push_back(s);
    return m;
}

// Everything a load may replace, for comparing a model before and after a rejected file.
template <typename T>
bool same_bytes(const std::vector<T>& a, const std::vector<T>& b) {
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0);
}

void expect_same_arrays(const TGLMD3MODEL& a, const TGLMD3MODEL& b) {
    EXPECT_TRUE(same_bytes(a.BONEFRAMES, b.BONEFRAMES));
    EXPECT_TRUE(same_bytes(a.TAGS, b.TAGS));
    EXPECT_EQ(a.LINKS, b.LINKS);
    ASSERT_EQ(a.MESHES.size(), b.MESHES.size());
    for (size_t i = 0; i < a.MESHES.size(); ++i) {
        const TMESH &x = a.MESHES[i], &y = b.MESHES[i];
        EXPECT_EQ(0, std::memcmp(&x.MESHHEADER, &y.MESHHEADER, sizeof x.MESHHEADER));
        EXPECT_TRUE(same_bytes(x.VERTEX, y.VERTEX));
        EXPECT_TRUE(same_bytes(x.TRIANGLE, y.TRIANGLE));
        EXPECT_TRUE(same_bytes(x.TEXCOORD, y.TEXCOORD));
        EXPECT_TRUE(same_bytes(x.SKINS, y.SKINS));
    }
    EXPECT_EQ(a.STARTFRAME, b.STARTFRAME);
    EXPECT_EQ(a.ENDFRAME, b.ENDFRAME);
}

}  // namespace

TEST(Md3Load, OneFrameNoTagsOneSurfaceGivesARangeOfFrameZero) {
    testsupport::TempDir dir;
    const std::string path = dir.write("fish.md3", build(md3test::one_triangle()).bytes);
    TGLMD3MODEL m{};
    m.FRAME = 4;
    m.NEXTFRAME = 5;
    m.FPS = 9;
    m.LOADMODEL(path);
    EXPECT_EQ(path, m.MD3NAME);
    EXPECT_EQ(0, m.HEADER.NUMBONEFRAMES);
    EXPECT_EQ(0, m.STARTFRAME);
    EXPECT_EQ(0, m.ENDFRAME);
    EXPECT_TRUE(m.LINKS.empty());
    EXPECT_TRUE(m.TAGS.empty());
    ASSERT_EQ(1u, m.BONEFRAMES.size());
    EXPECT_EQ(1.0f, m.BONEFRAMES[0].SCALE);
    ASSERT_EQ(1u, m.MESHES.size());
    const TMESH& s = m.MESHES[0];
    EXPECT_STREQ("body", s.MESHHEADER.NAME);
    ASSERT_EQ(1u, s.TRIANGLE.size());
    EXPECT_EQ(2, s.TRIANGLE[0].VERTEX[2]);
    ASSERT_EQ(3u, s.TEXCOORD.size());
    EXPECT_EQ(0.25f, s.TEXCOORD[2].COORD[1]);
    ASSERT_EQ(3u, s.VERTEX.size());
    EXPECT_EQ(-128, s.VERTEX[2].VERTEX[1]);
    EXPECT_EQ(0u, s.TEXTURE);
    EXPECT_FALSE(s.SETTEXTURE);
    // The frame counter itself belongs to the caller.
    EXPECT_EQ(4, m.FRAME);
    EXPECT_EQ(5, m.NEXTFRAME);
    EXPECT_EQ(9, m.FPS);
}

TEST(Md3Load, IdentifierIsAcceptedInLowerCase) {
    md3test::Model mm = md3test::one_triangle();
    std::memcpy(mm.id, "idp3", 4);
    TGLMD3MODEL m{};
    EXPECT_TRUE(load(m, build(mm).bytes));
    EXPECT_EQ(1u, m.MESHES.size());
}

TEST(Md3Load, TagsAreFrameMajorAndLinksStartEmpty) {
    TGLMD3MODEL m{};
    ASSERT_TRUE(load(m, build(two_frame_model()).bytes));
    EXPECT_EQ(1, m.HEADER.NUMBONEFRAMES);
    EXPECT_EQ(1, m.ENDFRAME);
    ASSERT_EQ(4u, m.TAGS.size());
    EXPECT_STREQ("tag_1", m.TAGS[1 * 2 + 1].NAME);
    EXPECT_EQ(11.0f, m.TAGS[1 * 2 + 1].POSITION.Z);
    EXPECT_EQ(10.0f, m.TAGS[1 * 2 + 0].POSITION.Z);
    EXPECT_EQ(std::vector<PGLMD3MODEL>(2, nullptr), m.LINKS);
    ASSERT_EQ(8u, m.MESHES[0].VERTEX.size());
    EXPECT_EQ(1, m.MESHES[0].VERTEX[4 + 3].VERTEX[1]);  // vertex 3 of frame 1
    EXPECT_EQ(3, m.MESHES[0].VERTEX[4 + 3].NORMAL[0]);
}

TEST(Md3Load, HeaderOffsetsAreNotConsulted) {
    md3test::Built b = build(two_frame_model());
    put_i32(b.bytes, md3test::kHeaderLength, 4000);
    put_i32(b.bytes, md3test::kTagStart, -5);
    put_i32(b.bytes, md3test::kTagEnd, 1 << 30);
    put_i32(b.bytes, md3test::kFileSize, 3);
    TGLMD3MODEL m{};
    ASSERT_TRUE(load(m, b.bytes));
    EXPECT_STREQ("tag_0", m.TAGS[2].NAME);
    EXPECT_STREQ("fin", m.MESHES[0].MESHHEADER.NAME);
    EXPECT_EQ(4000, m.HEADER.HEADERLENGTH);
}

TEST(Md3Load, SkinNamesAreReadRightAfterTheSurfaceHeaderWhateverHeaderSizeSays) {
    md3test::Built b = build(two_frame_model());
    put_i32(b.bytes, b.surface_start[0] + md3test::kMeshHeaderSize, 176);
    TGLMD3MODEL m{};
    ASSERT_TRUE(load(m, b.bytes));
    ASSERT_EQ(2u, m.MESHES[0].SKINS.size());
    EXPECT_STREQ("a.tga", m.MESHES[0].SKINS[0].NAME);
    EXPECT_STREQ("b.tga", m.MESHES[0].SKINS[1].NAME);
    EXPECT_EQ(176, m.MESHES[0].MESHHEADER.HEADERSIZE);
}

TEST(Md3Load, SecondSurfaceStartsMeshSizeAfterTheFirst) {
    md3test::Model mm = md3test::one_triangle();
    mm.surfaces[0].padding = 40;  // bytes a loader that ignored MESHSIZE would take for the next surface
    md3test::Surface second = mm.surfaces[0];
    second.name = "tail";
    second.padding = 0;
    second.vertices[0] = md3test::vertex(99, 98, 97);
    mm.surfaces.push_back(second);
    md3test::Built b = build(mm);
    ASSERT_EQ(b.surface_start[0] + size_t(md3test::get_i32(b.bytes, b.surface_start[0] + md3test::kMeshSize)),
              b.surface_start[1]);
    TGLMD3MODEL m{};
    ASSERT_TRUE(load(m, b.bytes));
    ASSERT_EQ(2u, m.MESHES.size());
    EXPECT_STREQ("tail", m.MESHES[1].MESHHEADER.NAME);
    EXPECT_EQ(99, m.MESHES[1].VERTEX[0].VERTEX[0]);
}

TEST(Md3Load, SurfacesMayStoreFewerFramesThanTheModel) {
    md3test::Model mm = two_frame_model();
    mm.surfaces[0].frames = 1;
    mm.surfaces[0].vertices.resize(4);
    TGLMD3MODEL m{};
    ASSERT_TRUE(load(m, build(mm).bytes));
    EXPECT_EQ(4u, m.MESHES[0].VERTEX.size());
    EXPECT_EQ(1, m.ENDFRAME);
}

TEST(Md3Load, EmptyBlocksAreAcceptedWhereverTheirOffsetsPoint) {
    md3test::Model mm = md3test::one_triangle();
    md3test::Surface no_triangles = mm.surfaces[0], no_vertices;
    no_triangles.triangles.clear();
    no_vertices.frames = 1;
    mm.surfaces.insert(mm.surfaces.begin(), {no_triangles, no_vertices});
    md3test::Built b = build(mm);
    put_i32(b.bytes, b.surface_start[0] + md3test::kMeshTriStart, 1 << 24);
    put_i32(b.bytes, b.surface_start[1] + md3test::kMeshTriStart, -(1 << 24));
    put_i32(b.bytes, b.surface_start[1] + md3test::kMeshTexStart, INT32_MAX);
    put_i32(b.bytes, b.surface_start[1] + md3test::kMeshVertexStart, INT32_MIN);
    TGLMD3MODEL m{};
    ASSERT_TRUE(load(m, b.bytes));
    ASSERT_EQ(3u, m.MESHES.size());
    EXPECT_EQ(3u, m.MESHES[0].VERTEX.size());
    EXPECT_EQ(1u, m.MESHES[2].TRIANGLE.size());
    gltrace::Scope trace;
    m.PUTMODEL();
    EXPECT_EQ(3u, gltrace::named("glVertex3f").size());  // the whole surface still draws
}

TEST(Md3Load, ANewFileReplacesEverythingItProvides) {
    TGLMD3MODEL m{};
    ASSERT_TRUE(load(m, build(two_frame_model()).bytes));
    m.MESHES[0].SETTEXTURE = true;
    ASSERT_TRUE(load(m, build(md3test::one_triangle()).bytes));
    EXPECT_EQ(1u, m.BONEFRAMES.size());
    EXPECT_TRUE(m.TAGS.empty());
    EXPECT_TRUE(m.LINKS.empty());
    ASSERT_EQ(1u, m.MESHES.size());
    EXPECT_EQ(3u, m.MESHES[0].VERTEX.size());
    EXPECT_FALSE(m.MESHES[0].SETTEXTURE);
    EXPECT_EQ(0, m.ENDFRAME);
}

TEST(Md3Load, NormalTableHasTheFormatsEntries) {
    INITNORMALS();
    EXPECT_EQ(0.0, MD3NORMAL[0][0][0]);
    EXPECT_EQ(0.0, MD3NORMAL[0][0][1]);
    EXPECT_EQ(1.0, MD3NORMAL[0][0][2]);
    // The divisor is 255, so a quarter turn of the first byte is not quite a quarter turn.
    EXPECT_DOUBLE_EQ(std::cos(128 * M_PI / 255), MD3NORMAL[64][0][2]);
    EXPECT_NE(0.0, MD3NORMAL[64][0][2]);
    EXPECT_DOUBLE_EQ(std::sin(128 * M_PI / 255), MD3NORMAL[64][0][0]);
    EXPECT_EQ(0.0, MD3NORMAL[64][0][1]);
    const double* n = MD3NORMAL[100][37];
    EXPECT_NEAR(1.0, n[0] * n[0] + n[1] * n[1] + n[2] * n[2], 1e-12);
}

TEST(Md3Load, FirstLoadBuildsTheNormalTableEvenForAMissingFile) {
    std::memset(MD3NORMAL, 0, sizeof MD3NORMAL);
    TGLMD3MODEL m{};
    m.LOADMODEL("no such folder\\fish.md3");
    EXPECT_EQ(1.0, MD3NORMAL[0][0][2]);
    EXPECT_EQ(MD3NORMAL[64][0][2], std::cos(64 * 2 * M_PI / 255));
}

TEST(Md3Load, LoadingFromBytesBuildsTheNormalTableToo) {
    std::memset(MD3NORMAL, 0, sizeof MD3NORMAL);
    TGLMD3MODEL m{};
    ASSERT_TRUE(load(m, build(md3test::one_triangle()).bytes));
    EXPECT_EQ(1.0, MD3NORMAL[0][0][2]);
}

TEST(Md3Load, MissingFileLeavesAFreshModelEmptyAndDrawingNothing) {
    TGLMD3MODEL m{};
    m.LOADMODEL("modelli\\missing.md3");
    EXPECT_TRUE(m.MD3NAME.empty());
    EXPECT_TRUE(m.MESHES.empty());
    EXPECT_EQ(0, m.HEADER.VERSION);
    gltrace::Scope trace;
    m.PUTMODELINT(0, 0, 0.0);
    EXPECT_TRUE(gltrace::calls().empty()) << gltrace::dump();
}

TEST(Md3Load, PathsAreMappedLikeTheProgramsOtherFiles) {
    testsupport::TempDir dir;
    std::filesystem::create_directory(dir.file("Modelli"));
    dir.write("Modelli/Pesce.MD3", build(md3test::one_triangle()).bytes);
    const std::string windows_path = dir.path() + "\\modelli\\pesce.md3";
    TGLMD3MODEL m{};
    m.LOADMODEL(windows_path);
    EXPECT_EQ(windows_path, m.MD3NAME);
    EXPECT_EQ(1u, m.MESHES.size());
}

// ---- rejected and broken files -------------------------------------------------------------------

TEST(Md3Reject, WrongVersionOrIdentifierTakesHeaderAndNameButKeepsTheArrays) {
    testsupport::TempDir dir;
    TGLMD3MODEL m{};
    m.LOADMODEL(dir.write("good.md3", build(two_frame_model()).bytes));
    const TGLMD3MODEL before = m;

    md3test::Model wrong_version = md3test::one_triangle();
    wrong_version.version = 16;
    m.LOADMODEL(dir.write("v16.md3", build(wrong_version).bytes));
    EXPECT_EQ(dir.file("v16.md3"), m.MD3NAME);
    EXPECT_EQ(16, m.HEADER.VERSION);
    EXPECT_EQ(1, m.HEADER.NUMBONEFRAMES);  // the rejected file's count, not decreased
    expect_same_arrays(before, m);

    md3test::Model wrong_id = md3test::one_triangle();
    std::memcpy(wrong_id.id, "IDP2", 4);
    m.LOADMODEL(dir.write("idp2.md3", build(wrong_id).bytes));
    EXPECT_EQ(dir.file("idp2.md3"), m.MD3NAME);
    EXPECT_EQ(0, std::memcmp("IDP2", m.HEADER.ID, 4));
    expect_same_arrays(before, m);

    md3test::Model zero_in_id = md3test::one_triangle();
    std::memcpy(zero_in_id.id, "IDP\0", 4);
    EXPECT_FALSE(load(m, build(zero_in_id).bytes));
    expect_same_arrays(before, m);
}

TEST(Md3Reject, EveryTruncationIsRejectedAndKeepsTheOldArrays) {
    TGLMD3MODEL base{};
    ASSERT_TRUE(load(base, build(md3test::one_triangle()).bytes));
    const std::vector<uint8_t> full = build(two_frame_model()).bytes;
    for (size_t n = 0; n < full.size(); ++n) {
        TGLMD3MODEL m = base;
        const std::vector<uint8_t> cut(full.begin(), full.begin() + long(n));
        ASSERT_FALSE(load(m, cut)) << n << " bytes";
        expect_same_arrays(base, m);
        if (n < sizeof(TGLMD3HEADER)) {
            EXPECT_EQ(0, m.HEADER.NUMBONEFRAMES) << "a header was taken from " << n << " bytes";
        } else {
            EXPECT_EQ(2, m.HEADER.NUMBONEFRAMES) << n << " bytes";
            EXPECT_EQ(2, m.HEADER.NUMTAGS);
        }
    }
    TGLMD3MODEL m = base;
    EXPECT_TRUE(load(m, full));
}

TEST(Md3Reject, TruncatedFileOnDiskTakesTheNameLikeARejectedOne) {
    testsupport::TempDir dir;
    TGLMD3MODEL m{};
    m.LOADMODEL(dir.write("good.md3", build(md3test::one_triangle()).bytes));
    const TGLMD3MODEL before = m;
    std::vector<uint8_t> bytes = build(two_frame_model()).bytes;
    bytes.resize(bytes.size() - 1);
    m.LOADMODEL(dir.write("short.md3", bytes));
    EXPECT_EQ(dir.file("short.md3"), m.MD3NAME);
    EXPECT_EQ(2, m.HEADER.NUMBONEFRAMES);
    expect_same_arrays(before, m);
    m.LOADMODEL(dir.write("empty.md3", std::vector<uint8_t>()));
    EXPECT_EQ(dir.file("empty.md3"), m.MD3NAME);
    EXPECT_EQ(2, m.HEADER.NUMBONEFRAMES);  // nothing to take a header from
    expect_same_arrays(before, m);
}

struct Patch {
    const char* what;
    bool in_surface;
    size_t field;
    int32_t value;
};

TEST(Md3Reject, CountsAndOffsetsBeyondTheFileAreRejected) {
    const Patch patches[] = {
        {"negative frame count", false, md3test::kNumFrames, -1},
        {"frame count past the end", false, md3test::kNumFrames, 100},
        {"huge frame count", false, md3test::kNumFrames, INT32_MAX},
        {"negative tag count", false, md3test::kNumTags, -2},
        {"huge tag count", false, md3test::kNumTags, INT32_MAX},
        {"negative surface count", false, md3test::kNumMeshes, INT32_MIN},
        {"one surface more than stored", false, md3test::kNumMeshes, 2},
        {"huge surface count", false, md3test::kNumMeshes, INT32_MAX},
        {"negative surface frames", true, md3test::kMeshFrames, -1},
        {"huge surface frames", true, md3test::kMeshFrames, INT32_MAX},
        {"negative skin count", true, md3test::kMeshSkins, -1},
        {"skins past the end", true, md3test::kMeshSkins, 50},
        {"negative vertex count", true, md3test::kMeshVertexes, -4},
        {"huge vertex count", true, md3test::kMeshVertexes, INT32_MAX},
        {"negative triangle count", true, md3test::kMeshTriangles, -1},
        {"huge triangle count", true, md3test::kMeshTriangles, INT32_MAX},
        {"triangles before the file", true, md3test::kMeshTriStart, -100000},
        {"triangles past the end", true, md3test::kMeshTriStart, 1 << 20},
        {"texture coordinates past the end", true, md3test::kMeshTexStart, INT32_MAX},
        {"texture coordinates before the file", true, md3test::kMeshTexStart, INT32_MIN},
        {"vertices straddling the end", true, md3test::kMeshVertexStart, 300 + 8},
    };
    {
        const md3test::Built b = build(two_frame_model());
        ASSERT_EQ(300, md3test::get_i32(b.bytes, b.surface_start[0] + md3test::kMeshVertexStart));
    }
    TGLMD3MODEL base{};
    ASSERT_TRUE(load(base, build(md3test::one_triangle()).bytes));
    for (const Patch& p : patches) {
        md3test::Built b = build(two_frame_model());
        put_i32(b.bytes, (p.in_surface ? b.surface_start[0] : 0) + p.field, p.value);
        TGLMD3MODEL m = base;
        EXPECT_FALSE(load(m, b.bytes)) << p.what;
        expect_same_arrays(base, m);
    }
}

TEST(Md3Reject, TagsWithoutFramesCannotSizeTheLinksBeyondTheFile) {
    md3test::Model mm = md3test::one_triangle();
    mm.frames = 0;
    md3test::Built b = build(mm);
    TGLMD3MODEL m{};
    put_i32(b.bytes, md3test::kNumTags, 3);
    EXPECT_TRUE(load(m, b.bytes));  // no frames, so no tag records, yet three links
    EXPECT_EQ(3u, m.LINKS.size());
    EXPECT_EQ(-1, m.ENDFRAME);
    put_i32(b.bytes, md3test::kNumTags, INT32_MAX);
    EXPECT_FALSE(load(m, b.bytes));
    EXPECT_EQ(3u, m.LINKS.size());
}

TEST(Md3Reject, SurfacesThatOverlapCannotMultiplyTheFile) {
    // Every surface at the same place (MESHSIZE 0): each on its own lies within the file, together
    // they would make the loader allocate the file many times over.
    md3test::Model mm = md3test::one_triangle();
    md3test::Built b = build(mm);
    put_i32(b.bytes, b.surface_start[0] + md3test::kMeshSize, 0);
    TGLMD3MODEL m{};
    EXPECT_TRUE(load(m, b.bytes));
    put_i32(b.bytes, md3test::kNumMeshes, 1000);
    EXPECT_FALSE(load(m, b.bytes));
    EXPECT_EQ(1u, m.MESHES.size());
}
