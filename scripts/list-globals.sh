#!/bin/sh
# Lists the writable variables with static storage that the model libraries
# define (globals, static members, function-local statics and thread-local
# variables), one "library: section name" line each, from the symbol tables
# of the built libraries: what one run could share with another. Constants
# (read-only sections) are not listed.
# Usage: scripts/list-globals.sh LIBDIR  (e.g. build/lib)
#        scripts/list-globals.sh LIBDIR --check ALLOWED
# With --check, fails (status 1) naming every variable that ALLOWED (one
# listed line each) does not hold.
set -eu
libdir=${1:?usage: list-globals.sh LIBDIR [--check ALLOWED]}
if [ "${2:-}" = "--check" ]; then
    allowed=${3:?list-globals: --check needs the list of allowed variables}
    extra=$("$0" "$libdir" | grep -vxF -f "$allowed" || true)
    if [ -n "$extra" ]; then
        echo "list-globals: variables with static storage not in $allowed:" >&2
        echo "$extra" >&2
        exit 1
    fi
    echo "list-globals: every variable is in $allowed"
    exit 0
fi
for lib in arachnovix_web arachnovix_evolution; do
    archive="$libdir/lib$lib.a"
    [ -f "$archive" ] || { echo "list-globals: no $archive" >&2; exit 2; }
    # Objects in .bss, .data, .tbss or .tdata (and their .local forms):
    # writable after start-up, unlike .data.rel.ro. Guard variables and the
    # compiler's own references (DW.ref.*, sanitizer and local labels) are left
    # out.
    objdump -t -C "$archive" |
        awk -v lib="$lib" -F '\t' '{
            split($1, head, " ");
            section = head[length(head)];
            name = $2; sub(/^[0-9a-f]+ +/, "", name); sub(/^\.hidden /, "", name);
            if (section ~ /^\.(t?bss|t?data|data\.rel\.local)(\..*)?$/ && section !~ /rel\.ro/ &&
                head[2] != "d" && $1 !~ /\*UND\*/ && name !~ /^guard variable/ &&
                name !~ /^DW\.ref\./ && name !~ /^(__(asan|tsan|ubsan|sancov|odr_asan)|\.L)/ &&
                name != section)
                print lib ": " section " " name }' |
        sort -u
done
