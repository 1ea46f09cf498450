# Window places through terminal resizes: the entry window keeps the bottom ten rows, a score
# window the operator moved stays where it was put, and the log window, moved too, goes back
# above the entry window.
source "$(dirname "$0")/lib.sh"
vk_setup "$1" "$2"
vk_station
vk_start_operating

ENTRY="[New QSO]"
LOG="[Log]"
SCORE="[Point]"
# Waits until the text stands on screen line `row` (1-based).
wait_row() {
  local end
  end=$(vk_deadline)
  until [ "$(vk_row_of "$1")" = "$2" ]; do
    [ "$(vk_now)" -lt "$end" ] || vk_fail "$1 on line $(vk_row_of "$1"), not $2"
    sleep 0.05
  done
}
# A click on the title of the window titled $1 (a regular expression) at 0-based column $2
# selects it: its title bar is then drawn bright white on blue.
select_window() {
  local end
  vk_click 0 "$2" 1
  end=$(vk_deadline)
  until vk_tmux capture-pane -e -p -t vk | grep -qE $'\e\\[97m(\e\\[44m)? +'"$1"; do
    [ "$(vk_now)" -lt "$end" ] || vk_fail "window $1 not selected"
    sleep 0.05
  done
}
# Ctrl+F5 and Down moves the active window one row down; Enter ends the move.
move_down() {
  vk_key_sync C-F5 6200
  vk_key Down
  wait_row "$1" "$2"
  vk_key_sync Enter 1C0D
}

wait_row "$ENTRY" 20
wait_row "$SCORE" 2
select_window '\[Point\]' 80
move_down "$SCORE" 3
select_window '\[Log\]' 30
move_down "$LOG" 3

vk_tmux resize-window -t vk -x 132 -y 43
wait_row "$ENTRY" 33
wait_row "$LOG" 2
wait_row "$SCORE" 3
vk_tmux resize-window -t vk -x 80 -y 25
wait_row "$ENTRY" 15
wait_row "$SCORE" 3
vk_quit
