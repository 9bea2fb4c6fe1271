// Inside the SDL backend: what its files share (native.h has what they need from beneath SDL). SDL, Xlib and
// FreeType appear in this folder only.
#pragma once
#include <SDL.h>

#include "platform/emul/emul.h"

namespace win32 {
namespace sdl {

// Keys Windows has no virtual-key code for arrive with kFirstPositionalKey + their SDL scancode, held to
// kLastPositionalKey: still inside the framework's key table (SETKEY, 0..500).
constexpr int kFirstPositionalKey = 0x100, kLastPositionalKey = 500;

bool EnsureVideo();  // SDL video up on a driver that shows something
// The display the environment names cannot be had: backend::HaveDisplay() is false from then on.
void NoteDisplayUnreachable();
inline SDL_Window* WindowOf(const detail::Window* w) { return w ? static_cast<SDL_Window*>(w->native) : nullptr; }
// The window `h` is going: the contexts made for it keep its drawable alive until the last of them is
// deleted. False when no context was made for it, and the drawable can go now.
bool AdoptDrawable(HWND h);
void DeleteContexts();  // every context still made, with the drawables they kept
// Child windows' surfaces drawn over the GL picture of `top` before it is presented, at its drawable's size.
void CompositeChildren(detail::Window* top);

}  // namespace sdl
}  // namespace win32
