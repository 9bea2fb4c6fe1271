// The fatal-error path: standard error, box and exit code decided in one place, for every system.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/host/host.h"
#include "platform/win32.h"

namespace host {

using namespace win32;
namespace {
std::string g_failure;
bool g_fatal_box = false;
}  // namespace

void NoteFailure(const std::string& reason) { g_failure = reason; }
std::string FailureReason() { return g_failure; }
bool FatalErrorShowing() { return g_fatal_box; }

void FatalError(const char* caption, const char* text) {
    const std::string t = Cp1252ToUtf8(text), c = Cp1252ToUtf8(caption);
    const std::string reason = FailureReason();
    const bool display = HaveDisplay();
    // A terminal or a log gets the text once, before a box waits for its click. Without a display
    // there is no box, and the reason joins the text on one line.
    if (reason.empty()) std::fprintf(stderr, "%s: %s\n", c.c_str(), t.c_str());
    else if (!display) std::fprintf(stderr, "%s: %s (%s)\n", c.c_str(), t.c_str(), reason.c_str());
    else std::fprintf(stderr, "%s: %s\n%s\n", c.c_str(), t.c_str(), reason.c_str());
    std::fflush(stderr);
    if (display) {
        const std::string shown =
            reason.empty() ? std::string(text ? text : "") : (text ? text : "") + ("\n\n" + reason);
        g_fatal_box = true;
        win32::MessageBoxA(nullptr, shown.c_str(), caption, MB_OK | MB_ICONERROR);
    }
    std::exit(1);
}

}  // namespace host
