#!/usr/bin/env bash
# The clock expanded over the second country's clock, named and set one hour back in its dialog.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/country-steps.bash"

open_country_dialog
fill_country_dialog Lisbon -60
click_in "$dialog" 70 69 # OK
for _ in $(seq 50); do
    xwininfo -id "$dialog" 2>/dev/null | grep -q IsViewable || break
    sleep 0.1
done
click_in "$CLOCK_WINDOW" 73 28 # the arrow
for _ in $(seq 50); do
    [[ $(xdotool getwindowgeometry --shell "$CLOCK_WINDOW" | grep WIDTH=) == WIDTH=156 ]] && break
    sleep 0.1
done
sleep 1.2 # a tick with the new difference
import -silent -window "$CLOCK_WINDOW" ppm:- | convert ppm:- -scale 400% "png:$OUTPUT"
