// The SDL backend on a system without a file of its own: SDL's box as it comes, and no font known for
// text on child windows.
#include <SDL.h>

#include "platform/sdl/native.h"

namespace win32 {
namespace sdl {

bool ShowErrorBox(const std::string& caption, const std::string& text, bool) {
    return SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption.c_str(), text.c_str(), nullptr) == 0;
}
std::vector<std::string> SurfaceFontFiles() { return {}; }
void KeepLoadedLibraries() {}

}  // namespace sdl
}  // namespace win32
