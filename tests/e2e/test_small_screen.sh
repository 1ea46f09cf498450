# The classic 80x25 terminal with everything a CW contest station has: CQ WW CW with a keyer
# (cwdaemon) and a radio (rigctld's dummy), both started here.  Typing DL1A shows at least four
# calls that contain it and the N+1 line at once with the entry window, the last log lines, the
# score totals, the CW window and a multiplier window; Alt+W walks the side windows that share
# one place, and the needed zones of the band lose the zone of a QSO as it is logged.
source "$(dirname "$0")/lib.sh"
vk_setup "$1" "$2"
[ -f /usr/share/hamradio-files/MASTER.SCP ] || { echo "SKIP: no MASTER.SCP"; exit 0; }
command -v rigctld >/dev/null || { echo "SKIP: rigctld is not installed"; exit 0; }
[ -x /usr/sbin/cwdaemon ] || { echo "SKIP: cwdaemon is not installed"; exit 0; }
free_port() {
  python3 -c 'import socket,sys; s=socket.socket(socket.AF_INET, socket.SOCK_DGRAM if sys.argv[1]=="u" else socket.SOCK_STREAM); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])' "$1"
}
RIG_PORT=$(free_port t)
CW_PORT=$(free_port u)
rigctld -m 1 -T 127.0.0.1 -t "$RIG_PORT" >/dev/null 2>&1 &
RIGCTLD=$!
/usr/sbin/cwdaemon -n -d null -x n -p "$CW_PORT" >/dev/null 2>&1 &
CWDAEMON=$!
trap 'kill $RIGCTLD $CWDAEMON 2>/dev/null; wait $RIGCTLD $CWDAEMON 2>/dev/null; vk_cleanup' EXIT
end=$(vk_deadline 5)
until rigctl -m 2 -r "127.0.0.1:$RIG_PORT" F 14025000 M CW 0 >/dev/null 2>&1; do
  [ "$(vk_now)" -lt "$end" ] || vk_fail "rigctld did not start"
  sleep 0.05
done

printf '[Main]\r\nContest=CQ-WW-CW\r\nCall=UA3AAA\r\nWork=0\r\nMode=0\r\n\r\n[Morze]\r\nPort=Null\r\nKeyer=cwdaemon\r\nCwdaemon=127.0.0.1:%s\r\n\r\n[Rig]\r\nModel=2\r\nDevice=127.0.0.1:%s\r\nPoll=100\r\n' \
  "$CW_PORT" "$RIG_PORT" >"$VK_DIR/vorkan.cfg"
vk_station
VK_WIDTH=80
VK_HEIGHT=25
vk_start_operating
vk_wait_for "[ CW ]"
vk_wait_for "Rig: 14025.0"
vk_wait_for "Zone CQ 1/4"

# One QSO, so that the log window has a line and the score a figure.
vk_type DL1ABC
vk_key Enter
vk_wait_for "RxNr:  599"
vk_key Enter
vk_wait_match "QSO: +1 "
vk_wait_for "QSO 1  Mlt 2"

vk_type DL1A
vk_wait_match "│N\+1 [A-Z0-9]"
n1=$(vk_screen | grep -n "│N+1 " | head -1 | cut -d: -f1)
col=$(($(vk_line "$n1" | sed 's/│N+1 .*//' | wc -m)))
partials=0
for r in $((n1 - 2)) $((n1 - 1)); do
  partials=$((partials + $(vk_cell "$r" "$col" 20 | grep -oE 'DL1A[A-Z0-9]*' | wc -l)))
done
[ "$partials" -ge 4 ] || vk_fail "$partials calls containing DL1A above N+1, not 4 or more"
# Everything else is readable at the same time.
for text in "DL1ABC" "Call:  DL1A " "1 * 2 = 2" "[ CW ]" "Check" "Zone CQ 1/4" "14 "; do
  vk_screen | grep -qF -- "$text" || vk_fail "'$text' not on the screen with the Check list"
done
vk_key M-a

# The shared place: Zone CQ, DXCC, the needed multipliers, the dupe sheet, round again.
vk_key M-w
vk_wait_for "DXCC 2/4"
vk_key M-w
vk_wait_for "Needed 3/4"
vk_wait_for "Zone CQ 39: 1 2 3 "
vk_wait_for " 13 15 "
vk_type K1AR
vk_key Enter
vk_wait_for "RxNr:  599"
vk_key Enter
vk_wait_for "Zone CQ 38: 1 2 3 4 6 "
vk_key M-w
vk_wait_for "Dupes 4/4"
vk_wait_for "20 2: DL1ABC K1AR"
vk_key M-w
vk_wait_for "Zone CQ 1/4"
vk_quit
echo PASS
