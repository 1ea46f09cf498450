# The entry and log windows' own keys and mouse clicks: upper case, Space clearing a line,
# Tab skipping TxNr, Enter in TxNr logging, message keys kept from the lines, band, mode and
# clock by key and by mouse, the log window's buttons harmless on an empty log, Down on its
# last line back to the entry window, a picture mask on RxNr, a mode the configuration fixes,
# and both windows kept at the bottom of the desktop from 80 x 25 up.
source "$(dirname "$0")/lib.sh"
vk_setup "$1" "$2"
vk_station_config WORLD DL1ABC

# Entry window on a 100 x 30 terminal (1-based lines; the toolkit counts the cursor from 0).
TITLE=20
VIEWS=22
CALL=24
RX=26
MSG1=28
clock_sgr() {
  vk_tmux capture-pane -e -p -t vk | sed -n "${VIEWS}p" |
    grep -oE $'(\e\\[[0-9;]*m)+[0-9]{2}-[0-9]{2}-[0-9]{4}' | head -1 | tr -d '\e'
}
wait_clock() {
  local end
  end=$(vk_deadline)
  until [[ "$(clock_sgr)" == *"$1"* ]]; do
    [ "$(vk_now)" -lt "$end" ] || vk_fail "clock colours $(clock_sgr), not $1"
    sleep 0.05
  done
}
# The call on the log window's focused line (bright white on blue while the list has the focus).
focused_call() {
  vk_tmux capture-pane -e -p -t vk | grep -E $'\e\\[97m\e\\[44m [0-9]{2}/[0-9]{2}' |
    sed -E $'s/\e\\[[0-9;]*m//g' | awk -F'│' '{ gsub(/ /, "", $5); print $5; exit }'
}
wait_focused() {
  local end
  end=$(vk_deadline)
  until [ "$(focused_call)" = "$1" ]; do
    [ "$(vk_now)" -lt "$end" ] || vk_fail "focused log line '$(focused_call)', not '$1'"
    sleep 0.05
  done
}
no_dialog() {
  if vk_screen | grep -qE "Edit QSO|Delete QSO|Add QSO"; then vk_fail "a QSO dialog opened"; fi
}

vk_start_operating
[ "$(vk_row_of "[New QSO]")" = $TITLE ] || vk_fail "entry window title not on line $TITLE"
vk_wait_cursor 8 $((CALL - 1))

# --- the log window on an empty log -----------------------------------------------------------
vk_key_sync Up 4800
vk_key_sync M-e 1200
vk_key_sync M-d 2000
vk_key_sync M-i 1700
vk_key_sync Enter 1C0D
no_dialog
# Down in an empty list goes back to the entry window.
vk_key_sync Down 5000
vk_wait_cursor 8 $((CALL - 1))
no_dialog

# --- typing -------------------------------------------------------------------------------
vk_type aa1
vk_wait_cell $CALL 8 "AA1 "
vk_key Space
vk_wait_cell $CALL 8 "    "
vk_wait_cursor 8 $((CALL - 1))
# Message keys go to the keyer, never into a line.
vk_type u
vk_key_sync F3 3D00
vk_type '-'
vk_key_sync F10 4400
vk_type a3
vk_wait_cell $CALL 8 "UA3 "
# Tab from Call skips TxNr; Tab from RxNr comes back to Call.
vk_key Tab
vk_wait_cursor 8 $((RX - 1))
vk_key Tab
vk_wait_cursor 11 $((CALL - 1))
# A click in a line puts the focus there, at the end of its text or where the click was.
vk_click 0 20 $((RX - 1))
vk_wait_cursor 8 $((RX - 1))
vk_click 0 9 $((CALL - 1))
vk_wait_cursor 9 $((CALL - 1))
vk_key End
vk_wait_cursor 11 $((CALL - 1))
# Enter proposes the exchange; Space clears it; Enter in TxNr logs the QSO.
vk_key Enter
vk_wait_cell $RX 8 "599/"
vk_key Space
vk_wait_cell $RX 8 "    "
vk_type 599/07
vk_key BTab
vk_wait_cursor 11 $((CALL - 1))   # Shift+Tab: back to Call, never into TxNr
vk_key M-n
vk_wait_cursor 37 $((CALL - 1))
vk_key Enter
vk_wait_match "QSO: +1 "
vk_wait_match "│UA3 +│599 001 │599 07 │"
vk_wait_cursor 8 $((CALL - 1))

