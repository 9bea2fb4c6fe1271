// Time, the display and notices on Windows.
#include <windows.h>

#include <cstdio>

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

// A desktop process presents when SwapBuffers is called and paces itself; its threads are there to use.
bool WaitForSystemFrame() { return false; }
bool HaveThreads() { return true; }

bool HaveDisplay() { return true; }

void Notice(const std::string& line) {
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
    // A GUI program started from Explorer or a shortcut has no standard error; then the box is all its user sees.
    const HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    if (err && err != INVALID_HANDLE_VALUE && GetFileType(err) != FILE_TYPE_UNKNOWN) return;
    // The box's caption is the program's name, as Windows users know it from its file.
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name = n > 0 && n < MAX_PATH ? std::string(path, n) : std::string();
    name = name.substr(name.find_last_of("\\/") + 1);
    name = name.substr(0, name.rfind('.'));
    MessageBoxA(nullptr, line.c_str(), name.c_str(), MB_OK | MB_ICONWARNING);
}

}  // namespace host
