# Sourced by scripts that drive Folivo on a private X server (the Xvfb smoke test, the
# screenshot script). Gives:
#   work           a temporary folder, removed on exit with the X server and the program
#   app_pid        set it to the program's pid so that exit stops the program too
#   wait_for N CMD...   runs CMD every 0.1 s until it succeeds, at most N times
#   visible NAME   id of the first mapped window whose title matches the regex NAME
#   shown NAME     whether such a window exists
#   start_private_x WIDTHxHEIGHT   starts Xvfb on a free display and exports DISPLAY
#   fail MESSAGE   ends the script, showing the program's logs
#   stopped PID    whether that process has ended
export LC_ALL=C.UTF-8
work=$(mktemp -d)
# In the sanitizer build, leaks of system libraries and of SANE itself are not the program's.
folivo_tests=$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/../tests
cat "$folivo_tests/shell/lsan_system_libraries.supp" "$folivo_tests/scan/data/lsan.supp" >"$work/lsan.supp"
export LSAN_OPTIONS="suppressions=$work/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
xvfb_pid="" app_pid=""
folivo_session_cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap folivo_session_cleanup EXIT

wait_for() {
    local tries=$1 attempt
    shift
    for ((attempt = 0; attempt < tries; attempt++)); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# press_until WINDOW KEY TRIES COMMAND...: a window may take a moment to accept keys after
# it is mapped, so press KEY again (up to 10 times) until COMMAND holds within TRIES checks.
press_until() {
    local window=$1 key=$2 tries=$3 try
    shift 3
    for ((try = 0; try < 10; try++)); do
        xdotool windowfocus --sync "$window" key "$key" 2>/dev/null || true
        wait_for "$tries" "$@" && return 0
    done
    return 1
}

fail() {
    echo "FAIL: $*" >&2
    cat "$work"/status*.log "$work"/app*.log >&2 2>/dev/null
    exit 1
}
stopped() { ! kill -0 "$1" 2>/dev/null; }
visible() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1; }
shown() { test -n "$(visible "$1")"; }

start_private_x() {
    # Xvfb picks a free display itself and writes its number to the given descriptor.
    Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    wait_for 100 test -s "$work/display" || {
        echo "Xvfb did not start: $(cat "$work/xvfb.log")" >&2
        return 1
    }
    export DISPLAY=":$(head -n1 "$work/display")"
}

# start_folivo NAME PROGRAM SANE_CONFIG: runs Folivo in $work over the program folder
# $work/program, as a user whose home and settings live in $work, with SANE_CONFIG as
# SANE's configuration; its status lines go to $work/status-NAME.log. Waits for the start
# line and answers the pid in $started.
start_folivo() {
    mkdir -p "$work/program" "$work/user" "$work/config" "$work/data"
    local program preload=() sane
    program=$(realpath -s "$2") # absolute, but a link stays a link
    # The sanitizer build unloads libsane, and libsane its backend, before leaks are
    # reported; preloaded, both stay mapped so that the suppressions can name them.
    if ldd "$program" 2>/dev/null | grep -q libasan; then
        sane=$(ldconfig -p | awk '/libsane\.so\.1 / {print $NF; exit}')
        preload=("LD_PRELOAD=$sane $(dirname "$sane")/sane/libsane-test.so.1"
            "ASAN_OPTIONS=verify_asan_link_order=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}")
    fi
    (cd "$work" && exec env "${preload[@]}" HOME="$work/user" XDG_CONFIG_HOME="$work/config" \
        XDG_DATA_HOME="$work/data" FOLIVO_HOME="$work/program" \
        FOLIVO_STATUS_LOG="$work/status-$1.log" SANE_CONFIG_DIR="$3" QT_QPA_PLATFORM=xcb \
        "$program" >"$work/app-$1.log" 2>&1) &
    started=$!
    wait_for 150 grep -qx "アプリケーションを開始しました。" "$work/status-$1.log" 2>/dev/null
}
