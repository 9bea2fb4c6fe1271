#!/usr/bin/env python3
"""The viewer's page in headless Chromium: it shows the sample player, and a .pk3 chosen with the page's
file input is opened in its place. usage: md3view_page_test.py [SITE_FOLDER] (build-web/site)."""
import base64
import functools
import http.server
import io
import os
import struct
import sys
import tempfile
import threading
import time
import zipfile
import zlib

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By


def png_pixels(data):
    """Width, height, channels and rows of bytes of an 8-bit, non-interlaced RGB or RGBA PNG."""
    at, idat, width, height, channels = 8, b"", 0, 0, 0
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            width, height, depth, color = struct.unpack(">IIBB", body[:10])
            assert depth == 8 and color in (2, 6), "unexpected PNG"
            channels = 3 if color == 2 else 4
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    raw, stride, rows, prev = zlib.decompress(idat), width * channels, [], bytearray(width * channels)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b, c = prev[i], prev[i - channels] if i >= channels else 0
            p = a + b - c
            paeth = a if abs(p - a) <= abs(p - b) and abs(p - a) <= abs(p - c) else b if abs(p - b) <= abs(p - c) else c
            line[i] = (line[i] + (0, a, b, (a + b) // 2, paeth)[kind]) & 255
        rows.append(line)
        prev = line
    return width, height, channels, rows


def count_pixels(png, colour):
    """Pixels of PNG for which colour(r, g, b) holds."""
    width, _, channels, rows = png_pixels(png)
    return sum(1 for row in rows for x in range(width) if colour(*row[x * channels:x * channels + 3]))


def orange(r, g, b):  # the torso's skin, a TGA, lit or not
    return r > 150 and 60 < g < 170 and b < 90


def teal(r, g, b):  # the head's, a JPEG
    return r < 110 and g > 110 and b > 100 and abs(g - b) < 60


def untextured_copy(sample, path):
    """The sample's models and animations as player 'plain', without skins, deflated by Python's zlib."""
    with zipfile.ZipFile(sample) as src, zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as out:
        for name in src.namelist():
            if name.startswith("models/players/robot/") and name.endswith((".md3", ".cfg")):
                out.writestr(name.replace("/robot/", "/plain/"), src.read(name))


def main():
    site = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build-web/site")
    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass

    handler = functools.partial(Quiet, directory=site)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for a in ("--headless=new", "--no-sandbox", "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
              "--disable-background-networking", "--disable-component-update", "--disable-sync",
              "--no-first-run", "--window-size=900,700"):
        options.add_argument(a)
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    results = []

    def check(name, ok, detail=""):
        results.append(ok)
        print(("ok   " if ok else "FAIL ") + name + (" (" + detail + ")" if detail else ""))

    def wait(condition, seconds=30):
        end = time.time() + seconds
        while time.time() < end:
            if condition():
                return True
            time.sleep(0.2)
        return False

    def status():
        return driver.find_element(By.ID, "md3view-status").text

    def frames():
        return driver.execute_script("return window.corvala.frames")

    try:
        driver.get("http://127.0.0.1:%d/examples/md3view.html" % server.server_port)
        wait(lambda: frames() > 10)
        canvas = driver.find_element(By.ID, "canvas")
        picture = canvas.screenshot_as_png
        before, head = count_pixels(picture, orange), count_pixels(picture, teal)
        check("the sample player is drawn in its skins, TGA and JPEG", before > 2000 and head > 300,
              "%d orange, %d teal pixels" % (before, head))

        with tempfile.TemporaryDirectory() as folder:
            plain = os.path.join(folder, "plain.pk3")
            sample = driver.execute_script(
                "var b = FS.readFile('/md3view/sample.pk3'), s = '';"
                "for (var i = 0; i < b.length; ++i) s += String.fromCharCode(b[i]);"
                "return btoa(s);")
            untextured_copy(io.BytesIO(base64.b64decode(sample)), plain)
            driver.find_element(By.ID, "md3view-file").send_keys(plain)
            opened = wait(lambda: "plain" in status())
            check("a chosen .pk3 is opened", opened, status())
            shown = frames()
            wait(lambda: frames() > shown + 10)
            after = count_pixels(canvas.screenshot_as_png, orange)
            check("its player replaces the sample's", opened and after < before / 20, "%d orange pixels" % after)

            broken = os.path.join(folder, "broken.pk3")
            with open(broken, "wb") as f:
                f.write(b"PK\x03\x04 not really")
            driver.find_element(By.ID, "md3view-file").send_keys(broken)
            failed = wait(lambda: "broken.pk3" in status())
            check("a file that is no archive is reported", failed and "failed" in
                  driver.find_element(By.ID, "md3view-status").get_attribute("class"), status())
    finally:
        driver.quit()
        server.shutdown()
    passed = sum(results)
    print("%d passed, %d failed" % (passed, len(results) - passed))
    return 0 if passed == len(results) else 1


if __name__ == "__main__":
    sys.exit(main())
