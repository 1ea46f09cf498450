#!/usr/bin/python3
"""Scores a contest log by the sponsors' published rules, on its own, as a yardstick.

It reads the world country file (the CT9/AD1C cty.dat layout) and the logger's ADIF file, and
prints per QSO its points, new multipliers and dupe mark, then the totals:

  refscore.py --cty cty.dat --contest CQ-WW-CW --call DL1ABC [--txnr 14] [--qsos] LOG.adi

--compare REPORT holds the figures against the logger's `score --qsos` output and prints the
first QSOs that differ; --selftest checks the call reader on the rules' own examples.
"""
import argparse
import re
import sys

RUSSIA = {"European Russia", "Asiatic Russia", "Kaliningrad", "Franz Josef Land"}
# WAE-only entries of the country file ("*" before the prefix) and the DXCC entity each lies in.
WAE_PARENT = {"*4U1V": "OE", "*GM/s": "GM", "*IG9": "I", "*IT9": "I", "*JW/b": "JW", "*TA1": "TA"}
# Suffixes that say how a station operates, not where: they are dropped before any lookup.
NOT_PLACE = {"P", "M", "MM", "AM", "QRP", "QRPP", "LH", "AE", "AG", "KT", "LGT", "FF", "YL"}
LOW_BANDS = {"160", "80", "40"}


class Entity:
    def __init__(self, name, cq, itu, cont, prefix):
        self.name, self.cq, self.itu, self.cont, self.prefix = name, cq, itu, cont, prefix

    @property
    def dxcc(self):
        """The DXCC entity's primary prefix: a WAE-only entry counts as its parent."""
        return WAE_PARENT.get(self.prefix, self.prefix)


class Place:
    """Where a call resolves: its entity and the zones and continent after any override."""

    def __init__(self, entity, cq=None, itu=None, cont=None):
        self.entity = entity
        self.cq = cq or entity.cq
        self.itu = itu or entity.itu
        self.cont = cont or entity.cont


class CountryFile:
    ALIAS = re.compile(r"^(=?)([^(\[<{~]+)(.*)$")

    def __init__(self, path):
        self.exact, self.prefixes = {}, {}
        with open(path, encoding="latin-1") as f:
            text = f.read()
        for record in text.split(";"):
            if ":" not in record:
                continue
            head, _, aliases = record.rpartition(":")
            fields = [x.strip() for x in head.split(":")]
            if len(fields) < 8:
                continue
            ent = Entity(fields[0], int(fields[1]), int(fields[2]), fields[3], fields[7])
            for alias in aliases.replace("\n", "").split(","):
                self._add(ent, alias.strip())

    def _add(self, ent, alias):
        m = self.ALIAS.match(alias)
        if not m:
            return
        exact, key, tail = m.groups()
        cq = re.search(r"\((\d+)\)", tail)
        itu = re.search(r"\[(\d+)\]", tail)
        cont = re.search(r"\{(\w+)\}", tail)
        place = Place(ent, cq and int(cq.group(1)), itu and int(itu.group(1)),
                      cont and cont.group(1))
        (self.exact if exact else self.prefixes)[key.upper()] = place

    def by_prefix(self, text):
        for n in range(len(text), 0, -1):
            place = self.prefixes.get(text[:n])
            if place:
                return place
        return None

    def lookup(self, call):
        """The Place of a call as typed, or None (unknown, or maritime/aeronautical mobile)."""
        call = call.upper()
        parts = call.split("/")
        if any(p in ("MM", "AM") for p in parts[1:]):
            return None  # at sea or in the air: no country
        if call in self.exact:
            return self.exact[call]
        parts = place_parts(call)
        if not parts:
            return None
        whole = "/".join(parts)
        if whole in self.exact:
            return self.exact[whole]
        if len(parts) == 1:
            return self.exact.get(parts[0]) or self.by_prefix(us_kg4(parts[0]))
        base, other = parts[0], parts[1]
        if other.isdigit():
            # A call-area suffix replaces the area digit of the home call.
            return self.lookup(area_moved(base, other))
        designator = (other if len(other) <= len(base) else base)
        return self.by_prefix(designator)


def us_kg4(call):
    """The country file's documentation: KG4 with a two-letter suffix is Guantanamo Bay, with
    one or three letters a US licensee (4th call area)."""
    suffix = call[3:]
    if call.startswith("KG4") and len(suffix) in (1, 3) and suffix.isalpha():
        return "K4" + suffix
    return call


