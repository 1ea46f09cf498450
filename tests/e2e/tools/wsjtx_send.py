#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Sends WSJT-X network messages to a logger, built field by field the way the protocol's
# description lays them out (QDataStream, big-endian):
#   header   quint32 magic 0xadbccbda, quint32 schema, quint32 type, utf8 id
#   utf8     quint32 byte count, then the UTF-8 bytes (0xffffffff: null)
#   QDateTime qint64 Julian day, quint32 ms since midnight, quint8 time-zone kind (1 = UTC)
#   0  Heartbeat    id, quint32 max schema, utf8 version, utf8 revision
#   5  QSO Logged   id, time off, DX call, DX grid, quint64 Tx Hz, mode, report sent,
#                   report received, Tx power, comments, name, time on, operator call,
#                   own call, own grid, exchange sent, exchange received
#   12 Logged ADIF  id, utf8 ADIF text (a header and one record)
#
#   wsjtx_send.py PORT MESSAGE...   MESSAGE is one of
#     heartbeat
#     garbage                         (bytes of another program)
#     logged:CALL:YYYYMMDD:HHMMSS:HZ:MODE:RSTS:RSTR:EXCHR
#     adif:CALL:YYYYMMDD:HHMMSS:HZ:MODE:RSTS:RSTR:STATE
import datetime
import socket
import struct
import sys

MAGIC = 0xADBCCBDA


def u32(v):
    return struct.pack(">I", v)


def utf8(s):
    b = s.encode("utf-8")
    return u32(len(b)) + b


def header(kind):
    return u32(MAGIC) + u32(3) + u32(kind) + utf8("WSJT-X")


def qdatetime(day, hms):
    d = datetime.date(int(day[0:4]), int(day[4:6]), int(day[6:8]))
    julian = d.toordinal() + 1721425  # Julian day number of the proleptic Gregorian date
    ms = (int(hms[0:2]) * 3600 + int(hms[2:4]) * 60 + int(hms[4:6])) * 1000
    return struct.pack(">qIB", julian, ms, 1)


def adif_field(name, value):
    return "<%s:%d>%s " % (name, len(value.encode("utf-8")), value)


def message(what):
    if what == "heartbeat":
        return header(0) + u32(3) + utf8("2.6.1") + utf8("")
    if what == "garbage":
        return b"<call:5>K1ABC<eor>"
    kind, call, day, hms, hz, mode, rsts, rstr, exch = what.split(":")
    if kind == "logged":
        return (header(5) + qdatetime(day, hms) + utf8(call) + utf8("") + struct.pack(">Q", int(hz))
                + utf8(mode) + utf8(rsts) + utf8(rstr) + utf8("100") + utf8("") + utf8("")
                + qdatetime(day, hms) + utf8("") + utf8("DL1ABC") + utf8("JO62")
                + utf8("599 DX") + utf8(exch))
    mhz = "%.6f" % (int(hz) / 1e6)
    record = (adif_field("call", call) + adif_field("mode", mode) + adif_field("rst_sent", rsts)
              + adif_field("rst_rcvd", rstr) + adif_field("qso_date", day)
              + adif_field("time_on", hms) + adif_field("qso_date_off", day)
              + adif_field("time_off", hms) + adif_field("freq", mhz)
              + adif_field("state", exch) + adif_field("station_callsign", "DL1ABC") + "<EOR>")
    text = "\nADIF Export<adif_ver:5>3.1.1\n<programid:6>WSJT-X\n<EOH>\n" + record
    return header(12) + utf8(text)


def main():
    port = int(sys.argv[1])
    s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    for what in sys.argv[2:]:
        s.sendto(message(what), ("127.0.0.1", port))


main()
