// Time and notices on POSIX.
#include <time.h>

#include <cerrno>
#include <cstdio>

#include "platform/host/host.h"

namespace host {

uint64_t MonotonicNs() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return uint64_t(ts.tv_sec) * 1000000000ull + uint64_t(ts.tv_nsec);
}

void SleepUntilNs(uint64_t when) {
    for (uint64_t t = MonotonicNs(); t < when; t = MonotonicNs()) {
        const uint64_t left = when - t;
        timespec ts{time_t(left / 1000000000ull), long(left % 1000000000ull)};
        nanosleep(&ts, nullptr);
    }
}

// A desktop process presents when SwapBuffers is called and paces itself; its threads are there to use.
bool WaitForSystemFrame() { return false; }
bool HaveThreads() { return true; }

void Notice(const std::string& line) {
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
}

}  // namespace host
