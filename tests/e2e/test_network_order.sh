# The stations of a group end on one log, byte for byte, whatever the network does.  Each
# station is the real program in a network namespace of its own, joined through a relay of this
# test that loses, doubles and delays datagrams (50-90 ms, so they overtake each other).
#
#   1. three stations at 30 % loss, serials continuing the shared log (SERIALS=LOG);
#   2. four stations at 10 % loss, one of them with a clock 90 s ahead, serials per station
#      (SERIALS=STATION); station 1 is cut off for 30 s while everybody goes on logging, then
#      joins again.
#
# After the last QSO of each, every vorkan.adi must become the same file, every score window
# must show the same claimed score, and no Synchronization dialog may come up anywhere.  The
# time from the last QSO to equal files is printed for each.  Needs root for the namespaces;
# skips with a message only when they cannot be made at all.
source "$(dirname "$0")/lib.sh"
vk_setup "$1" "$2"
RELAY="$VK_SRC/tests/e2e/tools/lossy_relay.py"
PORT=23457
TAG="vo$$"
NET=10.$((100 + ($$ + 75) % 150))
ns() { echo "${TAG}s$1"; }

DIRS=()
SOCKS=()
STATION_ENV=()
RELAY_PID=
cleanup() {
  for i in 1 2 3 4; do
    [ -n "${DIRS[$i]:-}" ] && { VK_DIR=${DIRS[$i]}; VK_SOCK=${SOCKS[$i]}; vk_cleanup; }
    ip netns del "$(ns "$i")" 2>/dev/null
    ip link del "${TAG}h$i" 2>/dev/null
  done
  [ -n "$RELAY_PID" ] && kill "$RELAY_PID" 2>/dev/null
  rm -rf "$VK_DIR"
}
trap cleanup EXIT

if ! ip netns add "$(ns 1)" 2>/dev/null; then
  echo "SKIP: network namespaces cannot be created here (needs root and ip netns)"
  exit 0
fi
for i in 1 2 3 4; do
  [ "$i" = 1 ] || ip netns add "$(ns "$i")"
  ip link add "${TAG}h$i" type veth peer name "${TAG}n$i"
  ip link set "${TAG}n$i" netns "$(ns "$i")"
  ip addr add "$NET.$i.1/24" dev "${TAG}h$i"
  ip link set "${TAG}h$i" up
  ip netns exec "$(ns "$i")" ip addr add "$NET.$i.2/24" dev "${TAG}n$i"
  ip netns exec "$(ns "$i")" ip link set "${TAG}n$i" up
  ip netns exec "$(ns "$i")" ip link set lo up
done
relay() {  # loss, then the stations it links
  [ -n "$RELAY_PID" ] && { kill "$RELAY_PID"; wait "$RELAY_PID" 2>/dev/null; }
  local loss=$1 pairs=() i
  shift
  for i in "$@"; do pairs+=("$NET.$i.1" "$NET.$i.2"); done
  python3 "$RELAY" "$PORT" "$loss" 0.05 50 40 "${pairs[@]}" &
  RELAY_PID=$!
}

SOCK_BASE=$VK_SOCK
source "$(dirname "$0")/group_lib.sh"
configure() {  # station, serials
  printf '[Main]\r\nContest=WORLD\r\nCall=RK3A\r\nWork=0\r\nMode=0\r\n\r\n[Morze]\r\nPort=Null\r\n\r\n' >"$VK_DIR/vorkan.cfg"
  printf '[NETWORK]\r\nIP=%s\r\nPORT=%s\r\nENABLE=1\r\nSTATION=%s\r\nKEY=order-group\r\nSERIALS=%s\r\n' \
    "$NET.$1.1" "$PORT" "$1" "$2" >>"$VK_DIR/vorkan.cfg"
}
for i in 1 2 3 4; do
  DIRS[$i]=$(mktemp -d "${TMPDIR:-/tmp}/vorkan-e2e.XXXXXX")
  SOCKS[$i]="$SOCK_BASE-$i"
  at "$i"
  vk_station
