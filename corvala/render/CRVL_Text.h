// Texture-font text.
#pragma once

namespace corvala {

}  // namespace corvala
