#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Loads a local HTML page in headless Chromium through the DevTools protocol on a pipe (no
# network port, no extra libraries), and reports what a reader of the page would see:
#   headless_page.py PAGE.html SCREENSHOT.png ID...
# prints "console-errors N", then "ID text" for each element id asked for, and writes a
# screenshot of the whole page.  Exit status 3 when Chromium is not installed, 1 on other
# failures.
import base64
import json
import os
import shutil
import subprocess
import sys
import tempfile

ERROR_LEVELS = {"error", "assert"}


def main():
    page, shot, ids = os.path.abspath(sys.argv[1]), sys.argv[2], sys.argv[3:]
    browser = shutil.which("chromium") or shutil.which("chromium-browser")
    if browser is None:
        print("chromium is not installed (Debian package chromium)", file=sys.stderr)
        sys.exit(3)
    profile = tempfile.mkdtemp()
    to_r, to_w = os.pipe()
    from_r, from_w = os.pipe()
    # The protocol runs on descriptors 3 (commands in) and 4 (answers out).
    def fds():
        a, b = os.dup(to_r), os.dup(from_w)  # above both, so neither is overwritten
        os.dup2(a, 3)
        os.dup2(b, 4)
    proc = subprocess.Popen(
        [browser, "--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
         "--remote-debugging-pipe", "--user-data-dir=" + profile, "about:blank"],
        preexec_fn=fds, pass_fds=(3, 4), stdout=subprocess.DEVNULL,
        stderr=subprocess.DEVNULL)
    os.close(to_r)
    os.close(from_w)
    out = os.fdopen(to_w, "wb")
    inp = os.fdopen(from_r, "rb")
    buf = b""
    seq = [0]
    events = []

    def read_message():
        nonlocal buf
        while b"\0" not in buf:
            chunk = inp.read1(65536)
            if not chunk:
                raise RuntimeError("chromium closed the pipe")
            buf += chunk
        msg, buf = buf.split(b"\0", 1)
        return json.loads(msg)

    def call(method, params=None, session=None):
        seq[0] += 1
        m = {"id": seq[0], "method": method, "params": params or {}}
        if session:
            m["sessionId"] = session
        out.write(json.dumps(m).encode() + b"\0")
        out.flush()
        while True:
            r = read_message()
            if r.get("id") == seq[0]:
                if "error" in r:
                    raise RuntimeError(method + ": " + json.dumps(r["error"]))
                return r.get("result", {})
            events.append(r)

    def wait_event(method):
        while True:
            for e in events:
                if e.get("method") == method:
                    events.remove(e)
                    return e
            events.append(read_message())

    try:
        target = call("Target.createTarget", {"url": "about:blank"})["targetId"]
        session = call("Target.attachToTarget", {"targetId": target, "flatten": True})["sessionId"]
        for domain in ("Page", "Runtime", "Log"):
            call(domain + ".enable", session=session)
        call("Page.navigate", {"url": "file://" + page}, session=session)
        wait_event("Page.loadEventFired")
        errors = 0
        for e in events:
            m, p = e.get("method"), e.get("params", {})
            if m == "Runtime.exceptionThrown":
                errors += 1
            elif m == "Runtime.consoleAPICalled" and p.get("type") in ERROR_LEVELS:
                errors += 1
            elif m == "Log.entryAdded" and p.get("entry", {}).get("level") == "error":
                errors += 1
                print("error: " + p["entry"].get("text", ""), file=sys.stderr)
        print("console-errors %d" % errors)
        for i in ids:
            expr = "(function(){var e=document.getElementById(%s);return e?e.textContent:'(none)';})()" % json.dumps(i)
            r = call("Runtime.evaluate", {"expression": expr, "returnByValue": True}, session=session)
            print("%s %s" % (i, json.dumps(r["result"].get("value"))))
        svgs = call("Runtime.evaluate", {"expression": "document.querySelectorAll('svg').length",
                                         "returnByValue": True}, session=session)
        print("svg %d" % svgs["result"]["value"])
        metrics = call("Page.getLayoutMetrics", session=session)
        size = metrics.get("cssContentSize") or metrics["contentSize"]
        png = call("Page.captureScreenshot", {"format": "png", "captureBeyondViewport": True,
                                              "clip": {"x": 0, "y": 0, "width": size["width"],
                                                       "height": size["height"], "scale": 1}},
                   session=session)
        with open(shot, "wb") as f:
            f.write(base64.b64decode(png["data"]))
        call("Browser.close")
    finally:
        try:
            proc.wait(timeout=10)
        except subprocess.TimeoutExpired:
            proc.kill()
        shutil.rmtree(profile, ignore_errors=True)


main()
