#!/usr/bin/python3
"""sdk_page_test.py FOLDER PAGE...: each PAGE of FOLDER, served on 127.0.0.1, opened in a fresh headless
Chromium: its program starts and draws frames, with nothing to say (a file it could not find or read would
put up a box). Every wait is bounded."""
import os
import sys

sys.dont_write_bytecode = True  # leaves the source tree as it was
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Browser, Failed, Server, wait_for  # noqa: E402

FRAMES = 10


def check(b, url):
    """Raises Failed unless the page's program runs and draws frames without a word."""
    b.driver.get(url)

    def running():
        s = b.state()
        if s.get("message") or s.get("state") not in ("loading", "running"):
            raise Failed(f"the program is {s.get('state')}, saying: {s.get('message')}")
        return s.get("state") == "running" and (s.get("frames") or 0) > FRAMES

    wait_for(f"{FRAMES} frames", running, 60, 0.1)


def main():
    folder, pages = sys.argv[1], sys.argv[2:]
    passed = failed = 0
    with Server(folder) as server:
        for page in pages:
            try:
                with Browser() as b:
                    check(b, server.url(page))
                passed += 1
                print(f"ok   {page}")
            except Failed as e:
                failed += 1
                print(f"FAIL {page}: {e}")
    print(f"{passed} passed, {failed} failed")
    return 1 if failed or not passed else 0


if __name__ == "__main__":
    sys.exit(main())
