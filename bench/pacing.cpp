// Frame pacing: the frame rate of the whole loop with the platform's pacing on and off, and the CPU time
// the program spends per second of wall time while it runs paced.
#include <unistd.h>

#include "app/Wobblefin.h"
#include "bench/harness.h"
#include "platform/testing.h"

namespace {

using namespace bench;

void Measure(bool pacing, double seconds) {
    win32::testing::SetSwapPacing(pacing);
    for (int i = 0; i < 30; ++i) wobblefin::loop_turn();  // settle into the mode
    std::vector<double> intervals;
    const double cpu0 = CpuSeconds(), start = Now();
    double last = start;
    while (last - start < seconds) {
        wobblefin::loop_turn();
        const double t = Now();
        intervals.push_back(t - last);
        last = t;
    }
    const double cpu = CpuSeconds() - cpu0, wall = last - start;
    const std::string mode = pacing ? "pacing on " : "pacing off";
    PrintLine(mode + ": frame rate", Format("%.2f frames/s over %.1f s", double(intervals.size()) / wall, wall));
    PrintMs(mode + ": frame interval", Summarise(intervals));
    PrintLine(mode + ": CPU time per second of wall time", Format("%.3f s/s (all threads)", cpu / wall));
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 4.0;
    win32::testing::RecordMessageBoxes(true);
    if (chdir(WOBBLEFIN_RUN_DIR) != 0) return 1;
    wobblefin::startup();
    Title("Frame pacing, whole loop turns in the idle scene (" + Renderer() + ")");
    PrintLine("vsync accepted by the driver", win32::testing::VsyncActive() ? "yes" : "no (the platform paces)");
    Measure(true, seconds);
    Measure(false, seconds);
    wobblefin::teardown();
    return 0;
}
