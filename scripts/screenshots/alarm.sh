#!/usr/bin/env bash
# The alarm dialog with a few rows set, opened from the clock's menu ("Alarm"), which reads them
# from settings.ini.
set -euo pipefail

# The files need not exist to be shown.
music=/home/ann/Music
cat >"$DIALTOP_HOME/settings.ini" <<INI
[alarm1]
ison=1
hour=7
minute=30
sound=$music/morning.mp3
[alarm2]
ison=1
hour=13
minute=15
sound=$music/lunch.wav
[alarm3]
ison=0
hour=22
minute=0
sound=None
INI

eval "$(xdotool getwindowgeometry --shell "$CLOCK_WINDOW")"
xdotool mousemove $((X + 40)) $((Y + 20)) click 3
# The menu's seventh item is "Alarm".
sleep 0.5
xdotool key Down Down Down Down Down Down Down Return
window=$(timeout 10 xdotool search --sync --onlyvisible --all --pid "$DIALTOP_PID" --name '^Alarm$' | head -n1)
xdotool mousemove 0 0
sleep 0.5 # the first paint
import -silent -window "$window" "png:$OUTPUT"
