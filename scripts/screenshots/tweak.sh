#!/usr/bin/env bash
# The tweak editor opened from the clock's menu, below the clock, with "Initial Keys' State" chosen.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wait.bash"

registry=$XDG_CONFIG_HOME/dialtop/registry
mkdir -p "$registry"
cat >"$registry/HKEY_CURRENT_USER.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Control Panel\Desktop]
"MenuShowDelay"="400"
"PaintDesktopVersion"=dword:00000001

[HKEY_CURRENT_USER\Control Panel\Keyboard]
"InitialKeyboardIndicators"="2"
REG

# The editor is the program's 540x392 window titled "dialtop".
editor() {
    xwininfo -root -tree | sed -n 's/^ *\(0x[0-9a-f]*\) "dialtop": .* 540x392+.*/\1/p' | head -n1
}

eval "$(xdotool getwindowgeometry --shell "$CLOCK_WINDOW")"
xdotool mousemove --sync $((X + 41)) $((Y + 14)) click 3
sleep 0.5
# Always On Top, Transparency, Scedule Shutdown, Scedule Reboot, Additional Country Settings, Tweaking
xdotool key --delay 50 Down Down Down Down Down Down Return
window=$(wait_for "the editor did not open" editor)

eval "$(xdotool getwindowgeometry --shell "$window")"
left=$X
# The list's first line, then down to the twenty-first.
xdotool mousemove --sync $((X + 60)) $((Y + 48)) click 1
xdotool key --delay 20 $(printf 'Down %.0s' $(seq 20))
xdotool mousemove $((X + 400)) $((Y + 300))
sleep 0.5
# The clock and the editor below it.
import -silent -window root -crop "540x436+${left}+0" +repage "png:$OUTPUT"
