# Correcting the log from the log window: Edit QSO changes a call and a band, Delete QSO
# removes a QSO, Add QSO inserts a forgotten one before the third line, and Cancel changes
# nothing.  The log window and its count follow at once; the log file has every change after
# Alt+X.
source "$(dirname "$0")/lib.sh"
vk_setup "$1" "$2"
printf '[Main]\r\nContest=WORLD\r\nCall=DL1ABC\r\nWork=0\r\nMode=0\r\n\r\n[Morze]\r\nPort=Null\r\n' \
  >"$VK_DIR/vorkan.cfg"
vk_station

# Five QSOs: two on 20 m, two on 40 m, one on 15 m.
adif_record() {  # date time band freq call sent rcvd guid
  printf '<QSO_DATE:8>%s<TIME_ON:4>%s<BAND:%d>%s<FREQ:%d>%s<MODE:2>CW<CALL:%d>%s' \
    "$1" "$2" ${#3} "$3" ${#4} "$4" ${#5} "$5"
  printf '<RST_SENT:%d>%s<RST_RCVD:%d>%s<QSCORE:1>1<QGUID:%d>%s<EOR>\r\n' \
    ${#6} "$6" ${#7} "$7" ${#8} "$8"
}
{
  printf '<ADIF_VER:3>3.0\r\n<EOH>\r\n'
  adif_record 20240305 0910 20M 14.025 F5AAA "599 001" "599 14" 11
  adif_record 20240305 0911 20M 14.026 OK1BBB "599 002" "599 15" 12
  adif_record 20240305 0912 40M 7.012 SP2CCC "599 003" "599 15" 13
  adif_record 20240305 0913 40M 7.013 G4DDD "599 004" "599 14" 14
  adif_record 20240305 0914 15M 21.02 K1EEE "599 005" "599 05" 15
} >"$VK_DIR/vorkan.adi"

# A line of the log window as the screen shows it (the bar is U+2502), up to the points.
line_of() { printf '03/05 %s│ %s│CW│%-12s│%-8s│%-7s│' "$1" "$2" "$3" "$4" "$5"; }
# The QSO count beside the buttons.
count_is() { vk_wait_match "QSO: +$1 "; }
# Puts the log window's focus on the line of a call with a mouse click (a button pressed by its
# Alt key keeps the focus afterwards, so the arrows would not reach the list).
focus_line() {
  local row
  row=$(vk_screen | grep -n -m1 "│$1 " | cut -d: -f1)
  [ -n "$row" ] || vk_fail "no line of $1"
  vk_tmux send-keys -t vk -l $'\e[<0;10;'"$row"'M'
  vk_tmux send-keys -t vk -l $'\e[<0;10;'"$row"'m'
}

vk_start_desktop
vk_wait_for "$(line_of 09:14 15 K1EEE '599 005' '599 05')"
count_is 5

# Up from the entry window selects the log window, on its last line.
vk_key_sync Up 4800
vk_key_sync Up 4800
vk_key_sync Up 4800
vk_key_sync Up 4800
# On top now: the points column shows.
# The file says 1 point each; the log shows what the rules give (3 and a new country).
vk_wait_for "$(line_of 09:14 15 K1EEE '599 005' '599 05')3*"

# --- Cancel leaves everything as it was --------------------------------------------------------
log_lines() { vk_screen | grep -oE '03/05.*|QSO: +[0-9]+'; }
before=$(log_lines)
vk_key_sync M-e 1200
vk_wait_for "Edit QSO"
vk_wait_for "DD-MM-YYYY"
vk_wait_for "OK1BBB"
vk_key_sync Escape 011B
vk_wait_gone "Edit QSO"
vk_key_sync M-i 1700
vk_wait_for "Add QSO"
vk_key_sync M-c 2E00
vk_wait_gone "Add QSO"
vk_wait_for "$(line_of 09:14 15 K1EEE '599 005' '599 05')3*"
after=$(log_lines)
[ "$before" = "$after" ] || vk_fail "Cancel changed the log window: $before ---- $after"

# --- Edit: the second QSO moves to 40 m and gets another call -----------------------------------
vk_key_sync M-e 1200
vk_wait_for "Edit QSO"
vk_wait_for "05-03-2024"
vk_wait_for "09:11"
vk_key_sync Tab 0F09
vk_key_sync Tab 0F09
vk_key_sync Up 4800      # band " 20" -> " 40"
vk_key_sync Tab 0F09
vk_key_sync Tab 0F09
for _ in 1 2 3; do vk_key_sync BSpace 0E08; done
vk_type "bbx"            # the call's picture upper-cases it
vk_wait_for "OK1BBX"
vk_key_sync Enter 1C0D
vk_wait_gone "Edit QSO"
vk_wait_for "$(line_of 09:11 40 OK1BBX '599 002' '599 15')2* "  # rescored: first OK on 40 m
count_is 5

# --- Delete: the first QSO ------------------------------------------------------------------
focus_line F5AAA
vk_key_sync M-d 2000
vk_wait_for "Delete QSO"
vk_wait_for "03/05 09:10  20 CW F5AAA"
vk_key_sync Enter 1C0D
vk_wait_gone "Delete QSO"
vk_wait_gone "F5AAA"
count_is 4

# --- Add: a forgotten QSO before the third line (G4DDD) ----------------------------------------
focus_line G4DDD
vk_key_sync M-i 1700
vk_wait_for "Add QSO"
vk_wait_for "09:13"
for _ in 1 2 3 4; do vk_key_sync Tab 0F09; done
vk_type "dl2zz"
vk_wait_for "DL2ZZ"
vk_key_sync Tab 0F09
vk_type "599 006"
vk_key_sync Tab 0F09
vk_type "599 14"
vk_wait_for "599 14"
vk_key_sync Enter 1C0D
vk_wait_gone "Add QSO"
count_is 5
# Lines in order: the edited one, SP2CCC, the new one, G4DDD, K1EEE.
vk_wait_for "$(line_of 09:13 40 DL2ZZ '599 006' '599 14')"
order=$(vk_screen | grep -oE 'OK1BBX|SP2CCC|DL2ZZ|G4DDD|K1EEE' | tr '\n' ' ')
[ "$order" = "OK1BBX SP2CCC DL2ZZ G4DDD K1EEE " ] || vk_fail "log window order: $order"

# --- the log file after Alt+X -----------------------------------------------------------------
vk_quit
adi="$VK_DIR/vorkan.adi"
calls=$(grep -oE '<CALL:[0-9]+>[A-Z0-9]+' "$adi" | sed 's/.*>//' | tr '\n' ' ')
[ "$calls" = "OK1BBX SP2CCC DL2ZZ G4DDD K1EEE " ] || vk_fail "calls in the log file: $calls"
grep -q '<BAND:3>40M<FREQ:4>7.05<MODE:2>CW<CALL:6>OK1BBX' "$adi" ||
  vk_fail "the edited QSO is not on the 40 m standard frequency"
grep -q '<QSO_DATE:8>20240305<TIME_ON:4>0913<BAND:3>40M<FREQ:4>7.05<MODE:2>CW<CALL:5>DL2ZZ<RST_SENT:7>599 006<RST_RCVD:6>599 14' "$adi" ||
  vk_fail "the added QSO is not in the log file as entered"
grep -qE 'QGUID:2>12(<APP_VORKAN_EDIT:[0-9]+>[0-9]+)?<EOR>' "$adi" || vk_fail "the edited QSO lost its Guid"
! grep -q 'F5AAA' "$adi" || vk_fail "the deleted QSO is still in the log file"
echo PASS
