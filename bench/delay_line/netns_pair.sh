#!/usr/bin/env bash
# Two network namespaces joined by the userspace delay line:
#   <prefix>-a  10.99.0.1  --dl0 ... delay_line ... dl0--  10.99.0.2  <prefix>-b
#
#   netns_pair.sh up <prefix> <one-way-ms> [--drop]
#   netns_pair.sh down <prefix>
#
# "up" returns once the line carries packets. "down" stops the line and
# deletes both namespaces; it is safe to call for a pair that is half made or
# already gone. The delay_line binary is $DELAY_LINE_BIN, by default the one in
# ${KELVANE_BUILD:-build-release} of this checkout. Needs root.
set -euo pipefail

usage() {
    echo "usage: $0 up <prefix> <one-way-ms> [--drop] | down <prefix>" >&2
    exit 2
}

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${KELVANE_BUILD:-build-release}
[[ $build == /* ]] || build="$root/$build"
delay_line=${DELAY_LINE_BIN:-$build/bench/delay_line/delay_line}

[[ $# -ge 2 ]] || usage
action=$1
prefix=$2
state=/run/kelvane-delay-line
pid_file="$state/$prefix.pid"
log_file="$state/$prefix.log"

down() {
    if [[ -f $pid_file ]]; then
        local pid
        pid=$(cat "$pid_file")
        # Only the line this pair started, and only while it is still that one.
        if [[ $(cat "/proc/$pid/comm" 2>/dev/null) == delay_line ]]; then
            kill -TERM "$pid"
            for _ in $(seq 50); do
                kill -0 "$pid" 2>/dev/null || break
                sleep 0.1
            done
        fi
        rm -f "$pid_file"
    fi
    rm -f "$log_file"
    local side
    for side in a b; do
        ip netns del "$prefix-$side" 2>/dev/null || true
    done
}

up() {
    local one_way=$1
    shift
    [[ -x $delay_line ]] || { echo "$0: no delay_line at $delay_line" >&2; exit 1; }
    mkdir -p "$state"
    local side
    for side in a b; do
        ip netns add "$prefix-$side"
        ip -n "$prefix-$side" link set lo up
    done
    # Real-time priority keeps the set delay when the machine is busy; the line
    # sleeps in poll() between packets, so this costs no CPU.
    local priority=()
    chrt -f 50 true 2>/dev/null && priority=(chrt -f 50)
    "${priority[@]}" "$delay_line" "$prefix-a" "$prefix-b" "$one_way" "$@" >"$log_file" 2>&1 </dev/null &
    echo $! >"$pid_file"
    for _ in $(seq 100); do
        if grep -q '^ready$' "$log_file"; then
            return 0
        fi
        if ! kill -0 "$(cat "$pid_file")" 2>/dev/null; then
            break
        fi
        sleep 0.05
    done
    echo "$0: the delay line did not come up:" >&2
    cat "$log_file" >&2
    down
    exit 1
}

case $action in
up)
    [[ $# -ge 3 && $# -le 4 ]] || usage
    trap 'down' ERR
    up "${@:3}"
    ;;
down)
    [[ $# -eq 2 ]] || usage
    down
    ;;
*)
    usage
    ;;
esac
