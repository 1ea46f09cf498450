# Global keys: message keys are taken before anything else, F10 does not open the menu but
# Alt+F10 does, and inside a modal dialog keys work as usual (Esc closes it).
source "$(dirname "$0")/lib.sh"
vk_setup "$1" "$2"
vk_station
vk_start_desktop
vk_wait_for "[New QSO]"

vk_key_sync F1 3B00
vk_key_sync F5 3F00
vk_key_sync F6 4000
vk_key_sync IC 5200
vk_key_sync M-F7 6E00
vk_key_sync F12 8600

# F10 is a message key: the menu stays closed, so Down opens nothing.
vk_key_sync F10 4400
vk_key_sync Down 5000
vk_key_sync Enter 1C0D
if vk_screen | grep -qF "New contest"; then vk_fail "F10 opened the menu"; fi

# Alt+F10 selects the first menu; Down opens it; Esc closes it.
vk_key_sync M-F10 7100
vk_key_sync Down 5000
vk_wait_for "New contest"
vk_key_sync Escape 011B
vk_wait_gone "New contest"

# Esc outside a dialog is the keyer's abort and changes nothing on the screen.
vk_key_sync F2 3C00
vk_key_sync Escape 011B
vk_wait_for "Alt-X Exit"
if vk_screen | grep -qF "New contest"; then vk_fail "Esc changed the screen"; fi

# The About box: F10 inside it neither opens the menu nor closes the box; Esc closes it.
vk_key_sync M-F10 7100
vk_key_sync Left 4B00
vk_key_sync Down 5000
vk_key_sync Down 5000
vk_key_sync Enter 1C0D
vk_wait_for "Licence: GPL-3.0-or-later"
vk_wait_for "A contest logger for radio amateurs"
vk_key_sync F10 4400
vk_key_sync Down 5000
if vk_screen | grep -qF "New contest"; then vk_fail "F10 opened the menu over a dialog"; fi
vk_wait_for "Licence: GPL-3.0-or-later"
vk_key_sync Escape 011B
vk_wait_gone "Licence: GPL-3.0-or-later"
vk_quit
