// The nine button pictures: three shocks, vortex, two squashes, heat, cold and info.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "tools/assetgen/image.h"

namespace assetgen {

constexpr int kButtonSize = 128;

// (file name inside immagini/, picture), in the program's slot order.
std::vector<std::pair<std::string, Image>> button_images();

}  // namespace assetgen
