// Per-frame cost of Wobblefin on the machine's GL: OPENGL_DRAW alone and whole loop turns, in the idle
// scene and with each tool held, the two menus' selection passes, allocations per frame and peak memory.
// Presentation pacing is off, so a loop turn costs what drawing and presenting cost.
//
//   bench_frame [FRAMES]          timed run (FRAMES per scenario, 1000 by default)
//   bench_frame --callgrind N     N idle loop turns for bench/callgrind.sh, nothing timed
#include <dlfcn.h>
#include <execinfo.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/Scene.h"
#include "app/State.h"
#include "app/Wobblefin.h"
#include "bench/harness.h"
#include "corvala/Corvala.h"
#include "platform/gl/gl.h"
#include "platform/testing.h"
#include "tests/support/projection.h"

// Every allocation of the process, the GL driver's included, is counted here, and while `g_attribute` is
// set each is put down to the module that asked for it: the first caller outside the C and C++ run-time
// libraries (operator new, strdup) is the program and the framework (this executable), SDL, the GL
// driver, X, or something else.
extern "C" void* __libc_malloc(size_t);
extern "C" void* __libc_calloc(size_t, size_t);
extern "C" void* __libc_realloc(void*, size_t);
namespace {
enum Owner { kOurs, kSdl, kGl, kX, kOther, kOwners };
const char* const kOwnerNames[kOwners] = {"program and framework", "SDL", "GL driver", "X", "other"};
unsigned long g_allocations = 0;
unsigned long g_by_owner[kOwners];
bool g_attribute = false;
thread_local bool t_inside = false;

Owner owner_of(const char* module, bool executable) {
    if (executable) return kOurs;
    auto has = [&](const char* part) { return std::strstr(module, part) != nullptr; };
    if (has("libSDL2")) return kSdl;
    if (has("libX") || has("libxcb")) return kX;
    if (has("libGL") || has("libglapi") || has("_dri") || has("libLLVM") || has("libgallium") || has("libdrm") ||
        has("libexpat") || has("libz"))
        return kGl;
    return kOther;
}

bool runtime_library(const char* module) {
    return std::strstr(module, "libc.so") || std::strstr(module, "libstdc++") || std::strstr(module, "libgcc_s") ||
           std::strstr(module, "libm.so");
}

__attribute__((noinline)) void count_allocation() {
    ++g_allocations;
    if (!g_attribute || t_inside) return;
    t_inside = true;  // backtrace and dladdr may allocate themselves
    void* frames[24];
    const int n = backtrace(frames, 24);
    Dl_info self{};
    dladdr(reinterpret_cast<void*>(&count_allocation), &self);
    Owner owner = kOther;
    // frames[0] is here, frames[1] the malloc below; the callers follow.
    for (int i = 2; i < n; ++i) {
        Dl_info info{};
        if (!dladdr(frames[i], &info) || !info.dli_fname) continue;
        if (runtime_library(info.dli_fname)) continue;
        owner = owner_of(info.dli_fname, info.dli_fbase == self.dli_fbase);
        break;
    }
    ++g_by_owner[owner];
    t_inside = false;
}
}  // namespace
extern "C" void* malloc(size_t n) {
    count_allocation();
    return __libc_malloc(n);
}
extern "C" void* calloc(size_t n, size_t m) {
    count_allocation();
    return __libc_calloc(n, m);
}
extern "C" void* realloc(void* p, size_t n) {
    count_allocation();
    return __libc_realloc(p, n);
}

namespace {

using namespace bench;

void Post(win32::UINT msg, int x, int y) {
    win32::PostMessageA(corvala::HWINDOW, msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y));
}

struct Costs {
    Summary draw, draw_rendered, turn;
    double allocations_per_turn = 0;
    double by_owner[kOwners] = {};
};

