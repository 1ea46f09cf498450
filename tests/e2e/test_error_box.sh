# The error box: opened by an error broadcast, shows its Russian text, closes with Enter or
# Esc, and the program goes on.
source "$(dirname "$0")/lib.sh"
vk_setup "$1" "$2"
vk_station

vk_start VORKAN_DEBUG_BROADCAST=4200
vk_wait_for "Неверное имя COM порта"
vk_wait_for "Error"
vk_key_sync Enter 1C0D
vk_wait_gone "Неверное имя COM порта"
vk_key_sync F2 3C00
vk_quit

# The longest text fits on its line.
vk_start VORKAN_DEBUG_BROADCAST=4220
vk_wait_for "Неверный параметр XML <repqso>"
vk_key_sync Escape 011B
vk_wait_gone "Неверный параметр XML"
vk_quit

vk_start VORKAN_DEBUG_BROADCAST=4210
vk_wait_for "Не могу создать каталог"
vk_key_sync Enter 1C0D
vk_wait_gone "Не могу создать каталог"
vk_quit

# Started under a locale that is not UTF-8, the program switches to one: the Russian text
# still shows.
vk_start VORKAN_DEBUG_BROADCAST=4201 LANG=C LC_ALL=C
vk_wait_for "Инициализация COM порта"
vk_key_sync Enter 1C0D
vk_wait_gone "Инициализация COM порта"
vk_quit
