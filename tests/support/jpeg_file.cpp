// JPEG files through libjpeg, apart from the other image files since only Linux builds have libjpeg.
#include <cstdio>
#include <cstdlib>

#include "tests/support/image_files.h"
// jpeglib.h wants size_t and FILE declared before it.
#include <jpeglib.h>

namespace testsupport {

Bytes make_jpeg(int width, int height, const PixelFn& pixel, bool grey) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);  // the default handler exits: only well-formed input comes here
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    const int components = grey ? 1 : 3;
    info.input_components = components;
    info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<uint8_t> row(size_t(width) * size_t(components));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgba p = pixel(x, y);
            uint8_t* out_pixel = row.data() + size_t(x) * size_t(components);
            out_pixel[0] = p.r;
            if (!grey) out_pixel[1] = p.g, out_pixel[2] = p.b;
        }
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&info, &r, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    Bytes bytes(out, out + size);
    std::free(out);
    return bytes;
}

}  // namespace testsupport
