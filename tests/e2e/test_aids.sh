# The operator aids in the World contest at 80x25 and 100x30: typing DL1A lists the calls of
# the installed MASTER.SCP that contain it and marks the one already logged on this band and
# mode; a bust of a logged call shows the right call under N+1; a call of the installed
# history file gets its DOK after the proposed report; after ten QSOs the rate line is not
# zero; Alt+S and Alt+R hide and show the list and the line; Alt+C picks the listed calls.
source "$(dirname "$0")/lib.sh"
vk_setup "$1" "$2"
[ -f /usr/share/hamradio-files/MASTER.SCP ] || { echo "SKIP: no MASTER.SCP"; exit 0; }
vk_station_config WORLD UA3AAA
printf '[HISTORYFIELD]\r\nWORLD=1\r\n' >>"$VK_DIR/vorkan.cfg"

work() {
  vk_type "$1"
  vk_key Enter
  vk_wait_for "RxNr:  599/"
  vk_type "$2"
  vk_key Enter
  vk_wait_match "QSO: +$3 "
}

# The smallest screen first: the list and the rate line fit below the other side windows.
VK_WIDTH=80
VK_HEIGHT=25
vk_start_operating
vk_wait_for "Check"
work DL1ABC 1 1
vk_type DL1A
vk_wait_for "│DL1A DL1AAH DL1AAZ"
vk_wait_match "│160: [1-9][0-9]*/h 1 1 "
# Alt+C takes the listed calls into Call in turn, without retyping.
vk_key M-c
vk_wait_for "Call:  DL1AAH "
vk_key M-c
vk_wait_for "Call:  DL1AAZ "
vk_quit

VK_WIDTH=100
VK_HEIGHT=30
vk_start_operating
vk_type DL1A
# Calls from the database that contain DL1A, the logged one marked as a dupe here.
vk_wait_match "│DL1A DL1AAH DL1AAZ DL1AB DL1ABC\* "
vk_key M-a
vk_key M-F2  # 80 m: worked on another band
# DL1ABX is no call of the database: the one-off calls show under N+1.
vk_type DL1ABX
vk_wait_match "│N\+1 .*DL1ABC\+"
vk_key M-a M-F1

# DA0A is in the installed history file with DOK N11.
vk_type DA0A
vk_key Enter
vk_wait_for "RxNr:  599/N11"
vk_key M-a

for i in 2 3 4 5 6 7 8 9 10; do work "W${i}QQQ" 1 "$i"; done
vk_wait_match "160: [1-9][0-9]*/h 10 10 0:00"
vk_key M-s
vk_wait_for "Rate"
vk_wait_gone "Check"
vk_key M-r
vk_wait_gone "160: "
vk_key M-s M-r
vk_wait_for "Check"
vk_quit
grep -q "ScpWindow=1" "$VK_DIR/vorkan.cfg" || vk_fail "ScpWindow not written back"
echo PASS
