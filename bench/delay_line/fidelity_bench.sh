#!/usr/bin/env bash
# How faithfully a probe measures a connect, and how evenly a continuous run
# paces its probes. Prints markdown table rows:
#   | figure | ours | reference | target | met |
#
# Fidelity: 20 probes each over the delay line at round trips of 5, 50 and
# 300 ms, against curl's time_connect and nping's TCP-connect rtt to the same
# HTTP responder. Error is |measured - round trip| in ms; ours should be no
# larger than theirs and within 1 ms.
# Pacing: a 60-probe continuous run against a loopback listener; the mean
# period should exceed 1000 ms + mean elapsed by at most 5 ms.
#
# Needs root, /dev/net/tun, curl and nmap (nping). KELVANE_BUILD names the
# build directory (default build-release).
set -euo pipefail
cd "$(dirname "$0")/../.."

build=${KELVANE_BUILD:-build-release}
probe_tool=$(realpath "$build/bench/delay_line/probe_tool")
export DELAY_LINE_BIN=$(realpath "$build/bench/delay_line/delay_line")
netns_pair=bench/delay_line/netns_pair.sh
python=/usr/bin/python3

peer=10.99.0.2
port=8080
probes=20
pacing_probes=60
prefix=kdlbench$$
tmp=$(mktemp -d)
responder=
listener=

cleanup() {
    [[ -n $responder ]] && kill "$responder" 2>/dev/null || true
    [[ -n $listener ]] && kill "$listener" 2>/dev/null || true
    "$netns_pair" down "$prefix"
    rm -rf "$tmp"
}
trap cleanup EXIT

# Every measuring tool, ours and the references alike, runs at real-time
# priority (as the delay line does), so that a busy machine's scheduling delays
# stay out of the comparison.
measured=()
chrt -f 40 true 2>/dev/null && measured=(chrt -f 40)

in_a() { ip netns exec "$prefix-a" "${measured[@]}" "$@"; }

row() { printf '| %s | %s | %s | %s | %s |\n' "$@"; }

# Mean and max of |sample - set| over the samples on stdin.
errors() {
    awk -v set="$1" '{ e = $1 - set; if (e < 0) e = -e; sum += e; if (e > max) max = e; n++ }
                     END { printf "%.2f %.2f\n", sum / n, max }'
}

verdict() { # ours reference [limit]: ours <= reference and ours <= limit
    awk -v ours="$1" -v ref="$2" -v limit="${3:-1}" 'BEGIN { print (ours <= ref && ours <= limit) ? "yes" : "no" }'
}

fidelity() {
    local round_trip=$1
    local one_way
    one_way=$(awk -v rt="$round_trip" 'BEGIN { print rt / 2 }')
    "$netns_pair" up "$prefix" "$one_way" >/dev/null
    mkdir -p "$tmp/www"
    ip netns exec "$prefix-b" "$python" -m http.server "$port" --bind "$peer" --directory "$tmp/www" \
        >/dev/null 2>&1 &
    responder=$!
    # Waiting for the responder also warms the path up for every tool alike.
    for _ in $(seq 100); do
        in_a curl -s -o /dev/null "http://$peer:$port/" && break
        sleep 0.1
    done

    local ours curl nping
    ours=$(for _ in $(seq "$probes"); do
        in_a "$probe_tool" once "$peer" "$port" | awk '/^elapsed_ms:/ { print $2 }'
    done | errors "$round_trip")
    curl=$(for _ in $(seq "$probes"); do
        in_a curl -s -o /dev/null -w '%{time_connect}\n' "http://$peer:$port/" | awk '{ print $1 * 1000 }'
    done | errors "$round_trip")
    # nping reports max, min and average only: its mean error is taken as
    # |avg - round trip|, exact when no sample lies below the round trip.
    # One connect at a time: nping does not wait for one to end before the next.
    nping=$(in_a nping --tcp-connect -p "$port" -c "$probes" --delay "$((2 * round_trip + 100))ms" "$peer" |
        awk -v set="$round_trip" -F'[|:]' '/Avg rtt/ {
            for (i = 1; i < NF; i++) { v = $(i + 1) + 0
                if ($i ~ /Max rtt/) max = v; if ($i ~ /Min rtt/) min = v; if ($i ~ /Avg rtt/) avg = v }
            a = avg - set; if (a < 0) a = -a; hi = max - set; lo = set - min
            printf "%.2f %.2f\n", a, (hi > lo ? hi : lo) }')

    kill "$responder"
    wait "$responder" 2>/dev/null || true
    responder=
    "$netns_pair" down "$prefix"

    local ours_mean ours_max curl_mean curl_max nping_mean nping_max
    read -r ours_mean ours_max <<<"$ours"
    read -r curl_mean curl_max <<<"$curl"
    read -r nping_mean nping_max <<<"$nping"
    local figure="connect error at $round_trip ms round trip, $probes probes (ms)"
    row "$figure, mean, vs curl time_connect" "$ours_mean" "$curl_mean" "<= reference and <= 1" \
        "$(verdict "$ours_mean" "$curl_mean")"
    row "$figure, max, vs curl time_connect" "$ours_max" "$curl_max" "<= reference and <= 1" \
        "$(verdict "$ours_max" "$curl_max")"
    row "$figure, mean, vs nping --tcp-connect" "$ours_mean" "$nping_mean" "<= reference and <= 1" \
        "$(verdict "$ours_mean" "$nping_mean")"
    row "$figure, max, vs nping --tcp-connect" "$ours_max" "$nping_max" "<= reference and <= 1" \
        "$(verdict "$ours_max" "$nping_max")"
}

pacing() {
    # A listener on a free loopback port; it writes the port once it listens.
    "$python" -c '
import socket
server = socket.socket()
server.bind(("127.0.0.1", 0))
server.listen(64)
print(server.getsockname()[1], flush=True)
while True:
    server.accept()[0].close()
' >"$tmp/port" &
    listener=$!
    for _ in $(seq 100); do
        [[ -s $tmp/port ]] && break
        sleep 0.05
    done

    local mean_period spread mean_elapsed overhead
    read -r mean_period spread mean_elapsed overhead < <(
        "${measured[@]}" "$probe_tool" run 127.0.0.1 "$(cat "$tmp/port")" "$pacing_probes" | awk '
            # The period after a probe set against that probe'\''s elapsed.
            $8 != "-" { p = $8; sum += p; sq += p * p; n++; elapsed += previous }
            { previous = $6 }
            END { mean = sum / n; var = sq / n - mean * mean; if (var < 0) var = 0
                  printf "%.2f %.2f %.2f %.2f\n", mean, sqrt(var), elapsed / n, mean - 1000 - elapsed / n }')
    kill "$listener"
    wait "$listener" 2>/dev/null || true
    listener=

    local figure="continuous run on loopback, $pacing_probes probes: period between probe starts (ms)"
    row "$figure, mean" "$mean_period" "1000 + mean elapsed $mean_elapsed" \
        "overhead (mean - 1000 - elapsed) <= 5; here $overhead" \
        "$(awk -v o="$overhead" 'BEGIN { print (o <= 5) ? "yes" : "no" }')"
    row "$figure, spread (stddev)" "$spread" "-" "<= 5" \
        "$(awk -v s="$spread" 'BEGIN { print (s <= 5) ? "yes" : "no" }')"
}

for round_trip in 5 50 300; do
    fidelity "$round_trip"
done
pacing
