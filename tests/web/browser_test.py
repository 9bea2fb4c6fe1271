#!/usr/bin/python3
"""Wobblefin's web build in a real headless Chromium, used as a person would use it and judged from
screenshots of its canvas with the desktop end-to-end test's thresholds: with a mouse in a desktop-sized
window, with a finger on a phone, without WebGL, and with its packed data missing; and each example's page.

    /usr/bin/python3 tests/web/browser_test.py SITE_DIR     (SITE_DIR: build-web/site)

Ends with "N passed, N failed"; exit status 0 only if none failed."""
import math
import os
import shutil
import sys
import tempfile
import time
import traceback

import numpy as np
from selenium.common.exceptions import WebDriverException
from selenium.webdriver.common.keys import Keys

sys.dont_write_bytecode = True  # leaves the source tree as it was
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import NO_WEBGL, Browser, Failed, Server, wait_for  # noqa: E402

TITLE = "Wobblefin v1.0"
W, H = 800, 600  # the program's viewport, anchored at the drawing buffer's bottom
# The drawing buffer is the window's client area, as on the desktop: the program's 799 x 600 window less a
# 16-row caption and a 3-pixel frame.
CLIENT_W, CLIENT_H = 793, 578


class Layout:
    """Where things show on a canvas `height` rows tall, the program's 800 x 600 viewport anchored at its
    bottom: the desktop test's figures, measured in a client area 578 rows tall, moved by the difference."""

    def __init__(self, height):
        self.height, down = height, height - 578
        self.fish_area = (70, 70 + down, 680, height - 10)  # x0, y0, x1, y1: the buttons stand outside it
        self.panel_area = (30, 65 + down, 300, 300 + down)  # where the info text shows
        self.away = (120, height - 38)  # water: no button, no fish
        self.info, self.shock, self.beside, self.heat = (self.scene(*p)
                                                         for p in ((-15, 11), (12.75, 11), (15, 11), (12.75, 4.4)))

    def scene(self, x, y):
        """A point of the scene's button plane: the program's gluPerspective(45, 4/3) looking at the plane
        moved by (0, -1, -30)."""
        f = 1 / math.tan(math.radians(22.5))
        nx, ny = f / (W / H) * x / 30, f * (y - 1) / 30
        return round((nx + 1) / 2 * W), self.height - round((ny + 1) / 2 * H)


def luma(shot, centre, half=12):
    x, y = centre
    part = shot[y - half:y + half, x - half:x + half].astype(float)
    return float((part @ [0.299, 0.587, 0.114]).mean())


def changed(a, b, area):
    x0, y0, x1, y1 = area
    d = np.abs(a[y0:y1, x0:x1].astype(int) - b[y0:y1, x0:x1].astype(int)).sum(axis=2)
    return int((d > 60).sum())


def fish_centre(shot, area):
    """The goldfish is the only orange thing in the aquarium; None when fewer than 50 pixels are orange."""
    x0, y0, x1, y1 = area
    p = shot[y0:y1, x0:x1].astype(int)
    r, g, b = p[:, :, 0], p[:, :, 1], p[:, :, 2]
    ys, xs = np.nonzero((r > 120) & (r > g + 40) & (r > b + 60))
    return None if len(xs) < 50 else (x0 + xs.mean(), y0 + ys.mean())


def shot_until(b, what, seen, seconds=10):
    """Screenshots until `seen` holds for one, which it returns."""

    def look():
        shot = b.shot()
        return shot if seen(shot) else None

    return wait_for(what, look, seconds)


def settled(b, centre):
    """Screenshots until the picture around `centre` reads the same twice running."""
    last = [-1.0]

    def same(shot):
        now, was = luma(shot, centre), last[0]
        last[0] = now
        return abs(now - was) < 0.5

    return shot_until(b, f"the picture around {centre} to settle", same)


def running(b, seconds=30):
    """Waits for the page to run, then notes where things show on its canvas."""
    wait_for("window.corvala.state == 'running' with a frame presented",
             lambda: b.state().get("state") == "running" and b.state().get("frames", 0) > 0, seconds, 0.2)
    b.layout = Layout(b.canvas()["height"])


# The checks: each returns what it measured, or raises Failed saying what did not come true.


def loads_and_presents(b):
    running(b)
    first = b.state().get("firstFrameAt")
    if not isinstance(first, (int, float)) or first <= 0:
        raise Failed(f"firstFrameAt is {first!r}")
    return f"first frame at {first:.0f} ms"


def size_title_and_icon(b):
    c, title, wrong = b.canvas(), b.driver.title, []
    if (c["width"], c["height"]) != (CLIENT_W, CLIENT_H):
        wrong.append(f"a drawing buffer of {c['width']} x {c['height']}, not the client area's {CLIENT_W} x {CLIENT_H}")
    if title != TITLE:
        wrong.append(f"the page's title is {title!r}")
    # The program's icon is an .ico file: its header reads 0, then 1 for an icon.
    icon = b.js("const link = document.querySelector('link[rel~=icon]'); if (!link) return 'no icon link';"
                "return fetch(link.href).then(r => r.arrayBuffer()).then(a => Array.from(new Uint8Array(a, 0, 4)))"
                ".catch(e => String(e));")
    if icon != [0, 0, 1, 0]:
        wrong.append(f"the page's icon is not an .ico: {icon!r}")
    if wrong:
        raise Failed("; ".join(wrong))


