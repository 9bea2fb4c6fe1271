// Time and notices in a browser, where the program runs on the page's one thread: waiting gives the
// browser its turn, and frames follow its animation frames.
#include <emscripten.h>

#include <cstdio>

#include "platform/host/host.h"

// The web backend's library.js.
extern "C" void web_next_frame();
extern "C" int web_box(const char* caption_utf8, const char* text_utf8, int type);

namespace host {

uint64_t MonotonicNs() { return uint64_t(emscripten_get_now() * 1e6); }

void SleepUntilNs(uint64_t when) {
    for (uint64_t t = MonotonicNs(); t < when; t = MonotonicNs())
        emscripten_sleep(unsigned((when - t + 999999) / 1000000));
}

bool WaitForSystemFrame() {
    web_next_frame();
    return true;
}
bool HaveThreads() { return false; }

void Notice(const std::string& line) {
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
    // Standard error is the browser's console, which the page's user does not see: the box is what they
    // see, captioned with the program's name as the page gives it.
    web_box(nullptr, line.c_str(), 0);
}

}  // namespace host
