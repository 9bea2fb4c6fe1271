// Which way frames are paced, decided from the display's refresh rate and what the program asks for.
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "platform/host/host.h"

namespace host {

namespace {
bool is_display(const char* text) {
    const char* word = "display";
    for (; *text && *word; ++text, ++word)
        if (std::tolower(static_cast<unsigned char>(*text)) != *word) return false;
    return !*text && !*word;
}
}  // namespace

bool ParsePaceMode(const char* text, PaceMode& mode, double& fps) {
    if (!text || !*text) return false;
    if (is_display(text)) {
        mode = PaceMode::Display;
        return true;
    }
    char* end = nullptr;
    const double rate = std::strtod(text, &end);
    if (end == text || *end != '\0' || !std::isfinite(rate) || rate < 1 || rate > 1000) return false;
    mode = PaceMode::Rate;
    fps = rate;
    return true;
}

Pacing ChoosePacing(double refresh_hz, PaceMode mode, double fps) {
    const bool known = std::isfinite(refresh_hz) && refresh_hz > 0;
    switch (mode) {
    case PaceMode::Unpaced: return Pacing{0, 0};
    case PaceMode::Display: return Pacing{1, known ? refresh_hz : kDesignFps};
    case PaceMode::Rate:
        if (std::isfinite(fps) && fps >= 1 && fps <= 1000) return Pacing{0, fps};
        break;
    case PaceMode::Design: break;
    }
    if (known) {
        // 59.94 Hz counts as 60: within 1% of a whole multiple, vsync holds the design rate.
        const long multiple = std::lround(refresh_hz / kDesignFps);
        if (multiple >= 1 &&
            std::fabs(refresh_hz - kDesignFps * double(multiple)) <= 0.01 * kDesignFps * double(multiple))
            return Pacing{int(multiple), kDesignFps};
    }
    return Pacing{0, kDesignFps};
}

bool VsyncPaces(int frames, double seconds, double period) {
    // Half the period is far below what a waiting swap can give and far above what a non-waiting one does.
    return frames <= 0 || seconds >= 0.5 * period * double(frames);
}

uint64_t TimerPresentNs(uint64_t& next_ns, uint64_t now_ns, uint64_t period_ns) {
    if (next_ns == 0 || now_ns > next_ns + period_ns) next_ns = now_ns;
    const uint64_t at = next_ns;
    next_ns += period_ns;
    return at;
}

}  // namespace host
