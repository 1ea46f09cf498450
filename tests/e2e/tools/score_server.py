#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# A scoreboard of the test's own: takes HTTP POSTs on a loopback port, writes the port to
# DIR/port and the score document of each post (the form field "xml") to DIR/post.N.
import os
import sys
import urllib.parse
from http.server import BaseHTTPRequestHandler, HTTPServer

d = sys.argv[1]
count = [0]


class Board(BaseHTTPRequestHandler):
    def do_POST(self):
        body = self.rfile.read(int(self.headers.get("Content-Length", "0")))
        fields = urllib.parse.parse_qs(body.decode("ascii"), keep_blank_values=True)
        count[0] += 1
        name = os.path.join(d, "post.%d" % count[0])
        with open(name + ".tmp", "w", encoding="utf-8") as f:
            f.write(fields.get("xml", [""])[0])
        os.rename(name + ".tmp", name)
        self.send_response(200)
        self.send_header("Content-Type", "text/plain")
        self.end_headers()
        self.wfile.write(b"OK")

    def log_message(self, *args):
        pass


server = HTTPServer(("127.0.0.1", 0), Board)
with open(os.path.join(d, "port.tmp"), "w") as f:
    f.write(str(server.server_address[1]))
os.rename(os.path.join(d, "port.tmp"), os.path.join(d, "port"))
server.serve_forever()
