// Wobblefin installed into a fresh prefix, started through its launcher and used with the real X mouse and
// keyboard, judged by screenshots as a person would judge it, on a desktop of its own: an X server that
// claims a 144 Hz display, with openbox managing the windows. Every step has a hard time limit.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "tests/e2e/desktop.h"
#include "tests/e2e/fish.h"
#include "tests/e2e/session.h"

namespace {

namespace fs = std::filesystem;
using e2e::Shot;

std::string g_prefix;
int g_install_status = -1;
std::unique_ptr<e2e::Desktop> g_desktop;

class InstalledWobblefin : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        char dir[] = "/tmp/wobblefin-e2e-XXXXXX";
        if (!mkdtemp(dir)) return;
        g_prefix = dir;
        g_install_status = e2e::Run(
            "cmake --install " WOBBLEFIN_BUILD_DIR " --prefix " + g_prefix + " > " + g_prefix + "/install.log 2>&1",
            120);
        g_desktop = std::make_unique<e2e::Desktop>(WOBBLEFIN_SOURCE_DIR "/tests/e2e/xorg-dummy-144hz.conf");
    }
    static void TearDownTestSuite() {
        g_desktop.reset();
        std::error_code ec;
        if (!g_prefix.empty()) fs::remove_all(g_prefix, ec);
    }
    void SetUp() override {
        ASSERT_FALSE(g_prefix.empty()) << "no temporary prefix";
        ASSERT_EQ(g_install_status, 0) << "cmake --install failed; see " << g_prefix << "/install.log";
        ASSERT_TRUE(g_desktop && g_desktop->ok()) << (g_desktop ? g_desktop->why() : "no desktop");
    }
};

std::string ReadText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST_F(InstalledWobblefin, InstallPutsLauncherProgramDataSetMenuEntryAndIconUnderThePrefix) {
    const fs::path root(g_prefix);
    EXPECT_EQ(access((root / "bin/wobblefin").c_str(), X_OK), 0);
    EXPECT_EQ(access((root / "libexec/wobblefin/Wobblefin").c_str(), X_OK), 0);
    for (const char* data :
         {"Wobblefin.ico", "modelli/PesceRosso.md3", "modelli/animation.cfg", "modelli/PesceRosso.tga",
          "immagini/scarica01.tga", "immagini/scarica02.tga", "immagini/scarica03.tga", "immagini/vortice.tga",
          "immagini/comprimi01.tga", "immagini/comprimi02.tga", "immagini/calore.tga", "immagini/freddo.tga",
          "immagini/info.tga", "immagini/vetro.tga", "immagini/water4.bmp", "immagini/font.tga"})
        EXPECT_TRUE(fs::is_regular_file(root / "share/wobblefin" / data)) << data;

    const std::string entry = ReadText(root / "share/applications/wobblefin.desktop");
    EXPECT_NE(entry.find("[Desktop Entry]\n"), std::string::npos);
    EXPECT_NE(entry.find("\nType=Application\n"), std::string::npos);
    EXPECT_NE(entry.find("\nName=Wobblefin\n"), std::string::npos);
    EXPECT_NE(entry.find("\nIcon=wobblefin\n"), std::string::npos);
    EXPECT_NE(entry.find("\nExec=\"" + (root / "bin/wobblefin").string() + "\"\n"), std::string::npos) << entry;

    // A PNG signature, then the IHDR chunk with a big-endian width and height of 48.
    const std::string png = ReadText(root / "share/icons/hicolor/48x48/apps/wobblefin.png");
    ASSERT_GE(png.size(), 24u);
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(png.substr(12, 4), "IHDR");
    EXPECT_EQ(png.substr(16, 8), std::string("\0\0\0\x30\0\0\0\x30", 8));
}

using e2e::Pixel;
using e2e::Session;

