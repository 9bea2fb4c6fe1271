#!/usr/bin/python3
"""gl_scenes in headless Chromium (our GL over WebGL, SwiftShader beneath), compared with the reference run.

  fidelity_web.py PAGE_DIR GL_COMPARE OUTDIR (--reference DIR | --reference-scenes GL_SCENES)

PAGE_DIR is the web build's tests/ folder (gl_scenes.html and its program); the browser's files go to
OUTDIR/browser. The reference is a folder a system-GL gl_scenes wrote, or that program, run here into
OUTDIR/reference under the current DISPLAY. gl_compare's figures are printed, then "N passed, N failed"
over the run in the browser, the scenes and the picks; the exit status is 1 when any failed.
"""
import argparse
import base64
import os
import re
import shutil
import subprocess
import sys
import time

import numpy
from selenium.common.exceptions import TimeoutException, WebDriverException

sys.dont_write_bytecode = True  # leaves the source tree as it was
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'web'))
from harness import Browser, Server  # noqa: E402

LEVELS = 8  # gl_compare's: a channel further off than this makes a pixel differ
RUN_SECONDS = 600  # the whole run in the browser, which draws in software
WEBGL_FACTS = '''
    var gl = document.createElement('canvas').getContext('webgl');
    var info = gl.getExtension('WEBGL_debug_renderer_info');
    return [gl.getParameter(gl.VERSION), gl.getParameter(info ? info.UNMASKED_RENDERER_WEBGL : gl.RENDERER),
            Array.from(gl.getParameter(gl.ALIASED_LINE_WIDTH_RANGE)),
            document.getElementById('canvas').getContext('webgl').getContextAttributes().antialias];'''


def run_in_browser(page_dir, out):
    """Runs the page to its end and writes the files it kept into `out`; returns an error or None."""
    try:
        with Server(page_dir) as server, Browser() as b:
            driver = b.driver
            # The program holds the page's thread for seconds at a time: a question asked meanwhile waits its turn.
            driver.set_script_timeout(RUN_SECONDS)
            driver.set_page_load_timeout(120)
            start = time.monotonic()
            driver.get(server.url('gl_scenes.html'))
            state = 'running'
            while state == 'running' and time.monotonic() - start < RUN_SECONDS:
                time.sleep(1)
                try:
                    state = b.js('return window.corvalaOut ? corvalaOut.state : "missing"')
                except TimeoutException:  # the busy page did not answer in time
                    pass
            if state == 'missing':
                return 'no test page in %s' % page_dir
            state, status, log, names = b.js('var o = window.corvalaOut; return [o.state, o.status, o.log, o.names]')
            print('browser: %s in %.0f s, exit status %s, %d files' % (state, time.monotonic() - start, status,
                                                                       len(names)))
            for line in log:
                print('  ' + line)
            # What the pictures were drawn on: wide lines are the first thing a WebGL lacks, and an antialiased
            # canvas would blur every edge.
            print('browser: %s, %s, line widths %s; the program\'s canvas antialiased: %s' % tuple(b.js(WEBGL_FACTS)))
            if state == 'running':
                return 'gl_scenes did not end within %d s' % RUN_SECONDS
            os.makedirs(out, exist_ok=True)
            for name in names:
                with open(os.path.join(out, name), 'wb') as f:
                    f.write(base64.b64decode(b.js('return corvalaFile(arguments[0])', name)))
            if state != 'ended' or status != 0:
                return 'gl_scenes in the browser %s (status %s)' % (state, status)
            return None
    except WebDriverException as e:
        return 'the browser failed: %s' % e.msg


def read_ppm(path):
    with open(path, 'rb') as f:
        _, size, _, pixels = f.read().split(b'\n', 3)
    w, h = map(int, size.split())
    return numpy.frombuffer(pixels, numpy.uint8).reshape(h, w, 3).astype(int)


def edges(picture):
    """The pixels beside one more than LEVELS away: where coverage, not shading, decides the colour."""
    near = numpy.zeros(picture.shape[:2], bool)
    for dy in (-1, 0, 1):
        for dx in (-1, 0, 1):
            moved = numpy.roll(numpy.roll(picture, dy, 0), dx, 1)
            near |= numpy.abs(moved - picture).max(axis=2) > LEVELS
    return near


def where_they_differ(reference, ours):
    """How many differing pixels lie off both pictures' edges, and the largest difference there: a
    rasteriser of another make moves edges, while a fault of ours in shading shows inside the shapes."""
    differing = off_edges = largest = 0
    for name in sorted(os.listdir(reference)):
        if not name.endswith('.ppm') or not os.path.exists(os.path.join(ours, name)):
            continue
        a, b = read_ppm(os.path.join(reference, name)), read_ppm(os.path.join(ours, name))
        if a.shape != b.shape:
            continue
        d = numpy.abs(a - b).max(axis=2)
        inside = ~(edges(a) | edges(b))
        differing += int((d > LEVELS).sum())
        off_edges += int((d[inside] > LEVELS).sum())
        largest = max(largest, int(d[inside].max(initial=0)))
    print('of the %d pixels that differ by more than %d, %d lie off the edges; the largest difference there is %d'
          % (differing, LEVELS, off_edges, largest))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('page_dir')
    parser.add_argument('gl_compare')
    parser.add_argument('outdir')
    reference = parser.add_mutually_exclusive_group(required=True)
    reference.add_argument('--reference', help="a folder a system-GL gl_scenes wrote")
    reference.add_argument('--reference-scenes', help='a system-GL gl_scenes, to run here')
    args = parser.parse_args()

    ours = os.path.join(args.outdir, 'browser')
    shutil.rmtree(ours, ignore_errors=True)
    reference_dir = args.reference
    if args.reference_scenes:
        reference_dir = os.path.join(args.outdir, 'reference')
        shutil.rmtree(reference_dir, ignore_errors=True)
        # Its pictures are what is wanted of it here; a sanitizer build's leaks are the desktop tests' to find.
        env = dict(os.environ)
        env.setdefault('ASAN_OPTIONS', 'detect_leaks=0')
        if subprocess.call([args.reference_scenes, reference_dir], env=env) != 0:
            print('fidelity_web.py: the reference gl_scenes failed')
            print('0 passed, 1 failed')
            return 1

    error = run_in_browser(args.page_dir, ours)
    if error:
        print('fidelity_web.py: ' + error)
    compared = subprocess.run([args.gl_compare, reference_dir, ours], stdout=subprocess.PIPE, text=True)
    sys.stdout.write(compared.stdout)
    where_they_differ(reference_dir, ours)
    # A line a scene and one for the picks; a failing one ends in FAIL.
    checks = [line for line in compared.stdout.splitlines() if re.match(r'(picks: |\S+ +(FAIL|\d))', line)]
    failed = sum(line.rstrip().endswith('FAIL') or ' FAIL:' in line for line in checks) + bool(error)
    print('%d passed, %d failed' % (len(checks) + 1 - failed, failed))
    return 1 if error or compared.returncode else 0


if __name__ == '__main__':
    sys.exit(main())
