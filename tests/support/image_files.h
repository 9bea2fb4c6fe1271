// Hand-built image files for the loader tests and the fuzz seeds.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace testsupport {

struct Rgba {
    uint8_t r, g, b, a;
};
using Bytes = std::vector<uint8_t>;
using PixelFn = std::function<Rgba(int x, int y)>;  // y = 0 is the top row of the picture

// A BMP of 24 or 32 bits with an info header of 40, 108 or 124 bytes; bottom-up, or top-down (a negative
// height, the top row first).
Bytes make_bmp(int width, int height, int bits, int header_size, const PixelFn& pixel, bool top_down = false);
// The file header and 40-byte info header of a bottom-up palette BMP of 1, 4 or 8 bits whose colour table
// has `colours` entries (`clr_used` is what the header says: 0 means all); table and pixels follow.
Bytes palette_bmp_headers(int width, int height, int bits, int colours, int clr_used);
// Appends n little-endian bytes of v.
void put_le(Bytes& out, uint64_t v, int n);
// An 8-bit palette BMP (40-byte header), every pixel index i % 256 of a grey ramp.
Bytes make_bmp8(int width, int height);

// The 18-byte TGA header: type 2 or 10, no identification field, no colour map, origin 0.
Bytes tga_header(int type, int width, int height, int bpp, int descriptor = 0);
// Appends one pixel as the file stores it: B, G, R (, A).
void put_pixel(Bytes& out, Rgba p, int bpp);
// A type 2 file; rows in the order given (pixel(x, 0) first).
Bytes make_tga(int width, int height, int bpp, const PixelFn& pixel, int descriptor = 0);

// A baseline JPEG at the highest quality (colours come back within a few steps); a GREY one stores one
// component, each pixel's red.
Bytes make_jpeg(int width, int height, const PixelFn& pixel, bool grey = false);

void write_file(const std::string& path, const Bytes& data);

}  // namespace testsupport
