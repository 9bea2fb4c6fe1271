#include "tests/support/zip_files.h"

#include <zip.h>
#include <zlib.h>

#include <stdexcept>

namespace testsupport {

void write_zip(const std::string& path, const ZipEntries& entries, bool stored) {
    int code = 0;
    zip_t* zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!zip) throw std::runtime_error("cannot create " + path);
    for (const auto& [name, bytes] : entries) {
        // libzip reads the buffer when the archive is closed, so the caller's bytes must last until then.
        zip_source_t* src = zip_source_buffer(zip, bytes.data(), bytes.size(), 0);
        const zip_int64_t index = src ? zip_file_add(zip, name.c_str(), src, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0 || (stored && zip_set_file_compression(zip, zip_uint64_t(index), ZIP_CM_STORE, 0) != 0)) {
            if (src && index < 0) zip_source_free(src);
            zip_discard(zip);
            throw std::runtime_error("cannot add " + name + " to " + path);
        }
    }
    if (zip_close(zip) != 0) {
        zip_discard(zip);
        throw std::runtime_error("cannot write " + path);
    }
}

namespace {
void put(std::vector<uint8_t>& out, uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

// BYTES as a raw deflate stream, the form a zip entry of method 8 holds.
std::vector<uint8_t> deflated(const std::vector<uint8_t>& bytes) {
    z_stream z{};
    if (deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2 failed");
    std::vector<uint8_t> out(deflateBound(&z, uLong(bytes.size())));
    z.next_in = const_cast<uint8_t*>(bytes.data());
    z.avail_in = uInt(bytes.size());
    z.next_out = out.data();
    z.avail_out = uInt(out.size());
    const int rc = deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    if (rc != Z_STREAM_END) throw std::runtime_error("deflate failed");
    return out;
}
}  // namespace

std::vector<uint8_t> zip64_archive(const ZipEntries& entries, bool stored) {
    constexpr uint32_t kAllOnes = 0xFFFFFFFFu;
    const int method = stored ? 0 : 8;
    std::vector<uint8_t> out, cd;
    for (const auto& [name, bytes] : entries) {
        const uint64_t offset = out.size();
        const uint32_t crc = uint32_t(crc32(0, bytes.data(), uInt(bytes.size())));
        const std::vector<uint8_t> data = stored ? bytes : deflated(bytes);
        // Local header: version 45, sizes in the extra field, the full size before the compressed one.
        put(out, 0x04034b50, 4), put(out, 45, 2), put(out, 0, 2), put(out, method, 2), put(out, 0, 4);
        put(out, crc, 4), put(out, kAllOnes, 4), put(out, kAllOnes, 4), put(out, name.size(), 2), put(out, 20, 2);
        out.insert(out.end(), name.begin(), name.end());
        put(out, 1, 2), put(out, 16, 2), put(out, bytes.size(), 8), put(out, data.size(), 8);
        out.insert(out.end(), data.begin(), data.end());
        put(cd, 0x02014b50, 4), put(cd, 45, 2), put(cd, 45, 2), put(cd, 0, 2), put(cd, method, 2), put(cd, 0, 4);
        put(cd, crc, 4), put(cd, kAllOnes, 4), put(cd, kAllOnes, 4), put(cd, name.size(), 2), put(cd, 28, 2);
        put(cd, 0, 2), put(cd, 0, 2), put(cd, 0, 2), put(cd, 0, 4), put(cd, kAllOnes, 4);
        cd.insert(cd.end(), name.begin(), name.end());
        put(cd, 1, 2), put(cd, 24, 2), put(cd, bytes.size(), 8), put(cd, data.size(), 8), put(cd, offset, 8);
    }
    const uint64_t cd_offset = out.size(), end64 = cd_offset + cd.size();
    out.insert(out.end(), cd.begin(), cd.end());
    put(out, 0x06064b50, 4), put(out, 44, 8), put(out, 45, 2), put(out, 45, 2), put(out, 0, 4), put(out, 0, 4);
    put(out, entries.size(), 8), put(out, entries.size(), 8), put(out, cd.size(), 8), put(out, cd_offset, 8);
    put(out, 0x07064b50, 4), put(out, 0, 4), put(out, end64, 8), put(out, 1, 4);
    put(out, 0x06054b50, 4), put(out, 0, 2), put(out, 0, 2), put(out, 0xFFFF, 2), put(out, 0xFFFF, 2);
    put(out, kAllOnes, 4), put(out, kAllOnes, 4), put(out, 0, 2);
    return out;
}

std::vector<uint8_t> text_bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

}  // namespace testsupport
