// Time and the display on Windows.
#include <windows.h>

#include "platform/host/host.h"

namespace host {

uint64_t MonotonicNs() {
    static const int64_t frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return uint64_t(now.QuadPart / frequency) * 1000000000ull +
           uint64_t(now.QuadPart % frequency) * 1000000000ull / uint64_t(frequency);
}

void SleepUntilNs(uint64_t when) {
    // Sleep keeps to whole milliseconds of the system's timer; the last one is waited out by yielding.
    for (uint64_t t = MonotonicNs(); t < when; t = MonotonicNs())
        Sleep(when - t > 2000000 ? DWORD((when - t) / 1000000 - 1) : 0);
}

bool HaveDisplay() { return true; }

}  // namespace host
