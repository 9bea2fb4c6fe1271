// Fuzzes the viewer's JPEG reader (libjpeg-turbo in fuzz_jpeg, stb_image in fuzz_jpeg_stb): whatever the
// bytes, it answers, and a decoded image is as large as it says.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "tools/md3view/jpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    md3view::RgbImage image;
    if (md3view::decode_jpeg(data, size, image)) {
        if (image.width == 0 || image.height == 0 || image.width > md3view::kMaxJpegSide) std::abort();
        if (image.rgb.size() != size_t(image.width) * image.height * 3) std::abort();
    }
    return 0;
}
