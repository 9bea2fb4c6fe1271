// Inside the POSIX host: what its files ask of the one file chosen for the system they run on.
#pragma once
#include <string>

namespace host {

// The running executable's path: POSIX has no call for it, so each system answers in a file of its own
// (executable_linux.cpp), and executable_posix.cpp, elsewhere, cannot tell ("").
std::string ExecutablePath();

}  // namespace host
