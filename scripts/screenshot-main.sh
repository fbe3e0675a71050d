#!/usr/bin/env bash
# Takes the manual's picture of the main window: starts Folivo on a private X server
# (SANE's virtual test scanner stands in for a real one, so no box covers the window),
# waits for its start-up and saves the window as manual/html/images/main-window.png.
# Usage: scripts/screenshot-main.sh [program]   (default: build/bin/folivo)
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(readlink -f "${1:-build/bin/folivo}")
out=manual/html/images/main-window.png
[ -x "$program" ] || { echo "no program at $program (build first)" >&2; exit 1; }

source scripts/xvfb-session.sh
start_private_x 1280x900

source scripts/sane-test-env.sh
mkdir "$work/home"
FOLIVO_HOME="$work/home" FOLIVO_STATUS_LOG="$work/status.log" QT_QPA_PLATFORM=xcb \
    "$program" >/dev/null 2>&1 &
app_pid=$!

# A box at start-up (no scanner after all) comes before the window; it is closed.
started() {
    local box
    box=$(visible '^TWAIN')
    [ -n "$box" ] && xdotool windowfocus --sync "$box" key Return
    test -n "$(visible '^Folivo$')"
}
wait_for 300 started || { echo "no main window" >&2; exit 1; }
window=$(visible '^Folivo$')
xdotool windowsize --sync "$window" 800 600 2>/dev/null || true
sleep 1 # let the window paint after the resize
mkdir -p "$(dirname "$out")"
import -window "$window" "$out"
echo "wrote $out ($(identify -format '%wx%h' "$out"))"
