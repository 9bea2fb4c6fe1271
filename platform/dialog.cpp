// Message boxes: a real modal box where there is a display, standard error where there is none,
// and a recorder for tests (a box under Xvfb would wait for a click that never comes). The fatal-error
// path lives here too, so that box, standard error and exit code are decided in one place.
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

#include "platform/host.h"
#include "platform/internal.h"
#include "platform/testing.h"
#include "platform/win32.h"

namespace win32 {
namespace {
bool g_record = false;
std::vector<testing::Box> g_boxes;
std::string g_failure;

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

// The program's texts are Windows-1252; SDL wants UTF-8.

std::string Cp1252ToUtf8(const char* s) {
    std::string out;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(s ? s : ""); *p; ++p) {
        uint32_t cp = detail::Cp1252CodePoint(*p);
        if (cp == 0) cp = 0xFFFD;  // the bytes the code page leaves undefined
        if (cp < 0x80) {
            out += char(cp);
        } else if (cp < 0x800) {
            out += char(0xC0 | (cp >> 6));
            out += char(0x80 | (cp & 0x3F));
        } else {
            out += char(0xE0 | (cp >> 12));
            out += char(0x80 | ((cp >> 6) & 0x3F));
            out += char(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

namespace testing {
void RecordMessageBoxes(bool on) { g_record = on; }
const std::vector<Box>& RecordedBoxes() { return g_boxes; }
void ClearRecordedBoxes() { g_boxes.clear(); }
}  // namespace testing

bool MessageBoxWritesToStderr() { return !g_record && !detail::HaveDisplay(); }

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT) {
    if (g_record) {
        g_boxes.push_back({caption ? caption : "", text ? text : ""});
        return IDOK;
    }
    const std::string t = Cp1252ToUtf8(text), c = Cp1252ToUtf8(caption);
    if (!detail::HaveDisplay() || !show_box(c, t, false)) {
        std::fprintf(stderr, "%s: %s\n", c.c_str(), t.c_str());
    }
    return IDOK;
}

namespace detail {
void NoteFailure(const std::string& reason) { g_failure = reason; }
}  // namespace detail

std::string HostFailureReason() { return g_failure; }

void FatalError(const char* caption, const char* text) {
    const std::string t = Cp1252ToUtf8(text), c = Cp1252ToUtf8(caption);
    const std::string reason = HostFailureReason();
    // A terminal or a log gets the text once, before a box waits for its click. Without a display
    // there is no box, and the reason joins the text on one line.
    if (reason.empty()) std::fprintf(stderr, "%s: %s\n", c.c_str(), t.c_str());
    else if (!detail::HaveDisplay()) std::fprintf(stderr, "%s: %s (%s)\n", c.c_str(), t.c_str(), reason.c_str());
    else std::fprintf(stderr, "%s: %s\n%s\n", c.c_str(), t.c_str(), reason.c_str());
    std::fflush(stderr);
    if (g_record) {
        g_boxes.push_back({caption ? caption : "", text ? text : ""});
    } else if (detail::HaveDisplay()) {
        const std::string shown = reason.empty() ? t : t + "\n\n" + reason;
        show_box(c, shown, true);
    }
    std::exit(1);
}

}  // namespace win32
