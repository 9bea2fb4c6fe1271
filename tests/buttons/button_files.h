// Bitmap files for the button tests.
#pragma once
#include <functional>
#include <string>

#include "tests/support/image_files.h"

namespace testsupport {

// An 8-bit palette BMP whose table holds the distinct colours the picture uses (at most 256).
Bytes make_palette_bmp(int width, int height, const PixelFn& pixel);

constexpr Rgba kMagenta{255, 0, 255, 255};

}  // namespace testsupport
