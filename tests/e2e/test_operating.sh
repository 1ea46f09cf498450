# An operator's session in the World contest as DL1ABC: QSOs typed at the keyboard, a repeat
# refused with "WORKED BEFORE !!!" (and one logged anyway, as a dupe), a call completed from three
# characters, a band change with
# Alt+F2 and a clock stepped with PgUp.  The log window, the score window, the country
# multipliers and vorkan.adi follow; after a restart the same log, score and multipliers are
# back.
source "$(dirname "$0")/lib.sh"
vk_setup "$1" "$2"
# Wide enough for the score window's column per band beside the log window.
VK_WIDTH=132
VK_HEIGHT=50
vk_station_config WORLD DL1ABC

# Entry window rows (1-based screen lines) on a 50-line terminal: the clock views, the Call
# line and the RxNr line, then the two message lines.
CLOCK=42
CALL=44
RX=46
MSG2=47
MSG1=48

# The log window's line of a QSO as far as the points column ("│" is U+2502).
log_line_re() { echo "^│  [0-9]{2}/[0-9]{2} $1│ ?$2│CW│$3 *│$4 *│$5 *│$6"; }
# A QSO: call, received exchange typed after the proposed "599/", then its line in the log.
work() {
  local count=$1 call=$2 rx=$3
  vk_type "$call"
  vk_key Enter
  vk_wait_cell "$RX" 8 "599/"
  vk_type "$rx"
  vk_key Enter
  vk_wait_match "QSO: +$count "
  vk_wait_cell "$CALL" 8 "            "
}
# The clock views' colours: the SGR codes in front of the date.
clock_sgr() {
  vk_tmux capture-pane -e -p -t vk | sed -n "${CLOCK}p" |
    grep -oE $'(\e\\[[0-9;]*m)+[0-9]{2}-[0-9]{2}-[0-9]{4}' | head -1 | tr -d '\e'
}

vk_start_operating
vk_wait_cell "$CLOCK" 21 '    1840.0  CW '
[ "$(vk_cell $CALL 23 5)" = "TxNr:" ] || vk_fail "TxNr label"
vk_wait_cell "$CALL" 30 "599 001"
# Typing starts in the Call line, upper-cased; the greeting goes with the first key.
vk_type d
vk_wait_cell "$CALL" 8 "D "
vk_wait_gone "Good luck in the contest"
vk_type l2aaa
vk_key Enter
# Enter in Call: the country of the call and the hint of a new multiplier.
vk_wait_cell "$MSG1" 10 "DL : Fed. Rep. of Germany : EU"
vk_wait_for "New multiplier"
vk_wait_cell "$RX" 8 "599/"
vk_type 14
vk_key Enter
vk_wait_match "QSO: +1 "
vk_wait_cell "$CALL" 30 "599 002"
work 2 ok1abc 15
work 3 w1aw 5

# A repeat on the same band and mode is refused; Alt+A clears the entry.
vk_type dl2aaa
vk_key Enter
vk_wait_for "WORKED BEFORE !!!"
[ "$(vk_cell $CALL 8 6)" = "DL2AAA" ] || vk_fail "repeat left the Call line"
[ "$(vk_cell $RX 8 4)" = "    " ] || vk_fail "repeat proposed an exchange"
vk_key M-a
vk_wait_gone "WORKED BEFORE !!!"
vk_wait_cell "$CALL" 8 "      "

# Alt+F2: band up to 80 m, where DL2AAA is new.  Three characters complete the call.
vk_key M-F2
vk_wait_cell "$CLOCK" 21 '    3510.0'
vk_type 2aa
vk_key Enter
vk_wait_cell "$CALL" 8 "DL2AAA"
vk_wait_cell "$RX" 8 "599/"
vk_type 16
vk_key Enter
vk_wait_match "QSO: +4 "

# Ctrl+PgUp steps the clock a minute on and stops it: yellow on red, "SET" beside it; the QSO
# takes its time.
[[ "$(clock_sgr)" == *44m* ]] || vk_fail "running clock not white on blue: $(clock_sgr)"
vk_key C-PPage
vk_wait_for " SET "
end=$(vk_deadline)
until [[ "$(clock_sgr)" == *41m* ]]; do
  [ "$(vk_now)" -lt "$end" ] || vk_fail "stepped clock not yellow on red: $(clock_sgr)"
  sleep 0.05
done
stamp=$(vk_cell $CLOCK 12 5)
vk_type ja1xyz
vk_key Enter
vk_wait_cell "$RX" 8 "599/"
vk_type 25
vk_key Enter
vk_wait_match "QSO: +5 "
vk_wait_match "$(log_line_re "$stamp" 80 JA1XYZ "599 005" "599 25" "3\\*")"
# Logging lets the clock run again.
end=$(vk_deadline)
until [[ "$(clock_sgr)" == *44m* ]]; do
  [ "$(vk_now)" -lt "$end" ] || vk_fail "clock still stopped after logging: $(clock_sgr)"
  sleep 0.05
