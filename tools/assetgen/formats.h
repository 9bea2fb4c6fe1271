// File writers: TGA (raw and run-length), 24-bit BMP and a 32-bit icon file.
#pragma once

#include <vector>

#include "tools/assetgen/bytes.h"
#include "tools/assetgen/image.h"

namespace assetgen {

enum class TgaKind { Raw = 2, RunLength = 10 };

// Rows go to the file bottom row first, the usual TGA orientation; bits is 24 or 32.
Bytes tga(const Image& img, TgaKind kind, int bits);
// 24 bits, bottom-up rows, 40-byte info header.
Bytes bmp24(const Image& img);
// One 32-bit BMP-in-ICO entry per picture (each at most 256 x 256), with its AND mask.
Bytes ico(const std::vector<Image>& sizes);

}  // namespace assetgen
