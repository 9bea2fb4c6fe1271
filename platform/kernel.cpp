#include <time.h>

#include "platform/win32.h"

namespace win32 {

DWORD GetTickCount() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return DWORD(uint64_t(ts.tv_sec) * 1000u + uint64_t(ts.tv_nsec) / 1000000u);
}

}  // namespace win32
