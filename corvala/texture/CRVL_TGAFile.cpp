#include "CRVL_TGAFile.h"

#include <cstdlib>
#include <cstring>
#if defined(__x86_64__)
#include <tmmintrin.h>
#endif

#include "CRVL_TGA.h"

namespace corvala {

const TTGAHEADER UTGACOMPARE = {{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0}};
const TTGAHEADER CTGACOMPARE = {{0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0}};

namespace {

constexpr size_t kTypeBytes = sizeof(TTGAHEADER::HEADER);
constexpr size_t kSpecBytes = 6;  // width, height, bits a pixel, descriptor

#if defined(__x86_64__)
// One 16-byte shuffle does five 3-byte pixels or four 4-byte ones. With 3 bytes each store's last byte is
// the next pixel's first, which the next store writes; stopping six pixels short of the end keeps every
// load and store inside both buffers. Returns the pixels done.
__attribute__((target("ssse3"))) uint64_t swap_red_blue_ssse3(uint8_t* to, const uint8_t* from, uint64_t pixels,
                                                              uint32_t bytes_per_pixel) {
    const bool four = bytes_per_pixel == 4;
    const __m128i order = four ? _mm_setr_epi8(2, 1, 0, 3, 6, 5, 4, 7, 10, 9, 8, 11, 14, 13, 12, 15)
                               : _mm_setr_epi8(2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 14, 13, 12, 15);
    const uint64_t step = four ? 4 : 5;
    uint64_t i = 0;
    for (; i + 6 <= pixels; i += step) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + bytes_per_pixel * i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + bytes_per_pixel * i), _mm_shuffle_epi8(v, order));
    }
    return i;
}
#endif

// The file's B, G, R (, A) pixels as R, G, B (, A), in one pass from the file's bytes to the image.
void copy_swapping_red_blue(uint8_t* to, const uint8_t* from, uint64_t pixels, uint32_t bytes_per_pixel) {
    uint64_t i = 0;
#if defined(__x86_64__)
    if (__builtin_cpu_supports("ssse3")) i = swap_red_blue_ssse3(to, from, pixels, bytes_per_pixel);
#endif
    for (to += bytes_per_pixel * i, from += bytes_per_pixel * i; i < pixels; ++i) {
        to[0] = from[2];
        to[1] = from[1];
        to[2] = from[0];
        if (bytes_per_pixel == 4) to[3] = from[3];
        to += bytes_per_pixel, from += bytes_per_pixel;
    }
}

TgaRead& refuse(TgaRead& r, TgaFault fault) {
    std::free(r.pixels);
    r.pixels = nullptr;
    r.fault = fault;
    return r;
}

// Not zero-filled: both decoders write every byte before they succeed, and a refusal frees the buffer,
// so zeros would never be seen; filling them costs a pass over a buffer the size of the picture.
bool allocate(TgaRead& r, uint64_t bytes) {
    r.pixels = static_cast<uint8_t*>(std::malloc(size_t(bytes)));
    return r.pixels != nullptr;
}

TgaRead& read_uncompressed(TgaRead& r, const uint8_t* p, size_t n, uint32_t bpp) {
    const uint64_t size = uint64_t(bpp) * r.width * r.height;
    // Refused before allocating: a few bytes must not buy a 16 GB buffer.
    if (size > n) return refuse(r, TgaFault::ImageData);
    if (!allocate(r, size)) return refuse(r, TgaFault::NoMemory);
    copy_swapping_red_blue(r.pixels, p, uint64_t(r.width) * r.height, bpp);
    return r;
}

TgaRead& read_run_length(TgaRead& r, const uint8_t* p, size_t n, uint32_t bpp) {
    const uint64_t pixels = uint64_t(r.height) * r.width;
    // A packet stores at most 128 pixels and takes at least 1 + bpp bytes. When the rest of the file
    // cannot hold every pixel the decode is bound to fail; it still runs, for the fault the point of
    // failure gives, but stores nothing and allocates no image.
    if (pixels <= uint64_t(n / (1 + bpp)) * 128 && !allocate(r, pixels * bpp)) return refuse(r, TgaFault::NoMemory);
    size_t at = 0;
    uint64_t done = 0;
    const uint8_t* colour = nullptr;
    while (done < pixels) {
        if (at == n) return refuse(r, TgaFault::RleHeader);
        const uint8_t header = p[at++];
        const bool raw = header < 128;
        const int count = raw ? header + 1 : header - 127;
        for (int i = 0; i < count; ++i) {
            if (raw || i == 0) {
                if (n - at < bpp) return refuse(r, raw ? TgaFault::ImageData : TgaFault::RunPixel);
                colour = p + at;
                at += bpp;
            }
            if (done == pixels) return refuse(r, TgaFault::TooManyPixels);
            if (r.pixels) {
                uint8_t* out = r.pixels + done * bpp;
                out[0] = colour[2];
                out[1] = colour[1];
                out[2] = colour[0];
                if (bpp == 4) out[3] = colour[3];
            }
            ++done;
        }
    }
    return r;
}

}  // namespace

const char* TgaFaultText(TgaFault fault) {
    switch (fault) {
    case TgaFault::None: return "";
    case TgaFault::FileHeader: return "Could not read file header";
    case TgaFault::WrongType: return "TGA file be type 2 or type 10";
    case TgaFault::InfoHeader: return "Could not read info header";
    case TgaFault::BadSpec: return "Invalid texture information";
    case TgaFault::NoMemory: return "Could not allocate memory for image";
    case TgaFault::ImageData: return "Could not read image data";
    case TgaFault::RleHeader: return "Could not read RLE header";
    case TgaFault::RunPixel: return "Could not read from file";
    case TgaFault::TooManyPixels: return "Too many pixels read";
    }
    return "";
}

TgaRead ReadTgaBody(const uint8_t* bytes, size_t size, bool run_length, const char* file) {
    TgaRead r;
    r.file = file ? file : "";
    if (!bytes || size < kSpecBytes) return refuse(r, TgaFault::InfoHeader);
    r.width = bytes[1] * 256u + bytes[0];
    r.height = bytes[3] * 256u + bytes[2];
    r.bpp = bytes[4];
    if (r.width == 0 || r.height == 0 || (r.bpp != 24 && r.bpp != 32)) return refuse(r, TgaFault::BadSpec);
    const uint8_t* p = bytes + kSpecBytes;
    const size_t n = size - kSpecBytes;
    return run_length ? read_run_length(r, p, n, r.bpp / 8) : read_uncompressed(r, p, n, r.bpp / 8);
}

TgaRead ReadTga(const uint8_t* bytes, size_t size, const char* file) {
    TgaRead r;
    r.file = file ? file : "";
    if (!bytes || size < kTypeBytes) return refuse(r, TgaFault::FileHeader);
    const bool uncompressed = std::memcmp(bytes, UTGACOMPARE.HEADER, kTypeBytes) == 0;
    if (!uncompressed && std::memcmp(bytes, CTGACOMPARE.HEADER, kTypeBytes) != 0) return refuse(r, TgaFault::WrongType);
    return ReadTgaBody(bytes + kTypeBytes, size - kTypeBytes, !uncompressed, file);
}

}  // namespace corvala
