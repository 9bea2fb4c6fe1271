// The TGA decoders over arbitrary bytes: no read or write may leave the buffers, whatever the header says.
#include <cstdint>
#include <cstdlib>

#include "corvala/texture/CRVL_TGA.h"
#include "platform/testing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool quiet = (win32::testing::RecordMessageBoxes(true), true);
    (void)quiet;
    win32::testing::ClearRecordedBoxes();
    corvala::TGATEXTURE image{};
    if (corvala::load_tga_from_memory(image, data, size)) {
        // Every decoded byte is read, so a buffer shorter than its description shows up.
        const size_t n = size_t(image.WIDTH) * image.HEIGHT * (image.BPP / 8);
        volatile uint8_t sum = 0;
        for (size_t i = 0; i < n; ++i) sum = uint8_t(sum + image.IMAGEDATA[i]);
        if (win32::testing::RecordedBoxes().size() != 0 || (image.BPP != 24 && image.BPP != 32)) std::abort();
        std::free(image.IMAGEDATA);
        return 0;
    }
    if (image.IMAGEDATA != nullptr || win32::testing::RecordedBoxes().size() != 1) std::abort();
    return 0;
}
