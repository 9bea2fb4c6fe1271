#include "texture/CRVL_TGA.h"

#include <cstdlib>
#include <cstring>
#if defined(__x86_64__)
#include <tmmintrin.h>
#endif

#include "platform/gl/gl.h"
#include "platform/host/host.h"
#include "platform/win32.h"
#include "render/CRVL_Render.h"
#include "texture/CRVL_Texture.h"

namespace corvala {

using namespace win32;

TGATEXTURE TEXTURETGA2[TEXTURETGA2_LAST + 1];
TTGAHEADER TGAHEADER;
TTGA TGA;
TgaReader FTGA;
const TTGAHEADER UTGACOMPARE = {{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0}};
const TTGAHEADER CTGACOMPARE = {{0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0}};

bool TgaReader::open_file(const char* path, bool* no_file) {
    close();
    // A file that cannot be read whole (a folder, an I/O error, too large) counts as one that would not open.
    if (!host::ReadWholeFile(path, file_bytes, no_file)) {
        close();
        return false;
    }
    attach(file_bytes.data(), file_bytes.size());
    return true;
}

void TgaReader::attach(const uint8_t* bytes, size_t n) {
    data = bytes;
    size = bytes ? n : 0;
    pos = 0;
    open = true;
}

size_t TgaReader::read(void* dst, size_t n) {
    const size_t got = n < remaining() ? n : remaining();
    if (got) std::memcpy(dst, data + pos, got);
    pos += got;
    return got;
}

void TgaReader::close() {
    data = nullptr;
    size = pos = 0;
    open = false;
    file_bytes.clear();
    file_bytes.shrink_to_fit();
}

namespace {

void check_slot(int32_t NUM) {
    if (NUM < 0 || NUM > TEXTURETGA2_LAST) slot_range_error("TGA", NUM, TEXTURETGA2_LAST);
}

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

const char* g_loading = "";  // the file being loaded, for LastLoadError

void message(const char* text, const char* caption = "ERROR") {
    note_load_failure(g_loading, text);
    win32::MessageBoxA(nullptr, text, caption, MB_OK);
}

// Every decoder failure: the message, then what the decoder allocated goes.
bool fail(TGATEXTURE& TEXTURE, const char* text, uint8_t* COLORBUFFER = nullptr) {
    message(text);
    std::free(TEXTURE.IMAGEDATA);
    TEXTURE.IMAGEDATA = nullptr;
    std::free(COLORBUFFER);
    return false;
}

// Reads and checks bytes 12..17; true when the image is one the decoders take.
bool read_image_spec(TGATEXTURE& TEXTURE) {
    TEXTURE.IMAGEDATA = nullptr;
    if (FTGA.read(TGA.HEADER, 6) < 6) return fail(TEXTURE, "Could not read info header");
    TEXTURE.WIDTH = TGA.HEADER[1] * 256u + TGA.HEADER[0];
    TEXTURE.HEIGHT = TGA.HEADER[3] * 256u + TGA.HEADER[2];
    TEXTURE.BPP = TGA.HEADER[4];
    TGA.WIDTH = TEXTURE.WIDTH;
    TGA.HEIGH = TEXTURE.HEIGHT;
    TGA.BPP = TEXTURE.BPP;
    if (TEXTURE.WIDTH == 0 || TEXTURE.HEIGHT == 0 || (TEXTURE.BPP != 24 && TEXTURE.BPP != 32))
        return fail(TEXTURE, "Invalid texture information");
    TEXTURE.TYP = TEXTURE.BPP == 24 ? GL_RGB : GL_RGBA;
    TGA.BYTESPERPIXEL = TGA.BPP / 8;
    TGA.IMAGESIZE = uint64_t(TGA.BYTESPERPIXEL) * TGA.WIDTH * TGA.HEIGH;
    return true;
}

// Not zero-filled: both decoders write every byte before they succeed, and a failure frees the buffer, so
// zeros would never be seen; filling them costs a pass over a buffer the size of the picture.
bool allocate_image(TGATEXTURE& TEXTURE) {
    TEXTURE.IMAGEDATA = static_cast<uint8_t*>(std::malloc(size_t(TGA.IMAGESIZE)));
    return TEXTURE.IMAGEDATA != nullptr || fail(TEXTURE, "Could not allocate memory for image");
}

// Steps 2 to 4 of LOADTGA, on whatever FTGA holds.
bool load_opened(TGATEXTURE& TEXTURE, const char* FILENAME) {
    if (FTGA.read(TGAHEADER.HEADER, 12) < 12) {
        message("Could not read file header");
        FTGA.close();
        return false;
    }
    bool ok;
    if (std::memcmp(TGAHEADER.HEADER, UTGACOMPARE.HEADER, 12) == 0) {
        ok = LOADUNCOMPRESSEDTGA(TEXTURE, FILENAME);
    } else if (std::memcmp(TGAHEADER.HEADER, CTGACOMPARE.HEADER, 12) == 0) {
        ok = LOADCOMPRESSEDTGA(TEXTURE, FILENAME);
    } else {
        message("TGA file be type 2 or type 10", "Invalid Image");
        FTGA.close();
        return false;
    }
    if (!ok) FTGA.close();
    return ok;
}

}  // namespace

bool LOADUNCOMPRESSEDTGA(TGATEXTURE& TEXTURE, const char*) {
    if (!read_image_spec(TEXTURE)) return false;
    // Refused before allocating: a few bytes must not buy a 16 GB buffer.
    if (TGA.IMAGESIZE > FTGA.remaining()) return fail(TEXTURE, "Could not read image data");
    if (!allocate_image(TEXTURE)) return false;
    copy_swapping_red_blue(TEXTURE.IMAGEDATA, FTGA.data + FTGA.pos, uint64_t(TGA.WIDTH) * TGA.HEIGH, TGA.BYTESPERPIXEL);
    FTGA.pos += size_t(TGA.IMAGESIZE);
    FTGA.close();
    return true;
}

bool LOADCOMPRESSEDTGA(TGATEXTURE& TEXTURE, const char*) {
    if (!read_image_spec(TEXTURE)) return false;
    const uint64_t PIXELCOUNT = uint64_t(TGA.HEIGH) * TGA.WIDTH;
    const uint32_t bpp = TGA.BYTESPERPIXEL;
    // A packet stores at most 128 pixels and takes at least 1 + bpp bytes. When the rest of the
    // file cannot hold PIXELCOUNT pixels the decode is bound to fail; it still runs, for the
    // message the point of failure gives, but stores nothing and allocates no image.
    const bool can_fit = PIXELCOUNT <= uint64_t(FTGA.remaining() / (1 + bpp)) * 128;
    if (can_fit && !allocate_image(TEXTURE)) return false;
    uint64_t CURRENTPIXEL = 0;
    uint64_t CURRENTBYTE = 0;
    auto* COLORBUFFER = static_cast<uint8_t*>(std::malloc(bpp));
    if (!COLORBUFFER) return fail(TEXTURE, "Could not allocate memory for color buffer");
    while (CURRENTPIXEL < PIXELCOUNT) {
        uint8_t CHUNKHEADER;
        if (FTGA.read(&CHUNKHEADER, 1) < 1) return fail(TEXTURE, "Could not read RLE header", COLORBUFFER);
        const bool raw = CHUNKHEADER < 128;
        const int count = raw ? CHUNKHEADER + 1 : CHUNKHEADER - 127;
        for (int i = 0; i < count; ++i) {
            if ((raw || i == 0) && FTGA.read(COLORBUFFER, bpp) < bpp)
                return fail(TEXTURE, raw ? "Could not read image data" : "Could not read from file", COLORBUFFER);
            if (CURRENTPIXEL == PIXELCOUNT) return fail(TEXTURE, "Too many pixels read", COLORBUFFER);
            if (TEXTURE.IMAGEDATA) {
                uint8_t* out = TEXTURE.IMAGEDATA + CURRENTBYTE;
                out[0] = COLORBUFFER[2];
                out[1] = COLORBUFFER[1];
                out[2] = COLORBUFFER[0];
                if (bpp == 4) out[3] = COLORBUFFER[3];
            }
            CURRENTBYTE += bpp;
            ++CURRENTPIXEL;
        }
    }
    std::free(COLORBUFFER);
    FTGA.close();
    return true;
}

bool LOADTGA(TGATEXTURE& TEXTURE, const char* FILENAME) {
    g_loading = FILENAME ? FILENAME : "";
    if (!FTGA.open_file(FILENAME)) {
        message("Could not open texture file");
        return false;
    }
    return load_opened(TEXTURE, FILENAME);
}

bool load_tga_from_memory(TGATEXTURE& TEXTURE, const uint8_t* data, size_t size) {
    g_loading = "(bytes in memory)";
    FTGA.close();
    FTGA.attach(data, size);
    return load_opened(TEXTURE, "");
}

void upload_tga_texture(TGATEXTURE& T) {
    glEnable(GL_TEXTURE_2D);
    glGenTextures(1, &T.TEXID);
    glBindTexture(GL_TEXTURE_2D, T.TEXID);
    // The decoded rows are tightly packed; GL's default alignment of 4 would read past the end
    // of the buffer when a row is not a multiple of 4 bytes long.
    const bool packed_rows = (T.WIDTH * (T.BPP / 8)) % 4 != 0;
    if (packed_rows) glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GLint(T.BPP / 8), GLsizei(T.WIDTH), GLsizei(T.HEIGHT), 0, T.TYP, GL_UNSIGNED_BYTE,
                 T.IMAGEDATA);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_MIN_FILTER);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_MAG_FILTER);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    // ADDMIPMAPSTEXTURE reads 32-bit pixels as B, G, R, A, the BMP loader's order; the levels are built
    // from the pixels in the order level 0 was given in instead of swapping them back.
    if (is_mipmap_filter(GL_MIN_FILTER))
        gluBuild2DMipmaps(GL_TEXTURE_2D, GLint(T.BPP / 8), GLsizei(T.WIDTH), GLsizei(T.HEIGHT), T.TYP, GL_UNSIGNED_BYTE,
                          T.IMAGEDATA);
    if (packed_rows) glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    std::free(T.IMAGEDATA);
    T.IMAGEDATA = nullptr;
}

void TEXTURELOADTGAID(const char* TGAFILE, int32_t NUM) {
    check_slot(NUM);
    // LOADTGA's steps, with the existence check made by the one read of the file.
    TGATEXTURE& T = TEXTURETGA2[NUM];
    g_loading = TGAFILE ? TGAFILE : "";
    bool no_file = false;
    if (!FTGA.open_file(TGAFILE, &no_file)) {
        if (no_file) note_load_failure(g_loading, "no such file");
        else message("Could not open texture file");
        return;
    }
    if (!load_opened(T, TGAFILE)) return;
    note_if_no_context(g_loading);
    upload_tga_texture(T);
}

void TEXTURETGASELECTID(int32_t NUM) {
    check_slot(NUM);
    glBindTexture(GL_TEXTURE_2D, TEXTURETGA2[NUM].TEXID);
}

}  // namespace corvala
