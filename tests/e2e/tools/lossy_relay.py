#!/usr/bin/env python3
"""A bad network between the stations of a test: every datagram one station sends reaches the
others late (a fixed delay plus jitter, so datagrams overtake each other), some not at all, some
twice.  Station i sends to ADDR_i:PORT (the relay's address on its link) and gets what the
others send from that address.

usage: lossy_relay.py PORT LOSS DUP DELAY_MS JITTER_MS ADDR_1 STATION_1 ADDR_2 STATION_2 ...
Runs until killed; prints one line of counts to stderr on SIGTERM.  SIGUSR1 cuts the first
station off from the others (both ways, as a broken cable would), SIGUSR2 joins it again.
"""
import heapq
import random
import selectors
import signal
import socket
import sys
import time


def main():
    port = int(sys.argv[1])
    loss, dup = float(sys.argv[2]), float(sys.argv[3])
    delay, jitter = float(sys.argv[4]) / 1000, float(sys.argv[5]) / 1000
    pairs = sys.argv[6:]
    links = []  # (socket, station address)
    sel = selectors.DefaultSelector()
    for i in range(0, len(pairs), 2):
        s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        s.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 4 << 20)
        s.bind((pairs[i], port))
        s.setblocking(False)
        sel.register(s, selectors.EVENT_READ, len(links))
        links.append((s, (pairs[i + 1], port)))
    rng = random.Random(14)
    due = []  # (time, seq, link index, datagram)
    seq = 0
    counts = {"in": 0, "out": 0, "lost": 0, "doubled": 0}
    cut = [False]

    def split(*_):
        cut[0] = True

    def heal(*_):
        cut[0] = False

    def stop(*_):
        print("relay: %(in)d in, %(out)d out, %(lost)d lost, %(doubled)d doubled" % counts,
              file=sys.stderr)
        sys.exit(0)

    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGUSR1, split)
    signal.signal(signal.SIGUSR2, heal)
    while True:
        timeout = max(0.0, due[0][0] - time.monotonic()) if due else 0.5
        for key, _ in sel.select(timeout):
            src = key.data
            while True:
                try:
                    data, _ = key.fileobj.recvfrom(65536)
                except BlockingIOError:
                    break
                counts["in"] += 1
                for dst in range(len(links)):
                    if dst == src:
                        continue
                    if cut[0] and 0 in (src, dst):
                        counts["lost"] += 1
                        continue
                    if rng.random() < loss:
                        counts["lost"] += 1
                        continue
                    copies = 2 if rng.random() < dup else 1
                    counts["doubled"] += copies - 1
                    for _ in range(copies):
                        seq += 1
                        at = time.monotonic() + delay + rng.random() * jitter
                        heapq.heappush(due, (at, seq, dst, data))
        now = time.monotonic()
        while due and due[0][0] <= now:
            _, _, dst, data = heapq.heappop(due)
            sock, addr = links[dst]
            try:
                sock.sendto(data, addr)
                counts["out"] += 1
            except OSError:
                pass


if __name__ == "__main__":
    main()
