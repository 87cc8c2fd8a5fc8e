# Steps shared by the scenarios of the second country's clock (sourced, not run).

source "$(dirname "${BASH_SOURCE[0]}")/wait.bash"

# Clicks at a point given in a window's own coordinates.
click_in() { # window x y
    eval "$(xdotool getwindowgeometry --shell "$1")"
    xdotool mousemove --sync $((X + $2)) $((Y + $3)) click 1
}

# Opens "Additional Country Settings" from the clock's menu and sets $dialog to its window.
open_country_dialog() {
    eval "$(xdotool getwindowgeometry --shell "$CLOCK_WINDOW")"
    xdotool mousemove --sync $((X + 41)) $((Y + 14)) click 3
    sleep 0.5
    xdotool key --delay 50 Down Down Down Down Down Return
    dialog=$(wait_for "no country dialog" country_dialog)
}

# xdotool's search misses the dialog once the window manager has framed it: read the tree.
country_dialog() {
    xwininfo -root -tree | sed -n 's/^ *\(0x[0-9a-f]*\) "dialtop": .*  187x83+.*/\1/p' | head -n1
}

fill_country_dialog() { # name minutes
    click_in "$dialog" 140 12
    xdotool key ctrl+a && xdotool type --delay 30 "$1"
    click_in "$dialog" 140 32
    xdotool key ctrl+a
    # xdotool would read a leading minus as an option.
    [[ $2 == -* ]] && xdotool key minus
    xdotool type --delay 30 "${2#-}"
}
