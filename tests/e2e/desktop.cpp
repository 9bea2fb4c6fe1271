#include "tests/e2e/desktop.h"

#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace e2e {
namespace {

// `timeout` ends the command (and, with -k, kills it) however it misbehaves.
std::string Limited(const std::string& command, int seconds) {
    return "timeout -k 2 " + std::to_string(seconds) + " sh -c '" + command + "'";
}

double Now() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

}  // namespace

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

Process Start(const std::string& path, const std::string& working_dir) {
    Process p;
    p.pid = fork();
    if (p.pid == 0) {
        setpgid(0, 0);
        if (chdir(working_dir.c_str()) != 0) _exit(126);
        execl(path.c_str(), path.c_str(), static_cast<char*>(nullptr));
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
    int st = 0;
    std::istringstream in(Capture("xdotool getwindowgeometry --shell " + std::to_string(window), 5, &st));
    if (st != 0) return false;
    int found = 0;
    for (std::string line; std::getline(in, line);) {
        const auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = line.substr(0, eq);
        const int value = std::atoi(line.c_str() + eq + 1);
        if (key == "X") g->x = value, ++found;
        else if (key == "Y") g->y = value, ++found;
        else if (key == "WIDTH") g->width = value, ++found;
        else if (key == "HEIGHT") g->height = value, ++found;
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

}  // namespace e2e
