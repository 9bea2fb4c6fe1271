// corvala-md3view: players assembled at their tags, animations per body half, single parts, framing,
// the goldfish, odd folders shown as far as they go, and the program's exit codes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/gl/gl.h"
#include "tests/md3view/players.h"
#include "tests/render/gl_helpers.h"
#include "tests/support/temp_dir.h"

using namespace corvala;

using namespace md3viewtest;

namespace {

void write_player(const testsupport::TempDir& dir, int frames) {
    for (const auto& [name, bytes] : player(frames, frames)) dir.write(name, bytes);
}

// The share of the viewport's height the drawn triangles span, and whether all lie inside it.
float height_share(md3view::Scene& scene, bool& inside) {
    GLint vp[4];
    glGetIntegerv(GL_VIEWPORT, vp);
    float lo = 1e30f, hi = -1e30f;
    inside = true;
    for (const Polygon& p : drawn_triangles(scene))
        for (const auto& v : p.xyz) {
            lo = std::min(lo, v[1]), hi = std::max(hi, v[1]);
            inside = inside && v[0] >= 0 && v[0] <= float(vp[2]) && v[1] >= 0 && v[1] <= float(vp[3]);
        }
    return (hi - lo) / float(vp[3]);
}

}  // namespace

TEST(Md3View, PlayerPartsHangAtTheirTagsWithLegsAndTorsoAnimatedApart) {
    testsupport::TempDir dir;
    write_player(dir, 8);
    dir.write("animation.cfg", cfg());
    md3view::Scene scene;
    std::string error;
    ASSERT_TRUE(md3view::load_scene(scene, dir.path(), error)) << error;
    EXPECT_TRUE(scene.player && scene.upper_attached && scene.head_attached);
    EXPECT_EQ(&scene.upper.MODEL, scene.lower.MODEL.LINKS.at(0));
    EXPECT_EQ(&scene.head, scene.upper.MODEL.LINKS.at(1));
    // Legs idle on the lower part (file frame 5 is model frame 2), torso stand on the upper part.
    EXPECT_EQ(Q3_LEGS_IDLE, scene.lower.ANIMMODEL);
    EXPECT_EQ(2, scene.lower.MODEL.STARTFRAME);
    EXPECT_EQ(20 + Q3_LEGS_IDLE - Q3_LEGS_WALKCR, scene.lower.MODEL.FPS);
    EXPECT_EQ(Q3_TORSO_STAND, scene.upper.ANIMMODEL);
    EXPECT_EQ(10 + Q3_TORSO_STAND - Q3_TORSO_GESTURE, scene.upper.MODEL.FPS);

    md3view::step_legs(scene, +1);  // IDLE -> IDLECR: the upper part keeps its animation
    EXPECT_EQ(Q3_LEGS_IDLECR, scene.lower.ANIMMODEL);
    EXPECT_EQ(Q3_TORSO_STAND, scene.upper.ANIMMODEL);
    md3view::step_torso(scene, +1);  // STAND -> STAND2, then round to GESTURE
    md3view::step_torso(scene, +1);
    EXPECT_EQ(Q3_TORSO_GESTURE, scene.upper.ANIMMODEL);
    EXPECT_EQ(Q3_LEGS_IDLECR, scene.lower.ANIMMODEL);
    md3view::step_both(scene, +1);  // a both-halves animation goes to both
    EXPECT_EQ(Q3_BOTH_DEATH1, scene.lower.ANIMMODEL);
    EXPECT_EQ(Q3_BOTH_DEATH1, scene.upper.ANIMMODEL);
    const std::vector<std::string> lines = md3view::overlay_lines(scene);
    EXPECT_NE(std::string::npos, lines.at(1).find("Q3_BOTH_DEATH1"));
}

TEST(Md3View, PartAtAMovedAndTurnedTagIsDrawnMovedAndTurned) {
    rendertest::FreshScene();
    testsupport::TempDir dir;
    write_player(dir, 1);
    md3view::Scene scene;
    std::string error;
    ASSERT_TRUE(md3view::load_scene(scene, dir.path(), error)) << error;
    const std::vector<Polygon> drawn = drawn_triangles(scene);
    ASSERT_EQ(4u, drawn.size());  // legs, marker, torso through the tag, head
    for (int v = 0; v < 3; ++v)
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(drawn[1].xyz[v][k], drawn[2].xyz[v][k], 1e-3) << v << " " << k;
}