TEST_F(InstalledWobblefin, LauncherStartsTheProgramThatAnswersMouseAndEndsOnEscape) {
    e2e::Process program = e2e::Start(g_prefix + "/bin/wobblefin", "/");
    ASSERT_GT(program.pid, 0);
    e2e::EndAtScopeExit end{program};

    const unsigned long window = e2e::FindWindow("Wobblefin v1.0", 60);
    ASSERT_NE(window, 0u) << "no window titled \"Wobblefin v1.0\" appeared"
                          << (e2e::Running(program) ? "" : " (the program ended)");
    e2e::Geometry g;
    ASSERT_TRUE(e2e::WaitForButtons(window, program, &g, 12)) << "the scene was never drawn";
    EXPECT_NEAR(g.width, 794, 1);  // the client area of an 800 x 600 framed window (799 wide once placed)
    EXPECT_EQ(g.height, 578);
    Session s(g);
    const Pixel info = s.Info(), away = s.Away();

    // Hover: the button under the pointer shows its image at full brightness, the others stay dim.
    EXPECT_TRUE(e2e::HoverBrightens(s, s.Scene(12.75, 11), s.Scene(15, 11)));
    // Info button: a click shows the panel under it, a second click hides it again.
    int baseline = 0;
    EXPECT_TRUE(e2e::InfoButtonTogglesPanel(s, &baseline));
    // Vortex held: the fish leaves its place and circles the aquarium at radius 4 (about 95 pixels).
    EXPECT_TRUE(e2e::HoldingMovesTheFish(s, s.Scene(15, 8.8), 25.0));

    // Holding the fish itself (where it is drawn once the vortex's after-tilt is over) and letting go
    // leaves the program running and drawing.
    s.Move(away);
    double fx = -100, fy = -100;
    Session::Until([&](const Shot& shot) {
        double x = 0, y = 0;
        const bool found = e2e::FishCentre(shot, g, &x, &y), still_there = std::hypot(x - fx, y - fy) < 2.0;
        fx = x;
        fy = y;
        return found && still_there;
    });
    s.Move({int(std::lround(fx)) - g.x, int(std::lround(fy)) - g.y});
    s.Down();
    s.Up();
    const Shot after_press = e2e::Screenshot();
    const bool drawing = e2e::WaitFor(
        [&] {
            const Shot now = e2e::Screenshot();
            return now.ok() && s.Changed(after_press, now, 70, 70, 680, 500) > 0;
        },
        10);
    EXPECT_TRUE(drawing) << "the picture stood still after a press on the fish";
    EXPECT_TRUE(e2e::Running(program)) << "the program ended after a press on the fish";

    // A key held at a fast repeat rate (200 a second, more than the 60 frames that take one message each)
    // while the info button is clicked: the click is answered while the key is still down, within a band
    // wide enough for a loaded machine (a queue that lets the repeats pile up answers after 5 s or more).
    ASSERT_TRUE(e2e::SetKeyRepeat(100, 5));
    s.Move(info);
    const Shot hidden_again = s.Settled(info);
    e2e::Run("xdotool keydown space", 10);
    e2e::Sleep(2.0);  // the auto-repeats pile up for a while: the point of the check
    const double clicked = e2e::Now();
    s.Down();
    s.Up();
    const bool answered = e2e::WaitFor(
        [&] {
            const Shot now = e2e::Screenshot();
            return now.ok() && s.PanelChanged(hidden_again, now) > baseline + 300;
        },
        4, 0.01);
    const double delay = e2e::Now() - clicked;
    e2e::Run("xdotool keyup space", 10);
    e2e::SetKeyRepeat(660, 40);  // the X server's own defaults
    std::printf("a click while a key repeats 200 times a second: answered after %.2f s (screenshots included)\n",
                delay);
    EXPECT_TRUE(answered) << "the click was not answered while the key was held";
    s.Down();
    s.Up();

    EXPECT_TRUE(e2e::EscapeEndsWithCodeZero(s, program));
}

// A minimized window draws nothing and so costs (nearly) nothing until it is restored; restored, it draws
// again. Escape still ends it while minimized.
TEST_F(InstalledWobblefin, MinimizedItUsesNoProcessorAndRestoredItDrawsAgain) {
    e2e::Process program = e2e::Start(g_prefix + "/libexec/wobblefin/Wobblefin", "/");
    ASSERT_GT(program.pid, 0);
    e2e::EndAtScopeExit end{program};
    const unsigned long window = e2e::FindWindow("Wobblefin v1.0", 60);
    ASSERT_NE(window, 0u);
    e2e::Geometry g;
    ASSERT_TRUE(e2e::WaitForButtons(window, program, &g, 60)) << "the scene was never drawn";
    Session s(g);
    EXPECT_TRUE(e2e::MinimizedCostsNothing(s, program, window));

    const std::string id = std::to_string(window);
    ASSERT_EQ(e2e::Run("xdotool windowminimize --sync " + id, 10), 0);
    e2e::Sleep(0.5);
    EXPECT_EQ(e2e::Run("xdotool key --window " + id + " Escape", 10), 0);
    ASSERT_TRUE(e2e::WaitExit(program, 30)) << "Escape did not end it while minimized";
    ASSERT_TRUE(WIFEXITED(program.status));
    EXPECT_EQ(WEXITSTATUS(program.status), 0);
}

