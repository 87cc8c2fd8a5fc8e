#!/usr/bin/env bash
# docs/tray.png: the tray icon in trayer with the popup menu its right press opens, scaled up twice.
# Run by scripts/screenshot inside a private X session with the program started.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wait.bash"

tray_icon() {
    local id
    for id in $(xwininfo -root -tree | awk '$1 ~ /^0x/ {print $1}'); do
        if [[ $(xprop -id "$id" _NET_WM_PID 2>/dev/null) == *"= $DIALTOP_PID" ]] &&
            xprop -id "$id" _XEMBED_INFO 2>/dev/null | grep -q '='; then
            echo "$id"
            return
        fi
    done
}

popup_menu() {
    local id info
    for id in $(xwininfo -root -children | awk '$1 ~ /^0x/ {print $1}'); do
        info=$(xwininfo -id "$id")
        if grep -q "Override Redirect State: yes" <<<"$info" && grep -q "IsViewable" <<<"$info" &&
            (($(awk '/^  Height:/ {print $2}' <<<"$info") > 150)); then
            echo "$id"
            return
        fi
    done
}

icon=$(wait_for "the icon is not in the tray" tray_icon)

eval "$(xdotool getwindowgeometry --shell "$icon")"
xdotool mousemove --sync $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) mousedown 3
menu=$(wait_for "no menu" popup_menu) || { xdotool mouseup 3; exit 1; }

# The menu and the icon below it, with a margin.
read -r mx my mw mh < <(xwininfo -id "$menu" |
    awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} /^  Width:/ {w=$2} /^  Height:/ {h=$2}
         END {print x, y, w, h}')
read -r width height < <(xwininfo -root | awk '/^  Width:/ {w=$2} /^  Height:/ {h=$2} END {print w, h}')
left=$((mx < X ? mx : X)) top=$((my < Y ? my : Y))
right=$((mx + mw > X + WIDTH ? mx + mw : X + WIDTH)) bottom=$((my + mh > Y + HEIGHT ? my + mh : Y + HEIGHT))
left=$((left > 16 ? left - 16 : 0)) top=$((top > 16 ? top - 16 : 0))
right=$((right + 16 < width ? right + 16 : width)) bottom=$((bottom + 16 < height ? bottom + 16 : height))
import -silent -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage ppm:- |
    convert ppm:- -scale 200% "png:$OUTPUT"
xdotool mouseup 3 key Escape
