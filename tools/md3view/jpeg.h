// JPEG images for skins, decoded from bytes in memory: by libjpeg-turbo (jpeg.cpp), or on Windows by
// stb_image (jpeg_stb.cpp).
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace md3view {

// Sides beyond this are refused before any pixel memory is asked for: real skins are at most 4096.
constexpr uint32_t kMaxJpegSide = 8192;

struct RgbImage {
    uint32_t width = 0, height = 0;
    std::vector<uint8_t> rgb;  // R, G, B rows, bottom row first, as the TGA loader leaves a bottom-up file
};

inline bool is_jpeg(const uint8_t* data, size_t size) {  // the SOI marker
    return size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}
// False for anything the decoder refuses or cannot finish, for sides of 0 or beyond kMaxJpegSide.
bool decode_jpeg(const uint8_t* data, size_t size, RgbImage& out);
// IMAGE (bottom row first) as a baseline JPEG file, for the sample player (libjpeg only).
std::vector<uint8_t> encode_jpeg(const RgbImage& image);

}  // namespace md3view
