// A program with a message box up, for the tests that answer or end it from outside:
//   box_program box      one ordinary box; exits with 0 once it is answered
//   box_program fatal    a fatal error's box (exit code 1 however it ends)
#include <cstring>

#include "platform/host/host.h"
#include "platform/win32.h"

using namespace win32;

int main(int argc, char** argv) {
    GetSystemMetrics(SM_CXSCREEN);  // video up, SDL's signal handlers with it, as in a real program
    if (argc > 1 && std::strcmp(argv[1], "fatal") == 0) host::FatalError("Box test", "A fatal error's box.");
    MessageBoxA(nullptr, "An ordinary box.", "Box test", MB_OK);
    return 0;
}
