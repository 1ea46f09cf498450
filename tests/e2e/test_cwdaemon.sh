# Keying through cwdaemon (no hardware, no sound; started here on a free loopback port): F1
# goes out and the CW window shows PTT until cwdaemon reports the text keyed; Esc stops a long
# message at once; the speed keys and F10's repetition work as with the serial keyer.
source "$(dirname "$0")/lib.sh"
vk_setup "$1" "$2"
[ -x /usr/sbin/cwdaemon ] || { echo "cwdaemon is not installed: skipped"; exit 0; }
PORT=$(python3 -c 'import socket; s=socket.socket(socket.AF_INET, socket.SOCK_DGRAM); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
/usr/sbin/cwdaemon -n -d null -x n -p "$PORT" >/dev/null 2>&1 &
CWDAEMON=$!
trap 'kill $CWDAEMON 2>/dev/null; wait $CWDAEMON 2>/dev/null; vk_cleanup' EXIT

printf '[Main]\r\nContest=WORLD\r\nCall=UA3ABC\r\nWork=0\r\nMode=0\r\n\r\n[Morze]\r\nPort=Null\r\nKeyer=cwdaemon\r\nCwdaemon=127.0.0.1:%s\r\nSpeed=30\r\n\r\n[CWMESSAGE]\r\nKeyF1=TU $\r\nKeyF2=CQ CQ CQ TEST $ $ TEST\r\nKeyF10=CQ\r\n' \
  "$PORT" >"$VK_DIR/vorkan.cfg"
vk_station
vk_start_operating
vk_wait_for "[ CW ]"
vk_wait_for "cwdaemon 127.0.0"
vk_wait_for "■30■15]"

# F1: on the air until cwdaemon's reply, then the marks go.
vk_key_sync F1 3B00
vk_wait_for "■PTT■CW■"
vk_wait_gone "■PTT■" 5
vk_wait_gone "TU UA3ABC"

# A long message at a slow speed, stopped with Esc.
for _ in 1 2 3 4 5 6 7 8 9 10; do vk_key M-F11; done
vk_wait_for "■20■15]"
vk_key_sync F2 3C00
vk_wait_for "■PTT■"
vk_key_sync Escape 011B
vk_wait_gone "■PTT■" 2
vk_wait_gone "CQ CQ CQ"

# F10 calls again and again; Esc ends it.
vk_key_sync F10 4400
vk_wait_for "■PTT■"
vk_wait_gone "■PTT■" 5
vk_wait_for "■PTT■" 5
vk_key_sync Escape 011B
vk_wait_gone "■PTT■" 2
vk_quit
