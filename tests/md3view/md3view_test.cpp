// corvala-md3view: players assembled at their tags, animations per body half, the goldfish, odd
// folders shown as far as they go, and the program's exit codes.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/model/md3_builder.h"
#include "tests/render/gl_helpers.h"
#include "tests/support/temp_dir.h"
#include "tools/md3view/viewer.h"

using namespace corvala;

namespace {

TGLTAG tag(const char* name, float x, float y, float z, const float rows[3][3]) {
    TGLTAG t{};
    std::strncpy(t.NAME, name, sizeof t.NAME);
    t.POSITION = TGLVECTOR{x, y, z};
    std::memcpy(t.ROTATION, rows, sizeof t.ROTATION);
    return t;
}

const float kTurnedAboutZ[3][3] = {{0, 1, 0}, {-1, 0, 0}, {0, 0, 1}};  // a quarter turn
const float kUnturned[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};

// One surface of the given triangles over the given vertices (in 1/64 units), one frame per entry of
// FRAMES copies, and the tags given (the same in every frame).
std::vector<uint8_t> part(const std::vector<md3test::Surface>& surfaces, int frames, const std::vector<TGLTAG>& tags) {
    md3test::Model m;
    m.frames = frames;
    m.tags_per_frame = int32_t(tags.size());
    for (int f = 0; f < frames; ++f) m.tags.insert(m.tags.end(), tags.begin(), tags.end());
    m.surfaces = surfaces;
    return md3test::build(m).bytes;
}

md3test::Surface triangle(const char* name, std::vector<TVERTEX> corners, int frames = 1) {
    md3test::Surface s;
    s.name = name;
    s.triangles = {{0, 1, 2}};
    s.texcoords = {{0, 0}, {1, 0}, {0, 1}};
    s.frames = frames;
    for (int f = 0; f < frames; ++f) s.vertices.insert(s.vertices.end(), corners.begin(), corners.end());
    return s;
}

// The upper part's triangle has corners (1, 0, 0), (0, 2, 0), (0, 0, 3). The lower part carries it at
// tag_torso, moved to (10, 0, 5) and turned a quarter about z, where those corners land at
// (10, 1, 5), (8, 0, 5), (10, 0, 8): the lower part also draws a marker triangle exactly there.
void write_player(const testsupport::TempDir& dir, int frames) {
    using md3test::vertex;
    const md3test::Surface legs = triangle("l_legs", {vertex(0, 0, 0), vertex(64, 0, 0), vertex(0, 64, 0)}, frames);
    const md3test::Surface marker =
        triangle("l_marker", {vertex(640, 64, 320), vertex(512, 0, 320), vertex(640, 0, 512)}, frames);
    const md3test::Surface torso =
        triangle("u_torso", {vertex(64, 0, 0), vertex(0, 128, 0), vertex(0, 0, 192)}, frames);
    dir.write("lower.md3", part({legs, marker}, frames, {tag("tag_torso", 10, 0, 5, kTurnedAboutZ)}));
    dir.write("upper.md3",
              part({torso}, frames, {tag("tag_weapon", 0, 0, 0, kUnturned), tag("tag_head", 0, 0, 4, kUnturned)}));
    dir.write("head.md3", part({triangle("h_head", {vertex(0, 0, 0), vertex(32, 0, 0), vertex(0, 0, 32)})}, 1, {}));
}

// animation.cfg for 2 both-halves frames, 3 torso frames (2..4) and 3 legs frames (5..7 in the file).
std::string cfg() {
    std::string text = "sex\tm\nheadoffset\t0 0 0\n// comment line\n";
    for (int i = 0; i < 6; ++i) text += "0\t2\t0\t5\t\t// BOTH\n";
    for (int i = 0; i < 7; ++i) text += "2\t3\t3\t" + std::to_string(10 + i) + "\t\t// TORSO\n";
    for (int i = 0; i < 12; ++i) text += "5\t3\t3\t" + std::to_string(20 + i) + "\t\t// LEGS\n";
    return text;
}

struct Polygon {
    float xyz[3][3];
};

// The triangles the scene sends down the pipeline, in window coordinates, in drawing order.
std::vector<Polygon> drawn_triangles(md3view::Scene& scene) {
    std::vector<GLfloat> buffer(4096);
    glFeedbackBuffer(GLsizei(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    md3view::draw_scene(scene, 0);
    const GLint n = glRenderMode(GL_RENDER);
    std::vector<Polygon> out;
    for (GLint i = 0; i < n;) {
        if (buffer[size_t(i)] == GL_POLYGON_TOKEN && buffer[size_t(i) + 1] == 3) {
            Polygon p;
            for (int v = 0; v < 3; ++v)
                for (int k = 0; k < 3; ++k) p.xyz[v][k] = buffer[size_t(i) + 2 + size_t(v) * 3 + size_t(k)];
            out.push_back(p);
            i += 11;
        } else {
            ADD_FAILURE() << "unexpected feedback token " << buffer[size_t(i)];
            break;
        }
    }
    return out;
}

std::string run_viewer(const std::string& args, int& status) {
    const std::string command = std::string(MD3VIEW_EXE) + " " + args + " 2>&1";
    FILE* p = popen(command.c_str(), "r");
    std::string out;
    char chunk[256];
    while (p && std::fgets(chunk, sizeof chunk, p)) out += chunk;
    const int raw = p ? pclose(p) : -1;
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return out;
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
