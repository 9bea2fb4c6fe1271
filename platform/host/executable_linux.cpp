// The running executable on Linux: the kernel names it under /proc.
#include <limits.h>
#include <unistd.h>

#include "platform/host/posix.h"

namespace host {

std::string ExecutablePath() {
    char path[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    return n <= 0 ? std::string() : std::string(path, size_t(n));
}

}  // namespace host
