// The buttons example as a user sees it: started as a program, looked at through screenshots of the X
// display, pointed at and clicked with xdotool.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/desktop.h"
#include "tests/support/image_files.h"
#include "tests/support/temp_dir.h"

namespace {

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct Rgb {
    int r = 0, g = 0, b = 0;
};

// A screenshot of the whole X display, read pixel by pixel.
struct Shot {
    e2e::Shot s;
    int width = 0, height = 0;
    Rgb at(int x, int y) const {
        const uint8_t* p = s.at(x, y);
        return {p[0], p[1], p[2]};
    }
};

bool have(const char* tool) { return std::system((std::string("command -v ") + tool + " >/dev/null").c_str()) == 0; }

bool capture(Shot& shot) {
    shot.s = e2e::Screenshot();
    shot.width = shot.s.width;
    shot.height = shot.s.height;
    return shot.s.ok();
}

// The example running as a child process, and the screen rectangles it reports once it is up.
class Example {
public:
    Rect bar, play, stop;
    bool started = false;

    Example() : out_(testsupport::temp_dir() + "/example.out") {
        // Stops by itself after a few minutes should nobody end it. The system libraries under it (D-Bus)
        // keep some memory to the end; that is not the example's.
        p_ = e2e::Start(CORVALA_BUTTONS_EXE, "/", {{"20000"}, {"ASAN_OPTIONS=detect_leaks=0"}, out_, ""});
        std::string line;
        e2e::WaitFor(
            [&] {
                line = e2e::ReadFile(out_);
                return line.find('\n') != std::string::npos || !e2e::Running(p_);
            },
            60, 0.02);
        std::istringstream words(line);
        std::string ready;
        words >> ready;
        for (Rect* r : {&bar, &play, &stop}) words >> r->left >> r->top >> r->right >> r->bottom;
        started = ready == "ready" && bool(words);
    }
    // Ends it the way a desktop does (SIGTERM arrives as a quit request); its exit status.
    int stop_program() {
        if (!e2e::Running(p_)) return -1;
        kill(p_.pid, SIGTERM);
        if (!e2e::WaitExit(p_, 30)) return -1;
        return WIFEXITED(p_.status) ? WEXITSTATUS(p_.status) : -1;
    }
    ~Example() { e2e::Kill(p_); }

private:
    std::string out_;
    e2e::Process p_;
};

// Takes screenshots until `done` holds for one (the program draws at its own pace), at most ~10 s.
template <class Pred>
bool shot_until(Shot& shot, Pred done) {
    return e2e::WaitFor([&] { return capture(shot) && done(shot); }, 10, 0.05);
}

int dark_pixels(const Shot& s, int left, int top, int right, int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) n += s.at(x, y).r < 0x60 ? 1 : 0;
    return n;
}

std::vector<uint8_t> area(const Shot& s, int left, int top, int right, int bottom) {
    std::vector<uint8_t> out;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) out.push_back(uint8_t(s.at(x, y).r));
    return out;
}

