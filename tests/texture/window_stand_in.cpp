// The window globals until the window module defines them.
#include "corvala/window/CRVL_Window.h"

namespace corvala {
int32_t WIDTH = 800, HEIGHT = 600;
bool FULLSCREEN = false;
}  // namespace corvala