def fish_seen(b):
    x, y = wait_for("orange fish pixels on the canvas", lambda: fish_centre(b.shot(), b.layout.fish_area), 15)
    return f"fish at ({x:.0f}, {y:.0f})"


def hover_brightens(b):
    b.move(b.layout.away)
    idle = settled(b, b.layout.shock)
    dim, was = luma(idle, b.layout.shock), luma(idle, b.layout.beside)
    b.move(b.layout.shock)
    lit = shot_until(b, f"the hovered button's luma to pass {dim * 1.3 + 5:.1f} (idle {dim:.1f})",
                     lambda s: luma(s, b.layout.shock) > dim * 1.3 + 5)
    b.move(b.layout.away)
    bright, now = luma(lit, b.layout.shock), luma(lit, b.layout.beside)
    if abs(now - was) > 4:
        raise Failed(f"the button beside it went {was:.1f} -> {now:.1f}")
    return f"luma {dim:.1f} -> {bright:.1f}, the one beside {was:.1f} -> {now:.1f}"


def holding_moves_the_fish(b, tool, pixels):
    """While the button named `tool` is held (mouse button or finger) the fish leaves its place by more than
    `pixels`."""
    b.move(b.layout.away)
    x0, y0 = wait_for("the goldfish on the canvas", lambda: fish_centre(b.shot(), b.layout.fish_area), 15)
    b.move(getattr(b.layout, tool))
    b.down()
    moved = [0.0]

    def far():
        where = fish_centre(b.shot(), b.layout.fish_area)
        if where:
            moved[0] = max(moved[0], math.hypot(where[0] - x0, where[1] - y0))
        return moved[0] > pixels

    try:
        wait_for(f"the fish to move {pixels} px from ({x0:.0f}, {y0:.0f}) while held", far, 10)
    except Failed as e:
        raise Failed(f"{e}: it moved {moved[0]:.0f} px")
    finally:
        b.up()
        b.move(b.layout.away)
    return f"fish moved {moved[0]:.0f} px from ({x0:.0f}, {y0:.0f})"


def info_toggles_panel(b):
    area = b.layout.panel_area
    b.move(b.layout.info)
    before = settled(b, b.layout.info)
    baseline = changed(before, b.shot(), area)
    b.down()
    b.up()
    panel = shot_until(b, "the info text to appear", lambda s: changed(before, s, area) > baseline + 300)
    shown = changed(before, panel, area)
    b.down()
    b.up()
    hidden = shot_until(b, "the info text to go", lambda s: changed(before, s, area) < shown / 4 + baseline)
    b.move(b.layout.away)
    return f"changed pixels still {baseline}, shown {shown}, hidden {changed(before, hidden, area)}"


def the_end(b):
    wait_for("the #ended notice and window.corvala.state == 'ended'",
             lambda: b.visible("ended") and b.state().get("state") == "ended", 20, 0.1)
    said = b.text("ended")
    if "Wobblefin has ended." not in said:
        raise Failed(f"the notice says {said!r}")


def escape_ends(b):
    b.key(Keys.ESCAPE)
    the_end(b)


def start_again(b):
    b.driver.find_element("id", "restart").click()
    running(b)
    if b.visible("ended"):
        raise Failed("the #ended notice still shows")
    fish_seen(b)


def canvas_fits_the_phone(b):
    running(b)
    c, width = b.canvas(), b.js("return document.documentElement.clientWidth")
    if c["w"] > width + 0.5 or c["w"] < width * 0.8:
        raise Failed(f"canvas {c['w']:.0f} CSS px wide in a viewport {width} wide")
    if abs(c["w"] / c["h"] - c["width"] / c["height"]) > 0.02:
        raise Failed(f"canvas {c['w']:.0f} x {c['h']:.0f} CSS px for a {c['width']} x {c['height']} buffer")
    return f"canvas {c['w']:.0f} x {c['h']:.0f} CSS px for a {c['width']} x {c['height']} buffer"


def nothing_uncaught(b):
    errors = [e["message"] for e in b.console() if "Uncaught" in e["message"]]
    if errors:
        raise Failed(f"uncaught in the console: {errors}")


def no_webgl_message_then_end(b):
    wait_for("the box (#box visible with text)", lambda: b.visible("box") and b.text("box-text"), 20, 0.1)
    text = b.text("box-text")
    # The framework's own words for a window or a GL context it could not set up.
    if "inizilizata" not in text and "Impossibile creare" not in text:
        raise Failed(f"the box says {text!r}")
    b.driver.find_element("id", "box-ok").click()
    the_end(b)
    nothing_uncaught(b)
    return repr(text)


