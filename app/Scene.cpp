#include <GL/gl.h>

#include "app/Wobblefin.h"

namespace wobblefin {

void OPENGL_CREATELIST() {}

void OPENGL_DRAW() {}

}  // namespace wobblefin
