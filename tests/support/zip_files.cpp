#include "tests/support/zip_files.h"

#include <zip.h>

#include <stdexcept>

namespace testsupport {

void write_zip(const std::string& path, const ZipEntries& entries) {
    int code = 0;
    zip_t* zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!zip) throw std::runtime_error("cannot create " + path);
    for (const auto& [name, bytes] : entries) {
        // libzip reads the buffer when the archive is closed, so the caller's bytes must last until then.
        zip_source_t* src = zip_source_buffer(zip, bytes.data(), bytes.size(), 0);
        if (!src || zip_file_add(zip, name.c_str(), src, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) < 0) {
            if (src) zip_source_free(src);
            zip_discard(zip);
            throw std::runtime_error("cannot add " + name + " to " + path);
        }
    }
    if (zip_close(zip) != 0) {
        zip_discard(zip);
        throw std::runtime_error("cannot write " + path);
    }
}

std::vector<uint8_t> text_bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

}  // namespace testsupport
