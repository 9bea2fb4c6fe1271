// Wobblefin's window used with the real X mouse and keyboard and judged by screenshots, as a person would
// judge it: the same judgements for the Linux program and for the Windows one under Wine.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/desktop.h"
#include "tests/support/projection.h"

namespace e2e {

using Pixel = testsupport::ClientPoint;

class Session {
public:
    explicit Session(const Geometry& g) : g_(g) {}
    const Geometry& geometry() const { return g_; }
    // Where a point of the scene's button plane shows in this window: the frames of Linux and of Wine differ.
    Pixel Scene(double x, double y) const { return testsupport::ScenePixel(x, y, 0, 800, 600, g_.height); }
    Pixel Info() const { return Scene(-15, 11); }
    Pixel Away() const { return {120, g_.height - 38}; }  // water, no button and no fish

    void Move(Pixel p);
    void Down();
    void Up();
    void Key(const char* k);
    // Screenshots until `seen` holds for one, at most 10 s; the last one taken.
    template <class Pred>
    static Shot Until(Pred seen) {
        Shot shot;
        WaitFor(
            [&] {
                shot = Screenshot();
                return shot.ok() && seen(shot);
            },
            10, 0.02);
        return shot;
    }
    // Screenshots until the picture around `centre` reads the same twice running: what the pointer did
    // there has been drawn.
    Shot Settled(Pixel centre) const;
    double Luma(const Shot& s, Pixel centre, int half) const;
    int Changed(const Shot& a, const Shot& b, int x0, int y0, int x1, int y1) const;
    // Pixels that differ in the part of the window where the info panel shows.
    int PanelChanged(const Shot& a, const Shot& b) const { return Changed(a, b, 30, 65, 300, 300); }

private:
    Geometry g_;
};

// Waits for `window` to show its buttons, reading where it is on every try (it shows before the program
// centres it and before the data set is loaded); false when the program ended or time ran out.
bool WaitForButtons(unsigned long window, Process& program, Geometry* g, double seconds);

// Where the goldfish shows, from screenshots taken for up to 10 s; false when none showed it.
bool FishOnScreen(double* x, double* y, const Session& s);

// The judgements. Each leaves the pointer away from the buttons and the fish, and says what it measured.
// The button under the pointer brightens while `other` keeps its look.
::testing::AssertionResult HoverBrightens(Session& s, Pixel button, Pixel other);
// Two clicks on the info button show the panel under it, then hide it. `baseline` receives how many panel
// pixels change between two pictures with nothing clicked (the fish swims behind it).
::testing::AssertionResult InfoButtonTogglesPanel(Session& s, int* baseline);
// While `tool` is held the fish leaves its place by more than `pixels`.
::testing::AssertionResult HoldingMovesTheFish(Session& s, Pixel tool, double pixels);
// Minimized by the window manager, the program uses under 5% of a core (and under a quarter of what it
// used shown); restored, it draws again. Processor shares from /proc, printed; a wide band, not a timing.
::testing::AssertionResult MinimizedCostsNothing(Session& s, Process& program, unsigned long window);
// Escape ends the program with exit code 0.
::testing::AssertionResult EscapeEndsWithCodeZero(Session& s, Process& program);

}  // namespace e2e
