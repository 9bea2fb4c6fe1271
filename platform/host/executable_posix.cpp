// The running executable on a POSIX system without a file of its own: it cannot be told, and the
// callers look elsewhere (the working directory, the installed data folder).
#include "platform/host/posix.h"

namespace host {

std::string ExecutablePath() { return std::string(); }

}  // namespace host
