# Choosing a contest from the File menu.  A station without a contest starts on an empty
# desktop; New contest with CQ WW CW and the call DL1ABC starts the program again with the
# operating windows.  A QSO is logged; a New contest that finds "arch" taken by a file shows the
# error box and changes nothing; once the way is clear, New contest with the IARU HF contest
# keeps the CQ WW log in arch and starts on an empty log, and vorkan.cfg names the new contest.
source "$(dirname "$0")/lib.sh"
vk_setup "$1" "$2"
printf '[Main]\r\nContest=\r\nCall=\r\nWork=0\r\nMode=0\r\n\r\n[Morze]\r\nPort=Null\r\n' \
  >"$VK_DIR/vorkan.cfg"
vk_station

cfg() { tr -d '\r' <"$VK_DIR/vorkan.cfg" | grep -m1 "^$1=" | cut -d= -f2-; }

# --- A contest whose rules fail the check is not loaded: the screen says what and where -------
cat >"$VK_DIR/data/broken.xml" <<'XML'
<contest_rules title="Broken">
  <contest name="BROKEN" display="Broken contest">
    <band>20</band>
    <mode>cw</mode>
    <repqso>bnd</repqso>
  </contest>
</contest_rules>
XML
cp "$VK_DIR/vorkan.cfg" "$VK_DIR/vorkan.cfg.keep"
printf '[Main]\r\nContest=BROKEN\r\nCall=DL1ABC\r\nWork=0\r\nMode=0\r\n\r\n[Morze]\r\nPort=Null\r\n' \
  >"$VK_DIR/vorkan.cfg"
vk_start
vk_wait_for "data/broken.xml:5: unknown repeat"
vk_wait_for "vorkan rules check"
vk_key Enter
vk_wait_gone "vorkan rules check"
vk_quit
rm -f "$VK_DIR/data/broken.xml" "$VK_DIR"/vorkan.adi
mv "$VK_DIR/vorkan.cfg.keep" "$VK_DIR/vorkan.cfg"

# File > New contest > the entry titled $1, from the rules file $2.  The World Contest comes
# first, then the other files of data/ in the order of their names.
new_contest() {
  local rows i
  rows=$(cd "$VK_DIR/data" && printf '%s\n' *.xml | grep -vx contest.xml | LC_ALL=C sort |
    grep -nx "$2" | cut -d: -f1)
  [ -n "$rows" ] || vk_fail "no rules file $2"
  vk_key_sync M-F10 7100
  vk_key_sync Down 5000
  vk_key_sync Enter 1C0D
  vk_wait_for "│ $1"
  for ((i = 0; i < rows; i++)); do vk_key Down; done
  vk_key Enter
  vk_wait_for "Select contest"
  vk_wait_for "Call:"
}

vk_start_desktop
vk_wait_for "Vorkan 4.0.19-8  []"
# Two clock steps are well past the start-up action: the desktop stays empty.
clock() { vk_cell 1 $((VK_WIDTH - 8)) 8; }
for _ in 1 2; do
  c=$(clock)
  end=$(vk_deadline 3)
  while [ "$(clock)" = "$c" ]; do
    [ "$(vk_now)" -lt "$end" ] || vk_fail "clock stands still"
    sleep 0.05
  done
done
vk_screen | grep -qF "Good luck in the contest" && vk_fail "operating windows open without a contest"

