// Large well-formed files made in memory, to see how the readers scale past the small data set.
#pragma once
#include <cstdint>
#include <vector>

namespace bench {

std::vector<uint8_t> SyntheticTga(uint16_t width, uint16_t height, bool rle, int bits = 32);  // 24 or 32
std::vector<uint8_t> SyntheticBmp(int32_t width, int32_t height, int bits = 24);         // 24 BI_RGB, 32 V5 with alpha
std::vector<uint8_t> SyntheticMd3(int32_t frames, int32_t vertices, int32_t triangles);  // one surface

}  // namespace bench
