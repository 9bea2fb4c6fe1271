// Raw deflate streams, as a zip entry stores them (method 8), and the zip CRC. Two decoders stand behind
// it, picked by the build: zlib (inflate_zlib.cpp), or where there is no zlib for the target, the web
// build's, stb_image's (inflate_stb.cpp).
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace md3view {

// Hands over the next piece of the compressed stream (pointer and count, valid until the next call);
// false when nothing is left or it cannot be read.
using NextPiece = std::function<bool(const uint8_t*& data, size_t& size)>;

// Inflates a stream of COMPRESSED bytes into OUT, whose size is what the stream must come to: false
// when it is broken, ends short, or says more.
bool inflate_raw(uint64_t compressed, const NextPiece& next, std::vector<uint8_t>& out);
uint32_t zip_crc32(const uint8_t* data, size_t size);

}  // namespace md3view
