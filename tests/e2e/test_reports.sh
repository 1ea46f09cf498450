# File > Cabrillo report (Alt+O).  In the CQ WW CW contest it opens "Cabrillo report": Esc
# writes nothing, an empty call is refused with its reason, and OK with the categories chosen
# in the drop-down lists writes DL1ABC.cbr, header and QSO lines.  On a 24-row terminal the
# dialog packs its rows so that every field and both buttons stay on the screen.  In the
# Russian Championship, whose rules define report groups, three Ermak dialogs ask for the
# group, the operators it calls for and the contacts, and RA3ABC.cbr carries the operator
# lines in Windows-1251.  A contest whose Cabrillo name offers two names ("A/B") lets the
# operator choose one from a list, in both reports; a report group without an operator category
# asks for no operators and takes the mode the station works in.
source "$(dirname "$0")/lib.sh"
vk_setup "$1" "$2"
vk_station_config CQ-WW-CW DL1ABC

adif_record() {  # date time band freq call sent rcvd guid
  printf '<QSO_DATE:8>%s<TIME_ON:4>%s<BAND:%d>%s<FREQ:%d>%s<MODE:2>CW<CALL:%d>%s' \
    "$1" "$2" ${#3} "$3" ${#4} "$4" ${#5} "$5"
  printf '<RST_SENT:%d>%s<RST_RCVD:%d>%s<QSCORE:1>3<QGUID:%d>%s<EOR>\r\n' \
    ${#6} "$6" ${#7} "$7" ${#8} "$8"
}
{
  printf '<ADIF_VER:3>3.0\r\n<EOH>\r\n'
  adif_record 20240305 0907 20M 14.025 UA9QQQQ "599 14" "599 17" 11
  adif_record 20240305 0911 40M 7.012 OK1BBB "599 14" "599 15" 12
  adif_record 20240305 2359 160M 1.83 W1AW "599 14" "599 5" 13
} >"$VK_DIR/vorkan.adi"

cbr_qso() {  # freq mode date-time own rst sent call rst rcvd, in the template's columns
  local line
  line=$(printf 'QSO: %5s %-2s %s %-13s %-3s %-6s %-13s %-3s %-6s' "$@")
  printf '%s\r\n' "${line%"${line##*[! ]}"}"
}
ermak_qso() { printf 'QSO: %5s %-3s%-16s%-14s%-11s %-14s%-11s\r\n' "$@"; }

# Waits until the file exists (reports replace the file whole, so it is complete then).
wait_file() {
  local end
  end=$(vk_deadline)
  until [ -f "$VK_DIR/$1" ]; do
    [ "$(vk_now)" -lt "$end" ] || vk_fail "no file $1"
    sleep 0.05
  done
}

# How many columns a field's text starts after its label, both on the label's line (a text
# line shows its text one column into the field, a drop-down list from its first column).
expect_offset() {  # label field offset
  local line after got
  line=$(vk_screen | grep -m1 -F -- "$1") || vk_fail "not on the screen: $1"
  after=${line#*"$1"}
  [ "$after" != "${after#*"$2"}" ] || vk_fail "'$2' does not follow '$1': $line"
  after=${after%%"$2"*}
  got=$((${#1} + ${#after}))
  [ "$got" = "$3" ] || vk_fail "'$2' is $got columns from '$1', not $3: $line"
}

# --- Cabrillo: Cancel, an empty call, then OK ------------------------------------------------
VK_HEIGHT=40
vk_start_operating
vk_key_sync M-o 1800
vk_wait_for "Cabrillo report"
vk_wait_for "Category-Transmitter:"
vk_wait_for "Address:"
expect_offset "Contest:" "CQ-WW-CW" 11
expect_offset "Call:" "DL1ABC" 9
expect_offset "Category-operator:" " SINGLE-OP" 20
expect_offset "Category-Station:" "FIXED" 20
expect_offset "Category-Transmitter:" "ONE" 24
vk_key_sync Escape 011B
vk_wait_gone "Cabrillo report"

vk_key_sync M-o 1800
vk_wait_for "Cabrillo report"
vk_key_sync Tab 0F09
for _ in 1 2 3 4 5 6; do vk_key BSpace; done
vk_wait_gone "Call:    DL1ABC"
vk_key_sync Enter 1C0D
vk_wait_for "No call sign"
vk_key_sync Enter 1C0D
vk_wait_gone "No call sign"
[ -z "$(ls "$VK_DIR"/*.cbr 2>/dev/null)" ] || vk_fail "a report was written: $(ls "$VK_DIR")"
[ ! -e "$VK_DIR/.cbr" ] || vk_fail "the nameless .cbr was written"

vk_key_sync M-o 1800
vk_wait_for "Cabrillo report"
vk_key_sync Tab 0F09
for _ in 1 2 3; do vk_key BSpace; done
vk_wait_for "Call:    DL1 "
vk_type "abc"                    # the call line upper-cases
vk_wait_for "Call:    DL1ABC"
vk_key_sync Tab 0F09
vk_key_sync Down 5000            # operator: MULTI-OP
vk_wait_for "  MULTI-OP"
vk_key_sync Tab 0F09
vk_key_sync PgDn 5100            # band: the list opens with five rows
vk_wait_for " 20M "
vk_screen | grep -qF " 15M" && vk_fail "the band list shows more than five rows"
vk_key_sync Down 5000
vk_key Down
vk_key_sync Enter 1C0D           # " 80M"
vk_wait_gone " 20M "
vk_key_sync Tab 0F09
vk_key_sync End 4F00             # mode: DIGI
vk_wait_for " DIGI"
vk_key_sync Tab 0F09
vk_key_sync Down 5000            # power: LOW
vk_key_sync Tab 0F09
vk_key_sync End 4F00             # station: SCHOOL
vk_wait_for "SCHOOL"
vk_key_sync Tab 0F09
vk_wait_for "NON-ASSISTED"       # assisted: the list opens there
vk_key_sync Tab 0F09
vk_key_sync End 4F00
vk_key_sync Home 4700            # transmitter: back to ONE, then TWO
vk_key_sync Down 5000
vk_wait_for "TWO"
vk_key_sync Tab 0F09
vk_wait_for "Operator:    DL1ABC"  # the own call until the operator says otherwise
vk_type " DL2XYZ"
vk_key_sync Tab 0F09
vk_type "DX"
vk_key_sync Tab 0F09
vk_type "Hans Muster"
vk_key_sync Tab 0F09
vk_type "Hauptstr. 1"
vk_key_sync Tab 0F09
vk_type "10115 Berlin"
vk_wait_for "10115 Berlin"
vk_key_sync Enter 1C0D
vk_wait_gone "Cabrillo report"
wait_file DL1ABC.cbr
# The entry window says where the report went.
vk_wait_for "Report written: 3 QSO"
vk_wait_for "DL1ABC.cbr"
expected=$(
  printf 'START-OF-LOG: 3.0\r\nCREATED-BY: VORKAN 4.0.19-8\r\n'
  printf 'CONTEST: CQ-WW-CW\r\nCALLSIGN: DL1ABC\r\nCATEGORY-OPERATOR: MULTI-OP\r\n'
  printf 'CATEGORY-BAND: 80M\r\nCATEGORY-MODE: DIGI\r\nCATEGORY-POWER: LOW\r\n'
  printf 'CATEGORY-STATION: SCHOOL\r\nCATEGORY-ASSISTED: NON-ASSISTED\r\n'
  printf 'CATEGORY-TRANSMITTER: TWO\r\nCLAIMED-SCORE: 42\r\nOPERATORS: DL1ABC DL2XYZ\r\n'
  printf 'LOCATION: DX\r\nCLUB: \r\nEMAIL: \r\nNAME: Hans Muster\r\nADDRESS: Hauptstr. 1\r\n'
  printf 'ADDRESS: 10115 Berlin\r\n'
  cbr_qso 14025 CW "2024-03-05 0907" DL1ABC 599 14 UA9QQQQ 599 17
  cbr_qso 7012 CW "2024-03-05 0911" DL1ABC 599 14 OK1BBB 599 15
  cbr_qso 1830 CW "2024-03-05 2359" DL1ABC 599 14 W1AW 599 5
  printf 'END-OF-LOG:\r\n'
)
[ "$(cat "$VK_DIR/DL1ABC.cbr")" = "$expected" ] ||
  vk_fail "DL1ABC.cbr: $(diff <(echo "$expected") "$VK_DIR/DL1ABC.cbr")"
vk_quit

# --- Cabrillo on a 24-row terminal: every row shows; Cancel by its hot key -------------------
rm -f "$VK_DIR/DL1ABC.cbr"
VK_WIDTH=80
VK_HEIGHT=24
vk_start_operating
vk_key_sync M-o 1800
vk_wait_for "Cabrillo report"
vk_wait_for "Address:"
vk_wait_match "OK +.* Cancel"
vk_wait_for "Hans Muster"        # the last report's choices and texts are kept
vk_wait_for "SCHOOL"
vk_wait_for "10115 Berlin"
row_of_name=$(vk_row_of "Name:")
[ "$(vk_row_of "Address:")" = $((row_of_name + 1)) ] || vk_fail "rows not packed"
vk_key_sync M-c 2E00
vk_wait_gone "Cabrillo report"
[ ! -e "$VK_DIR/DL1ABC.cbr" ] || vk_fail "Cancel wrote the report"
vk_quit

# --- Ermak: the check-log group asks for one operator; Cancel there writes nothing -----------
VK_WIDTH=100
VK_HEIGHT=30
vk_station_config RF-CHAMP-CW RA3ABC
vk_start_operating
vk_key_sync M-o 1800
vk_wait_for "Ermak-format report"
vk_wait_match "Group: +Check log"
expect_offset "Contest:" "RF-CHAMP-CW" 11
expect_offset "Call:" "RA3ABC" 7
vk_key_sync M-o 1800             # the dialog's OK
vk_wait_for "Surname:"
[ "$(vk_screen | grep -c "Surname:")" = 1 ] || vk_fail "check log: not one operator block"
expect_offset "Surname:" "Name:" 23
expect_offset "Surname:" "Middle:" 39
vk_key_sync Escape 011B
vk_wait_gone "Surname:"
vk_wait_gone "Ermak-format report"
[ -z "$(ls "$VK_DIR"/*.cbr 2>/dev/null)" ] || vk_fail "Cancel wrote a report"

# --- Ermak: the multi-operator group, three operators, the contacts ---------------------------
vk_key_sync M-o 1800
vk_wait_for "Ermak-format report"
vk_key_sync Tab 0F09
vk_key_sync Tab 0F09
vk_key_sync PgDn 5100            # every group shows in the open list
vk_wait_for "Один оператор, ночной тур (160-40 м)"
vk_wait_for "Несколько операторов, оба тура"
vk_key_sync End 4F00
vk_key_sync Enter 1C0D
vk_wait_match "Group: +Несколько операторов, оба тура"
vk_key_sync M-o 1800
vk_wait_for "Surname:"
[ "$(vk_screen | grep -c "Surname:")" = 3 ] || vk_fail "multi-op: not three operator blocks"
vk_type "Иванов"
vk_key_sync Tab 0F09
vk_type "Иван"
vk_key_sync Tab 0F09
vk_type "Иванович"
vk_key_sync Tab 0F09
vk_type "19x70"                  # the year takes digits only
vk_wait_match "Born: +1970"
vk_key_sync Tab 0F09
vk_key_sync Down 5000
vk_key Down                      # rank "  2 "
vk_key_sync Tab 0F09
vk_type "ra3abc"
vk_wait_match "RA3ABC +Cat"
vk_key_sync Tab 0F09
vk_key_sync End 4F00             # station category 1
vk_key_sync Tab 0F09
vk_type "Петрова"
vk_key_sync Tab 0F09
vk_type "Анна"
vk_key_sync Tab 0F09
vk_key_sync Tab 0F09             # no patronymic, no year: the year is left empty
vk_key_sync Tab 0F09
vk_key_sync PgDn 5100            # the rank list opens with six of its seven entries
vk_wait_for " CMS"
vk_screen | grep -qF "IMS" && vk_fail "the rank list shows more than six rows"
vk_key_sync End 4F00
vk_wait_for "IMS"
vk_key_sync Up 4800
vk_key_sync Enter 1C0D           # "  MS"
vk_wait_gone "IMS"
vk_key_sync Tab 0F09             # call
vk_key_sync Tab 0F09             # station category
vk_key_sync Tab 0F09             # the third operator: no surname, so no line
vk_key_sync Tab 0F09
vk_type "Петр"
vk_key_sync Tab 0F09
vk_type "Сидорович"
vk_wait_for "Сидорович"
vk_key_sync Enter 1C0D
vk_wait_for "Soapbox:"
vk_type "Радиоклуб"
vk_key_sync Tab 0F09
vk_type "ra3abc@example.org"
vk_key_sync Tab 0F09
vk_type "Иванов Иван"
vk_key_sync Tab 0F09
vk_type "Москва"
vk_key_sync Tab 0F09
vk_key_sync Tab 0F09
vk_type "Хороший тест"
vk_wait_for "Хороший тест"
vk_key_sync Enter 1C0D
vk_wait_gone "Soapbox:"
wait_file RA3ABC.cbr
# Header and QSO lines, with every Russian text written back as CP866 bytes and the operator
# lines as Windows-1251.
cp866() { printf '%s' "$1" | iconv -f UTF-8 -t CP866; }
win1251() { printf '%s' "$1" | iconv -f UTF-8 -t CP1251; }
expected=$(
  printf 'START-OF-LOG: 3.0\r\nCREATED-BY: VORKAN ver-4.0.19-8 https://vorkan.example.org/\r\n'
  printf 'CONTEST: RF-CHAMP-CW\r\nCALLSIGN: RA3ABC\r\nCATEGORY-OPERATOR: MULTI-OP\r\n'
  printf 'CATEGORY-BAND: ALL\r\nCATEGORY-MODE: CW\r\n'
  printf 'OPERATORS: %s\r\n' "$(win1251 "Иванов, Иван, Иванович, 1970,   2 , RA3ABC, 1")"
  printf 'OPERATORS: %s\r\n' "$(win1251 "Петрова, Анна, , ,   МС, , 4")"
  printf 'LOCATION: \r\nCLUB: %s\r\nEMAIL: ra3abc@example.org\r\n' "$(cp866 "Радиоклуб")"
  printf 'NAME: %s\r\nADDRESS: %s\r\nADDRESS: \r\n' "$(cp866 "Иванов Иван")" "$(cp866 "Москва")"
  printf 'SOAPBOX: %s\r\n' "$(cp866 "Хороший тест")"
  ermak_qso 14025 CW "2024-03-05 0907" RA3ABC "599 14" UA9QQQQ "599 17"
  ermak_qso 7012 CW "2024-03-05 0911" RA3ABC "599 14" OK1BBB "599 15"
  ermak_qso 1830 CW "2024-03-05 2359" RA3ABC "599 14" W1AW "599 5"
  printf 'END-OF-LOG:\r\nweb - https://vorkan.example.org/forum\r\n'
)
[ "$(cat "$VK_DIR/RA3ABC.cbr")" = "$expected" ] ||
  vk_fail "RA3ABC.cbr: $(diff <(echo "$expected" | iconv -f CP1251 -t UTF-8) \
    <(iconv -f CP1251 -t UTF-8 "$VK_DIR/RA3ABC.cbr"))"
vk_quit

# --- A name in two parts, and a group without operators --------------------------------------
# Two contests of the operator's own making: one for the Cabrillo report, one with report groups.
cat >"$VK_DIR/data/own.xml" <<'XML'
<?xml version="1.0" encoding="windows-1251"?>
<contest_rules title="Own contests">
  <contest name="OWN-CBR" display="Own Cabrillo contest">
    <band>160 80 40 20 15 10</band>
    <mode>cw</mode>
    <repqso>bandmode</repqso>
    <txnr>rst</txnr>
    <txnr>qsonr</txnr>
    <score>1</score>
    <cabrilioname>own-test-cw / own-test-ssb</cabrilioname>
  </contest>
  <contest name="OWN-ERMAK" display="Own Ermak contest">
    <band>160 80 40 20 15 10</band>
    <mode>cw ph</mode>
    <repqso>bandmode</repqso>
    <txnr>rst</txnr>
    <txnr>qsonr</txnr>
    <score>1</score>
    <cabrilioname>OWN-A/OWN-B/OWN-C/OWN-D</cabrilioname>
    <ermak>
      <ERMAKGROUP name="Listeners">
        <BAND>ALL</BAND>
        <MODE>:MODE:</MODE>
        <POWER>LOW</POWER>
      </ERMAKGROUP>
    </ermak>
  </contest>
</contest_rules>
XML

rm -f "$VK_DIR"/*.cbr
vk_station_config OWN-CBR DL1ABC
vk_start_operating
vk_key_sync M-o 1800
vk_wait_for "Cabrillo report"
vk_wait_for "Contest:  OWN-TEST-CW"
vk_key_sync PgDn 5100            # the list of the name's parts
vk_wait_for "OWN-TEST-SSB"
vk_key_sync Down 5000
vk_key_sync Enter 1C0D
vk_wait_for "Contest:  OWN-TEST-SSB"
vk_key_sync Tab 0F09             # the Tab order goes on from the list to the call
vk_type "/p"
vk_wait_for "Call:    DL1ABC/P"
vk_key_sync Enter 1C0D
vk_wait_gone "Cabrillo report"
wait_file DL1ABC-P.cbr           # a "/" in the call would name a directory
head -4 "$VK_DIR/DL1ABC-P.cbr" | grep -qx $'CONTEST: OWN-TEST-SSB\r' ||
  vk_fail "CONTEST line: $(head -4 "$VK_DIR/DL1ABC-P.cbr")"
grep -qx $'CALLSIGN: DL1ABC/P\r' "$VK_DIR/DL1ABC-P.cbr" || vk_fail "CALLSIGN line"
vk_quit

vk_station_config OWN-ERMAK RA3ABC
vk_start_operating
vk_key_sync M-o 1800
vk_wait_for "Ermak-format report"
vk_key_sync PgDn 5100            # four parts, three rows
vk_wait_for "OWN-C"
vk_screen | grep -qF "OWN-D" && vk_fail "the name's list shows more than three rows"
vk_key_sync End 4F00
vk_key_sync Enter 1C0D
vk_wait_for "Contest:  OWN-D"
vk_key_sync Tab 0F09
vk_key_sync Tab 0F09
vk_key_sync End 4F00
vk_wait_match "Group: +Listeners"
vk_key_sync M-o 1800
vk_wait_gone "Group:"
vk_wait_for "Ermak-format report"
vk_screen | grep -qF "Surname:" && vk_fail "a group without operators shows operator rows"
vk_key_sync Enter 1C0D           # OK, the only thing this dialog asks for
vk_wait_for "Soapbox:"
vk_key_sync Enter 1C0D
vk_wait_gone "Soapbox:"
wait_file RA3ABC.cbr
header=$(sed -n '3,8p' "$VK_DIR/RA3ABC.cbr" | tr -d '\r')
want=$'CONTEST: OWN-D\nCALLSIGN: RA3ABC\nCATEGORY-OPERATOR: \nCATEGORY-BAND: ALL\nCATEGORY-MODE: CW\nCATEGORY-POWER: LOW'
[ "$header" = "$want" ] || vk_fail "Ermak header: $header"
grep -q "^OPERATORS:" "$VK_DIR/RA3ABC.cbr" && vk_fail "an OPERATORS line without operators"
vk_quit
