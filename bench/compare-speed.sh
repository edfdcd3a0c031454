#!/usr/bin/env bash
# Speed of this tree beside another (e.g. main) in one run on one machine:
#   bench/compare-speed.sh BUILD_DIR [OTHER_BUILD_DIR]
# Each build dir must hold bin/web_bench, bin/evolution_bench and
# bin/arachnovix-cli (a normal RelWithDebInfo build). Prints the load before
# every figure, because a shared machine slows every run. evolution_bench's
# reused_% is the share of webs copied instead of built.
set -euo pipefail
mine=$1
other=${2:-}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

load() { echo "   [load: $(cut -d' ' -f1-3 /proc/loadavg)]"; }

web() {
  echo "== $1: web_bench (dense web build, evaluation)"; load
  "$1/bin/web_bench" --benchmark_filter='BuildDense|CaptureDenseGrid|EvaluateDenseGrid|Population60Grid' \
    --benchmark_repetitions=3 --benchmark_report_aggregates_only=true 2>/dev/null | grep -E '_median|^BM'
}

generations() {
  echo "== $1: evolution_bench (one generation)"; load
  "$1/bin/evolution_bench" --benchmark_filter='BM_Generation' --benchmark_min_time=2 2>/dev/null | grep '^BM'
}

# Wall time and peak memory of 10,000 generations at population 60 (100
# prey), with the given extra options.
tenThousand() {
  local cli=$1/bin/arachnovix-cli; shift
  # Files are compared by their published fields: a build that writes a
  # continuation record is told to leave it out.
  if "$cli" evolve --help 2>&1 | grep -q -- '--plain'; then set -- "$@" --plain; fi
  echo "== $cli evolve --seed 1 --population 60 --generations 10000 $*"; load
  /usr/bin/time -f "   %e s wall, %U s user, %S s system, %M KB peak memory" \
    "$cli" evolve --seed 1 --population 60 --generations 10000 --quiet "$@" --out "$out/run.axv"
  sha256sum "$out/run.axv" | cut -c1-16
}

for b in $other $mine; do web "$b"; done
for b in $other $mine; do generations "$b"; done
if [ -n "$other" ]; then tenThousand "$other"; fi
tenThousand "$mine" --threads 1
tenThousand "$mine" --threads 2
echo "== the same with web reuse switched off (must give the same file)"
ARACHNOVIX_NO_WEB_REUSE=1 tenThousand "$mine" --threads 2
# The attack models, without a target.
for attack in dist dist+grav; do
  if [ -n "$other" ]; then tenThousand "$other" --attack "$attack"; fi
  tenThousand "$mine" --threads 2 --attack "$attack"
done
