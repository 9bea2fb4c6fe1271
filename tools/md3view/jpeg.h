// JPEG images for skins, decoded with libjpeg(-turbo) from bytes in memory.
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

bool is_jpeg(const uint8_t* data, size_t size);  // the SOI marker
// False for anything libjpeg refuses or cannot finish, for sides of 0 or beyond kMaxJpegSide.
bool decode_jpeg(const uint8_t* data, size_t size, RgbImage& out);
// IMAGE (bottom row first) as a baseline JPEG file, for the sample player.
std::vector<uint8_t> encode_jpeg(const RgbImage& image);

}  // namespace md3view
