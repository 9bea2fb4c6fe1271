#include "tests/e2e/desktop.h"

#include <X11/XKBlib.h>

#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <fcntl.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "tests/support/x_display.h"

extern char** environ;

namespace e2e {
namespace {

// `timeout` ends the command (and, with -k, kills it) however it misbehaves; the command may quote its
// own arguments.
std::string Limited(const std::string& command, int seconds) {
    return "timeout -k 2 " + std::to_string(seconds) + " sh -c " + Quoted(command);
}

}  // namespace

std::string Quoted(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

double Now() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void Sleep(double seconds) {
    timespec ts{time_t(seconds), long((seconds - double(time_t(seconds))) * 1e9)};
    while (nanosleep(&ts, &ts) != 0) {}
}

int Run(const std::string& command, int seconds) {
    const int st = std::system(Limited(command, seconds).c_str());
    return WIFEXITED(st) ? WEXITSTATUS(st) : 128;
}

std::string Capture(const std::string& command, int seconds, int* status) {
    std::string out;
    FILE* f = popen(Limited(command, seconds).c_str(), "r");
    if (!f) {
        if (status) *status = 127;
        return out;
    }
    char buf[65536];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
    const int st = pclose(f);
    if (status) *status = WIFEXITED(st) ? WEXITSTATUS(st) : 128;
    return out;
}

Process Start(const std::string& path, const std::string& working_dir, const Launch& how) {
    // Everything the child needs is built before the fork; after it only system calls run.
    std::vector<std::string> args{path};
    args.insert(args.end(), how.args.begin(), how.args.end());
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry(*e), name = entry.substr(0, entry.find('='));
        bool changed = false;
        for (const std::string& c : how.env) changed = changed || c.substr(0, c.find('=')) == name;
        if (!changed) env.push_back(entry);
    }
    for (const std::string& c : how.env)
        if (c.find('=') != std::string::npos) env.push_back(c);
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    Process p;
    p.pid = fork();
    if (p.pid == 0) {
        setpgid(0, 0);
        if (chdir(working_dir.c_str()) != 0) _exit(126);
        const int in = open("/dev/null", O_RDONLY);
        if (in >= 0) dup2(in, 0);
        if (!how.out.empty()) {
            const int fd = open(how.out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd < 0 || dup2(fd, 1) < 0) _exit(126);
        }
        if (!how.err.empty()) {
            const int fd = open(how.err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd < 0 || dup2(fd, 2) < 0) _exit(126);
        }
        execve(path.c_str(), argv.data(), envp.data());
        _exit(127);
    }
    if (p.pid > 0) setpgid(p.pid, p.pid);  // either side may get there first
    return p;
}

bool Running(Process& p) {
    if (p.pid <= 0 || p.exited) return false;
    if (waitpid(p.pid, &p.status, WNOHANG) == p.pid) p.exited = true;
    return !p.exited;
}

bool WaitExit(Process& p, double seconds) {
    const double end = Now() + seconds;
    while (Running(p)) {
        if (Now() > end) return false;
        Sleep(0.02);
    }
    return p.exited;
}

EndAtScopeExit::~EndAtScopeExit() { Kill(p); }

double CpuSeconds(pid_t pid) {
    const std::string stat = ReadFile("/proc/" + std::to_string(pid) + "/stat");
    // The command name in parentheses may hold spaces; the fields after it are counted from its end.
    const size_t close = stat.rfind(')');
    if (close == std::string::npos) return -1;
    std::istringstream fields(stat.substr(close + 1));
    std::string field;
    unsigned long long utime = 0, stime = 0;
    for (int i = 3; i <= 13 && fields >> field; ++i) {}  // state .. cmajflt
    if (!(fields >> utime >> stime)) return -1;
    return double(utime + stime) / double(sysconf(_SC_CLK_TCK));
}

double CpuShare(pid_t pid, double seconds) {
    const double c0 = CpuSeconds(pid), t0 = Now();
    Sleep(seconds);
    const double c1 = CpuSeconds(pid), t1 = Now();
    return c0 < 0 || c1 < 0 ? -1 : (c1 - c0) / (t1 - t0);
}

void Kill(Process& p) {
    if (!Running(p)) return;
    kill(-p.pid, SIGKILL);
    waitpid(p.pid, &p.status, 0);
    p.exited = true;
}

unsigned long FindWindow(const std::string& title, double seconds) {
    const double end = Now() + seconds;
    do {
        int st = 0;
        const std::string out = Capture("xdotool search --onlyvisible --name \"^" + title + "$\"", 5, &st);
        unsigned long id = 0;
        if (st == 0 && std::sscanf(out.c_str(), "%lu", &id) == 1 && id != 0) return id;
        Sleep(0.1);
    } while (Now() < end);
    return 0;
}

bool WindowGeometry(unsigned long window, Geometry* g) {
    // xwininfo, not xdotool: under a window manager that reparents, xdotool counts the frame twice.
    int st = 0;
    std::istringstream in(Capture("xwininfo -id " + std::to_string(window), 5, &st));
    if (st != 0) return false;
    int found = 0;
    for (std::string line; std::getline(in, line);) {
        const auto colon = line.find(':');
        if (colon == std::string::npos) continue;
        const std::string key = line.substr(line.find_first_not_of(' '), colon - line.find_first_not_of(' '));
        const int value = std::atoi(line.c_str() + colon + 1);
        if (key == "Absolute upper-left X") g->x = value, ++found;
        else if (key == "Absolute upper-left Y") g->y = value, ++found;
        else if (key == "Width") g->width = value, ++found;
        else if (key == "Height") g->height = value, ++found;
    }
    return found == 4;
}

Shot Screenshot() {
    Shot s;
    int st = 0;
    const std::string ppm = Capture("import -silent -window root -depth 8 ppm:-", 20, &st);
    if (st != 0) return s;
    // Binary PPM: "P6", width, height, maximum (255), one blank, then the samples.
    std::istringstream in(ppm);
    std::string magic;
    int w = 0, h = 0, maxval = 0;
    in >> magic >> w >> h >> maxval;
    if (magic != "P6" || w <= 0 || h <= 0 || maxval != 255) return s;
    const size_t start = size_t(in.tellg()) + 1;
    const size_t bytes = size_t(w) * size_t(h) * 3;
    if (ppm.size() < start + bytes) return s;
    s.width = w;
    s.height = h;
    s.rgb.assign(ppm.begin() + long(start), ppm.begin() + long(start + bytes));
    return s;
}

double MeanLuma(const Shot& s, int x0, int y0, int x1, int y1) {
    double sum = 0;
    long n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const uint8_t* p = s.at(x, y);
            sum += 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2];
            ++n;
        }
    return n ? sum / double(n) : 0;
}

