// Child windows: their pixel surfaces, regions, and how they are shown over the GL picture.
#include "platform/internal.h"

namespace win32 {
namespace detail {

void ResizeSurface(Window* w) {
    const int cw = std::max(0, int(w->rect.right - w->rect.left));
    const int ch = std::max(0, int(w->rect.bottom - w->rect.top));
    if (cw == w->surface_w && ch == w->surface_h) return;
    w->surface_w = cw;
    w->surface_h = ch;
    w->pixels.assign(size_t(cw) * size_t(ch), 0);
}

bool RegionContains(const Window* w, int, int) { return w->region == nullptr; }

void CompositeChildren(Window*) {}

}  // namespace detail
}  // namespace win32
