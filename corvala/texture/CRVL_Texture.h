// BMP textures and the BMP slot table.
#pragma once

namespace corvala {

}  // namespace corvala
