# Sourced by the scenarios (not run): waiting for what the program shows.

# Runs a command every 0.1 s until it prints something, for up to 10 s, and prints that; otherwise
# says what did not happen and fails.
wait_for() { # what-failed command...
    local what=$1 found
    shift
    for _ in $(seq 100); do
        found=$("$@")
        [[ -n $found ]] && { echo "$found"; return 0; }
        sleep 0.1
    done
    echo "${0##*/}: $what" >&2
    return 1
}
