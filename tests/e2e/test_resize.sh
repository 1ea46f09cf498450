# Any size from 80 x 25 up: after a resize the status texts and the clock move to their
# columns counted from the new right edge, and an open dialog stays usable.
source "$(dirname "$0")/lib.sh"
vk_setup "$1" "$2"
vk_station
vk_start_desktop
vk_wait_for "[New QSO]"

check_layout() {
  local w=$1 h=$2
  vk_wait_match "^ Alt-X Exit .{$((w - 46))}  CW  Log: saved  0000:0000  \\\$[0-9A-F]{4}\$"
  [ "$(vk_cell "$h" $((w - 16)) 9)" = "0000:0000" ] || vk_fail "checksums at $w x $h"
  # The banner, shortened where the row is narrow, ends just before the clock.
  vk_wait_cell 1 $((w - 14)) "] "
  [[ "$(vk_cell 1 $((w - 12)) 12)" =~ ^[0-2][0-9]:[0-5][0-9]:[0-5][0-9]\ UTC$ ]] ||
    vk_fail "clock at $w x $h"
}

vk_tmux resize-window -t vk -x 80 -y 25
check_layout 80 25
vk_tmux resize-window -t vk -x 132 -y 43
check_layout 132 43
# Too small: the status line says so; back at 80x25 all is as before.
vk_tmux resize-window -t vk -x 70 -y 22
vk_wait_for "Terminal 70x22: 80x25 needed"
vk_tmux resize-window -t vk -x 80 -y 25
check_layout 80 25
vk_tmux resize-window -t vk -x 132 -y 43

# With the About box open.
vk_key_sync M-F10 7100
vk_key_sync Left 4B00
vk_key_sync Down 5000
vk_key_sync Down 5000
vk_key_sync Enter 1C0D
vk_wait_for "Licence: GPL-3.0-or-later"
vk_tmux resize-window -t vk -x 90 -y 30
check_layout 90 30
vk_wait_for "Licence: GPL-3.0-or-later"
vk_key_sync Enter 1C0D
vk_wait_gone "Licence: GPL-3.0-or-later"
vk_quit
