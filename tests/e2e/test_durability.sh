# Nothing logged is lost when the disk or the program fails.  On a full disk a QSO is kept
# in memory and the operator is told; the next save after space returns writes it; Alt+X with
# an unsaved log asks (back to the log, a copy in the home directory, or quit knowingly with
# exit code 1); a disk turned read-only is survived the same way, and an Edit it refuses is
# shown in a box that says what to do.  The program killed (strace's fault injection) at the flush or the rename of a
# save, of New contest's archive and of the Cabrillo write leaves a log file that reads whole,
# and a leftover temporary file with QSOs the log lacks is reported at the next start.  Killed
# at random moments while QSOs are typed fast, the file always holds every QSO shown.  QSOs
# saved to the rescue file while vorkan.adi could not be read are merged into it once it can.
#
# The disk is a small tmpfs mounted by the test in a mount namespace of its own, so this runs
# as root (as CI does); another user gets the strace and kill rounds only.
if [ "$(id -u)" = 0 ] && [ -z "${VK_PRIVATE_MOUNTS:-}" ] && unshare -m true 2>/dev/null; then
  exec env VK_PRIVATE_MOUNTS=1 unshare -m --propagation private bash "$0" "$@"
fi
source "$(dirname "$0")/lib.sh"
vk_setup "$1" "$2"
trap 'umount "$VK_DIR" 2>/dev/null; rm -rf "$VK_DIR.home"; vk_cleanup' EXIT
VK_HEIGHT=50
REAL_BIN=$VK_BIN
CALL=44
RX=46

work() {  # count call rx
  vk_type "$2"
  vk_key Enter
  vk_wait_cell "$RX" 8 "599/"
  vk_type "$3"
  vk_key Enter
  vk_wait_match "QSO: +$1 "
  vk_wait_cell "$CALL" 8 "            "
}
# The calls vorkan.adi (or another file) holds, one per line.
calls() { grep -aoE '<CALL:[0-9]+>[^<]*' "${1:-$VK_DIR/vorkan.adi}" | cut -d'>' -f2; }
count() { calls "$@" | wc -l; }
# The program under strace, killed or failed as the injection says.
with_fault() {
  printf '#!/bin/sh\nexec strace -f -qq -o /dev/null -e trace=%s -e inject=%s "%s" "$@"\n' \
    "$1" "$2" "$REAL_BIN" >"$VK_DIR/../vk-fault-$$.sh"
  chmod +x "$VK_DIR/../vk-fault-$$.sh"
  VK_BIN="$VK_DIR/../vk-fault-$$.sh"
}
no_fault() {
  VK_BIN=$REAL_BIN
  rm -f "$VK_DIR/../vk-fault-$$.sh"
}
killed() { [ "$(vk_wait_exit)" = 137 ] || vk_fail "not killed: exit code $(cat "$VK_DIR/rc")"; }

vk_station_config WORLD DL1ABC

# --- a full disk ------------------------------------------------------------------------------
if [ -z "${VK_PRIVATE_MOUNTS:-}" ] || ! mount -t tmpfs -o size=1m tmpfs "$VK_DIR"; then
  echo "SKIPPED: full and read-only disk (no mounts allowed here)"
