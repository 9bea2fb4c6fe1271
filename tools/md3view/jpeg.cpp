#include "jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
// jpeglib.h wants size_t and FILE declared before it.
#include <jpeglib.h>

namespace md3view {

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return: jump back out instead.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void on_error(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1); }
void on_message(j_common_ptr) {}  // warnings on corrupt data would go to stderr for every frame

}  // namespace

bool decode_jpeg(const uint8_t* data, size_t size, RgbImage& out) {
    out = RgbImage();
    if (!is_jpeg(data, size)) return false;
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = on_error;
    errors.base.output_message = on_message;
    // Everything setjmp may come back to lives in OUT or in INFO, neither of which is a local that
    // changes between here and the jump.
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        out = RgbImage();
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    if (info.image_width == 0 || info.image_height == 0 || info.image_width > kMaxJpegSide ||
        info.image_height > kMaxJpegSide) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_RGB;  // greyscale and CMYK files come out as RGB too
    jpeg_start_decompress(&info);
    if (info.output_components != 3) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    out.width = info.output_width;
    out.height = info.output_height;
    const size_t stride = size_t(out.width) * 3;
    out.rgb.resize(stride * out.height);
    while (info.output_scanline < info.output_height) {
        // JPEG rows run top down; the textures' first row is the picture's bottom one.
        JSAMPROW row = out.rgb.data() + stride * (out.height - 1 - info.output_scanline);
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

std::vector<uint8_t> encode_jpeg(const RgbImage& image) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);  // the default handler exits: only images of ours come here
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = image.width;
    info.image_height = image.height;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    const size_t stride = size_t(image.width) * 3;
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<uint8_t*>(image.rgb.data()) + stride * (image.height - 1 - info.next_scanline);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<uint8_t> bytes(out, out + size);
    std::free(out);
    return bytes;
}

}  // namespace md3view
