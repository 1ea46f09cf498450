# Language=en: a whole session with no Cyrillic on the screen (windows, messages, menus, the
# New contest submenu, a dialog, an error box); without the key a Russian locale gives the
# Russian screen.
source "$(dirname "$0")/lib.sh"
vk_setup "$1" "$2"
vk_station_config WORLD DL1ABC 'Language=en'

screens="$VK_DIR/screens.txt"
keep() { vk_screen >>"$screens"; }

vk_start VORKAN_DEBUG_BROADCAST=4200
vk_wait_for "Bad COM port name"
keep
vk_key_sync Enter 1C0D
vk_wait_for "[New QSO]"
vk_wait_for "[Log]"
vk_type DL1ABC
vk_key_sync Enter 1C0D
vk_wait_for "New multiplier: DL"
keep
vk_key Space
vk_type 599/14
vk_key Enter
vk_wait_match "QSO: +1 "
vk_type DL1ABC
vk_key_sync Enter 1C0D
vk_wait_for "WORKED BEFORE !!!"
keep
# The English message is longer than the Russian one; it is fitted to its line after the
# translation, so the entry window's frame below it stays whole.
row=$(vk_screen | grep -nF "WORKED BEFORE !!!" | cut -d: -f1)
left=$(vk_line "$row")
left=${left%%│*}
below=$(vk_line $((row + 1)))
[ "${below:${#left}:1}" = "└" ] || vk_fail "the message ran over the entry window's frame"
vk_key_sync M-a 1E00
# File > New contest: the titles of the shipped rules files.
vk_key_sync M-F10 7100
vk_key_sync Down 5000
vk_key_sync Right 4D00
vk_wait_for "Russian Championship"
keep
vk_key Escape
vk_wait_gone "Russian Championship"
vk_key Escape
vk_wait_gone "Cabrillo report"
vk_quit

if grep -qP '[\x{0400}-\x{04FF}]' "$screens"; then
  vk_fail "Cyrillic on an English screen: $(grep -P '[\x{0400}-\x{04FF}]' "$screens" | head -3)"
fi

# A Russian locale without the key: the Russian screen.
vk_station_config WORLD DL1ABC
vk_start LANGUAGE=ru_RU
vk_wait_for "Alt-X Выход"
vk_wait_for "[Новая связь]"
vk_wait_for "Удачи в соревновании!"
vk_quit
