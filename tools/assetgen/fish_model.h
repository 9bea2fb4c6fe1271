// Puts the fish mesh and its animation frames together as an MD3 file.
#pragma once

#include "tools/assetgen/bytes.h"

namespace assetgen {

Bytes fish_md3();

}  // namespace assetgen
