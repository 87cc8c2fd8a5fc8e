#!/usr/bin/env bash
# docs/penguin.png: the penguin window a few seconds after Alt+Ctrl+R, the whole screen.
# Run by scripts/screenshot inside a private X session with the program started.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wait.bash"

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
wait_for "no penguin window" covering_window >/dev/null
sleep 6 # a dozen penguin ticks
import -silent -window root "png:$OUTPUT"
xdotool key Escape
