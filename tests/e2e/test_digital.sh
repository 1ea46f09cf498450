# QSOs made in WSJT-X arrive on UDP at a running station working the RTTY Roundup: each is
# logged once though announced twice (QSO Logged and Logged ADIF), FT8 is logged as the
# contest's RTTY, a later repeat is a dupe, heartbeats and another program's datagram change
# nothing, and the saved log scores as the screen says.
source "$(dirname "$0")/lib.sh"
vk_setup "$1" "$2"

PORT=$(python3 -c 'import socket; s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
vk_station_config ARRL-RTTY DL1ABC
printf '\r\n[Digital]\r\nListen=127.0.0.1:%s\r\n' "$PORT" >>"$VK_DIR/vorkan.cfg"
vk_start_operating
send() { python3 "$VK_SRC/tests/e2e/tools/wsjtx_send.py" "$PORT" "$@"; }

send heartbeat garbage \
  logged:W1AW:20261205:183041:14080500:FT8:599:579:CT \
  adif:W1AW:20261205:183041:14080500:FT8:599:579:CT \
  adif:K1ABC:20261205:183512:7080200:FT4:599:559:MA
vk_wait_match "QSO: +2 "
vk_wait_for "K1ABC"
send logged:W1AW:20261205:184733:14081000:FT8:599:579:CT
vk_wait_match "QSO: +3 "
vk_quit

adi="$VK_DIR/vorkan.adi"
[ "$(grep -ci '<call:4>W1AW' "$adi")" = 2 ] || vk_fail "W1AW not logged twice: $(cat "$adi")"
grep -qi '<call:5>K1ABC' "$adi" || vk_fail "K1ABC not saved"
grep -qi '<mode:4>RTTY' "$adi" || vk_fail "FT8 not logged as the contest's RTTY"
grep -q "datagram dropped: not a WSJT-X message" "$VK_DIR/debug.txt" ||
  vk_fail "the foreign datagram is not in the journal"
score=$(cd "$VK_DIR" && "$VK_BIN" score --contest ARRL-RTTY --call DL1ABC vorkan.adi | tail -1)
[ "$score" = "TOTAL qsos=3 points=2 multipliers=2 score=4" ] || vk_fail "scored: $score"
echo PASS
