#!/usr/bin/python3
"""Figures of the web build beside the desktop program's, never pass or fail: what a visitor downloads,
how soon the first frame shows, and the processor time per frame while it runs.

    xvfb-run -a -s "-screen 0 1280x1024x24" /usr/bin/python3 bench/web.py SITE_DIR NATIVE_BUILD_DIR [SECONDS]

SITE_DIR is build-web/site; NATIVE_BUILD_DIR a Release build of the program (`make bench` leaves
build-bench/), whose run/ folder holds the program and its data set and whose bench/libfirst_frame.so notes
presented frames (as bench_startup uses it). The native run needs the X display; the browser is headless."""
import glob
import gzip
import os
import statistics
import subprocess
import sys
import tarfile
import tempfile
import time

sys.dont_write_bytecode = True  # leaves the source tree as it was
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "web"))
from harness import Browser, Server, wait_for  # noqa: E402

LOADS = 5


def line(what, web, other, unit, against="desktop"):
    ratio = f"{web / other:.2f}" if other else "-"
    print(f"{what:<44} web {web:9.2f} {unit:<4} {against} {other:9.2f} {unit:<4} web/{against} {ratio}", flush=True)


def gzipped(path):
    with open(path, "rb") as f:
        return len(gzip.compress(f.read(), 9))


def transfer_sizes(site, build):
    # What Wobblefin's page fetches; the examples' files beside them are not Wobblefin's.
    files = [p for p in ("index.html", "Wobblefin.js", "Wobblefin.wasm", "Wobblefin.data")
             if os.path.exists(os.path.join(site, p))]
    web = sum(gzipped(os.path.join(site, p)) for p in files)
    debs = sorted(glob.glob(os.path.join(ROOT, "build-package", "wobblefin_*.deb")))
    if debs:
        native, what = os.path.getsize(debs[-1]), f"the Debian package {os.path.basename(debs[-1])}"
    else:
        # No package built: the program and its data set as one gzip'd tar.
        with tempfile.TemporaryFile() as f:
            with tarfile.open(fileobj=f, mode="w:gz", compresslevel=9) as tar:
                tar.add(os.path.join(build, "run"), arcname="wobblefin")
            native, what = f.tell(), f"{build}/run (program and data set) as a gzip'd tar"
    print(f"web: {', '.join(files)} gzip'd one by one at level 9; desktop: {what}")
    line("transfer size", web / 1024, native / 1024, "KiB")


def first_frame(url, flags=()):
    """Milliseconds from navigation to the first presented frame, in a browser started for this load alone."""
    with Browser(flags=flags) as b:
        b.driver.get(url)
        return wait_for(f"window.corvala.firstFrameAt on {url}",
                        lambda: b.js("return window.corvala && window.corvala.firstFrameAt"), 90, 0.05)


def first_frames(site):
    with Server(site) as wobblefin, Server(os.path.join(ROOT, "bench")) as bare:
        page = [first_frame(wobblefin.url("index.html")) for _ in range(LOADS)]
        blank = [first_frame(bare.url("web_bare.html")) for _ in range(LOADS)]
    print(f"navigation -> first frame, Wobblefin: {' '.join(f'{t:.0f}' for t in page)} ms;"
          f" a bare page clearing WebGL once: {' '.join(f'{t:.0f}' for t in blank)} ms")
    line(f"first frame, median of {LOADS} fresh loads", statistics.median(page), statistics.median(blank), "ms",
         "bare")


def cpu_seconds(pids):
    """User and system time of each process still there (/proc/PID/stat), in seconds."""
    out, tick = {}, os.sysconf("SC_CLK_TCK")
    for pid in pids:
        try:
            with open(f"/proc/{pid}/stat") as f:
                fields = f.read().rsplit(")", 1)[1].split()
            out[pid] = (int(fields[11]) + int(fields[12])) / tick
        except (OSError, IndexError):
            pass
    return out


