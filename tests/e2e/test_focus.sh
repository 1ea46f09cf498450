# The operator is never locked out of the entry window: after a modal dialog closes, the keys go
# back to the window that had them.  About opened twice from the menu (by keys and by mouse),
# the error box of a keying port that does not exist, and a cancelled QSO dialog of the log
# window; after each, a QSO typed at the keyboard reaches the log.
source "$(dirname "$0")/lib.sh"
vk_setup "$1" "$2"
VK_HEIGHT=50
vk_station_config WORLD DL1ABC

# Entry window rows (1-based screen lines) on a 50-line terminal.
CALL=44
RX=46

# A QSO typed at the keyboard; the log window's count and line show it.
work() {
  local count=$1 call=$2 rx=$3
  vk_type "$call"
  vk_wait_cell "$CALL" 8 "$call"
  vk_key Enter
  vk_wait_cell "$RX" 8 "599/"
  vk_type "$rx"
  vk_key Enter
  vk_wait_match "QSO: +$count "
  vk_wait_match "│ ?[0-9]+│CW│$call *│[0-9 ]+│599 $rx "
  vk_wait_cell "$CALL" 8 "            "
}

# Help > About by the keyboard: Alt+F10 selects File, Right steps to Help, Down opens it, Up
# wraps round to About.
about_by_keys() {
  vk_key_sync M-F10 7100
  vk_key_sync Right 4D00
  vk_key_sync Right 4D00
  vk_key_sync Right 4D00
  vk_key_sync Down 5000
  vk_wait_for "About..."
  vk_key_sync Up 4800
  vk_key_sync Enter 1C0D
  vk_wait_for "A contest logger for radio amateurs"
}

# The same with the mouse: a click on "Help" in the menu bar, then on its "About..." line.
about_by_mouse() {
  local line col row
  line=$(vk_line 1)
  col=${line%%Help*}
  vk_click 0 $((${#col} + 1)) 0
  vk_wait_for "About..."
  row=$(vk_row_of "About...")
  line=$(vk_line "$row")
  col=${line%%About...*}
  vk_click 0 $((${#col} + 1)) $((row - 1))
  vk_wait_for "A contest logger for radio amateurs"
}

close_about() {
  vk_key_sync "$1" "$2"
  vk_wait_gone "A contest logger for radio amateurs"
}

# --- About, twice in a row, by keys and by mouse --------------------------------------------
vk_start_operating
vk_type d
vk_wait_gone "Good luck in the contest"
vk_key BSpace
vk_wait_cell "$CALL" 8 "  "
about_by_keys
close_about Enter 1C0D
about_by_keys
close_about Escape 011B
work 1 DL2AAA 14
about_by_mouse
close_about Enter 1C0D
about_by_mouse
close_about Enter 1C0D
about_by_keys
close_about Escape 011B
work 2 OK1ABC 15
vk_quit

# --- The error box of a keying port that does not exist, which opens with the windows -------
rm -f "$VK_DIR/vorkan.adi"
printf '[Main]\r\nContest=WORLD\r\nCall=DL1ABC\r\nWork=0\r\nMode=0\r\n\r\n[Morze]\r\nPort=%s\r\n' \
  /dev/vorkan-no-such-port >"$VK_DIR/vorkan.cfg"
vk_start_desktop
vk_wait_for "Bad COM port name"
vk_key_sync Enter 1C0D
vk_wait_gone "Bad COM port name"
vk_wait_for "[ CW ]"
work 1 W1AW 5
about_by_keys
close_about Escape 011B
work 2 JA1XYZ 25
vk_quit

# --- A QSO dialog of the log window, cancelled ----------------------------------------------
rm -f "$VK_DIR/vorkan.adi"
vk_station_config WORLD DL1ABC
vk_start_operating
work 1 DL2AAA 14
# Up from the entry window selects the log window, on its last line.
vk_key_sync Up 4800
vk_key_sync M-i 1700
vk_wait_for "Add QSO"
vk_key_sync M-c 2E00
vk_wait_gone "Add QSO"
vk_key_sync M-e 1200
vk_wait_for "Edit QSO"
vk_key_sync Escape 011B
vk_wait_gone "Edit QSO"
# The log window kept the keys: Down past its last line goes back to the entry window.
vk_key_sync Down 5000
work 2 OK1ABC 15
# A dialog after which the entry window is active again.
about_by_keys
close_about Enter 1C0D
work 3 W1AW 5
vk_quit
