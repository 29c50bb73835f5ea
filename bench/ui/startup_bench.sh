#!/usr/bin/env bash
# Start-up time to the main window mapped, and resident memory one second
# later, of Kelvane against a bare Qt window of the same size (the floor), on
# an X display of its own with a window manager. Medians of 10 starts each,
# taken in turns. Prints two rows of the bench table.
#   bench/ui/startup_bench.sh          (the build in $KELVANE_BUILD, default build-release)
set -euo pipefail
self=$(realpath "$0")
cd "$(dirname "$self")/../.."
build=${KELVANE_BUILD:-build-release}
starts=${KELVANE_STARTS:-10}

if [[ "${1:-}" != --on-display ]]; then
    exec bench/ui/xvfb_session.sh "$self" --on-display
fi

watch=$build/bench/ui/window_map_watch
kelvane=$build/kelvane
floor=$build/bench/ui/minimal_window
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# One start each first, so that both find the libraries and fonts in the cache.
"$watch" "$kelvane" >/dev/null
"$watch" "$floor" >/dev/null
for _ in $(seq "$starts"); do
    "$watch" "$kelvane" >>"$tmp/kelvane"
    "$watch" "$floor" >>"$tmp/floor"
done

median() { # column $2 of file $1
    cut -d' ' -f"$2" "$1" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
row() { # figure, Kelvane's value, the floor's, unit, divisor
    awk -v figure="$1" -v ours="$2" -v floor="$3" -v unit="$4" -v divisor="$5" 'BEGIN {
        printf "| %s | %.1f %s | %.1f %s | within 1.3 x floor | %s |\n",
            figure, ours / divisor, unit, floor / divisor, unit, (ours <= 1.3 * floor) ? "yes" : "no" }'
}
row "start-up to window mapped" "$(median "$tmp/kelvane" 1)" "$(median "$tmp/floor" 1)" ms 1
row "resident memory after start" "$(median "$tmp/kelvane" 2)" "$(median "$tmp/floor" 2)" MiB 1024
echo "start-up: $starts starts each; to mapped, Kelvane ms:" $(cut -d' ' -f1 "$tmp/kelvane") \
    "; floor ms:" $(cut -d' ' -f1 "$tmp/floor") >&2
# CPU time to the window mapped is what start-up costs when the machine is not
# busy with anything else.
echo "start-up: median CPU time to mapped, Kelvane $(median "$tmp/kelvane" 3) ms, floor $(median "$tmp/floor" 3) ms" >&2
