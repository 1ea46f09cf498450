# The faults that would cost a contest station QSOs, on the classic 80 x 25 screen of a
# station in Berlin: Down then a call then Enter logs nothing; QSOs are stamped in UTC; the
# windows sit side by side with a portable call whole in the log window; Help topic, Change
# time and Save... leave the program running.
source "$(dirname "$0")/lib.sh"
vk_setup "$1" "$2"
VK_WIDTH=80
VK_HEIGHT=25
vk_station_config WORLD DL1ABC
vk_start_operating TZ=Europe/Berlin
adi="$VK_DIR/vorkan.adi"

# Every window's title on screen at once: none covers another.
for title in "[Log]" "[Point]" "[New QSO]" "DXCC"; do
  vk_wait_for "$title"
done

# Down, then a call, then Enter: nothing logged, the file untouched, the reason shown.
vk_key_sync Down 5000
vk_type 14K8RFT
vk_key_sync Enter 1C0D
vk_wait_for "No call: QSO not logged"
[ ! -e "$adi" ] || vk_fail "a QSO without a call was written: $(cat "$adi")"
vk_key_sync M-a 1E00

# A QSO stamped in UTC, though the computer keeps Berlin time; the call is whole in the log.
before=$(date -u +%H%M)
vk_type EA8/DF4U/P
vk_key_sync Enter 1C0D
vk_wait_for "599/"
vk_type 33
vk_key Enter
vk_wait_for "│EA8/DF4U/P  │"
after=$(date -u +%H%M)
stamp=$(grep -oE '<TIME_ON:[46]>[0-9]{4}' "$adi" | cut -d'>' -f2)
[ "$stamp" = "$before" ] || [ "$stamp" = "$after" ] ||
  vk_fail "QSO stamped $stamp, UTC was $before-$after"

# Help > Help topic: the operating keys, and the program goes on.
vk_key_sync M-F10 7100
vk_key_sync Left 4B00
vk_key_sync Down 5000
vk_wait_for "Help topic"
vk_key_sync Enter 1C0D
vk_wait_for "Alt+F1 / Alt+F2"
# Every key the program binds, written from its key table; the list scrolls to its end.
vk_key_sync End 4F00
vk_wait_for "send the typed line to the node"
vk_key_sync Enter 1C0D
vk_wait_gone "Alt+F1 / Alt+F2"
vk_running || vk_fail "Help topic ended the program"

# Tools > Change time explains the clock keys.
vk_key_sync M-F10 7100
vk_key_sync Left 4B00
vk_key_sync Left 4B00
vk_key_sync Down 5000
vk_wait_for "Change time"
vk_key_sync Enter 1C0D
vk_wait_for "Ctrl+PgUp / Ctrl+PgDn"
vk_key_sync Enter 1C0D
vk_wait_gone "Ctrl+PgUp / Ctrl+PgDn"

# Options > Save... writes the log now and says so.
rm -f "$adi"
vk_key_sync M-F10 7100
vk_key_sync Right 4D00
vk_key_sync Down 5000
vk_wait_for "Save..."
vk_key s
vk_wait_for "Log saved: 1 QSO in vorkan.adi"
[ -s "$adi" ] || vk_fail "Save... wrote no log"
vk_key_sync Enter 1C0D
vk_running || vk_fail "Save... ended the program"

# File > Import ADIF: another program's QSO comes into the running log (scored, on screen, in
# the file); File > Export ADIF offers the call's own file name and writes standard ADIF.
printf 'from another logger <eoh>\n<call:5>K1ABC <qso_date:8>20240305 <time_on:4>0910 <band:3>20m <mode:2>CW <srx:2>17 <eor>\n' \
  >"$VK_DIR/import.adi"
vk_key_sync M-F10 7100
vk_key_sync Down 5000
vk_wait_for "Import ADIF..."
vk_key i
vk_wait_for "import.adi"
vk_key_sync Enter 1C0D
vk_wait_for "Imported 1 QSOs, 0 records not taken"
vk_key_sync Enter 1C0D
vk_wait_gone "Imported 1 QSOs"
vk_wait_for "K1ABC"
grep -q "<CALL:5>K1ABC" "$adi" || vk_fail "the imported QSO is not in vorkan.adi"
vk_key_sync M-F10 7100
vk_key_sync Down 5000
vk_wait_for "Export ADIF..."
vk_key x
vk_wait_for "-export.adi"
vk_key_sync Enter 1C0D
vk_wait_for "Exported 2 QSOs"
vk_key_sync Enter 1C0D
ls "$VK_DIR"/*-export.adi >/dev/null 2>&1 || vk_fail "no export file"
grep -q "<PROGRAMID:" "$VK_DIR"/*-export.adi || vk_fail "the export is not standard ADIF"
vk_quit
