// The SDL backend on Linux: a box that can be ended with the program, the system's fonts, and libraries
// kept loaded for the leak checker.
#include <SDL.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <link.h>
#include <pthread.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <csignal>
#include <mutex>
#include <thread>

#include "platform/sdl/native.h"

namespace win32 {
namespace sdl {
namespace {
// SDL's box runs in a child process that SDL forks, and the parent waits for it, retrying whenever a
// signal interrupts the wait; SDL's own SIGTERM and SIGINT handlers only queue a quit event. So while a
// box is up, our handlers take over: a fatal error's box ends the program at once (exit code 1); any
// other box is closed and the signal handed on to whoever had it before. The child learns to die with
// its parent and tells us its id through a pipe, from a fork handler.
volatile sig_atomic_t g_box_forking = 0;  // a box is being shown: forks now are SDL's box child
volatile sig_atomic_t g_box_fatal = 0;
volatile sig_atomic_t g_box_signal = 0;  // the signal that came while the box was up
volatile sig_atomic_t g_box_child = 0;   // the box child's process id, once known
int g_box_pipe[2] = {-1, -1};
std::string g_box_title;
std::atomic<bool> g_box_done{false};
std::thread g_box_watcher;  // started once SDL has forked
// SDL may fork more than once for one box (it tries another toolkit's box first), so the watcher can be
// running at a later fork: it works only while holding this, and a fork waits for it, so the child never
// inherits a lock (the allocator's, Xlib's) that the watcher held.
std::mutex g_box_watcher_busy;

void box_before_fork() {
    if (g_box_forking) g_box_watcher_busy.lock();
}

void box_child_after_fork() {
    if (!g_box_forking) return;
    g_box_watcher_busy.unlock();
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);  // no box outlives the program
    // Ctrl+C reaches the whole process group: the box goes with it, as a window of the program would.
    ::signal(SIGTERM, SIG_DFL);
    ::signal(SIGINT, SIG_DFL);
    const pid_t self = ::getpid();
    if (::write(g_box_pipe[1], &self, sizeof self) != sizeof self) _exit(1);
}

void box_parent_after_fork() {
    if (!g_box_forking) return;
    g_box_watcher_busy.unlock();
    pid_t child = 0;
    if (::read(g_box_pipe[0], &child, sizeof child) == sizeof child) g_box_child = child;
    if (g_box_signal && g_box_child > 0) ::kill(g_box_child, SIGKILL);  // the signal came before the fork
    if (!g_box_watcher.joinable())
        g_box_watcher =
            std::thread(FocusBoxWhenShown, g_box_title, std::cref(g_box_done), std::ref(g_box_watcher_busy));
}

void on_box_signal(int sig) {
    if (g_box_fatal) _exit(1);
    g_box_signal = sig;
    if (g_box_child > 0) ::kill(g_box_child, SIGKILL);
}
}  // namespace

bool ShowErrorBox(const std::string& caption, const std::string& text, bool fatal) {
    static pthread_once_t once = PTHREAD_ONCE_INIT;
    pthread_once(&once, [] { pthread_atfork(box_before_fork, box_parent_after_fork, box_child_after_fork); });
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

std::vector<std::string> SurfaceFontFiles() {
    return {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", "/usr/share/fonts/dejavu/DejaVuSans.ttf",
            "/usr/share/fonts/TTF/DejaVuSans.ttf"};
}

// Closing the display unloads the GL driver, and what the driver keeps until the end would then lose its
// name for the leak checker (and its suppression); every library loaded now stays.
void KeepLoadedLibraries() {
    std::vector<std::string> names;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* out) {
            if (info->dlpi_name && *info->dlpi_name)
                static_cast<std::vector<std::string>*>(out)->push_back(info->dlpi_name);
            return 0;
        },
        &names);
    for (const std::string& name : names) dlopen(name.c_str(), RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
}

}  // namespace sdl
}  // namespace win32
