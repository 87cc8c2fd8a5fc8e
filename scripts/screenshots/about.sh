#!/usr/bin/env bash
# The information window, unrolled from the clock's About square, with its live monitor running.
set -euo pipefail

eval "$(xdotool getwindowgeometry --shell "$CLOCK_WINDOW")"
xdotool mousemove $((X + 42)) $((Y + 30)) click 1

about=
for _ in $(seq 100); do
    for wid in $(xdotool search --all --pid "$DIALTOP_PID" --name '^System Information$' 2>/dev/null); do
        if xwininfo -id "$wid" | grep -q 'Height: 302$'; then
            about=$wid
        fi
    done
    [[ -n $about ]] && break
    sleep 0.1
done
[[ -n $about ]] || { echo "about.sh: the information window did not unroll" >&2; exit 1; }
# Two monitor ticks, so the processor figure covers a real interval.
sleep 1
import -silent -window "$about" "png:$OUTPUT"
