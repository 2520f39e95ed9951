#!/usr/bin/env python3
"""Start-up time and memory of tqmanage against bare Qt 5 main windows of the same size.

The floor is a bare QMainWindow with one Chinese label and one push button (it pays for a CJK font, as
any Chinese window must), with Qt's XCB GL integration turned off the way tqmanage turns it off. The
same window empty is shown beside it, and with --gl-default also empty with Qt's default GL integration.

One Xvfb at 96 dpi; each program is started --runs times, interleaved (the order turns every round),
after one start each to warm the file cache. Time: from just before the process is started to its first
top-level window exposed, and to that first frame painted, as the preloaded probe sees them. Memory:
resident set 2 s after the start. Each program is then killed, and the next starts --pause seconds
later: a Qt program started within some 50 ms of another's end takes about 20 ms longer to connect to
the display, whichever it is, and that shared delay would make every ratio look closer to 1.

Prints best and median times, the median memory, the ratios to the floor and the goals (time at most
1.3x, memory at most 10 MB more), and the load average before and after. A benchmark, not a test: it
never fails on numbers.

    bench/startup.py [BUILD_DIR] [--runs N] [--pause S] [--gl-default] [--extra NAME=PROGRAM ...]
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FLOOR = "bare window, GL off, label and button"


def build(build_dir):
    subprocess.run(["cmake", "--build", build_dir, "-j", str(os.cpu_count() or 2), "--target",
                    "tqmanage", "bench_floor", "tq_start_probe"], check=True, stdout=subprocess.DEVNULL)
    return (os.path.join(build_dir, "tqmanage"), os.path.join(build_dir, "tests", "bench_floor"),
            os.path.join(build_dir, "tests", "libtq_start_probe.so"))


def start_xvfb():
    read_fd, write_fd = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1280x1024x24", "-dpi", "96",
                             "-nolisten", "tcp"], pass_fds=(write_fd,), stderr=subprocess.DEVNULL)
    os.close(write_fd)
    with os.fdopen(read_fd) as f:
        display = f.readline().strip()
    return xvfb, ":" + display


def rss_mb(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024.0
    return float("nan")


def one_start(command, probe, display, home, pause):
    out = os.path.join(home, "exposed")
    if os.path.exists(out):
        os.remove(out)
    env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "DISPLAY": display, "HOME": home,
           "XDG_CONFIG_HOME": os.path.join(home, ".config"), "XDG_RUNTIME_DIR": home,
           "LD_PRELOAD": probe, "TQ_PROBE_OUT": out, "QT_QPA_PLATFORM": "xcb", "LANG": "C.UTF-8"}
    started = time.monotonic_ns()
    proc = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    deadline = time.monotonic() + 10
    times = []
    while time.monotonic() < deadline:
        if os.path.exists(out):
            with open(out) as f:
                times = f.read().split()
            if len(times) == 2:
                break
        time.sleep(0.001)
    exposed, drawn = ((int(t) - started) / 1e6 for t in times) if len(times) == 2 else (float("nan"),) * 2
    time.sleep(max(0.0, started / 1e9 + 2.0 - time.monotonic()))
    memory = rss_mb(proc.pid)
    proc.kill()
    proc.wait()
    time.sleep(pause)
    return exposed, drawn, memory


def load_average():
    with open("/proc/loadavg") as f:
        return " ".join(f.read().split()[:3])


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("build_dir", nargs="?", default=os.path.join(ROOT, "build"))
    parser.add_argument("--runs", type=int, default=15)
    parser.add_argument("--pause", type=float, default=0.5, help="seconds between a program's end and the next start")
    parser.add_argument("--gl-default", action="store_true", help="also the empty window with Qt's default GL")
    parser.add_argument("--extra", action="append", default=[], metavar="NAME=PROGRAM",
                        help="another program to start in the same rounds (say, an earlier tqmanage)")
    args = parser.parse_args()
    if not shutil.which("Xvfb"):
        sys.exit("startup.py: Xvfb is needed (Debian package xvfb)")
    tqmanage, floor, probe = build(args.build_dir)
    programs = [("bare window, GL off, empty", [floor, "--empty"]), (FLOOR, [floor])]
    if args.gl_default:
        programs.append(("bare window, default GL, empty", [floor, "--empty", "--gl-default"]))
    programs.append(("tqmanage", [tqmanage]))
    for extra in args.extra:
        name, _, program = extra.partition("=")
        programs.append((name, [os.path.abspath(program)]))
    results = {name: [] for name, _ in programs}
    load_before = load_average()
    xvfb, display = start_xvfb()
    try:
        with tempfile.TemporaryDirectory() as home:
            for _, command in programs:
                one_start(command, probe, display, home, args.pause)  # warm the file cache once
            for i in range(args.runs):
                turned = programs[i % len(programs):] + programs[:i % len(programs)]
                for name, command in (turned if i % 2 == 0 else turned[::-1]):
                    results[name].append(one_start(command, probe, display, home, args.pause))
    finally:
        xvfb.kill()
        xvfb.wait()

    def summary(name):
        rows = [r for r in results[name] if r[1] == r[1]]  # a start that never showed a window is left out
        drawn = [r[1] for r in rows]
        return (len(rows), min(drawn), statistics.median(drawn), statistics.median(r[0] for r in rows),
                statistics.median(r[2] for r in rows))

    print(f"start-up on Xvfb at 96 dpi, {args.runs} starts each, interleaved, {args.pause} s apart; load average {load_before} before, "
          f"{load_average()} after")
    print(f"{'program':40} {'starts':>6} {'best':>9} {'median':>9} {'(exposed)':>10} {'RSS':>9}")
    floor_row = summary(FLOOR)
    for name, _ in programs:
        n, best, median, exposed, rss = summary(name)
        print(f"{name:40} {n:6d} {best:6.1f} ms {median:6.1f} ms {exposed:7.1f} ms {rss:6.1f} MB")
    n, best, median, exposed, rss = summary("tqmanage")
    print(f"tqmanage against the floor: best {best / floor_row[1]:.2f}x, median {median / floor_row[2]:.2f}x "
          f"(goal: at most 1.30x), memory {rss - floor_row[4]:+.1f} MB (goal: at most +10 MB)")


if __name__ == "__main__":
    main()
