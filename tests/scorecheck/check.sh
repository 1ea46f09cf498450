#!/bin/bash
# Scores generated 1,500-QSO logs of each contest from European, North American and Russian
# own stations through `vorkan score` and through the independent reference scorer, and fails
# on the first difference in points, multipliers or claimed score.
#
#   check.sh VORKAN_BINARY SOURCE_DIR [CONTEST...]     (SEED=n for another set of logs)
set -u
export PYTHONDONTWRITEBYTECODE=1  # nothing written into the source tree
BIN=$(readlink -f "$1")
SRC=$(readlink -f "$2")
shift 2
HERE="$SRC/tests/scorecheck"
CTY=/usr/share/hamradio-files/cty.dat
WORK=$(mktemp -d "${TMPDIR:-/tmp}/vorkan-scorecheck.XXXXXX")
trap 'rm -rf "$WORK"' EXIT

mkdir -p "$WORK/data"
cp "$SRC"/data/*.xml "$SRC"/data/*.dat "$WORK/data/"
ln -s "$CTY" "$WORK/data/cty_wt.dat"

# contest  own call  the exchange the operator sets (-: none; a zone then comes from the
# country list, else a serial number is sent)
CASES="
CQ-WW-CW  DL1ABC 14
CQ-WW-CW  K1ABC  5
CQ-WW-CW  UA3ABC 16
CQ-WW-CW  UA9ABC 17
CQ-WPX-CW DL1ABC -
CQ-WPX-CW K1ABC  -
CQ-WPX-CW UA3ABC -
IARU-HF   DL1ABC 28
IARU-HF   K1ABC  8
IARU-HF   UA3ABC 29
IARU-HF   UA9ABC 30
IARU-HF   UA9ABC -
RDXC      DL1ABC -
RDXC      K1ABC  -
RDXC      UA3ABC MA
RDXC      UA9ABC CB
ARRL-DX-CW K1ABC MA
ARRL-DX-CW VE3ABC ON
ARRL-DX-CW DL1ABC 100
ARRL-DX-CW JA1ABC KW
ARRL-SS-CW K1ABC  A 75 CT
ARRL-SS-CW VE7ABC B 80 BC
"
python3 "$HERE/refscore.py" --cty "$CTY" --selftest || exit 1
fail=0
while read -r contest call txnr; do
  [ -n "$contest" ] || continue
  if [ $# -gt 0 ] && ! printf '%s\n' "$@" | grep -qx "$contest"; then continue; fi
  [ "$txnr" = - ] && txnr=
  log="$WORK/$contest-$call.adi"
  python3 "$HERE/genlog.py" --contest "$contest" --call "$call" --txnr "$txnr" --cty "$CTY" --seed "${SEED:-1}" \
    --rus "$SRC/data/cty_rus.dat" "$log" || { echo "FAIL $contest $call: no log"; fail=1; continue; }
  args=(--data "$WORK/data" --contest "$contest" --call "$call" --qsos)
  [ -n "$txnr" ] && args+=(--txnr "$txnr")
  if ! "$BIN" score "${args[@]}" "$log" >"$log.out" 2>"$log.err"; then
    echo "FAIL $contest $call: vorkan score: $(head -1 "$log.err")"
    fail=1
    continue
  fi
  if python3 "$HERE/refscore.py" --cty "$CTY" --contest "$contest" --call "$call" \
    --txnr "$txnr" --compare "$log.out" "$log" >"$log.diff"; then
    echo "ok   $contest $call ${txnr:--}: $(grep '^TOTAL' "$log.out")"
  else
    echo "FAIL $contest $call ${txnr:--}: $(grep '^TOTAL' "$log.out")"
    sed 's/^/     /' "$log.diff"
    fail=1
  fi
done <<<"$CASES"
exit $fail
