// md3view_sample FOLDER: writes a small Quake III-style player into FOLDER (lower, upper and head
// parts of boxes joined at tag_torso and tag_head, an animation.cfg, skins and their TGA images), so
// the viewer has a character to show that anyone may use. The records are Corvala's own.
// md3view_sample --pk3 FILE.pk3: the same player as a game's archive holds one, in
// models/players/robot/, its skins naming images from the data folder as real ones do: one shared
// from another player's folder, one a JPEG where the skin names a .tga.
#include <zip.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include <corvala/Corvala.h>

#include "jpeg.h"

using namespace corvala;

namespace {

struct Box {
    float center[3];
    float half[3];
    float pivot[3];  // the box swings about the y axis through this point
    float swing;     // degrees at the top of the swing
};

constexpr float kPiFloat = float(corvala::kPi);  // the one pi, in the float arithmetic of this file
constexpr float kOrigin[3] = {0, 0, 0};

uint8_t normal_byte(float angle) { return uint8_t(std::lround(angle * 255 / (2 * kPiFloat)) & 0xFF); }

TVERTEX vertex(const float p[3], const float n[3]) {
    TVERTEX v{};
    for (int k = 0; k < 3; ++k) v.VERTEX[k] = int16_t(std::lround(p[k] * 64));
    v.NORMAL[0] = normal_byte(std::acos(std::fmax(-1.0f, std::fmin(1.0f, n[2]))));
    v.NORMAL[1] =
        normal_byte(std::atan2(n[1], n[0]) < 0 ? std::atan2(n[1], n[0]) + 2 * kPiFloat : std::atan2(n[1], n[0]));
    return v;
}

// One surface of boxes, FRAMES frames; frame f swings each box by sin(phase) of its swing.
struct Part {
    std::string surface;
    std::vector<Box> boxes;
    int frames;
    std::vector<std::vector<TGLTAG>> tags;  // per frame
};

void rotate_y(float p[3], const float pivot[3], float degrees) {
    const float a = degrees * kPiFloat / 180, c = std::cos(a), s = std::sin(a);
    const float x = p[0] - pivot[0], z = p[2] - pivot[2];
    p[0] = pivot[0] + c * x + s * z;
    p[2] = pivot[2] - s * x + c * z;
}

std::vector<uint8_t> md3(const Part& part) {
    static const float axes[6][3][3] = {// normal, u, v with u x v = normal
                                        {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
                                        {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}}, {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
                                        {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}}, {{0, 0, -1}, {0, 1, 0}, {1, 0, 0}}};
    static const float corner[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    std::vector<TGLMD3TRIANGLE> tris;
    std::vector<TGLMD3TEXCOORD> tex;
    std::vector<TVERTEX> verts;
    const int per_frame = int(part.boxes.size()) * 24;
    for (int f = 0; f < part.frames; ++f) {
        const float phase = std::sin(2 * kPiFloat * float(f) / float(part.frames));
        int base = 0;
        for (const Box& b : part.boxes) {
            for (const auto& face : axes) {
                for (const auto& c : corner) {
                    float p[3], n[3] = {face[0][0], face[0][1], face[0][2]};
                    for (int k = 0; k < 3; ++k)
                        p[k] = b.center[k] + (face[0][k] + c[0] * face[1][k] + c[1] * face[2][k]) * b.half[k];
                    rotate_y(p, b.pivot, b.swing * phase);
                    rotate_y(n, kOrigin, b.swing * phase);
                    verts.push_back(vertex(p, n));
                    if (f == 0) tex.push_back({{(c[0] + 1) / 2, (c[1] + 1) / 2}});
                }
                if (f == 0) {  // clockwise seen from outside, as the format winds its triangles
                    tris.push_back({{base, base + 2, base + 1}});
                    tris.push_back({{base, base + 3, base + 2}});
                }
                base += 4;
            }
        }
    }
    TGLMD3HEADER h{};
    std::memcpy(h.ID, "IDP3", 4);
    h.VERSION = 15;
    std::snprintf(h.FILENAME, sizeof h.FILENAME, "%s.md3", part.surface.c_str());
    h.NUMBONEFRAMES = part.frames;
    h.NUMTAGS = part.tags.empty() ? 0 : int32_t(part.tags[0].size());
    h.NUMMESHES = 1;
    h.HEADERLENGTH = 108;
    TGLMESHHEADER m{};
    std::memcpy(m.ID, "IDP3", 4);
    std::snprintf(m.NAME, sizeof m.NAME, "%s", part.surface.c_str());
    m.NUMMESHFRAMES = part.frames;
    m.NUMVERTEXES = per_frame;
    m.NUMTRIANGLES = int32_t(tris.size());
    m.HEADERSIZE = 108;
    m.TRISTART = 108;
    m.TEXVECTORSTART = m.TRISTART + 12 * m.NUMTRIANGLES;
    m.VERTEXSTART = m.TEXVECTORSTART + 8 * per_frame;
    m.MESHSIZE = m.VERTEXSTART + 8 * int32_t(verts.size());

    std::vector<uint8_t> out;
    auto put = [&out](const void* p, size_t n) {
        out.insert(out.end(), static_cast<const uint8_t*>(p), static_cast<const uint8_t*>(p) + n);
    };
    put(&h, sizeof h);
    for (int f = 0; f < part.frames; ++f) {
        TGLBONEFRAME frame{};
        frame.SCALE = 1;
        put(&frame, sizeof frame);
    }
    for (const auto& frame_tags : part.tags) put(frame_tags.data(), frame_tags.size() * sizeof(TGLTAG));
    put(&m, sizeof m);
    put(tris.data(), tris.size() * sizeof(TGLMD3TRIANGLE));
    put(tex.data(), tex.size() * sizeof(TGLMD3TEXCOORD));
    put(verts.data(), verts.size() * sizeof(TVERTEX));
    const int32_t size = int32_t(out.size());
    std::memcpy(out.data() + 104, &size, 4);
    return out;
}

TGLTAG tag(const char* name, float x, float y, float z, float pitch) {
    TGLTAG t{};
    std::snprintf(t.NAME, sizeof t.NAME, "%s", name);
    t.POSITION = {x, y, z};
    const float a = pitch * kPiFloat / 180;
    const float rows[3][3] = {{std::cos(a), 0, -std::sin(a)}, {0, 1, 0}, {std::sin(a), 0, std::cos(a)}};
    std::memcpy(t.ROTATION, rows, sizeof rows);
    return t;
}

// A 16 x 16 true-colour TGA, two shades in a check pattern.
std::vector<uint8_t> tga(const uint8_t a[3], const uint8_t b[3]) {
    std::vector<uint8_t> out = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 16, 0, 16, 0, 24, 0};
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const uint8_t* c = ((x / 4 + y / 4) % 2) ? a : b;
            out.insert(out.end(), {c[2], c[1], c[0]});  // stored B, G, R
        }
    return out;
}

