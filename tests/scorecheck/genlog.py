#!/usr/bin/python3
"""Writes a realistic contest log in the logger's ADIF layout, reproducible from a seed.

Calls come from the Super Check Partial list (slash calls included, a few made /P or /MM);
each station sends what it would really send: its CQ or ITU zone from the country file, a
serial number, its society's abbreviation (IARU HQ stations) or its oblast (Russian stations
in the Russian DX Contest).  About 3 % of the QSOs are repeats on the same band.

  genlog.py --contest CQ-WW-CW --call DL1ABC --txnr 14 [--count 1500] [--seed 1] OUT.adi
"""
import argparse
import datetime
import os
import random
import sys

sys.dont_write_bytecode = True  # the source tree stays as checked out
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import refscore  # noqa: E402  (the country file reader is shared; scoring is not used here)

BANDS = {"160": (1.800, 5), "80": (3.500, 12), "40": (7.000, 25), "20": (14.000, 28),
         "15": (21.000, 18), "10": (28.000, 12)}
START = {"CQ-WW-CW": ("2026-11-28 00:00", 48), "CQ-WPX-CW": ("2026-05-30 00:00", 48),
         "IARU-HF": ("2026-07-11 12:00", 24), "RDXC": ("2026-03-21 12:00", 24),
         "ARRL-DX-CW": ("2026-02-21 00:00", 48), "ARRL-SS-CW": ("2026-11-07 21:00", 30)}
# Where the stations of the ARRL contests are: the states a US station may send (with a few
# that are no multiplier, as operators do send them), the province of each Canadian call area.
US_STATES = sorted(refscore.ARRL_DX_MULTS - set("NB NS QC ON MB SK AB BC NT NL NU YT PE".split()))
VE_AREA = {"1": "NS", "2": "QC", "3": "ON", "4": "MB", "5": "SK", "6": "AB", "7": "BC",
           "8": "NT", "9": "NB", "0": "NU"}
SS_PLACES = ("K", "VE", "KL", "KH6", "KP4", "KP2")
# IARU member societies' HQ stations (abbreviation, call) and the IARU officials.
HQ = [("DARC", "DA0HQ"), ("RSGB", "GR2HQ"), ("ARRL", "W1AW"), ("IARU", "NU1AW"),
      ("REF", "TM0HQ"), ("URE", "EF4HQ"), ("ARI", "II1HQ"), ("UBA", "OP0HQ"), ("VERON", "PA6HQ"),
      ("USKA", "HB9HQ"), ("OEVSV", "OE1HQ"), ("SRAL", "OH2HQ"), ("SSA", "SK0HQ"),
      ("NRRL", "LA1HQ"), ("EDR", "OZ1HQ"), ("PZK", "SN0HQ"), ("CRC", "OL9HQ"), ("SZR", "OM9HQ"),
      ("MRASZ", "HG0HQ"), ("HRS", "9A0HQ"), ("ZRS", "S50HQ"), ("SRS", "YT0HQ"), ("SRR", "R9HQ"),
      ("UARL", "EM5HQ"), ("JARL", "8N1HQ"), ("KARL", "HL0HQ"), ("WIA", "VI2HQ"),
      ("NZART", "ZM4HQ"), ("RAC", "VE3RAC"), ("TRAC", "TA1HQ"), ("LABRE", "PY0HQ"),
      ("RCA", "LU4AA"), ("IARC", "4X0HQ"), ("RAAG", "SX0HQ"), ("LRAL", "YL0HQ"),
      ("LRMD", "LY0HQ"), ("ERAU", "ES9HQ"), ("IRTS", "EI0HQ"), ("REP", "CS5HQ"),
      ("SARL", "ZS9HQ"), ("AC", "VE6SH"), ("R1", "LA2RR"), ("R2", "W5ZN"), ("R3", "ZL2AZ")]


class Station:
    def __init__(self, call, place, oblast):
        self.call, self.place, self.oblast = call, place, oblast
        self.hq = None
        self.state = None


def load_stations(cty, rus, contest, rnd):
    stations = []
    with open("/usr/share/hamradio-files/MASTER.SCP", encoding="latin-1") as f:
        calls = [ln.strip().upper() for ln in f if ln.strip() and not ln.startswith("#")]
    for call in calls:
        place = cty.lookup(call)
        if place is None:
            continue
        oblast = None
        if place.entity.name in refscore.RUSSIA and contest == "RDXC":
            region = rus.lookup(call)
            if region is None:
                continue
            oblast = region.entity.prefix
        elif contest == "RDXC" and place.entity.name == "Antarctica":
            continue  # Russian bases there send an oblast-like code of their own
        if contest == "ARRL-SS-CW" and place.entity.prefix not in SS_PLACES:
            continue  # Sweepstakes is a contest of the ARRL and RAC sections
        if "/" not in call and rnd.random() < 0.02:
            call += "/P"
        st = Station(call, place, oblast)
        if contest.startswith("ARRL-"):
            arrl_place(st, rnd)
        stations.append(st)
    return stations


def arrl_place(st, rnd):
    """What a station sends in the ARRL contests: its state or province (W/VE) and its
    Sweepstakes precedence, check and section (now and then a word that is no section)."""
    place = st.place
    if place.entity.prefix == "K":
        st.state = rnd.choice(US_STATES + ["AK", "HI"])
    elif place.entity.prefix == "VE":
        digit = next((c for c in st.call if c.isdigit()), "3")
        st.state = VE_AREA.get(digit, "ON")
    st.sect = rnd.choice(sorted(refscore.SECTIONS) + ["XX"])
    st.check = "%02d" % rnd.randrange(100)
    st.prec = rnd.choice("QABUMS")


