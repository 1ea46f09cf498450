# Helpers of the tests that run a group of stations, each the real program in a network
# namespace of its own.  The test defines ns (the namespace of station N), DIRS and SOCKS (its
# directory and tmux socket) and SOCK_BASE.
at() { VK_DIR=${DIRS[$1]}; VK_SOCK=${SOCKS[$1]}; }
# Starts station N in its namespace and waits for the desktop; STATION_ENV[N] may hold extra
# VAR=value settings for it.
start_in() {
  at "$1"
  rm -f "$VK_DIR/rc"
  vk_tmux new-session -d -s vk -x "$VK_WIDTH" -y "$VK_HEIGHT" \
    "cd '$VK_DIR' && ip netns exec $(ns "$1") env LANG=C.UTF-8 LC_ALL=C.UTF-8 TERM=tmux-256color VORKAN_DIAGNOSTICS=1 ${STATION_ENV[$1]:-} '$VK_BIN' 2>err.log; echo \$? > rc"
  vk_wait_for "Alt-X Exit" 20
  vk_wait_for "Good luck in the contest!" 20
}
# Types a QSO at the current station; the next one is typed once this one is in the file.
enter_qso() {
  local end
  vk_type "$1"
  vk_key Enter
  vk_wait_match "RxNr: +599/"
  vk_type 15
  vk_key Enter
  end=$(vk_deadline 20)
  until grep -q "<CALL:${#1}>$1<" "$VK_DIR/vorkan.adi" 2>/dev/null; do
    [ "$(vk_now)" -lt "$end" ] || vk_fail "$1 not logged"
    sleep 0.05
  done
}
equal_files() {
  cmp -s "${DIRS[1]}/vorkan.adi" "${DIRS[2]}/vorkan.adi" &&
    cmp -s "${DIRS[1]}/vorkan.adi" "${DIRS[3]}/vorkan.adi"
}
qsos_in() { grep -o "<EOR>" "$1" 2>/dev/null | wc -l; }
