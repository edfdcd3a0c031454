#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test twice: once in a
# normal build, once built with AddressSanitizer + UndefinedBehaviorSanitizer;
# then the model and tool tests once more under ThreadSanitizer, and the
# fuzz targets, built with clang, over their corpora.
# Window tests run on the current display or on a private Xvfb server.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/setup.sh

jobs=$(nproc)
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=${root}/tests/sanitizer/lsan.supp:print_suppressions=0"
export TSAN_OPTIONS="suppressions=${root}/tests/sanitizer/tsan.supp"

build_and_test() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DARACHNOVIX_WERROR=ON "$@"
  cmake --build "$dir" -j "$jobs"
  (cd "$dir" && scripts_dir="$root/scripts" "$root/scripts/with-display.sh" \
     ctest --output-on-failure -j "$jobs" --timeout 600)
}

echo "== format (clang-format, .clang-format) =="
scripts/check-format.sh
echo "format: every C/C++ file as .clang-format says"
echo "== normal build =="
build_and_test build
echo "== AddressSanitizer + UndefinedBehaviorSanitizer build =="
build_and_test build-asan -DARACHNOVIX_SANITIZE=ON -DARACHNOVIX_BUILD_BENCH=OFF
echo "== ThreadSanitizer build (model and command-line tool, which evaluate on several threads) =="
cmake -S . -B build-tsan -G Ninja -DARACHNOVIX_WERROR=ON -DARACHNOVIX_TSAN=ON -DARACHNOVIX_BUILD_BENCH=OFF
cmake --build build-tsan -j "$jobs" --target web_model_tests evolution_tests \
  cli_units cli_runs arachnovix-cli
(cd build-tsan && ctest --output-on-failure -j "$jobs" --timeout 600 -L "web|evolution|cli")
echo "== fuzz targets (clang, libFuzzer): each over its corpus for a fixed number of inputs =="
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DARACHNOVIX_WERROR=ON -DARACHNOVIX_FUZZ=ON \
  -DARACHNOVIX_BUILD_TESTS=OFF -DARACHNOVIX_BUILD_BENCH=OFF
cmake --build build-fuzz -j "$jobs" --target fuzz_targets
(cd build-fuzz && ctest --output-on-failure -j "$jobs" -L fuzz)
echo "== all tests passed in all builds =="
