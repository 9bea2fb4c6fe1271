// The SDL backend's message boxes: a real modal box where there is a display, standard error where
// there is none, and a record for tests (a box under Xvfb would wait for a click that never comes).
// A box can be answered with Enter or Escape, and a signal that ends the program ends it with a box up.
#include <SDL.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <pthread.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "platform/emul/backend.h"

namespace win32 {
namespace {
// ---- a box that can be ended and answered ---------------------------------------------------------
// SDL's X11 box runs in a child process that SDL forks, and the parent waits for it, retrying
// whenever a signal interrupts the wait; SDL's own SIGTERM and SIGINT handlers only queue a quit
// event. So while a box is up, our handlers take over: a fatal error's box ends the program at once
// (exit code 1); any other box is closed and the signal handed on to whoever had it before. The
// child learns to die with its parent and tells us its id through a pipe, from a fork handler.
volatile sig_atomic_t g_box_forking = 0;  // a box is being shown: forks now are SDL's box child
volatile sig_atomic_t g_box_fatal = 0;
volatile sig_atomic_t g_box_signal = 0;  // the signal that came while the box was up
volatile sig_atomic_t g_box_child = 0;   // the box child's process id, once known
int g_box_pipe[2] = {-1, -1};
std::string g_box_title;
std::atomic<bool> g_box_done{false};
std::thread g_box_watcher;  // started once SDL has forked, so no thread of ours can hold a lock the child needs

void focus_box(const std::string& title, const std::atomic<bool>& done);

void box_child_after_fork() {
    if (!g_box_forking) return;
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);  // no box outlives the program
    // Ctrl+C reaches the whole process group: the box goes with it, as a window of the program would.
    ::signal(SIGTERM, SIG_DFL);
    ::signal(SIGINT, SIG_DFL);
    const pid_t self = ::getpid();
    if (::write(g_box_pipe[1], &self, sizeof self) != sizeof self) _exit(1);
}

void box_parent_after_fork() {
    if (!g_box_forking) return;
    pid_t child = 0;
    if (::read(g_box_pipe[0], &child, sizeof child) == sizeof child) g_box_child = child;
    if (g_box_signal && g_box_child > 0) ::kill(g_box_child, SIGKILL);  // the signal came before the fork
    if (!g_box_watcher.joinable()) g_box_watcher = std::thread(focus_box, g_box_title, std::cref(g_box_done));
}

void on_box_signal(int sig) {
    if (g_box_fatal) _exit(1);
    g_box_signal = sig;
    if (g_box_child > 0) ::kill(g_box_child, SIGKILL);
}

// The box is its own process's window, which window managers that prevent focus stealing leave
// unfocused, and without one the keyboard follows the pointer: then Enter and Escape, which SDL's
// box does answer, never reach it. This watcher gives the box the focus once it is shown.
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

void focus_box(const std::string& title, const std::atomic<bool>& done) {
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
        std::this_thread::sleep_for(kStep);
    }
    XCloseDisplay(d);
}

// SDL's box, with the signals and the focus seen to. False when SDL could not show one.
bool show_box(const std::string& caption, const std::string& text, bool fatal) {
    static pthread_once_t once = PTHREAD_ONCE_INIT;
    pthread_once(&once, [] { pthread_atfork(nullptr, box_parent_after_fork, box_child_after_fork); });
    if (::pipe2(g_box_pipe, O_CLOEXEC) != 0) g_box_pipe[0] = g_box_pipe[1] = -1;
    g_box_fatal = fatal;
    g_box_signal = 0;
    g_box_child = 0;
    struct sigaction ours {
    }, old_term{}, old_int{};
    ours.sa_handler = on_box_signal;
    sigemptyset(&ours.sa_mask);
    ::sigaction(SIGTERM, &ours, &old_term);
    ::sigaction(SIGINT, &ours, &old_int);
    g_box_title = caption;
    g_box_done = false;
    g_box_forking = g_box_pipe[0] >= 0;

    const bool shown = SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption.c_str(), text.c_str(), nullptr) == 0;
    g_box_done = true;
    if (g_box_watcher.joinable()) g_box_watcher.join();

    g_box_forking = 0;
    ::sigaction(SIGTERM, &old_term, nullptr);
    ::sigaction(SIGINT, &old_int, nullptr);
    for (int& fd : g_box_pipe) {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
    if (g_box_signal) {
        if (fatal) _exit(1);
        ::raise(g_box_signal);  // to the handler before ours, or the default that ends the program
        return true;
    }
    return shown;
}
}  // namespace

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT) {
    if (detail::Switches().record_boxes) {
        detail::RecordedBoxes().push_back({caption ? caption : "", text ? text : ""});
        return IDOK;
    }
    const std::string t = host::Cp1252ToUtf8(text), c = host::Cp1252ToUtf8(caption);
    // The fatal-error path's box ends the program with exit code 1 whatever ends the box; that path has
    // written its text on standard error already, so a box that cannot be shown adds nothing there.
    const bool fatal = host::FatalErrorShowing();
    if ((!backend::HaveDisplay() || !show_box(c, t, fatal)) && !fatal)
        std::fprintf(stderr, "%s: %s\n", c.c_str(), t.c_str());
    return IDOK;
}

}  // namespace win32
