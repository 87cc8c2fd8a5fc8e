# Shared by scripts/run, scripts/test and bench/run; sourced, not run.
#   DIALTOP_BUILD_DIR   the main build tree (default: build)
#   DIALTOP_JOBS        parallel compile jobs (default: the number of processors)

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=$(realpath -m "${DIALTOP_BUILD_DIR:-$root/build}")
jobs=${DIALTOP_JOBS:-$(nproc)}

say() { echo "$(realpath --relative-to="$root" "$0"): $*" >&2; }

# quietly LOG COMMAND...: runs the command with its output in LOG; shows the end of LOG on failure.
quietly() {
    local log=$1
    shift
    mkdir -p "$(dirname "$log")"
    if ! "$@" >"$log" 2>&1; then
        tail -n 80 "$log" >&2
        say "failed: $* (whole output in $log)"
        return 1
    fi
}

# cache_has DIR NAME=VALUE...: true when DIR/CMakeCache.txt gives every NAME exactly that VALUE
# (whatever type the cache recorded for it).
cache_has() {
    local cache=$1/CMakeCache.txt entry
    shift
    [[ -f $cache ]] || return 1
    for entry in "$@"; do
        [[ $(grep -m1 "^${entry%%=*}:[A-Z]*=" "$cache" | cut -d= -f2-) == "${entry#*=}" ]] || return 1
    done
}

# configure DIR NAME=VALUE... -- CMAKE-ARGS...: configures a Ninja tree. CMake runs every time (it
# takes well under a second on a configured tree, and it is what notices a test folder or file that
# appeared since), but says so only when the cache lacks one of the wanted values.
configure() {
    local dir=$1 entries=()
    shift
    while (($# > 0)) && [[ $1 != -- ]]; do entries+=("$1"); shift; done
    shift
    cache_has "$dir" "${entries[@]}" || say "configuring ${dir#"$root"/}"
    local generator=()
    [[ -f $dir/CMakeCache.txt ]] || generator=(-G Ninja)
    quietly "$dir/configure.log" cmake -S "$root" -B "$dir" "${generator[@]}" "$@"
}

# build DIR [TARGET...]: builds with Ninja; says so only when there is something to do.
build() {
    local dir=$1
    shift
    if ! ninja -C "$dir" -n "$@" 2>/dev/null | grep -q '^ninja: no work to do'; then
        say "building ${dir#"$root"/} ${*:-(all)} with $jobs jobs (log: ${dir#"$root"/}/build.log)"
    fi
    local targets=()
    (($# > 0)) && targets=(--target "$@")
    quietly "$dir/build.log" cmake --build "$dir" --parallel "$jobs" "${targets[@]}"
}
