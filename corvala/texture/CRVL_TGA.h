// TGA images and the TGA slot table.
#pragma once

namespace corvala {

}  // namespace corvala
