#!/usr/bin/env bash
# Runs a command with an X display: the caller's one when it answers, else a
# private Xvfb server that is stopped when the command ends.
set -euo pipefail

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$@"
fi

for n in $(seq 90 140); do
  [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ] || { num=$n; break; }
done
: "${num:?no free X display number}"

Xvfb ":${num}" -screen 0 1920x1080x24 -nolisten tcp >/tmp/arachnovix-xvfb-${num}.log 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
export DISPLAY=":${num}"
for _ in $(seq 1 100); do
  xdpyinfo >/dev/null 2>&1 && break
  sleep 0.1
done
"$@"