// The program itself, not its launcher, started from a folder that has nothing of it.
TEST_F(InstalledWobblefin, StartedFromAnotherFolderTheProgramFindsItsDataSet) {
    const std::string err = g_prefix + "/elsewhere.err";
    e2e::Process program = e2e::Start(g_prefix + "/libexec/wobblefin/Wobblefin", "/", {{}, {}, "", err});
    e2e::EndAtScopeExit end{program};
    const unsigned long window = e2e::FindWindow("Wobblefin v1.0", 60);
    ASSERT_NE(window, 0u);
    // The info button is a picture of the data set: drawn, it was found.
    e2e::Geometry g;
    EXPECT_TRUE(e2e::WaitForButtons(window, program, &g, 60)) << "the buttons were never drawn: " << e2e::ReadFile(err);
    EXPECT_EQ(e2e::Run("xdotool key --window " + std::to_string(window) + " Escape", 10), 0);
    ASSERT_TRUE(e2e::WaitExit(program, 30));
    EXPECT_EQ(e2e::ReadFile(err).find("data set not found"), std::string::npos) << e2e::ReadFile(err);
}

// Everything moves per frame, so the design rate matters: on a display that claims 144 Hz (where vsync
// cannot give 60) the platform's own pacing holds it. A behaviour check with a wide band, not a timing one.
TEST_F(InstalledWobblefin, OnA144HzDisplayFramesArePresentedAboutSixtyTimesASecond) {
    const std::string out = g_prefix + "/pace.out";
    e2e::Process example = e2e::Start(CORVALA_BUTTONS_EXE, "/", {{"150"}, {}, out, "/dev/null"});
    e2e::EndAtScopeExit end{example};
    // It says "ready" after its 30th frame and ends by itself after its 150th.
    ASSERT_TRUE(e2e::WaitFor([&] { return e2e::ReadFile(out).find("ready") != std::string::npos; }, 60, 0.002));
    const double start = e2e::Now();
    ASSERT_TRUE(e2e::WaitExit(example, 60));
    const double fps = 120.0 / (e2e::Now() - start);
    std::printf("frames presented on the 144 Hz display: %.1f a second\n", fps);
    EXPECT_TRUE(fps > 40 && fps < 80) << fps << " frames a second";
}

TEST_F(InstalledWobblefin, AGlDriverThatCannotLoadEndsInTheProgramsOwnMessageAndWhy) {
    const std::string err = g_prefix + "/driver.err";
    e2e::Process program =
        e2e::Start(g_prefix + "/libexec/wobblefin/Wobblefin", "/", {{}, {"LIBGL_DRIVERS_PATH=/nonexistent"}, "", err});
    e2e::EndAtScopeExit end{program};
    // The message is on standard error before its box waits for a click; OK ends the program.
    const std::string message = "Error: la rispettiva applicazione non \xC3\xA8 stata inizilizata!\n";
    ASSERT_TRUE(e2e::WaitFor([&] { return e2e::ReadFile(err).find(message) != std::string::npos; }, 60, 0.1))
        << e2e::ReadFile(err);
    // xdotool cannot find a window by a UTF-8 title; xwininfo can.
    std::string box;
    e2e::WaitFor(
        [&] {
            return !(box = e2e::Capture("xwininfo -name Error 2>/dev/null | awk \"/Window id:/{print \\$4}\"", 5))
                        .empty();
        },
        30, 0.1);
    ASSERT_FALSE(box.empty()) << "no message box";
    box.erase(box.find_last_not_of("\n") + 1);
    // OK, from the keyboard, once the box has the focus.
    const bool answered = e2e::WaitFor(
        [&] {
            e2e::Run("xdotool windowactivate --sync " + box + " >/dev/null 2>&1; xdotool key Return", 10);
            return e2e::WaitExit(program, 0.5);
        },
        30);
    ASSERT_TRUE(answered) << "still running after the box was answered";
    ASSERT_TRUE(WIFEXITED(program.status)) << "ended by signal " << WTERMSIG(program.status);
    EXPECT_EQ(WEXITSTATUS(program.status), 1);
    const std::string said = e2e::ReadFile(err);
    std::printf("standard error with a GL driver that cannot load:\n%s", said.c_str());
    EXPECT_EQ(said.find("X Error"), std::string::npos);
    const size_t at = said.find(message);
    EXPECT_EQ(said.find(message, at + 1), std::string::npos) << "said twice";
    EXPECT_GT(said.size(), at + message.size() + 3) << "no reason after the message";
}

TEST_F(InstalledWobblefin, WithoutADisplayItSaysSoOnceAndEndsWithCodeOne) {
    const std::string err = g_prefix + "/nodisplay.err";
    e2e::Process program =
        e2e::Start(g_prefix + "/libexec/wobblefin/Wobblefin", "/", {{}, {"DISPLAY", "WAYLAND_DISPLAY"}, "", err});
    ASSERT_TRUE(e2e::WaitExit(program, 30));
    ASSERT_TRUE(WIFEXITED(program.status));
    EXPECT_EQ(WEXITSTATUS(program.status), 1);
    const std::string said = e2e::ReadFile(err);
    std::printf("standard error without a display:\n%s", said.c_str());
    EXPECT_EQ(said,
              "Error: Impossibile creare la finestra per la rispettiva applicazione! "
              "(no display: DISPLAY is not set)\n");
}

}  // namespace
