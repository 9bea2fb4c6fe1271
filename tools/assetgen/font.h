// The glyph grid of the text writer, rendered with FreeType.
#pragma once

#include <string>

#include "tools/assetgen/image.h"

namespace assetgen {

// 32 x 4 cells of 16 x 32 pixels, codes 0..127 in reading order (top row 0..31 stays empty), white with alpha.
Image font_image(const std::string& ttf_path);

}  // namespace assetgen