else
  home="$VK_DIR.home"
  mkdir -p "$home"
  vk_station_config WORLD DL1ABC
  fill() { dd if=/dev/zero of="$VK_DIR/filler" bs=4k >/dev/null 2>&1 || true; }
  # The program's standard error goes off the disk, which can then be made read-only.
  ln -s "$home/err.log" "$VK_DIR/err.log"
  fill
  vk_start_operating HOME="$home"
  work 1 ua3aaa 15
  vk_wait_for "Log not saved to vorkan.adi"
  vk_key M-x
  vk_wait_for "The log is not saved"
  vk_key Escape  # back to the log
  vk_wait_gone "The log is not saved"
  rm -f "$VK_DIR/filler"
  work 2 ok1abc 16
  [ "$(calls | tr '\n' ' ')" = "UA3AAA OK1ABC " ] || vk_fail "after space returned: $(calls)"
  # The file's last page still has room on a full tmpfs; a read-only disk refuses the append.
  # The exit code, too, goes off the disk.
  ln -sf "$home/rc" "$VK_DIR/rc"
  rm -f "$home/rc"
  mount -o remount,ro "$VK_DIR" || vk_fail "cannot make the disk read-only"
  work 3 w1aw 5
  vk_wait_for "Log not saved to vorkan.adi"
  # A correction from the log window that cannot be written is said too, with the way out.
  vk_key Up  # the log window, on its last line
  vk_key M-e
  vk_wait_for "Edit QSO"
  vk_key Enter
  vk_wait_for "The edit is kept in memory but NOT saved"
  vk_wait_for "Options > Save"
  vk_key Enter
  vk_wait_gone "NOT saved"
  vk_key M-x
  vk_wait_for "The log is not saved"
  vk_key Tab Enter  # Ignore: a copy in the home directory
  vk_wait_for "The log is saved to"
  vk_key Enter
  [ "$(vk_wait_exit)" = 0 ] || vk_fail "exit after the copy"
  [ "$(count "$home"/vorkan-rescue-*.adi)" = 3 ] || vk_fail "copy: $(ls "$home")"
  [ "$(count)" = 2 ] || vk_fail "vorkan.adi changed on a read-only disk"

  rm -f "$home/rc"
  vk_start_operating HOME="$home"
  work 3 f5xyz 7
  vk_wait_for "Log not saved to vorkan.adi"
  vk_key M-x
  vk_wait_for "The log is not saved"
  vk_key Tab Tab Enter  # Abort: quit knowing the QSO is lost
  [ "$(vk_wait_exit)" = 1 ] || vk_fail "quitting with an unsaved log gave exit code 0"
  [ "$(count)" = 2 ] || vk_fail "vorkan.adi changed on a read-only disk"
  umount "$VK_DIR"
  rm -f "$VK_DIR/rc"
  rm -rf "$home"
  vk_station_config WORLD DL1ABC
fi

if ! strace -f -qq -o /dev/null true 2>/dev/null; then
  echo "SKIPPED: fault injection (strace cannot trace here)"
else
# --- killed at the rename of the first save: the temporary file is reported --------------------
with_fault rename rename:signal=KILL:when=1
vk_start_operating
vk_type ua3aaa
vk_key Enter
vk_wait_cell "$RX" 8 "599/"
vk_type 15
vk_key Enter
killed
no_fault
vk_start_operating
vk_wait_for "vorkan.adi.tmp"
vk_wait_for "missing"
vk_key Enter
vk_wait_gone "missing"
vk_quit
ls "$VK_DIR"/vorkan.adi.tmp* >/dev/null 2>&1 || vk_fail "the temporary file was removed"
rm -f "$VK_DIR"/vorkan.adi.tmp*

# --- killed at the flush of an appended QSO: the file reads whole ----------------------------
vk_start_operating
work 1 dl2abc 1
work 2 ok1abc 2
vk_quit
with_fault fdatasync fdatasync:signal=KILL:when=2
vk_start_operating
work 3 w1aw 3
vk_type f5xyz
vk_key Enter
vk_wait_cell "$RX" 8 "599/"
vk_type 4
vk_key Enter
killed
no_fault
[ "$(calls | head -3 | tr '\n' ' ')" = "DL2ABC OK1ABC W1AW " ] || vk_fail "after the kill: $(calls)"
vk_start_operating
vk_screen | grep -qF "not read whole" && vk_fail "a killed append left a damaged file"
vk_quit

# --- killed at the flush and at the rename of the Cabrillo report: the log stays --------------
before=$(md5sum <"$VK_DIR/vorkan.adi")
for fault in fsync:signal=KILL:when=1 rename:signal=KILL:when=1; do
  with_fault "${fault%%:*}" "$fault"
  vk_start_operating
  vk_key_sync M-o 1800
  vk_wait_for "Cabrillo report"
  vk_key Enter
  killed
  no_fault
  [ "$(md5sum <"$VK_DIR/vorkan.adi")" = "$before" ] || vk_fail "report write changed the log"
