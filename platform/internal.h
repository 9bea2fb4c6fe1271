// Records behind the handles. Shared by the platform's files only; nothing outside platform/ sees them.
#pragma once
#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/host.h"
#include "platform/win32.h"

namespace win32 {
namespace detail {

// The emulated non-client area of a captioned window: a caption of C pixels and a frame of B on each side.
constexpr int kCaption = 16;
constexpr int kFrame = 3;

struct WindowClass {
    std::string name;
    WNDCLASSEXA rec{};  // lpszClassName points into name
};

struct Window {
    uintptr_t id = 0;
    std::string class_name;
    WNDPROC proc = nullptr;
    std::string title;
    DWORD style = 0;
    DWORD ex_style = 0;
    HWND parent = nullptr;  // 0 for the top-level window
    int control_id = 0;     // the menu argument of a child window
    // Top-level: outer rectangle in screen pixels. Child: rectangle in the parent's client pixels.
    RECT rect{};
    SDL_Window* sdl = nullptr;  // top-level only
    HCURSOR cursor = nullptr;
    bool visible = false;
    bool needs_paint = false;
    bool destroying = false;
    std::vector<HWND> children;  // in creation order: later ones are on top
    std::map<std::string, HANDLE> props;
    HRGN region = nullptr;  // window region (child windows), owned by the window
    HDC dc = nullptr;
    // Pixel surface of a child window: 32-bit 0xAARRGGBB, rows top-down, what its painting drew.
    std::vector<uint32_t> pixels;
    int surface_w = 0, surface_h = 0;
};

struct DeviceContext {
    uintptr_t id = 0;
    HWND window = nullptr;  // 0 for a memory or screen DC
    int pixel_format = 0;
    bool memory = false;
    HGDIOBJ bitmap = nullptr;   // selected bitmap (memory DCs)
    HGDIOBJ palette = nullptr;  // selected palette
};

struct Context {
    uintptr_t id = 0;
    SDL_GLContext gl = nullptr;
    HWND window = nullptr;      // 0 once the window is destroyed
    SDL_Window* sdl = nullptr;  // the drawable it was created for
    bool owns_sdl = false;      // the window is gone; the drawable is freed with this context
};

Window* FindWindow(HWND h);  // nullptr for 0, unknown or destroyed handles
DeviceContext* FindDC(HDC h);
HDC AddDC(std::unique_ptr<DeviceContext> dc);  // gives it a handle
void RemoveDC(HDC h);
HWND HandleOf(const Window* w);
bool EnsureVideo();                           // SDL video up on a driver that shows something
bool HaveDisplay();                           // DISPLAY or WAYLAND_DISPLAY names one
void NoteFailure(const std::string& reason);  // what the host said, for the fatal-error message ("" clears)
int ClientWidth(const Window* w);             // the client (drawable) size of a window
int ClientHeight(const Window* w);
bool HasCaption(const Window* w);
POINT ClientOriginOnScreen(const Window* w);
HWND TopLevel();  // the one top-level window, if any

void ApplyIcon(SDL_Window* window, HICON icon);      // the class icon becomes the SDL window icon
void ApplyCursor(HCURSOR cursor);                    // the class cursor is shown over the window
void ForgetWindowMessages(HWND h);                   // drops a destroyed window's queued messages
void ReleaseWindowResources(Window* w);              // its region, device context, GL window
void ResizeSurface(Window* w);                       // a child's pixel surface follows its size
void LoseForeground(HWND h);                         // the window lost the input focus
bool ShiftHeld();                                    // as of the last key event taken from SDL
bool RegionContains(const Window* w, int x, int y);  // inside the window's region (true without one)
extern std::map<uintptr_t, std::unique_ptr<Window>> g_windows;

// The Unicode code point of a Windows-1252 byte; 0 for the five bytes the code page leaves undefined.
uint32_t Cp1252CodePoint(unsigned char c);

// Writes 8-bit (Windows-1252) text into a child's surface in a small sans-serif face, clipped to
// `clip`; `top` is the top of the line, SurfaceTextHeight() tall.
void DrawSurfaceText(Window* w, const std::string& text, const RECT& clip, int x, int top, uint32_t rgb);
int SurfaceTextHeight();

// Child windows' surfaces drawn over the GL picture of the top-level window before it is presented;
// filled in by the GDI side, a no-op while no child has painted anything.
void CompositeChildren(Window* top);

}  // namespace detail
}  // namespace win32
