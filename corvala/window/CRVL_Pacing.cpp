// Frame pacing: the loop turn's end, after SwapBuffers. Decided once per context from the display's
// rate (EnumDisplaySettingsA) and what the program asked for; vsync through wglSwapIntervalEXT, trusted
// only while presents really wait for it, our own timer otherwise. While the window is minimized the
// loop waits for messages instead. Where the system presents on a clock of its own, it does the waiting.
#include "window/CRVL_Window.h"

namespace corvala {

using namespace win32;

namespace {
struct Pacer {
    PaceMode mode = PaceMode::Design;
    double asked_fps = 0;
    HGLRC context = nullptr;  // decided for this one; another current context decides anew
    host::Pacing plan;
    bool vsync = false;
    PFNWGLSWAPINTERVALEXTPROC swap_interval = nullptr;
    double refresh_hz = 0;
    int window_frames = 0;
    uint64_t window_start_ns = 0;
    uint64_t next_present_ns = 0;
} g;

double display_rate() {
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    // 0 and 1 stand for the hardware's default rate, which says nothing.
    if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode) || mode.dmDisplayFrequency <= 1) return 0;
    return double(mode.dmDisplayFrequency);
}

void decide(HGLRC current) {
    g.context = current;
    g.refresh_hz = display_rate();
    g.plan = host::ChoosePacing(g.refresh_hz, g.mode, g.asked_fps);
    g.swap_interval = reinterpret_cast<PFNWGLSWAPINTERVALEXTPROC>(
        reinterpret_cast<void (*)()>(wglGetProcAddress("wglSwapIntervalEXT")));
    g.vsync = g.plan.swap_interval > 0 && g.swap_interval && g.swap_interval(g.plan.swap_interval);
    if (!g.vsync && g.swap_interval) g.swap_interval(0);
    g.window_frames = 0;
    g.next_present_ns = 0;
}

// Our own timer: presents are held to `fps` a second.
void pace(double fps) {
    host::SleepUntilNs(host::TimerPresentNs(g.next_present_ns, host::MonotonicNs(), uint64_t(1e9 / fps)));
}

// Vsync is trusted only while presents really wait for it, judged over a window of frames.
void check_vsync() {
    constexpr int kWindow = 30;
    const uint64_t t = host::MonotonicNs();
    if (g.window_frames == 0) g.window_start_ns = t;
    if (++g.window_frames <= kWindow) return;
    const double seconds = double(t - g.window_start_ns) * 1e-9;
    const double period = double(g.plan.swap_interval) / (g.refresh_hz > 0 ? g.refresh_hz : host::kDesignFps);
    if (!host::VsyncPaces(kWindow, seconds, period)) {
        g.vsync = false;
        g.swap_interval(0);
    }
    g.window_frames = 0;
}

// A minimized window shows nothing, so no frame is drawn until a message comes: the one that restores
// it, or Escape, or the close. Everything moves per frame, so the picture carries on where it stopped.
bool wait_while_minimized() {
    bool waited = false;
    MSG pending;
    while (ACTIVE && HWINDOW && IsIconic(HWINDOW) && !PeekMessageA(&pending, nullptr, 0, 0, PM_NOREMOVE)) {
        WaitMessage();
        waited = true;
    }
    return waited;
}
}  // namespace

void SetFramePacing(PaceMode mode, double fps) {
    g.mode = mode;
    g.asked_fps = fps;
    g.context = nullptr;
}

void PaceFrame() {
    // A system that presents on its own clock has held this turn to it; the policy here is the desktop's.
    if (host::WaitForSystemFrame()) return;
    const HGLRC current = wglGetCurrentContext();
    if (!current) return;
    if (current != g.context) decide(current);
    if (g.vsync) check_vsync();
    else if (g.plan.fps > 0) pace(g.plan.fps);
    if (wait_while_minimized()) {
        // The wait is no frame: the timer and the judgement of vsync start over.
        g.next_present_ns = 0;
        g.window_frames = 0;
    }
}

FramePacing FramePacingInUse() {
    const HGLRC current = wglGetCurrentContext();
    if (current && current != g.context) decide(current);
    return FramePacing{g.vsync ? g.plan.swap_interval : 0, g.plan.fps};
}

}  // namespace corvala