def every_example_presents(b, list_url):
    b.driver.get(list_url)
    pages = b.js("return Array.from(document.querySelectorAll('a[href]'), a => a.href)"
                 ".filter(h => !h.endsWith('/index.html'))")
    if not pages:
        raise Failed("the list links no example")
    for page in pages:
        b.driver.get(page)
        wait_for(f"a presented frame on {page}",
                 lambda: b.state().get("frames", 0) > 0 and b.state().get("state") in ("running", "ended"), 20, 0.1)
    return f"{len(pages)} pages: {', '.join(p.rsplit('/', 1)[1] for p in pages)}"


def missing_pack_fails_clearly(b):
    wait_for("window.corvala.state == 'failed'", lambda: b.state().get("state") == "failed", 20, 0.1)
    said = b.js("return document.body.innerText")
    if "Wobblefin could not load its data (Wobblefin.data)" not in said:
        raise Failed(f"the page says {said!r}")
    return repr(b.state().get("message"))


class Run:
    def __init__(self):
        self.passed = self.failed = 0

    def fail(self, name, why):
        self.failed += 1
        print(f"FAIL {name}: {why}", flush=True)

    def check(self, name, fn, *args):
        start = time.monotonic()
        try:
            said = fn(*args)
        except Failed as e:
            return self.fail(name, e)
        except WebDriverException as e:
            return self.fail(name, f"{type(e).__name__}: {e.msg}")
        except Exception:  # a browser or driver fault fails this check, not the run
            return self.fail(name, traceback.format_exc(limit=2).strip())
        self.passed += 1
        print(f"PASS {name} ({time.monotonic() - start:.1f} s){': ' + said if said else ''}", flush=True)
        return True

    def series(self, first, *rest):
        """Checks on one page in turn, (name, function, arguments...) each: when the first fails the page
        never ran, and the rest fail without waiting for what cannot come."""
        ran = self.check(*first)
        for c in rest:
            self.check(*c) if ran else self.fail(c[0], "not tried: the page never ran")

    def group(self, name, fn):
        """A group of checks around one browser: a browser that will not start, or will not end, is a fault."""
        try:
            fn()
        except Exception:
            self.failed += 1
            print(f"FAIL {name}: {traceback.format_exc(limit=2).strip()}", flush=True)


def main(site):
    run = Run()
    with Server(site) as server:

        def desktop():
            with Browser(size=(1024, 768)) as b:
                b.driver.get(server.url("index.html"))
                run.series(("desktop: loads and presents frames", loads_and_presents, b),
                           ("desktop: the window's size, title and icon", size_title_and_icon, b),
                           ("desktop: the goldfish is seen", fish_seen, b),
                           ("desktop: a hovered button brightens", hover_brightens, b),
                           ("desktop: holding heat moves the fish", holding_moves_the_fish, b, "heat", 60),
                           ("desktop: info shows the text, a second click hides it", info_toggles_panel, b),
                           ("desktop: Escape ends", escape_ends, b),
                           ("desktop: Start again starts it again", start_again, b),
                           ("desktop: no uncaught error in the console", nothing_uncaught, b))

        def phone():
            with Browser(phone=(390, 844)) as b:
                b.driver.get(server.url("index.html"))
                run.series(("phone: the canvas is scaled down to fit", canvas_fits_the_phone, b),
                           ("phone: a finger held on heat moves the fish", holding_moves_the_fish, b, "heat", 60))

        def no_webgl():
            with Browser(flags=NO_WEBGL) as b:
                b.driver.get(server.url("index.html"))
                run.check("no WebGL: the program's message in the box, then the end", no_webgl_message_then_end, b)

        def examples():
            with Browser() as b:
                run.check("examples: every page listed presents frames", every_example_presents, b,
                          server.url("examples/index.html"))

        run.group("desktop browser", desktop)
        run.group("phone browser", phone)
        run.group("browser without WebGL", no_webgl)
        run.group("browser on the examples", examples)

    copy = tempfile.mkdtemp(prefix="wobblefin-site-")
    try:
        shutil.copytree(site, copy, dirs_exist_ok=True, ignore=shutil.ignore_patterns("Wobblefin.data"))

        def missing_pack():
            with Server(copy) as server, Browser() as b:
                b.driver.get(server.url("index.html"))
                run.check("no Wobblefin.data: a clear message, state failed", missing_pack_fails_clearly, b)

        run.group("browser on a site without its data", missing_pack)
    finally:
        shutil.rmtree(copy, ignore_errors=True)
    return run


if __name__ == "__main__":
    if len(sys.argv) != 2 or not os.path.isfile(os.path.join(sys.argv[1], "index.html")):
        sys.exit("usage: browser_test.py SITE_DIR (a built site with its index.html)")
    started = time.monotonic()
    result = main(sys.argv[1])
    print(f"(took {time.monotonic() - started:.0f} s)")
    print(f"{result.passed} passed, {result.failed} failed")
    sys.exit(1 if result.failed else 0)
