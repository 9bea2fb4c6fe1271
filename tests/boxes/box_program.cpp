// A program with a message box up, for the tests that answer or end it from outside:
//   box_program box TITLE      one ordinary box; exits with 0 once it is answered
//   box_program fatal TITLE    a fatal error's box (exit code 1 however it ends)
//   box_program handler TITLE  its own SIGTERM and SIGINT handler (exit code kOwnHandlerExit) before an
//                              ordinary box; once the box is answered, waits for a signal
#include <signal.h>
#include <unistd.h>

#include <cstring>

#include "platform/host/host.h"
#include "platform/win32.h"

using namespace win32;

namespace {
constexpr int kOwnHandlerExit = 3;
}

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    const char* kind = argv[1];
    const char* title = argv[2];
    GetSystemMetrics(SM_CXSCREEN);  // video up, SDL's signal handlers with it, as in a real program
    if (std::strcmp(kind, "fatal") == 0) host::FatalError(title, "A fatal error's box.");
    const bool own_handler = std::strcmp(kind, "handler") == 0;
    if (own_handler) {
        struct sigaction ours {};
        ours.sa_handler = [](int) { _exit(kOwnHandlerExit); };
        sigemptyset(&ours.sa_mask);
        sigaction(SIGTERM, &ours, nullptr);
        sigaction(SIGINT, &ours, nullptr);
    }
    MessageBoxA(nullptr, "An ordinary box.", title, MB_OK);
    while (own_handler) pause();
    return 0;
}
