// A program with a message box up, for the tests that answer or end it from outside:
//   box_program box      one ordinary box; exits with 0 once it is answered
//   box_program fatal    a fatal error's box (exit code 1 however it ends)
#include <cstring>

#include "platform/host.h"
#include "platform/win32.h"

int main(int argc, char** argv) {
    win32::GetSystemMetrics(win32::SM_CXSCREEN);  // video up, SDL's signal handlers with it, as in a real program
    if (argc > 1 && std::strcmp(argv[1], "fatal") == 0) win32::FatalError("Box test", "A fatal error's box.");
    win32::MessageBoxA(nullptr, "An ordinary box.", "Box test", win32::MB_OK);
    return 0;
}