Costs Scenario(int frames) {
    Costs c;
    std::vector<double> draw, rendered, turn;
    for (int i = 0; i < frames; ++i) {
        const double a = Now();
        wobblefin::OPENGL_DRAW();
        const double b = Now();
        glFinish();
        const double e = Now();
        draw.push_back(b - a);
        rendered.push_back(e - a);
    }
    const unsigned long before = g_allocations;
    for (int i = 0; i < frames; ++i) {
        const double a = Now();
        wobblefin::loop_turn();
        turn.push_back(Now() - a);
    }
    c.allocations_per_turn = double(g_allocations - before) / frames;
    // Who asks, counted apart from the timed turns: walking the stack costs more than the allocation.
    constexpr int kAttributed = 100;
    unsigned long owned[kOwners];
    std::memcpy(owned, g_by_owner, sizeof owned);
    g_attribute = true;
    for (int i = 0; i < kAttributed; ++i) wobblefin::loop_turn();
    g_attribute = false;
    for (int o = 0; o < kOwners; ++o) c.by_owner[o] = double(g_by_owner[o] - owned[o]) / kAttributed;
    c.draw = Summarise(draw);
    c.draw_rendered = Summarise(rendered);
    c.turn = Summarise(turn);
    return c;
}

void Print(const std::string& name, const Costs& c) {
    PrintMs(name + ": OPENGL_DRAW", c.draw);
    PrintMs(name + ": OPENGL_DRAW + glFinish", c.draw_rendered);
    PrintMs(name + ": loop_turn", c.turn);
    std::string split;
    for (int o = 0; o < kOwners; ++o) split += Format("%s%s %.2f", o ? ", " : "", kOwnerNames[o], c.by_owner[o]);
    PrintLine(name + ": allocations per loop turn", Format("%.2f (%s)", c.allocations_per_turn, split.c_str()));
}

// The selection passes alone, under the transforms the frame gives them: the camera for the buttons,
// the camera and the aquarium's turn for the fish regions (the fish's own motion changes no cost).
Summary Selection(corvala::TMENU3D& menu, bool aquarium, int frames) {
    std::vector<double> t;
    for (int i = 0; i < frames; ++i) {
        glLoadIdentity();
        glTranslatef(0, -1, -30);
        if (aquarium) glRotatef(25, 0, -1, 0);
        const double a = Now();
        menu.ELEMENTSELECTON();
        t.push_back(Now() - a);
    }
    glLoadIdentity();
    return Summarise(t);
}

void Settle() {
    for (int i = 0; i < 5; ++i) wobblefin::loop_turn();
}

}  // namespace

int main(int argc, char** argv) {
    win32::testing::RecordMessageBoxes(true);
    if (chdir(WOBBLEFIN_RUN_DIR) != 0) return 1;
    wobblefin::startup();
    corvala::SetFramePacing(corvala::PaceMode::Unpaced);

    if (argc > 2 && std::strcmp(argv[1], "--callgrind") == 0) {
        const int turns = std::atoi(argv[2]);
        std::printf("renderer: %s\n", Renderer().c_str());
        Settle();
        for (int i = 0; i < turns; ++i) wobblefin::loop_turn();
        wobblefin::teardown();
        return 0;
    }
    const int frames = argc > 1 ? std::max(10, std::atoi(argv[1])) : 1000;

    Title("Frame cost, 800 x 600, pacing off (" + Renderer() + ")");
    Settle();
    const Costs idle = Scenario(frames);
    Print("idle", idle);

    const Summary buttons = Selection(wobblefin::MENU, false, frames);
    const Summary fish = Selection(wobblefin::PESCE, true, frames);
    PrintMs("MENU.ELEMENTSELECTON (two selection passes)", buttons);
    PrintMs("PESCE.ELEMENTSELECTON (two selection passes)", fish);
    PrintLine("both menus' selection passes / idle loop turn",
              Format("%.1f %%", 100.0 * (buttons.median + fish.median) / idle.turn.median));

    static const char* const tools[8] = {"shock 1",  "shock 2",  "shock 3", "vortex",
                                         "squash 1", "squash 2", "heat",    "cold"};
    for (int k = 0; k < 8; ++k) {
        const corvala::TGLVECTOR& at = wobblefin::MENU.POS[k];
        const auto [x, y] = testsupport::ScenePixel(at.X, at.Y, at.Z);
        Post(WM_MOUSEMOVE, x, y);
        Post(WM_LBUTTONDOWN, x, y);
        Settle();
        const std::string name = Format("%-8s held (%3d, %3d)", tools[k], x, y);
        if (!wobblefin::CHECK[k]) PrintLine(name, "the press did not reach the tool");
        Print(name, Scenario(frames));
        Post(WM_LBUTTONUP, x, y);
        Post(WM_MOUSEMOVE, 400, 560);
        Settle();
    }
    PrintLine("peak resident memory", Format("%.1f MiB (VmHWM after %d frames)", PeakRssMiB(), frames * 18 + 50));
    wobblefin::teardown();
    return 0;
}
