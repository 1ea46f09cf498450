# Two stations of one group on this computer, each a program in its own tmux session and
# directory, exchanging their log over UDP on the loopback address only.  A QSO logged at A
# appears in B's log window and both status lines show equal checksums; a QSO B logs while A is
# down reaches A by itself once A is back (and is in A's file as soon as it shows); the Network
# setup dialog at B writes the network section.
#
# The group shares one port for sending and listening, so two programs on one computer could
# not both listen on it: VORKAN_NET_LISTEN_PORT gives each its own listen port, and each sends to
# the other's.
source "$(dirname "$0")/lib.sh"
vk_setup "$1" "$2"

A_DIR=$VK_DIR
A_SOCK=$VK_SOCK
B_DIR=$(mktemp -d "${TMPDIR:-/tmp}/vorkan-e2e.XXXXXX")
B_SOCK="$VK_SOCK-b"
at() {
  case $1 in
    a) VK_DIR=$A_DIR VK_SOCK=$A_SOCK ;;
    b) VK_DIR=$B_DIR VK_SOCK=$B_SOCK ;;
  esac
}
trap 'at b; vk_cleanup; at a; vk_cleanup' EXIT

# Two UDP ports nobody on this computer listens on.
port_in_use() { grep -qi ":$(printf '%04X' "$1") " /proc/net/udp /proc/net/udp6 2>/dev/null; }
free_pair() {
  local p
  for _ in $(seq 1 50); do
    p=$((20000 + RANDOM % 40000))
    if ! port_in_use "$p" && ! port_in_use $((p + 1)); then
      echo "$p"
      return
    fi
  done
  vk_fail "no free UDP ports"
}
PA=$(free_pair)  # A listens here, B sends here
PB=$((PA + 1))

station() {  # call, port to send to
  printf '[Main]\r\nContest=WORLD\r\nCall=%s\r\nWork=0\r\nMode=0\r\n\r\n[Morze]\r\nPort=Null\r\n\r\n' "$1" \
    >"$VK_DIR/vorkan.cfg"
  printf '[NETWORK]\r\nIP=127.0.0.1\r\nPORT=%s\r\nENABLE=1\r\n' "$2" >>"$VK_DIR/vorkan.cfg"
  vk_station
}
at a; station DL1ABC "$PB"
at b; station DL2XYZ "$PA"
start_a() { at a; vk_start_operating VORKAN_NET_LISTEN_PORT="$PA"; }
start_b() { at b; vk_start_operating VORKAN_NET_LISTEN_PORT="$PB"; }

# A QSO at the current station's keyboard.
work() {
  vk_type "$1"
  vk_key Enter
  vk_wait_match "RxNr: +599/"
  vk_type "$2"
  vk_key Enter
  vk_wait_match "QSO: +$3 "
}
# Peer and own checksum from the status line.
checksums() { vk_line "$VK_HEIGHT" | grep -oE '[0-9A-F]{4}:[0-9A-F]{4}' | tail -1; }
# Both status lines show the same pair, and each pair is equal halves: the logs agree.
wait_checksums_agree() {
  local end x y
  end=$(vk_deadline 20)
  while :; do
    at a; x=$(checksums)
    at b; y=$(checksums)
    if [ -n "$x" ] && [ "$x" = "$y" ] && [ "${x%%:*}" = "${x##*:}" ] && [ "$x" != "0000:0000" ]; then
      return
    fi
    [ "$(vk_now)" -lt "$end" ] || vk_fail "checksums A '$x', B '$y'"
    sleep 0.1
  done
}
# B is offered the dialog too, as its count of differing reports passes 10 around the time A's
# does; "Send log" (the default) just goes on answering.
dismiss_sync() {
  if vk_screen | grep -qF "[Synchronization]"; then
    vk_key Enter
    vk_wait_gone "[Synchronization]"
  fi
}
calls_in() { grep -oE '<CALL:[0-9]+>[A-Z0-9/]+' "$1" | sed 's/.*>//' | tr '\n' ' '; }

# --- a QSO logged at A reaches B ------------------------------------------------------------
start_a
start_b
at a
work ok1abc 15 1
at b
vk_wait_for "│OK1ABC      │599 001 │599 15 │"
vk_wait_match "QSO: +1 "
wait_checksums_agree
# The status line says the logs agree.
vk_wait_for "Net: in step"

# --- drift while A is down: repaired by the stations themselves, no dialog, no restart ------
at a
vk_quit
at b
work w1aw 5 2  # A is down: the message is lost
start_a
vk_wait_for "│W1AW        │599 002 │599 5  │" 30
# On screen means in the file.
grep -q "<CALL:4>W1AW" "$A_DIR/vorkan.adi" || vk_fail "W1AW shown at A but not in its vorkan.adi"
wait_checksums_agree
if vk_screen | grep -qF "[Synchronization]"; then vk_fail "a dialog came up over the entry window"; fi

# --- Network setup at B: switched off, written, effective at the next start -------------------
at b
dismiss_sync
vk_key M-F10 Right Down
vk_wait_for "Network setup"
vk_key n
vk_wait_for "[ Network setup ]"
vk_wait_match "IP: +127\.0\.0\.1 "
vk_wait_match "Port: +$PA "
vk_wait_for "( ) Off  (•) On"
vk_key Tab Tab Left
vk_wait_for "(•) Off  ( ) On"
vk_key Enter
vk_wait_for "Restart the program"
vk_key Enter
vk_wait_gone "Restart the program"
grep -q $'^ENABLE=0\r$' "$B_DIR/vorkan.cfg" || vk_fail "ENABLE=0 not written: $(cat "$B_DIR/vorkan.cfg")"
# The running exchange goes on until the end: a QSO at A still reaches B.
at a
work dl1aaa 14 3
at b
vk_wait_match "QSO: +3 "
# Logged in one minute at two stations: the two logs settle into one order.
wait_checksums_agree
at b
vk_quit
grep -q $'^IP=127.0.0.1\r$' "$B_DIR/vorkan.cfg" || vk_fail "IP not kept"
grep -q $"^PORT=$PA"$'\r$' "$B_DIR/vorkan.cfg" || vk_fail "PORT not kept"
grep -q $'^ENABLE=0\r$' "$B_DIR/vorkan.cfg" || vk_fail "ENABLE=0 not kept at the end"
at a
vk_quit
# Both logs hold the three QSOs in one order (within a minute the group orders by Guid).
[ "$(calls_in "$B_DIR/vorkan.adi" | tr ' ' '\n' | sort | tr '\n' ' ')" = "DL1AAA OK1ABC W1AW " ] ||
  vk_fail "B's log: $(calls_in "$B_DIR/vorkan.adi")"
[ "$(calls_in "$A_DIR/vorkan.adi")" = "$(calls_in "$B_DIR/vorkan.adi")" ] ||
  vk_fail "A's log $(calls_in "$A_DIR/vorkan.adi") differs from B's"
grep -q $'^IP=127.0.0.1\r$' "$A_DIR/vorkan.cfg" || vk_fail "A's IP not kept"
echo "ok"
