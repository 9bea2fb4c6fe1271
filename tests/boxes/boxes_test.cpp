// Message boxes on a real display: a signal ends the program while one is up, and Enter and Escape
// answer it. The box program runs under the X server the tests have.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <string>

#include "tests/e2e/desktop.h"

namespace {

constexpr double kDeadline = 30;  // seconds; generous, for a loaded machine

// Whether a top-level window titled "Box test" is shown. SDL's box sets only WM_NAME, which
// xdotool's search does not see; xwininfo does.
bool box_shown() { return e2e::Capture("xwininfo -root -tree", 5).find("\"Box test\"") != std::string::npos; }

// Whether the box has the keyboard: the program gives it the focus shortly after it is shown, and a key
// pressed before that goes to whatever had it.
bool box_focused() {
    return e2e::Capture("xdotool getwindowfocus getwindowname", 5).find("Box test") != std::string::npos;
}

e2e::Process start_box(const char* kind) {
    e2e::Launch how;
    how.args = {kind};
    how.env = {"ASAN_OPTIONS=detect_leaks=0"};  // SDL's leftovers at exit would change the exit code
    e2e::Process p = e2e::Start(BOX_PROGRAM_EXE, ".", how);
    EXPECT_TRUE(e2e::WaitFor(box_shown, kDeadline)) << "no box came up";
    return p;
}

int exit_code(const e2e::Process& p) { return WIFEXITED(p.status) ? WEXITSTATUS(p.status) : -1; }

}  // namespace

TEST(Boxes, SignalEndsTheProgramAndTakesTheBoxWithIt) {
    e2e::Process fatal = start_box("fatal");
    ::kill(fatal.pid, SIGTERM);
    ASSERT_TRUE(e2e::WaitExit(fatal, kDeadline)) << "still running after SIGTERM";
    EXPECT_EQ(1, exit_code(fatal));  // a fatal error's exit code, however the box ends
    EXPECT_TRUE(e2e::WaitFor([] { return !box_shown(); }, kDeadline));

    e2e::Process ordinary = start_box("box");
    ::kill(ordinary.pid, SIGINT);
    ASSERT_TRUE(e2e::WaitExit(ordinary, kDeadline)) << "still running after SIGINT";
    EXPECT_TRUE(e2e::WaitFor([] { return !box_shown(); }, kDeadline));
    e2e::Kill(fatal);
    e2e::Kill(ordinary);
}

TEST(Boxes, EnterAndEscapeAnswerTheBox) {
    for (const char* key : {"Return", "Escape"}) {
        e2e::Process p = start_box("box");
        // To whatever has the keyboard: the box must have taken it.
        EXPECT_TRUE(e2e::WaitFor(box_focused, kDeadline)) << "the box never took the keyboard";
        e2e::Run(std::string("xdotool key ") + key, 10);
        EXPECT_TRUE(e2e::WaitExit(p, kDeadline)) << key << " left the box up";
        EXPECT_EQ(0, exit_code(p)) << key;
        e2e::Kill(p);
    }
}
