# The operating screen under the terminals operators use (the Linux console, xterm, screen,
# tmux, rxvt-unicode): each draws the frame, takes a QSO typed and logged, and opens a menu.
# Then the locale's codeset: a KOI8-R Russian terminal gets the Russian texts in KOI8-R bytes,
# a Latin-1 terminal no UTF-8 at all, and in neither do the frames go out as UTF-8.
source "$(dirname "$0")/lib.sh"
vk_setup "$1" "$2"

for term in linux xterm screen-256color tmux-256color rxvt-unicode; do
  vk_station_config WORLD DL1ABC
  vk_start_operating TERM=$term
  vk_wait_for "┌" || vk_fail "$term: no frame"
  vk_type DL1ABC
  vk_key_sync Enter 1C0D
  vk_key Space
  vk_type 599/14
  vk_key_sync Enter 1C0D
  vk_wait_match "QSO: +1 " || vk_fail "$term: QSO not logged"
  vk_key_sync M-F10 7100
  vk_key_sync Down 5000
  vk_wait_for "Cabrillo report   Alt+O"
  vk_key_sync Escape 011B
  vk_wait_gone "Cabrillo report"
  vk_quit
  vk_tmux kill-server 2>/dev/null
  rm -f "$VK_DIR/vorkan.adi"
done

# The locales are made for this test only (LOCPATH), from the system's locale sources.
LOCALES="$VK_DIR/locales"
mkdir -p "$LOCALES"
localedef -i ru_RU -f KOI8-R "$LOCALES/ru_RU.KOI8-R" 2>/dev/null
localedef -i en_US -f ISO-8859-1 "$LOCALES/en_US.ISO-8859-1" 2>/dev/null
[ -d "$LOCALES/ru_RU.KOI8-R" ] && [ -d "$LOCALES/en_US.ISO-8859-1" ] ||
  vk_fail "localedef could not make the test locales"

# What the program writes, byte for byte, while it runs in the pane.
raw_start() {
  RAW="$VK_DIR/raw-$1.bin"
  vk_start "LOCPATH=$LOCALES" "LANG=$1" "LC_ALL=$1" "LANGUAGE=" "TERM=xterm-256color"
  vk_tmux pipe-pane -o -t vk "cat >> '$RAW'"
}
raw_wait() {
  local end
  end=$(vk_deadline)
  until iconv -f "$2" -t UTF-8 "$RAW" 2>/dev/null | grep -qF -- "$1"; do
    [ "$(vk_now)" -lt "$end" ] || vk_fail "not in the $2 output: $1"
    sleep 0.1
  done
}
# No UTF-8 sequence of the frame characters (U+2500..U+257F: E2 94/95 xx) in the output.
no_utf8_frames() {
  ! LC_ALL=C grep -qaP '\xE2[\x94\x95]' "$RAW" || vk_fail "$1: UTF-8 frame bytes"
}

vk_station_config WORLD DL1ABC
raw_start ru_RU.KOI8-R
raw_wait "Удачи в соревновании!" KOI8-R
raw_wait "Журнал" KOI8-R
no_utf8_frames KOI8-R
vk_key M-x
vk_wait_exit >/dev/null
vk_tmux kill-server 2>/dev/null
grep -q "Terminal: KOI8-R" "$VK_DIR/debug.txt" || vk_fail "the journal does not name KOI8-R"

vk_station_config WORLD DL1ABC
raw_start en_US.ISO-8859-1
raw_wait "Good luck in the contest!" ISO-8859-1
no_utf8_frames Latin-1
LC_ALL=C grep -qaP '[\x80-\xFF]' "$RAW" && vk_fail "Latin-1: bytes above 127 for an English screen"
vk_key M-x
vk_wait_exit >/dev/null
echo "terminals: ok"
