// What a backend under the Win32 emulation owes it: every duty, a line each, in one place. The emulation
// (emul/) keeps the records, the queue and GDI; a backend shows the top-level window, turns the system's
// events into queued messages, owns the GL context and presents, and shows boxes, cursors and icons.
// A backend is a folder of its own beside sdl/ with a backend.cmake (its variables are the last group
// here); null/ is the least one, with nothing to show. docs/backends.md says how to write and test one.
// A native Windows build needs none of this: there the Win32 surface is Windows' own.
//
// Every duty is defined by every backend, so a backend that lacks one does not link (the test build
// links the framework and the program over null/). Required: the program works only when it does its
// job, though it may fail where Microsoft documents a failure, and the program then ends in its own
// message. Optional: it may do nothing or fail; what the emulation or the framework does then is said
// beside it.
#pragma once
#include <string>

#include "platform/emul/emul.h"

namespace win32 {
namespace backend {

// ---- windows -------------------------------------------------------------------------------------
// Shows a top-level window: its drawable is the client area (x, y, width, height in screen pixels),
// `framed` when the window manager draws caption and frame. Sets w->native; false, with the reason
// noted (host::NoteFailure), when the system has no window to give. Required: false makes
// CreateWindowExA fail. True without setting w->native keeps the window the emulation's record alone,
// and the other window duties are then never asked.
bool CreateNativeWindow(detail::Window* w, const char* title_utf8, int x, int y, int width, int height, bool framed);
// Optional: the system's window follows the emulation's record, which answers for it either way.
void ShowNativeWindow(detail::Window* w, bool show);  // showing also raises it
void PlaceNativeWindow(detail::Window* w, int x, int y, int width, int height);
void RaiseNativeWindow(detail::Window* w);
void FocusNativeWindow(detail::Window* w);
// Optional: to the taskbar or back; the emulation keeps IsIconic and sends WM_SIZE either way.
void MinimizeNativeWindow(detail::Window* w, bool minimize);
// Optional: where the drawable is on screen; false, and the emulation's own rectangle with its
// caption and frame answers.
bool NativeClientOrigin(const detail::Window* w, POINT* p);
void SetNativeIcon(detail::Window* w, HICON icon);  // optional: the class's icon
void SetNativeCursor(HCURSOR cursor);               // optional: the class's cursor
// Required: the window goes; its drawable is freed, or kept for a GL context still made for it, and
// w->native is cleared.
void ReleaseNativeWindow(detail::Window* w);

// ---- input ---------------------------------------------------------------------------------------
// Required: the system's pending events become queued messages (detail::QueueMouse, QueueKey, QueueText,
// QueueWheel, QueueClose, SetIconic, LoseForeground); without events, only posted messages arrive.
void PumpEvents();
void WaitForEvents(int ms);       // required: returns when an event may have come, or after `ms`
void CaptureMouse(bool on);       // optional: releases outside the window still arrive
bool CursorPos(POINT* p);         // optional: screen pixels; false, and GetCursorPos says 0, 0
bool SetCursorPos(int x, int y);  // optional: false, and SetCursorPos fails
bool ScreenSize(int* w, int* h);  // optional: the desktop's; false, and GetSystemMetrics says 0

// ---- text on child windows' pixel surfaces -------------------------------------------------------
// Optional: writes 8-bit (Windows-1252) text into a child's surface in a small sans-serif face, clipped
// to `clip`; `top` is the top of the line, SurfaceTextHeight() tall. Without it the status bar shows
// its parts without their text.
void DrawSurfaceText(detail::Window* w, const std::string& text, const RECT& clip, int x, int top, uint32_t rgb);
int SurfaceTextHeight();  // optional with it: the line's height, which centres it in the part

// ---- waiting on the system ----------------------------------------------------------------------
// WaitForEvents is the emulation's one wait: GetMessageA and WaitMessage (so PaceFrame while minimized)
// call it until a message is there. A backend whose system runs on the program's own thread (a browser)
// gives the system its turn there. Presenting on the system's clock is the host's: host::WaitForSystemFrame.

// ---- the display --------------------------------------------------------------------------------
// Required: whether there is a display to show windows and boxes on: false once the backend found it cannot be
// had, and where it shows nothing (null/). The host's fatal-error path asks it (host::HaveDisplay): without
// a display its text and reason go to standard error alone, once, and no box is tried.
bool HaveDisplay();

}  // namespace backend

// ---- the surface calls a backend defines itself --------------------------------------------------
// Declared in win32.h and win32_gdi.h with Windows' signatures; the emulation defines none of them.
// Each does what Microsoft documents, and where the system has nothing to give, fails as documented.
//   ChoosePixelFormat     required: 0 without GL, and CREATEOGLWINDOW ends in its initialisation message
//   SetPixelFormat        required: set once per window, as on Windows
//   DescribePixelFormat   optional: 0 (no format) without GL
//   wglCreateContext      required: NULL without GL, with the same ending
//   wglMakeCurrent        required: (dc, NULL) leaves no context current and succeeds
//   wglDeleteContext      required
//   wglGetCurrentContext  required: textures load only into a current context
//   wglGetProcAddress     optional: NULL, and without "wglSwapIntervalEXT" frames are paced by a timer
//   SwapBuffers           required: draws the child windows' surfaces (detail::Window::pixels, inside
//                         their regions) over the GL picture, then presents
//   EnumDisplaySettingsA  optional: FALSE, and pacing takes no rate from the display
//   MessageBoxA           required: shows the box, or writes it on standard error where none can be
//                         shown; adds nothing there while host::FatalErrorShowing() (that path has
//                         written its text already)
//   LoadCursorA           optional: the stock cursors; NULL, and the class has none
//   LoadIconA             optional: IDI_APPLICATION; NULL, and the class has none
//   LoadCursorFromFileA   optional: .ico and .cur files; NULL, and the window keeps the system's
//   DestroyIcon           optional: what the two above made; FALSE for stock ones
// LoadImageA and LoadBitmapFromMemory are the emulation's own, over emul/dib_reader.h.
// The GL calls tell the build's GL provider of each context (platform/gl/provider.h; the calls do nothing
// over the system's GL): glprovider::Created once wglCreateContext has made one, MadeCurrent whenever the
// current context changes (to none as well, as when making a context leaves none current), Deleted in
// wglDeleteContext once that context is not current, and Finish in SwapBuffers before presenting (after
// the child windows are drawn). Where glprovider::kWantsES, the contexts are OpenGL ES 2.0 ones.
// And one of ours beside them, an icon or cursor file's bytes in memory; optional, NULL as above:
HCURSOR LoadCursorFromMemory(const void* bytes, size_t size);

// ---- for tests only (platform/testing.h, built into the backend's test library) ------------------
// A backend's CORVALA_BACKEND_TESTING_SOURCES define these, as the system would deliver them:
//   testing::InjectMouseMove, InjectMouseButton, InjectKey   input for the top-level window, through the
//                                                            backend's own events where it has them
//   testing::CompositeChildrenNow   what SwapBuffers draws over the picture, without presenting
//   testing::CloseBackend           closes what the backend still has open, before the test program ends
// and the backend honours these switches of detail::Switches() (testing/switches.cpp sets them):
//   record_boxes                  MessageBoxA records the box (detail::RecordedBoxes) and returns IDOK
//   refuse_pixel_formats          ChoosePixelFormat returns 0
//   refuse_contexts               wglCreateContext returns NULL
//   accept_swap_interval_anyway   wglSwapIntervalEXT says TRUE to an interval the driver refused
//   allow_invisible_driver        a system driver that shows nothing is taken rather than refused (for a
//                                 backend that could fall back to one)
// The other switches (memory DCs, global memory, screen size, the region log) are the emulation's.

// ---- the backend's backend.cmake ----------------------------------------------------------------
// Read by the whole build once CORVALA_BACKEND names the folder; every variable is set, empty if need be:
//   CORVALA_BACKEND_EMULATED          ON: the backend stands on emul/ and meets this contract
//   CORVALA_BACKEND_SOURCES           its sources, relative to its folder
//   CORVALA_BACKEND_TESTING_SOURCES   its part of the test library (the test-only duties above)
//   CORVALA_BACKEND_LIBRARIES         what the platform library links
//   CORVALA_BACKEND_GL                the GL provider it takes by default (platform/gl/<name>/)
//   CORVALA_BACKEND_HOST              the host services' flavour: host/*_<flavour>.cpp (posix, windows)
//   CORVALA_BACKEND_SHOWS             ON: it shows windows and their GL picture, so the framework's and
//                                     the program's tests are built over it
//   CORVALA_BACKEND_TEST_LIBRARIES    what its own tests (tests/platform/<backend>/) link beside it
//   CORVALA_BACKEND_HEADERS           its headers an installed copy carries beside win32.h
//   CORVALA_BACKEND_PACKAGES          the find_dependency() packages of an installed copy
//   CORVALA_BACKEND_PKGCONFIG         the pkg-config modules corvala.pc requires
//   CORVALA_BACKEND_DEBIAN_DEPENDS    the Debian packages libcorvala-dev depends on for it

}  // namespace win32
