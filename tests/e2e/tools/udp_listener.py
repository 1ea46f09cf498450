#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# A UDP listener such as a scoreboard or dashboard of the shack: binds a loopback port, writes
# the port to DIR/port and every datagram it receives to DIR/packet.N, until killed.
import os
import socket
import sys

d = sys.argv[1]
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.bind(("127.0.0.1", 0))
with open(os.path.join(d, "port.tmp"), "w") as f:
    f.write(str(s.getsockname()[1]))
os.rename(os.path.join(d, "port.tmp"), os.path.join(d, "port"))
n = 0
while True:
    data = s.recv(65536)
    n += 1
    with open(os.path.join(d, "packet.%d.tmp" % n), "wb") as f:
        f.write(data)
    os.rename(os.path.join(d, "packet.%d.tmp" % n), os.path.join(d, "packet.%d" % n))
