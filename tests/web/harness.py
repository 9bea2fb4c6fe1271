"""A built web site served on 127.0.0.1 and a fresh headless Chromium driven through it: what the browser
test and the web figures share. Every wait has a limit and says what it waited for when it runs out."""
import base64
import functools
import http.server
import os
import shutil
import tempfile
import threading
import time
import zlib

import numpy as np
from selenium import webdriver
from selenium.common.exceptions import WebDriverException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions import interaction
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.pointer_input import PointerInput

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"
# Software GL for WebGL, and nothing that talks to the network or updates itself behind the test's back.
FLAGS = [
    "--headless=new", "--no-sandbox", "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
    "--disable-background-networking", "--disable-component-update", "--disable-sync", "--no-first-run",
    "--disable-quic", "--disable-gpu-sandbox"
]
NO_WEBGL = ["--disable-webgl", "--disable-3d-apis"]


class Failed(Exception):
    pass


def wait_for(what, probe, seconds, step=0.05):
    """Calls `probe` until it gives something true (or a picture) and returns that; fails after `seconds`. A
    page that is navigating away answers scripts with errors: those count as not yet."""
    end = time.monotonic() + seconds
    last_error = None
    while True:
        try:
            value = probe()
            if isinstance(value, np.ndarray) or value:
                return value
        except WebDriverException as e:
            last_error = e.msg
        if time.monotonic() > end:
            raise Failed(f"waited {seconds:g} s for {what}" + (f" (last error: {last_error})" if last_error else ""))
        time.sleep(step)


class _Files(http.server.SimpleHTTPRequestHandler):
    extensions_map = {
        **http.server.SimpleHTTPRequestHandler.extensions_map, ".wasm": "application/wasm",
        ".js": "text/javascript", ".data": "application/octet-stream"
    }

    def log_message(self, *args):
        pass


class Server:
    """Python's own HTTP server over `root` on an ephemeral port, in a thread, for as long as the `with`."""

    def __init__(self, root):
        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(_Files, directory=root))
        self.thread = threading.Thread(target=self.httpd.serve_forever, daemon=True)

    def __enter__(self):
        self.thread.start()
        return self

    def __exit__(self, *exc):
        self.httpd.shutdown()
        self.httpd.server_close()
        self.thread.join(10)

    def url(self, path):
        return f"http://127.0.0.1:{self.httpd.server_address[1]}/{path}"


