// Object picking and pickable 3D menus.
#pragma once

namespace corvala {

}  // namespace corvala