TEST(Md3View, PlayerIsDrawnWholeWhateverTheFrameCountsOfItsParts) {
    rendertest::FreshScene();
    testsupport::TempDir dir;
    // An animated head with the upper part's frames; a lower part with fewer frames than its legs
    // animation reaches (5..7 in the file), so every part sits at a frame of its own count.
    for (const auto& [name, bytes] : player(3, 8, 8)) dir.write(name, bytes);
    dir.write("animation.cfg", cfg());
    md3view::Scene scene;
    std::string error;
    ASSERT_TRUE(md3view::load_scene(scene, dir.path(), error)) << error;
    md3view::step_torso(scene, +1);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(4u, drawn_triangles(scene).size()) << "after " << i << " steps";  // legs, marker, torso, head
        md3view::draw_scene(scene, 5000);                                           // half a second on
    }
}

TEST(Md3View, PartsHungAtTagsWithLongAxesAreDrawnAtTheirOwnSize) {
    rendertest::FreshScene();
    testsupport::TempDir dir;
    for (const auto& [name, bytes] : real_shaped_player(40)) dir.write(name, bytes);
    md3view::Scene scene;
    std::string error;
    ASSERT_TRUE(md3view::load_scene(scene, dir.path(), error)) << error;
    // Legs, torso and the head's two surfaces: the same triangle each, so about the same on screen.
    const std::vector<Polygon> drawn = drawn_triangles(scene);
    ASSERT_EQ(4u, drawn.size());
    std::vector<float> heights;
    for (const Polygon& p : drawn) {
        const auto [lo, hi] = std::minmax({p.xyz[0][1], p.xyz[1][1], p.xyz[2][1]});
        heights.push_back(hi - lo);
    }
    const auto [smallest, largest] = std::minmax_element(heights.begin(), heights.end());
    EXPECT_GT(*smallest, *largest / 2);
    bool inside = false;
    height_share(scene, inside);
    EXPECT_TRUE(inside);
}

TEST(Md3View, LowerOrUpperPartOnItsOwnPlaysItsOwnHalfsAnimations) {
    testsupport::TempDir dir;
    write_player(dir, 8);
    dir.write("animation.cfg", cfg());
    md3view::Scene legs, torso;
    std::string error;
    ASSERT_TRUE(md3view::load_scene(legs, dir.file("lower.md3"), error)) << error;
    ASSERT_TRUE(md3view::load_scene(torso, dir.file("upper.md3"), error)) << error;
    EXPECT_EQ(Q3_LEGS_IDLE, legs.lower.ANIMMODEL);
    EXPECT_EQ(2, legs.lower.MODEL.STARTFRAME);  // file frame 5: after the both-halves frames
    md3view::step_torso(legs, +1);              // no torso animation for legs
    EXPECT_EQ(Q3_LEGS_IDLE, legs.lower.ANIMMODEL);
    EXPECT_EQ(Q3_TORSO_STAND, torso.lower.ANIMMODEL);
    md3view::step_legs(torso, +1);
    EXPECT_EQ(Q3_TORSO_STAND, torso.lower.ANIMMODEL);
}

TEST(Md3View, ModelFillsTheViewWhenLoadedAndAgainOnFit) {
    rendertest::FreshScene();
    testsupport::TempDir dir;
    write_player(dir, 8);
    dir.write("animation.cfg", cfg());
    md3view::Scene scene;
    std::string error;
    ASSERT_TRUE(md3view::load_scene(scene, dir.path(), error)) << error;
    // The box round the triangles is what fills the view, with room for the overlay: the triangles
    // themselves span a little less.
    constexpr float kFilled = 0.4f;
    bool inside = false;
    EXPECT_GT(height_share(scene, inside), kFilled);
    EXPECT_TRUE(inside);
    md3view::zoom(scene, 5);
    EXPECT_LT(height_share(scene, inside), 0.25f);
    md3view::fit(scene);
    EXPECT_GT(height_share(scene, inside), kFilled);
    EXPECT_TRUE(inside);
}

