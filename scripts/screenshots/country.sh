#!/usr/bin/env bash
# The second country's dialog, filled in, under the clock: the area of both, scaled up twice.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/country-steps.bash"

open_country_dialog
fill_country_dialog Lisbon -60
sleep 0.5 # the typed text painted
eval "$(xdotool getwindowgeometry --shell "$dialog")" # X Y WIDTH HEIGHT of the dialog
import -silent -window root -crop "${WIDTH}x$((HEIGHT + Y))+${X}+0" ppm:- |
    convert ppm:- -scale 200% "png:$OUTPUT"
