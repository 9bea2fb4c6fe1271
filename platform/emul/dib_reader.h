// The one reader of BMP files: bytes in, a DIB's description and pixels (or why not) out. It keeps no
// state, makes no handle and shows nothing, so the emulation's LoadBitmapFromMemory, any backend and
// the native Windows build (which hands the file's own headers to Windows) can all stand on it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace win32 {

// What a file's headers say, checked against the bytes there: a signature, an info header of 12 bytes
// (the old core one) or at least 40, sides of 1 to 32768, 1 to 32 bits a pixel, BI_RGB, BI_BITFIELDS
// (rows all in the file) or a run-length coding (at most 2^24 pixels: its data may legally end early).
struct DibHeader {
    uint32_t header_size = 0;  // of the info header
    int64_t width = 0;
    int64_t height = 0;  // made positive
    bool top_down = false;
    int bits = 0;               // a pixel, as stored
    uint32_t compression = 0;   // BI_RGB 0, BI_RLE8 1, BI_RLE4 2, BI_BITFIELDS 3
    uint32_t colours_used = 0;  // biClrUsed as written (0 in a core header)
    size_t bits_offset = 0;     // where the rows start
};

struct RgbQuad {
    uint8_t blue, green, red, reserved;
};

// A picture as a DIB section holds it: rows bottom-up, each `stride` bytes (a multiple of 4); 8 bits
// (indices into `colours`), 24 (B, G, R) or 32 (B, G, R, A).
struct DibPicture {
    int width = 0;
    int height = 0;
    int bits = 0;
    int stride = 0;
    std::vector<uint8_t> rows;
    std::vector<RgbQuad> colours;
};

// nullptr when `out` holds the headers, else why the file is refused.
const char* ReadDibHeader(const uint8_t* bytes, size_t size, DibHeader& out);

// nullptr when `out` holds the picture, else why it has none. 24 and 32 bits come out as stored (a
// top-down file's rows turned over, BI_BITFIELDS bytes put in B, G, R, A order, BI_RGB's fourth byte
// kept); palette files of 8 bits or fewer as 8-bit indices with the file's table; every other kind
// (16 bits, odd masks, run-length coding) as 32 bits, or 24 for a 24-bit file, byte for byte what the
// SDL backend made of them when SDL2 decoded them.
const char* ReadDib(const uint8_t* bytes, size_t size, DibPicture& out);

}  // namespace win32
