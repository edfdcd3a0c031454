#!/usr/bin/env bash
# Sets up the machine, builds Arachnovix and starts it on the current desktop.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build -j "$(nproc)"
if [ ! -x build/bin/arachnovix ]; then
  echo "run: the program is not built yet (build/bin/arachnovix missing)" >&2
  exit 1
fi
exec build/bin/arachnovix "$@"
