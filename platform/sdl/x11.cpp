// The SDL backend on X11: the display named and opened before SDL is asked, X errors kept as reasons
// rather than the end of the program, and the focus for a box another process shows.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/emul/backend.h"
#include "platform/sdl/native.h"
#include "platform/sdl/sdl.h"

namespace win32 {
namespace sdl {
namespace {

// Xlib's own handler prints the request and exits; a driver that cannot make a context must end in the
// program's message instead, so the error is kept as the reason and the call that caused it fails.
int keep_x_error(Display* display, XErrorEvent* e) {
    char text[256] = "";
    XGetErrorText(display, e->error_code, text, sizeof text);
    host::NoteFailure(std::string("X error: ") + text + " (request " + std::to_string(int(e->request_code)) + "." +
                      std::to_string(int(e->minor_code)) + ")");
    return 0;
}

// SDL would go on from an X server that is not there to its other drivers (Wayland's complains about
// its runtime folder on standard error) and end on one that shows nothing: the X display that cannot be
// opened is the reason. Left to SDL when a Wayland display is named too.
bool x_display_opens() {
    const char* name = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (!name || !*name || (wayland && *wayland)) return true;
    Display* probe = XOpenDisplay(name);
    if (probe) {
        XCloseDisplay(probe);
        return true;
    }
    host::NoteFailure(std::string("cannot open display \"") + name + "\"");
    NoteDisplayUnreachable();
    return false;
}

// The box is its own process's window, which window managers that prevent focus stealing leave
// unfocused, and without one the keyboard follows the pointer: then Enter and Escape, which SDL's
// box does answer, never reach it.
Window find_box(Display* d, Window w, const std::string& title, int depth) {
    XTextProperty prop{};
    bool match = false;
    if (XGetWMName(d, w, &prop) && prop.value) {
        match = title == std::string(reinterpret_cast<char*>(prop.value), prop.nitems);
        XFree(prop.value);
    }
    XWindowAttributes a{};
    if (match && XGetWindowAttributes(d, w, &a) && a.map_state == IsViewable) return w;
    if (depth >= 3) return 0;  // a window manager's frames put the box one or two levels down
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int n = 0;
    Window found = 0;
    if (XQueryTree(d, w, &root, &parent, &children, &n)) {
        for (unsigned int i = n; i-- > 0 && !found;) found = find_box(d, children[i], title, depth + 1);
        if (children) XFree(children);
    }
    return found;
}

}  // namespace

bool DisplayNamed() {
    const char* x = std::getenv("DISPLAY");
    const char* w = std::getenv("WAYLAND_DISPLAY");
    return (x && *x) || (w && *w);
}

bool ReachDisplay() {
    if (!backend::HaveDisplay()) {
        // SDL would quietly pick a driver nobody can see (and its probes talk on standard error).
        host::NoteFailure("no display: DISPLAY is not set");
        return false;
    }
    return x_display_opens();
}

void KeepWindowingErrors() { XSetErrorHandler(keep_x_error); }  // SDL chains its own handler to this one

void FocusBoxWhenShown(const std::string& title, const std::atomic<bool>& done, std::mutex& busy) {
    std::unique_lock<std::mutex> lock(busy);
    Display* d = XOpenDisplay(nullptr);
    if (!d) return;
    constexpr auto kStep = std::chrono::milliseconds(50);
    constexpr int kTries = 400;  // looks for 20 seconds: a box is shown well before that
    for (int i = 0; i < kTries && !done; ++i) {
        const Window box = find_box(d, DefaultRootWindow(d), title, 0);
        if (box) {
            // Window managers take a request through _NET_ACTIVE_WINDOW; without one, the focus is set.
            XEvent e{};
            e.xclient.type = ClientMessage;
            e.xclient.window = box;
            e.xclient.message_type = XInternAtom(d, "_NET_ACTIVE_WINDOW", False);
            e.xclient.format = 32;
            e.xclient.data.l[0] = 2;  // from a pager: honoured even where applications are not
            XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
            XRaiseWindow(d, box);
            XSetInputFocus(d, box, RevertToPointerRoot, CurrentTime);
            XSync(d, False);
            break;
        }
        lock.unlock();  // a fork may come while it waits
        std::this_thread::sleep_for(kStep);
        lock.lock();
    }
    XCloseDisplay(d);
}

}  // namespace sdl
}  // namespace win32
