# Nothing typed is lost: 50 QSOs typed at full speed, each in one burst with Home, End, Left,
# Right and Del among the letters in the forms tmux, screen, xterm, rxvt and the Linux console
# send them, under TERM=screen-256color and under TERM=linux.  Every QSO must reach the log
# with its call and exchange whole.  Then a call typed while the band map has the focus, and
# across Alt+B, Esc, Alt+B, lands in Call and is logged with the Enter after it.
source "$(dirname "$0")/lib.sh"
vk_setup "$1" "$2"

# The editing keys as the terminals send them; in each QSO they move the cursor away and back,
# so the text typed is what lands.
HOME=($'\e[1~' $'\e[7~' $'\eOH' $'\e[H')
END=($'\e[4~' $'\e[8~' $'\eOF' $'\e[F')
LEFT=($'\e[D' $'\eOD')
RIGHT=($'\e[C' $'\eOC')
DEL=$'\e[3~'
PREFIXES=(DL OK G F I SP OH SM LA PA)

call_of() { echo "${PREFIXES[$(($1 % 10))]}$(($1 % 7))$(printf "\\x$(printf %x $((65 + $1 / 10)))")X$(printf "\\x$(printf %x $((65 + $1 % 26)))")"; }

for term in screen-256color linux; do
  rm -rf "$VK_DIR"/* && mkdir -p "$VK_DIR/data"
  vk_station
  vk_start_operating TERM=$term LANGUAGE=en
  burst=""
  for i in $(seq 0 49); do
    call=$(call_of "$i")
    h=${HOME[$((i % 4))]} e=${END[$(((i + 1) % 4))]} l=${LEFT[$((i % 2))]} r=${RIGHT[$((i % 2))]}
    # Call in two parts with Home and End between them; the serial with Left, Right and a Del
    # at the end of the line (which deletes nothing).
    burst+="${call:0:2}${h}${e}${call:2}"$'\r'"$((i + 100))${l}${r}${DEL}"$'\r'
  done
  vk_tmux send-keys -t vk -l -- "$burst"
  VK_TIMEOUT=30 vk_wait_match "QSO: +50 "
  for i in $(seq 0 49); do
    call=$(call_of "$i")
    grep -q "<CALL:${#call}>$call<.*<RST_RCVD:7>599 $((i + 100))<" "$VK_DIR/vorkan.adi" ||
      vk_fail "TERM=$term: QSO $i ($call, 599 $((i + 100))) not in the log as typed"
  done
  [ "$(grep -c '<EOR>' "$VK_DIR/vorkan.adi")" = 50 ] || vk_fail "TERM=$term: not 50 QSOs"
  vk_quit
done

# The band map (assisted, no node needed to show it) takes the focus; what is typed goes to Call.
printf '\r\n[Cluster]\r\nHost=127.0.0.1\r\nPort=9\r\nAssisted=1\r\n' >>"$VK_DIR/vorkan.cfg"
vk_start_operating TERM=linux LANGUAGE=en
vk_key_sync M-b 3000
vk_wait_for "Band map"
vk_type "ok1"
vk_key_sync Escape 011B
vk_key_sync M-b 3000
vk_type "aa"$'\r'"7"$'\r'
vk_wait_match "QSO: +51 "
grep -q "<CALL:5>OK1AA<.*<RST_RCVD:5>599 7<" "$VK_DIR/vorkan.adi" ||
  vk_fail "the call typed in the band map was not logged whole"
vk_screen | grep -qF "Band map" || vk_fail "the band map went away"
vk_quit