def process_kind(pid):
    """The page's own process (a renderer), the GPU process (where SwiftShader draws and composites) or
    another. Chromium rewrites its children's command lines into one string, so it is searched whole."""
    try:
        with open(f"/proc/{pid}/cmdline") as f:
            line = f.read().replace("\0", " ")
    except OSError:
        return "other"
    if "--renderer-client-id=" in line:
        return "page"
    return "gpu" if "--gpu-preferences=" in line else "other"


def browser_cpu_per_frame(root, page, seconds):
    """CPU per presented frame of all the browser's processes, and of each kind, with the frame rate."""
    with Server(root) as server, Browser() as b:
        b.driver.get(server.url(page))
        wait_for(f"{page} running", lambda: b.js("return window.corvala && window.corvala.state") == "running", 90)
        time.sleep(2)  # past the start-up's own work
        before, frames0, t0 = cpu_seconds(b.processes()), b.js("return window.corvala.frames"), time.monotonic()
        time.sleep(seconds)
        after, frames1, t1 = cpu_seconds(b.processes()), b.js("return window.corvala.frames"), time.monotonic()
        kinds = {pid: process_kind(pid) for pid in after}
    # A process started in between counts whole; one that ended in between is lost (none do while it runs).
    frames = frames1 - frames0
    split = {}
    for pid, t in after.items():
        split[kinds[pid]] = split.get(kinds[pid], 0) + (t - before.get(pid, 0)) / frames
    return sum(split.values()), split, frames / (t1 - t0)


def native_run(build, frames):
    """One run of the program ended after its `frames`-th presented frame: (wall seconds to its last frame
    from the start, CPU seconds of the whole run)."""
    note = tempfile.mktemp(prefix="wobblefin-web-bench-")
    # Mesa's llvmpipe whatever the display has: software against the browser's SwiftShader.
    env = dict(os.environ, LD_PRELOAD=os.path.join(build, "bench", "libfirst_frame.so"), FIRST_FRAME_FILE=note,
               FIRST_FRAME_EXIT_AFTER=str(frames), LIBGL_ALWAYS_SOFTWARE="1", GALLIUM_DRIVER="llvmpipe")
    start = time.monotonic()
    child = subprocess.Popen([os.path.join(build, "run", "Wobblefin")], cwd=os.path.join(build, "run"), env=env)
    _, status, usage = os.wait4(child.pid, 0)
    if not os.WIFEXITED(status) or os.WEXITSTATUS(status) != 0:
        raise SystemExit(f"the program ended with status {status} before its {frames}th frame")
    with open(note) as f:
        _, last, _ = f.read().split()
    os.remove(note)
    return float(last) - start, usage.ru_utime + usage.ru_stime


def native_cpu_per_frame(build):
    """bench_startup's method: two runs of different length, whose difference is the steady running."""
    (wall_a, cpu_a), (wall_b, cpu_b) = native_run(build, 61), native_run(build, 661)
    return (cpu_b - cpu_a) / 600, 600 / (wall_b - wall_a)


def main(site, build, seconds):
    transfer_sizes(site, build)
    first_frames(site)
    web, split, web_rate = browser_cpu_per_frame(site, "index.html", seconds)
    bare, bare_split, _ = browser_cpu_per_frame(os.path.join(ROOT, "bench"), "web_bare.html?every-frame", seconds)
    if os.environ.get("DISPLAY"):
        native, native_rate = native_cpu_per_frame(build)
    else:
        native, native_rate = 0, 0
        print("no DISPLAY: the desktop program was not run")
    print(f"frames per second: web {web_rate:.1f} (headless Chromium, SwiftShader, all its processes),"
          f" desktop {native_rate:.1f} (Mesa's llvmpipe)")
    line("CPU per presented frame", web * 1e3, native * 1e3, "ms")
    for name, kind in (("the page's process (the program)", "page"), ("the GPU process (SwiftShader)", "gpu")):
        print(f"  of which {name:<36} web {split.get(kind, 0) * 1e3:9.2f} ms   bare"
              f" {bare_split.get(kind, 0) * 1e3:9.2f} ms")
    line("CPU per frame, a page clearing WebGL each frame", bare * 1e3, native * 1e3, "ms")


if __name__ == "__main__":
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    main(os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2]), float(sys.argv[3]) if len(sys.argv) == 4 else 10)
