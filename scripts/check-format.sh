#!/usr/bin/env bash
# Checks that every tracked C/C++ file is formatted as .clang-format says.
# Exits non-zero and names the files (with the differing lines) otherwise.
#   scripts/check-format.sh            every tracked file
#   scripts/check-format.sh FILE...    only these
# To reformat instead: clang-format -i FILE...
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$#" -gt 0 ]; then
  files=("$@")
else
  mapfile -t files < <(git ls-files '*.c' '*.cpp' '*.h')
fi
[ "${#files[@]}" -gt 0 ] || exit 0
clang-format --dry-run --Werror "${files[@]}"
