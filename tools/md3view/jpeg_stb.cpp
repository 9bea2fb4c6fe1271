// decode_jpeg on Windows, where Debian has no libjpeg for mingw: stb_image's baseline and progressive
// decoder, JPEG alone. Its pixels differ from libjpeg-turbo's by a few levels (another IDCT and chroma
// upsampling; up to 11 on a 4:2:2 file), so Linux keeps libjpeg; sizes and row order are the same.
#include <cstdlib>
#include <cstring>

#include "jpeg.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_NO_FAILURE_STRINGS
#define STBI_MAX_DIMENSIONS md3view::kMaxJpegSide
#include <stb_image.h>

namespace md3view {

namespace {

// stb_image 2.27 (Debian 12's) trusts a file's Huffman tables further than it should: it writes past
// them when a table has more than 256 symbols, reads past them when it has 256 (index 255 is also its
// "no short code" mark), and decodes a scan with tables never defined from uninitialised memory. No
// real file does any of that (an 8-bit AC table has at most 162 symbols), so every marker segment,
// scans' data included, is walked here before stb sees the file. Bytes past the end read as 0, as stb
// reads them.
bool tables_safe_for_stb(const uint8_t* d, size_t n) {
    const auto at = [d, n](size_t k) { return k < n ? d[k] : uint8_t(0); };
    bool defined[2][4] = {};  // DC, AC by table number
    bool progressive = false;
    for (size_t i = 2; i + 1 < n;) {
        const uint8_t m = d[i + 1];
        if (d[i] != 0xFF || m == 0xFF) {  // scan data or fill bytes
            ++i;
            continue;
        }
        if (m == 0x00 || m == 0x01 || (m >= 0xD0 && m <= 0xD7)) {  // stuffed zero, TEM, RSTn: no length
            i += 2;
            continue;
        }
        if (m == 0xD9) return true;
        const size_t end = i + 2 + (size_t(at(i + 2)) << 8 | at(i + 3));
        if (m == 0xC2) progressive = true;
        // Tables are read while the segment has bytes left, as stb reads them, past its end if need be.
        for (size_t p = i + 4; m == 0xC4 && p < end && p < n;) {
            size_t symbols = 0;
            for (size_t k = p + 1; k <= p + 16; ++k) symbols += at(k);
            if (symbols > 255) return false;
            if ((at(p) >> 4) <= 1 && (at(p) & 15) <= 3) defined[at(p) >> 4][at(p) & 15] = true;
            p += 17 + symbols;
        }
        if (m == 0xDA) {
            const size_t components = at(i + 4), ss = at(i + 5 + 2 * components);
            for (size_t c = 0; c < components; ++c) {
                const uint8_t tables = at(i + 6 + 2 * c);
                if ((tables >> 4) > 3 || (tables & 15) > 3) return false;
                if ((!progressive || ss == 0) && !defined[0][tables >> 4]) return false;
                if ((!progressive || ss != 0) && !defined[1][tables & 15]) return false;
            }
        }
        i = end;
    }
    return true;
}

}  // namespace

bool decode_jpeg(const uint8_t* data, size_t size, RgbImage& out) {
    out = RgbImage();
    if (!is_jpeg(data, size) || size > size_t(INT32_MAX) || !tables_safe_for_stb(data, size)) return false;
    int w = 0, h = 0, channels = 0;
    stbi_uc* pixels = stbi_load_from_memory(data, int(size), &w, &h, &channels, 3);
    if (!pixels) return false;
    if (w <= 0 || h <= 0) {
        stbi_image_free(pixels);
        return false;
    }
    out.width = uint32_t(w);
    out.height = uint32_t(h);
    const size_t stride = size_t(out.width) * 3;
    out.rgb.resize(stride * out.height);
    // JPEG rows run top down; the textures' first row is the picture's bottom one.
    for (uint32_t y = 0; y < out.height; ++y)
        std::memcpy(out.rgb.data() + stride * (out.height - 1 - y), pixels + stride * y, stride);
    stbi_image_free(pixels);
    return true;
}

}  // namespace md3view
