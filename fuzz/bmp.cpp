// The BMP reader over arbitrary bytes: a picture whose rows hold what it says, or a reason, never both.
#include <cstdint>
#include <cstdlib>

#include "platform/emul/dib_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    win32::DibPicture p;
    if (const char* why = win32::ReadDib(data, size, p)) {
        if (*why == '\0' || !p.rows.empty()) std::abort();
        return 0;
    }
    win32::DibHeader h;
    if (win32::ReadDibHeader(data, size, h)) std::abort();
    // The texture loader reads `height` rows of `stride` bytes, `width` pixels of `bits` each, and asks
    // for 24 and 32 bits by the file's depth.
    if (p.width != h.width || p.height != h.height || p.stride % 4 != 0 ||
        int64_t(p.stride) * 8 < int64_t(p.width) * p.bits || p.rows.size() != size_t(p.stride) * size_t(p.height))
        std::abort();
    if (p.bits == 8 ? p.colours.empty() || p.colours.size() > 256 : !p.colours.empty()) std::abort();
    if ((h.bits == 24 || h.bits == 32) && p.bits != h.bits) std::abort();
    volatile uint8_t sum = 0;
    for (uint8_t b : p.rows) sum = uint8_t(sum + b);
    return 0;
}
