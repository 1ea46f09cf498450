# Typing stays instant with a full log: 65,535 QSOs in vorkan.adi (written directly, not typed),
# and the median time from a typed letter to its echo on the tmux screen stays under a generous
# bound (the program's figure is under 5 ms; a loop that waits for its own timers takes 20 and
# more).  The key goes in and the echo comes back through a control client of the tmux server.
set -u
exec python3 "$2/bench/tmux_latency.py" "$1" "$2" --qsos 65535 --keys 25 --qsos-typed 0 --idle 0 \
  --max-echo-median 15
