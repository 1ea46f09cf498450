# The station's UDP packets for the shack's other programs: a listener of the test's own gets
# RadioInfo when the operating windows open and a contactinfo for a typed QSO, with the fields
# and value forms N1MM Logger+'s listeners read.
source "$(dirname "$0")/lib.sh"
vk_setup "$1" "$2"

LISTEN="$VK_DIR/listener"
mkdir -p "$LISTEN"
python3 "$VK_SRC/tests/e2e/tools/udp_listener.py" "$LISTEN" 2>"$LISTEN/err" &
LISTENER_PID=$!
trap 'kill $LISTENER_PID 2>/dev/null; vk_cleanup' EXIT
end=$(vk_deadline)
until [ -s "$LISTEN/port" ]; do
  [ "$(vk_now)" -lt "$end" ] || vk_fail "the listener did not start: $(cat "$LISTEN/err")"
  sleep 0.05
done
PORT=$(cat "$LISTEN/port")

vk_station_config WORLD DL1ABC
printf '\r\n[Broadcast]\r\nContacts=127.0.0.1:%s\r\nRadio=localhost:%s\r\nStationName=SHACK\r\n' \
  "$PORT" "$PORT" >>"$VK_DIR/vorkan.cfg"
vk_start_operating

# The packet holding `text`, waited for.
packet_with() {
  local end f
  end=$(vk_deadline)
  while :; do
    f=$(grep -lF -- "$1" "$LISTEN"/packet.[0-9]* 2>/dev/null | head -1)
    [ -n "$f" ] && { echo "$f"; return; }
    [ "$(vk_now)" -lt "$end" ] || vk_fail "no packet with '$1': $(cat "$LISTEN"/packet.* 2>/dev/null)"
    sleep 0.05
  done
}
radio=$(packet_with "<RadioInfo>")
grep -qE "<Freq>[0-9]+</Freq>" "$radio" || vk_fail "RadioInfo without a frequency: $(cat "$radio")"

vk_type "W1AW"
vk_key Enter
vk_wait_match "RxNr: +599/"
vk_type "05"
vk_key Enter
vk_wait_match "QSO: +1 "
contact=$(packet_with "<contactinfo>")
for field in "<call>W1AW</call>" "<mycall>DL1ABC</mycall>" "<snt>599</snt>" "<rcv>599</rcv>" \
  "<rcvnr>5</rcvnr>" "<continent>NA</continent>" "<countryprefix>K</countryprefix>" \
  "<wpxprefix>W1</wpxprefix>" "<StationName>SHACK</StationName>" "<IsOriginal>True</IsOriginal>"; do
  grep -qF -- "$field" "$contact" || vk_fail "contactinfo without $field: $(cat "$contact")"
done
grep -qE "<timestamp>[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}</timestamp>" "$contact" ||
  vk_fail "timestamp: $(cat "$contact")"
grep -qE "<band>(1\.8|3\.5|7|14|21|28)</band>" "$contact" || vk_fail "band: $(cat "$contact")"
grep -qE "<ID>[0-9a-f]{32}</ID>" "$contact" || vk_fail "ID: $(cat "$contact")"
python3 -c 'import sys, xml.dom.minidom; xml.dom.minidom.parse(sys.argv[1])' "$contact" ||
  vk_fail "contactinfo is not well-formed XML"
vk_quit
echo PASS
