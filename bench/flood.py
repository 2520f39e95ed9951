#!/usr/bin/env python3
"""The window and the command line under a flood: a benchmark, not a test (it never fails on numbers).

window: tqmanage under Xvfb, connected to a pseudo-terminal that receives an endless flood without line
breaks (random bytes but CR, LF and zero) at --rate bytes per second (default 11500, a unit at the wrong
speed or line noise), written every --period ms (default 10: no pause for the burst framing to see); with --rate 0 the flood comes over TCP (socket://) as fast as it goes. Every
--click-every seconds a mouse press goes through the X server onto the ticket preview; the preloaded
probe (tests/libtq_click_probe.so) notes when the program handles it. Prints CPU share, click delay
and resident memory every 10 s, then the summary beside the goals: CPU at most 20 %, every click within
0.5 s, memory after the first minute within 20 MB of the minute's mark.

cli: tqmanage-cli state against a server on loopback that floods it with --kind notify (7-byte Com Port
Control notifications of a kind the tool does not know, over rfc2217://) or data (bytes without line
break, over socket://) until the tool gives up; prints the tool's peak resident memory (goal: under 100 MB).

    bench/flood.py window [--seconds 180] [--rate 11500] [--period 10]
    bench/flood.py cli [--kind notify|data] [--timeout 10]
"""
import argparse
import ctypes
import os
import random
import socket
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from startup import ROOT, rss_mb, start_xvfb  # noqa: E402

NOISE = bytes(b for b in range(256) if b not in (0, 10, 13))


def noise(n, rng):
    return bytes(rng.choice(NOISE) for _ in range(n))


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def peak_mb(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1]) / 1024.0
    return float("nan")


