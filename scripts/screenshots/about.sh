#!/usr/bin/env bash
# The information window, unrolled from the clock's About square, with its live monitor running.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wait.bash"

eval "$(xdotool getwindowgeometry --shell "$CLOCK_WINDOW")"
xdotool mousemove $((X + 42)) $((Y + 30)) click 1

unrolled_window() {
    local wid
    for wid in $(xdotool search --all --pid "$DIALTOP_PID" --name '^System Information$' 2>/dev/null); do
        if xwininfo -id "$wid" | grep -q 'Height: 302$'; then
            echo "$wid"
            return
        fi
    done
}
about=$(wait_for "the information window did not unroll" unrolled_window)
# Two monitor ticks, so the processor figure covers a real interval.
sleep 1
import -silent -window "$about" "png:$OUTPUT"
