# Three stations of one group on one Ethernet segment (a bridge with a veth leg per network
# namespace, the real program in each), set up without listing each other: first with the
# segment's broadcast address, then with a multicast group.  Each station logs QSOs; every
# station ends with all of them, the three vorkan.adi files equal byte for byte, and no station
# takes its own datagrams, echoed back by the segment, for another's.  Reached that way, every
# host of the segment is heard: without KEY= (or PEERS=) the network does not start and the
# operator is told why; the group here has a key.
#
# Needs root for the namespaces; skips with a message only when they cannot be made at all.
source "$(dirname "$0")/lib.sh"
vk_setup "$1" "$2"
PER=5
PORT=23456
TAG="vb$$"
NET=10.$((100 + $$ % 150)).7
ns() { echo "${TAG}s$1"; }

DIRS=()
SOCKS=()
cleanup() {
  for i in 1 2 3; do
    [ -n "${DIRS[$i]:-}" ] && { VK_DIR=${DIRS[$i]}; VK_SOCK=${SOCKS[$i]}; vk_cleanup; }
    ip netns del "$(ns "$i")" 2>/dev/null
    ip link del "${TAG}h$i" 2>/dev/null
  done
  ip link del "${TAG}br" 2>/dev/null
  rm -rf "$VK_DIR"
}
trap cleanup EXIT

if ! ip netns add "$(ns 1)" 2>/dev/null || ! ip link add "${TAG}br" type bridge 2>/dev/null; then
  echo "SKIP: network namespaces or a bridge cannot be made here (needs root)"
  exit 0
fi
# Multicast is flooded to every leg, as on a switch without snooping.
ip link set "${TAG}br" type bridge mcast_snooping 0 2>/dev/null || true
ip link set "${TAG}br" up
for i in 1 2 3; do
  [ "$i" = 1 ] || ip netns add "$(ns "$i")"
  ip link add "${TAG}h$i" type veth peer name "${TAG}n$i"
  ip link set "${TAG}h$i" master "${TAG}br"
  ip link set "${TAG}h$i" up
  ip link set "${TAG}n$i" netns "$(ns "$i")"
  ip netns exec "$(ns "$i")" ip addr add "$NET.$i/24" brd + dev "${TAG}n$i"
  ip netns exec "$(ns "$i")" ip link set "${TAG}n$i" up
  ip netns exec "$(ns "$i")" ip link set lo up
  ip netns exec "$(ns "$i")" ip route add 224.0.0.0/4 dev "${TAG}n$i"
done

SOCK_BASE=$VK_SOCK
source "$(dirname "$0")/group_lib.sh"

# One round: fresh stations whose IP= is `$1` and whose [NETWORK] ends with `$3`, PER QSOs at
# each, all files equal.
round() {
  local i k end letters=({A..Z})
  for i in 1 2 3; do
    DIRS[$i]=$(mktemp -d "${TMPDIR:-/tmp}/vorkan-e2e.XXXXXX")
    SOCKS[$i]="$SOCK_BASE-$i"
    at "$i"
    vk_station
    printf '[Main]\r\nContest=WORLD\r\nCall=RK3A\r\nWork=0\r\nMode=0\r\n\r\n[Morze]\r\nPort=Null\r\n\r\n' >"$VK_DIR/vorkan.cfg"
    printf '[NETWORK]\r\nIP=%s\r\nPORT=%s\r\nENABLE=1\r\nSTATION=%s\r\n%s' "$1" "$PORT" "$i" "$3" >>"$VK_DIR/vorkan.cfg"
  done
  for i in 1 2 3; do start_in "$i"; done
  for k in $(seq 1 "$PER"); do
    for i in 1 2 3; do at "$i"; enter_qso "K$i${letters[$k]}${letters[$i]}"; done
  done
  end=$(vk_deadline 30)
  until equal_files && [ "$(qsos_in "${DIRS[1]}/vorkan.adi")" = $((3 * PER)) ]; do
    if [ "$(vk_now)" -ge "$end" ]; then
      for i in 1 2 3; do echo "== station $i"; tail -8 "${DIRS[$i]}/debug.txt"; done >&2
      vk_fail "$2: files differ: $(for i in 1 2 3; do qsos_in "${DIRS[$i]}/vorkan.adi"; done | tr '\n' ' ')"
    fi
    sleep 0.2
  done
  echo "$2: $((3 * PER)) QSOs at three stations, three equal files"
  for i in 1 2 3; do
    at "$i"
    vk_quit
    vk_cleanup
    DIRS[$i]=
  done
}

# Broadcast without a key: the station works on alone and says why.
DIRS[1]=$(mktemp -d "${TMPDIR:-/tmp}/vorkan-e2e.XXXXXX")
SOCKS[1]="$SOCK_BASE-1"
at 1
vk_station
printf '[Main]\r\nContest=WORLD\r\nCall=RK3A\r\nWork=0\r\nMode=0\r\n\r\n[Morze]\r\nPort=Null\r\n\r\n' >"$VK_DIR/vorkan.cfg"
printf '[NETWORK]\r\nIP=%s\r\nPORT=%s\r\nENABLE=1\r\n' "$NET.255" "$PORT" >>"$VK_DIR/vorkan.cfg"
start_in 1
vk_wait_for "Network not started"
vk_key Enter
vk_wait_gone "Network not started"
vk_quit
vk_cleanup
DIRS[1]=

round "$NET.255" "broadcast" $'KEY=segment-seven\r\n'
round "239.77.7.$((1 + $$ % 200))" "multicast" "PEERS=$NET.1,$NET.2,$NET.3"$'\r\n'
echo "ok"