# --- CQ WW CW as DL1ABC -----------------------------------------------------------------------
new_contest "CQ World Wide DX" cqww.xml
vk_wait_for "CQ World Wide DX Contest CW"
vk_wait_for "CQ World Wide DX Contest SSB"
vk_key Enter  # the first contest; on to the Call line
vk_type dl1abc
vk_wait_for "Call:   DL1ABC"
vk_key Enter
# The second dialog: CQ WW has no mode choice and no own exchange to type.
vk_wait_for "┌ Work"
vk_wait_for "(•) Contest"
vk_screen | grep -qF "┌ Mode" && vk_fail "mode group without a choice of mode"
# WriteLog shows the start date and time; Contest hides them again.
vk_key Down
vk_key Space
vk_wait_for "Date: "
vk_wait_for "Time: "
vk_key Up
vk_key Space
vk_wait_gone "Date: "
vk_key Enter
vk_wait_for "Restart the program"
[ "$(cfg Contest)" = "CQ-WW-CW" ] || vk_fail "Contest=$(cfg Contest)"
[ "$(cfg Call)" = "DL1ABC" ] || vk_fail "Call=$(cfg Call)"
[ "$(cfg Work)" = "0" ] || vk_fail "Work=$(cfg Work)"
vk_key Enter
# The program starts again by itself, now with the contest.
vk_wait_for "Good luck in the contest!"
vk_wait_for "Vorkan 4.0.19-8 DL1ABC [CQ World Wide DX"
vk_running || vk_fail "program ended instead of starting again"

vk_type ja1xyz
vk_key Enter
vk_wait_for "599/"
vk_key Enter
vk_wait_for "│JA1XYZ      │"
grep -qF "<CALL:6>JA1XYZ" "$VK_DIR/vorkan.adi" || vk_fail "QSO not in vorkan.adi"

# --- arch taken by a file: the error box, and nothing changes ----------------------------------
echo "not a folder" >"$VK_DIR/arch"
new_contest "IARU HF Championship" iaru.xml
vk_wait_for "IARU HF World Championship"
vk_key Enter
vk_key Enter
vk_wait_for "Your ITU zone:"
vk_key Enter
# The running log is not archived without a word: the operator is asked first.
vk_wait_for "log (1 QSO) goes into arch/"
vk_key Enter
vk_wait_for "Cannot create the folder"
vk_key Enter
vk_wait_gone "Cannot create the folder"
[ "$(cfg Contest)" = "CQ-WW-CW" ] || vk_fail "settings written although nothing was archived"
grep -qF "<CALL:6>JA1XYZ" "$VK_DIR/vorkan.adi" || vk_fail "log lost after a failed archive"
vk_wait_for "│JA1XYZ      │"

# --- IARU HF: the CQ WW log goes to arch, the new contest starts empty -------------------------
rm -f "$VK_DIR/arch"
new_contest "IARU HF Championship" iaru.xml
vk_wait_for "IARU HF World Championship"
vk_key Enter
vk_wait_for "Call:   DL1ABC"
vk_key Enter
vk_wait_for "Your ITU zone:"
vk_key Tab
vk_type " 28 "
vk_key Enter
vk_wait_for "log (1 QSO) goes into arch/"
vk_key Enter
vk_wait_for "Restart the program"
vk_key Enter
vk_wait_for "Good luck in the contest!"
vk_wait_for "DL1ABC [IARU HF World"
vk_screen | grep -qF "JA1XYZ" && vk_fail "the old QSO is in the new log"

[ "$(cfg Contest)" = "IARU-HF" ] || vk_fail "Contest=$(cfg Contest)"
[ "$(cfg Txnr)" = "28" ] || vk_fail "Txnr=$(cfg Txnr)"
shopt -s nullglob
archived=("$VK_DIR"/arch/CQ-WW-CW-*.adi)
[ "${#archived[@]}" = 1 ] || vk_fail "archive files: ${archived[*]}"
[[ "$(basename "${archived[0]}")" =~ ^CQ-WW-CW-[0-9]{8}-[0-9]{6}\.adi$ ]] ||
  vk_fail "archive name ${archived[0]}"
grep -qF "<CALL:6>JA1XYZ" "${archived[0]}" || vk_fail "QSO not in the archive"
[ -e "$VK_DIR/vorkan.adi" ] && vk_fail "old vorkan.adi still there"

vk_quit
[ -e "$VK_DIR/vorkan.adi" ] && vk_fail "an empty log wrote vorkan.adi"
exit 0
