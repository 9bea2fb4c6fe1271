// The TGA reader over arbitrary bytes: no read or write may leave the buffers, whatever the header says,
// and every call ends with a picture or a fault, never both.
#include <cstdint>
#include <cstdlib>

#include "corvala/texture/CRVL_TGAFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const corvala::TgaRead r = corvala::ReadTga(data, size, "fuzz.tga");
    if (r.fault != corvala::TgaFault::None) {
        if (r.pixels || *corvala::TgaFaultText(r.fault) == '\0') std::abort();
        return 0;
    }
    // Every decoded byte is read, so a buffer shorter than its description shows up.
    if (!r.pixels || (r.bpp != 24 && r.bpp != 32)) std::abort();
    const size_t n = size_t(r.width) * r.height * (r.bpp / 8);
    volatile uint8_t sum = 0;
    for (size_t i = 0; i < n; ++i) sum = uint8_t(sum + r.pixels[i]);
    std::free(r.pixels);
    return 0;
}
