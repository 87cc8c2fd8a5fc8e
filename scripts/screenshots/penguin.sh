#!/usr/bin/env bash
# docs/penguin.png: the penguin window a few seconds after Alt+Ctrl+R, the whole screen.
# Run by scripts/screenshot inside a private X session with the program started.
set -euo pipefail

read -r width height < <(xwininfo -root | awk '/^  Width:/ {w=$2} /^  Height:/ {h=$2} END {print w, h}')

# The program's window covering the screen (xdotool search misses windows a window manager reparented).
covering_window() {
    local id
    for id in $(xwininfo -root -tree | awk -v size="${width}x${height}+" '$1 ~ /^0x/ && index($0, size) {print $1}'); do
        if [[ $(xprop -id "$id" _NET_WM_PID 2>/dev/null) == *"= $DIALTOP_PID" ]]; then
            echo "$id"
            return
        fi
    done
}

xdotool key alt+ctrl+r
for _ in $(seq 100); do
    [[ -n $(covering_window) ]] && break
    sleep 0.1
done
[[ -n $(covering_window) ]] || { echo "penguin.sh: no penguin window" >&2; exit 1; }
sleep 6 # a dozen penguin ticks
import -silent -window root "png:$OUTPUT"
xdotool key Escape
