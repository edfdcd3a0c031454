#!/usr/bin/env bash
# Installs the build into a temporary prefix and uses what was installed: the
# command-line tool, the Python module, a program built against the libraries
# with pkg-config and with find_package, and the program started with a run
# file as argument.
set -euo pipefail
build=$1; here=$2; work=$3; python=${4:-}
prefix="$work/prefix"
rm -rf "$work"; mkdir -p "$work"

fail() { echo "install test: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >"$work/install.log"
core_so=$(find "$prefix" -name 'libovlib_core.so' -print -quit)
[ -n "$core_so" ] || fail "libovlib_core.so not installed"
libdir=$(dirname "${core_so#"$prefix"/}")
for lib in ovlib_core ovlib_ea ovlib_gl; do
  so=$(readlink -f "$prefix/$libdir/lib$lib.so")
  soname=$(objdump -p "$so" | awk '/SONAME/ {print $2}')
  [ "$soname" = "lib$lib.so.1" ] || fail "$lib has SONAME '$soname'"
  [ -e "$prefix/$libdir/pkgconfig/$lib.pc" ] || fail "no pkg-config file for $lib"
done
for f in bin/arachnovix bin/arachnovix-cli \
         share/applications/org.arachnovix.Arachnovix.desktop \
         share/metainfo/org.arachnovix.Arachnovix.metainfo.xml \
         share/mime/packages/arachnovix.xml \
         share/icons/hicolor/scalable/apps/org.arachnovix.Arachnovix.svg \
         share/icons/hicolor/48x48/apps/org.arachnovix.Arachnovix.png \
         share/icons/hicolor/256x256/apps/org.arachnovix.Arachnovix.png \
         include/ovlib/core/LRandom.h include/ovlib/ea/EAPInteger.h include/ovlib/gl/LGLMenu.h; do
  [ -e "$prefix/$f" ] || fail "missing $f"
done

# The installed tool runs from its prefix, with no help from the build tree.
run="$work/run.axv"
env -u LD_LIBRARY_PATH "$prefix/bin/arachnovix-cli" evolve --seed 7 --population 6 \
    --generations 3 --quiet --out "$run"
env -u LD_LIBRARY_PATH "$prefix/bin/arachnovix-cli" info "$run" >"$work/info.txt"
grep -q "1.0.0.1" "$work/info.txt" || fail "info does not show the version"

# The installed Python module imports from a clean shell and breeds the
# installed tool's run (when the build made it).
if [ -n "$python" ]; then
  pydir=$(find "$prefix" -path '*-packages/arachnovix/__init__.py' -printf '%h\n' -quit)
  [ -n "$pydir" ] || fail "the Python module is not installed"
  env -i HOME="$work" PATH=/usr/bin:/bin PYTHONPATH="$(dirname "$pydir")" "$python" -c "
import sys, arachnovix
assert arachnovix.__file__.startswith('$prefix'), arachnovix.__file__
arachnovix.evolve(seed=7, population=6, generations=3).save(sys.argv[1])
" "$work/run-py.axv" || fail "the installed Python module does not work"
  cmp -s "$run" "$work/run-py.axv" || fail "the installed Python module breeds another run"
fi

# A program built against the installed libraries through pkg-config ...
export PKG_CONFIG_PATH="$prefix/$libdir/pkgconfig"
c++ -std=c++17 "$here/consumer/main.cpp" -o "$work/consumer-pc" \
    $(pkg-config --cflags --libs ovlib_ea ovlib_core) -Wl,-rpath,"$prefix/$libdir"
"$work/consumer-pc" | grep -q "consumer ok" || fail "pkg-config consumer failed"

# ... and through find_package.
cmake -S "$here/consumer" -B "$work/consumer-build" -G Ninja \
      -DCMAKE_PREFIX_PATH="$prefix" >"$work/consumer-cmake.log"
cmake --build "$work/consumer-build" >>"$work/consumer-cmake.log"
"$work/consumer-build/consumer" | grep -q "consumer ok" || fail "find_package consumer failed"

# The installed program opens a run file given on its command line.
[ -n "${DISPLAY:-}" ] || fail "no display for the program"
log="$work/program.log"
env -u LD_LIBRARY_PATH "$prefix/bin/arachnovix" "$run" >"$log" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
win=""
for _ in $(seq 1 100); do
  win=$(xdotool search --pid "$pid" --name "Arachnovix" 2>/dev/null | head -n1 || true)
  [ -n "$win" ] && break
  kill -0 "$pid" 2>/dev/null || { cat "$log" >&2; fail "program exited early"; }
  sleep 0.2
done
[ -n "$win" ] || fail "no window of the installed program"
# The class and the icon are set just after the window appears; on a loaded
# machine they may come a little later, so wait for them as for the window.
has_property() {
  for _ in $(seq 1 100); do
    xprop -id "$win" "$1" 2>/dev/null | grep -q "$2" && return 0
    kill -0 "$pid" 2>/dev/null || { cat "$log" >&2; fail "program exited early"; }
    sleep 0.2
  done
  return 1
}
has_property WM_CLASS '"Arachnovix"' || fail "WM_CLASS not set: $(xprop -id "$win" WM_CLASS)"
has_property _NET_WM_ICON 'Icon' || fail "window icon not set"
sleep 2
kill -0 "$pid" 2>/dev/null || { cat "$log" >&2; fail "program died after opening the file"; }
if grep -q "Cannot read file" "$log"; then fail "the run file was refused"; fi

# The run has 6 spiders, shown as a 3 x 2 grid; the program's own first
# population has 24 (6 x 4). In the 6 x 4 grid a white frame border runs down
# x = 216 ... 218 through every row of cells; in the 3 x 2 grid that column is
# the middle of a web, with no white line in it.
shot="$work/program.png"
import -window "$win" "$shot"
white_rows=$(convert "$shot" -crop 9x700+213+150 +repage -fill black +opaque white \
               -scale 1x700! -threshold 0 txt:- | grep -c -i 'white\|#FFFFFF' || true)
if [ "$white_rows" -gt 350 ]; then
  fail "the program shows its own 24 spiders, not the 6 of the run file ($white_rows white rows; see $shot)"
fi
echo "install test: ok ($prefix)"
