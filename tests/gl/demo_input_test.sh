#!/usr/bin/env bash
# Drives gl-demo with real X key and mouse events: Ctrl+N and F5 run their
# menu items through GLUT's keyboard callbacks, Shift+F5 does not, a click on
# the "Simulate" title and then on its second row runs "Run 1 Step", and
# Ctrl+Q ends the program with status 0.
set -u
demo=$1
out=$(mktemp)
trap 'rm -f "$out"; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null' EXIT

if ! xdpyinfo >/dev/null 2>&1; then
  echo "cannot open the X display \"${DISPLAY:-}\": run under scripts/with-display.sh or xvfb-run"
  exit 1
fi
command -v xdotool >/dev/null || { echo "xdotool is not installed"; exit 1; }

# This test is about input. The demo ends through exit(), after which the GL
# driver is unloaded before a leak checker could name its allocations; the
# toolkit's own leaks are checked by the gtest suites.
ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" "$demo" >"$out" 2>&1 &
pid=$!
wid=$(timeout 20 xdotool search --sync --name "ovlib_gl demo" | head -1)
[ -n "$wid" ] || { echo "the demo window did not appear"; exit 1; }
xdotool windowmove "$wid" 0 0
xdotool windowfocus --sync "$wid"
sleep 0.5
xdotool key ctrl+n
xdotool key F5
xdotool key shift+F5
# "File" ends before x = 62 and "Simulate" reaches past x = 137 for any
# face between 8 and 10 pixels per character; rows are 22 pixels high.
xdotool mousemove --window "$wid" 75 10 click 1
sleep 0.3
xdotool mousemove --window "$wid" 90 54
sleep 0.3
xdotool click 1
sleep 0.3
xdotool key ctrl+q
for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
wait "$pid"
status=$?
pid=
expected=$'New\nRunning\nOne step\nExit'
actual=$(grep -v '^LGL' "$out")
if [ "$status" -ne 0 ] || [ "$actual" != "$expected" ]; then
  echo "status $status; expected:"; echo "$expected"; echo "got:"; cat "$out"
  exit 1
fi
echo "demo reacted to keys and clicks as expected"
