// Which way frames are paced, decided from the display's refresh rate and WOBBLEFIN_FPS.
#include <strings.h>

#include <cmath>
#include <cstdlib>

#include "platform/host.h"

namespace win32 {

Pacing ChoosePacing(double refresh_hz, const char* override_text) {
    const bool known = std::isfinite(refresh_hz) && refresh_hz > 0;
    if (override_text && *override_text) {
        if (::strcasecmp(override_text, "display") == 0) return Pacing{1, known ? refresh_hz : kDesignFps};
        char* end = nullptr;
        const double fps = std::strtod(override_text, &end);
        if (end != override_text && *end == '\0' && std::isfinite(fps) && fps >= 1 && fps <= 1000)
            return Pacing{0, fps};
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

}  // namespace win32
