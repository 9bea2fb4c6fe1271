#include <zlib.h>

#include "inflate.h"

namespace md3view {

bool inflate_raw(uint64_t, const NextPiece& next, std::vector<uint8_t>& out) {
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return false;
    // One byte more than the entry claims: a stream that fills it says more than the directory does.
    const size_t size = out.size();
    out.push_back(0);
    z.next_out = out.data();
    z.avail_out = uInt(out.size());
    int rc = Z_OK;
    while (rc == Z_OK) {
        if (z.avail_in == 0) {
            const uint8_t* piece = nullptr;
            size_t n = 0;
            if (!next(piece, n)) break;
            z.next_in = const_cast<uint8_t*>(piece);
            z.avail_in = uInt(n);
        }
        rc = inflate(&z, Z_NO_FLUSH);
    }
    const bool ok = rc == Z_STREAM_END && z.total_out == size;
    inflateEnd(&z);
    out.pop_back();
    return ok;
}

uint32_t zip_crc32(const uint8_t* data, size_t size) {
    uLong crc = crc32(0, nullptr, 0);
    // zlib takes at most 4 GiB a call.
    for (size_t n; size > 0; data += n, size -= n)
        crc = crc32(crc, data, uInt(n = size < 0x40000000 ? size : 0x40000000));
    return uint32_t(crc);
}

}  // namespace md3view