# --- band, mode and clock -----------------------------------------------------------------
# Mouse in the frequency view: left steps the band down (160 m wraps to 23 cm), right up.
vk_click 0 25 $((VIEWS - 1))
vk_wait_cell $VIEWS 21 ' 1296000.0'
vk_click 2 25 $((VIEWS - 1))
vk_wait_cell $VIEWS 21 '    1840.0'
vk_key M-F1
vk_wait_cell $VIEWS 21 ' 1296000.0'
vk_key M-F2
vk_wait_cell $VIEWS 21 '    1840.0'
# Mode: Alt+F3 and a click in the mode view step CW, PH, FM.
vk_key_sync M-F3 6A00
vk_wait_cell $VIEWS 32 " PH "
vk_click 0 33 $((VIEWS - 1))
vk_wait_cell $VIEWS 32 " FM "
vk_key M-F3
vk_wait_cell $VIEWS 32 " CW "
# A click in the time view steps the clock like PgUp; Alt+A lets it run again.
wait_clock 44m
vk_click 0 14 $((VIEWS - 1))
wait_clock 41m
vk_key PgDn
vk_key M-a
wait_clock 44m

# --- the log window -----------------------------------------------------------------------
vk_type ok1abc
vk_key Enter
vk_wait_cell $RX 8 "599/"
vk_type 15
vk_key Enter
vk_wait_match "QSO: +2 "
# Up selects the log window on its last line; Up moves up, Down down, Down on the last line
# goes back to the entry window.
[ -z "$(focused_call)" ] || vk_fail "the log list has the focus"
vk_key_sync Up 4800
wait_focused OK1ABC
vk_key_sync Up 4800
wait_focused UA3
vk_key_sync Up 4800
wait_focused UA3
vk_key_sync Down 5000
wait_focused OK1ABC
vk_key_sync F5 3F00
[ "$(vk_row_of "[Log]")" = 2 ] || vk_fail "the log window moved or zoomed"
vk_key_sync Down 5000
vk_wait_cursor 8 $((CALL - 1))

# --- any desktop from 80 x 25 up ----------------------------------------------------------
vk_tmux resize-window -t vk -x 80 -y 25
vk_wait_match "Alt-X Exit.*\\\$[0-9A-F]{4}$"
vk_wait_for "[New QSO]"
end=$(vk_deadline)
until [ "$(vk_row_of "[New QSO]")" = 15 ]; do
  [ "$(vk_now)" -lt "$end" ] || vk_fail "entry window not at the bottom of 80 x 25"
  sleep 0.05
done
vk_wait_for "Edit ▄"
vk_wait_match "│OK1ABC +│599 002 │599 15 │"
[ "$(vk_cell 19 1 5)" = "Call:" ] || vk_fail "Call line at 80 x 25"
vk_type r
vk_wait_cell 19 8 "R "
vk_tmux resize-window -t vk -x 100 -y 30
end=$(vk_deadline)
until [ "$(vk_row_of "[New QSO]")" = $TITLE ]; do
  [ "$(vk_now)" -lt "$end" ] || vk_fail "entry window not back at line $TITLE"
  sleep 0.05
done
vk_wait_cell $CALL 8 "R "
vk_quit

# --- a picture mask on RxNr and a mode the configuration fixes -------------------------------
sed -e 's/name="WORLD"/name="MASK"/' -e 's/display="The World Contest"/display="Mask test"/' \
  -e 's|<rxmask>\*!</rxmask>|<rxmask>##-##</rxmask>|' "$VK_SRC/data/contest.xml" \
  >"$VK_DIR/data/mask.xml"
rm -f "$VK_DIR/vorkan.adi"
printf '[Main]\r\nContest=MASK\r\nCall=DL1ABC\r\nWork=0\r\nMode=1\r\n\r\n[Morze]\r\nPort=Null\r\n' \
  >"$VK_DIR/vorkan.cfg"
vk_start_operating
vk_wait_for "[Mask test]"
vk_type ok1abc
vk_key Enter
vk_wait_cell $RX 8 "599/"
vk_key Space
# Letters are refused, the dash is filled in.
vk_type 12x34
vk_wait_cell $RX 8 "12-34"
vk_key BSpace
vk_key BSpace
vk_key BSpace
vk_wait_cell $RX 8 "12   "
vk_type 3
vk_wait_cell $RX 8 "12-3 "
vk_key_sync M-F3 6A00
vk_click 0 33 $((VIEWS - 1))
vk_key_sync F2 3C00
[ "$(vk_cell $VIEWS 32 4)" = " CW " ] || vk_fail "a fixed mode changed"
vk_quit
