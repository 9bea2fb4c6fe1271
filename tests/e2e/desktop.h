// Driving a program on the X display from outside: processes with deadlines, xdotool, screenshots, and a
// desktop of its own (an X server claiming 144 Hz with a real window manager) for the tests that want one.
#pragma once
#include <sys/types.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

// `s` as one shell word: in single quotes, each ' inside closed, escaped and reopened.
std::string Quoted(const std::string& s);
// Runs a shell command under a hard time limit; returns its exit status (124 when it was cut short).
int Run(const std::string& command, int seconds);
// As Run, and returns what the command wrote to standard output.
std::string Capture(const std::string& command, int seconds, int* status = nullptr);

// A started program in its own process group, so that whatever it started can be ended with it.
struct Process {
    pid_t pid = -1;
    bool exited = false;
    int status = 0;  // as waitpid reports it, once exited
};
// How a program is started: its arguments, changes to the environment ("NAME=value" sets, "NAME" removes),
// and files that receive its standard output and error ("" leaves them as they are).
struct Launch {
    std::vector<std::string> args;
    std::vector<std::string> env;
    std::string out, err;
};
Process Start(const std::string& path, const std::string& working_dir, const Launch& how = Launch());
// Ends the process when the scope does, however a test leaves it.
struct EndAtScopeExit {
    Process& p;
    ~EndAtScopeExit();
};
// Waits up to `seconds` for the process to end; false when it is still running.
bool WaitExit(Process& p, double seconds);
// Ends the process group if it still runs.
void Kill(Process& p);
bool Running(Process& p);

// The processor time `pid` has used so far, user and system (/proc/PID/stat), in seconds; -1 if unreadable.
double CpuSeconds(pid_t pid);
// The share of one core `pid` uses over the next `seconds` (0.5: half a core); -1 if unreadable.
double CpuShare(pid_t pid, double seconds);

struct Geometry {
    int x = 0, y = 0, width = 0, height = 0;
};
// The window whose title is exactly `title`, waiting up to `seconds` for it to be mapped; 0 if none.
unsigned long FindWindow(const std::string& title, double seconds);
bool WindowGeometry(unsigned long window, Geometry* g);

// A screenshot of the whole X screen.
struct Shot {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
    bool ok() const { return width > 0 && height > 0; }
    const uint8_t* at(int x, int y) const { return &rgb[(size_t(y) * size_t(width) + size_t(x)) * 3]; }
};
Shot Screenshot();

// Pixel figures over the rectangle [x0, x1) x [y0, y1) in screen coordinates.
double MeanLuma(const Shot& s, int x0, int y0, int x1, int y1);
int CountDiffering(const Shot& a, const Shot& b, int x0, int y0, int x1, int y1, int threshold);

void Sleep(double seconds);
double Now();  // monotonic seconds
// Calls `done` every `step` seconds until it holds or `seconds` have passed; whether it held.
template <class Pred>
bool WaitFor(Pred done, double seconds, double step = 0.05) {
    const double end = Now() + seconds;
    for (;;) {
        if (done()) return true;
        if (Now() > end) return false;
        Sleep(step);
    }
}
std::string ReadFile(const std::string& path);
// The keyboard's auto-repeat on the X display: first repeat after `delay_ms`, then every `interval_ms`.
bool SetKeyRepeat(int delay_ms, int interval_ms);

// Puts keysyms (by name, as xdotool takes them) on keys of the X keyboard, each in place of the key
// whose first symbol is named beside it, for as long as it lives, and gives the keys back after. xdotool
// then types them on a key of the layout, as a person would, instead of on a key it maps for an instant
// (which a program that reads the event after the instant sees as nothing). The display stays open with
// it: a server with no client left resets its keymap.
class KeysOnKeyboard {
public:
    // {key's symbol now, symbol it is to type}
    explicit KeysOnKeyboard(const std::vector<std::pair<std::string, std::string>>& keys);
    ~KeysOnKeyboard();
    KeysOnKeyboard(const KeysOnKeyboard&) = delete;
    KeysOnKeyboard& operator=(const KeysOnKeyboard&) = delete;
    bool ok() const { return ok_; }

private:
    struct Saved {
        int keycode;
        std::vector<unsigned long> symbols;
    };
    void* display_ = nullptr;
    std::vector<Saved> saved_;
    bool ok_ = false;
};

// Xorg with the dummy video driver on a free display number, its one mode 1280 x 1024 at 144 Hz, and
// openbox on it. The constructor waits until both answer and points DISPLAY at it; the destructor stops
// both and gives DISPLAY back. ok() is false (and why() says why) when either could not be started.
class Desktop {
public:
    explicit Desktop(const std::string& config);
    ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;
    bool ok() const { return ok_; }
    const std::string& why() const { return why_; }
    const std::string& display() const { return display_; }

private:
    Process server_, wm_;
    std::string display_, old_display_, why_, log_;
    bool had_display_ = false, ok_ = false;
};

}  // namespace e2e
