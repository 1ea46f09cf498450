# The error box: opened by an error broadcast, shows its Russian text, closes with Enter or
# Esc, and the program goes on.
source "$(dirname "$0")/lib.sh"
vk_setup "$1" "$2"
vk_station

vk_start VORKAN_DEBUG_BROADCAST=4200
vk_wait_for "Bad COM port name"
vk_wait_for "Error"
vk_key_sync Enter 1C0D
vk_wait_gone "Bad COM port name"
vk_key_sync F2 3C00
vk_quit

# The longest text fits on its line.
vk_start VORKAN_DEBUG_BROADCAST=4220
vk_wait_for "Bad XML parameter <repqso>"
vk_key_sync Escape 011B
vk_wait_gone "Bad XML parameter"
vk_quit

vk_start VORKAN_DEBUG_BROADCAST=4210
vk_wait_for "Cannot create the folder"
vk_key_sync Enter 1C0D
vk_wait_gone "Cannot create the folder"
vk_quit

# Started under a locale that is not UTF-8, the program switches to one: the Russian text
# still shows.
vk_start VORKAN_DEBUG_BROADCAST=4201 LANG=C LC_ALL=C
vk_wait_for "COM port cannot be opened"
vk_key_sync Enter 1C0D
vk_wait_gone "COM port cannot be opened"
vk_quit
