// A backend with nothing to show: native windows are the emulation's records alone, no event ever
// arrives but those a test injects, and there is no GL. It serves the tests of the emulation that need
// no display, and shows in the fewest lines what a backend fills in (emul/backend.h).
#include <cstdio>

#include "platform/emul/backend.h"
#include "platform/testing.h"

namespace win32 {
namespace backend {

bool CreateNativeWindow(detail::Window*, const char*, int, int, int, int, bool) { return true; }
void ShowNativeWindow(detail::Window*, bool) {}
void PlaceNativeWindow(detail::Window*, int, int, int, int) {}
void RaiseNativeWindow(detail::Window*) {}
void FocusNativeWindow(detail::Window*) {}
void MinimizeNativeWindow(detail::Window*, bool) {}
bool NativeClientOrigin(const detail::Window*, POINT*) { return false; }
void SetNativeIcon(detail::Window*, HICON) {}
void SetNativeCursor(HCURSOR) {}
void ReleaseNativeWindow(detail::Window* w) { w->native = nullptr; }

void PumpEvents() {}
void WaitForEvents(int) {}
void CaptureMouse(bool) {}
bool CursorPos(POINT*) { return false; }
bool SetCursorPos(int, int) { return false; }
bool ScreenSize(int* w, int* h) {
    *w = 1280;
    *h = 1024;
    return true;
}

void DrawSurfaceText(detail::Window*, const std::string&, const RECT&, int, int, uint32_t) {}
int SurfaceTextHeight() { return 14; }

bool HaveDisplay() { return false; }  // nothing is shown, so a fatal error is told on standard error alone

}  // namespace backend

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT) {
    if (detail::Switches().record_boxes) detail::RecordedBoxes().push_back({caption ? caption : "", text ? text : ""});
    else std::fprintf(stderr, "%s: %s\n", host::Cp1252ToUtf8(caption).c_str(), host::Cp1252ToUtf8(text).c_str());
    return IDOK;
}

// Input goes straight into the queue, as a backend's event translation would put it there.
namespace testing {
void InjectMouseMove(int x, int y, unsigned keys) {
    if (detail::Window* top = detail::FindWindow(detail::TopLevel())) detail::QueueMouse(top, WM_MOUSEMOVE, x, y, keys);
}
void InjectMouseButton(unsigned message, int x, int y) {
    const WPARAM held = message == WM_LBUTTONDOWN ? MK_LBUTTON : message == WM_RBUTTONDOWN ? MK_RBUTTON : 0;
    if (detail::Window* top = detail::FindWindow(detail::TopLevel())) detail::QueueMouse(top, message, x, y, held);
}
void InjectKey(int vk, bool down) {
    const LPARAM lp = down ? 1 : 1 | LPARAM(3) << 30;
    detail::QueueKey(detail::TopLevel(), down ? WM_KEYDOWN : WM_KEYUP, WPARAM(vk), lp, false, 0);
}
void CompositeChildrenNow() {}
void CloseBackend() {}
}  // namespace testing

}  // namespace win32
