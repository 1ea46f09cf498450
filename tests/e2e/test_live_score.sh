# The live score: a station with a CQ WW log posts its claimed score to a scoreboard of the
# test's own over HTTP as soon as the operating windows open; the document is well-formed and
# its totals are those of `vorkan score`.
source "$(dirname "$0")/lib.sh"
vk_setup "$1" "$2"

BOARD="$VK_DIR/board"
mkdir -p "$BOARD"
python3 "$VK_SRC/tests/e2e/tools/score_server.py" "$BOARD" 2>"$BOARD/err" &
BOARD_PID=$!
trap 'kill $BOARD_PID 2>/dev/null; vk_cleanup' EXIT
end=$(vk_deadline)
until [ -s "$BOARD/port" ]; do
  [ "$(vk_now)" -lt "$end" ] || vk_fail "the scoreboard did not start: $(cat "$BOARD/err")"
  sleep 0.05
done

vk_station_config CQ-WW-CW DL1ABC "Txnr=14\r\n"
printf '\r\n[LiveScore]\r\nUrl=http://127.0.0.1:%s/post\r\nEvery=1\r\n' "$(cat "$BOARD/port")" \
  >>"$VK_DIR/vorkan.cfg"
python3 "$VK_SRC/tests/scorecheck/genlog.py" --contest CQ-WW-CW --call DL1ABC --txnr 14 \
  --count 300 --cty /usr/share/hamradio-files/cty.dat "$VK_DIR/vorkan.adi" >/dev/null ||
  vk_fail "no log generated"
total=$(cd "$VK_DIR" && "$VK_BIN" score vorkan.adi | tail -1)
vk_start_operating

end=$(vk_deadline)
until [ -s "$BOARD/post.1" ]; do
  [ "$(vk_now)" -lt "$end" ] || vk_fail "nothing posted: $(cat "$BOARD/err")"
  sleep 0.05
done
python3 - "$BOARD/post.1" "$total" <<'PY' || vk_fail "the posted document: $(cat "$BOARD/post.1")"
import re, sys, xml.dom.minidom
doc = xml.dom.minidom.parse(sys.argv[1])
text = lambda name: doc.getElementsByTagName(name)[0].firstChild.data
qsos, points, mults, score = re.match(
    r"TOTAL qsos=(\d+) points=(\d+) multipliers=(\d+) score=(\d+)", sys.argv[2]).groups()
assert text("call") == "DL1ABC", text("call")
assert text("contest") == "CQ-WW-CW", text("contest")
assert text("score") == score, (text("score"), score)
total = {e.tagName: e.firstChild.data for e in doc.getElementsByTagName("breakdown")[0].childNodes
         if e.nodeType == e.ELEMENT_NODE and e.getAttribute("band") == "total"}
assert total["point"] == points and total["mult"] == mults, (total, points, mults)
bands = sum(int(e.firstChild.data) for e in doc.getElementsByTagName("qso")
            if e.getAttribute("band") != "total")
assert bands == int(total["qso"]), (bands, total)
assert doc.getElementsByTagName("class")[0].getAttribute("power") == "HIGH"
PY
vk_quit
echo PASS
