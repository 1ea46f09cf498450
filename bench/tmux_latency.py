#!/usr/bin/env python3
"""What the operator sees: the program in a tmux pane, timed from tmux's own side.

A control-mode client of the tmux server sends the keys and receives every byte the program
writes to its pane (%output), so a key's time runs from tmux taking the key to tmux reading
the echo: the path through the terminal, without a screen poller's granularity.

    tmux_latency.py BINARY SOURCE_TREE [--qsos N] [--keys N] [--qsos-typed N] [--floor]
                    [--max-echo-median MS]

Prints the start-up time to the entry window's greeting, the key echo (median, 90th
percentile, worst), Enter to the QSO's line in the log window, and the program's processor
time and wake-ups over a quiet stretch.  --floor times `cat` in the same pane instead.  With
--max-echo-median the exit code is 1 when the screen never came or the median echo took longer.
(A log of 65,535 QSOs is full: typed QSOs need a smaller one.)
"""
import argparse
import os
import random
import re
import select
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

SIZE = (80, 25)


def adif_log(path, count):
    """A World-contest log of `count` QSOs on 20 and 40 m CW with many different calls."""
    rnd = random.Random(27)
    pre = ["DL", "OK", "SP", "UA", "UR", "LY", "YL", "ES", "OH", "SM", "LA", "OZ", "PA", "ON",
           "F", "EA", "I", "HA", "YO", "LZ", "S5", "9A", "OE", "HB9", "G", "EI", "K", "W", "N",
           "VE", "JA", "UN", "EW", "4X", "ZS", "LU", "PY", "VK", "ZL", "CT"]
    lines = ["# Vork ver 4.0.19-8 Contest Logger ADIF", "<PROGRAMID:6>Vorkan", "<ADIF_VER:3>3.0",
             "<USERDEF1:5:N>QSCORE", "<USERDEF2:5:N>QMULTI", "<USERDEF3:5:N>QBONUS",
             "<USERDEF4:10:N>QGUID", "<EOH>"]

    def field(name, value):
        return "<%s:%d>%s" % (name, len(value), value)

    for i in range(count):
        call = "%s%d%s" % (rnd.choice(pre), rnd.randrange(10),
                           "".join(rnd.choice("ABCDEFGHIJKLMNOPQRSTUVWXYZ")
                                   for _ in range(rnd.choice((2, 3, 3)))))
        minute = i // 4
        day, hour, mi = 1 + minute // 1440 % 28, minute // 60 % 24, minute % 60
        freq = "14.025" if i % 2 else "7.025"
        band = "20M" if i % 2 else "40M"
        lines.append("".join([
            field("QSO_DATE", "202403%02d" % day), field("TIME_ON", "%02d%02d" % (hour, mi)),
            field("BAND", band), field("FREQ", freq), field("MODE", "CW"), field("CALL", call),
            field("RST_SENT", "599 %03d" % (i % 1000)), field("RST_RCVD", "599 %d" % (i % 40)),
            field("QSCORE", "1"), field("QGUID", str(0x01000000 + i + 1)), "<EOR>"]))
    with open(path, "w", newline="") as f:
        f.write("\r\n".join(lines) + "\r\n")


def decode(data):
    """tmux escapes bytes below 32 and the backslash as \\ooo."""
    return re.sub(r"\\([0-7]{3})", lambda m: chr(int(m.group(1), 8)), data)


class Pane:
    def __init__(self, sock):
        self.sock = sock
        self.ctl = None
        self.buf = b""

    def tmux(self, *args):
        return subprocess.run(["tmux", "-L", self.sock, "-f", "/dev/null", *args],
                              capture_output=True, text=True, env=clean_env()).stdout

    def start(self, workdir, command):
        self.tmux("new-session", "-d", "-s", "vk", "-x", str(SIZE[0]), "-y", str(SIZE[1]),
                  "-c", workdir, "sleep 1000000")
        self.tmux("set", "-g", "window-size", "manual")
        self.ctl = subprocess.Popen(["tmux", "-L", self.sock, "-f", "/dev/null", "-C", "attach",
                                     "-t", "vk"], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                    env=clean_env(), bufsize=0)
        self.drain(0.3)
        t0 = time.monotonic()
        self.send("respawn-pane -k -t vk -c '%s' \"%s\"" % (workdir, command))
        return t0

    def send(self, line):
        self.ctl.stdin.write((line + "\n").encode())

    def lines(self, timeout):
        """Yields (time, decoded %output text) until `timeout` seconds pass."""
        end = time.monotonic() + timeout
        fd = self.ctl.stdout.fileno()
        while True:
            while b"\n" in self.buf:
                line, self.buf = self.buf.split(b"\n", 1)
                if line.startswith(b"%output "):
                    text = line.decode("utf-8", "replace").split(" ", 2)
                    yield time.monotonic(), decode(text[2] if len(text) > 2 else "")
            left = end - time.monotonic()
            if left <= 0:
                return
            r, _, _ = select.select([fd], [], [], left)
            if r:
                chunk = os.read(fd, 65536)
                if not chunk:
                    return
                self.buf += chunk

    def drain(self, seconds):
        for _ in self.lines(seconds):
            pass

    def wait_text(self, pattern, timeout=30.0):
        """The time the pane's output first matched `pattern`, or None."""
        seen = ""
        for t, text in self.lines(timeout):
            seen = (seen + text)[-4000:]
            plain = re.sub(r"\x1b\[[0-9;?]*[A-Za-z]", "", seen)
            if re.search(pattern, plain):
                return t
        return None

    def key_to_output(self, key, expect, literal=True, timeout=2.0):
        t0 = time.monotonic()
        self.send("send-keys -t vk %s%s" % ("-l " if literal else "", key))
        for t, text in self.lines(timeout):
            if expect is None or expect in text:
                return (t - t0) * 1000.0
        return None

    def close(self):
        if self.ctl:
            self.ctl.stdin.close()
            self.ctl.wait(timeout=5)
        self.tmux("kill-server")


