# The radio through rigctld (Hamlib's dummy radio, started here on a free loopback port): the
# entry window follows the radio, a QSO is logged on the radio's frequency, Alt+F2 moves the
# radio, a stopped rigctld shows "Rig: no answer" while logging goes on, and a restarted one is
# found again by itself.
source "$(dirname "$0")/lib.sh"
vk_setup "$1" "$2"
command -v rigctld >/dev/null || { echo "rigctld is not installed: skipped"; exit 0; }
VK_WIDTH=132
VK_HEIGHT=50
PORT=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
RIGCTLD=0
start_rigctld() {
  rigctld -m 1 -T 127.0.0.1 -t "$PORT" >/dev/null 2>&1 &
  RIGCTLD=$!
  local end
  end=$(vk_deadline 5)
  until rigctl -m 2 -r "127.0.0.1:$PORT" f >/dev/null 2>&1; do
    [ "$(vk_now)" -lt "$end" ] || vk_fail "rigctld did not start"
    sleep 0.05
  done
}
stop_rigctld() {
  [ "$RIGCTLD" = 0 ] && return
  kill "$RIGCTLD" 2>/dev/null
  wait "$RIGCTLD" 2>/dev/null
  RIGCTLD=0
}
trap 'stop_rigctld; vk_cleanup' EXIT
rig() { rigctl -m 2 -r "127.0.0.1:$PORT" "$@"; }

vk_station_config WORLD DL1ABC
printf "\r\n[Rig]\r\nModel=2\r\nDevice=127.0.0.1:%s\r\nPoll=100\r\n" "$PORT" >>"$VK_DIR/vorkan.cfg"
start_rigctld
rig F 7025000 M CW 0

vk_start_operating
vk_wait_for '7025.0  CW'
vk_wait_for 'Rig: 7025.0'
# Tuned at the radio: the window follows (polled every 100 ms).  The time is printed; it
# includes the test's own screen polling, so only a follow slower than two seconds fails here.
rig F 7030000
t0=$(vk_now)
vk_wait_for '7030.0  CW' 2
echo "the window followed the radio in $(($(vk_now) - t0)) ms"

vk_type dl2aaa
vk_key Enter
vk_wait_for "599/"
vk_type 14
vk_key Enter
vk_wait_match "QSO: +1 "
grep -q '<FREQ:4>7.03' "$VK_DIR/vorkan.adi" || vk_fail "QSO not logged on the radio's frequency"

# Alt+F2: the radio goes to the next band's standard frequency.
vk_key M-F2
end=$(vk_deadline 3)
until [ "$(rig f)" = 14020000 ]; do
  [ "$(vk_now)" -lt "$end" ] || vk_fail "radio not moved by Alt+F2: $(rig f)"
  sleep 0.05
done
vk_wait_for '14020.0  CW'

# rigctld stops: the status says so, and logging goes on at the last frequency.
stop_rigctld
vk_wait_for 'Rig: no answer'
vk_type ok1abc
vk_key Enter
vk_wait_for "599/"
vk_type 15
vk_key Enter
vk_wait_match "QSO: +2 "
grep -q '<FREQ:5>14.02' "$VK_DIR/vorkan.adi" || vk_fail "QSO not logged while the radio was silent"

# rigctld is back: found again by itself.
start_rigctld
rig F 3525000 M CW 0
vk_wait_for '3525.0  CW'
vk_wait_gone 'Rig: no answer'
vk_quit
