// What a backend under the Win32 emulation provides: the table a second one fills in (one folder of
// its own beside sdl/). The emulation keeps the records, the queue and GDI; the backend shows the
// top-level window, turns the system's events into queued messages, and owns the GL context.
// The SDL backend (sdl/) fills it on Linux; null/ fills it with nothing to show, for tests that need
// no display. A native Windows build needs no emulation: there the Win32 surface is Windows' own.
#pragma once
#include <string>

#include "platform/emul/emul.h"

namespace win32 {
namespace backend {

// ---- windows (sdl/window.cpp) ------------------------------------------------------------------
// Shows a top-level window: its drawable is the client area (x, y, width, height in screen pixels),
// `framed` when the window manager draws caption and frame. Sets w->native; false, with the reason
// noted (host::NoteFailure), when the system has no window to give.
bool CreateNativeWindow(detail::Window* w, const char* title_utf8, int x, int y, int width, int height, bool framed);
void ShowNativeWindow(detail::Window* w, bool show);  // showing also raises it
void PlaceNativeWindow(detail::Window* w, int x, int y, int width, int height);
void RaiseNativeWindow(detail::Window* w);
void FocusNativeWindow(detail::Window* w);
void MinimizeNativeWindow(detail::Window* w, bool minimize);  // to the taskbar, or back from it
bool NativeClientOrigin(const detail::Window* w, POINT* p);   // where the drawable is on screen
void SetNativeIcon(detail::Window* w, HICON icon);
void SetNativeCursor(HCURSOR cursor);
// The window goes: its drawable is freed, or kept for a GL context still made for it.
void ReleaseNativeWindow(detail::Window* w);

// ---- input (sdl/events.cpp, sdl/input.cpp) ------------------------------------------------------
void PumpEvents();           // the system's pending events become queued messages
void WaitForEvents(int ms);  // returns when an event may have come, or after `ms`
void CaptureMouse(bool on);  // releases outside the window still arrive
bool CursorPos(POINT* p);    // screen pixels
bool SetCursorPos(int x, int y);
bool ScreenSize(int* w, int* h);  // the desktop's

// ---- text on child windows' pixel surfaces (sdl/surface_text.cpp) -------------------------------
// Writes 8-bit (Windows-1252) text into a child's surface in a small sans-serif face, clipped to
// `clip`; `top` is the top of the line, SurfaceTextHeight() tall.
void DrawSurfaceText(detail::Window* w, const std::string& text, const RECT& clip, int x, int top, uint32_t rgb);
int SurfaceTextHeight();

// ---- the display (sdl/video.cpp) ---------------------------------------------------------------
// Whether there is a display to show windows and boxes on: false once the backend found it cannot be
// had, and where it shows nothing (null/). The host's fatal-error path asks it (host::HaveDisplay): without
// a display its text and reason go to standard error alone, once, and no box is tried.
bool HaveDisplay();

}  // namespace backend

// ---- the surface calls a backend makes itself ---------------------------------------------------
// Besides the table above, a backend implements these calls of win32.h on its own: the pixel format,
// the GL context and SwapBuffers, wglGetProcAddress (with wglSwapIntervalEXT), EnumDisplaySettingsA,
// MessageBoxA, the cursors and icons (LoadCursorA, LoadIconA, LoadCursorFromFileA, DestroyIcon) and
// LoadImageA over LoadBitmapFromMemory (win32_gdi.h), and this reader of bytes in memory:
HCURSOR LoadCursorFromMemory(const void* bytes, size_t size);

}  // namespace win32