def place_parts(call):
    """The parts of a slashed call that say where it is: a suffix that is a single letter, an
    operating mark (/P, /QRP) or a number of more than one digit (/70, an anniversary) is not."""
    return [p for i, p in enumerate(call.split("/"))
            if p and not (i > 0 and (p in NOT_PLACE or (len(p) == 1 and p.isalpha())
                                     or (len(p) > 1 and p.isdigit())))]


def area_moved(call, digit):
    i = max(i for i, c in enumerate(call) if c.isdigit()) if any(
        c.isdigit() for c in call) else -1
    if i < 0:
        return call[:2] + digit + call[2:]
    j = i
    while j > 0 and call[j - 1].isdigit() and j - 1 > 0:
        j -= 1
    return call[:j] + digit + call[i + 1:]


def head_prefix(text):
    """The letters and digits up to the last digit; no digit: the first two letters and 0."""
    digits = [i for i, c in enumerate(text) if c.isdigit()]
    if not digits:
        return text[:2] + "0"
    return text[:digits[-1] + 1]


def wpx_prefix(call):
    parts = place_parts(call.upper())
    if len(parts) == 1:
        return head_prefix(parts[0])
    base, other = parts[0], parts[1]
    if other.isdigit():
        return head_prefix(area_moved(base, other))
    return head_prefix((other if len(other) <= len(base) else base))


# ----------------------------------------------------------------------------- the log


def read_adif(path):
    with open(path, encoding="latin-1") as f:
        text = f.read()
    body = text[text.upper().find("<EOH>") + 5:]
    qsos = []
    for rec in re.split(r"<EOR>", body, flags=re.I):
        fields, pos = {}, 0
        for m in re.finditer(r"<(\w+):(\d+)(?::\w)?>", rec):
            if m.start() < pos:
                continue
            n = int(m.group(2))
            fields[m.group(1).upper()] = rec[m.end():m.end() + n]
            pos = m.end() + n
        if "CALL" in fields:
            qsos.append(fields)
    return qsos


# ----------------------------------------------------------------------------- scoring


class Scorer:
    def __init__(self, cty, contest, call, txnr):
        self.cty, self.contest = cty, contest
        self.own = cty.lookup(call)
        if self.own is None:
            raise ValueError("own call %s is not in the country file" % call)
        self.txnr = txnr.strip().upper()
        self.seen, self.mults = set(), set()

    def score(self, call, band, rcvd):
        """(points, new multipliers, dupe) of one QSO in log order."""
        call = call.upper()
        # Sweepstakes: each station once in the contest; everywhere else once per band.
        seen = call if self.contest == "ARRL-SS-CW" else (call, band)
        if seen in self.seen:
            return 0, 0, True
        self.seen.add(seen)
        if self.contest == "ARRL-SS-CW":
            return self.sweepstakes(rcvd)
        tokens = rcvd.split()
        exch = tokens[-1].upper() if len(tokens) > 1 else ""
        place = self.cty.lookup(call)
        maritime = "/MM" in call or "/AM" in call
        points, keys = getattr(self, self.contest.replace("-", "_"))(call, band, exch, place,
                                                                    maritime)
        new = [k for k in keys if k not in self.mults]
        self.mults.update(new)
        return points, len(new), False

    def CQ_WW_CW(self, call, band, exch, place, maritime):
        own = self.own
        zone = int(exch) if exch.isdigit() else None
        keys = [("zone", band, zone)] if zone else []
        if place is None and not maritime:
            return 0, keys  # a call no country claims
        if maritime:
            cont = ZONE_CONT.get(zone)
            return (3 if cont != own.cont else 2 if cont == "NA" else 1), keys
        keys.append(("country", band, place.entity.prefix))
        if place.entity is own.entity:
            return 0, keys
        if place.cont != own.cont:
            return 3, keys
        return (2 if own.cont == "NA" else 1), keys

    def CQ_WPX_CW(self, call, band, exch, place, maritime):
        own, low = self.own, band in LOW_BANDS
        keys = [("prefix", wpx_prefix(call))]
        if place is None:
            return 0, keys
        if place.entity.dxcc == own.entity.dxcc:
            return WPX_OWN_COUNTRY_POINTS, keys
        if place.cont != own.cont:
            return (6 if low else 3), keys
        if own.cont == "NA":
            return (4 if low else 2), keys
        return (2 if low else 1), keys

    def IARU_HF(self, call, band, exch, place, maritime):
        own_zone = int(self.txnr) if self.txnr.isdigit() else self.own.itu
        if exch and not exch.isdigit():
            return 1, [("hq", band, exch)]  # a member society's HQ or an IARU official
        zone = int(exch) if exch.isdigit() else None
        keys = [("zone", band, zone)] if zone else []
        if zone == own_zone:
            return 1, keys
        if place is None:
            return 0, keys
        return (3 if place.cont == self.own.cont else 5), keys

    def RDXC(self, call, band, exch, place, maritime):
        if maritime:
            return 5, []
        if place is None:
            return 0, []
        keys = [("dxcc", band, place.entity.dxcc)]
        worked_ru = place.entity.name in RUSSIA
        if worked_ru and exch.isalpha():
            keys.append(("oblast", band, exch))
        own = self.own
        if own.entity.name in RUSSIA:
            if worked_ru:
                return (2 if place.cont == own.cont else 5), keys
        elif worked_ru:
            return 10, keys
        elif place.entity.dxcc == own.entity.dxcc:
            return 2, keys
        return (3 if place.cont == own.cont else 5), keys


    def ARRL_DX_CW(self, call, band, exch, place, maritime):
        # W/VE (the 48 states, DC and Canada) work DX, DX works W/VE, 3 points a QSO.  W/VE
        # count DXCC entities per band, DX the states, DC and provinces per band.
        if place is None:
            return (3 if self.own.entity.prefix in W_VE else 0), []
        his_wve = place.entity.prefix in W_VE
        if self.own.entity.prefix in W_VE:
            return (0, []) if his_wve else (3, [("dxcc", band, place.entity.dxcc)])
        if not his_wve:
            return 0, []
        return 3, ([("state", band, exch)] if exch in ARRL_DX_MULTS else [])

    def sweepstakes(self, rcvd):
        # 2 points a QSO; each ARRL/RAC section once, whichever word of the exchange holds it.
        words = [w for w in rcvd.upper().replace("/", " ").split()]
        sect = next((w for w in words if w in SECTIONS), None)
        new = 0
        if sect and ("sect", sect) not in self.mults:
            self.mults.add(("sect", sect))
            new = 1
        return 2, new, False


