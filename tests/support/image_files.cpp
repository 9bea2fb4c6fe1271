#include "tests/support/image_files.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <stdexcept>

namespace testsupport {

void put_le(Bytes& out, uint64_t v, int n) {
    for (int i = 0; i < n; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

Bytes palette_bmp_headers(int width, int height, int bits, int colours, int clr_used) {
    const int stride = (width * bits + 31) / 32 * 4;
    const uint32_t offset = 14 + 40 + uint32_t(colours) * 4;
    Bytes b;
    put_le(b, 0x4D42, 2);
    put_le(b, offset + uint32_t(stride * height), 4);
    put_le(b, 0, 4);
    put_le(b, offset, 4);
    put_le(b, 40, 4);
    put_le(b, uint32_t(width), 4);
    put_le(b, uint32_t(height), 4);
    put_le(b, 1, 2);
    put_le(b, uint32_t(bits), 2);
    put_le(b, 0, 4);
    put_le(b, uint32_t(stride * height), 4);
    put_le(b, 0, 8);
    put_le(b, uint32_t(clr_used), 4);
    put_le(b, 0, 4);
    return b;
}
namespace {
void put16(Bytes& b, uint32_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
void put32(Bytes& b, uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}
}  // namespace

Bytes make_bmp(int width, int height, int bits, int header_size, const PixelFn& pixel, bool top_down) {
    const int stride = (width * bits + 31) / 32 * 4;
    const uint32_t offset = 14 + uint32_t(header_size);
    Bytes b;
    put16(b, 0x4D42);
    put32(b, offset + uint32_t(stride * height));
    put32(b, 0);
    put32(b, offset);
    const bool masks = bits == 32 && header_size > 40;
    put32(b, uint32_t(header_size));
    put32(b, uint32_t(width));
    put32(b, uint32_t(top_down ? -height : height));
    put16(b, 1);
    put16(b, uint32_t(bits));
    put32(b, masks ? 3 : 0);  // BI_BITFIELDS carries the alpha mask
    put32(b, uint32_t(stride * height));
    put32(b, 2835);
    put32(b, 2835);
    put32(b, 0);
    put32(b, 0);
    if (header_size > 40) {
        put32(b, masks ? 0x00FF0000 : 0);
        put32(b, masks ? 0x0000FF00 : 0);
        put32(b, masks ? 0x000000FF : 0);
        put32(b, masks ? 0xFF000000 : 0);
        put32(b, 0x73524742);   // 'sRGB'
        b.resize(14 + 108, 0);  // end points and gamma: unused with sRGB
        if (header_size == 124) {
            put32(b, 4);  // LCS_GM_IMAGES
            put32(b, 0);
            put32(b, 0);
            put32(b, 0);
        }
    }
    if (b.size() != offset) throw std::logic_error("bad BMP header size");
    for (int i = 0; i < height; ++i) {
        const int row = top_down ? i : height - 1 - i;
        const size_t start = b.size();
        for (int x = 0; x < width; ++x) {
            const Rgba p = pixel(x, row);
            b.push_back(p.b);
            b.push_back(p.g);
            b.push_back(p.r);
            if (bits == 32) b.push_back(p.a);
        }
        b.resize(start + size_t(stride), 0);
    }
    return b;
}

Bytes make_bmp8(int width, int height) {
    const int stride = (width + 3) / 4 * 4;
    const uint32_t offset = 14 + 40 + 256 * 4;
    Bytes b;
    put16(b, 0x4D42);
    put32(b, offset + uint32_t(stride * height));
    put32(b, 0);
    put32(b, offset);
    put32(b, 40);
    put32(b, uint32_t(width));
    put32(b, uint32_t(height));
    put16(b, 1);
    put16(b, 8);
    for (int i = 0; i < 6; ++i) put32(b, 0);
    for (int i = 0; i < 256; ++i) put32(b, uint32_t(i) * 0x010101u);
    for (int row = 0; row < height; ++row) {
        const size_t start = b.size();
        for (int x = 0; x < width; ++x) b.push_back(uint8_t(row * width + x));
        b.resize(start + size_t(stride), 0);
    }
    return b;
}

Bytes tga_header(int type, int width, int height, int bpp, int descriptor) {
    Bytes b(18, 0);
    b[2] = uint8_t(type);
    b[12] = uint8_t(width);
    b[13] = uint8_t(width >> 8);
    b[14] = uint8_t(height);
    b[15] = uint8_t(height >> 8);
    b[16] = uint8_t(bpp);
    b[17] = uint8_t(descriptor);
    return b;
}

void put_pixel(Bytes& out, Rgba p, int bpp) {
    out.push_back(p.b);
    out.push_back(p.g);
    out.push_back(p.r);
    if (bpp == 32) out.push_back(p.a);
}

Bytes make_tga(int width, int height, int bpp, const PixelFn& pixel, int descriptor) {
    Bytes b = tga_header(2, width, height, bpp, descriptor);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) put_pixel(b, pixel(x, y), bpp);
    return b;
}

void write_file(const std::string& path, const Bytes& data) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace testsupport
