#include "tools/assetgen/formats.h"

#include <array>
#include <stdexcept>

namespace assetgen {

namespace {

using Pixel = std::array<uint8_t, 4>;  // B, G, R, A as they go to disk

Pixel bgra(const Color& c) { return Pixel{Image::byte(c.b), Image::byte(c.g), Image::byte(c.r), Image::byte(c.a)}; }

void put(Bytes& out, const Pixel& p, int bytes_per_pixel) {
    for (int i = 0; i < bytes_per_pixel; ++i) out.u8(p[i]);
}

bool same(const Pixel& a, const Pixel& b, int bytes_per_pixel) {
    for (int i = 0; i < bytes_per_pixel; ++i)
        if (a[i] != b[i]) return false;
    return true;
}

// Packets stay within a row so that strict readers accept the file too.
void encode_row(Bytes& out, const std::vector<Pixel>& row, int bpp) {
    size_t i = 0;
    const size_t n = row.size();
    while (i < n) {
        size_t run = 1;
        while (i + run < n && run < 128 && same(row[i + run], row[i], bpp)) ++run;
        if (run >= 2) {
            out.u8(static_cast<uint32_t>(0x80 | (run - 1)));
            put(out, row[i], bpp);
            i += run;
            continue;
        }
        size_t raw = 1;
        while (i + raw < n && raw < 128 && !(i + raw + 1 < n && same(row[i + raw], row[i + raw + 1], bpp))) ++raw;
        out.u8(static_cast<uint32_t>(raw - 1));
        for (size_t k = 0; k < raw; ++k) put(out, row[i + k], bpp);
        i += raw;
    }
}

}  // namespace

Bytes tga(const Image& img, TgaKind kind, int bits) {
    if (bits != 24 && bits != 32) throw std::invalid_argument("TGA needs 24 or 32 bits");
    const int bpp = bits / 8;
    Bytes out;
    out.u8(0);  // no identification field
    out.u8(0);  // no colour map
    out.u8(static_cast<uint32_t>(kind));
    for (int i = 0; i < 5; ++i) out.u8(0);  // colour-map fields
    out.u16(0);                             // x origin
    out.u16(0);                             // y origin
    out.u16(static_cast<uint32_t>(img.width));
    out.u16(static_cast<uint32_t>(img.height));
    out.u8(static_cast<uint32_t>(bits));
    out.u8(bits == 32 ? 8 : 0);  // alpha bits; origin bottom-left
    for (int y = img.height - 1; y >= 0; --y) {
        std::vector<Pixel> row;
        row.reserve(img.width);
        for (int x = 0; x < img.width; ++x) row.push_back(bgra(img.at(x, y)));
        if (kind == TgaKind::RunLength) {
            encode_row(out, row, bpp);
        } else {
            for (const Pixel& p : row) put(out, p, bpp);
        }
    }
    return out;
}

Bytes bmp24(const Image& img) {
    const uint32_t stride = (static_cast<uint32_t>(img.width) * 3 + 3) & ~3u;
    const uint32_t pixel_bytes = stride * static_cast<uint32_t>(img.height);
    Bytes out;
    out.u8('B');
    out.u8('M');
    out.u32(14 + 40 + pixel_bytes);
    out.u32(0);
    out.u32(14 + 40);
    out.u32(40);
    out.i32(img.width);
    out.i32(img.height);  // positive: bottom-up
    out.u16(1);
    out.u16(24);
    out.u32(0);  // BI_RGB
    out.u32(pixel_bytes);
    out.i32(2835);  // 72 dpi
    out.i32(2835);
    out.u32(0);
    out.u32(0);
    for (int y = img.height - 1; y >= 0; --y) {
        uint32_t written = 0;
        for (int x = 0; x < img.width; ++x) {
            put(out, bgra(img.at(x, y)), 3);
            written += 3;
        }
        for (; written < stride; ++written) out.u8(0);
    }
    return out;
}

Bytes ico(const std::vector<Image>& sizes) {
    Bytes out;
    out.u16(0);
    out.u16(1);  // icon
    out.u16(static_cast<uint32_t>(sizes.size()));
    std::vector<Bytes> bodies;
    for (const Image& img : sizes) {
        if (img.width > 256 || img.height > 256) throw std::invalid_argument("icon picture too large");
        Bytes body;
        const uint32_t mask_stride = ((static_cast<uint32_t>(img.width) + 31) / 32) * 4;
        const uint32_t xor_bytes = static_cast<uint32_t>(img.width * img.height * 4);
        const uint32_t and_bytes = mask_stride * static_cast<uint32_t>(img.height);
        body.u32(40);
        body.i32(img.width);
        body.i32(img.height * 2);  // colour rows and mask rows together
        body.u16(1);
        body.u16(32);
        body.u32(0);
        body.u32(xor_bytes + and_bytes);
        body.i32(0);
        body.i32(0);
        body.u32(0);
        body.u32(0);
        for (int y = img.height - 1; y >= 0; --y)
            for (int x = 0; x < img.width; ++x) put(body, bgra(img.at(x, y)), 4);
        for (int y = img.height - 1; y >= 0; --y) {
            std::vector<uint8_t> row(mask_stride, 0);
            for (int x = 0; x < img.width; ++x)
                if (Image::byte(img.at(x, y).a) == 0) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
            for (uint8_t b : row) body.u8(b);
        }
        bodies.push_back(body);
    }
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(sizes.size());
    for (size_t i = 0; i < sizes.size(); ++i) {
        out.u8(sizes[i].width == 256 ? 0 : static_cast<uint32_t>(sizes[i].width));
        out.u8(sizes[i].height == 256 ? 0 : static_cast<uint32_t>(sizes[i].height));
        out.u8(0);  // no palette
        out.u8(0);
        out.u16(1);   // planes
        out.u16(32);  // bits per pixel
        out.u32(static_cast<uint32_t>(bodies[i].size()));
        out.u32(offset);
        offset += static_cast<uint32_t>(bodies[i].size());
    }
    for (const Bytes& b : bodies) out.append(b);
    return out;
}

}  // namespace assetgen
