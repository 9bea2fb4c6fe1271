// The web backend's events: what the page's listeners queued becomes the messages Windows would queue,
// and waiting gives the browser its turn.
#include <string>

#include "platform/emul/backend.h"
#include "platform/web/web.h"

namespace win32 {
namespace backend {

void PumpEvents() {
    int e[5];
    while (web_next_event(e)) {
        detail::Window* top = detail::FindWindow(detail::TopLevel());
        if (!web::IsCanvas(top)) continue;  // nothing shows the events' window any more
        const HWND h = detail::HandleOf(top);
        switch (e[0]) {
        case kWebMouse: detail::QueueMouse(top, UINT(e[1]), e[2], e[3], WPARAM(e[4])); break;
        case kWebKey: {
            const bool down = e[2] != 0, repeat = e[3] != 0;
            LPARAM lp = 1;
            if (repeat) lp |= LPARAM(1) << 30;
            if (!down) lp |= LPARAM(3) << 30;
            detail::QueueKey(h, down ? WM_KEYDOWN : WM_KEYUP, WPARAM(e[1]), lp, repeat, WPARAM(e[4]));
            break;
        }
        case kWebText: detail::QueueText(std::u32string(1, char32_t(e[1]))); break;
        case kWebWheel: detail::QueueWheel(top, e[1], e[2], e[3], WPARAM(e[4])); break;
        case kWebFocus: SetForegroundWindow(h); break;
        default: break;
        }
    }
}

void WaitForEvents(int ms) { web_wait(ms); }

}  // namespace backend
}  // namespace win32