int CountDiffering(const Shot& a, const Shot& b, int x0, int y0, int x1, int y1, int threshold) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const uint8_t* p = a.at(x, y);
            const uint8_t* q = b.at(x, y);
            const int d = std::abs(p[0] - q[0]) + std::abs(p[1] - q[1]) + std::abs(p[2] - q[2]);
            if (d > threshold) ++n;
        }
    return n;
}

bool SetKeyRepeat(int delay_ms, int interval_ms) {
    Display* x = XOpenDisplay(nullptr);
    if (!x) return false;
    const bool set = XkbSetAutoRepeatRate(x, XkbUseCoreKbd, unsigned(delay_ms), unsigned(interval_ms));
    XSync(x, False);
    XCloseDisplay(x);
    return set;
}

KeysOnKeyboard::KeysOnKeyboard(const std::vector<std::pair<std::string, std::string>>& keys) {
    Display* x = XOpenDisplay(nullptr);
    display_ = x;
    if (!x) return;
    ok_ = true;
    for (const auto& [now, wanted] : keys) {
        const KeySym from = XStringToKeysym(now.c_str()), to = XStringToKeysym(wanted.c_str());
        const KeyCode keycode = from == NoSymbol ? 0 : XKeysymToKeycode(x, from);
        if (!keycode || to == NoSymbol) {
            ok_ = false;
            continue;
        }
        int per = 0;
        KeySym* symbols = XGetKeyboardMapping(x, keycode, 1, &per);
        if (!symbols) {
            ok_ = false;
            continue;
        }
        saved_.push_back({keycode, std::vector<unsigned long>(symbols, symbols + per)});
        // Unshifted and shifted alike, and nothing in the other groups.
        for (int i = 0; i < per; ++i) symbols[i] = i < 2 ? to : NoSymbol;
        XChangeKeyboardMapping(x, keycode, per, symbols, 1);
        XFree(symbols);
    }
    XSync(x, False);
}

KeysOnKeyboard::~KeysOnKeyboard() {
    Display* x = static_cast<Display*>(display_);
    if (!x) return;
    for (Saved& s : saved_) {
        std::vector<KeySym> symbols(s.symbols.begin(), s.symbols.end());
        XChangeKeyboardMapping(x, s.keycode, int(symbols.size()), symbols.data(), 1);
    }
    XSync(x, False);
    XCloseDisplay(x);
}

Desktop::Desktop(const std::string& config) {
    const char* d = std::getenv("DISPLAY");
    had_display_ = d != nullptr;
    old_display_ = d ? d : "";
    display_ = testsupport::UnusedXDisplay(60);
    log_ = "/tmp/wobblefin-e2e-xorg" + display_.substr(1) + ".log";
    const std::string& log = log_;
    server_ = Start(
        "/usr/bin/Xorg", "/",
        {{"-config", config, "-noreset", "-nolisten", "tcp", "-logfile", log, display_}, {}, "/dev/null", "/dev/null"});
    const std::string on = "DISPLAY=" + display_ + " ";
    if (!WaitFor([&] { return Running(server_) && Run(on + "xdotool getdisplaygeometry >/dev/null 2>&1", 5) == 0; }, 30,
                 0.1)) {
        why_ = "Xorg with the dummy driver did not come up on " + display_ + " (see " + log + ")";
        return;
    }
    wm_ = Start("/usr/bin/openbox", "/", {{"--sm-disable"}, {"DISPLAY=" + display_}, "/dev/null", "/dev/null"});
    // A window manager that follows the desktop conventions announces itself on the root window.
    if (!WaitFor(
            [&] {
                return Running(wm_) &&
                       Capture(on + "xprop -root _NET_SUPPORTING_WM_CHECK", 5).find("window id") != std::string::npos;
            },
            30, 0.1)) {
        why_ = "openbox did not start on " + display_;
        return;
    }
    setenv("DISPLAY", display_.c_str(), 1);
    ok_ = true;
}

// Asked to end first, so that the X server removes its lock file and socket; killed if it does not.
void Stop(Process& p) {
    if (!Running(p)) return;
    kill(-p.pid, SIGTERM);
    if (!WaitExit(p, 10)) Kill(p);
}

Desktop::~Desktop() {
    Stop(wm_);
    Stop(server_);
    if (ok_) std::remove(log_.c_str());  // kept when the server would not start: it says why
    if (had_display_) setenv("DISPLAY", old_display_.c_str(), 1);
    else unsetenv("DISPLAY");
}

}  // namespace e2e
