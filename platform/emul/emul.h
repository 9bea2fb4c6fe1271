// Win32 behaviour on plain C++: the records behind the handles, shared by the emulation's files and by
// the backend under it (backend.h). Nothing outside platform/ sees them.
#pragma once
#include <algorithm>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/host/host.h"
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
    void* native = nullptr;  // top-level only: the backend's window
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

Window* FindWindow(HWND h);  // nullptr for 0, unknown or destroyed handles
DeviceContext* FindDC(HDC h);
HDC AddDC(std::unique_ptr<DeviceContext> dc);  // gives it a handle
void RemoveDC(HDC h);
HWND HandleOf(const Window* w);
int ClientWidth(const Window* w);  // the client (drawable) size of a window
int ClientHeight(const Window* w);
bool HasCaption(const Window* w);
POINT ClientOriginOnScreen(const Window* w);
HWND TopLevel();  // the one top-level window, if any
extern std::map<uintptr_t, std::unique_ptr<Window>> g_windows;

void ForgetWindowMessages(HWND h);                   // drops a destroyed window's queued messages
void ReleaseWindowResources(Window* w);              // its region and device contexts
void ResizeSurface(Window* w);                       // a child's pixel surface follows its size
void LoseForeground(HWND h);                         // the window lost the input focus
bool RegionContains(const Window* w, int x, int y);  // inside the window's region (true without one)
// Text a backend drew, into a child's surface: `coverage` (0..255, width x height, top row first) blended in
// `rgb` with its top-left at x, y, inside `clip` and the surface.
void BlendCoverage(Window* w, const uint8_t* coverage, int width, int height, int x, int y, const RECT& clip,
                   uint32_t rgb);
bool UnderIconic(const Window* w);  // it or a parent is minimized: nothing of it shows

// ---- what the backend feeds into the queue, as Windows would queue it ---------------------------
// A pointer message at client point (x, y) of the top-level window `top`: routed to the capture holder
// or the topmost child under the point; a move right after a move to the same window replaces it.
void QueueMouse(Window* top, UINT msg, int x, int y, WPARAM keys);
// A key message; `keys` the modifiers held with it (MK_SHIFT, MK_CONTROL), as TranslateMessage and
// DefWindowProcA read them once it is taken. An auto-repeat of a key whose WM_KEYDOWN is still queued
// raises that message's repeat count instead of queueing another.
void QueueKey(HWND h, UINT msg, WPARAM vk, LPARAM lp, bool repeat, WPARAM keys);
// What the key-down queued last typed, in Unicode code points, as the system's layout made it:
// TranslateMessage makes its WM_CHARs of it. An auto-repeat counted in a queued key-down adds no text;
// text no key-down waits for (an input method's, or a key SDL has no code for) is queued as WM_CHARs of
// the foreground window in its place among the input.
void QueueText(const std::u32string& typed);
// A turn of the wheel with the pointer at client point (x, y) of `top`: `delta` in WHEEL_DELTA units
// (forward positive), `keys` as MK_*. It goes where a click there would (the capture holder, else the
// window under the pointer), as Windows 10 does by default and Wine does, where the documented focus
// window would ignore a wheel turned over an inactive window; a child that does not scroll hands it to
// its parent. Its lParam is the point on screen.
void QueueWheel(Window* top, int x, int y, int delta, WPARAM keys);
// The modifiers held with the last key message taken from the queue: the key state a program sees.
WPARAM KeysOfLastKeyTaken();
void QueueClose(HWND h);  // the close box: one WM_CLOSE at a time
// The window was minimized or restored: its WS_MINIMIZE bit follows, and it gets the WM_SIZE Windows sends.
void SetIconic(Window* w, bool iconic);

// ---- switches the test library sets -------------------------------------------------------------
struct TestSwitches {
    bool record_boxes = false;
    bool allow_invisible_driver = false;
    bool accept_swap_interval_anyway = false;
    bool refuse_pixel_formats = false;
    bool refuse_contexts = false;
    bool refuse_memory_dcs = false;
    size_t global_memory_limit = 0;  // 0: none
    int screen_w = 0, screen_h = 0;  // 0: the real desktop
    bool log_region_calls = false;
};
TestSwitches& Switches();

// What the test library reads back.
struct RegionCall {
    uint32_t count;  // the rectangle count of the header
    uint32_t bytes;  // the byte size given
};
std::vector<RegionCall>& RegionCallLog();  // every ExtCreateRegion while logging is on
int CountLiveGdiObjects();                 // not counting stock objects
int CountMemoryDCs();
int CountGlobalBlocks();
struct RecordedBox {
    std::string caption, text;
};
std::vector<RecordedBox>& RecordedBoxes();  // the boxes shown while recording
int QueuedMessages();                       // after pumping
void FlushMessages();                       // drops every queued message and any pending quit
void ForgetClasses();

}  // namespace detail
}  // namespace win32