class Clicker:
    """Mouse presses through the X server (XTest), as a hand on the mouse makes them."""

    def __init__(self, display):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.xtst = ctypes.CDLL("libXtst.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.dpy = ctypes.c_void_p(self.x11.XOpenDisplay(display.encode()))
        if not self.dpy:
            sys.exit("flood.py: cannot open the display")

    def click(self, x, y):
        self.xtst.XTestFakeMotionEvent(self.dpy, -1, x, y, 0)
        self.x11.XFlush(self.dpy)
        sent = time.monotonic_ns()
        self.xtst.XTestFakeButtonEvent(self.dpy, 1, True, 0)
        self.xtst.XTestFakeButtonEvent(self.dpy, 1, False, 0)
        self.x11.XFlush(self.dpy)
        return sent


def pty_flood(master, rate, period, stop, rng):
    chunk = max(1, int(rate * period))
    next_at = time.monotonic()
    while not stop.is_set():
        try:
            while True:  # the tool's own texts (state queries) are read and dropped
                if not os.read(master, 4096):
                    break
        except (BlockingIOError, OSError):
            pass
        try:
            os.write(master, noise(chunk, rng))
        except (BlockingIOError, OSError):
            pass
        next_at += period
        time.sleep(max(0.0, next_at - time.monotonic()))


def serve_flood(server, block, greeting, stop):
    """Sends block after block to every client, one at a time, until stop."""
    while not stop.is_set():
        server.settimeout(0.5)
        try:
            conn, _ = server.accept()
        except socket.timeout:
            continue
        with conn:
            try:
                conn.sendall(greeting)
                while not stop.is_set():
                    conn.sendall(block)
            except OSError:
                pass


def window(args):
    build = args.build
    subprocess.run(["cmake", "--build", build, "--target", "tqmanage", "tq_click_probe"], check=True,
                   stdout=subprocess.DEVNULL)
    xvfb, display = start_xvfb()
    rng = random.Random(2217)
    stop = threading.Event()
    home = tempfile.mkdtemp()
    presses = os.path.join(home, "presses")
    if args.rate > 0:
        master, slave = os.openpty()
        os.set_blocking(master, False)
        target = os.ttyname(slave)
        feeder = threading.Thread(target=pty_flood, args=(master, args.rate, args.period / 1000.0, stop, rng), daemon=True)
    else:
        server = socket.create_server(("127.0.0.1", 0))
        target = "socket://127.0.0.1:%d" % server.getsockname()[1]
        feeder = threading.Thread(target=serve_flood, args=(server, noise(65536, rng), b"", stop), daemon=True)
    feeder.start()
    env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "DISPLAY": display, "HOME": home,
           "XDG_CONFIG_HOME": os.path.join(home, ".config"), "XDG_RUNTIME_DIR": home, "LANG": "C.UTF-8",
           "LD_PRELOAD": os.path.join(build, "tests", "libtq_click_probe.so"), "TQ_CLICK_OUT": presses,
           "QT_QPA_PLATFORM": "xcb"}
    app = subprocess.Popen([os.path.join(build, "tqmanage"), "--system-dir", home, "--connect", target],
                           env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    clicker = Clicker(display)
    sent = []
    samples = []
    try:
        started = time.monotonic()
        last_t, last_cpu = started, cpu_seconds(app.pid)
        next_click = started + 5
        next_sample = started + 10
        while time.monotonic() - started < args.seconds and app.poll() is None:
            now = time.monotonic()
            if now >= next_click:
                # On the ticket preview: a press there changes nothing.
                sent.append(clicker.click(50 + 300, 50 + 40 + 25 + 300))
                next_click += args.click_every
            if now >= next_sample:
                cpu = cpu_seconds(app.pid)
                samples.append((now - started, 100.0 * (cpu - last_cpu) / (now - last_t), rss_mb(app.pid)))
                print("%5.0f s  CPU %5.1f %%  RSS %6.1f MB" % samples[-1], flush=True)
                last_t, last_cpu = now, cpu
                next_sample += 10
            time.sleep(0.02)
        time.sleep(1)  # the last press may still be on its way
        handled = []
        deadline = time.monotonic() + 30
        while time.monotonic() < deadline:
            handled = [int(l) for l in open(presses)] if os.path.exists(presses) else []
            if len(handled) >= len(sent):
                break
            time.sleep(0.5)
    finally:
        stop.set()
        app.kill()
        app.wait()
        xvfb.kill()
        xvfb.wait()
    delays = [(h - s) / 1e9 for s, h in zip(sent, handled)]
    lost = len(sent) - len(handled)
    steady = [s for s in samples if s[0] > 60]
    minute = min(samples, key=lambda s: abs(s[0] - 60))[2] if samples else float("nan")
    kind = "%d bytes/s on a pty, every %d ms" % (args.rate, args.period) if args.rate > 0 else "full speed over TCP"
    print(f"flood without line breaks, {kind}, {args.seconds} s")
    if steady:
        print("  CPU after the first minute: mean %.1f %%, max %.1f %%   (goal: at most 20 %%)"
              % (sum(s[1] for s in steady) / len(steady), max(s[1] for s in steady)))
        print("  RSS at 60 s %.1f MB, then max %.1f MB, growth %+.1f MB   (goal: within 20 MB)"
              % (minute, max(s[2] for s in steady), max(s[2] for s in steady) - minute))
    if delays:
        print("  clicks: %d, slowest %.3f s, median %.3f s, %d not handled   (goal: every one within 0.5 s)"
              % (len(delays), max(delays), sorted(delays)[len(delays) // 2], lost))


def cli(args):
    subprocess.run(["cmake", "--build", args.build, "--target", "tqmanage-cli"], check=True, stdout=subprocess.DEVNULL)
    server = socket.create_server(("127.0.0.1", 0))
    stop = threading.Event()
    # IAC SB COM-PORT-OPTION 108 0 IAC SE: a notification no client knows, after agreeing to the
    # option and never confirming the line; or bytes without a line break.
    notify = args.kind == "notify"
    block = bytes([255, 250, 44, 108, 0, 255, 240]) * 9000 if notify else noise(65536, random.Random(7))
    greeting = bytes([255, 253, 44]) if notify else b""
    threading.Thread(target=serve_flood, args=(server, block, greeting, stop), daemon=True).start()
    scheme = "rfc2217" if args.kind == "notify" else "socket"
    port = "%s://127.0.0.1:%d" % (scheme, server.getsockname()[1])
    started = time.monotonic()
    tool = subprocess.Popen([os.path.join(args.build, "tqmanage-cli"), "state", "--timeout", str(args.timeout),
                             "--port", port], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    peak = 0.0
    while tool.poll() is None and time.monotonic() - started < args.timeout + 60:
        try:
            peak = max(peak, peak_mb(tool.pid))
        except OSError:
            break
        time.sleep(0.1)
    if tool.poll() is None:
        tool.kill()
    out = tool.communicate()[0]
    stop.set()
    print(f"tqmanage-cli state under a {args.kind} flood for {time.monotonic() - started:.1f} s: "
          f"peak resident {peak:.1f} MB (goal: under 100 MB)")
    print("  " + (out.strip().splitlines() or ["(no report)"])[-1])


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("mode", choices=["window", "cli"])
    parser.add_argument("--build", default=os.path.join(ROOT, "build"))
    parser.add_argument("--seconds", type=int, default=180)
    parser.add_argument("--rate", type=int, default=11500)
    # 10 ms: no pause the 30 ms framing sees; 40 ms: a burst of its own every 40 ms.
    parser.add_argument("--period", type=int, default=10, help="milliseconds between the pty writes")
    parser.add_argument("--click-every", type=float, default=2.0)
    parser.add_argument("--kind", choices=["notify", "data"], default="notify")
    parser.add_argument("--timeout", type=float, default=10)
    args = parser.parse_args()
    window(args) if args.mode == "window" else cli(args)


if __name__ == "__main__":
    main()
