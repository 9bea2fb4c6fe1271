// Builds small MD3 files in memory for the model tests and the fuzzer's base model. The layout is the
// plain one (header, frames, tags, then each surface: header, skins, triangles, texture coordinates,
// vertices); tests that need something odd patch the bytes afterwards.
#pragma once
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "corvala/model/CRVL_Model.h"

namespace md3test {

struct Surface {
    std::string name = "body";
    std::vector<std::string> skins;
    std::vector<std::array<int32_t, 3>> triangles;
    std::vector<std::array<float, 2>> texcoords;  // one per vertex
    std::vector<corvala::TVERTEX> vertices;       // frames x texcoords.size(), frame-major
    int32_t frames = 1;                           // NUMMESHFRAMES
    int32_t padding = 0;                          // bytes after the vertices, inside MESHSIZE
};

struct Model {
    char id[4] = {'I', 'D', 'P', '3'};
    int32_t version = corvala::kMd3Version;
    int32_t frames = 1;  // NUMBONEFRAMES
    int32_t tags_per_frame = 0;
    std::vector<corvala::TGLTAG> tags;  // frames x tags_per_frame
    std::vector<Surface> surfaces;
};

struct Built {
    std::vector<uint8_t> bytes;
    std::vector<size_t> surface_start;
};

inline void put(std::vector<uint8_t>& b, const void* p, size_t n) {
    const uint8_t* c = static_cast<const uint8_t*>(p);
    b.insert(b.end(), c, c + n);
}
inline void put_i32(std::vector<uint8_t>& b, size_t at, int32_t v) { std::memcpy(&b[at], &v, 4); }
inline int32_t get_i32(const std::vector<uint8_t>& b, size_t at) {
    int32_t v;
    std::memcpy(&v, &b[at], 4);
    return v;
}

// Header field offsets, as the file has them.
constexpr size_t kVersion = 4, kNumFrames = 76, kNumTags = 80, kNumMeshes = 84, kHeaderLength = 92, kTagStart = 96,
                 kTagEnd = 100, kFileSize = 104;
// Surface header field offsets, from the surface's start.
constexpr size_t kMeshFrames = 72, kMeshSkins = 76, kMeshVertexes = 80, kMeshTriangles = 84, kMeshTriStart = 88,
                 kMeshHeaderSize = 92, kMeshTexStart = 96, kMeshVertexStart = 100, kMeshSize = 104;

inline corvala::TVERTEX vertex(int16_t x, int16_t y, int16_t z, uint8_t n0 = 0, uint8_t n1 = 0) {
    corvala::TVERTEX v{};
    v.VERTEX[0] = x;
    v.VERTEX[1] = y;
    v.VERTEX[2] = z;
    v.NORMAL[0] = n0;
    v.NORMAL[1] = n1;
    return v;
}

inline Built build(const Model& m) {
    Built out;
    std::vector<uint8_t>& b = out.bytes;
    corvala::TGLMD3HEADER h{};
    std::memcpy(h.ID, m.id, 4);
    h.VERSION = m.version;
    std::strncpy(h.FILENAME, "models/test.md3", sizeof h.FILENAME);
    h.NUMBONEFRAMES = m.frames;
    h.NUMTAGS = m.tags_per_frame;
    h.NUMMESHES = int32_t(m.surfaces.size());
    h.HEADERLENGTH = 108;
    h.TAGSTART = 108 + 56 * m.frames;
    h.TAGEND = h.TAGSTART + 112 * int32_t(m.tags.size());
    put(b, &h, sizeof h);
    for (int32_t f = 0; f < m.frames; ++f) {
        corvala::TGLBONEFRAME fr{};
        fr.SCALE = float(f + 1);
        std::strncpy(fr.CREATOR, "md3test", sizeof fr.CREATOR);
        put(b, &fr, sizeof fr);
    }
    for (const corvala::TGLTAG& t : m.tags) put(b, &t, sizeof t);
    for (const Surface& s : m.surfaces) {
        const size_t start = b.size();
        out.surface_start.push_back(start);
        const int32_t K = int32_t(s.skins.size()), N = int32_t(s.triangles.size()), V = int32_t(s.texcoords.size());
        corvala::TGLMESHHEADER mh{};
        std::memcpy(mh.ID, "IDP3", 4);
        std::strncpy(mh.NAME, s.name.c_str(), sizeof mh.NAME - 1);
        mh.NUMMESHFRAMES = s.frames;
        mh.NUMSKINS = K;
        mh.NUMVERTEXES = V;
        mh.NUMTRIANGLES = N;
        mh.HEADERSIZE = 108;
        mh.TRISTART = 108 + 68 * K;
        mh.TEXVECTORSTART = mh.TRISTART + 12 * N;
        mh.VERTEXSTART = mh.TEXVECTORSTART + 8 * V;
        mh.MESHSIZE = mh.VERTEXSTART + 8 * int32_t(s.vertices.size()) + s.padding;
        put(b, &mh, sizeof mh);
        for (const std::string& name : s.skins) {
            char raw[68] = {};
            std::strncpy(raw, name.c_str(), 64);
            put(b, raw, sizeof raw);
        }
        for (const auto& t : s.triangles) put(b, t.data(), 12);
        for (const auto& c : s.texcoords) put(b, c.data(), 8);
        for (const corvala::TVERTEX& v : s.vertices) put(b, &v, sizeof v);
        b.insert(b.end(), size_t(s.padding), uint8_t(0xEE));
    }
    put_i32(b, kFileSize, int32_t(b.size()));
    return out;
}

// Builds the file and loads it into `out`, as load_md3_from_memory answers.
inline bool load(const Model& m, corvala::TGLMD3MODEL& out) {
    const std::vector<uint8_t> bytes = build(m).bytes;
    return corvala::load_md3_from_memory(out, bytes.data(), bytes.size());
}

// One surface, one triangle over three vertices, one frame: the smallest useful model.
inline Model one_triangle() {
    Model m;
    Surface s;
    s.skins = {"models/fish/skin.tga"};
    s.triangles = {{0, 1, 2}};
    s.texcoords = {{0.0f, 0.0f}, {1.0f, 0.0f}, {0.25f, 0.25f}};
    s.vertices = {vertex(0, 0, 0), vertex(64, 0, 0), vertex(64, -128, 32)};
    m.surfaces.push_back(s);
    return m;
}

}  // namespace md3test
