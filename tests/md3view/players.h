// Small players for the viewer's tests: parts of one triangle each joined at their tags, their
// animation.cfg, and what the scene sends down the pipeline.
#pragma once
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/gl/gl.h"
#include "tests/model/md3_builder.h"
#include "tools/md3view/viewer.h"

namespace md3viewtest {

using corvala::TGLTAG;
using corvala::TVERTEX;
using Files = std::map<std::string, std::vector<uint8_t>>;  // file name -> bytes

inline TGLTAG tag(const char* name, float x, float y, float z, const float rows[3][3]) {
    TGLTAG t{};
    std::strncpy(t.NAME, name, sizeof t.NAME);
    t.POSITION = corvala::TGLVECTOR{x, y, z};
    std::memcpy(t.ROTATION, rows, sizeof t.ROTATION);
    return t;
}

const float kTurnedAboutZ[3][3] = {{0, 1, 0}, {-1, 0, 0}, {0, 0, 1}};  // a quarter turn
const float kUnturned[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};

// The given surfaces, one frame per entry of FRAMES copies, and the tags given (the same in every frame).
inline std::vector<uint8_t> part(const std::vector<md3test::Surface>& surfaces, int frames,
                                 const std::vector<TGLTAG>& tags) {
    md3test::Model m;
    m.frames = frames;
    m.tags_per_frame = int32_t(tags.size());
    for (int f = 0; f < frames; ++f) m.tags.insert(m.tags.end(), tags.begin(), tags.end());
    m.surfaces = surfaces;
    return md3test::build(m).bytes;
}

inline md3test::Surface triangle(const char* name, std::vector<TVERTEX> corners, int frames = 1) {
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
// The parts have the frames given; the head one unless HEAD_FRAMES says more.
inline Files player(int lower_frames, int upper_frames, int head_frames = 1) {
    using md3test::vertex;
    const int f = lower_frames, u = upper_frames;
    Files files;
    files["lower.md3"] =
        part({triangle("l_legs", {vertex(0, 0, 0), vertex(64, 0, 0), vertex(0, 64, 0)}, f),
              triangle("l_marker", {vertex(640, 64, 320), vertex(512, 0, 320), vertex(640, 0, 512)}, f)},
             f, {tag("tag_torso", 10, 0, 5, kTurnedAboutZ)});
    files["upper.md3"] = part({triangle("u_torso", {vertex(64, 0, 0), vertex(0, 128, 0), vertex(0, 0, 192)}, u)}, u,
                              {tag("tag_weapon", 0, 0, 0, kUnturned), tag("tag_head", 0, 0, 4, kUnturned)});
    files["head.md3"] =
        part({triangle("h_head", {vertex(0, 0, 0), vertex(32, 0, 0), vertex(0, 0, 32)}, head_frames)}, head_frames, {});
    return files;
}

// animation.cfg for 2 both-halves frames, 3 torso frames (2..4) and 3 legs frames (5..7 in the file).
inline std::string cfg() {
    std::string text = "sex\tm\nheadoffset\t0 0 0\n// comment line\n";
    for (int i = 0; i < 6; ++i) text += "0\t2\t0\t5\t\t// BOTH\n";
    for (int i = 0; i < 7; ++i) text += "2\t3\t3\t" + std::to_string(10 + i) + "\t\t// TORSO\n";
    for (int i = 0; i < 12; ++i) text += "5\t3\t3\t" + std::to_string(20 + i) + "\t\t// LEGS\n";
    return text;
}

// A player shaped like two real ones: a lower part of 180 frames with tag_torso only, an upper part of
// 200 frames with tag_weapon, tag_torso and tag_head in that order, a head of two surfaces with the
// upper part's frames and no tags, and an animation.cfg of 218 frames. Every part is the same
// triangle, moving a little from frame to frame; each hangs 2 units along y from its parent. The
// tags' axes are AXIS long, as some exporters leave them.
inline Files real_shaped_player(float axis) {
    using md3test::vertex;
    const auto moving = [](const char* name, int frames, int16_t y) {
        md3test::Surface s = triangle(name, {}, frames);
        for (int f = 0; f < frames; ++f) {
            const int16_t z = int16_t(f % 8);
            s.vertices.insert(s.vertices.end(), {vertex(0, y, z), vertex(64, y, z), vertex(0, y, int16_t(z + 64))});
        }
        return s;
    };
    const float rows[3][3] = {{axis, 0, 0}, {0, axis, 0}, {0, 0, axis}};
    const auto model = [](int frames, const std::vector<TGLTAG>& tags, std::vector<md3test::Surface> surfaces) {
        md3test::Model m;
        m.frames = frames;
        m.tags_per_frame = int32_t(tags.size());
        for (int f = 0; f < frames; ++f) m.tags.insert(m.tags.end(), tags.begin(), tags.end());
        m.surfaces = std::move(surfaces);
        return md3test::build(m).bytes;
    };
    Files files;
    files["lower.md3"] = model(180, {tag("tag_torso", 0, 2, 0, rows)}, {moving("l_legs", 180, 0)});
    files["upper.md3"] =
        model(200, {tag("tag_weapon", 1, 0, 0, rows), tag("tag_torso", 0, 0, 0, rows), tag("tag_head", 0, 2, 0, rows)},
              {moving("u_torso", 200, 0)});
    files["head.md3"] = model(200, {}, {moving("h_head", 200, 0), moving("h_eyes", 200, 16)});
    // Both halves 0..89, torso 90..152, legs 153..217.
    const int ranges[25][2] = {{0, 30},   {29, 1},  {30, 30},  {59, 1},   {60, 30}, {89, 1},  {90, 40},
                               {130, 6},  {136, 6}, {142, 5},  {147, 4},  {151, 1}, {152, 1}, {153, 8},
                               {161, 12}, {173, 9}, {182, 10}, {192, 10}, {202, 4}, {206, 1}, {207, 4},
                               {211, 1},  {212, 3}, {215, 2},  {217, 1}};
    std::string text = "sex\tm\n";
    for (const auto& r : ranges) text += std::to_string(r[0]) + "\t" + std::to_string(r[1]) + "\t0\t15\t\t// range\n";
    files["animation.cfg"] = std::vector<uint8_t>(text.begin(), text.end());
    return files;
}

struct Polygon {
    float xyz[3][3];
};

// The triangles the scene sends down the pipeline, in window coordinates, in drawing order.
inline std::vector<Polygon> drawn_triangles(md3view::Scene& scene) {
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

// The viewer program's output (both streams) and exit status.
inline std::string run_viewer(const std::string& args, int& status) {
    const std::string command = std::string(MD3VIEW_EXE) + " " + args + " 2>&1";
    FILE* p = popen(command.c_str(), "r");
    std::string out;
    char chunk[256];
    while (p && std::fgets(chunk, sizeof chunk, p)) out += chunk;
    const int raw = p ? pclose(p) : -1;
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return out;
}

}  // namespace md3viewtest
