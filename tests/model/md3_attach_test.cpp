// What a model carries besides its file: models attached at named tags, and skins naming the
// images of its surfaces.
#include <gtest/gtest.h>

#include "corvala/model/CRVL_Model.h"
#include "platform/gl/gl.h"
#include "tests/model/md3_builder.h"
#include "tests/support/image_files.h"
#include "tests/support/temp_dir.h"
#include "tests/support/window.h"

using namespace corvala;

namespace {

TGLTAG named_tag(const char* name) {
    TGLTAG t{};
    std::strncpy(t.NAME, name, sizeof t.NAME);
    return t;
}

// Two frames, two tags a frame: "tag_weapon" then "tag_torso".
TGLMD3MODEL tagged() {
    md3test::Model mm = md3test::one_triangle();
    mm.frames = 2;
    mm.tags_per_frame = 2;
    for (int f = 0; f < 2; ++f) mm.tags.insert(mm.tags.end(), {named_tag("tag_weapon"), named_tag("tag_torso")});
    TGLMD3MODEL m{};
    EXPECT_TRUE(md3test::load(mm, m));
    return m;
}

// Surfaces "body", "fins" and "eyes", one triangle each.
TGLMD3MODEL three_surfaces() {
    md3test::Model mm = md3test::one_triangle();
    mm.surfaces.resize(3, mm.surfaces[0]);
    mm.surfaces[1].name = "fins";
    mm.surfaces[2].name = "eyes";
    TGLMD3MODEL m{};
    EXPECT_TRUE(md3test::load(mm, m));
    return m;
}

}  // namespace

TEST(Md3Attach, LinkModelAttachesAtTheTagOfThatNameInAnyLetterCase) {
    TGLMD3MODEL holder = tagged(), upper{};
    EXPECT_TRUE(holder.LINKMODEL("TAG_Torso", upper));
    ASSERT_EQ(2u, holder.LINKS.size());
    EXPECT_EQ(nullptr, holder.LINKS[0]);
    EXPECT_EQ(&upper, holder.LINKS[1]);
}

TEST(Md3Attach, LinkModelWithoutSuchATagAttachesNothing) {
    TGLMD3MODEL holder = tagged(), head{};
    EXPECT_FALSE(holder.LINKMODEL("tag_head", head));
    EXPECT_FALSE(holder.LINKMODEL("tag_torsoX", head));
    EXPECT_EQ((std::vector<PGLMD3MODEL>{nullptr, nullptr}), holder.LINKS);
    TGLMD3MODEL never_loaded{};
    EXPECT_FALSE(never_loaded.LINKMODEL("tag_torso", head));
}

TEST(Md3Attach, SkinLinesGiveSurfaceAndImageFileName) {
    const std::vector<SkinEntry> entries = parse_skin(
        "tag_head,\r\nu_torso,models/players/robot/Body.TGA\r\n  h_head , head.tga \n"
        "no comma here\n,orphan.tga\nu_arm,models\\players\\robot\\arm.tga");
    ASSERT_EQ(3u, entries.size());
    EXPECT_EQ("u_torso", entries[0].surface);
    EXPECT_EQ("Body.TGA", entries[0].image);
    EXPECT_EQ("models/players/robot/Body.TGA", entries[0].path);
    EXPECT_EQ("h_head", entries[1].surface);
    EXPECT_EQ("head.tga", entries[1].image);
    EXPECT_EQ("u_arm", entries[2].surface);
    EXPECT_EQ("arm.tga", entries[2].image);
}

TEST(Md3Attach, LoadSkinTexturesNamedSurfacesFromImagesBesideTheSkinAndLeavesTheRestUntextured) {
    testsupport::EnsureWindow();
    testsupport::TempDir dir;
    const testsupport::Rgba red{255, 0, 0, 255};
    testsupport::write_file(dir.file("fish.tga"), testsupport::make_tga(2, 2, 24, [&](int, int) { return red; }));
    // Real skins spell surfaces in other letters than the mesh does ("Body" for "body").
    dir.write("fish_default.skin", std::string("Body,models/fish/FISH.tga\nFINS,models/fish/fish.tga\n"
                                               "eyes,models/fish/missing.tga\n"));
    TGLMD3MODEL m = three_surfaces();
    EXPECT_EQ(2, m.LOADSKIN(dir.file("fish_default.skin")));
    ASSERT_EQ(3u, m.MESHES.size());
    EXPECT_TRUE(m.MESHES[0].SETTEXTURE);
    EXPECT_NE(0u, m.MESHES[0].TEXTURE);
    EXPECT_TRUE(glIsTexture(m.MESHES[0].TEXTURE));
    EXPECT_EQ(m.MESHES[0].TEXTURE, m.MESHES[1].TEXTURE);  // one image, uploaded once
    EXPECT_TRUE(m.MESHES[2].SETTEXTURE);
    EXPECT_EQ(0u, m.MESHES[2].TEXTURE);  // its image is missing: drawn untextured
}

TEST(Md3Attach, MissingSkinFileChangesNothing) {
    testsupport::TempDir dir;
    TGLMD3MODEL m = three_surfaces();
    EXPECT_EQ(0, m.LOADSKIN(dir.file("none.skin")));
    for (const TMESH& mesh : m.MESHES) EXPECT_FALSE(mesh.SETTEXTURE);
}
