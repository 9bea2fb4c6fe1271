// The aquarium's glass and water pictures, and the window icon.
#pragma once

#include <vector>

#include "tools/assetgen/image.h"

namespace assetgen {

// A faint cyan tint with a few soft diagonal reflections; alpha stays low (the glass is added on top).
Image glass_image();
// Water ripples that tile seamlessly, 256 x 256.
Image water_image();
// The goldfish at 48, 32 and 16 pixels on a transparent background; the largest first, since SDL_image
// loads the first picture of an icon file.
std::vector<Image> icon_images();

}  // namespace assetgen
