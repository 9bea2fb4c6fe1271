// X display numbers for tests that start a server of their own or need a display nobody serves.
#pragma once
#include <sys/stat.h>

#include <string>

namespace testsupport {

// ":N" for the first N from `first` that nobody holds: neither its lock file nor its socket exists.
inline std::string UnusedXDisplay(int first) {
    int n = first;
    struct stat st;
    while (n < first + 1000 && (stat(("/tmp/.X" + std::to_string(n) + "-lock").c_str(), &st) == 0 ||
                                stat(("/tmp/.X11-unix/X" + std::to_string(n)).c_str(), &st) == 0))
        ++n;
    return ":" + std::to_string(n);
}

}  // namespace testsupport
