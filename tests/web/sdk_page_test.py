#!/usr/bin/python3
"""sdk_page_test.py FOLDER PAGE...: each PAGE of FOLDER, served on 127.0.0.1, opened in a fresh headless
Chromium: its program starts and draws frames, with nothing to say (a file it could not find or read would
put up a box). Every wait is bounded."""
import functools
import http.server
import sys
import threading
import time

from selenium import webdriver
from selenium.common.exceptions import WebDriverException
from selenium.webdriver.chrome.service import Service

FLAGS = [
    "--headless=new", "--no-sandbox", "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
    "--disable-background-networking", "--disable-component-update", "--disable-sync", "--no-first-run"
]
SECONDS = 60
FRAMES = 10
PROBE = "var c = window.corvala; return c ? [c.state, c.frames, c.message] : ['no page script', 0, ''];"


class Files(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, ".wasm": "application/wasm"}

    def log_message(self, *args):
        pass


def browser():
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in FLAGS:
        options.add_argument(flag)
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def check(driver, url):
    """None when the page's program runs, else what went wrong."""
    driver.get(url)
    end = time.monotonic() + SECONDS
    state = None
    while time.monotonic() < end:
        try:
            state = driver.execute_script(PROBE)
        except WebDriverException:
            state = None
        if state and (state[2] or state[0] not in ("loading", "running")):
            return f"the program is {state[0]}, saying: {state[2]}"
        if state and state[0] == "running" and state[1] > FRAMES:
            return None
        time.sleep(0.1)
    return f"no {FRAMES} frames in {SECONDS} s (state {state})"


def main():
    folder, pages = sys.argv[1], sys.argv[2:]
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Files, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    passed = failed = 0
    try:
        for page in pages:
            driver = browser()
            try:
                problem = check(driver, f"http://127.0.0.1:{server.server_address[1]}/{page}")
            finally:
                driver.quit()
            if problem:
                failed += 1
                print(f"FAIL {page}: {problem}")
            else:
                passed += 1
                print(f"ok   {page}")
    finally:
        server.shutdown()
    print(f"{passed} passed, {failed} failed")
    return 1 if failed or not passed else 0


if __name__ == "__main__":
    sys.exit(main())
