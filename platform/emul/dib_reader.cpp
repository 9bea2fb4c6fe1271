#include "platform/emul/dib_reader.h"

#include <algorithm>
#include <cstring>

#include "platform/host/host.h"

namespace win32 {
namespace {

constexpr uint16_t kSignature = 0x4D42;  // "BM"
constexpr size_t kFileHeader = 14;
constexpr uint32_t kCoreHeader = 12, kInfoHeader = 40, kV3Header = 56, kOs2Header = 64;  // V3 adds alpha's mask
constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3;
constexpr int64_t kMaxSide = 32768;
constexpr int64_t kMaxRlePixels = int64_t(1) << 24;
constexpr uint32_t kTableSize = 256;  // entries SDL gave every palette picture, whatever its depth

// Little-endian fields; bytes past the end read as 0, as a short read into a cleared field leaves them.
struct File {
    const uint8_t* p;
    size_t n;
    uint32_t u8(size_t at) const { return at < n ? p[at] : 0; }
    uint32_t u16(size_t at) const { return u8(at) | u8(at + 1) << 8; }
    uint32_t u32(size_t at) const { return u16(at) | u16(at + 2) << 16; }
};

// ---- the kinds every picture here is: rows as stored, or their bytes reordered ------------------

// The file byte (0..3) a whole-byte channel mask selects.
bool mask_byte(uint32_t mask, int& byte) {
    for (byte = 0; byte < 4; ++byte)
        if (mask == 0xFFu << (8 * byte)) return true;
    return false;
}

// 24 and 32 bits in BI_RGB, and 32 bits in BI_BITFIELDS with a whole byte for each channel: no alpha
// mask means opaque, BI_RGB keeps the fourth byte. False for every other kind.
bool read_direct(const File& f, const DibHeader& h, DibPicture& out) {
    if ((h.bits != 24 && h.bits != 32) || h.header_size < kInfoHeader) return false;
    int order[4] = {0, 1, 2, 3};  // the file byte of blue, green, red and alpha
    bool opaque = false;
    if (h.compression == kBitfields) {
        // Red, green, blue (, alpha) masks: after a 40-byte header, or inside the longer ones.
        const size_t at = kFileHeader + kInfoHeader;
        const size_t count = h.header_size == kInfoHeader ? 3 : 4;
        const bool known = h.header_size == kInfoHeader || h.header_size == kV3Header || h.header_size == 108 ||
                           h.header_size == 124;  // and V4, V5
        if (h.bits != 32 || !known || f.n < at + 4 * count) return false;
        const uint32_t masks[4] = {f.u32(at), f.u32(at + 4), f.u32(at + 8), count == 4 ? f.u32(at + 12) : 0};
        int r, g, b, a = -1;
        if (!mask_byte(masks[0], r) || !mask_byte(masks[1], g) || !mask_byte(masks[2], b)) return false;
        if (masks[3] != 0 && !mask_byte(masks[3], a)) return false;
        if (r == g || g == b || r == b || a == r || a == g || a == b) return false;
        opaque = a < 0;
        order[0] = b, order[1] = g, order[2] = r, order[3] = opaque ? 6 - r - g - b : a;
    } else if (h.compression != kRgb) {
        return false;
    }
    out.width = int(h.width);
    out.height = int(h.height);
    out.bits = h.bits;
    out.stride = int(host::DibStride(out.width, out.bits));
    const size_t stride = size_t(out.stride), rows = size_t(out.height);
    const uint8_t* bits = f.p + h.bits_offset;  // ReadDibHeader checked that every row is there
    const bool as_is = order[0] == 0 && order[1] == 1 && order[2] == 2 && !opaque;
    if (as_is && !h.top_down) {
        out.rows.assign(bits, bits + stride * rows);
        return true;
    }
    out.rows.resize(stride * rows);
    for (size_t y = 0; y < rows; ++y) {
        const uint8_t* src = bits + (h.top_down ? rows - 1 - y : y) * stride;  // y counts bottom-up
        uint8_t* dst = &out.rows[y * stride];
        if (as_is) {
            std::memcpy(dst, src, stride);
            continue;
        }
        for (size_t x = 0; x < size_t(out.width); ++x, src += 4, dst += 4) {
            dst[0] = src[order[0]];
            dst[1] = src[order[1]];
            dst[2] = src[order[2]];
            dst[3] = opaque ? 0xFF : src[order[3]];
        }
    }
    return true;
}

// ---- every other kind, decoded as SDL2's BMP reader did for the SDL backend ----------------------
// First into an SDL-like surface (top-down rows of `pitch` bytes in one of SDL's pixel formats), then
// converted as SDL_ConvertSurfaceFormat did, with its rounding.

struct Format {
    int bytes = 0;  // a pixel; 0 for none
    bool indexed = false;
    uint32_t r = 0, g = 0, b = 0, a = 0;
    bool green_565 = false;  // SDL's own converter for RGB565 rounds green its own way
};

Format packed(int bytes, uint32_t r, uint32_t g, uint32_t b, uint32_t a) {
    Format f;
    f.bytes = bytes;
    f.r = r, f.g = g, f.b = b, f.a = a;
    return f;
}

// The pixel format SDL gave a depth and masks: its masks, not the file's.
Format surface_format(int depth, uint32_t r, uint32_t g, uint32_t b, uint32_t a) {
    static const uint32_t k16[][4] = {
        {0x7C00, 0x03E0, 0x001F, 0},      {0x001F, 0x03E0, 0x7C00, 0},      {0x0F00, 0x00F0, 0x000F, 0xF000},
        {0xF000, 0x0F00, 0x00F0, 0x000F}, {0x000F, 0x00F0, 0x0F00, 0xF000}, {0x00F0, 0x0F00, 0xF000, 0x000F},
        {0x7C00, 0x03E0, 0x001F, 0x8000}, {0xF800, 0x07C0, 0x003E, 0x0001}, {0x001F, 0x03E0, 0x7C00, 0x8000},
        {0x003E, 0x07C0, 0xF800, 0x0001}, {0xF800, 0x07E0, 0x001F, 0},      {0x001F, 0x07E0, 0xF800, 0}};
    static const uint32_t k32[][4] = {
        {0x00FF0000, 0x0000FF00, 0x000000FF, 0},          {0xFF000000, 0x00FF0000, 0x0000FF00, 0},
        {0x000000FF, 0x0000FF00, 0x00FF0000, 0},          {0x0000FF00, 0x00FF0000, 0xFF000000, 0},
        {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}, {0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF},
        {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000}, {0x0000FF00, 0x00FF0000, 0xFF000000, 0x000000FF},
        {0x3FF00000, 0x000FFC00, 0x000003FF, 0xC0000000}};
    const auto is = [&](const uint32_t m[4]) { return r == m[0] && g == m[1] && b == m[2] && a == m[3]; };
    switch (depth) {
    case 8:
        if (r == 0) {
            Format f;
            f.bytes = 1;
            f.indexed = true;
            return f;
        }
        if (r == 0xE0 && g == 0x1C && b == 0x03 && a == 0) return packed(1, r, g, b, a);
        return {};
    case 12:
        if (r == 0 || (r == 0x0F00 && g == 0x00F0 && b == 0x000F && a == 0))
            return packed(2, 0x0F00, 0x00F0, 0x000F, 0);
        if (r == 0x000F && g == 0x00F0 && b == 0x0F00 && a == 0) return packed(2, r, g, b, a);
        return {};
    case 15:
    case 16:
        if (r == 0) {
            if (depth == 15) return packed(2, 0x7C00, 0x03E0, 0x001F, 0);
            Format f = packed(2, 0xF800, 0x07E0, 0x001F, 0);
            f.green_565 = true;
            return f;
        }
        for (const auto& m : k16)
            if (is(m)) {
                Format f = packed(2, r, g, b, a);
                f.green_565 = r == 0xF800 && g == 0x07E0;
                return f;
            }
        return {};
    case 24:
        if (r == 0 || r == 0x00FF0000) return packed(3, 0x00FF0000, 0x0000FF00, 0x000000FF, 0);
        if (r == 0x000000FF) return packed(3, 0x000000FF, 0x0000FF00, 0x00FF0000, 0);
        return {};
    case 32:
        if (r == 0) return packed(4, 0x00FF0000, 0x0000FF00, 0x000000FF, 0);
        for (const auto& m : k32)
            if (is(m)) return packed(4, r, g, b, a);
        return {};
    default: return {};
    }
}

// One channel widened to 8 bits: fewer bits spread over 0..255 rounding down, more keep their top 8.
uint32_t channel(uint32_t pixel, uint32_t mask) {
    int shift = 0, bits = 0;
    while (!(mask >> shift & 1)) ++shift;
    while (shift + bits < 32 && mask >> (shift + bits) & 1) ++bits;
    const uint32_t v = (pixel & mask) >> shift;
    return bits >= 8 ? v >> (bits - 8) : v * 255 / (mask >> shift);
}

struct Surface {
    Format format;
    int64_t pitch = 0;
    std::vector<uint8_t> pixels;  // top-down
    std::vector<RgbQuad> palette;
};

// Run-length coded rows, from the bottom row up; escapes move, end a row, or end the picture, which
// must be reached. Pixels that land outside the surface are dropped.
bool read_rle(const File& f, size_t at, bool rle8, Surface& s) {
    const int64_t end = int64_t(s.pixels.size());
    int64_t row = end - s.pitch;
    int32_t ofs = 0;
    const auto put = [&](uint32_t v) {
        const int64_t spot = row + ofs;
        ofs = int32_t(uint32_t(ofs) + 1);
        if (spot >= 0 && spot < end) s.pixels[size_t(spot)] = uint8_t(v);
    };
    const auto next = [&](uint32_t& v) { return at < f.n ? (v = f.p[at++], true) : false; };
    for (;;) {
        uint32_t count = 0, v = 0;
        if (!next(count)) return false;
        if (count) {
            if (!next(v)) return false;
            for (uint32_t i = 0; i < count; ++i) put(rle8 ? v : i % 2 ? v & 0x0F : v >> 4);
            continue;
        }
        if (!next(count)) return false;
        if (count == 0) {  // end of a row
            ofs = 0;
            row -= s.pitch;
        } else if (count == 1) {  // end of the picture
            return true;
        } else if (count == 2) {  // a move right and up
            uint32_t dx, dy;
            if (!next(dx)) return false;
            ofs = int32_t(uint32_t(ofs) + dx);
            if (!next(dy)) return false;
            row -= int64_t(dy) * s.pitch;
        } else {  // `count` pixels as they are, padded to an even number of bytes
            const uint32_t stored = rle8 ? count : (count + 1) / 2;
            for (uint32_t i = 0; i < count; ++i) {
                if ((rle8 || i % 2 == 0) && !next(v)) return false;
                put(rle8 ? v : i % 2 ? v & 0x0F : v >> 4);
            }
            if (stored % 2 && !next(v)) return false;
        }
    }
}

const char* read_surface(const File& f, const DibHeader& h, Surface& s) {
    uint32_t r = 0, g = 0, b = 0, a = 0;
    if (h.compression == kBitfields && h.header_size >= kInfoHeader && h.header_size != kOs2Header) {
        const size_t at = kFileHeader + kInfoHeader;
        r = f.u32(at), g = f.u32(at + 4), b = f.u32(at + 8);
        if (h.header_size >= kV3Header) a = f.u32(at + 12);
    }
    int depth = h.bits;
    const int packed_bits = depth == 1 || depth == 2 || depth == 4 ? depth : 0;  // widened to 8 bits
    if (packed_bits) depth = 8;
    if (depth == 3 || depth == 5 || depth == 6 || depth == 7) return "unsupported bits per pixel";
    if (h.compression == kRgb) {
        if (depth == 15 || depth == 16) r = 0x7C00, g = 0x03E0, b = 0x001F;
        if (depth == 24) r = 0x00FF0000, g = 0x0000FF00, b = 0x000000FF;
        if (depth == 32) r = 0x00FF0000, g = 0x0000FF00, b = 0x000000FF, a = 0xFF000000;
    }
    s.format = surface_format(depth, r, g, b, a);
    if (!s.format.bytes) return "unsupported pixel format";
    s.pitch = (h.width * s.format.bytes + 3) / 4 * 4;
    const int64_t height = h.height;

    // The table: up to 256 entries after the info header (3 bytes each after a core one); entries past
    // the end of the file stay white.
    uint32_t used = h.colours_used;
    if (s.format.indexed) {
        if (used == 0 || used > kTableSize) used = kTableSize;
        const size_t entry = h.header_size == kCoreHeader ? 3 : 4;
        size_t at = kFileHeader + size_t(h.header_size);
        s.palette.assign(used, RgbQuad{0xFF, 0xFF, 0xFF, 0});
        for (RgbQuad& c : s.palette) {
            if (at < f.n) c.blue = f.p[at];
            if (at + 1 < f.n) c.green = f.p[at + 1];
            if (at + 2 < f.n) c.red = f.p[at + 2];
            at += entry;
        }
    }

    const size_t start = h.bits_offset < f.n ? h.bits_offset : f.n;
    if (h.compression == kRle8 || h.compression == kRle4) {
        s.pixels.assign(size_t(s.pitch * height), 0);
        return read_rle(f, start, h.compression == kRle8, s) ? nullptr : "the run-length data ends early";
    }
    const int64_t stored = packed_bits ? host::DibStride(h.width, packed_bits) : s.pitch;
    if (stored * height > int64_t(f.n - start)) return "the rows run past the end";
    s.pixels.assign(size_t(s.pitch * height), 0);
    for (int64_t i = 0; i < height; ++i) {
        const uint8_t* src = f.p + start + size_t(i * stored);
        uint8_t* dst = &s.pixels[size_t((h.top_down ? i : height - 1 - i) * s.pitch)];
        if (!packed_bits) {
            std::memcpy(dst, src, size_t(s.pitch));
            if (s.format.indexed && used < kTableSize)
                for (int64_t x = 0; x < h.width; ++x)
                    if (dst[x] >= used) return "a pixel's index is outside the colour table";
            continue;
        }
        const int per_byte = 8 / packed_bits;
        for (int64_t x = 0; x < h.width; ++x) {
            const int shift = 8 - packed_bits * (1 + int(x % per_byte));
            dst[x] = uint8_t(src[x / per_byte] >> shift & ((1u << packed_bits) - 1));
            if (dst[x] >= used) return "a pixel's index is outside the colour table";
        }
    }
    return nullptr;
}

// The surface as DIB rows: palette pictures as indices with the file's own number of colours; the
// rest as 32 bits (24 for a 24-bit file), channels widened, no alpha mask meaning opaque.
void from_surface(const File& f, const DibHeader& h, const Surface& s, DibPicture& out) {
    out.width = int(h.width);
    out.height = int(h.height);
    const size_t rows = size_t(out.height), width = size_t(out.width);
    if (h.bits <= 8 && s.format.indexed) {
        const int64_t most = int64_t(1) << h.bits;
        const int64_t colours = h.colours_used == 0 || h.colours_used > most ? most : h.colours_used;
        out.colours.assign(s.palette.begin(),
                           s.palette.begin() + std::min<int64_t>(colours, int64_t(s.palette.size())));
        out.bits = 8;
    } else {
        out.bits = h.bits == 24 ? 24 : 32;
    }
    out.stride = int(host::DibStride(out.width, out.bits));
    const size_t stride = size_t(out.stride), step = size_t(s.format.bytes), out_step = size_t(out.bits / 8);
    out.rows.assign(stride * rows, 0);
    for (size_t y = 0; y < rows; ++y) {
        const uint8_t* src = &s.pixels[(rows - 1 - y) * size_t(s.pitch)];  // y counts bottom-up
        uint8_t* dst = &out.rows[y * stride];
        if (out.bits == 8) {
            std::memcpy(dst, src, width);
            continue;
        }
        for (size_t x = 0; x < width; ++x, src += step, dst += out_step) {
            uint32_t px = 0;
            for (size_t i = 0; i < step; ++i) px |= uint32_t(src[i]) << (8 * i);
            const Format& fm = s.format;
            dst[0] = uint8_t(channel(px, fm.b));
            dst[1] = uint8_t(fm.green_565 && out.bits == 32 ? (px >> 5 & 0x3F) * 4 + (px >> 5 & 0x3F) / 24
                                                            : channel(px, fm.g));
            dst[2] = uint8_t(channel(px, fm.r));
            if (out.bits == 32) dst[3] = uint8_t(fm.a ? channel(px, fm.a) : 0xFF);
        }
    }
    // A DIB section keeps BI_RGB's fourth byte as the file has it.
    if (h.bits == 32 && h.compression == kRgb) {
        const uint8_t* bits = f.p + h.bits_offset;
        for (size_t y = 0; y < rows; ++y) {
            const uint8_t* src = bits + (h.top_down ? rows - 1 - y : y) * stride;
            uint8_t* dst = &out.rows[y * stride];
            for (size_t x = 0; x < width; ++x) dst[4 * x + 3] = src[4 * x + 3];
        }
    }
}

}  // namespace

const char* ReadDibHeader(const uint8_t* bytes, size_t size, DibHeader& out) {
    out = DibHeader{};
    const File f{bytes, bytes ? size : 0};
    if (f.n < kFileHeader + 4 || f.u16(0) != kSignature) return "not a BMP file";
    out.header_size = f.u32(kFileHeader);
    const size_t at = kFileHeader + 4;
    if (out.header_size == kCoreHeader) {  // 16-bit width and height
        if (f.n < kFileHeader + kCoreHeader) return "the info header is cut short";
        out.width = f.u16(at);
        out.height = f.u16(at + 2);
        out.bits = int(f.u16(at + 6));
    } else {
        if (out.header_size < kInfoHeader) return "an info header of an unknown size";
        if (f.n < kFileHeader + kInfoHeader) return "the info header is cut short";
        const int32_t height = int32_t(f.u32(at + 4));
        out.width = int32_t(f.u32(at));
        out.height = height < 0 ? -int64_t(height) : height;
        out.top_down = height < 0;
        out.bits = int(f.u16(at + 10));
        out.compression = f.u32(at + 12);
        out.colours_used = f.u32(at + 28);
    }
    out.bits_offset = f.u32(10);
    if (out.width <= 0 || out.height <= 0 || out.width > kMaxSide || out.height > kMaxSide)
        return "a side is outside 1..32768";
    if (out.bits <= 0 || out.bits > 32) return "unsupported bits per pixel";
    if (out.compression == kRle8 || out.compression == kRle4)
        return out.width * out.height <= kMaxRlePixels ? nullptr : "too many run-length coded pixels";
    if (out.compression != kRgb && out.compression != kBitfields) return "unsupported compression";
    if (out.bits_offset > f.n || host::DibStride(out.width, out.bits) * out.height > int64_t(f.n - out.bits_offset))
        return "the rows run past the end";
    return nullptr;
}

const char* ReadDib(const uint8_t* bytes, size_t size, DibPicture& out) {
    out = DibPicture{};
    DibHeader h;
    if (size > size_t(INT32_MAX)) return "larger than 2 GB";
    if (const char* why = ReadDibHeader(bytes, size, h)) return why;
    const File f{bytes, size};
    if (read_direct(f, h, out)) return nullptr;
    Surface s;
    if (const char* why = read_surface(f, h, s)) return why;
    from_surface(f, h, s, out);
    return nullptr;
}

}  // namespace win32
