#include "tools/assetgen/md3.h"

#include <algorithm>
#include <stdexcept>

#include "corvala/model/CRVL_MD3File.h"

namespace assetgen {

std::array<uint8_t, 2> md3_normal(Vec3 n) {
    n = normalized(n);
    // Divisor 255: byte b stands for the angle b * 2pi / 255.
    const double lat = std::acos(std::clamp(n.z, -1.0, 1.0));
    double lng = std::atan2(n.y, n.x);
    if (lng < 0) lng += 2 * kPi;
    long a = std::lround(lat * 255.0 / (2 * kPi));
    long b = std::lround(lng * 255.0 / (2 * kPi));
    a = std::clamp(a, 0L, 255L);
    if (b >= 255) b = 0;  // 255 and 0 are the same direction
    return {static_cast<uint8_t>(a), static_cast<uint8_t>(b)};
}

namespace {

int16_t coord(double v) {
    const long q = std::lround(v / corvala::kMd3XyzScale);
    if (q < -32768 || q > 32767) throw std::out_of_range("MD3 coordinate out of range");
    return static_cast<int16_t>(q);
}

}  // namespace

Bytes md3(const std::string& name, const std::vector<Md3Surface>& surfaces) {
    if (surfaces.empty()) throw std::invalid_argument("MD3 needs a surface");
    const size_t frames = surfaces.front().positions.size();
    Bytes out;
    out.text(corvala::kMd3Ident, 4);
    out.i32(corvala::kMd3Version);
    out.text(name, corvala::kMd3NameLength);
    out.i32(0);  // flags
    out.i32(static_cast<int32_t>(frames));
    out.i32(0);  // tags
    out.i32(static_cast<int32_t>(surfaces.size()));
    out.i32(0);  // skins
    const size_t at_offsets = out.size();
    for (int i = 0; i < 4; ++i) out.u32(0);  // frames, tags, surfaces, end: patched below

    out.patch_u32(at_offsets, static_cast<uint32_t>(out.size()));
    for (size_t f = 0; f < frames; ++f) {
        Vec3 lo{1e9, 1e9, 1e9}, hi{-1e9, -1e9, -1e9};
        for (const Md3Surface& s : surfaces)
            for (const Vec3& p : s.positions[f]) {
                lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
                hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
            }
        const double radius = std::max(length(lo), length(hi));
        for (double v : {lo.x, lo.y, lo.z, hi.x, hi.y, hi.z, 0.0, 0.0, 0.0, radius}) out.f32(static_cast<float>(v));
        out.text("frame" + std::to_string(f), corvala::kMd3FrameNameLength);
    }
    out.patch_u32(at_offsets + 4, static_cast<uint32_t>(out.size()));  // no tags
    out.patch_u32(at_offsets + 8, static_cast<uint32_t>(out.size()));

    for (const Md3Surface& s : surfaces) {
        if (s.positions.size() != frames || s.normals.size() != frames)
            throw std::invalid_argument("frame count differs");
        const size_t verts = s.st.size();
        Bytes surf;
        surf.text(corvala::kMd3Ident, 4);
        surf.text(s.name, corvala::kMd3NameLength);
        surf.i32(0);  // flags
        surf.i32(static_cast<int32_t>(frames));
        surf.i32(1);  // one shader name
        surf.i32(static_cast<int32_t>(verts));
        surf.i32(static_cast<int32_t>(s.tris.size()));
        const uint32_t ofs_shaders = sizeof(corvala::TGLMESHHEADER);
        const uint32_t ofs_tris = ofs_shaders + sizeof(corvala::TGLMD3SKIN);
        const uint32_t ofs_st = ofs_tris + sizeof(corvala::TGLMD3TRIANGLE) * static_cast<uint32_t>(s.tris.size());
        const uint32_t ofs_xyz = ofs_st + sizeof(corvala::TGLMD3TEXCOORD) * static_cast<uint32_t>(verts);
        const uint32_t ofs_end = ofs_xyz + sizeof(corvala::TVERTEX) * static_cast<uint32_t>(verts * frames);
        surf.u32(ofs_tris);
        surf.u32(ofs_shaders);
        surf.u32(ofs_st);
        surf.u32(ofs_xyz);
        surf.u32(ofs_end);
        surf.text(s.shader, corvala::kMd3NameLength);
        surf.i32(0);
        for (const auto& t : s.tris)
            for (int k = 0; k < 3; ++k) surf.i32(t[k]);
        for (const auto& st : s.st) {
            surf.f32(static_cast<float>(st[0]));
            surf.f32(static_cast<float>(st[1]));
        }
        for (size_t f = 0; f < frames; ++f) {
            if (s.positions[f].size() != verts || s.normals[f].size() != verts)
                throw std::invalid_argument("vertex count");
            for (size_t v = 0; v < verts; ++v) {
                const Vec3& p = s.positions[f][v];
                surf.i16(coord(p.x));
                surf.i16(coord(p.y));
                surf.i16(coord(p.z));
                const auto n = md3_normal(s.normals[f][v]);
                surf.u8(n[0]);
                surf.u8(n[1]);
            }
        }
        if (surf.size() != ofs_end) throw std::logic_error("MD3 surface size mismatch");
        out.append(surf);
    }
    out.patch_u32(at_offsets + 12, static_cast<uint32_t>(out.size()));
    return out;
}

}  // namespace assetgen
