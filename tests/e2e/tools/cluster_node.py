#!/usr/bin/env python3
"""A DX cluster node for the tests, on the loopback address: it speaks telnet (asks the client
to let it echo), asks for the login call, greets, and then sends what the test asks for.

usage: cluster_node.py DIR
Listens on a free port and writes it to DIR/port.  Everything the client sends goes line by
line to DIR/received.  The test appends commands to DIR/control, one a line:
    send TEXT     TEXT and CR LF to the client
    sendfile F    every line of file F (bytes as they are), each with CR LF
    drop SECS     closes the link and takes no new one for SECS seconds
Runs until killed.
"""
import os
import select
import socket
import sys
import time

IAC, DO, WILL = 255, 253, 251
ECHO = 1


def listener():
    s = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    s.bind(("127.0.0.1", PORT))
    s.listen(1)
    return s


def commands(state):
    """New lines of the control file since the last look."""
    try:
        with open(os.path.join(DIR, "control"), "rb") as f:
            f.seek(state["offset"])
            data = f.read()
    except FileNotFoundError:
        return []
    end = data.rfind(b"\n") + 1
    state["offset"] += end
    return data[:end].decode("latin-1").splitlines()


def record(text):
    with open(os.path.join(DIR, "received"), "ab") as f:
        f.write(text)


def serve(lst):
    state = {"offset": 0}
    link, closed_until, pending, login = None, 0.0, b"", False
    while True:
        if lst is None and time.time() >= closed_until:
            lst = listener()
        socks = [x for x in (lst, link) if x is not None]
        ready, _, _ = select.select(socks, [], [], 0.05)
        if lst in ready and link is None:
            link, _ = lst.accept()
            login = True
            link.sendall(bytes([IAC, WILL, ECHO, IAC, DO, 24]) + b"Test node\r\n\r\nlogin: ")
        if link is not None and link in ready:
            data = link.recv(4096)
            if not data:
                link.close()
                link = None
            else:
                pending += data
                while b"\n" in pending:
                    line, pending = pending.split(b"\n", 1)
                    line = line.replace(b"\r", b"")
                    while line.startswith(bytes([IAC])):  # the client's refusals
                        line = line[3:]
                    record(line + b"\n")
                    if login and line:
                        link.sendall(b"Hello " + line + b", this is TESTNODE\r\n" + line + b" de TESTNODE >\r\n")
                        login = False
        for cmd in commands(state):
            verb, _, arg = cmd.partition(" ")
            if verb == "drop":
                if link is not None:
                    link.close()
                    link = None
                if lst is not None:
                    lst.close()
                    lst = None
                closed_until = time.time() + float(arg or 0)
            elif link is None:
                continue
            elif verb == "send":
                link.sendall(arg.encode("latin-1") + b"\r\n")
            elif verb == "sendfile":
                with open(arg, "rb") as f:
                    for raw in f.read().split(b"\n"):
                        if raw:
                            link.sendall(raw + b"\r\n")


def main():
    global DIR, PORT
    DIR = sys.argv[1]
    PORT = 0
    lst = listener()
    PORT = lst.getsockname()[1]
    with open(os.path.join(DIR, "port.tmp"), "w") as f:
        f.write(str(PORT))
    os.rename(os.path.join(DIR, "port.tmp"), os.path.join(DIR, "port"))
    serve(lst)


if __name__ == "__main__":
    main()
