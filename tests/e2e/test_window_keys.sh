# Keys and windows, on two plain test windows with an input line each: message keys never
# reach a window's field, F5 does not zoom, F6 does not switch, and the window keys act:
# Shift+F6 selects the previous window, Ctrl+F5 moves it with the arrows, Alt+F3 closes it.
source "$(dirname "$0")/lib.sh"
vk_setup "$1" "$2"
vk_station
sed -i "s/^Contest=WORLD/Contest=/" "$VK_DIR/vorkan.cfg"
vk_start_desktop VORKAN_KEY_TEST_WINDOWS=1
vk_wait_for "Key test B"

# Column of the input line of window A and B on screen row 5.
field() { vk_cell 5 "$1" 10 | sed 's/ *$//'; }
A=4
B=36

vk_type a
vk_key_sync F3 3D00
vk_type -
vk_key_sync F5 3F00
vk_type '['
vk_key_sync F6 4000
vk_type ','
vk_key_sync F10 4400
vk_type b
vk_key_sync IC 5200
vk_type '\'
vk_key_sync F12 8600
[ "$(field $B)" = "ab" ] || vk_fail "B's field holds '$(field $B)'"
[ "$(field $A)" = "" ] || vk_fail "A's field holds '$(field $A)'"
if vk_screen | grep -qF "New contest"; then vk_fail "F10 opened the menu"; fi
title_row_a=$(vk_screen | grep -n "Key test A" | cut -d: -f1)
[ "$title_row_a" = 3 ] || vk_fail "window A moved or zoomed"

# Shift+F6 selects A; its field then gets the keys.
vk_key_sync S-F6 5900
vk_type x
vk_key_sync F2 3C00
[ "$(field $A)" = "x" ] || vk_fail "A's field holds '$(field $A)' after Shift+F6"

# Ctrl+F5 and Down twice move A two rows down; Enter ends the move.
vk_key_sync C-F5 6200
vk_key_sync Down 5000
vk_key Down
vk_key_sync Enter 1C0D
vk_wait_match "^ +- +Key test A"
[ "$(vk_screen | grep -n "Key test A" | cut -d: -f1)" = 5 ] || vk_fail "Ctrl+F5 did not move A"

# Alt+F3 closes the active window.
vk_key_sync M-F3 6A00
vk_wait_gone "Key test A"
vk_wait_for "Key test B"
vk_quit