done

# The log window: five lines in the log's line format, in order.
lines=$(vk_screen | grep -E "^│  [0-9]{2}/[0-9]{2} ")
[ "$(grep -c . <<<"$lines")" = 5 ] || vk_fail "log lines: $lines"
n=0
for want in "160 DL2AAA 001 14 1\\*" "160 OK1ABC 002 15 2\\*" "160 W1AW 003 5 3\\*" \
  "80 DL2AAA 004 16 1\\*" "80 JA1XYZ 005 25 3\\*"; do
  n=$((n + 1))
  read -r band call tx rx pts <<<"$want"
  sed -n "${n}p" <<<"$lines" | grep -qE "$(log_line_re '[0-9]{2}:[0-9]{2}' "$band" "$call" "599 $tx" "599 $rx" "$pts")" ||
    vk_fail "log line $n: $(sed -n "${n}p" <<<"$lines")"
done

# Score window: 160 m three QSOs, 6 points, 3 countries; 80 m two QSOs, 4 points, 2 countries.
score_rows() { for r in 6 7 8 11; do vk_cell "$r" 60 44; done; }
vk_wait_cell 6 60 "QSO:     3│    2│    0│"
vk_wait_cell 7 60 "SRC:     6│    4│    0│"
vk_wait_cell 8 60 "MLT:     3│    2│    0│"
vk_wait_cell 11 60 "Total:  10 * 5 = 50 "
# The country window, under the score and Check windows, shows the keys of the current band, 80 m.
vk_wait_cell 22 59 "DL JA "
score=$(score_rows)
log_shown=$(vk_screen | grep -E "^│  [0-9]{2}/[0-9]{2} ")
vk_quit

# The log file: five records with the calls, exchanges, points and multipliers as logged.
adi="$VK_DIR/vorkan.adi"
[ "$(grep -o '<EOR>' "$adi" | wc -l)" = 5 ] || vk_fail "vorkan.adi records: $(cat "$adi")"
for rec in "<BAND:4>160M.*<CALL:6>DL2AAA<RST_SENT:7>599 001<RST_RCVD:6>599 14<QSCORE:1>1<QMULTI:1>1" \
  "<CALL:6>OK1ABC<RST_SENT:7>599 002<RST_RCVD:6>599 15<QSCORE:1>2<QMULTI:1>1" \
  "<CALL:4>W1AW<RST_SENT:7>599 003<RST_RCVD:5>599 5<QSCORE:1>3<QMULTI:1>1" \
  "<BAND:3>80M<FREQ:4>3.51<MODE:2>CW<CALL:6>DL2AAA<RST_SENT:7>599 004" \
  "<TIME_ON:4>${stamp/:/}<BAND:3>80M.*<CALL:6>JA1XYZ<RST_SENT:7>599 005<RST_RCVD:6>599 25"; do
  grep -qE "$rec" "$adi" || vk_fail "vorkan.adi lacks $rec"
done

# A restart shows the same log, score and multipliers, and goes on at 80 m with QSO 6.
vk_start_operating
vk_wait_match "QSO: +5 "
vk_wait_cell "$CLOCK" 21 '    3510.0  CW '
vk_wait_cell "$CALL" 30 "599 006"
vk_wait_cell 22 59 "DL JA "
[ "$(score_rows)" = "$score" ] || vk_fail "score after restart: $(score_rows)"
[ "$(vk_screen | grep -E "^│  [0-9]{2}/[0-9]{2} ")" = "$log_shown" ] || vk_fail "log after restart"

# Tab from Call goes straight to RxNr, past the repeat check: the repeat is logged all the
# same, as a dupe at no score, and the claimed score stays.  The log is kept in time order and
# QSO 5 was stamped a minute ahead: this one is stamped two minutes on, so it comes after it.
vk_key C-PPage
vk_wait_for " SET "
vk_key C-PPage
vk_type ja1xyz
vk_key Tab
vk_type 599/25
vk_key Enter
vk_wait_match "QSO: +6 "
vk_wait_match "$(log_line_re '[0-9]{2}:[0-9]{2}' 80 JA1XYZ "599 006" "599 25" "DUP")"
vk_wait_for "Dupe logged: 0 points"
vk_wait_cell 11 60 "Total:  10 * 5 = 50 "
vk_quit
grep -qE "<CALL:6>JA1XYZ<RST_SENT:7>599 006<RST_RCVD:6>599 25<QGUID" "$adi" ||
  vk_fail "the dupe is not in vorkan.adi at zero"
