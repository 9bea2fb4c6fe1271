// Solid primitives: textured line pairs, boxes and spheres.
#pragma once

namespace corvala {

}  // namespace corvala
