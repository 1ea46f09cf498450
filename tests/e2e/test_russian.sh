# Language=ru: every menu and the dialogs behind them are Russian.  The screens of a session
# that opens each menu and dialog are scanned for English words; what may stay is listed below
# (names of formats and programs, the contest's own names from its rules file, calls).
source "$(dirname "$0")/lib.sh"
vk_setup "$1" "$2"
vk_station_config CQ-WW-CW DL1ABC 'Language=ru'

screens="$VK_DIR/screens.txt"
keep() { vk_screen >>"$screens"; }

vk_start
vk_wait_for "Alt-X Выход"
vk_wait_for "Удачи в соревновании!"
vk_wait_for "[Журнал]"
keep
vk_type DL1ABC
vk_key_sync Enter 1C0D
vk_wait_for "Новый множитель"
keep
vk_key_sync M-a 1E00

# A dialog from the menu: the menu's title (Left/Right steps from File), the item's place, and
# a text the dialog shows.
dialog() {
  local steps=$1 downs=$2 shows=$3 i
  vk_key_sync M-F10 7100
  for ((i = 0; i < steps; i++)); do vk_key_sync Right 4D00; done
  vk_key_sync Down 5000
  for ((i = 0; i < downs; i++)); do vk_key_sync Down 5000; done
  vk_key_sync Enter 1C0D
  vk_wait_for "$shows"
  keep
  vk_key_sync Escape 011B
  vk_wait_gone "$shows"
}
dialog 1 1 "Настройка CW"
dialog 1 3 "Настройка сети"
dialog 1 5 "Срок спота"
dialog 1 6 "Локатор"
dialog 1 10 "Модель"
dialog 2 1 "Статистика"
dialog 3 1 "Лицензия"
vk_key_sync M-o 1800
vk_wait_for "Отчёт Cabrillo"
keep
vk_key_sync Escape 011B
vk_wait_gone "Категория"
# Each menu in turn, File's New contest list included.
vk_key_sync M-F10 7100
vk_key_sync Down 5000
vk_wait_for "Новое соревнование"
keep
vk_key_sync Enter 1C0D
vk_wait_for "Всемирное соревнование"   # the other titles are the rules files' own
vk_key_sync Escape 011B
vk_wait_gone "Всемирное соревнование"
vk_key_sync M-F10 7100            # the list closed the menu: File again, then Right
vk_key_sync Down 5000
vk_wait_for "Новое соревнование"
for title in "Видеорежим" "Смена времени" "О программе"; do
  vk_key_sync Right 4D00
  vk_wait_for "$title"
  keep
done
vk_key_sync Escape 011B
vk_wait_gone "О программе..."

vk_quit

# What stays: data (the radio models Hamlib lists with their numbers, the country line of the
# country file, serial devices and the keyer's Null port), program and format names, the
# rules file's window and contest names.
allowed='^(Alt|Enter|Esc|Vorkan|Cabrillo|ADIF|Hamlib|cwdaemon|Null|World|Wide|Contest|Zone|DXCC)$'
english=$(sed 's/GPL-3.0-or-later//' "$screens" | grep -vE '\([0-9]+\)|^.* : [A-Z]{2}\b|/dev/' |
  grep -oP '\b[A-Za-z][a-z]{2,}\b' | sort -u | grep -vE "$allowed")
[ -z "$english" ] || vk_fail "English on the Russian screen: $(echo $english)"
