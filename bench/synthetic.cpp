#include "bench/synthetic.h"

#include <cstring>

#include "corvala/model/CRVL_Model.h"

namespace bench {
namespace {

void put16(std::vector<uint8_t>& b, uint16_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
void put32(std::vector<uint8_t>& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(uint8_t(v >> (8 * i)));
}
template <typename T>
void put(std::vector<uint8_t>& b, const T& rec) {
    const auto* p = reinterpret_cast<const uint8_t*>(&rec);
    b.insert(b.end(), p, p + sizeof rec);
}

// A picture with both long flat runs and noise, so that run-length packets of both kinds occur.
uint8_t pixel(uint32_t x, uint32_t y, int channel) {
    if ((y / 16) % 2 == 0) return uint8_t(x / 64 * 40 + channel * 50);
    return uint8_t((x * 2654435761u) ^ (y * 40503u) ^ uint32_t(channel * 97));
}

}  // namespace

std::vector<uint8_t> SyntheticTga(uint16_t width, uint16_t height, bool rle, int bits) {
    const int bpp = bits / 8;
    std::vector<uint8_t> b = {0, 0, uint8_t(rle ? 10 : 2), 0, 0, 0, 0, 0, 0, 0, 0, 0};
    put16(b, width);
    put16(b, height);
    b.push_back(uint8_t(bits));
    b.push_back(bits == 32 ? 8 : 0);
    for (uint32_t y = 0; y < height; ++y) {
        uint32_t x = 0;
        while (x < width) {
            if (!rle) {
                for (int c = 0; c < bpp; ++c) b.push_back(pixel(x, y, c));
                ++x;
                continue;
            }
            // Count equal pixels ahead (at most 128 in a packet, within the row).
            uint32_t n = 1;
            auto same = [&](uint32_t a, uint32_t c) {
                for (int k = 0; k < bpp; ++k)
                    if (pixel(a, y, k) != pixel(c, y, k)) return false;
                return true;
            };
            while (x + n < width && n < 128 && same(x, x + n)) ++n;
            if (n > 1) {
                b.push_back(uint8_t(0x80 | (n - 1)));
                for (int c = 0; c < bpp; ++c) b.push_back(pixel(x, y, c));
            } else {
                while (x + n < width && n < 128 && !same(x + n - 1, x + n)) ++n;
                b.push_back(uint8_t(n - 1));
                for (uint32_t i = 0; i < n; ++i)
                    for (int c = 0; c < bpp; ++c) b.push_back(pixel(x + i, y, c));
            }
            x += n;
        }
    }
    return b;
}

std::vector<uint8_t> SyntheticBmp(int32_t width, int32_t height, int bits) {
    // 32 bits as image editors write them with alpha: a V5 header whose masks include the alpha byte.
    const bool v5 = bits == 32;
    const uint32_t header = v5 ? 124 : 40;
    const uint32_t stride = (uint32_t(width) * uint32_t(bits / 8) + 3) & ~3u;
    const uint32_t image = stride * uint32_t(height);
    std::vector<uint8_t> b;
    put16(b, 0x4D42);
    put32(b, 14 + header + image);
    put32(b, 0);
    put32(b, 14 + header);
    put32(b, header);
    put32(b, uint32_t(width));
    put32(b, uint32_t(height));
    put16(b, 1);
    put16(b, uint16_t(bits));
    put32(b, v5 ? 3 : 0);  // BI_BITFIELDS : BI_RGB
    put32(b, image);
    put32(b, 2835);
    put32(b, 2835);
    put32(b, 0);
    put32(b, 0);
    if (v5) {
        for (uint32_t mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u}) put32(b, mask);
        put32(b, 0x73524742);  // 'sRGB': the end points and gammas that follow are unused
        b.resize(14 + header, 0);
    }
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x)
            for (int c = 0; c < bits / 8; ++c) b.push_back(pixel(uint32_t(x), uint32_t(y), c));
        b.resize(b.size() + (stride - uint32_t(width) * uint32_t(bits / 8)), 0);
    }
    return b;
}

std::vector<uint8_t> SyntheticMd3(int32_t frames, int32_t vertices, int32_t triangles) {
    using namespace corvala;
    std::vector<uint8_t> b;
    TGLMD3HEADER h{};
    std::memcpy(h.ID, "IDP3", 4);
    h.VERSION = kMd3Version;
    h.NUMBONEFRAMES = frames;
    h.NUMTAGS = 1;
    h.NUMMESHES = 1;
    h.HEADERLENGTH = sizeof h;
    put(b, h);
    for (int32_t f = 0; f < frames; ++f) {
        TGLBONEFRAME bf{};
        bf.SCALE = 1;
        put(b, bf);
    }
    for (int32_t f = 0; f < frames; ++f) {
        TGLTAG t{};
        std::strcpy(t.NAME, "tag_weapon");
        put(b, t);
    }
    TGLMESHHEADER m{};
    std::memcpy(m.ID, "IDP3", 4);
    m.NUMMESHFRAMES = frames;
    m.NUMSKINS = 1;
    m.NUMVERTEXES = vertices;
    m.NUMTRIANGLES = triangles;
    m.TRISTART = int32_t(sizeof m + sizeof(TGLMD3SKIN));
    m.TEXVECTORSTART = m.TRISTART + triangles * int32_t(sizeof(TGLMD3TRIANGLE));
    m.VERTEXSTART = m.TEXVECTORSTART + vertices * int32_t(sizeof(TGLMD3TEXCOORD));
    m.MESHSIZE = m.VERTEXSTART + frames * vertices * int32_t(sizeof(TVERTEX));
    put(b, m);
    put(b, TGLMD3SKIN{});
    for (int32_t t = 0; t < triangles; ++t)
        put(b, TGLMD3TRIANGLE{{t % vertices, (t + 1) % vertices, (t + 2) % vertices}});
    for (int32_t v = 0; v < vertices; ++v) put(b, TGLMD3TEXCOORD{{float(v % 64) / 64.f, float(v / 64 % 64) / 64.f}});
    for (int32_t f = 0; f < frames; ++f)
        for (int32_t v = 0; v < vertices; ++v)
            put(b, TVERTEX{{int16_t(v % 100 + f), int16_t(v / 100), int16_t(f)}, {uint8_t(v), uint8_t(f)}});
    return b;
}

}  // namespace bench
