// The SDL backend where there is no X11: SDL alone finds the display, and its own boxes take the focus.
#include "platform/sdl/native.h"

namespace win32 {
namespace sdl {

bool DisplayNamed() { return true; }
bool ReachDisplay() { return true; }
void KeepWindowingErrors() {}
void FocusBoxWhenShown(const std::string&, const std::atomic<bool>&, std::mutex&) {}

}  // namespace sdl
}  // namespace win32
