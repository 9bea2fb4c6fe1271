// Inside the SDL backend: what it needs from beneath SDL, where SDL leaves a question to the system.
// backend.cmake builds x11.cpp where there is X11 and linux.cpp on Linux; elsewhere x11_fallback.cpp and
// linux_fallback.cpp leave each question to SDL alone.
#pragma once
#include <atomic>
#include <mutex>
#include <string>
#include <vector>

namespace win32 {
namespace sdl {

// ---- the windowing system (x11.cpp) ------------------------------------------------------------
// Whether the environment names a display, X11's or Wayland's. Elsewhere: yes, and SDL finds out.
bool DisplayNamed();
// Before SDL's video comes up: false, with the reason noted, when no display is named or the named X
// display cannot be opened (which NoteDisplayUnreachable records). Elsewhere: true.
bool ReachDisplay();
// From now on an X error becomes the noted reason of the call that caused it, instead of ending the program.
void KeepWindowingErrors();
// Gives the box captioned `title`, another process's window, the keyboard focus once it is on the screen;
// looks until `done`, touching the system only while it holds `busy`. Elsewhere: nothing to do.
void FocusBoxWhenShown(const std::string& title, const std::atomic<bool>& done, std::mutex& busy);

// ---- the operating system (linux.cpp) ----------------------------------------------------------
// SDL's error box, shown in a child process that dies with the program; a signal while it is up closes it
// (and ends the program at once when `fatal`). False when no box could be shown. Elsewhere: SDL's box as it comes.
bool ShowErrorBox(const std::string& caption, const std::string& text, bool fatal);
// Where the system keeps DejaVu Sans, the face of text on child windows, in the order to try them.
// Elsewhere: none known, and that text is not drawn.
std::vector<std::string> SurfaceFontFiles();
// Keeps every library loaded now from being unloaded, for the leak checker's names when tests close the
// backend. Elsewhere: nothing to do.
void KeepLoadedLibraries();

}  // namespace sdl
}  // namespace win32
