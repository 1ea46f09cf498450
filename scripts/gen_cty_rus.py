#!/usr/bin/env python3
"""Writes data/cty_rus.dat, the Russian country list: one block per region of the Russian
contests' region list, in the country-file format of the world list.

The primary prefix of a block is the region's two-letter code (the oblast multiplier), and
the block order fixes the zone (1 west ... 7 far east) that the championship's zone table
reads from the entry number.  Regions come from russian-oblasts.tsv (column proposed_block
gives the order); see russian-zones-proposal.md for the reasoning behind that order.

A Russian call names its region by the call-area digit and the first letter after it,
whatever letters stand before the digit (RA3A.., UA3A.., R3A.. are all Moscow).  So every
block lists, for each digit and region letter, the one-letter form R<d><L> (a three-character
key) and each two-letter form XX<d><L> (a four-character key).  Area 8 shares the letters of
area 9; area 2 is Kaliningrad alone, so it is listed by digit only.

Usage: gen_cty_rus.py [facts-dir] [output-file]   (python3, standard library only)
"""
import csv
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_FACTS = "/work/shared/facts"
DEFAULT_OUT = os.path.join(HERE, "..", "data", "cty_rus.dat")

# Prefix series carrying a region, as seen for every region in the world list.  RB, RP, RR
# and RS never carry one (beacons, commemoratives, repeaters, satellites).  No bare "U": the
# rest of the U block is Uzbekistan, Kazakhstan and Ukraine.
TWO_LETTER_FORMS = ["RA", "RC", "RD", "RE", "RF", "RG", "RJ", "RK", "RL", "RM", "RN", "RO",
                    "RQ", "RT", "RU", "RV", "RW", "RX", "RY", "RZ",
                    "UA", "UB", "UC", "UD", "UE", "UF", "UG", "UH", "UI"]
ONE_LETTER_FORMS = ["R", "U"]
# RI carries a region letter only in area 0 (RI0..); RI1 is the polar and Antarctic series.
AREA0_EXTRA_FORMS = ["RI"]

# Zone table of the championship rules: entry number -> zone.  The file must keep its blocks
# in this order; check() refuses an order whose zones do not grow from west to east.
ZONE_OF_BLOCK = {}
for zone, blocks in {1: list(range(5, 14)) + [58], 2: range(14, 56),
                     3: [56, 57, 59, 60, 64, 67, 68, 70],
                     4: [61, 62, 63, 65, 66, 69, 71, 72, 73, 84, 85],
                     5: [81, 83, 87], 6: [74, 75, 76, 78, 80, 82], 7: [77, 79, 86]}.items():
    for b in blocks:
        ZONE_OF_BLOCK[b] = zone

# Standard time of each region, hours east of UTC (tz database, 2020 onwards).  The file
# writes the world list's convention: the hours to add to local time to get UTC.
UTC_OFFSET = {
    "KA": 2,
    "SA": 4, "SR": 4, "UL": 4, "UD": 4, "AO": 4,
    "CB": 5, "SV": 5, "PM": 5, "HM": 5, "YN": 5, "TN": 5, "KN": 5, "OB": 5, "BA": 5,
    "OM": 6,
    "TO": 7, "NS": 7, "KE": 7, "AL": 7, "GA": 7, "KK": 7, "HA": 7, "TU": 7,
    "BU": 8, "IR": 8,
    "ZK": 9, "AM": 9, "YA": 9,
    "HK": 10, "EA": 10, "PK": 10,
    "SL": 11, "MG": 11,
    "CK": 12, "KT": 12,
    "AN": 0,
}  # every other region keeps Moscow time, UTC+3

# Regions whose calls do not follow the digit-and-letter rule.
SPECIAL_PREFIXES = {
    "AN": ["R1AN", "RI1A"],  # Russian Antarctic stations: R1ANA, RI1ANC, ...
    "FJ": ["R1FJ", "RI1F"],  # Franz Josef Land: R1FJL, RI1FJ
}
# Komi also appears as 1I in the world list, with Komi's zones.
EXTRA_AREA_LETTERS = {"KO": [("1", "I")]}

HEADER_WIDTH = 26


def short_name(name):
    name = re.sub(r"\s*\(.*?\)", "", name)
    name = name.split(" - ")[0].strip()
    if len(name) > HEADER_WIDTH:
        name = name.replace("Autonomous Okrug", "AO")
    if len(name) > HEADER_WIDTH and name.startswith("Republic of "):
        name = name[len("Republic of "):]
    return name[:HEADER_WIDTH]