def received(st, contest, rnd):
    if contest == "CQ-WW-CW":
        return "599 %02d" % (st.zone if st.place is None else st.place.cq)
    if contest == "IARU-HF":
        return "599 " + (st.hq or "%02d" % st.place.itu)
    if contest == "RDXC" and st.oblast:
        return "599 " + st.oblast
    if contest == "ARRL-DX-CW":
        wve = getattr(st, "state", None)
        return "599 " + (wve or rnd.choice(["100", "KW", "5", "1K", "500"]))
    if contest == "ARRL-SS-CW":
        nr = str(rnd.randint(1, 1500))
        fields = [nr, st.prec, st.check, st.sect]
        if rnd.random() < 0.2:  # typed in another order: the section first
            fields = [st.sect, nr, st.prec, st.check]
        return " ".join(fields)
    return "599 %03d" % rnd.randint(1, 2500)


def pick_new(stations, contest, rnd):
    if contest == "IARU-HF" and rnd.random() < 0.05:
        abbr, call = rnd.choice(HQ)
        st = Station(call, None, None)
        st.hq = abbr
        return st
    if contest == "ARRL-DX-CW":
        # Half the stations on each side, so that both W/VE and DX entrants make QSOs that count.
        wve = rnd.random() < 0.5
        while True:
            st = rnd.choice(stations)
            if (st.place.entity.prefix in ("K", "VE")) == wve:
                return st
    st = rnd.choice(stations)
    if contest in ("CQ-WW-CW", "RDXC") and "/" not in st.call and rnd.random() < 0.006:
        # A ship in the waters of its home continent: the points of a QSO with a station at
        # sea then do not hang on whether its continent is read from its zone or its call.
        mm = Station(st.call + "/MM", None, None)
        mm.zone = rnd.choice([z for z, c in refscore.ZONE_CONT.items() if c == st.place.cont]
                             or [st.place.cq])
        return mm
    return st


def generate(contest, count, rnd, cty, rus):
    stations = load_stations(cty, rus, contest, rnd)
    bands = list(BANDS)
    log, by_call, worked = [], {}, set()
    for _ in range(count):
        r = rnd.random()
        if r < 0.03 and log:
            log.append(rnd.choice(log))  # a repeat on the same band
            continue
        st = by_call[rnd.choice(list(by_call))] if r < 0.18 and by_call else None
        if st is None or all((st.call, b) in worked for b in bands):
            st = pick_new(stations, contest, rnd)
        free = [b for b in bands if (st.call, b) not in worked] or bands
        band = rnd.choices(free, [BANDS[b][1] for b in free])[0]
        by_call.setdefault(st.call, st)
        worked.add((st.call, band))
        log.append((st, band, received(st, contest, rnd)))
    return log


def adif_field(name, value):
    return "<%s:%d>%s" % (name, len(value), value)


def own_exchange(contest, txnr, own):
    """What the operator sends after the report: the configured text, else the own zone from
    the country list where the contest asks for a zone, else (None) a serial number."""
    if txnr:
        return txnr
    if contest == "CQ-WW-CW":
        return "%02d" % own.cq
    return "%02d" % own.itu if contest == "IARU-HF" else None


def write_adif(path, contest, txnr, log, rnd):
    start, hours = START[contest]
    t0 = datetime.datetime.strptime(start, "%Y-%m-%d %H:%M")
    minutes = sorted(rnd.randrange(hours * 60) for _ in log)
    lines = ["# Vork ver 4.0.19-8 Contest Logger ADIF", "<PROGRAMID:6>Vorkan",
             "<PROGRAMVERSION:8>4.0.19-8", "<ADIF_VER:3>3.0", "<USERDEF1:5:N>QSCORE",
             "<USERDEF2:5:N>QMULTI", "<USERDEF3:5:N>QBONUS", "<USERDEF4:10:N>QGUID", "<EOH>"]
    for n, ((st, band, exch), m) in enumerate(zip(log, minutes), 1):
        t = t0 + datetime.timedelta(minutes=m)
        base, _ = BANDS[band]
        freq = "%.4f" % (base + rnd.randrange(10, 60) / 1000.0)
        sent = "599 " + (txnr or "%03d" % n)
        lines.append("".join([
            adif_field("QSO_DATE", t.strftime("%Y%m%d")), adif_field("TIME_ON", t.strftime("%H%M")),
            adif_field("BAND", band + "M"), adif_field("FREQ", freq.rstrip("0")),
            adif_field("MODE", "CW"), adif_field("CALL", st.call), adif_field("RST_SENT", sent),
            adif_field("RST_RCVD", exch), "<EOR>"]))
    with open(path, "w", encoding="latin-1", newline="") as f:
        f.write("\r\n".join(lines) + "\r\n")


def main(argv):
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--contest", required=True, choices=refscore.CONTESTS)
    ap.add_argument("--call", required=True)
    ap.add_argument("--txnr", default="")
    ap.add_argument("--count", type=int, default=1500)
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--cty", default="/usr/share/hamradio-files/cty.dat")
    ap.add_argument("--rus", default=os.path.join(os.path.dirname(__file__),
                                                  "../../data/cty_rus.dat"))
    ap.add_argument("out")
    a = ap.parse_args(argv)
    rnd = random.Random("%s/%s/%d" % (a.contest, a.call, a.seed))
    cty, rus = refscore.CountryFile(a.cty), refscore.CountryFile(a.rus)
    log = generate(a.contest, a.count, rnd, cty, rus)
    own = cty.lookup(a.call)
    if own is None:
        print("genlog: own call %s is not in the country file" % a.call, file=sys.stderr)
        return 2
    write_adif(a.out, a.contest, own_exchange(a.contest, a.txnr.upper(), own), log, rnd)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
