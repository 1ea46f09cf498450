# The post-contest report: `vorkan report --html` on a generated 1,500-QSO CQ WW log, loaded
# in headless Chromium: no console errors, the plots drawn, and the numbers on the page equal
# to what `vorkan score` prints; a screenshot is kept in the build folder.  Then Tools > Report
# in the running program writes the page of the log it holds.
source "$(dirname "$0")/lib.sh"
vk_setup "$1" "$2"

command -v chromium >/dev/null ||
  vk_fail "chromium is not installed: the report is checked in a real browser (make deps-test)"
ARTIFACTS="$(dirname "$VK_BIN")/test-artifacts"
mkdir -p "$ARTIFACTS"

vk_station_config CQ-WW-CW DL1ABC "Txnr=14\r\n"
python3 "$VK_SRC/tests/scorecheck/genlog.py" --contest CQ-WW-CW --call DL1ABC --txnr 14 \
  --count 1500 --cty /usr/share/hamradio-files/cty.dat "$VK_DIR/vorkan.adi" >/dev/null ||
  vk_fail "no log generated"
(cd "$VK_DIR" && "$VK_BIN" report --html report.html >"$VK_DIR/report.out" 2>&1) ||
  vk_fail "vorkan report: $(cat "$VK_DIR/report.out")"
(cd "$VK_DIR" && "$VK_BIN" score vorkan.adi >"$VK_DIR/score.out" 2>&1) || vk_fail "vorkan score failed"

python3 "$VK_SRC/tests/e2e/tools/headless_page.py" "$VK_DIR/report.html" \
  "$ARTIFACTS/html_report.png" score-text total-qsos total-points total-multipliers score dupes \
  >"$VK_DIR/page.out" 2>"$VK_DIR/page.err" ||
  vk_fail "the page did not load in Chromium: $(cat "$VK_DIR/page.err")"
page() { grep "^$1 " "$VK_DIR/page.out" | cut -d' ' -f2- | tr -d '"'; }
[ "$(page console-errors)" = 0 ] || vk_fail "console errors: $(cat "$VK_DIR/page.err")"
[ "$(page svg)" -ge 5 ] || vk_fail "plots missing: $(page svg) drawn"
[ -s "$ARTIFACTS/html_report.png" ] || vk_fail "no screenshot"

# The summary on the page is the score command's, line for line, and the table agrees.
want=$(tr '\n' '|' <"$VK_DIR/score.out")
got=$(page score-text | sed 's/\\n/|/g')
[ "$got" = "$want" ] || vk_fail "summary on the page: '$got', vorkan score: '$want'"
read -r qsos points mults score < <(sed -n 's/^TOTAL qsos=\([0-9]*\) points=\([0-9]*\) multipliers=\([0-9]*\) score=\([0-9]*\)$/\1 \2 \3 \4/p' "$VK_DIR/score.out")
[ "$(page total-qsos)" = "$qsos" ] || vk_fail "QSOs $(page total-qsos), not $qsos"
[ "$(page total-points)" = "$points" ] || vk_fail "points $(page total-points), not $points"
[ "$(page total-multipliers)" = "$mults" ] || vk_fail "multipliers $(page total-multipliers)"
[ "$(page score)" = "$score" ] || vk_fail "score $(page score), not $score"
[ "$(page dupes)" = "$(sed -n 's/^DUPES //p' "$VK_DIR/score.out")" ] || vk_fail "dupes $(page dupes)"

# Tools > Report in the program: the page of the log on screen, where the entry window says.
vk_start_operating
vk_key M-F10 Right Right Down
vk_wait_for "Report (HTML)"
vk_key r
vk_wait_for "Report written: 1500 QSO"
grep -q "<strong id=\"score\">$score</strong>" "$VK_DIR/DL1ABC-report.html" ||
  vk_fail "Tools > Report: the page does not hold the score $score"
vk_quit
echo PASS
