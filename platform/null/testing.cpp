// The null backend's part of the test library, and the web backend's: with no events of its own, input goes
// straight into the queue as a backend's event translation would put it there, and there is no picture to
// draw into.
#include "platform/testing.h"
#include "platform/emul/backend.h"

namespace win32 {
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