done

letters=({A..Z})
prefixes=(X DL F OK G)
n=0
# One QSO at each of the stations named, in turn: all of them are logging at once.
round() {
  local i
  for i in "$@"; do
    n=$((n + 1))
    at "$i"
    enter_qso "${prefixes[$i]}$((n % 9 + 1))${letters[$((n / 26 % 26))]}${letters[$((n % 26))]}"
  done
}

same_files() {
  local i
  for i in "${@:2}"; do cmp -s "${DIRS[$1]}/vorkan.adi" "${DIRS[$i]}/vorkan.adi" || return 1; done
}
no_dialog() {
  local i
  for i in "$@"; do
    at "$i"
    vk_screen | grep -qF "[Synchronization]" && vk_fail "a Synchronization dialog at station $i"
  done
  return 0
}
score_of() { at "$1"; vk_screen | grep -oE "[0-9]+ \* [0-9]+ = [0-9]+" | head -1; }
# Waits for equal files at the stations named, then for one claimed score on every screen.
settle() {  # scenario name, stations...
  local name=$1 t0 end i s first
  shift
  t0=$(vk_now)
  end=$(vk_deadline 60)
  until same_files "$@"; do
    [ "$(vk_now)" -lt "$end" ] ||
      vk_fail "$name: files differ: $(for i in "$@"; do qsos_in "${DIRS[$i]}/vorkan.adi"; done | tr '\n' ' ')"
    sleep 0.1
  done
  echo "$name: equal files $(( $(vk_now) - t0 )) ms after the last QSO ($(qsos_in "${DIRS[$1]}/vorkan.adi") QSOs)"
  end=$(vk_deadline 10)
  for i in "$@"; do
    first=$(score_of "$1")
    until s=$(score_of "$i") && [ -n "$s" ] && [ "$s" = "$first" ]; do
      [ "$(vk_now)" -lt "$end" ] || vk_fail "$name: station $i shows '$s', station $1 '$first'"
      sleep 0.2
      first=$(score_of "$1")
    done
  done
  echo "$name: claimed score $first at every station"
  no_dialog "$@"
}

# --- 1. three stations, 30 % loss, one serial sequence for the group ----------------------------
relay 0.30 1 2 3
for i in 1 2 3; do at "$i"; configure "$i" LOG; start_in "$i"; done
for _ in 1 2 3 4 5 6; do round 1 2 3; no_dialog 1 2 3; done
settle "3 stations, 30 % loss, SERIALS=LOG" 1 2 3
sent=$(grep -oE "<RST_SENT:[0-9]+>[^<]*" "${DIRS[1]}/vorkan.adi" | sed 's/.*>//' | sort | uniq -d)
echo "$sent" | grep -q . && echo "note: serials sent twice by stations logging at once: $sent"

# --- 2. four stations, 10 % loss, a clock 90 s ahead, a split of 30 s ----------------------------
for i in 1 2 3; do at "$i"; vk_quit; done
relay 0.10 1 2 3 4
STATION_ENV[4]="VORKAN_CLOCK_OFFSET=90"
for i in 1 2 3 4; do at "$i"; configure "$i" STATION; start_in "$i"; done
for _ in 1 2; do round 1 2 3 4; done
kill -USR1 "$RELAY_PID"
split_end=$(vk_deadline 30)
while [ "$(vk_now)" -lt "$split_end" ]; do round 1 2 3 4; done
kill -USR2 "$RELAY_PID"
for _ in 1 2; do round 1 2 3 4; done
settle "4 stations, 10 % loss, clock +90 s, 30 s split, SERIALS=STATION" 1 2 3 4
sent=$(grep -oE "<RST_SENT:[0-9]+>[^<]*" "${DIRS[1]}/vorkan.adi" | sed 's/.*>//')
[ "$(echo "$sent" | sort | uniq -c | awk '$1 > 4')" = "" ] || vk_fail "a serial sent by more than four stations"
echo "ok"