// The TGA's pixels (stored bottom row first, B, G, R) as a JPEG.
std::vector<uint8_t> jpeg_of_tga(const std::vector<uint8_t>& tga_bytes) {
    constexpr uint32_t kSide = 16, kHeader = 18;
    md3view::RgbImage image;
    image.width = image.height = kSide;
    image.rgb.resize(kSide * kSide * 3);
    for (size_t p = 0; p < kSide * kSide; ++p)
        for (size_t k = 0; k < 3; ++k) image.rgb[p * 3 + k] = tga_bytes[kHeader + p * 3 + 2 - k];
    return md3view::encode_jpeg(image);
}

using Files = std::vector<std::pair<std::string, std::vector<uint8_t>>>;

bool write_zip(const std::string& path, const Files& files) {
    int code = 0;
    zip_t* zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!zip) return false;
    for (const auto& [name, bytes] : files) {
        zip_source_t* src = zip_source_buffer(zip, bytes.data(), bytes.size(), 0);
        if (!src || zip_file_add(zip, name.c_str(), src, ZIP_FL_OVERWRITE) < 0) {
            if (src) zip_source_free(src);
            zip_discard(zip);
            return false;
        }
    }
    if (zip_close(zip) == 0) return true;
    zip_discard(zip);
    return false;
}