done
rm -f "$VK_DIR"/*.cbr*

# --- killed at the rename of New contest's archive: nothing changes ---------------------------
with_fault rename rename:signal=KILL:when=1
vk_start_operating
vk_key_sync M-F10 7100
vk_key_sync Down 5000
vk_key_sync Enter 1C0D
vk_wait_for "│ The World contest"
vk_key Enter
vk_wait_for "Select contest"
vk_key Enter  # the first contest; on to the Call line
vk_wait_for "Call:   DL1ABC"
vk_key Enter
vk_wait_for "┌ Work"
vk_key Enter
vk_wait_for "goes into arch/"  # the operator is asked before the log is archived
vk_key Enter
killed
no_fault
[ "$(md5sum <"$VK_DIR/vorkan.adi")" = "$before" ] || vk_fail "New contest lost the log"
grep -q "Contest=WORLD" "$VK_DIR/vorkan.cfg" || vk_fail "configuration changed"
fi

# --- killed at random moments while QSOs are typed fast --------------------------------------
rm -f "$VK_DIR/vorkan.adi"
n=0
for round in 1 2 3; do
  vk_start_operating
  for ((i = 0; i < 15; i++)); do
    n=$((n + 1))
    vk_type "k${n}aa"
    vk_key Enter
    vk_type "$n"
    vk_key Enter
  done
  sleep "0.$((RANDOM % 9))"
  shown=$(vk_screen | grep -oE 'QSO: +[0-9]+' | grep -oE '[0-9]+' | head -1)
  # The program is the child of the pane's shell (env replaces itself with it).
  pid=$(pgrep -P "$(vk_tmux display -p -t vk '#{pane_pid}')" | head -1)
  [ -n "$pid" ] || vk_fail "round $round: no program to kill"
  kill -KILL "$pid"
  vk_wait_exit >/dev/null
  held=$(count)
  [ "$held" -ge "${shown:-0}" ] || vk_fail "round $round: $shown QSOs shown, $held in the file"
  n=$held
  vk_start_operating
  vk_screen | grep -qF "not read whole" && vk_fail "round $round: the file does not read whole"
  vk_quit
done

# --- vorkan.adi unreadable for two runs, then readable: the rescue file is merged -------------
n=$(count)
mv "$VK_DIR/vorkan.adi" "$VK_DIR/held.adi"
mkdir "$VK_DIR/vorkan.adi"  # exists, but cannot be read as a file
for call in ua1aaa ua2bbb; do
  vk_start_operating
  vk_wait_for "vorkan-rescue.adi"
  vk_key Enter
  vk_wait_gone "vorkan-rescue.adi"
  work "$(($(count "$VK_DIR/vorkan-rescue.adi" 2>/dev/null || echo 0) + 1))" "$call" 9
  vk_quit
done
rmdir "$VK_DIR/vorkan.adi"
mv "$VK_DIR/held.adi" "$VK_DIR/vorkan.adi"
vk_start_operating
vk_wait_for "2 QSO of earlier runs merged"
vk_key Enter
vk_wait_match "QSO: +$((n + 2)) "
vk_quit
[ "$(count)" = $((n + 2)) ] || vk_fail "after the merge: $(count) QSOs in vorkan.adi, not $((n + 2))"
calls | grep -qx UA2BBB || vk_fail "the rescue file's last QSO is not in vorkan.adi"
[ ! -e "$VK_DIR/vorkan-rescue.adi" ] || vk_fail "the merged rescue file is still there"
[ "$(count "$VK_DIR"/arch/vorkan-rescue-merged-*.adi)" = 2 ] || vk_fail "rescue file not kept"
vk_start_operating  # merged once: nothing more to say
vk_screen | grep -qF "merged" && vk_fail "the rescue file was merged again"
vk_quit
exit 0
