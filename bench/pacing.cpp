// Frame pacing: the frame rate of the whole loop with the framework's pacing on and off, and the CPU time
// the program spends per second of wall time while it runs paced.
#include <unistd.h>

#include "app/Wobblefin.h"
#include "bench/harness.h"
#include "corvala/Corvala.h"
#include "platform/testing.h"

namespace {

using namespace bench;

void PrintPacing(const std::string& when) {
    const corvala::FramePacing p = corvala::FramePacingInUse();
    PrintLine(when, p.swap_interval > 0 ? Format("vsync, swap interval %d", p.swap_interval)
                                        : Format("the framework's timer at %.0f frames/s", p.fps));
}

void Measure(bool pacing, double seconds) {
    if (!pacing) corvala::SetFramePacing(corvala::PaceMode::Unpaced);  // on: as the program chose it
    for (int i = 0; i < 30; ++i) wobblefin::loop_turn();               // settle into the mode
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
    PrintPacing("pacing chosen at start-up");
    Measure(true, seconds);
    PrintPacing("pacing after the paced run");  // vsync that did not wait has given way to the timer
    Measure(false, seconds);
    wobblefin::teardown();
    return 0;
}