# The W/VE side of the ARRL DX Contest: the world file's USA and Canada.
W_VE = ("K", "VE")
# What DX stations count in the ARRL DX Contest: the 48 contiguous states, DC, and the
# provinces and territories of Canada.
ARRL_DX_MULTS = set("""AL AZ AR CA CO CT DE DC FL GA ID IL IN IA KS KY LA ME MD MA MI MN MS MO
    MT NE NV NH NJ NM NY NC ND OH OK OR PA RI SC SD TN TX UT VT VA WA WV WI WY
    NB NS QC ON MB SK AB BC NT NL NU YT PE""".split())
# The ARRL and RAC sections of Sweepstakes.
SECTIONS = set("""CT EMA ME NH RI VT WMA DE EPA MDC NNY SNJ WNY WPA ENY NLI NNJ IL IN WI MN ND
    SD AR LA MS TN KY MI OH IA KS MO NE AK EWA ID MT OR WWA EB NV PAC SCV SF SJV SV NC SC VA
    WV CO NM UT WY AL GA NFL PR SFL VI WCF AZ LAX ORG SB SDG NTX OK STX WTX
    AB BC GH MB NB NL NS ONE ONN ONS PE QC SK TER""".split())
# Same-country QSOs in the WPX contest: one point on any band.
WPX_OWN_COUNTRY_POINTS = 1
# The continent of a CQ zone, for stations at sea that send only their zone.
ZONE_CONT = {z: ("NA" if z <= 8 else "SA" if z <= 13 else "EU" if z <= 16 else
                 "AS" if z <= 26 else "OC" if z <= 32 else "AF" if z <= 39 else "EU")
             for z in range(1, 41)}
CONTESTS = ("CQ-WW-CW", "CQ-WPX-CW", "IARU-HF", "RDXC", "ARRL-DX-CW", "ARRL-SS-CW")


def score_log(cty, contest, call, txnr, qsos):
    """Per-QSO rows (n, call, band, points, mults, dupe) and the totals."""
    scorer = Scorer(cty, contest, call, txnr)
    rows = []
    for n, q in enumerate(qsos, 1):
        band = q.get("BAND", "").upper().rstrip("M")
        points, mults, dupe = scorer.score(q["CALL"], band, q.get("RST_RCVD", ""))
        rows.append((n, q["CALL"].upper(), band, points, mults, int(dupe)))
    points = sum(r[3] for r in rows)
    mults = sum(r[4] for r in rows)
    return rows, {"qsos": len(rows), "points": points, "multipliers": mults,
                  "score": points * mults}


