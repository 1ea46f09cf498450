# `vorkan export` and `vorkan import` on real stations: a CQ WW log exported as standard ADIF
# and imported into an empty station scores the same; importing it again adds nothing; a
# file of another program with broken records brings in the good ones, lists the bad ones and
# keeps every QSO the log held; an unreadable file changes nothing; QSOs older than the log's go
# before them, and a phone QSO is refused by a CW contest with the reason.
source "$(dirname "$0")/lib.sh"
vk_setup "$1" "$2"
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

station() {  # dir
  mkdir -p "$1"
  bash "$VK_SRC/scripts/prepare-station.sh" "$1" >/dev/null
  printf '[Main]\r\nContest=CQ-WW-CW\r\nCall=DL1ABC\r\nWork=0\r\nMode=0\r\n\r\n[Morze]\r\nPort=Null\r\n' \
    >"$1/vorkan.cfg"
}
rec() {  # date time freq call sent rcvd guid
  printf '<QSO_DATE:8>%s<TIME_ON:4>%s<FREQ:%d>%s<MODE:2>CW<CALL:%d>%s' "$1" "$2" ${#3} "$3" ${#4} "$4"
  printf '<RST_SENT:%d>%s<RST_RCVD:%d>%s<QGUID:%d>%s<EOR>\r\n' ${#5} "$5" ${#6} "$6" ${#7} "$7"
}
score() { (cd "$1" && "$VK_BIN" score --contest CQ-WW-CW --call DL1ABC vorkan.adi | tail -1); }

A=$VK_DIR/a
B=$VK_DIR/b
station "$A"
station "$B"
{
  printf '<ADIF_VER:3>3.0\r\n<EOH>\r\n'
  rec 20241130 0907 14.025 UA9QQQQ "599 14" "599 17" 11
  rec 20241130 0911 7.012 OK1BBB "599 14" "599 15" 12
  rec 20241130 0912 7.012 OK1BBB "599 14" "599 15" 13
  rec 20241130 2359 1.83 W1AW "599 14" "599 5" 14
} >"$A/vorkan.adi"

(cd "$A" && "$VK_BIN" export --contest CQ-WW-CW --call DL1ABC --adif "$VK_DIR/out.adi" \
  vorkan.adi >/dev/null) || fail "export"
grep -q '<CQZ:2>17<CONTEST_ID:8>CQ-WW-CW<STATION_CALLSIGN:6>DL1ABC' "$VK_DIR/out.adi" ||
  fail "export fields: $(cat "$VK_DIR/out.adi")"
(cd "$A" && "$VK_BIN" export --no-dupes --contest CQ-WW-CW --call DL1ABC \
  --adif "$VK_DIR/nodupes.adi" vorkan.adi >"$VK_DIR/nodupes.out") || fail "export --no-dupes"
grep -q 'exported 3 QSOs to .*nodupes.adi (dupes left out: 1)' "$VK_DIR/nodupes.out" ||
  fail "export --no-dupes says: $(cat "$VK_DIR/nodupes.out")"
[ "$(grep -c '<EOR>' "$VK_DIR/nodupes.adi")" = 3 ] || fail "the dupe was exported"

(cd "$B" && "$VK_BIN" import "$VK_DIR/out.adi" >/dev/null) || fail "import"
[ "$(score "$B")" = "$(score "$A")" ] || fail "score $(score "$B") after the trip, not $(score "$A")"
before=$(cat "$B/vorkan.adi")
(cd "$B" && "$VK_BIN" import "$VK_DIR/out.adi" 2>"$VK_DIR/again.err" >/dev/null)
[ "$(grep -c 'already in the log' "$VK_DIR/again.err")" = 4 ] || fail "second import"
[ "$(cat "$B/vorkan.adi")" = "$before" ] || fail "the second import changed the log"

# Another program's file: lower-case tags over several lines, one good record, three broken.
printf '%s\r\n' 'WSJT-X style' '<adif_ver:5>3.1.0' '<eoh>' \
  '<call:5>SP9XX <qso_date:8>20241130 <time_on:6>101500 <band:3>15m <mode:2>CW' \
  '<rst_sent:3>599 <rst_rcvd:3>599 <cqz:2>15 <eor>' \
  '<call:5>SP9XY <time_on:4>1016 <freq:6>21.020 <mode:2>CW <eor>' \
  '<call:5>SP9XZ <qso_date:8>20241130 <time_on:4>1017 <freq:6>10.120 <mode:2>CW <eor>' \
  '<qso_date:8>20241130 <time_on:4>1018 <freq:6>21.020 <mode:2>CW <eor>' >"$VK_DIR/other.adi"
(cd "$B" && "$VK_BIN" import "$VK_DIR/other.adi" 2>"$VK_DIR/other.err" >"$VK_DIR/other.out") ||
  fail "import of the other program's file"
grep -q 'imported 1 QSOs, 3 records not taken' "$VK_DIR/other.out" || fail "$(cat "$VK_DIR/other.out")"
grep -q 'record 2 (SP9XY): no date' "$VK_DIR/other.err" || fail "$(cat "$VK_DIR/other.err")"
grep -q 'record 3 (SP9XZ): band of 10.12 MHz not in the contest' "$VK_DIR/other.err" ||
  fail "$(cat "$VK_DIR/other.err")"
grep -q 'record 4: no call' "$VK_DIR/other.err" || fail "$(cat "$VK_DIR/other.err")"
grep -q '<CALL:5>SP9XX<RST_SENT:3>599<RST_RCVD:6>599 15' "$B/vorkan.adi" || fail "SP9XX not in"
for call in UA9QQQQ OK1BBB W1AW; do
  grep -q "<CALL:[0-9]*>$call<" "$B/vorkan.adi" || fail "$call lost"
done

before=$(cat "$B/vorkan.adi")
(cd "$B" && "$VK_BIN" import "$VK_DIR/missing.adi" 2>/dev/null) && fail "a missing file imported"
[ "$(cat "$B/vorkan.adi")" = "$before" ] || fail "a failed import changed the log"
# An older QSO goes before the log's own; a phone QSO has no place in a CW contest.
{
  printf '<EOH>\r\n'
  rec 20241130 0800 14.025 K1EARLY "599 14" "599 5" 91
  printf '<QSO_DATE:8>20241130<TIME_ON:4>0801<FREQ:6>14.200<MODE:3>SSB<CALL:5>K1SSB<EOR>\r\n'
} >"$VK_DIR/older.adi"
(cd "$B" && "$VK_BIN" import "$VK_DIR/older.adi" 2>"$VK_DIR/older.err" >/dev/null) ||
  fail "import of older QSOs"
grep -q 'record 2 (K1SSB): mode SSB not in the contest' "$VK_DIR/older.err" ||
  fail "$(cat "$VK_DIR/older.err")"
grep -q 'K1SSB' "$B/vorkan.adi" && fail "the phone QSO was taken"
first=$(grep -o '<CALL:[0-9]*>[A-Z0-9]*' "$B/vorkan.adi" | head -1)
[ "$first" = "<CALL:7>K1EARLY" ] || fail "the older QSO is not first: $first"
echo PASS
