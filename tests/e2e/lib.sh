# End-to-end test helpers: the real program runs in a detached tmux session on a private
# socket, keys go in with send-keys, the screen comes back with capture-pane.  Every wait polls
# the screen against a deadline; nothing sleeps a fixed time.
#
#   source "$(dirname "$0")/lib.sh"
#   vk_setup "$1" "$2"        # binary, source tree; makes a station directory
#   vk_start                  # or: vk_start VAR=value ... (extra environment)
#   vk_wait_for "Alt-X Exit"
#   vk_key M-x
#   [ "$(vk_wait_exit)" = 0 ] || vk_fail "exit code"
set -u
# Column arithmetic on screen lines counts characters, not bytes.
export LC_ALL=C.UTF-8

VK_WIDTH=100
VK_HEIGHT=30
VK_TIMEOUT=${VK_TIMEOUT:-10}

vk_setup() {
  VK_BIN=$(readlink -f "$1")
  VK_SRC=$(readlink -f "$2")
  VK_DIR=$(mktemp -d "${TMPDIR:-/tmp}/vorkan-e2e.XXXXXX")
  VK_SOCK="vk-e2e-$$-$RANDOM"
  mkdir -p "$VK_DIR/data"
  trap vk_cleanup EXIT
}

# A working directory laid out like the operator's: shipped rules and a configuration that
# names the World contest and the call N0CALL.
vk_station() {
  bash "$VK_SRC/scripts/prepare-station.sh" "$VK_DIR" >/dev/null
}

vk_cleanup() {
  tmux -L "$VK_SOCK" kill-server >/dev/null 2>&1
  rm -rf "$VK_DIR"
}

vk_tmux() { env -u TMUX tmux -L "$VK_SOCK" -f /dev/null "$@"; }

# Starts the program in the station directory; extra arguments are VAR=value pairs.
vk_start() {
  rm -f "$VK_DIR/rc"
  # English screen texts unless a test asks for Russian (Language=ru, or LANGUAGE=ru after these).
  # VORKAN_DIAGNOSTICS=1: the last key code (vk_key_sync) and the checksums on the status line.
  local envs="LANG=C.UTF-8 LC_ALL=C.UTF-8 LANGUAGE=en TERM=tmux-256color VORKAN_DIAGNOSTICS=1 $*"
  local cmd="cd '$VK_DIR' && env $envs '$VK_BIN' 2>err.log; echo \$? > rc"
  vk_tmux new-session -d -s vk -x "$VK_WIDTH" -y "$VK_HEIGHT" "$cmd"
}

vk_running() { [ ! -f "$VK_DIR/rc" ]; }

vk_screen() { vk_tmux capture-pane -p -t vk 2>/dev/null; }

# Line n (1-based) of the screen.
vk_line() { vk_screen | sed -n "${1}p"; }

# The text of line n from 0-based column c, len characters (characters, not bytes).
vk_cell() {
  local line
  line=$(vk_line "$1")
  echo "${line:$2:$3}"
}

vk_fail() {
  echo "FAIL: $*" >&2
  echo "----- screen -----" >&2
  vk_screen >&2
  echo "----- stderr -----" >&2
  cat "$VK_DIR/err.log" >&2 2>/dev/null
  exit 1
}

vk_deadline() { echo $(($(date +%s%N) / 1000000 + ${1:-$VK_TIMEOUT} * 1000)); }
vk_now() { echo $(($(date +%s%N) / 1000000)); }

# Waits until the screen shows the text (fixed string).
vk_wait_for() {
  local text=$1 end
  end=$(vk_deadline "${2:-}")
  until vk_screen | grep -qF -- "$text"; do
    [ "$(vk_now)" -lt "$end" ] || vk_fail "timed out waiting for: $text"
    sleep 0.05
  done
}

# Waits until the screen matches an extended regular expression.
vk_wait_match() {
  local re=$1 end
  end=$(vk_deadline "${2:-}")
  until vk_screen | grep -qE -- "$re"; do
    [ "$(vk_now)" -lt "$end" ] || vk_fail "timed out waiting for /$re/"
    sleep 0.05
  done
}

