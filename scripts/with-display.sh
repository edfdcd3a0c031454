#!/usr/bin/env bash
# Runs a command with an X display: the caller's one when it answers, else a
# private Xvfb server that is stopped when the command ends.
set -euo pipefail

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$@"
fi

# Xvfb picks a free display number itself and writes it to the given file
# descriptor once it accepts connections, so parallel runs never collide.
# -noreset: without it the server resets whenever its last client leaves,
# and a client connecting during the reset loses its connection.
numfile=$(mktemp)
log=$(mktemp /tmp/arachnovix-xvfb.XXXXXX)
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset 3>"$numfile" >"$log" 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null || true; rm -f "$numfile"' EXIT
for _ in $(seq 1 200); do
  [ -s "$numfile" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || { cat "$log" >&2; echo "with-display: Xvfb did not start" >&2; exit 1; }
  sleep 0.05
done
num=$(head -n1 "$numfile" | tr -d '[:space:]')
[ -n "$num" ] || { echo "with-display: Xvfb gave no display number" >&2; exit 1; }
export DISPLAY=":${num}"
"$@"