def decode_png(data):
    """An 8-bit RGB or RGBA PNG (what Chromium writes) as an array of rows of RGB."""
    pos, idat = 8, b""
    while pos < len(data):
        size = int.from_bytes(data[pos:pos + 4], "big")
        kind, body = data[pos + 4:pos + 8], data[pos + 8:pos + 8 + size]
        if kind == b"IHDR":
            width, height = int.from_bytes(body[0:4], "big"), int.from_bytes(body[4:8], "big")
            depth, colour = body[8], body[9]
        elif kind == b"IDAT":
            idat += body
        pos += 12 + size
    if depth != 8 or colour not in (2, 6):
        raise Failed(f"a screenshot PNG of depth {depth}, colour type {colour}")
    bpp = 3 if colour == 2 else 4
    raw = np.frombuffer(zlib.decompress(idat), np.uint8).reshape(height, 1 + width * bpp)
    out = np.zeros((height, width * bpp), np.uint8)
    prev = np.zeros(width * bpp, np.uint8)
    for y in range(height):
        kind, row = raw[y, 0], raw[y, 1:]
        if kind == 0:
            cur = row.copy()
        elif kind == 1:  # each byte adds the one a pixel to its left: a running sum per channel
            cur = np.cumsum(row.reshape(width, bpp), axis=0, dtype=np.uint8).reshape(-1)
        elif kind == 2:
            cur = row + prev
        else:  # average and Paeth depend on the byte just made: byte by byte
            cur, r, p = np.zeros_like(row), row.tolist(), prev.tolist()
            c = [0] * len(r)
            for i in range(len(r)):
                a = c[i - bpp] if i >= bpp else 0
                b, d = p[i], p[i - bpp] if i >= bpp else 0
                if kind == 3:
                    c[i] = (r[i] + (a + b) // 2) & 255
                else:
                    pa, pb, pc = abs(b - d), abs(a - d), abs(a + b - 2 * d)
                    c[i] = (r[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else d)) & 255
            cur = np.array(c, np.uint8)
        out[y] = prev = cur
    return out.reshape(height, width, bpp)[:, :, :3]


class Browser:
    """A fresh headless Chromium (its own profile, removed after) under chromedriver. `phone` is
    (width, height) of a touch phone emulated at 3 device pixels per CSS pixel; otherwise a desktop window of
    `size` driven with a mouse."""

    def __init__(self, size=(1024, 768), phone=None, flags=()):
        self.profile = tempfile.mkdtemp(prefix="wobblefin-chromium-")
        options = webdriver.ChromeOptions()
        options.binary_location = CHROMIUM
        for flag in FLAGS + list(flags) + [f"--user-data-dir={self.profile}"]:
            options.add_argument(flag)
        if phone:
            metrics = {"width": phone[0], "height": phone[1], "pixelRatio": 3.0, "touch": True, "mobile": True}
            options.add_experimental_option("mobileEmulation", {"deviceMetrics": metrics})
        else:
            options.add_argument(f"--window-size={size[0]},{size[1]}")
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        self.phone, self.touching, self.at = bool(phone), False, {"x": 0, "y": 0}
        try:
            self.driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
        except BaseException:
            shutil.rmtree(self.profile, ignore_errors=True)
            raise
        self.driver.set_page_load_timeout(60)
        self.driver.set_script_timeout(30)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        try:
            self.driver.quit()
        finally:
            shutil.rmtree(self.profile, ignore_errors=True)

    def processes(self):
        """The browser's pids: every process under chromedriver (the browser, its renderers, GPU process ...)."""
        parents = {}
        for entry in os.listdir("/proc"):
            if entry.isdigit():
                try:
                    with open(f"/proc/{entry}/stat") as f:
                        parents.setdefault(int(f.read().rsplit(")", 1)[1].split()[1]), []).append(int(entry))
                except (OSError, IndexError):
                    pass
        found, todo = [], list(parents.get(self.driver.service.process.pid, []))
        while todo:
            pid = todo.pop()
            found.append(pid)
            todo += parents.get(pid, [])
        return found

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def state(self):
        return self.js("return window.corvala ? Object.assign({}, window.corvala) : null") or {}

    def visible(self, element_id):
        return self.js(
            "const e = document.getElementById(arguments[0]); if (!e) return false;"
            "const r = e.getBoundingClientRect(), s = getComputedStyle(e);"
            "return r.width > 0 && r.height > 0 && s.display != 'none' && s.visibility != 'hidden';", element_id)

    def text(self, element_id):
        return self.js("const e = document.getElementById(arguments[0]); return e ? e.innerText : null;", element_id)

    def canvas(self):
        """The canvas's drawing buffer size and where it shows in the viewport (CSS pixels)."""
        return self.js("const c = document.getElementById('canvas'), r = c.getBoundingClientRect();"
                       "return {width: c.width, height: c.height, x: r.x, y: r.y, w: r.width, h: r.height};")

    def shot(self):
        """A screenshot of the canvas element brought to the drawing buffer's size: rows of RGB, indexed
        [y, x] in canvas pixels."""
        c = self.canvas()
        clip = {"x": c["x"], "y": c["y"], "width": c["w"], "height": c["h"], "scale": 1}
        png = self.driver.execute_cdp_cmd("Page.captureScreenshot", {
            "format": "png", "clip": clip, "optimizeForSpeed": True, "captureBeyondViewport": False})
        image = decode_png(base64.b64decode(png["data"]))
        rows = np.minimum((np.arange(c["height"]) + 0.5) * image.shape[0] / c["height"], image.shape[0] - 1)
        cols = np.minimum((np.arange(c["width"]) + 0.5) * image.shape[1] / c["width"], image.shape[1] - 1)
        return image[rows.astype(int)][:, cols.astype(int)]

    def _pointer(self, then):
        actions = ActionBuilder(self.driver, mouse=PointerInput(interaction.POINTER_MOUSE, "mouse"))
        then(actions.pointer_action)
        actions.perform()

    def _touch(self, kind, points):
        self.driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": kind, "touchPoints": points})

    def move(self, point):
        """The mouse, or on a phone the finger, to a point given in canvas pixels."""
        c = self.canvas()
        x = c["x"] + (point[0] + 0.5) * c["w"] / c["width"]
        y = c["y"] + (point[1] + 0.5) * c["h"] / c["height"]
        self.at = {"x": x, "y": y}
        if not self.phone:
            self._pointer(lambda p: p.move_to_location(int(x), int(y)))
        elif self.touching:
            self._touch("touchMove", [self.at])

    # WebDriver's touch actions lose the finger between two performs; the DevTools protocol's touch events
    # keep it down for as long as the test wants.
    def down(self):
        if self.phone:
            self._touch("touchStart", [self.at])
            self.touching = True
        else:
            self._pointer(lambda p: p.pointer_down())

    def up(self):
        if self.phone:
            self._touch("touchEnd", [])
            self.touching = False
        else:
            self._pointer(lambda p: p.pointer_up())

    def key(self, key):
        ActionChains(self.driver).send_keys(key).perform()

    def console(self):
        return self.driver.get_log("browser")