TEST(ButtonsExample, ShowsTheStatusBarAndTwoShapedButtonsThatHoverAndClick) {
    if (!have("import")) GTEST_SKIP() << "ImageMagick's import is not installed";
    Example ex;
    ASSERT_TRUE(ex.started);
    const int play_x = (ex.play.left + ex.play.right) / 2 - 20, play_y = (ex.play.top + ex.play.bottom) / 2;
    const int stop_x = (ex.stop.left + ex.stop.right) / 2 - 20, stop_y = (ex.stop.top + ex.stop.bottom) / 2;

    Shot shot;
    ASSERT_TRUE(shot_until(shot, [&](const Shot& s) { return s.at(play_x, play_y).g > 120; }))
        << "the play button never showed";
    EXPECT_EQ(ex.bar.bottom - ex.bar.top, 20);
    // The bar: a light grey band along the bottom of the window, text in its first part.
    int grey = 0, total = 0;
    for (int y = ex.bar.top; y < ex.bar.bottom; ++y)
        for (int x = ex.bar.left; x < ex.bar.right; ++x, ++total) {
            const Rgb p = shot.at(x, y);
            grey += p.r == 0xF0 && p.g == 0xF0 && p.b == 0xF0 ? 1 : 0;
        }
    EXPECT_GT(grey, total * 7 / 10) << grey << " of " << total;
    EXPECT_GT(dark_pixels(shot, ex.bar.left, ex.bar.top, ex.bar.left + 100, ex.bar.bottom), 40) << "Percorso file";
    const Rgb above = shot.at(ex.bar.left + 400, ex.bar.top - 3);
    EXPECT_LT(above.r, 0x40) << "the GL picture above the bar";
    // The buttons: their faces in their normal colours, their magenta corners cut away.
    const Rgb play = shot.at(play_x, play_y), stop = shot.at(stop_x, stop_y);
    EXPECT_GT(play.g, play.r + 60);
    EXPECT_GT(stop.r, stop.g + 80);
    EXPECT_LT(stop.r, 195) << "normal, not hover";
    for (const Rect& b : {ex.play, ex.stop}) {
        const Rgb corner = shot.at(b.left + 1, b.top + 1);
        EXPECT_FALSE(corner.r > 200 && corner.b > 200 && corner.g < 50) << "magenta shows at a corner";
        EXPECT_EQ(corner.r, above.r);
        EXPECT_EQ(corner.b, above.b);
    }

    if (!have("xdotool")) GTEST_SKIP() << "xdotool is not installed: no pointer checks";
    const std::vector<uint8_t> second_part =
        area(shot, ex.bar.left + 330, ex.bar.top + 3, ex.bar.left + 520, ex.bar.bottom - 2);
    ASSERT_EQ(std::system(("xdotool mousemove " + std::to_string(stop_x) + " " + std::to_string(stop_y)).c_str()), 0);
    EXPECT_TRUE(shot_until(shot, [&](const Shot& s) { return s.at(stop_x, stop_y).r > 205; }))
        << "the stop button never showed its hover picture";
    EXPECT_LT(shot.at(play_x, play_y).g, 160) << "the play button stays normal";
    ASSERT_EQ(std::system("xdotool click 1"), 0);
    EXPECT_TRUE(shot_until(shot, [&](const Shot& s) {
        return area(s, ex.bar.left + 330, ex.bar.top + 3, ex.bar.left + 520, ex.bar.bottom - 2) != second_part;
    })) << "the click's command never reached the status bar";
    const Rgb after = shot.at(stop_x, stop_y);
    EXPECT_TRUE(after.r > 150 && after.r < 195) << "normal again after the release: " << after.r;

    // A right click over the cube opens the example's menu there; choosing an item closes it.
    const int ox = ex.play.left - 40, oy = ex.play.top - 40;  // the client area's origin on the screen
    const int menu_x = ox + 400, menu_y = oy + 200;
    ASSERT_EQ(std::system(
                  ("xdotool mousemove " + std::to_string(menu_x) + " " + std::to_string(menu_y) + " click 3").c_str()),
              0);
    // The menu's play face is green; the turning cube behind it is yellow, never green above red.
    const auto menu_shows = [&](const Shot& s) {
        const Rgb p = s.at(menu_x + 12, menu_y + 32);
        return p.g > p.r + 60;
    };
    EXPECT_TRUE(shot_until(shot, menu_shows)) << "no menu at the pointer after a right click";
    ASSERT_EQ(std::system(("xdotool mousemove " + std::to_string(menu_x + 72 + 32) + " " + std::to_string(menu_y + 32) +
                           " click 1")
                              .c_str()),
              0);
    EXPECT_TRUE(shot_until(shot, [&](const Shot& s) { return !menu_shows(s); }))
        << "the menu stayed after an item was chosen";
    EXPECT_EQ(ex.stop_program(), 0);
}

}  // namespace
