# Sourced by scripts that drive Folivo on a private X server (the Xvfb smoke test, the
# screenshot script). Gives:
#   work           a temporary folder, removed on exit with the X server and the program
#   app_pid        set it to the program's pid so that exit stops the program too
#   wait_for N CMD...   runs CMD every 0.1 s until it succeeds, at most N times
#   visible NAME   id of the first mapped window whose title matches the regex NAME
#   shown NAME     whether such a window exists
#   start_private_x WIDTHxHEIGHT   starts Xvfb on a free display and exports DISPLAY
export LC_ALL=C.UTF-8
work=$(mktemp -d)
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

# start_folivo NAME PROGRAM SANE_CONFIG: runs Folivo over the program folder
# $work/program, as a user whose home and settings live in $work, with SANE_CONFIG as
# SANE's configuration; its status lines go to $work/status-NAME.log. Waits for the start
# line and answers the pid in $started.
start_folivo() {
    mkdir -p "$work/program" "$work/user" "$work/config" "$work/data"
    HOME="$work/user" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
        FOLIVO_HOME="$work/program" FOLIVO_STATUS_LOG="$work/status-$1.log" \
        SANE_CONFIG_DIR="$3" QT_QPA_PLATFORM=xcb "$2" >"$work/app-$1.log" 2>&1 &
    started=$!
    wait_for 150 grep -qx "アプリケーションを開始しました。" "$work/status-$1.log" 2>/dev/null
}
