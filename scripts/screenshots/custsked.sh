#!/usr/bin/env bash
# The custom schedule dialog under the clock, composing 01:30:00, scaled up three times.
# It is cancelled afterwards: this scenario never confirms a schedule.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wait.bash"

read -r screen_width _ < <(xdotool getdisplaygeometry)
clock_left=$((screen_width - 83))

# The popup menu, "Scedule Shutdown", then up from ABORT past "Now!" to "Custom".
xdotool mousemove $((clock_left + 41)) 14 click 3
sleep 0.5
xdotool key --delay 80 Down Down Down Right Up Up Return

# The dialog opens narrowed to 100 pixels, right-aligned with the clock, just below it.
narrow_window() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$DIALTOP_PID" 2>/dev/null); do
        if xwininfo -id "$id" | grep -q 'Width: 100$'; then
            echo "$id"
            return
        fi
    done
}
dialog=$(wait_for "the custom dialog did not open" narrow_window)

left=$((screen_width - 100))
xdotool mousemove $((left + 74)) $((44 + 12)) click 1
xdotool mousemove $((left + 74)) $((44 + 31)) click --repeat 30 --delay 30 1
xdotool mousemove $((left - 60)) 300
sleep 0.5

import -silent -window root -crop "100x131+${left}+0" ppm:- | convert ppm:- +repage -scale 300% "png:$OUTPUT"

# CANCEL.
xdotool mousemove $((left + 67)) $((44 + 72)) click 1
