# The cluster link against a node of the test's own on a loopback port: the login and the
# commands after it, spots on the band map of their band within a second (a logged call marked
# as a dupe, a new country as a new multiplier, lines that are no spots or are cut or binary
# skipped), a spot taken into the entry window, a QSO spotted, the console, and the link
# dropped by the node and made again by itself.
source "$(dirname "$0")/lib.sh"
vk_setup "$1" "$2"

NODE="$VK_DIR/node"
mkdir -p "$NODE"
python3 "$VK_SRC/tests/e2e/tools/cluster_node.py" "$NODE" 2>"$NODE/err" &
NODE_PID=$!
trap 'kill $NODE_PID 2>/dev/null; vk_cleanup' EXIT
end=$(vk_deadline)
until [ -s "$NODE/port" ]; do
  [ "$(vk_now)" -lt "$end" ] || vk_fail "the test node did not start: $(cat "$NODE/err")"
  sleep 0.05
done
PORT=$(cat "$NODE/port")

node() { echo "$*" >>"$NODE/control"; }
# Waits until the node received the line.
node_got() {
  local end
  end=$(vk_deadline)
  until grep -qxF -- "$1" "$NODE/received" 2>/dev/null; do
    [ "$(vk_now)" -lt "$end" ] || vk_fail "the node never got '$1': $(cat "$NODE/received")"
    sleep 0.05
  done
}

printf '[Main]\r\nContest=WORLD\r\nCall=UA3AAA\r\nWork=0\r\nMode=0\r\n\r\n[Morze]\r\nPort=Null\r\n\r\n' \
  >"$VK_DIR/vorkan.cfg"
printf '[Cluster]\r\nHost=127.0.0.1\r\nPort=%s\r\nCommands=set/skimmer\r\nAssisted=1\r\n' "$PORT" \
  >>"$VK_DIR/vorkan.cfg"
vk_station
vk_start_operating VORKAN_CLUSTER_RETRY_MS=300
vk_wait_for "Cluster: connected"
node_got "UA3AAA"
node_got "set/skimmer"

# DL1ABC in the log first: its spot is then a dupe.
vk_type "DL1ABC"
vk_key Enter
vk_wait_match "RxNr: +599/"
vk_type "15"
vk_key Enter
vk_wait_match "QSO: +1 "

# Recorded lines as nodes and skimmers send them, with others that must be skipped.
{
  echo "DX de W3LPL:      1825.0  DL1ABC       CW                             1200Z"
  echo "DX de K1TTT-#:    1830.5  OH2BH        CW 12 dB 24 WPM CQ             1201Z"
  echo "DX de EA5WU:     14025.0  K1ABC        CW                             1202Z JO01"
  echo "WWV de W0MU <18>:   SFI=70, A=5, K=1, No Storms -> No Storms"
  echo "DX de BROKEN:    18x0.0  AA1AA  1200Z"
  printf 'DX de %s: 1811.0 LONG1ONE\n' "$(head -c 3000 /dev/zero | tr '\0' 'X')"
  printf 'DX de W3LPL: 1812.0 BIN1ARY \x01\x02\xfe\xff\xff binary 1200Z\n'
} >"$NODE/spots"
vk_key M-b
vk_wait_for "Band map 160m"
node "sendfile $NODE/spots"
vk_wait_match "1825\.0 DL1ABC +D" 1
vk_wait_match "1830\.5 OH2BH +M" 1
vk_wait_match "> +1840\.0 -+ <"
sleep 0.3
vk_screen | grep -qF "K1ABC" && vk_fail "a 20 m spot on the 160 m map"
vk_screen | grep -qE "AA1AA|LONG1ONE|BIN1ARY" && vk_fail "a line that is no spot shown as one"

# Down to OH2BH, Enter: the call goes into the entry window, the frequency follows the spot.
vk_wait_match "\* +1825\.0 DL1ABC"
vk_key Down
vk_wait_match "\* +1830\.5 OH2BH"
vk_key Enter
vk_wait_match "Call: +OH2BH"
vk_wait_for "1830.5  CW"

# Alt+P spots the call being worked.
vk_key M-p
node_got "DX 1830.5 OH2BH"

# Esc in the band map stops the keyer and goes back to the entry window: typing goes on there.
vk_key_sync M-b 3000
vk_key_sync Escape 011B
vk_type "x"
vk_wait_match "Call: +OH2BHX"
vk_key_sync BSpace 0E08

# The console shows the node's lines and sends what is typed.
vk_key M-k
vk_wait_for "Hello UA3AAA, this is TESTNODE"
vk_type "sh/dx 5"
vk_key Enter
node_got "sh/dx 5"
vk_key M-k

# The node drops the link and refuses new ones for a while: not connected, then back.
node "drop 2"
vk_wait_for "Cluster: not connected" 5
vk_wait_for "Cluster: connected" 10

# Options > Cluster: unassisted.  The link goes, the band map with it, and the setting is kept.
vk_key M-F10 Right Down
vk_wait_for "Cluster"
vk_key l
vk_wait_match "\[[^ ]\] Assisted"
vk_wait_match "Port: +$PORT "
vk_key Tab Tab Tab Tab Tab Tab
vk_key Space
vk_wait_for "[ ] Assisted"
vk_key Tab Enter  # on OK: Enter on the box would tick it again
vk_wait_gone "Cluster: "
vk_wait_gone "Band map"
grep -q "Assisted=0" "$VK_DIR/vorkan.cfg" || vk_fail "Assisted=0 not written"
vk_key M-b
sleep 0.3
vk_screen | grep -qF "Band map" && vk_fail "a band map while unassisted"
vk_quit