def clean_env():
    env = dict(os.environ)
    env.pop("TMUX", None)
    return env


def proc_stats(pid):
    """(processor seconds, voluntary context switches) of the process."""
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    cpu = (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")
    sw = 0
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("voluntary_ctxt_switches"):
                sw = int(line.split()[1])
    return cpu, sw


def program_pid(pane):
    pid = int(pane.tmux("display", "-p", "-t", "vk", "#{pane_pid}").strip() or 0)
    # The pane runs `sh -c "cd ... && env ... vorkan"`: the program is the shell's child or the
    # shell itself after exec.
    for _ in range(50):
        try:
            kids = open("/proc/%d/task/%d/children" % (pid, pid)).read().split()
        except OSError:
            kids = []
        if kids:
            pid = int(kids[0])
            continue
        if "vorkan" in open("/proc/%d/comm" % pid).read():
            return pid
        time.sleep(0.02)
    return pid


def summary(name, values):
    if None in values or not values:
        print("%-22s no answer to %d of %d" % (name, values.count(None), len(values)))
        return None
    values.sort()
    p90 = values[min(len(values) - 1, int(len(values) * 0.9))]
    print("%-22s median %7.2f ms  p90 %7.2f ms  worst %7.2f ms  (n=%d)" %
          (name, statistics.median(values), p90, values[-1], len(values)))
    return statistics.median(values)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("binary")
    ap.add_argument("source")
    ap.add_argument("--qsos", type=int, default=0)
    ap.add_argument("--keys", type=int, default=60)
    ap.add_argument("--qsos-typed", type=int, default=10)
    ap.add_argument("--idle", type=float, default=5.0)
    ap.add_argument("--floor", action="store_true")
    ap.add_argument("--max-echo-median", type=float, default=0)
    ap.add_argument("--quit", action="store_true", help="end with Alt+X (a profiler then writes)")
    a = ap.parse_args()

    work = tempfile.mkdtemp(prefix="vk-latency-")
    pane = Pane("vk-lat-%d" % os.getpid())
    try:
        subprocess.run(["bash", os.path.join(a.source, "scripts/prepare-station.sh"), work],
                       stdout=subprocess.DEVNULL, check=True)
        with open(os.path.join(work, "vorkan.cfg"), "w", newline="") as f:
            f.write("[Main]\r\nContest=WORLD\r\nCall=DL1ABC\r\nWork=0\r\nMode=0\r\n\r\n"
                    "[Morze]\r\nPort=Null\r\n")
        if a.qsos:
            adif_log(os.path.join(work, "vorkan.adi"), a.qsos)
        if a.floor:
            pane.start(work, "cat")
            pane.drain(0.3)
            echo = [pane.key_to_output(c, c) for c in "QWRTYUKMPZ" * (a.keys // 10)]
            summary("cat echo (floor)", echo)
            return
        env = "LANG=C.UTF-8 LC_ALL=C.UTF-8 LANGUAGE=en TERM=tmux-256color"
        t0 = pane.start(work, "env %s %s 2>err.log" % (env, os.path.abspath(a.binary)))
        t_ready = pane.wait_text(r"Good luck in the contest")
        print("start-up to the greeting: %s ms (%d QSOs)" %
              ("%.0f" % ((t_ready - t0) * 1000) if t_ready else "never", a.qsos))
        if t_ready is None and a.max_echo_median:
            print(pane.tmux("capture-pane", "-p", "-t", "vk"))
            return 1
        pane.drain(1.0)
        echo = []
        letters = "QWRTYUKMPZ"
        for i in range(a.keys):
            c = letters[i % len(letters)]
            echo.append(pane.key_to_output(c, c))
            pane.drain(0.04)
            if i % 6 == 5:
                pane.key_to_output("Space", None, literal=False)  # Space clears the call
                pane.drain(0.04)
        pane.key_to_output("Space", None, literal=False)
        pane.drain(0.3)
        median = summary("key echo", echo)
        if a.max_echo_median and (median is None or median > a.max_echo_median):
            print("FAIL: the median key echo exceeds %.0f ms" % a.max_echo_median)
            return 1
        if a.idle <= 0 and a.qsos_typed <= 0:
            return 0
        enter = []
        pid = program_pid(pane)
        cpu0, _ = proc_stats(pid)
        for i in range(a.qsos_typed):
            call = "R%dX%s" % (i % 10, "QWRTYUKMPZ"[i % 10] * 2)
            for c in call:
                pane.key_to_output(c, c)
            pane.key_to_output("Enter", None, literal=False)
            pane.drain(0.1)
            pane.key_to_output("1" + str(i % 9 + 1), None)
            enter.append(pane.key_to_output("Enter", call, literal=False))
            pane.drain(0.15)
        cpu1, _ = proc_stats(pid)
        summary("Enter to the QSO line", enter)
        if a.qsos_typed:
            print("processor per typed QSO: %.1f ms (whole QSO: %d keys and two Enters)" %
                  ((cpu1 - cpu0) * 1000 / a.qsos_typed, 8))
        pane.drain(1.0)
        c0, s0 = proc_stats(pid)
        t = time.monotonic()
        pane.drain(a.idle)
        c1, s1 = proc_stats(pid)
        dt = time.monotonic() - t
        print("idle: %.2f %% processor, %.1f wake-ups/s over %.0f s" %
              ((c1 - c0) * 100 / dt, (s1 - s0) / dt, dt))
        if a.quit:
            pane.send("send-keys -t vk M-x")
            pane.drain(5.0)
    finally:
        pane.close()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
