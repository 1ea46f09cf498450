# Enter Sends Message through a real cwdaemon, on an 80x25 terminal, in the CQ WW CW contest
# with the shipped messages: running, Enter on an empty Call calls CQ, a call and Enter send
# his call and the exchange, the exchange and Enter log the QSO and send TU, and a repeat gets
# the worked-before message; searching and pouncing, Enter sends the own call and then the
# exchange, and logs.  What cwdaemon received is read from its own log.
source "$(dirname "$0")/lib.sh"
vk_setup "$1" "$2"
[ -x /usr/sbin/cwdaemon ] || { echo "cwdaemon is not installed: skipped"; exit 0; }
PORT=$(python3 -c 'import socket; s=socket.socket(socket.AF_INET, socket.SOCK_DGRAM); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
CWLOG="$VK_DIR/cwdaemon.log"
/usr/sbin/cwdaemon -n -d null -x n -p "$PORT" -y i -f "$CWLOG" >/dev/null 2>&1 &
CWDAEMON=$!
trap 'kill $CWDAEMON 2>/dev/null; wait $CWDAEMON 2>/dev/null; vk_cleanup' EXIT

# No stored messages: the shipped CW set is what goes out.
printf '[Main]\r\nContest=CQ-WW-CW\r\nCall=UA3ABC\r\nWork=0\r\nMode=0\r\nEsm=1\r\nLanguage=en\r\n\r\n[Morze]\r\nPort=Null\r\nKeyer=cwdaemon\r\nCwdaemon=127.0.0.1:%s\r\nSpeed=60\r\n' \
  "$PORT" >"$VK_DIR/vorkan.cfg"
vk_station
VK_WIDTH=80 VK_HEIGHT=25 vk_start_operating
vk_wait_for "cwdaemon 127.0.0"

# The texts cwdaemon was asked to key, one a line.
cw_sent() { sed -n 's/^cwdaemon:[A-Z]*: request: "\(.*\)"$/\1/p' "$CWLOG"; }
# The last speed cwdaemon was given, in WPM.
cw_wpm() { sed -n 's/^.*requested morse speed \[wpm\]: "\([0-9]*\)"$/\1/p' "$CWLOG" | tail -1; }
# Waits until cwdaemon has received exactly `n` texts, the last one `text`.
wait_sent() {
  local n=$1 text=$2 end
  end=$(vk_deadline 20)
  until [ "$(cw_sent | wc -l)" -ge "$n" ]; do
    [ "$(vk_now)" -lt "$end" ] || vk_fail "cwdaemon got $(cw_sent | wc -l) texts, not $n: $(cw_sent | tr '\n' '|')"
    sleep 0.05
  done
  [ "$(cw_sent | sed -n "${n}p")" = "$text" ] || vk_fail "text $n at cwdaemon: '$(cw_sent | sed -n "${n}p")', not '$text'"
}

# Running: what Enter will send is said beside the keys, whose chips are highlighted.
vk_wait_for "RUN ESM"
vk_wait_for "Enter:CQ"
vk_key Enter
wait_sent 1 "CQ TEST UA3ABC UA3ABC TEST"
# The speed shown is the speed keyed.
vk_wait_for "■60■15]"
[ "$(cw_wpm)" = 60 ] || vk_fail "cwdaemon keyed at $(cw_wpm) WPM, the window shows 60"
vk_type "dl1abc"
vk_wait_for "Enter:CALL+EXCH"
vk_key Enter
wait_sent 2 "DL1ABC 5NN 16"
vk_wait_for "Enter:LOG+TU"
vk_key Enter
wait_sent 3 "TU UA3ABC"
vk_wait_for "Enter:CQ"
grep -q "<CALL:6>DL1ABC" "$VK_DIR/vorkan.adi" || vk_fail "DL1ABC not logged"
# A repeat: worked before.
vk_type "DL1ABC"
vk_key Enter
wait_sent 4 "QSO B4 TU UA3ABC"

# Searching and pouncing (Alt+U): own call, then the exchange and the QSO is logged.
vk_key M-a M-u
vk_wait_for "S&P ESM"
vk_type "OK1XYZ"
vk_wait_for "Enter:MYCALL"
vk_key Enter
wait_sent 5 "UA3ABC"
vk_wait_for "Enter:EXCH+LOG"
vk_key Enter
wait_sent 6 "5NN 16"
vk_wait_gone "Enter:EXCH+LOG"
grep -q "<CALL:6>OK1XYZ" "$VK_DIR/vorkan.adi" || vk_fail "OK1XYZ not logged"
grep -q '^Run=0' "$VK_DIR/vorkan.cfg" || grep -q $'^Run=0\r' "$VK_DIR/vorkan.cfg" ||
  vk_fail "S&P not kept in vorkan.cfg"

# A long CQ stored in the editor (past the old 18 characters) goes out whole.
vk_key M-u
vk_wait_for "RUN ESM"
vk_key_sync M-m 3200
vk_wait_for "[ CW Message Edit ]"
vk_key End
vk_type " CQ CQ CONTEST DE {MYCALL} K"
vk_key_sync Enter 1C0D
vk_wait_gone "[ CW Message Edit ]"
vk_key Enter
wait_sent 7 "CQ TEST UA3ABC UA3ABC TEST CQ CQ CONTEST DE UA3ABC K"

echo "messages at cwdaemon:"
cw_sent | sed 's/^/  /'
vk_quit
