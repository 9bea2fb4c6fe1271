// stb_image's inflater, for targets without zlib. It takes the whole stream at once, so the pieces are
// gathered first; the CRC is the usual table-driven one.
#include <climits>
#include <cstring>

#include "inflate.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_JPEG
#define STBI_NO_PNG
#define STBI_NO_BMP
#define STBI_NO_PSD
#define STBI_NO_TGA
#define STBI_NO_GIF
#define STBI_NO_HDR
#define STBI_NO_PIC
#define STBI_NO_PNM
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_FAILURE_STRINGS
#define STBI_SUPPORT_ZLIB
#include <stb_image.h>

namespace md3view {

bool inflate_raw(uint64_t compressed, const NextPiece& next, std::vector<uint8_t>& out) {
    // The stream is held whole: one far longer than what it inflates to (no encoder writes such a
    // thing, deflate's stored blocks add 5 bytes in 64 KiB) is refused rather than gathered.
    constexpr size_t kPad = 4;
    if (compressed > uint64_t(out.size()) * 2 + 65536 || compressed > uint64_t(INT_MAX) - kPad ||
        out.size() >= size_t(INT_MAX))
        return false;
    std::vector<uint8_t> stream;
    stream.reserve(size_t(compressed) + kPad);
    const uint8_t* piece = nullptr;
    for (size_t n = 0; stream.size() < compressed && next(piece, n);) stream.insert(stream.end(), piece, piece + n);
    if (stream.size() != compressed) return false;
    // stb_image 2.27 gives up on a valid stream whose last code lies in its final 16 bits: it will not
    // decode with fewer bits at hand than its longest code. A valid stream ends before the zeros added;
    // one cut short still ends in the wrong place, or fails its CRC.
    stream.resize(stream.size() + kPad, 0);
    // One byte more than the entry claims, as with zlib: stb fails a stream that would overrun it.
    const size_t size = out.size();
    out.push_back(0);
    const int got = stbi_zlib_decode_noheader_buffer(reinterpret_cast<char*>(out.data()), int(out.size()),
                                                     reinterpret_cast<const char*>(stream.data()), int(stream.size()));
    out.pop_back();
    return got >= 0 && size_t(got) == size;
}

uint32_t zip_crc32(const uint8_t* data, size_t size) {
    static const struct Table {
        uint32_t v[256];
        Table() {
            for (uint32_t i = 0; i < 256; ++i) {
                uint32_t c = i;
                for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
                v[i] = c;
            }
        }
    } table;
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) crc = table.v[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

}  // namespace md3view
