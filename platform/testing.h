// Switches that tests (and benchmarks) use to run the stand-in without a person in front of it. Built
// into a test-only library (corvala_platform_testing), never into the installed one.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace win32 {
namespace testing {

struct Box {
    std::string caption;
    std::string text;
};

// Message boxes are recorded instead of shown and return IDOK at once. Off by default.
void RecordMessageBoxes(bool on);
const std::vector<Box>& RecordedBoxes();
void ClearRecordedBoxes();

// Video drivers that show nothing (SDL's "offscreen" and "dummy") are refused unless this is on.
void AllowInvisibleDriver(bool on);

// wglSwapIntervalEXT takes a refused interval as accepted, like a driver that says yes and never waits.
void AcceptSwapIntervalAnyway(bool on);

// Make ChoosePixelFormat or wglCreateContext fail, as on a system without a usable OpenGL.
void RefusePixelFormats(bool on);
void RefuseContexts(bool on);

// Pointer and key input for the top-level window as the system delivers it, through the backend's own
// events (client pixels; `keys` as MK_LBUTTON | MK_RBUTTON | MK_MBUTTON held; `message` one of
// WM_LBUTTONDOWN ... WM_MBUTTONUP). Keys by virtual-key code: letters, digits, Escape, Return, Space,
// Shift, F1 to F12 and the arrows.
void InjectMouseMove(int x, int y, unsigned keys = 0);
void InjectMouseButton(unsigned message, int x, int y);
void InjectKey(int vk, bool down);

// Pending system events are turned into messages; this pumps them without taking any message.
void PumpEvents();
// How many messages are queued (after pumping).
int QueuedMessages();
// Drops every queued message and any pending quit.
void FlushMessages();

// Forgets every registered window class, so that a test can create the framework window anew.
void ResetClasses();

// Simulated desktop size for GetSystemMetrics(SM_CXSCREEN/SM_CYSCREEN); 0, 0 restores the real one.
void SetScreenSize(int w, int h);

// GDI objects that are not stock objects, memory device contexts and global memory blocks alive
// now: what a test compares before and after to find leaks.
int LiveGdiObjects();
int LiveMemoryDCs();
int LiveGlobalBlocks();
// GlobalAlloc and GlobalReAlloc fail for blocks larger than this (0: no limit).
void LimitGlobalMemory(size_t bytes);
// CreateCompatibleDC fails, as when the system is out of device contexts.
void RefuseMemoryDCs(bool on);

// Every ExtCreateRegion call since the last clear: the rectangle count of its header and the byte
// size it was given.
struct RegionCall {
    uint32_t count;
    uint32_t bytes;
};
const std::vector<RegionCall>& RegionCalls();
void ClearRegionCalls();

// Draws the child windows' pictures over the current back buffer, as SwapBuffers does before it
// presents, so that a test can read the result back.
void CompositeChildrenNow();

// Closes what the backend still has open (GL contexts, windows, the display connection, and with it the GL
// driver's threads), for a test program to call before it exits: its window lives across tests, and the
// leak checker's exit-time stop-the-world has crashed on the driver's threads.
void CloseBackend();

}  // namespace testing
}  // namespace win32