std::vector<uint8_t> bytes_of(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

bool write(const std::filesystem::path& file, const std::vector<uint8_t>& bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

}  // namespace

int main(int argc, char** argv) {
    const bool archive = argc == 3 && std::strcmp(argv[1], "--pk3") == 0;
    if (argc != 2 && !archive) {
        std::fprintf(stderr, "usage: md3view_sample FOLDER\n       md3view_sample --pk3 FILE.pk3\n");
        return 2;
    }
    const char* target = argv[argc - 1];

    // Frames: 4 of the both-halves group, then 8 of legs (lower) or of torso (upper).
    constexpr int kFrames = 12;
    Part lower{"l_legs",
               {{{0, 5, 12}, {3, 3, 12}, {0, 5, 24}, 25},
                {{0, -5, 12}, {3, 3, 12}, {0, -5, 24}, -25},
                {{0, 0, 25}, {4, 9, 3}, {0, 0, 25}, 0}},
               kFrames,
               {}};
    Part upper{"u_torso",
               {{{0, 0, 10}, {5, 9, 10}, {0, 0, 10}, 0},
                {{0, 12, 12}, {2, 2, 9}, {0, 12, 20}, -40},
                {{0, -12, 12}, {2, 2, 9}, {0, -12, 20}, 40}},
               kFrames,
               {}};
    Part head{"h_head", {{{1, 0, 5}, {5, 5, 5}, {0, 0, 0}, 0}, {{6, 0, 6}, {1, 3, 1}, {0, 0, 0}, 0}}, 1, {}};
    for (int f = 0; f < kFrames; ++f) {
        const float bob = std::fabs(std::sin(2 * kPiFloat * float(f) / kFrames));
        lower.tags.push_back({tag("tag_torso", 0, 0, 27 + bob, 0)});
        upper.tags.push_back({tag("tag_head", 0, 0, 21, 10 * bob)});
    }
    const uint8_t steel[3] = {150, 160, 175}, dark[3] = {80, 90, 110}, orange[3] = {235, 140, 40},
                  cream[3] = {240, 225, 190}, teal[3] = {40, 170, 160};
    const std::string cfg_text =
        "// robot: first frame, frames, looping frames, frames per second\n"
        "sex\tn\n\n"
        "0\t4\t0\t4\t\t// BOTH_DEATH1\n0\t4\t0\t4\t\t// BOTH_DEAD1\n"
        "0\t4\t0\t4\t\t// BOTH_DEATH2\n0\t4\t0\t4\t\t// BOTH_DEAD2\n"
        "0\t4\t0\t4\t\t// BOTH_DEATH3\n0\t4\t0\t4\t\t// BOTH_DEAD3\n"
        "4\t8\t8\t10\t\t// TORSO_GESTURE\n4\t8\t8\t12\t\t// TORSO_ATTACK\n"
        "4\t8\t8\t14\t\t// TORSO_ATTACK2\n4\t8\t8\t6\t\t// TORSO_DROP\n"
        "4\t8\t8\t6\t\t// TORSO_RAISE\n4\t8\t8\t4\t\t// TORSO_STAND\n"
        "4\t8\t8\t2\t\t// TORSO_STAND2\n"
        "12\t8\t8\t8\t\t// LEGS_WALKCR\n12\t8\t8\t10\t\t// LEGS_WALK\n"
        "12\t8\t8\t16\t\t// LEGS_RUN\n12\t8\t8\t8\t\t// LEGS_BACK\n"
        "12\t8\t8\t6\t\t// LEGS_SWIM\n12\t8\t8\t12\t\t// LEGS_JUMP\n"
        "12\t8\t8\t12\t\t// LEGS_LAND\n12\t8\t8\t12\t\t// LEGS_JUMPB\n"
        "12\t8\t8\t12\t\t// LEGS_LANDB\n12\t1\t1\t4\t\t// LEGS_IDLE\n"
        "12\t1\t1\t4\t\t// LEGS_IDLECR\n12\t8\t8\t6\t\t// LEGS_TURN\n";
    const std::string folder = archive ? "models/players/robot/" : "";
    Files files = {{folder + "lower.md3", md3(lower)},
                   {folder + "upper.md3", md3(upper)},
                   {folder + "head.md3", md3(head)},
                   {folder + "animation.cfg", bytes_of(cfg_text)},
                   {folder + "upper_default.skin", bytes_of("tag_head,\nu_torso,models/players/robot/body.tga\n")},
                   {folder + "body.tga", tga(orange, cream)}};
    if (archive) {
        files.push_back(
            {folder + "lower_default.skin", bytes_of("tag_torso,\nL_Legs,Models/Players/Shared/Legs.TGA\n")});
        files.push_back({"models/players/shared/legs.tga", tga(steel, dark)});
        files.push_back({folder + "head_default.skin", bytes_of("h_head,models/players/robot/head.tga\n")});
        files.push_back({folder + "head.jpg", jpeg_of_tga(tga(teal, cream))});
    } else {
        files.push_back(
            {folder + "lower_default.skin", bytes_of("tag_torso,\nl_legs,models/players/robot/legs.tga\n")});
        files.push_back({folder + "legs.tga", tga(steel, dark)});
        files.push_back({folder + "head_default.skin", bytes_of("h_head,models/players/robot/head.tga\n")});
        files.push_back({folder + "head.tga", tga(teal, cream)});
    }
    bool ok = true;
    if (archive) {
        ok = write_zip(target, files);
    } else {
        std::error_code ec;
        std::filesystem::create_directories(target, ec);
        for (const auto& [name, bytes] : files) ok = ok && write(std::filesystem::path(target) / name, bytes);
    }
    if (!ok) {
        std::fprintf(stderr, "md3view_sample: cannot write %s\n", target);
        return 1;
    }
    return 0;
}
