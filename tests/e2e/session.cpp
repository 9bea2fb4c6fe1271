#include "tests/e2e/session.h"

#include <sys/wait.h>

#include <algorithm>
#include <cmath>

#include "tests/e2e/fish.h"

namespace e2e {

namespace {
bool Xdotool(const std::string& what) { return Run("xdotool " + what, 10) == 0; }
}  // namespace

void Session::Move(Pixel p) {
    EXPECT_TRUE(Xdotool("mousemove " + std::to_string(g_.x + p.x) + " " + std::to_string(g_.y + p.y)));
}
void Session::Down() { EXPECT_TRUE(Xdotool("mousedown 1")); }
void Session::Up() { EXPECT_TRUE(Xdotool("mouseup 1")); }
void Session::Key(const char* k) { EXPECT_TRUE(Xdotool(std::string("key ") + k)) << k; }

Shot Session::Settled(Pixel centre) const {
    double last = -1;
    return Until([&](const Shot& shot) {
        const double now = Luma(shot, centre, 12), was = last;
        last = now;
        return std::fabs(now - was) < 0.5;
    });
}

double Session::Luma(const Shot& s, Pixel centre, int half) const {
    return MeanLuma(s, g_.x + centre.x - half, g_.y + centre.y - half, g_.x + centre.x + half, g_.y + centre.y + half);
}

int Session::Changed(const Shot& a, const Shot& b, int x0, int y0, int x1, int y1) const {
    return CountDiffering(a, b, g_.x + x0, g_.y + y0, g_.x + x1, g_.y + y1, 60);
}

bool WaitForButtons(unsigned long window, Process& program, Geometry* g, double seconds) {
    return WaitFor(
               [&] {
                   const Shot shot = Screenshot();
                   return !Running(program) || (shot.ok() && WindowGeometry(window, g) &&
                                                Session(*g).Luma(shot, Session(*g).Info(), 12) > 10);
               },
               seconds, 0.1) &&
           Running(program);
}

bool FishOnScreen(double* x, double* y, const Session& s) {
    return FishCentre(Session::Until([&](const Shot& shot) { return FishCentre(shot, s.geometry(), x, y); }),
                      s.geometry(), x, y);
}

::testing::AssertionResult HoverBrightens(Session& s, Pixel button, Pixel other) {
    s.Move(s.Away());
    const Shot idle = s.Settled(button);
    const double dim = s.Luma(idle, button, 12);
    s.Move(button);
    const Shot hovered = Session::Until([&](const Shot& shot) { return s.Luma(shot, button, 12) > dim * 1.3 + 5; });
    s.Move(s.Away());
    const double bright = s.Luma(hovered, button, 12), was = s.Luma(idle, other, 12), is = s.Luma(hovered, other, 12);
    std::printf("hover: luma %.1f -> %.1f, the other button %.1f -> %.1f\n", dim, bright, was, is);
    if (!hovered.ok()) return ::testing::AssertionFailure() << "no screenshot";
    if (bright <= dim * 1.3 + 5) return ::testing::AssertionFailure() << "dim " << dim << ", hovered " << bright;
    if (std::fabs(is - was) > 4.0)
        return ::testing::AssertionFailure() << "the other button went " << was << " -> " << is;
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult InfoButtonTogglesPanel(Session& s, int* baseline) {
    s.Move(s.Info());
    const Shot before = s.Settled(s.Info());
    *baseline = s.PanelChanged(before, Screenshot());
    s.Down();
    s.Up();
    const Shot panel = Session::Until([&](const Shot& shot) { return s.PanelChanged(before, shot) > *baseline + 300; });
    const int shown = s.PanelChanged(before, panel);
    s.Down();
    s.Up();
    const Shot hidden =
        Session::Until([&](const Shot& shot) { return s.PanelChanged(before, shot) < shown / 4 + *baseline; });
    const int after = s.PanelChanged(before, hidden);
    s.Move(s.Away());
    std::printf("info panel: changed pixels still %d, shown %d, hidden %d\n", *baseline, shown, after);
    if (shown <= *baseline + 300) return ::testing::AssertionFailure() << "the info panel did not appear";
    if (after >= shown / 4 + *baseline) return ::testing::AssertionFailure() << "the info panel stayed";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult HoldingMovesTheFish(Session& s, Pixel tool, double pixels) {
    const Geometry& g = s.geometry();
    s.Move(s.Away());
    double x0 = 0, y0 = 0;
    if (!FishOnScreen(&x0, &y0, s)) return ::testing::AssertionFailure() << "no goldfish on screen";
    s.Move(tool);
    s.Settled(tool);
    s.Down();
    // One of the pictures taken while the button is held shows the fish well away from where it was.
    double moved = 0;
    Session::Until([&](const Shot& shot) {
        double x = 0, y = 0;
        if (FishCentre(shot, g, &x, &y)) moved = std::max(moved, std::hypot(x - x0, y - y0));
        return moved > pixels;
    });
    s.Up();
    s.Move(s.Away());
    std::printf("fish moved %.1f px from (%.0f, %.0f) while the tool was held\n", moved, x0, y0);
    if (moved <= pixels)
        return ::testing::AssertionFailure() << "the fish stayed at (" << x0 << ", " << y0 << "): " << moved << " px";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult MinimizedCostsNothing(Session& s, Process& program, unsigned long window) {
    const std::string id = std::to_string(window);
    const double shown = CpuShare(program.pid, 3);
    if (!Xdotool("windowminimize --sync " + id)) return ::testing::AssertionFailure() << "could not minimize";
    Sleep(0.5);  // the program takes the news at its next frame
    const double minimized = CpuShare(program.pid, 3);
    Xdotool("windowactivate --sync " + id + " 2>/dev/null");
    const Shot before = Screenshot();
    const bool drew = WaitFor(
        [&] {
            const Shot now = Screenshot();
            return now.ok() && s.Changed(before, now, 70, 70, 680, 500) > 0;
        },
        10);
    const double restored = CpuShare(program.pid, 3);
    std::printf("processor share of one core: shown %.1f%%, minimized %.1f%%, restored %.1f%%\n", shown * 100,
                minimized * 100, restored * 100);
    if (shown <= 0.02) return ::testing::AssertionFailure() << "it hardly drew while shown: " << shown;
    if (minimized >= 0.05 || minimized >= shown / 4)
        return ::testing::AssertionFailure() << "minimized it still used " << minimized << " of a core";
    if (!drew) return ::testing::AssertionFailure() << "the picture stood still after the window was restored";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult EscapeEndsWithCodeZero(Session& s, Process& program) {
    s.Key("Escape");
    if (!WaitExit(program, 30)) return ::testing::AssertionFailure() << "still running 30 s after Escape";
    if (!WIFEXITED(program.status))
        return ::testing::AssertionFailure() << "ended by signal " << WTERMSIG(program.status);
    if (WEXITSTATUS(program.status) != 0)
        return ::testing::AssertionFailure() << "exit code " << WEXITSTATUS(program.status);
    return ::testing::AssertionSuccess();
}

}  // namespace e2e
