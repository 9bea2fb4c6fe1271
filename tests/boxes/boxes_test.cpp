// Message boxes on a real display: a signal ends the program while one is up, and Enter and Escape
// answer it. The box program runs under the X server the tests have. Each box has a title of its own,
// and each program is ended with its test, so a box one test leaves up is never taken for the next one's.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "tests/e2e/desktop.h"

namespace {

constexpr double kDeadline = 30;    // seconds; generous, for a loaded machine
constexpr int kOwnHandlerExit = 3;  // box_program's own signal handler

std::string new_title() {
    static int boxes = 0;
    return "Box test " + std::to_string(getpid()) + "." + std::to_string(++boxes);
}

// Whether a top-level window with this title is shown. SDL's box sets only WM_NAME, which xdotool's
// search does not see; xwininfo does.
bool box_shown(const std::string& title) {
    return e2e::Capture("xwininfo -root -tree", 5).find("\"" + title + "\"") != std::string::npos;
}

// Whether the box has the keyboard: the program gives it the focus shortly after it is shown, and a key
// pressed before that goes to whatever had it.
bool box_focused(const std::string& title) {
    return e2e::Capture("xdotool getwindowfocus getwindowname", 5) == title + "\n";
}

struct BoxProgram {
    std::string title = new_title();
    e2e::Process p;
    e2e::EndAtScopeExit end{p};
};

void start_box(BoxProgram& b, const char* kind) {
    e2e::Launch how;
    how.args = {kind, b.title};
    how.env = {"ASAN_OPTIONS=detect_leaks=0"};  // SDL's leftovers at exit would change the exit code
    b.p = e2e::Start(BOX_PROGRAM_EXE, ".", how);
    EXPECT_TRUE(e2e::WaitFor([&] { return box_shown(b.title); }, kDeadline)) << "no box came up";
}

void answer_box(BoxProgram& b, const char* key) {
    // To whatever has the keyboard: the box must have taken it.
    EXPECT_TRUE(e2e::WaitFor([&] { return box_focused(b.title); }, kDeadline)) << "the box never took the keyboard";
    e2e::Run(std::string("xdotool key ") + key, 10);
}

int exit_code(const e2e::Process& p) { return WIFEXITED(p.status) ? WEXITSTATUS(p.status) : -1; }

}  // namespace

TEST(Boxes, SignalEndsTheProgramAndTakesTheBoxWithIt) {
    BoxProgram fatal;
    start_box(fatal, "fatal");
    ::kill(fatal.p.pid, SIGTERM);
    ASSERT_TRUE(e2e::WaitExit(fatal.p, kDeadline)) << "still running after SIGTERM";
    EXPECT_EQ(1, exit_code(fatal.p));  // a fatal error's exit code, however the box ends
    EXPECT_TRUE(e2e::WaitFor([&] { return !box_shown(fatal.title); }, kDeadline));

    BoxProgram ordinary;
    start_box(ordinary, "box");
    ::kill(ordinary.p.pid, SIGINT);
    ASSERT_TRUE(e2e::WaitExit(ordinary.p, kDeadline)) << "still running after SIGINT";
    EXPECT_TRUE(e2e::WaitFor([&] { return !box_shown(ordinary.title); }, kDeadline));
}

TEST(Boxes, AfterAnOrdinaryBoxTheProgramsOwnSignalHandlersAreBack) {
    BoxProgram b;
    start_box(b, "handler");
    answer_box(b, "Return");
    EXPECT_TRUE(e2e::WaitFor([&] { return !box_shown(b.title); }, kDeadline));
    ::kill(b.p.pid, SIGINT);  // Ctrl+C
    ASSERT_TRUE(e2e::WaitExit(b.p, kDeadline)) << "SIGINT after the box no longer ends the program";
    EXPECT_EQ(kOwnHandlerExit, exit_code(b.p));
}

TEST(Boxes, EnterAndEscapeAnswerTheBox) {
    for (const char* key : {"Return", "Escape"}) {
        BoxProgram b;
        start_box(b, "box");
        answer_box(b, key);
        EXPECT_TRUE(e2e::WaitExit(b.p, kDeadline)) << key << " left the box up";
        EXPECT_EQ(0, exit_code(b.p)) << key;
    }
}