vk_wait_gone() {
  local text=$1 end
  end=$(vk_deadline "${2:-}")
  while vk_screen | grep -qF -- "$text"; do
    [ "$(vk_now)" -lt "$end" ] || vk_fail "timed out waiting for the end of: $text"
    sleep 0.05
  done
}

# Sends keys one by one (tmux key names: F1, M-F10, Escape, Enter, Down, M-x ...).
vk_key() {
  local k
  for k in "$@"; do vk_tmux send-keys -t vk "$k"; done
}

# Sends one key and waits until the status line shows its PC code as the last key ("3B00").
# Keys that follow an Esc must not be sent before it is taken, or the terminal reads them as
# an Alt combination; this is the way to wait for that.
vk_key_sync() {
  vk_key "$1"
  vk_wait_for "\$$2"
}

# Waits for the program to end and prints its exit code.
vk_wait_exit() {
  local end
  end=$(vk_deadline "${1:-}")
  while vk_running; do
    [ "$(vk_now)" -lt "$end" ] || vk_fail "program did not end"
    sleep 0.05
  done
  cat "$VK_DIR/rc"
}

# Starts and waits for the desktop.
vk_start_desktop() {
  vk_start "$@"
  vk_wait_for "Alt-X Exit"
  vk_wait_match "[0-9]{2}:[0-9]{2}:[0-9]{2} UTC$"
}

# Ends with Alt+X and checks the exit code.
vk_quit() {
  vk_key M-x
  local rc
  rc=$(vk_wait_exit)
  [ "$rc" = 0 ] || vk_fail "exit code $rc after Alt+X"
}

# Types literal text (characters that tmux would read as options or key names).
vk_type() { vk_tmux send-keys -t vk -l -- "$1"; }

# --- Operating windows ---------------------------------------------------------------------

# Waits until the text at line `row`, 0-based column `col`, is exactly `text`.
vk_wait_cell() {
  local row=$1 col=$2 text=$3 end
  end=$(vk_deadline "${4:-}")
  until [ "$(vk_cell "$row" "$col" ${#text})" = "$text" ]; do
    [ "$(vk_now)" -lt "$end" ] ||
      vk_fail "line $row column $col: '$(vk_cell "$row" "$col" ${#text})', not '$text'"
    sleep 0.05
  done
}

# The first screen line (1-based) that holds the text, or nothing.
vk_row_of() { vk_screen | grep -nF -- "$1" | head -1 | cut -d: -f1; }

# The terminal cursor as "column,line", both 0-based.
vk_cursor() { vk_tmux display -p -t vk '#{cursor_x},#{cursor_y}'; }

# Waits until the cursor stands at 0-based column and line.
vk_wait_cursor() {
  local want="$1,$2" end
  end=$(vk_deadline "${3:-}")
  until [ "$(vk_cursor)" = "$want" ]; do
    [ "$(vk_now)" -lt "$end" ] || vk_fail "cursor at $(vk_cursor), not $want"
    sleep 0.05
  done
}

# A station directory with the shipped rules and country files and a configuration of its
# own: vk_station_config CONTEST CALL [extra Main lines, each ending in \r\n].
vk_station_config() {
  printf "[Main]\r\nContest=%s\r\nCall=%s\r\nWork=0\r\nMode=0\r\n${3:-}\r\n[Morze]\r\nPort=Null\r\n" \
    "$1" "$2" >"$VK_DIR/vorkan.cfg"
  vk_station
}

# Starts the program and waits until the operating windows are open (the entry window's
# greeting shows).
vk_start_operating() {
  vk_start_desktop "$@"
  vk_wait_for "Good luck in the contest!"
}

# A left (button 0) or right (button 2) mouse click at 0-based column and line.
vk_click() {
  local b=$1 x=$(($2 + 1)) y=$(($3 + 1))
  vk_tmux send-keys -t vk -l $'\e[<'"$b;$x;$y"'M'
  vk_tmux send-keys -t vk -l $'\e[<'"$b;$x;$y"'m'
}
