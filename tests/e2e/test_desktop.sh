# The empty desktop: menu bar, banner, status texts and clock in their columns, the menus'
# items in order.
source "$(dirname "$0")/lib.sh"
vk_setup "$1" "$2"
vk_station
# A station in Berlin: the clock must still show UTC.
vk_start_desktop TZ=Europe/Berlin
vk_wait_for "[New QSO]"

W=$VK_WIDTH
top=$(vk_line 1)
case "$top" in
  " File  Options  Tools  Help"*) ;;
  *) vk_fail "menu bar: $top" ;;
esac
# The banner ends one column before the clock.
[ "$(vk_cell 1 $((W - 55)) 43)" = "Vorkan 4.0.19-8 N0CALL [The World Contest] " ] ||
  vk_fail "banner column"
[ "$(vk_cell "$VK_HEIGHT" 1 10)" = "Alt-X Exit" ] || vk_fail "exit key"
# The mode and the log file's state, then the diagnostics the tests ask for, at the right edge.
vk_wait_match "  CW  Log: saved  0000:0000  \\\$[0-9A-F]{4}\$"
[ "$(vk_cell "$VK_HEIGHT" $((W - 16)) 9)" = "0000:0000" ] || vk_fail "checksums column"
[ "$(vk_cell "$VK_HEIGHT" $((W - 5)) 5)" = '$0000' ] || vk_fail "last key column"

# The clock shows UTC, whatever the computer's time zone, and moves.
clock=$(vk_cell 1 $((W - 12)) 8)
[ "$(vk_cell 1 $((W - 4)) 4)" = " UTC" ] || vk_fail "clock does not say UTC"
[[ "$clock" =~ ^[0-2][0-9]:[0-5][0-9]:[0-5][0-9]$ ]] || vk_fail "clock: '$clock'"
secs() { local h m s; IFS=: read -r h m s <<<"$1"; echo $((10#$h * 3600 + 10#$m * 60 + 10#$s)); }
diff=$(( ($(secs "$(date -u +%H:%M:%S)") - $(secs "$clock") + 86400) % 86400 ))
[ "$diff" -le 2 ] || vk_fail "clock $clock is $diff s off"
end=$(vk_deadline 3)
while [ "$(vk_cell 1 $((W - 12)) 8)" = "$clock" ]; do
  [ "$(vk_now)" -lt "$end" ] || vk_fail "clock stands still at $clock"
  sleep 0.1
done

# File menu and its New contest submenu.
vk_key_sync M-F10 7100
vk_key_sync Down 5000
vk_wait_for "Cabrillo report   Alt+O"
vk_wait_for "Exit              Alt+X"
vk_wait_for "New contest"
# The fixed first entry, then one per further rules file of data/, titled from the file.
vk_key_sync Enter 1C0D
vk_wait_for "│ The World Contest"
vk_wait_for "│ CQ World Wide DX"
vk_key_sync Escape 011B
vk_wait_gone "│ The World Contest"
vk_key Escape
vk_wait_gone "Cabrillo report"

# Options, Tools and Help, reached with Right from File.
vk_key_sync M-F10 7100
vk_key_sync Right 4D00
vk_key_sync Down 5000
for item in "Video mode" "CW setup" "CW Message        Alt+M" "Network setup" "Save..."; do
  vk_wait_for "$item"
done
vk_key Right
vk_wait_for "Change time"
vk_key Right
vk_wait_for "Help topic"
vk_wait_for "About..."
vk_key_sync Escape 011B
vk_wait_gone "About..."
vk_quit
