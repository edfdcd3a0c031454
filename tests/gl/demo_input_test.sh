#!/usr/bin/env bash
# Drives gl-demo with real X key and mouse events: Ctrl+N and F5 run their
# menu items through GLUT's keyboard callbacks, Shift+F5 does not, a click on
# the "Simulate" title and then on its second row runs "Run 1 Step", and
# Ctrl+Q ends the program with status 0.
set -u
demo=$1
out=$(mktemp)
pid=
trap 'rm -f "$out"; [ -n "$pid" ] && kill "$pid" 2>/dev/null' EXIT

# On a busy machine a connection to the X server can be refused for a
# moment; every X client here is tried again for up to two seconds.
retry() {
  for _ in $(seq 1 20); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

if ! retry xdpyinfo >/dev/null 2>&1; then
  echo "cannot open the X display \"${DISPLAY:-}\": run under scripts/with-display.sh or xvfb-run"
  exit 1
fi
command -v xdotool >/dev/null || { echo "xdotool is not installed"; exit 1; }

# This test is about input. The demo ends through exit(), after which the GL
# driver is unloaded before a leak checker could name its allocations; the
# toolkit's own leaks are checked by the gtest suites.
start_demo() {
  ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" "$demo" >"$out" 2>&1 &
  pid=$!
  for _ in $(seq 1 200); do
    kill -0 "$pid" 2>/dev/null || return 1
    wid=$(xdotool search --name "ovlib_gl demo" 2>/dev/null | head -1)
    [ -n "$wid" ] && return 0
    sleep 0.1
  done
  return 1
}
wid=
for _ in 1 2 3; do
  start_demo && break
  wait "$pid" 2>/dev/null
  pid=
done
[ -n "$wid" ] || { echo "the demo window did not appear:"; cat "$out"; exit 1; }

retry xdotool windowfocus --sync "$wid"
sleep 0.5
retry xdotool key ctrl+n
retry xdotool key F5
retry xdotool key shift+F5
# "File" ends before x = 62 and "Simulate" reaches past x = 137 for any
# face between 8 and 10 pixels per character; rows are 22 pixels high.
# Other tests' windows may appear on the same display: raise the demo's
# before each click.
retry xdotool windowraise "$wid" mousemove --window "$wid" 75 10 click 1
sleep 0.3
retry xdotool windowraise "$wid" mousemove --window "$wid" 90 54
sleep 0.3
retry xdotool windowraise "$wid" click 1
sleep 0.3
retry xdotool key ctrl+q
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