TEST(Md3View, GoldfishPlaysItsAnimationsOnOneModel) {
    md3view::Scene scene;
    std::string error;
    ASSERT_TRUE(md3view::load_scene(scene, std::string(WOBBLEFIN_RUN_DIR) + "/modelli/PesceRosso.md3", error)) << error;
    EXPECT_FALSE(scene.player);
    EXPECT_TRUE(scene.has_cfg);
    EXPECT_GT(scene.lower.MODEL.MESHES.size(), 0u);
    md3view::step_legs(scene, -1);  // IDLE -> LANDB, on the one model
    EXPECT_EQ(Q3_LEGS_LANDB, scene.lower.ANIMMODEL);
    EXPECT_EQ(scene.lower.ANIM[Q3_LEGS_LANDB].FIRSTFRAME, scene.lower.MODEL.STARTFRAME);
    const std::vector<std::string> lines = md3view::overlay_lines(scene);
    EXPECT_EQ("Model PesceRosso.md3", lines.at(0));
    EXPECT_EQ("Animation Q3_LEGS_LANDB", lines.at(1));
}

TEST(Md3View, OddPlayerFolderIsShownAsFarAsItGoes) {
    rendertest::FreshScene();
    testsupport::TempDir dir;
    using md3test::vertex;
    md3test::Surface empty = triangle("l_empty", {});
    empty.texcoords.clear();
    empty.triangles = {{0, 1, 2}};  // corners that name no vertex
    dir.write("LOWER.MD3", part({empty}, 1, {tag("tag_elsewhere", 0, 0, 0, kUnturned)}));  // no tag_torso
    dir.write("upper.md3", part({}, 1, {}));                                               // no surfaces
    dir.write("head.md3", std::string("not a model"));
    dir.write("animation.cfg", std::string("x\t\t// short\n1\t2\t// too few fields\n\n// only a comment\n"));
    dir.write("lower_default.skin", std::string("l_empty,nowhere.tga\ngarbage\n"));
    md3view::Scene scene;
    std::string error;
    ASSERT_TRUE(md3view::load_scene(scene, dir.path() + "/", error)) << error;
    EXPECT_TRUE(scene.has_lower && scene.has_upper && !scene.has_head);
    EXPECT_FALSE(scene.upper_attached);
    EXPECT_EQ(2u, scene.warnings.size());  // head.md3 is no model; lower.md3 has no tag_torso
    md3view::load_skins(scene);
    for (int i = 0; i < 3; ++i)
        md3view::step_torso(scene, +1), md3view::step_legs(scene, -1), md3view::step_both(scene, 1);
    EXPECT_TRUE(drawn_triangles(scene).empty());
}

TEST(Md3View, ExitCodesSayWhatWentWrong) {
    testsupport::TempDir dir;
    int status = 0;
    EXPECT_NE(std::string::npos, run_viewer("", status).find("usage:"));
    EXPECT_EQ(2, status);
    run_viewer("a b", status);
    EXPECT_EQ(2, status);
    run_viewer("--frames x " + dir.path(), status);
    EXPECT_EQ(2, status);
    EXPECT_EQ("corvala-md3view: " + dir.file("none.md3") + ": No such file or directory\n",
              run_viewer(dir.file("none.md3"), status));
    EXPECT_EQ(1, status);
    const std::string text = dir.write("text.md3", std::string("IDP2"));
    EXPECT_EQ("corvala-md3view: " + text + ": not an MD3 model\n", run_viewer(text, status));
    EXPECT_EQ(1, status);
    run_viewer(dir.path(), status);  // a folder without any part
    EXPECT_EQ(1, status);
    run_viewer("/dev/zero", status);  // endless: refused, not read
    EXPECT_EQ(1, status);
    run_viewer(std::string(WOBBLEFIN_RUN_DIR) + "/modelli/PesceRosso.md3 --frames 5", status);
    EXPECT_EQ(0, status);
}
