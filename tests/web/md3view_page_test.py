#!/usr/bin/python3
"""The viewer's page in headless Chromium: it shows the sample player, and a .pk3 chosen with the page's
file input is opened in its place. usage: md3view_page_test.py [SITE_FOLDER] (build-web/site)."""
import base64
import io
import os
import sys
import tempfile
import zipfile

sys.dont_write_bytecode = True  # leaves the source tree as it was
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Browser, Failed, Server, wait_for  # noqa: E402


def count(picture, colour):
    """Pixels of the picture (rows of RGB) for which colour(r, g, b) holds."""
    r, g, b = (picture[:, :, i].astype(int) for i in range(3))
    return int(colour(r, g, b).sum())


def orange(r, g, b):  # the torso's skin, a TGA, lit or not
    return (r > 150) & (g > 60) & (g < 170) & (b < 90)


def teal(r, g, b):  # the head's, a JPEG
    return (r < 110) & (g > 110) & (b > 100) & (abs(g - b) < 60)


def untextured_copy(sample, path):
    """The sample's models and animations as player 'plain', without skins, deflated by Python's zlib."""
    with zipfile.ZipFile(sample) as src, zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as out:
        for name in src.namelist():
            if name.startswith("models/players/robot/") and name.endswith((".md3", ".cfg")):
                out.writestr(name.replace("/robot/", "/plain/"), src.read(name))


def main():
    site = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build-web/site")
    results = []

    def check(name, ok, detail=""):
        results.append(ok)
        print(("ok   " if ok else "FAIL ") + name + (" (" + detail + ")" if detail else ""))

    with Server(site) as server, Browser(size=(900, 700)) as b:
        status = lambda: b.text("md3view-status") or ""  # noqa: E731
        frames = lambda: b.state().get("frames") or 0  # noqa: E731

        def says(what, kind):
            """Whether the page's status comes to say `what`, with the class `kind` (what became of a file)."""
            probe = lambda: what in status() and kind in b.js(  # noqa: E731
                "return document.getElementById('md3view-status').className")
            try:
                return wait_for(f"the page to say {what!r}", probe, 30)
            except Failed:
                return False

        def choose(path):
            b.driver.find_element("id", "md3view-file").send_keys(path)

        b.driver.get(server.url("examples/md3view.html"))
        wait_for("ten frames of the viewer", lambda: frames() > 10, 30)
        picture = b.shot()
        before, head = count(picture, orange), count(picture, teal)
        check("the sample player is drawn in its skins, TGA and JPEG", before > 2000 and head > 300,
              f"{before} orange, {head} teal pixels")

        with tempfile.TemporaryDirectory() as folder:
            plain = os.path.join(folder, "plain.pk3")
            sample = b.js("var b = FS.readFile('/md3view/sample.pk3'), s = '';"
                          "for (var i = 0; i < b.length; ++i) s += String.fromCharCode(b[i]);"
                          "return btoa(s);")
            untextured_copy(io.BytesIO(base64.b64decode(sample)), plain)
            choose(plain)
            shown = says("Showing plain", "")
            check("a chosen .pk3 is opened", shown, status())
            later = frames() + 10
            wait_for("ten more frames", lambda: frames() > later, 30)
            after = count(b.shot(), orange)
            check("its player replaces the sample's", shown and after < before / 20, f"{after} orange pixels")

            broken = os.path.join(folder, "broken.pk3")
            with open(broken, "wb") as f:
                f.write(b"PK\x03\x04 not really")
            choose(broken)
            reported = says("broken.pk3:", "failed")
            check("a file that is no archive is reported", reported, status())
    passed = sum(results)
    print(f"{passed} passed, {len(results) - passed} failed")
    return 0 if results and passed == len(results) else 1


if __name__ == "__main__":
    sys.exit(main())