def letters_of(row):
    letters = [row["primary_suffix_letter"]]
    other = row["other_letters_unverified"]
    # Free text: single capital letters (perhaps with '?') are letters of the region.
    for word in other.split():
        w = word.rstrip("?")
        if re.fullmatch(r"[A-Z]", w) and w not in letters:
            letters.append(w)
    return letters


def continent_of(entity):
    if entity.startswith("UA9"):
        return "AS"
    if entity.startswith("CE9"):
        return "SA"  # the world list files Antarctica under South America
    return "EU"


def area_digits(row):
    digit = row["call_area_digit"]
    return ["9", "8"] if digit == "9" else [digit]


def prefixes_of(row):
    code = row["code"]
    if code in SPECIAL_PREFIXES:
        return list(SPECIAL_PREFIXES[code])
    digits = area_digits(row)
    if digits == ["2"]:
        return [f + "2" for f in ONE_LETTER_FORMS + TWO_LETTER_FORMS]
    pairs = [(d, letter) for d in digits for letter in letters_of(row)]
    pairs += EXTRA_AREA_LETTERS.get(code, [])
    out = []
    for d, letter in pairs:
        forms = ONE_LETTER_FORMS + TWO_LETTER_FORMS + (AREA0_EXTRA_FORMS if d == "0" else [])
        out += [f + d + letter for f in forms]
    return out


def header(row):
    def num(text, sign=1):
        return "%.2f" % (sign * float(text)) if text else "0.00"
    tz = -UTC_OFFSET.get(row["code"], 3)
    fields = [short_name(row["name_en"]), row["cty_cq"], row["cty_itu"],
              continent_of(row["cty_entity"]),
              num(row["centre_lat"]) if row["centre_lat"] else "-90.00",
              num(row["centre_lon"], -1),  # positive west, as in the world list
              str(tz), row["code"]]
    return "%-26s %3s: %3s: %3s: %7s: %8s: %4s: %s:" % (
        fields[0] + ":", fields[1], fields[2], fields[3], fields[4], fields[5], fields[6], fields[7])


def block_lines(tokens, width=76):
    lines, line = [], ""
    for t in tokens:
        if line and len(line) + len(t) + 1 > width:
            lines.append("    " + line + ",")
            line = ""
        line = t if not line else line + "," + t
    lines.append("    " + line + ";")
    return lines


def check(rows, blocks):
    numbers = sorted(int(r["proposed_block"]) for r in rows)
    if numbers != list(range(1, len(rows) + 1)):
        sys.exit("block numbers are not 1..%d" % len(rows))
    seen = {}
    for row, tokens in blocks:
        for t in tokens:
            if t in seen:
                sys.exit("prefix %s listed for both %s and %s" % (t, seen[t], row["code"]))
            seen[t] = row["code"]
    # Zones must grow from west to east: mean longitude of each zone's regions.
    means = {}
    for row, _ in blocks:
        zone = ZONE_OF_BLOCK.get(int(row["proposed_block"]), 0)
        if zone and row["centroid_lon"]:
            means.setdefault(zone, []).append(float(row["centroid_lon"]))
    order = [sum(v) / len(v) for _, v in sorted(means.items())]
    if order != sorted(order):
        sys.exit("zone mean longitudes do not grow west to east: %s" % order)


def main():
    facts = sys.argv[1] if len(sys.argv) > 1 else DEFAULT_FACTS
    out_path = sys.argv[2] if len(sys.argv) > 2 else DEFAULT_OUT
    with open(os.path.join(facts, "russian-oblasts.tsv"), encoding="utf-8") as f:
        rows = list(csv.DictReader(f, delimiter="\t"))
    rows.sort(key=lambda r: int(r["proposed_block"]))
    blocks = [(row, prefixes_of(row)) for row in rows]
    check(rows, blocks)
    lines = [
        "# Russian regions for the logger's Russian country list.",
        "# Generated by scripts/gen_cty_rus.py; edit the script, not this file.",
        "# One block per region; the primary prefix is the region code.  The block order is",
        "# the zone order of the championship (entry number -> zone 1 west ... 7 far east).",
        "# Longitude and time offset count positive towards the west, as in the world list.",
    ]
    for row, tokens in blocks:
        zone = ZONE_OF_BLOCK.get(int(row["proposed_block"]), 0)
        lines.append("# block %s, zone %d" % (row["proposed_block"], zone))
        lines.append(header(row))
        lines += block_lines(tokens)
    data = ("\n".join(lines) + "\n").encode("ascii")
    with open(out_path, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
