#!/usr/bin/env bash
# Runs a command on an X display of its own, Xvfb with the openbox window
# manager on a free display number, and ends both afterwards.
#   bench/ui/xvfb_session.sh COMMAND [ARGS...]
set -uo pipefail

tmp=$(mktemp -d)
xvfb_pid=
openbox_pid=
end_session() {
    [[ -n $openbox_pid ]] && kill "$openbox_pid" 2>/dev/null
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
    wait
    rm -rf "$tmp"
}
trap end_session EXIT
trap 'exit 130' INT TERM

wait_for() { # tries a test every 50 ms, 20 s at most (the machine may be busy)
    for _ in $(seq 400); do
        "$@" && return 0
        sleep 0.05
    done
    return 1
}

# Xvfb picks the display number and writes it once it takes clients.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$tmp/display" >/dev/null 2>&1 &
xvfb_pid=$!
if ! wait_for grep -qs . "$tmp/display"; then
    echo "xvfb_session: Xvfb did not start" >&2
    exit 1
fi
export DISPLAY=":$(head -n1 "$tmp/display")"

openbox --sm-disable >"$tmp/openbox.log" 2>&1 &
openbox_pid=$!
# The window manager announces itself on the root window once it is ready.
if ! wait_for eval 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"'; then
    echo "xvfb_session: openbox did not start on $DISPLAY:" >&2
    cat "$tmp/openbox.log" >&2
    exit 1
fi

mkdir -m 700 "$tmp/runtime"
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$tmp/runtime}
"$@"