def read_report(path):
    """The logger's per-QSO lines (number, call, band, points, mults, bonus, dupe) and TOTAL."""
    rows, total = {}, {}
    with open(path, encoding="utf-8", errors="replace") as f:
        for line in f:
            cols = line.rstrip("\n").split("\t")
            if len(cols) == 7 and cols[0].strip().isdigit():
                n = int(cols[0])
                rows[n] = (n, cols[1].strip().upper(), cols[2].strip().upper().rstrip("M"),
                           int(cols[3]), int(cols[4]), int(cols[6]))
            elif line.startswith("TOTAL "):
                total = {k: int(v) for k, v in (x.split("=") for x in line.split()[1:])}
    return rows, total


def compare(rows, total, report, limit=15):
    """Prints what differs from the logger's report; True when nothing does."""
    theirs, their_total = read_report(report)
    diffs = [(r, theirs.get(r[0])) for r in rows if theirs.get(r[0]) != r]
    for r, t in diffs[:limit]:
        print("QSO %d: reference %s  logger %s" % (r[0], r[1:], t[1:] if t else "missing"))
    if len(diffs) > limit:
        print("... %d QSOs differ in all" % len(diffs))
    ok = not diffs
    for key in ("qsos", "points", "multipliers", "score"):
        if their_total.get(key) != total[key]:
            print("%s: reference %d, logger %s" % (key, total[key], their_total.get(key)))
            ok = False
    return ok


def selftest(cty):
    """The sponsors' and the country file's own examples; a list of what this reader gets wrong."""
    wpx = {"N8BJQ/KH9": "KH9", "DL1ABC/EA8": "EA8", "HB9A/OH0": "OH0", "K1TEO/8": "K8",
           "PA/N8BJQ": "PA0", "XEFTJW": "XE0", "HG19ABC": "HG19", "OE25XYZ": "OE25",
           "N8BJQ/P": "N8", "N8BJQ/MM": "N8"}
    where = {"UA9ABC/3": "European Russia", "EA4URE/8": "Canary Islands", "IT9GAK/2": "Italy",
             "K1ABC/4": "United States of America", "LU1AW/X": "Argentina",
             "K1ABC/4/P": "United States of America", "EA8/DL1ABC": "Canary Islands",
             "DL1ABC/EA8": "Canary Islands", "IT9ABC": "Sicily", "DL1ABC/MM": None,
             "KG4XY": "Guantanamo Bay", "KG4XYZ": "United States of America",
             "KG4X": "United States of America"}
    bad = ["%s: %s" % (c, wpx_prefix(c)) for c, p in wpx.items() if wpx_prefix(c) != p]
    for call, name in where.items():
        place = cty.lookup(call)
        if (place and place.entity.name) != name:
            bad.append("%s: %s" % (call, place and place.entity.name))
    if len(SECTIONS) != 85 or len(ARRL_DX_MULTS) != 62:
        bad.append("%d sections, %d ARRL DX multipliers" % (len(SECTIONS), len(ARRL_DX_MULTS)))
    return bad


def main(argv):
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--cty", default="/usr/share/hamradio-files/cty.dat")
    ap.add_argument("--contest", choices=CONTESTS, default="CQ-WW-CW")
    ap.add_argument("--call", default="")
    ap.add_argument("--txnr", default="")
    ap.add_argument("--qsos", action="store_true")
    ap.add_argument("--compare", metavar="REPORT", help="the logger's `score --qsos` output")
    ap.add_argument("--selftest", action="store_true", help="check the reader on known calls")
    ap.add_argument("log", nargs="?")
    a = ap.parse_args(argv)
    if a.selftest or not a.log:
        bad = selftest(CountryFile(a.cty))
        print("\n".join(bad) or "selftest ok")
        return 1 if bad else 0
    try:
        rows, total = score_log(CountryFile(a.cty), a.contest, a.call, a.txnr,
                                read_adif(a.log))
    except (OSError, ValueError) as e:
        print("refscore: %s" % e, file=sys.stderr)
        return 2
    if a.compare:
        return 0 if compare(rows, total, a.compare) else 1
    if a.qsos:
        for r in rows:
            print("\t".join(str(x) for x in r))
    print("TOTAL " + " ".join("%s=%d" % kv for kv in total.items()))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
