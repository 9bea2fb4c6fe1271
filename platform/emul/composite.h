// Child windows shown over the OpenGL picture of the top-level window, for the backends that present
// through GL (composite.cpp, built among each one's own sources).
#pragma once
#include "platform/emul/emul.h"

namespace win32 {
namespace detail {

// Draws the visible children's surfaces over the current context's picture of `top`, whose drawable is
// `width` x `height` pixels, just before it is presented; a no-op while no child has painted anything.
void CompositeChildren(Window* top, int width, int height);

}  // namespace detail
}  // namespace win32
