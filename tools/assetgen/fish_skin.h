// The goldfish's skin picture: body band, fin panel, eye and lid discs, mouth.
#pragma once

#include "tools/assetgen/image.h"

namespace assetgen {

Image fish_skin();

}  // namespace assetgen
