// Start-up of the real program, from process start to the first presented frame, and the program's
// cost while it runs idle at its paced 60 Hz. A preloaded library (first_frame.c) notes the frames.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/Scene.h"
#include "app/State.h"
#include "app/Wobblefin.h"
#include "bench/harness.h"
#include "corvala/Corvala.h"
#include "platform/gl/gl.h"
#include "platform/testing.h"

namespace {

using namespace bench;

struct ChildRun {
    bool ok = false;
    double started = 0, first = 0, last = 0;
    long frames = 0;
    double cpu = 0, max_rss_mib = 0;
};

ChildRun RunProgram(long frames, const char* program = WOBBLEFIN_PROGRAM) {
    ChildRun r;
    const std::string note = "/tmp/wobblefin-first-frame-" + std::to_string(getpid());
    std::remove(note.c_str());
    r.started = Now();
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(WOBBLEFIN_RUN_DIR) != 0) _exit(126);
        setenv("LD_PRELOAD", FIRST_FRAME_LIBRARY, 1);
        setenv("FIRST_FRAME_FILE", note.c_str(), 1);
        setenv("FIRST_FRAME_EXIT_AFTER", std::to_string(frames).c_str(), 1);
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage ru{};
    if (pid < 0 || wait4(pid, &status, 0, &ru) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return r;
    FILE* f = std::fopen(note.c_str(), "r");
    if (!f) return r;
    r.ok = std::fscanf(f, "%lf %lf %ld", &r.first, &r.last, &r.frames) == 3;
    std::fclose(f);
    std::remove(note.c_str());
    r.cpu = double(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) + double(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) * 1e-6;
    r.max_rss_mib = double(ru.ru_maxrss) / 1024.0;
    return r;
}

// The steps of wobblefin::startup() one by one, in this process, then the first loop turns.
void Breakdown() {
    using namespace corvala;
    win32::testing::RecordMessageBoxes(true);
    if (chdir(WOBBLEFIN_RUN_DIR) != 0) return;
    Title("Start-up in-process, step by step (the steps of wobblefin::startup())");
    double t = Now();
    auto step = [&](const char* name) {
        const double n = Now();
        PrintLine(name, Format("%8.1f ms", (n - t) * 1e3));
        t = n;
    };
    OGLWINDOWSETTING(ARROW, "", FILEICON, "Wobblefin.ico");
    CREATEOGLWINDOW("Wobblefin v1.0", 800, 600, 32, FULLSCREEN);
    step("window and context (OGLWINDOWSETTING, CREATEOGLWINDOW)");
    POSITIONWINDOW(win32::GetSystemMetrics(SM_CXSCREEN) / 2 - WIDTH / 2,
                   win32::GetSystemMetrics(SM_CYSCREEN) / 2 - HEIGHT / 2);
    OPENGL_INIT(100, 0, 0, 0, 0);
    SETGLREFRACTIVE();
    SETGLLIGHT(GL_LIGHT0, 0, 0, 0, 0.1f);
    step("centring, projection, culling, light");
    wobblefin::OPENGL_TEXTURE();
    glFinish();
    step("thirteen images into their slots");
    wobblefin::PESCEMDL.LOADMODEL("modelli\\", "PesceRosso", 14);
    step("the fish (MD3 and animation.cfg)");
    wobblefin::PESCE.SETSELECTON(wobblefin::AREACLICK);
    wobblefin::MENU.SETSELECTON(wobblefin::AREAPULSANTE);
    glFinish();
    step("both pick lists compiled (elements not added here)");
    for (int i = 1; i <= 3; ++i) {
        wobblefin::loop_turn();
        step(i == 1   ? "first loop turn (shaders compiled on first use)"
             : i == 2 ? "second loop turn"
                      : "third loop turn");
    }
    wobblefin::teardown();
}

}  // namespace

// CPU per presented frame while running idle, paced: the difference of two runs of different length.
double CpuPerFrame(const char* program, double* rate) {
    const ChildRun a = RunProgram(61, program), b = RunProgram(661, program);
    if (!a.ok || !b.ok) return -1;
    const double wall = (b.last - b.started) - (a.last - a.started);
    *rate = double(b.frames - a.frames) / wall;
    return (b.cpu - a.cpu) / double(b.frames - a.frames);
}

// This build's program against another build's (another GL provider), runs alternating.
int Versus(const char* other, int runs) {
    Title(std::string("This build's program against ") + other + ", in alternate runs");
    std::vector<double> mine, theirs;
    for (int i = 0; i < runs; ++i) {
        const ChildRun a = RunProgram(1), b = RunProgram(1, other);
        if (!a.ok || !b.ok) return PrintLine("run " + std::to_string(i), "failed"), 1;
        mine.push_back(a.first - a.started);
        theirs.push_back(b.first - b.started);
    }
    PrintMs("process start -> first presented frame, this build", Summarise(mine));
    PrintMs("the same, the other build", Summarise(theirs));
    PrintLine("this / other", Format("%.2f (medians)", Summarise(mine).median / Summarise(theirs).median));
    double rate_a = 0, rate_b = 0;
    const double cpu_a = CpuPerFrame(WOBBLEFIN_PROGRAM, &rate_a), cpu_b = CpuPerFrame(other, &rate_b);
    if (cpu_a < 0 || cpu_b < 0) return PrintLine("paced runs", "failed"), 1;
    PrintLine("CPU per frame at 60 frames/s, this build", Format("%.2f ms (%.1f frames/s)", cpu_a * 1e3, rate_a));
    PrintLine("the same, the other build", Format("%.2f ms (%.1f frames/s)", cpu_b * 1e3, rate_b));
    PrintLine("this / other", Format("%.2f", cpu_a / cpu_b));
    return 0;
}

int main(int argc, char** argv) {
    if (argc > 2 && std::string(argv[1]) == "--versus") return Versus(argv[2], argc > 3 ? std::atoi(argv[3]) : 10);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 10;
    Title("Start-up of the real program (" WOBBLEFIN_PROGRAM ") against a bare SDL2 window, in alternate runs");
    std::vector<double> t, bare;
    double rss = 0;
    for (int i = 0; i < runs; ++i) {
        const ChildRun r = RunProgram(1);
        const ChildRun b = RunProgram(1, BARE_WINDOW_PROGRAM);
        if (!r.ok || !b.ok) {
            PrintLine("run " + std::to_string(i), "failed");
            return 1;
        }
        t.push_back(r.first - r.started);
        bare.push_back(b.first - b.started);
        rss = r.max_rss_mib;
    }
    PrintMs("process start -> first presented frame", Summarise(t));
    PrintMs("the same for a bare SDL2 window, 800 x 600", Summarise(bare));
    PrintLine("program / bare window", Format("%.2f (medians)", Summarise(t).median / Summarise(bare).median));
    PrintLine("peak resident memory at the first frame", Format("%.1f MiB", rss));

    // Two runs of different length: their difference is the steady running, without the start-up.
    Title("The real program running idle, paced");
    const ChildRun a = RunProgram(61), b = RunProgram(661);
    if (!a.ok || !b.ok) return PrintLine("run", "failed"), 1;
    const double wall = (b.last - b.started) - (a.last - a.started);
    PrintLine("presented frame rate", Format("%.2f frames/s", double(b.frames - a.frames) / wall));
    PrintLine("CPU time per second of wall time",
              Format("%.3f s/s (%.2f s CPU over %.2f s, all threads)", (b.cpu - a.cpu) / wall, b.cpu - a.cpu, wall));
    PrintLine("peak resident memory after 660 frames", Format("%.1f MiB", b.max_rss_mib));
    Breakdown();
    return 0;
}
