// LoadImageA for BMP files, laid out as a Windows DIB section (bottom-up rows padded to 4 bytes, B, G, R (, A)
// per pixel), which is what callers index into. The kinds nearly every BMP is are decoded here; SDL decodes
// the rest (palettes, RLE, 16 bits, odd masks).
#include <SDL.h>

#include <cstring>

#include "platform/emul/backend.h"
#include "platform/emul/gdi_objects.h"

namespace win32 {
namespace {

// SDL allocates the whole surface before it reads a pixel, so the headers are checked against
// the bytes that are really there first. RLE data can legally stop early (end-of-bitmap), so
// there only a hard cap on the pixel count applies.
constexpr int64_t kMaxSide = 32768;
constexpr int64_t kMaxRlePixels = int64_t(1) << 24;

struct BmpShape {
    int64_t width = 0, height = 0;  // height made positive
    int bits = 0;
    int64_t colours = 0;  // entries of the file's colour table (palette files)
    DWORD compression = BI_RGB;
    bool top_down = false;
    size_t bits_offset = 0;
    DWORD header_size = 0;
};

bool read_shape(const uint8_t* p, size_t n, BmpShape& out) {
    if (n < sizeof(BITMAPFILEHEADER) + 4) return false;
    BITMAPFILEHEADER fh;
    std::memcpy(&fh, p, sizeof fh);
    if (fh.bfType != BMP_SIGNATURE) return false;
    DWORD& header_size = out.header_size;
    std::memcpy(&header_size, p + sizeof fh, 4);
    DWORD& compression = out.compression;
    if (header_size == 12) {  // the old core header: 16-bit width and height
        if (n < sizeof fh + 12) return false;
        uint16_t w, h, bits;
        std::memcpy(&w, p + sizeof fh + 4, 2);
        std::memcpy(&h, p + sizeof fh + 6, 2);
        std::memcpy(&bits, p + sizeof fh + 10, 2);
        out.width = w;
        out.height = h;
        out.bits = bits;
    } else {
        if (header_size < sizeof(BITMAPINFOHEADER) || n < sizeof fh + sizeof(BITMAPINFOHEADER)) return false;
        BITMAPINFOHEADER ih;
        std::memcpy(&ih, p + sizeof fh, sizeof ih);
        out.width = ih.biWidth;
        out.height = ih.biHeight < 0 ? -int64_t(ih.biHeight) : int64_t(ih.biHeight);
        out.top_down = ih.biHeight < 0;
        out.bits = ih.biBitCount;
        out.colours = ih.biClrUsed;
        compression = ih.biCompression;
    }
    // SDL widens 1- and 4-bit pictures to 8 bits and their tables to 256 entries; the file says how many it has.
    if (out.bits <= 8 && (out.colours <= 0 || out.colours > (int64_t(1) << out.bits)))
        out.colours = int64_t(1) << out.bits;
    if (out.width <= 0 || out.height <= 0 || out.width > kMaxSide || out.height > kMaxSide) return false;
    if (out.bits <= 0 || out.bits > 32) return false;
    if (compression == BI_RLE8 || compression == BI_RLE4) return out.width * out.height <= kMaxRlePixels;
    if (compression != BI_RGB && compression != BI_BITFIELDS) return false;
    out.bits_offset = fh.bfOffBits;
    return fh.bfOffBits <= n && host::DibStride(out.width, out.bits) * out.height <= int64_t(n - fh.bfOffBits);
}

// Copies a top-down surface of `bytes_per_pixel` into bottom-up padded rows.
void copy_rows(const SDL_Surface* s, int bytes_per_pixel, GdiBitmap& bmp) {
    bmp.stride = int(host::DibStride(bmp.width, bmp.bpp));
    bmp.bits.assign(size_t(bmp.stride) * size_t(bmp.height), 0);
    const auto* src = static_cast<const uint8_t*>(s->pixels);
    for (int y = 0; y < bmp.height; ++y) {
        std::memcpy(&bmp.bits[size_t(bmp.height - 1 - y) * size_t(bmp.stride)], src + size_t(y) * size_t(s->pitch),
                    size_t(bmp.width) * size_t(bytes_per_pixel));
    }
}

// SDL turns a fourth byte that is 0 in every pixel into opaque alpha; a DIB section keeps the file's
// bytes, and a picture that is transparent throughout must stay so. Only BI_RGB files carry the byte
// unmasked; a BI_BITFIELDS file says with its masks whether it has alpha at all.
void keep_file_alpha(const uint8_t* file, const BmpShape& shape, GdiBitmap& bmp) {
    const uint8_t* bits = file + shape.bits_offset;  // read_shape checked that every row is there
    for (int y = 0; y < bmp.height; ++y) {
        const int file_row = shape.top_down ? bmp.height - 1 - y : y;  // y counts bottom-up, like the DIB
        const uint8_t* src = bits + size_t(file_row) * size_t(bmp.stride);
        uint8_t* dst = &bmp.bits[size_t(y) * size_t(bmp.stride)];
        for (int x = 0; x < bmp.width; ++x) dst[4 * x + 3] = src[4 * x + 3];
    }
}

// The file byte (0..3) a whole-byte channel mask selects.
bool mask_byte(uint32_t mask, int& byte) {
    for (byte = 0; byte < 4; ++byte)
        if (mask == 0xFFu << (8 * byte)) return true;
    return false;
}

// 24 and 32 bits in BI_RGB, and 32 bits in BI_BITFIELDS with a whole byte for each channel, give what SDL
// gives: rows as they are, or their bytes reordered; no alpha mask means opaque, BI_RGB keeps the fourth
// byte. False for every other kind, which SDL then decodes.
bool decode_direct(const uint8_t* p, size_t n, const BmpShape& shape, GdiBitmap& bmp) {
    if ((shape.bits != 24 && shape.bits != 32) || shape.header_size < sizeof(BITMAPINFOHEADER)) return false;
    int order[4] = {0, 1, 2, 3};  // the file byte of blue, green, red and alpha
    bool opaque = false;
    if (shape.compression == BI_BITFIELDS) {
        // Red, green, blue (, alpha) masks: after a 40-byte header, or inside the longer ones.
        const size_t at = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
        const size_t count = shape.header_size == 40 ? 3 : 4;
        const bool known =
            shape.header_size == 40 || shape.header_size == 56 || shape.header_size == 108 || shape.header_size == 124;
        if (shape.bits != 32 || !known || n < at + 4 * count) return false;
        uint32_t masks[4] = {0, 0, 0, 0};
        std::memcpy(masks, p + at, 4 * count);
        int r, g, b, a = -1;
        if (!mask_byte(masks[0], r) || !mask_byte(masks[1], g) || !mask_byte(masks[2], b)) return false;
        if (masks[3] != 0 && !mask_byte(masks[3], a)) return false;
        if (r == g || g == b || r == b || a == r || a == g || a == b) return false;
        opaque = a < 0;
        order[0] = b, order[1] = g, order[2] = r, order[3] = opaque ? 6 - r - g - b : a;
    } else if (shape.compression != BI_RGB) {
        return false;
    }
    bmp.width = int(shape.width);
    bmp.height = int(shape.height);
    bmp.bpp = shape.bits;
    bmp.stride = int(host::DibStride(bmp.width, bmp.bpp));
    const size_t stride = size_t(bmp.stride), rows = size_t(bmp.height);
    const uint8_t* bits = p + shape.bits_offset;  // read_shape checked that every row is there
    const bool as_is = order[0] == 0 && order[1] == 1 && order[2] == 2 && !opaque;
    if (as_is && !shape.top_down) {
        bmp.bits.assign(bits, bits + stride * rows);
        return true;
    }
    bmp.bits.resize(stride * rows);
    for (size_t y = 0; y < rows; ++y) {
        const uint8_t* src = bits + (shape.top_down ? rows - 1 - y : y) * stride;  // y counts bottom-up
        uint8_t* dst = &bmp.bits[y * stride];
        if (as_is) {
            std::memcpy(dst, src, stride);
            continue;
        }
        for (size_t x = 0; x < size_t(bmp.width); ++x, src += 4, dst += 4) {
            dst[0] = src[order[0]];
            dst[1] = src[order[1]];
            dst[2] = src[order[2]];
            dst[3] = opaque ? 0xFF : src[order[3]];
        }
    }
    return true;
}

bool fill_from_surface(SDL_Surface* s, const uint8_t* file, const BmpShape& shape, GdiBitmap& bmp) {
    const int file_bits = shape.bits;
    bmp.width = s->w;
    bmp.height = s->h;
    if (file_bits <= 8 && s->format->palette && s->format->BitsPerPixel == 8) {
        bmp.bpp = 8;
        for (int i = 0; i < s->format->palette->ncolors && i < shape.colours; ++i) {
            const SDL_Color c = s->format->palette->colors[i];
            bmp.colors.push_back({c.b, c.g, c.r, 0});
        }
        copy_rows(s, 1, bmp);
        return true;
    }
    bmp.bpp = file_bits == 24 ? 24 : 32;
    SDL_Surface* conv = SDL_ConvertSurfaceFormat(s, bmp.bpp == 24 ? SDL_PIXELFORMAT_BGR24 : SDL_PIXELFORMAT_BGRA32, 0);
    if (!conv) return false;
    copy_rows(conv, bmp.bpp / 8, bmp);
    SDL_FreeSurface(conv);
    if (file_bits == 32 && shape.compression == BI_RGB) keep_file_alpha(file, shape, bmp);
    return true;
}

}  // namespace

HBITMAP LoadBitmapFromMemory(const void* bytes, size_t size) {
    BmpShape shape;
    if (!bytes || size > size_t(INT32_MAX) || !read_shape(static_cast<const uint8_t*>(bytes), size, shape))
        return nullptr;
    auto direct = std::make_unique<GdiBitmap>();
    if (decode_direct(static_cast<const uint8_t*>(bytes), size, shape, *direct))
        return static_cast<HBITMAP>(gdi_register(std::move(direct)));
    SDL_RWops* rw = SDL_RWFromConstMem(bytes, int(size));
    if (!rw) return nullptr;
    SDL_Surface* s = SDL_LoadBMP_RW(rw, 1);
    if (!s) return nullptr;
    auto bmp = std::make_unique<GdiBitmap>();
    const bool ok = s->w == shape.width && s->h == shape.height &&
                    fill_from_surface(s, static_cast<const uint8_t*>(bytes), shape, *bmp);
    SDL_FreeSurface(s);
    return ok ? static_cast<HBITMAP>(gdi_register(std::move(bmp))) : nullptr;
}

HANDLE LoadImageA(HINSTANCE, LPCSTR name, UINT type, int cx, int cy, UINT flags) {
    // Stretching on load and loading from resources are not needed by anyone here.
    if (type != IMAGE_BITMAP || !(flags & LR_LOADFROMFILE) || cx != 0 || cy != 0 || !name) return nullptr;
    std::vector<uint8_t> data;
    return host::ReadWholeFile(name, data) ? LoadBitmapFromMemory(data.data(), data.size()) : nullptr;
}

}  // namespace win32
