#!/usr/bin/env python3
"""Start-up time and memory of tqmanage against a bare Qt 5 main window of the same size (the floor).

Builds the floor program and the probe, starts one Xvfb, then starts each program 15 times, interleaved
(the order alternates every round). Time: from just before the process is started to its first exposed
top-level window, as the preloaded probe sees it. Memory: resident set 2 s after the start.
Prints the medians beside the floor and the ratios the house aims for (time at most 1.3x, memory at most
10 MB more). A benchmark, not a test: it never fails on numbers.

    bench/startup.py [BUILD_DIR] [--runs N]
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


def build(build_dir):
    subprocess.run(["cmake", "--build", build_dir, "-j", str(os.cpu_count() or 2), "--target",
                    "tqmanage", "bench_floor", "tq_start_probe"], check=True, stdout=subprocess.DEVNULL)
    return (os.path.join(build_dir, "tqmanage"), os.path.join(build_dir, "tests", "bench_floor"),
            os.path.join(build_dir, "tests", "libtq_start_probe.so"))


def start_xvfb():
    read_fd, write_fd = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                            pass_fds=(write_fd,), stderr=subprocess.DEVNULL)
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


def one_start(program, probe, display, home):
    out = os.path.join(home, "exposed")
    if os.path.exists(out):
        os.remove(out)
    env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "DISPLAY": display, "HOME": home,
           "XDG_CONFIG_HOME": os.path.join(home, ".config"), "XDG_RUNTIME_DIR": home,
           "LD_PRELOAD": probe, "TQ_PROBE_OUT": out, "QT_QPA_PLATFORM": "xcb", "LANG": "C.UTF-8"}
    started = time.monotonic_ns()
    proc = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    deadline = time.monotonic() + 10
    while not (os.path.exists(out) and os.path.getsize(out) > 0) and time.monotonic() < deadline:
        time.sleep(0.001)
    exposed_ms = float("nan")
    if os.path.exists(out) and os.path.getsize(out) > 0:
        with open(out) as f:
            exposed_ms = (int(f.read()) - started) / 1e6
    time.sleep(max(0.0, started / 1e9 + 2.0 - time.monotonic()))
    memory = rss_mb(proc.pid)
    proc.kill()
    proc.wait()
    return exposed_ms, memory


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("build_dir", nargs="?", default=os.path.join(ROOT, "build"))
    parser.add_argument("--runs", type=int, default=15)
    args = parser.parse_args()
    if not shutil.which("Xvfb"):
        sys.exit("startup.py: Xvfb is needed (Debian package xvfb)")
    tqmanage, floor, probe = build(args.build_dir)
    xvfb, display = start_xvfb()
    results = {"tqmanage": ([], []), "floor": ([], [])}
    try:
        with tempfile.TemporaryDirectory() as home:
            for name, program in (("tqmanage", tqmanage), ("floor", floor)):
                one_start(program, probe, display, home)  # warm the file cache once
            for i in range(args.runs):
                order = [("tqmanage", tqmanage), ("floor", floor)]
                for name, program in (order if i % 2 == 0 else order[::-1]):
                    t, m = one_start(program, probe, display, home)
                    results[name][0].append(t)
                    results[name][1].append(m)
    finally:
        xvfb.kill()
        xvfb.wait()
    t_app, m_app = (statistics.median(v) for v in results["tqmanage"])
    t_floor, m_floor = (statistics.median(v) for v in results["floor"])
    print(f"start-up to a visible window, median of {args.runs} (Xvfb, interleaved)")
    print(f"  tqmanage {t_app:7.1f} ms   floor {t_floor:7.1f} ms   ratio {t_app / t_floor:.2f}x   (aim: at most 1.30x)")
    print(f"memory 2 s after start (resident), median")
    print(f"  tqmanage {m_app:7.1f} MB   floor {m_floor:7.1f} MB   more  {m_app - m_floor:+.1f} MB   (aim: at most +10 MB)")


if __name__ == "__main__":
    main()
