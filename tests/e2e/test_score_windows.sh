# The score window, the multiplier windows and the Repeat window over a log loaded at start:
# the band cells and the formula line of the score window, the keys of the current band in
# each multiplier window, the keys of another band after Alt+F1, all of them after a QSO is
# logged, the windows after a resize to 80 x 25 and back, and the Repeat window of a contest
# with two time periods.
source "$(dirname "$0")/lib.sh"
vk_setup "$1" "$2"
# Wide enough for the score window's column per band beside the log window.
VK_WIDTH=132
VK_HEIGHT=50

cp "$VK_SRC"/data/*.xml "$VK_SRC"/data/cty_rus.dat "$VK_DIR/data/"
ln -sf /usr/share/hamradio-files/cty.dat "$VK_DIR/data/cty_wt.dat"

# The operator aids' window switched off: the side windows keep the whole right column.
config() { printf "[Main]\r\nContest=%s\r\nCall=%s\r\n$3\r\n[Morze]\r\nPort=Null\r\n[AIDS]\r\nScpWindow=0\r\nRateLine=0\r\n" "$1" "$2" >"$VK_DIR/vorkan.cfg"; }

# One ADIF record: date time band freq call sent rcvd points multipliers guid.
qso() {
  local f="<QSO_DATE:8>$1<TIME_ON:4>$2<BAND:${#3}>$3<FREQ:${#4}>$4<MODE:2>CW<CALL:${#5}>$5"
  f+="<RST_SENT:${#6}>$6<RST_RCVD:${#7}>$7<QSCORE:${#8}>$8<QMULTI:${#9}>$9<QGUID:${#10}>${10}<EOR>"
  printf '%s\r\n' "$f"
}
log() { { printf '<ADIF_VER:3>3.0\r\n<EOH>\r\n'; cat; } >"$VK_DIR/vorkan.adi"; }

# The screen line (1-based) that holds a text, or nothing.
line_of() { vk_screen | grep -nF -- "$1" | head -1 | cut -d: -f1; }
# Waits until a cell shows exactly the text.
wait_cell() {
  local row=$1 col=$2 text=$3 end
  end=$(vk_deadline)
  until [ "$(vk_cell "$row" "$col" ${#text})" = "$text" ]; do
    [ "$(vk_now)" -lt "$end" ] ||
      vk_fail "line $row column $col: '$(vk_cell "$row" "$col" ${#text})', not '$text'"
    sleep 0.05
  done
}

# --- CQ WW CW: four QSOs on 20 m and one on 40 m; the last QSO makes 20 m current. ---------
config CQ-WW-CW DL1ABC 'Work=0\r\nMode=0\r\n'
log <<QSOS
$(qso 20241123 0001 20M 14.025 W1AW '599 14' '599 05' 3 2 1)
$(qso 20241123 0002 20M 14.030 JA1XYZ '599 14' '599 25' 3 2 2)
$(qso 20241123 0003 40M 7.010 UA3AAA '599 14' '599 16' 1 2 3)
$(qso 20241123 0004 20M 14.035 K2ABC '599 14' '599 05' 3 0 4)
$(qso 20241123 0005 20M 14.040 F5ABC '599 14' '599 14' 1 2 5)
QSOS
vk_start_desktop
vk_wait_for "[Point]"

# The log window fills the left column; the score window heads the right one, from column 58,
# with a column per band where the terminal is wide enough.  Its top row is the title bar,
# then the frame; each view sits one row lower than on a classic frame.
[ "$(line_of "[Point]")" = 2 ] || vk_fail "score window title not on line 2"
wait_cell 5 65 " 160 │  80 │  40 │  20 │  15 │  10 │"
wait_cell 6 60 "QSO:     0│    0│    1│    4│    0│    0│"
wait_cell 7 60 "SRC:     0│    0│    1│   10│    0│    0│"
wait_cell 8 60 "MLT:     0│    0│    2│    6│    0│    0│"
wait_cell 9 60 "BNS:     0│    0│    0│    0│    0│    0│"
# Points times multipliers over all bands.
wait_cell 11 60 "Total:  11 * 8 = 88 "

# The multiplier windows stack in the rest of the right column (with the needed multipliers;
# the dupe sheet beside the entry window), keys of 20 m with the zones in numeric order.
[ "$(line_of "Zone CQ")" = 13 ] || vk_fail "zone window not under the score window"
wait_cell 15 59 "5 14 25  "
dxcc=$(line_of "DXCC")
[ "$dxcc" = 22 ] || vk_fail "country window title on line '$dxcc', not 22"
wait_cell 24 59 "F JA K  "

# Alt+F1 in the entry window: band down to 40 m, where only UA3AAA was worked.
vk_key_sync M-F1 6800
wait_cell 15 59 "16 "
wait_cell 24 59 "UA "
# Back up to 20 m.
vk_key_sync M-F2 6900
wait_cell 15 59 "5 14 25  "

# A QSO logged in the entry window (zone 15 proposed from the country file) reaches the score
# window and both key lists on the next tick.
vk_type OH2AAA
vk_key_sync Enter 1C0D
vk_wait_for "599/15"
vk_key Enter
wait_cell 6 60 "QSO:     0│    0│    1│    5│    0│    0│"
wait_cell 8 60 "MLT:     0│    0│    2│    8│    0│    0│"
wait_cell 11 60 "Total:  12 * 10 = 120 "
wait_cell 15 59 "5 14 15 25  "
wait_cell 24 59 "F JA K OH  "

# 80 x 25: the right column is too narrow for a column per band, so the score window lists
# the bands as rows; the side windows share the place beside the entry window, Alt+W brings
# the next; nothing overlaps.
vk_tmux resize-window -t vk -x 80 -y 25
vk_wait_match "Alt-X Exit.*\\\$[0-9A-F]{4}$"
wait_cell 4 59 "Band  QSO  Pts  Mlt"
wait_cell 8 59 "20      5   11    8"
wait_cell 11 59 "       12 * 10 = 120"
vk_wait_for "Zone CQ 1/4"
vk_key M-w
vk_wait_for "DXCC 2/4"
[ "$(line_of "DXCC 2/4")" = 15 ] || vk_fail "country window title at 80 x 25: $(line_of "DXCC")"
wait_cell 17 51 "F JA K OH  "
wait_cell 24 79 "┘"
# Back on a larger terminal the score window has its columns again.
vk_tmux resize-window -t vk -x 132 -y 43
vk_wait_match "Alt-X Exit.*\\\$[0-9A-F]{4}$"
wait_cell 11 60 "Total:  12 * 10 = 120 "
vk_quit

# --- Russian championship: two rounds, 17:00-20:59 and 05:00-08:59. -----------------------
# A fixed clock continues from the last QSO in time (18:10), which lies in the first round;
# the log is kept in time order, so the second round's QSOs come first in the file.
config RF-CHAMP-CW RA3ABC 'Work=1\r\nDate=23-11-2024\r\nTime=17:00\r\nMode=0\r\n'
log <<QSOS
$(qso 20241123 1730 40M 7.010 UA1AAA '3 001' '1 001' 12 1 1)
$(qso 20241123 1740 40M 7.012 RA9CCC '3 002' '4 002' 14 1 2)
$(qso 20241123 0530 40M 7.014 UA1AAA '3 003' '1 010' 12 0 3)
$(qso 20241123 0600 20M 14.010 RW6DDD '3 004' '2 011' 13 1 4)
$(qso 20241123 1810 40M 7.016 RZ3EEE '3 005' '3 012' 11 1 5)
QSOS
vk_start_desktop
vk_wait_for "Repeat"
# The multiplier window and then the Repeat window share the right column under the score.
[ "$(line_of "Repeat")" = 22 ] || vk_fail "Repeat window title not on line 22"
# Calls of 40 m in ascending order, one column per round.
wait_cell 24 59 "RA9CCC      X-"
wait_cell 25 59 "RZ3EEE      X-"
wait_cell 26 59 "UA1AAA      XX"
wait_cell 27 59 "              "
# The first round's column is drawn in another colour than its neighbours.
highlighted() { vk_tmux capture-pane -e -p -t vk | sed -n "${1}p" | grep -cE $'mX(\e\\[[0-9;]*m)+[-X]'; }
for row in 24 25 26; do
  [ "$(highlighted $row)" = 1 ] || vk_fail "first round not highlighted on line $row"
done
# Band up to 20 m: only RW6DDD, worked in the second round.
vk_key_sync M-F2 6900
wait_cell 24 59 "RW6DDD      -X"
wait_cell 25 59 "              "
vk_quit
