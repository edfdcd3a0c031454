#!/usr/bin/env bash
# The private X server of scripts/with-display.sh must outlive its clients'
# comings and goings: a server that resets when its last client leaves drops
# a client that connects during the reset (window tests failed that way on a
# loaded machine). A reset also clears the root window's properties, which
# makes it visible: a property set by one client must still be there for the
# next.
#
# usage: display_noreset.sh SCRIPTS_DIR
set -euo pipefail
scripts=$1
out=$(env -u DISPLAY "$scripts/with-display.sh" sh -c \
  'xprop -root -f ARACHNOVIX_PROBE 8s -set ARACHNOVIX_PROBE kept && sleep 0.5 &&
   xprop -root ARACHNOVIX_PROBE')
case "$out" in
  *'"kept"'*) echo "display: the private server keeps its state between clients" ;;
  *) echo "FAIL: the private X server reset between two clients: $out" >&2; exit 1 ;;
esac
